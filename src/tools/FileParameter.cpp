#include "tools/FileParameter.h"

#include "platform/PathStyle.h"
#include "platform/Text.h"

namespace quarry {

namespace {

constexpr std::string_view kMarker = "%FILE";

std::size_t findMarker(std::string_view text, std::size_t from, bool ignoreCase)
{
    if (!ignoreCase)
        return text.find(kMarker, from);
    for (std::size_t i = from; i + kMarker.size() <= text.size(); ++i)
        if (text::equalsIgnoreCase(text.substr(i, kMarker.size()), kMarker))
            return i;
    return std::string_view::npos;
}

struct Expansion {
    int result;
    std::size_t next;  // where the search for the next placeholder goes on
};

// The text a placeholder stands for; `ext` is null for %FILE%.
std::string substitute(const std::string& fileName, const std::string_view* ext, bool addQuotes)
{
    if (text::trim(fileName).empty())
        return {};
    std::string name = fileName;
    if (ext && ext->empty()) {
        name = name.substr(0, name.find('.'));
    } else if (ext) {
        name = PathStyle::native().changeExtension(name, "." + std::string(*ext));
    }
    return addQuotes ? '"' + name + '"' : name;
}

Expansion expandAt(std::string& text, std::size_t from, std::size_t maxLen, const std::string& fileName,
                   bool addQuotes)
{
    const auto start = findMarker(text, from, true);
    if (start == std::string::npos)
        return {fileparameter::kNone, text.size()};
    const auto after = start + kMarker.size();
    std::string inserted;
    std::size_t end = 0;
    int result = fileparameter::kPlain;
    if (after < text.size() && text[after] == '%') {
        inserted = substitute(fileName, nullptr, addQuotes);
        end = after + 1;
    } else if (after < text.size() && text[after] == '.') {
        const auto close = text.find('%', after + 1);
        if (close == std::string::npos)
            return {fileparameter::kIllegal, from};
        const std::string_view ext = std::string_view(text).substr(after + 1, close - after - 1);
        inserted = substitute(fileName, &ext, addQuotes);
        end = close + 1;
        result = fileparameter::kExtension;
    } else {
        return {fileparameter::kIllegal, from};
    }
    text = text::cut(text.substr(0, start) + inserted + text.substr(end), maxLen);
    return {result, std::min(text.size(), start + inserted.size())};
}

}  // namespace

bool fileparameter::holdsMarker(std::string_view text, bool ignoreCase)
{
    return findMarker(text, 0, ignoreCase) != std::string_view::npos;
}

int ExpandFileParameter(std::string& text, std::size_t maxLen, const std::string& fileName, bool addQuotes)
{
    return expandAt(text, 0, maxLen, fileName, addQuotes).result;
}

int ExpandAllFileParameters(std::string& text, std::size_t maxLen, const std::string& fileName, bool addQuotes)
{
    int last = fileparameter::kNone;
    for (std::size_t from = 0;;) {
        const auto step = expandAt(text, from, maxLen, fileName, addQuotes);
        if (step.result == fileparameter::kNone || step.result == fileparameter::kIllegal)
            return step.result == fileparameter::kIllegal ? step.result : last;
        last = step.result;
        from = step.next;
    }
}

}  // namespace quarry
