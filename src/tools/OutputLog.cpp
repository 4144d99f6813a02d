#include "tools/OutputLog.h"

#include <algorithm>
#include <cstring>

namespace quarry {

OutputLog::OutputLog(std::size_t maxLines, std::size_t maxLineLength)
    : maxLines_(std::max<std::size_t>(1, maxLines)), maxLineLength_(std::max<std::size_t>(1, maxLineLength))
{
}

void OutputLog::Keep(Kind kind, std::string text, bool cut)
{
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    if (cut)
        text += kCutMark;
    widest_ = std::max(widest_, text.size());
    lines_.push_back({std::move(text), kind});
    if (lines_.size() > maxLines_) {
        lines_.pop_front();
        ++dropped_;
    }
    ++version_;
}

void OutputLog::AddToPending(Pending& pending, std::string_view part)
{
    const auto room = maxLineLength_ - std::min(maxLineLength_, pending.text.size());
    if (part.size() > room)
        pending.cut = true;
    pending.text.append(part.substr(0, room));
}

void OutputLog::Append(Kind kind, std::string_view bytes)
{
    auto& pending = PendingFor(kind);
    while (!bytes.empty()) {
        const void* found = std::memchr(bytes.data(), '\n', bytes.size());
        if (!found) {
            AddToPending(pending, bytes);
            return;
        }
        const auto end = static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
        if (pending.text.empty() && !pending.cut && end <= maxLineLength_) {
            Keep(kind, std::string(bytes.substr(0, end)), false);
        } else {
            AddToPending(pending, bytes.substr(0, end));
            Keep(kind, std::move(pending.text), pending.cut);
            pending = {};
        }
        bytes.remove_prefix(end + 1);
    }
}

void OutputLog::AppendLine(Kind kind, std::string_view text)
{
    EndLines();
    Keep(kind, std::string(text.substr(0, maxLineLength_)), text.size() > maxLineLength_);
}

void OutputLog::EndLines()
{
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        auto& pending = pending_[i];
        if (pending.text.empty() && !pending.cut)
            continue;
        Keep(i == 1 ? Kind::Error : Kind::Output, std::move(pending.text), pending.cut);
        pending = {};
    }
}

void OutputLog::Clear()
{
    lines_.clear();
    pending_ = {};
    dropped_ = 0;
    widest_ = 0;
    ++version_;
}

}  // namespace quarry
