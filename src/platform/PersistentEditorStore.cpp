#include "platform/PersistentEditorStore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quarry {

namespace {

#ifdef _WIN32
constexpr const char* kNativeLineEnd = "\r\n";
#else
constexpr const char* kNativeLineEnd = "\n";
#endif

std::string lowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
            c = char(u + 32);
    }
    return out;
}

std::string systemError() { return std::strerror(errno ? errno : EIO); }

}  // namespace

PersistentEditorStore::PersistentEditorStore(std::string path) : path_(std::move(path))
{
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec))
        return;
    errno = 0;
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream bytes;
    if (in)
        bytes << in.rdbuf();
    if (!in || in.bad() || std::filesystem::is_directory(path_, ec))
        throw EditorStoreError("Cannot read " + path_ + ": " + systemError());
    const std::string text = bytes.str();
    if (const auto lf = text.find('\n'); lf != std::string::npos)
        lineEnd_ = lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.emplace_back(line.substr(0, kMaxLineLength));
        start = end + 1;
    }
}

bool PersistentEditorStore::IsHeader(std::string_view line)
{
    const std::string trimmed = text::trimRight(line);
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

// A line of a section that would read as a header once its leading blanks are gone is stored
// with one more blank in front, and read back with one less: a search for "[0-9]" stays a search.
bool PersistentEditorStore::NeedsEscape(std::string_view line)
{
    const size_t text = line.find_first_not_of(' ');
    return text != std::string_view::npos && IsHeader(line.substr(text));
}

std::string_view PersistentEditorStore::HeaderName(std::string_view line)
{
    const size_t open = line.find('[');
    const size_t close = line.rfind(']');
    return line.substr(open + 1, close - open - 1);
}

std::optional<PersistentEditorStore::Span> PersistentEditorStore::Find(std::string_view name) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!IsHeader(lines_[i]) || !text::equalsIgnoreCase(HeaderName(lines_[i]), name))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && !IsHeader(lines_[end]))
            ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

bool PersistentEditorStore::HasSection(std::string_view name) const { return Find(name).has_value(); }

std::vector<std::string> PersistentEditorStore::Section(std::string_view name) const
{
    const auto span = Find(name);
    if (!span)
        return {};
    std::vector<std::string> body(lines_.begin() + std::ptrdiff_t(span->header + 1),
                                  lines_.begin() + std::ptrdiff_t(span->end));
    for (std::string& line : body)
        if (!line.empty() && line.front() == ' ' && NeedsEscape(line))
            line.erase(0, 1);
    return body;
}

void PersistentEditorStore::SetSection(std::string_view name, const std::vector<std::string>& lines)
{
    std::vector<std::string> body;
    body.reserve(lines.size());
    for (const std::string& line : lines) {
        // A line of the body must stay one line that no reader takes for a header.
        std::string clean = line.substr(0, kMaxLineLength);
        for (char& c : clean)
            if (c == '\r' || c == '\n')
                c = ' ';
        if (NeedsEscape(clean))
            clean.insert(0, " ");
        body.push_back(std::move(clean));
    }
    if (const auto span = Find(name)) {
        lines_.erase(lines_.begin() + std::ptrdiff_t(span->header + 1), lines_.begin() + std::ptrdiff_t(span->end));
        lines_.insert(lines_.begin() + std::ptrdiff_t(span->header + 1), body.begin(), body.end());
    } else {
        lines_.push_back("[" + std::string(name) + "]");
        lines_.insert(lines_.end(), body.begin(), body.end());
    }
    modified_ = true;
}

void PersistentEditorStore::EraseSection(std::string_view name)
{
    if (const auto span = Find(name)) {
        lines_.erase(lines_.begin() + std::ptrdiff_t(span->header), lines_.begin() + std::ptrdiff_t(span->end));
        modified_ = true;
    }
}

std::vector<std::string> PersistentEditorStore::SectionNames() const
{
    std::vector<std::string> names;
    for (const std::string& line : lines_)
        if (IsHeader(line))
            names.emplace_back(HeaderName(line));
    return names;
}

std::vector<std::string> PersistentEditorStore::List(std::string_view name) const
{
    std::vector<std::string> lines = Section(name);
    if (lines.size() > kMaxListLines)
        lines.resize(kMaxListLines);
    return lines;
}

