// Start-up as the user waits for it: from starting a fresh process to the
// main window's first paint, on a profile with a set of 20 stocks and with a
// full set of 201, no splash delay; beside it the floor, a fresh process of a
// minimal Qt window to its first paint. Prints min and median of the runs,
// the ratio (median / median) and a last line a script can read. Run under
// QT_QPA_PLATFORM=offscreen, or under Xvfb (benchmarks/xvfb.sh).
//
//   startup [runs]   (default 9)
#include "BenchSite.h"

#include "app/Main.h"
#include "core/Registry.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/FontWarmup.h"
#include "platform/Heap.h"
#include "platform/ui/WidgetDialogs.h"
#include "reports/ui/Zoom.h"
#include "sheets/ColLayout.h"
#include "support/TempProfile.h"
#include "webqueries/ui/TechGraph.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace {

// Says "painted" once a window of the wanted kind has painted, then ends the process.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(bool mainWindow) : m_mainWindow(mainWindow) {}
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_seen) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && (!m_mainWindow || qobject_cast<frmMain *>(w->window()))) {
                m_seen = true;
                QTimer::singleShot(0, [] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

private:
    bool m_mainWindow;
    bool m_seen = false;
};

// The program's main, as src/app/main.cpp runs it.
int program(int argc, char *argv[])
{
    keepMemoryForReuse();
    startFontWarmup();
    QApplication app(argc, argv);
    FirstPaint paint(true);
    app.installEventFilter(&paint);
    QApplication::setOrganizationName(QStringLiteral("Pellor"));
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setQuitOnLastWindowClosed(false);
    WidgetDialogs dialogs;
    setDialogHandler(&dialogs);
    installZoomWindows();
    installQueryWindows();
    if (!Main())
        return 1;
    return app.exec();
}

int minimal(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint paint(false);
    app.installEventFilter(&paint);
    QWidget w;
    w.resize(640, 480);
    w.show();
    return app.exec();
}

// Milliseconds from starting the process to its "painted"; -1 when it never came.
double timeToPaint(const QString &mode)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    p.start(QCoreApplication::applicationFilePath(), {mode});
    while (p.waitForReadyRead(60000))
        if (p.readAllStandardOutput().contains("painted"))
            break;
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && argv[1] == QByteArray("--program"))
        return program(argc, argv);
    if (argc > 1 && argv[1] == QByteArray("--minimal"))
        return minimal(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 9;
    const QByteArray platformName = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QByteArray("xcb") : qgetenv("QT_QPA_PLATFORM");
    const char *platform = platformName.constData();
    std::vector<double> floor;
    QList<std::pair<int, bench::Figures>> results;
    for (const int stocks : {20, 201}) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            TempProfile profile; // the child reads it from the environment
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
            // What the first start left behind: the set it showed and the
            // (empty) column layout, so that this start writes neither.
            SaveSetting(QStringLiteral("LastGroup"), QStringLiteral("0"));
            LoadLayout();
            times.push_back(timeToPaint(QStringLiteral("--program")));
            floor.push_back(timeToPaint(QStringLiteral("--minimal")));
        }
        results.append({stocks, bench::figures(times)});
    }
    const bench::Figures f = bench::figures(floor);
    std::printf("start-up in a fresh process to the first painted window on %s, %d runs each:\n", platform, runs);
    for (const auto &[stocks, r] : results)
        std::printf("  main window, %3d stocks   min %.1f ms  median %.1f ms   ratio to the floor %.2f (goal <= 1.50)\n",
                    stocks, r.min, r.median, r.median / f.median);
    std::printf("  floor: a minimal Qt window min %.1f ms  median %.1f ms\n", f.min, f.median);
    std::printf("SUMMARY startup platform=%s", platform);
    for (const auto &[stocks, r] : results)
        std::printf(" s%d_ms_min=%.1f s%d_ms_median=%.1f s%d_ratio=%.3f", stocks, r.min, stocks, r.median, stocks,
                    r.median / f.median);
    std::printf(" floor_ms_min=%.1f floor_ms_median=%.1f goal_ratio=1.50\n", f.min, f.median);
    return 0;
}
