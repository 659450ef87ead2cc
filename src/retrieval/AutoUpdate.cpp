#include "retrieval/AutoUpdate.h"

#include "core/MainWindow.h"
#include "core/SharedState.h"
#include "retrieval/transport/RunState.h"

short TimerCount = 0;

QString autoUpdateCaption(short interval, short count)
{
    return QStringLiteral("   Update Every: ") + QString::number(interval) + QStringLiteral(" Mintues, ")
           + QStringLiteral(" ") + QStringLiteral("Remain: ") + QString::number(interval - count)
           + QStringLiteral(" Mintues.");
}

void AutoUpdateTick(const QString &updateCaption, const std::function<bool()> &checkConnection,
                    const std::function<void()> &pressUpdate)
{
    if (UpdateInterval == 0)
        return;
    if (updateCaption == QLatin1String("Stop")) {
        // Minutes spent in a run started by hand are given back.
        TimerCount = TimerCount > 1 ? short(TimerCount - 1) : short(0);
        return;
    }
    ++TimerCount;
    if (TimerCount >= UpdateInterval) {
        TimerCount = 0;
        if (!checkConnection || !checkConnection())
            return;
        if (pressUpdate)
            pressUpdate();
    }
    if (MainWindow *w = mainWindow())
        w->setCaption(BaseCaption + autoUpdateCaption(UpdateInterval, TimerCount));
}
