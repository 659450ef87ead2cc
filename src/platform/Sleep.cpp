#include "platform/Sleep.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QThread>

namespace {
bool g_programEnding = false;

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

void setProgramEnding(bool ending)
{
    g_programEnding = ending;
}

bool programEnding()
{
    return g_programEnding;
}
