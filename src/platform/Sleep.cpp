#include "platform/Sleep.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QThread>

namespace {
std::function<void(int)> &handler()
{
    static std::function<void(int)> h;
    return h;
}
} // namespace

void Sleep(int milliseconds)
{
    if (handler()) {
        handler()(milliseconds);
        return;
    }
    if (milliseconds > 0)
        QThread::msleep(ulong(milliseconds));
}

void PaintedSleep(int milliseconds)
{
    if (handler()) {
        handler()(milliseconds);
        return;
    }
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void setSleepHandler(std::function<void(int)> h)
{
    handler() = std::move(h);
}

void DoEvents()
{
    QCoreApplication::processEvents();
}
