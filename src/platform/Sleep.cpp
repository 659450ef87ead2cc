#include "platform/Sleep.h"

#include <QCoreApplication>
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

void setSleepHandler(std::function<void(int)> h)
{
    handler() = std::move(h);
}

void DoEvents()
{
    QCoreApplication::processEvents();
}
