#include "core/UpdateGuard.h"

#include "platform/Dialogs.h"

namespace {
bool g_updateRunning = false;
} // namespace

void setUpdateRunning(bool running)
{
    g_updateRunning = running;
}

bool updateRunning()
{
    return g_updateRunning;
}

QString updateRunningMessage()
{
    return QStringLiteral("A stock update is running. Add or remove stocks and trades, or change the stock group, "
                          "when it has ended (or press Stop).");
}

QString refusalWhileUpdating()
{
    return g_updateRunning ? updateRunningMessage() : QString();
}

bool refusedWhileUpdating()
{
    if (!g_updateRunning)
        return false;
    MsgBox(updateRunningMessage(), Msg::OKOnly + Msg::Information, QString::fromLatin1(UpdateRunningTitle));
    return true;
}
