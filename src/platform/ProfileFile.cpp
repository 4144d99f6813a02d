#include "platform/ProfileFile.h"

#include "platform/SafeFile.h"

#include "platform/Text.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <sys/stat.h>

namespace quarry {

namespace {
constexpr auto npos = std::string::npos;

#ifdef _WIN32
constexpr const char* kNativeLineEnd = "\r\n";
#else
constexpr const char* kNativeLineEnd = "\n";
#endif

std::string systemError(int code) { return std::strerror(code); }

bool parseInteger(std::string_view text, int& out)
{
    const auto trimmed = text::trim(text);
    std::string_view s(trimmed);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (s.size() > 1 && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (error != std::errc() || end != s.data() + s.size() || magnitude < 0)
        return false;
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return false;
    out = static_cast<int>(value);
    return true;
}

std::string singleLine(std::string_view value)
{
    std::string out(value);
    for (auto& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}
}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)), lineEnd_(kNativeLineEnd)
{
    load();
}

void ProfileFile::load()
{
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return;  // a missing file reads as empty
        throw ProfileFileError("Cannot read " + path_ + ": " + systemError(errno));
    }
    if (S_ISDIR(info.st_mode))
        throw ProfileFileError("Cannot read " + path_ + ": " + systemError(EISDIR));
    std::ifstream in(path_, std::ios::binary);
    if (!in)
        throw ProfileFileError("Cannot read " + path_ + ": " + systemError(errno));
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        throw ProfileFileError("Cannot read " + path_ + ": " + systemError(errno));
    const std::string bytes = content.str();

    // Keep the file's own line ends when it is rewritten.
    if (const auto lf = bytes.find('\n'); lf != npos)
        lineEnd_ = lf > 0 && bytes[lf - 1] == '\r' ? "\r\n" : "\n";
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == npos)
            end = bytes.size();
        std::string_view raw(bytes.data() + start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        lines_.push_back(parseLine(raw));
        start = end + 1;
    }
}

ProfileFile::Line ProfileFile::parseLine(std::string_view raw)
{
    Line line;
    line.text = std::string(raw);
    const auto body = text::trimLeft(raw);
    if (body.empty() || body.front() == ';')
        return line;
    if (body.front() == '[') {
        const auto close = body.find(']');
        if (close != npos) {
            line.header = true;
            line.section = text::trim(std::string_view(body).substr(1, close - 1));
        }
        return line;
    }
    const auto eq = body.find('=');
    if (eq == npos)
        return line;
    line.key = text::trim(std::string_view(body).substr(0, eq));
    line.value = text::trim(std::string_view(body).substr(eq + 1));
    line.keyLine = !line.key.empty();
    return line;
}

std::size_t ProfileFile::findSection(std::string_view section) const
{
    if (!indexed_) {
        sectionIndex_.clear();
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i].header)
                sectionIndex_.try_emplace(text::ansiUpperCase(lines_[i].section), i);
        indexed_ = true;
    }
    const auto found = sectionIndex_.find(text::ansiUpperCase(text::trim(section)));
    return found == sectionIndex_.end() ? npos : found->second;
}

std::size_t ProfileFile::sectionEnd(std::size_t sectionIndex) const
{
    auto i = sectionIndex + 1;
    while (i < lines_.size() && !lines_[i].header)
        ++i;
    return i;
}

std::size_t ProfileFile::findKey(std::size_t sectionIndex, std::string_view key) const
{
    const auto wanted = text::trim(key);
    const auto end = sectionEnd(sectionIndex);
    for (auto i = sectionIndex + 1; i < end; ++i)
        if (lines_[i].keyLine && text::equalsIgnoreCase(lines_[i].key, wanted))
            return i;
    return npos;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    const auto s = findSection(section);
    if (s == npos)
        return std::string(defaultValue);
    const auto k = findKey(s, key);
    return k == npos ? std::string(defaultValue) : lines_[k].value;
}

int ProfileFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto s = findSection(section);
    const auto k = s == npos ? npos : findKey(s, key);
    int value = defaultValue;
    if (k != npos && parseInteger(lines_[k].value, value))
        return value;
    return defaultValue;
}

bool ProfileFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const auto keyName = text::trim(key);
    const auto sectionName = text::trim(section);
    Line line = parseLine(keyName + "=" + singleLine(value));
    auto s = findSection(sectionName);
    if (s == npos) {
        lines_.push_back(parseLine("[" + sectionName + "]"));
        s = lines_.size() - 1;
        sectionIndex_.try_emplace(text::ansiUpperCase(sectionName), s);
    }
    if (const auto k = findKey(s, keyName); k != npos) {
        lines_[k] = std::move(line);
    } else {
        // After the section's last non-blank line, so blank lines between sections stay there.
        auto at = sectionEnd(s);
        while (at > s + 1 && text::trim(lines_[at - 1].text).empty())
            --at;
        if (at != lines_.size())
            linesMoved();
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    }
    modified_ = true;
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void ProfileFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

bool ProfileFile::sectionExists(std::string_view section) const { return findSection(section) != npos; }

bool ProfileFile::keyExists(std::string_view section, std::string_view key) const
{
    const auto s = findSection(section);
    return s != npos && findKey(s, key) != npos;
}

std::vector<std::string> ProfileFile::sectionNames() const
{
    std::vector<std::string> names;
    for (const auto& line : lines_)
        if (line.header)
            names.push_back(line.section);
    return names;
}

std::vector<std::string> ProfileFile::keyNames(std::string_view section) const
{
    std::vector<std::string> names;
    for (const auto& [key, value] : entries(section))
        names.emplace_back(key);
    return names;
}

std::vector<std::pair<std::string_view, std::string_view>> ProfileFile::entries(std::string_view section) const
{
    std::vector<std::pair<std::string_view, std::string_view>> found;
    const auto s = findSection(section);
    if (s == npos)
        return found;
    const auto end = sectionEnd(s);
    for (auto i = s + 1; i < end; ++i)
        if (lines_[i].keyLine)
            found.emplace_back(lines_[i].key, lines_[i].value);
    return found;
}

void ProfileFile::eraseSection(std::string_view section)
{
    for (auto s = findSection(section); s != npos; s = findSection(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(s),
                     lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(s)));
        linesMoved();
        modified_ = true;
    }
}

void ProfileFile::eraseKey(std::string_view section, std::string_view key)
{
    const auto s = findSection(section);
    if (s == npos)
        return;
    if (const auto k = findKey(s, key); k != npos) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(k));
        linesMoved();
        modified_ = true;
    }
}

void ProfileFile::flush()
{
    if (!modified_)
        return;
    std::string bytes;
    for (const auto& line : lines_)
        bytes.append(line.text).append(lineEnd_);
    // Through a temporary file: a full disk never leaves a settings file cut short.
    if (const int error = SafeFile::WriteBytes(path_, bytes); error != 0)
        throw ProfileFileError("Cannot write " + path_ + ": " + systemError(error));
    modified_ = false;
}

}  // namespace quarry
