#pragma once
#include <string>
#include <string_view>

namespace quarry {

// File-name rules of one path style. Windows names use '\' (and '/') between directories and may
// start with a drive ("C:"); POSIX names use '/'. The program works with the native style; the
// Windows style stays available so that rules about Windows names (drive letters, a directory
// part holding ':') are tested on every platform.
class PathStyle final {
public:
    enum class Kind { Windows, Posix };

    constexpr explicit PathStyle(Kind kind) : kind_(kind) {}
    static PathStyle native();
    static constexpr PathStyle windows() { return PathStyle(Kind::Windows); }
    static constexpr PathStyle posix() { return PathStyle(Kind::Posix); }

    Kind kind() const { return kind_; }
    char separator() const { return kind_ == Kind::Windows ? '\\' : '/'; }
    bool isSeparator(char c) const;

    // The part after the last separator (or drive colon on Windows).
    std::string fileName(std::string_view path) const;
    // The part before the file name without its trailing separator; a root keeps its separator
    // ("C:\", "/") so that it still names a directory.
    std::string directory(std::string_view path) const;
    bool hasDirectory(std::string_view path) const { return !directory(path).empty(); }
    // The extension of the file-name part with its dot (".asm"), or empty.
    std::string extension(std::string_view path) const;
    // Replaces the extension of the file-name part, or appends one; `ext` carries its dot or is
    // empty to remove the extension.
    std::string changeExtension(std::string_view path, std::string_view ext) const;
    // A name that does not depend on the current directory: on Windows one whose directory part
    // holds a drive colon, on POSIX an absolute name.
    bool isDriveQualified(std::string_view path) const;
    // dir + separator + name, without doubling a separator that dir already ends in.
    std::string join(std::string_view dir, std::string_view name) const;
    // Windows names compare without regard to letter case, POSIX names exactly.
    bool sameName(std::string_view a, std::string_view b) const;

private:
    // Index just after the last separator or drive colon, 0 when there is none.
    std::size_t fileNameStart(std::string_view path) const;

    Kind kind_;
};

}  // namespace quarry
