#pragma once
#include <benchmark/benchmark.h>

#include <QApplication>

#include <functional>

namespace quarry::bench {

// The main of a benchmark program that needs widgets: an offscreen application unless the caller
// chose a platform, then every benchmark. `beforeExit` drops windows while the application lives.
inline int runOffscreenBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {})
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit) beforeExit();
    return 0;
}

}  // namespace quarry::bench
