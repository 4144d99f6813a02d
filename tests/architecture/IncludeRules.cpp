#include "architecture/IncludeRules.h"

#include <algorithm>
#include <fstream>
#include <regex>

namespace quarry::test {

namespace fs = std::filesystem;

namespace {

struct Place {
    int layer = -1;     // index in the layer list; the list's size for tools/
    bool qtSide = false;  // ui/ and main/ folders build with Qt
    std::string name;   // the layer's folder, for messages
};

std::vector<std::string> components(const fs::path& relative)
{
    std::vector<std::string> parts;
    for (const fs::path& part : relative)
        parts.push_back(part.string());
    return parts;
}

int layerIndex(const std::vector<std::string>& layers, const std::string& name)
{
    const auto it = std::find(layers.begin(), layers.end(), name);
    return it == layers.end() ? -1 : int(it - layers.begin());
}

bool isSourceFile(const fs::path& path)
{
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".cpp";
}

void checkFile(const fs::path& root, const fs::path& file, const Place& place, const std::vector<std::string>& layers,
               std::vector<std::string>& out)
{
    static const std::regex quoted(R"(^\s*#\s*include\s*"([^"]+)\")");
    static const std::regex qt(R"(^\s*#\s*include\s*<(Q[A-Za-z]+|Qt[A-Za-z]*/[^>]*)>)");
    std::ifstream in(file);
    std::string line;
    const std::string where = fs::relative(file, root).generic_string();
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string at = where + ":" + std::to_string(number) + ": ";
        std::smatch m;
        if (std::regex_search(line, m, qt)) {
            if (!place.qtSide)
                out.push_back(at + "plain code of " + place.name + " includes Qt <" + m[1].str() + ">");
            continue;
        }
        if (!std::regex_search(line, m, quoted))
            continue;
        const std::vector<std::string> parts = components(fs::path(m[1].str()));
        if (parts.size() < 2)
            continue;  // beside the including file
        const int target = layerIndex(layers, parts[0]);
        if (target < 0) {
            if (!fs::exists(file.parent_path() / m[1].str()))
                out.push_back(at + "includes " + m[1].str() + " from no layer");
            continue;
        }
        const bool targetQt = parts.size() > 2;
        if (target > place.layer)
            out.push_back(at + place.name + " includes " + m[1].str() + " of " + parts[0] + ", a higher layer");
        else if (targetQt && !place.qtSide)
            out.push_back(at + "plain code of " + place.name + " includes the Qt side " + m[1].str());
    }
}

}  // namespace

std::vector<std::string> includeViolations(const fs::path& root, const std::vector<std::string>& layers)
{
    std::vector<std::string> out;
    const fs::path src = root / "src";
    if (fs::is_directory(src)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src)) {
            if (!entry.is_regular_file() || !isSourceFile(entry.path()))
                continue;
            const std::vector<std::string> parts = components(fs::relative(entry.path(), src));
            Place place;
            place.name = parts[0];
            place.layer = layerIndex(layers, parts[0]);
            place.qtSide = parts.size() > 2;
            if (place.layer < 0) {
                out.push_back("src/" + parts[0] + " is in no layer");
                continue;
            }
            checkFile(root, entry.path(), place, layers, out);
        }
    }
    const fs::path tools = root / "tools";
    if (fs::is_directory(tools)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tools)) {
            if (!entry.is_regular_file() || !isSourceFile(entry.path()))
                continue;
            Place place;
            place.name = "tools";
            place.layer = int(layers.size());
            checkFile(root, entry.path(), place, layers, out);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace quarry::test
