#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace quarry::test {

// Runs events until the condition holds. The limit only keeps a broken test from hanging the
// run; it is far above anything a working program needs and says nothing about speed.
inline bool runEventsUntil(const std::function<bool()>& condition, int hangGuardMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > hangGuardMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

}  // namespace quarry::test