void PersistentEditorStore::SetList(std::string_view name, const std::vector<std::string>& lines)
{
    SetSection(name, std::vector<std::string>(lines.begin(), lines.begin() + std::ptrdiff_t(std::min(
                                                                                   lines.size(), kMaxListLines))));
}

std::string PersistentEditorStore::FiltersSection(std::string_view language)
{
    return "Filters: " + lowerCase(language);
}

std::string PersistentEditorStore::SettingsSection(std::string_view language)
{
    return "UISettings: " + lowerCase(language);
}

std::vector<std::string> PersistentEditorStore::Filters(std::string_view language) const
{
    return List(FiltersSection(language));
}

void PersistentEditorStore::SetFilters(std::string_view language, const std::vector<std::string>& lines)
{
    SetList(FiltersSection(language), lines);
}

std::string PersistentEditorStore::FilterText(std::string_view language) const
{
    std::string joined;
    for (const std::string& line : Filters(language)) {
        if (!joined.empty())
            joined += "\r\n";
        joined += line;
    }
    return text::cut(text::trim(joined), kMaxFilterText);
}

void PersistentEditorStore::SetFilterText(std::string_view language, std::string_view text)
{
    std::vector<std::string> lines;
    const std::string trimmed = text::trim(text);
    size_t start = 0;
    while (start < trimmed.size()) {
        size_t end = trimmed.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = trimmed.size();
        lines.push_back(trimmed.substr(start, end - start));
        start = end + 1;
        if (end < trimmed.size() && trimmed[end] == '\r' && start < trimmed.size() && trimmed[start] == '\n')
            ++start;
    }
    SetFilters(language, lines);
}

std::optional<std::string> PersistentEditorStore::SettingsStream(std::string_view language) const
{
    const std::string name = SettingsSection(language);
    if (!HasSection(name))
        return std::nullopt;
    std::vector<std::string> lines;
    for (const std::string& line : Section(name)) {
        std::string trimmed = text::trim(line);
        if (!trimmed.empty())
            lines.push_back(std::move(trimmed));
    }
    std::string bytes;
    bytes.reserve(lines.size() * kBytesPerLine);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        // Every line but the last holds exactly 32 bytes: a shorter one has lost some.
        const bool sizeOk = i + 1 < lines.size() ? line.size() == 2 * kBytesPerLine
                                                  : line.size() % 2 == 0 && line.size() <= 2 * kBytesPerLine;
        if (!sizeOk)
            throw EditorStoreError("Damaged settings line " + std::to_string(i + 1) + " in [" + name + "]");
        for (size_t k = 0; k < line.size(); k += 2) {
            const int hi = text::hexDigitValue(line[k]), lo = text::hexDigitValue(line[k + 1]);
            if (hi < 0 || lo < 0)
                throw EditorStoreError("Damaged settings line " + std::to_string(i + 1) + " in [" + name + "]");
            bytes += char(hi << 4 | lo);
        }
    }
    return bytes;
}

void PersistentEditorStore::SetSettingsStream(std::string_view language, std::string_view bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::vector<std::string> lines;
    for (size_t start = 0; start < bytes.size(); start += kBytesPerLine) {
        std::string line;
        for (size_t i = start; i < std::min(bytes.size(), start + kBytesPerLine); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            line += kDigits[b >> 4];
            line += kDigits[b & 15];
        }
        lines.push_back(std::move(line));
    }
    SetSection(SettingsSection(language), lines);
}

void PersistentEditorStore::WriteBack()
{
    if (path_.empty())
        throw EditorStoreError("The editor store has no file to be written to");
    size_t first = 0;
    while (first < lines_.size() && text::trim(lines_[first]).empty())
        ++first;
    lines_.erase(lines_.begin(), lines_.begin() + std::ptrdiff_t(first));
    const std::string lineEnd = lineEnd_.empty() ? kNativeLineEnd : lineEnd_;
    std::string bytes;
    for (const std::string& line : lines_)
        bytes.append(line).append(lineEnd);

    // Through a temporary file, so a failed write leaves the old store whole.
    if (const int error = SafeFile::WriteBytes(path_, bytes); error != 0)
        throw EditorStoreError("Cannot write " + path_ + ": " + std::strerror(error));
    modified_ = false;
}

}  // namespace quarry
