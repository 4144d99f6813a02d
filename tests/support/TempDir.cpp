#include "support/TempDir.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace quarry::test {

namespace {
std::filesystem::path testRoot()
{
    if (const char* env = std::getenv("QUARRY_TEST_TMP"); env && *env)
        return env;
    return QUARRY_TEST_TMP_DEFAULT;
}
}  // namespace

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    const auto root = testRoot();
    std::filesystem::create_directories(root);
    for (;;) {
        auto candidate = root / ("t" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // Tests may leave read-only files behind; make them removable first.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const
{
    const auto full = path_ / name;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write test file " + full.string());
    return full.string();
}

std::string TempDir::read(const std::string& fullPath)
{
    std::ifstream in(fullPath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test file " + fullPath);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace quarry::test
