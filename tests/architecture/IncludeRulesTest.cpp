#include "architecture/IncludeRules.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quarry::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> declaredLayers()
{
    std::vector<std::string> layers;
    std::stringstream list(QUARRY_LAYERS);
    for (std::string name; std::getline(list, name, ',');)
        layers.push_back(name);
    return layers;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

TEST(IncludeRules, TheTreeKeepsTheLayerOrder)
{
    const std::vector<std::string> layers = declaredLayers();
    ASSERT_GT(layers.size(), 5u);
    EXPECT_EQ("", joined(includeViolations(QUARRY_SOURCE_DIR, layers)));
}

// A tree of two files: the planted one and, beside it, a header its local include may name.
struct Planted {
    const char* file;
    const char* line;
    const char* expected;  // the message, "" when the include is allowed
};

TEST(IncludeRules, PlantedIncludes)
{
    const std::vector<std::string> layers{"base", "middle", "top"};
    const Planted cases[] = {
        {"src/middle/A.cpp", "#include \"base/B.h\"", ""},
        {"src/middle/A.cpp", "#include \"middle/B.h\"", ""},
        {"src/middle/A.cpp", "#include \"Local.h\"", ""},
        {"src/middle/ui/A.cpp", "#include \"base/ui/B.h\"", ""},
        {"src/middle/ui/A.cpp", "#include <QWidget>", ""},
        {"src/top/main/A.cpp", "#include \"top/ui/B.h\"", ""},
        {"tools/cli/A.cpp", "#include \"top/B.h\"", ""},
        {"src/middle/A.cpp", "#include \"top/B.h\"",
         "src/middle/A.cpp:2: middle includes top/B.h of top, a higher layer"},
        {"src/middle/ui/A.cpp", "  #  include \"top/ui/B.h\"",
         "src/middle/ui/A.cpp:2: middle includes top/ui/B.h of top, a higher layer"},
        {"src/middle/A.cpp", "#include \"middle/ui/B.h\"",
         "src/middle/A.cpp:2: plain code of middle includes the Qt side middle/ui/B.h"},
        {"src/middle/A.cpp", "#include \"base/ui/B.h\"",
         "src/middle/A.cpp:2: plain code of middle includes the Qt side base/ui/B.h"},
        {"src/base/A.h", "#include <QString>", "src/base/A.h:2: plain code of base includes Qt <QString>"},
        {"src/base/A.h", "#include <QtCore/qglobal.h>",
         "src/base/A.h:2: plain code of base includes Qt <QtCore/qglobal.h>"},
        {"tools/cli/A.cpp", "#include \"top/ui/B.h\"",
         "tools/cli/A.cpp:2: plain code of tools includes the Qt side top/ui/B.h"},
        {"src/middle/A.cpp", "#include \"nowhere/B.h\"", "src/middle/A.cpp:2: includes nowhere/B.h from no layer"},
        {"src/extra/A.cpp", "#include \"base/B.h\"", "src/extra is in no layer"},
    };
    for (const Planted& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.line);
        TempDir root;
        const fs::path file = root.path() / c.file;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "// planted\n" << c.line << "\n";
        std::ofstream(file.parent_path() / "Local.h") << "#pragma once\n";
        const std::vector<std::string> found = includeViolations(root.path(), layers);
        EXPECT_EQ(std::string(c.expected), found.empty() ? std::string() : found.front());
        EXPECT_LE(found.size(), 1u) << joined(found);
    }
}

}  // namespace
}  // namespace quarry::test
