#pragma once
#include "support/TempDir.h"

#include <QByteArray>
#include <QtGlobal>

#include <filesystem>

namespace quarry::test {

// Points XDG_RUNTIME_DIR into a test's own directory while it lives, so that the instance
// channels a test opens are seen by no other Quarry on the machine.
class PrivateRuntimeDir final {
public:
    explicit PrivateRuntimeDir(const TempDir& dir)
    {
        namespace fs = std::filesystem;
        fs::create_directories(dir.path() / "run");
        fs::permissions(dir.path() / "run", fs::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.file("run")));
    }
    ~PrivateRuntimeDir() { qunsetenv("XDG_RUNTIME_DIR"); }
    PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;  // owns a process-wide setting
    PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;
};

}  // namespace quarry::test
