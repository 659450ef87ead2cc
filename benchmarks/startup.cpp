// Start-up time: from Main() to the main window loaded and shown, on a fresh
// profile with a set of 20 stocks and with a full set of 201, and no splash
// delay. Prints the median of several runs for each. Run under QT_QPA_PLATFORM=offscreen or a real display.
#include "app/Main.h"
#include "core/Registry.h"
#include "core/Stocks.h"
#include "core/ui/frmSplash.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Heap.h"
#include "platform/Sleep.h"
#include "support/TempProfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    keepMemoryForReuse(); // as the program does
    QApplication app(argc, argv);
    for (const int stocks : {20, 201}) {
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 0);
        for (int i = 0; i < stocks; ++i) {
            Sets[i].Symbol = QStringLiteral("S%1").arg(i);
            Sets[i].Name = QStringLiteral("Company %1").arg(i);
            Sets[i].Rating = float(1 + i % 5);
        }
        SaveStocks();
        resetStocks();

        QElapsedTimer t;
        t.start();
        Main();
        QCoreApplication::processEvents();
        times.push_back(t.nsecsElapsed() / 1e6);

        delete frmMain::instance();
        UnloadSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetMain();
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to main window shown, %d stocks: median %.1f ms (min %.1f, max %.1f, %zu runs)\n",
                stocks, times[times.size() / 2], times.front(), times.back(), times.size());
    }
    return 0;
}
