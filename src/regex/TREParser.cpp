#include "regex/TREParser.h"

#include "text/TEdStream.h"
#include "text/TEdStreamRuns.h"
#include "regex/TRECompiler.h"
#include "regex/TREMatcher.h"

namespace quarry {

TREParser::TREParser() : budget_(TREMatcher::kDefaultStepBudget)
{
    table_.fill(-1);
}

TREParser::~TREParser() = default;

void TREParser::fail(const EREParser& error)
{
    lastError_ = error.code();
    errorPosition_ = error.position();
    throw error;
}

bool TREParser::SetExpression(const std::string& text)
{
    if (matcher_ && text == expression_)
        return true;
    matcher_.reset();
    program_ = TREProgram{};
    expression_ = text;
    try {
        program_ = TRECompiler::compile(text, caseSensitive_);
        matcher_ = std::make_unique<TREMatcher>(program_);
    } catch (const EREParser& e) {
        program_ = TREProgram{};
        matcher_.reset();
        fail(e);
    }
    matcher_->setStepBudget(budget_);
    matcher_->setAccelerators(accelerate_);
    lastError_ = TREError::None;
    errorPosition_ = -1;
    return true;
}

void TREParser::SetCaseSensitive(bool on)
{
    if (on == caseSensitive_)
        return;
    caseSensitive_ = on;
    matcher_.reset();
    program_ = TREProgram{};
}

bool TREParser::Search(TTextRuns& text, TextPos from, bool forward)
{
    table_.fill(-1);
    if (!matcher_)
        fail(EREParser(TREError::InvalidParameter, -1));
    bool found = false;
    try {
        found = matcher_->search(text, from, forward);
    } catch (const EREParser& e) {
        fail(e);
    }
    if (found) {
        const auto& slots = matcher_->slots();
        std::copy(slots.begin(), slots.end(), table_.begin());
    }
    return found;
}

bool TREParser::Search(TEdStream& stream, bool forward)
{
    TEdStreamRuns runs(stream);
    const Offset from = stream.Position();
    const bool found = Search(runs, from, forward);
    stream.Seek(found ? static_cast<Offset>(MatchEnd()) : from);
    return found;
}

TextPos TREParser::RecordedPosition(int index) const
{
    if (index < 0 || index >= kRecordedPositions)
        throw EREParser(TREError::IndexRange, -1);
    return table_[static_cast<std::size_t>(index)];
}

std::string TREParser::DescribeFilters() const
{
    return matcher_ ? matcher_->describeFilters() : std::string();
}

void TREParser::SetStepBudget(std::int64_t steps)
{
    budget_ = steps;
    if (matcher_)
        matcher_->setStepBudget(steps);
}

void TREParser::SetAccelerators(bool on)
{
    accelerate_ = on;
    if (matcher_)
        matcher_->setAccelerators(on);
}

}  // namespace quarry
