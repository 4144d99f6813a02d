#include "editor/TMacroKeywords.h"

#include <algorithm>

namespace quarry {

namespace {

char lowerAnsi(char c)
{
    const auto u = static_cast<unsigned char>(c);
    // ASCII and the Latin-1 capitals of the Windows-1252 code page (but not the multiplication sign).
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return char(u + 32);
    return c;
}

bool nameLess(const TMacroEntry& e, std::string_view name) { return std::string_view(e.name) < name; }

}  // namespace

std::string TMacroKeywords::Fold(std::string_view name) const
{
    std::string folded(name);
    if (!caseSensitive_)
        std::transform(folded.begin(), folded.end(), folded.begin(), lowerAnsi);
    return folded;
}

void TMacroKeywords::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == caseSensitive_)
        return;
    caseSensitive_ = caseSensitive;
    std::vector<TMacroEntry> old = std::move(entries_);
    entries_.clear();
    for (TMacroEntry& e : old)
        if (!Find(Fold(e.name)))
            Add(std::move(e.name), std::move(e.description), std::move(e.text));
}

void TMacroKeywords::Add(std::string name, std::string description, std::string text)
{
    TMacroEntry entry{Fold(name), std::move(description), std::move(text)};
    auto at = std::lower_bound(entries_.begin(), entries_.end(), std::string_view(entry.name), nameLess);
    if (at != entries_.end() && at->name == entry.name)
        *at = std::move(entry);
    else
        entries_.insert(at, std::move(entry));
}

const TMacroEntry* TMacroKeywords::Find(std::string_view name) const
{
    const std::string key = Fold(name);
    auto at = std::lower_bound(entries_.begin(), entries_.end(), std::string_view(key), nameLess);
    return at != entries_.end() && at->name == key ? &*at : nullptr;
}

std::vector<const TMacroEntry*> TMacroKeywords::WithPrefix(std::string_view prefix) const
{
    const std::string key = Fold(prefix);
    std::vector<const TMacroEntry*> found;
    for (auto at = std::lower_bound(entries_.begin(), entries_.end(), std::string_view(key), nameLess);
         at != entries_.end() && std::string_view(at->name).starts_with(key); ++at)
        found.push_back(&*at);
    return found;
}

}  // namespace quarry
