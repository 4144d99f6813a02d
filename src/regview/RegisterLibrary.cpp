#include "regview/RegisterLibrary.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"
#include "regview/RegisterDescription.h"
#include "regview/RegisterViewerTexts.h"

#include <fstream>
#include <iterator>

namespace quarry {

namespace {

// Enough of a file for its title line, however long that line is.
std::optional<std::string> readStart(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string start(RegisterDescription::kLineLength + 2, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    return start;
}

}  // namespace

std::vector<RegisterFileEntry> RegisterDirectory::List()
{
    const auto style = PathStyle::native();
    std::vector<RegisterFileEntry> entries;
    for (const auto& name : files::findFiles(style.join(directory_, kRegisterFilePattern))) {
        const std::string path = style.join(directory_, name);
        const auto start = readStart(path);
        if (!start)
            continue;
        const std::string title = RegisterDescription::ReadTitle(*start);
        entries.push_back({path, text::trim(title).empty() ? name : title});
    }
    return entries;
}

std::optional<std::string> RegisterDirectory::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

}  // namespace quarry
