// Resident memory of the program with a full set of 201 stocks, the price
// sheet shown and ten zoom windows of it open. Run under
// QT_QPA_PLATFORM=offscreen or a real display.
#include "app/Main.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Heap.h"
#include "reports/ui/Zoom.h"
#include "support/TempProfile.h"

#include <QApplication>
#include <QFile>
#include <cstdio>

namespace {
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    keepMemoryForReuse(); // as the program does
    QApplication app(argc, argv);
    TempProfile profile;
    profile.createProgramKey();
    SaveSetting(QStringLiteral("RunOnce"), 1);
    SaveSetting(QStringLiteral("Thanks"), 1);
    SaveSetting(QStringLiteral("SplashDelay"), 0);
    for (int i = 0; i < SetSize; ++i) {
        StockRec &s = Sets[i];
        s.Symbol = QStringLiteral("S%1").arg(i);
        s.Name = QStringLiteral("Company Number %1 Incorporated").arg(i);
        s.Rating = float(1 + i % 5);
        s.LastSale = QStringLiteral("%1.25").arg(10 + i);
        s.PctChange = i % 2 ? QStringLiteral("+1.5%") : QStringLiteral("-0.75%");
        s.Change = QStringLiteral("0.50");
        s.Volume = QStringLiteral("1,234,567");
        s.LastUpdate = QStringLiteral("4:00PM");
    }
    SaveStocks();
    resetStocks();
    installZoomWindows();
    const long before = residentKb();
    Main();
    QCoreApplication::processEvents();
    frmMain *w = frmMain::instance();
    w->FG_Current();
    QCoreApplication::processEvents();
    const long shown = residentKb();
    for (int i = 0; i < 10; ++i)
        w->Zoom_FG();
    QCoreApplication::processEvents();
    const long zoomed = residentKb();
    std::printf("resident memory: %.1f MB before the window, %.1f MB with 201 stocks and the price sheet, "
                "%.1f MB with ten zoom windows of it\n",
                before / 1024.0, shown / 1024.0, zoomed / 1024.0);
    delete w;
    resetMain();
    return 0;
}
