// Resident memory of the program after a 201-stock Update (every box
// ticked, quotes changing, a 100-trade portfolio) with the price sheet shown
// and ten zoom windows of it open, each in a fresh process started as the
// program starts (Main), the site served from this process. The floor: a minimal Qt window's fresh process.
// Run under QT_QPA_PLATFORM=offscreen, or under Xvfb (benchmarks/xvfb.sh).
//
//   memory [runs]   (default 3)
#include "BenchSite.h"

#include "app/Main.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Heap.h"
#include "reports/ui/Zoom.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace {

// In a child: the program after its Update from the site at host (which
// the parent serves, so that its pages are not counted here); prints
// "rss <before> <after run> <zoomed>" in KB.
int measureProgram(const QString &host)
{
    TempProfile profile;
    profile.createProgramKey();
    SaveSetting(QStringLiteral("RunOnce"), 1);
    SaveSetting(QStringLiteral("Thanks"), 1);
    SaveSetting(QStringLiteral("SplashDelay"), 0);
    setAllSiteHosts(host);
    const QStringList symbols = bench::symbols(SetSize);
    bench::fillSet(symbols);
    bench::fillPortfolio(symbols, 100);
    ScriptedDialogs dialogs;
    installZoomWindows();
    const long before = bench::residentKb();
    Main();
    QCoreApplication::processEvents();
    frmMain *w = frmMain::instance();
    w->Picture1_Click(0);
    w->FG_Current();
    QCoreApplication::processEvents();
    const long run = bench::residentKb();
    for (int i = 0; i < 10; ++i)
        w->Zoom_FG();
    QCoreApplication::processEvents();
    std::printf("rss %ld %ld %ld\n", before, run, bench::residentKb());
    std::fflush(stdout);
    std::_Exit(0);
}

int measureMinimal()
{
    QWidget w;
    w.resize(400, 300);
    w.show();
    QCoreApplication::processEvents();
    std::printf("rss %ld %ld %ld\n", bench::residentKb(), bench::residentKb(), bench::residentKb());
    std::fflush(stdout);
    std::_Exit(0);
}

// The three figures a child printed, in MB.
std::vector<double> child(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), args);
    p.waitForFinished(600000);
    const QList<QByteArray> words = p.readAllStandardOutput().trimmed().split('\n').last().split(' ');
    std::vector<double> mb;
    for (int i = 1; i < words.size(); ++i)
        mb.push_back(words[i].toLong() / 1024.0);
    mb.resize(3, 0);
    return mb;
}

} // namespace

int main(int argc, char *argv[])
{
    keepMemoryForReuse(); // as the program does
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 && args[1] == QLatin1String("--program"))
        return measureProgram(args[2]);
    if (args.size() > 1 && args[1] == QLatin1String("--minimal"))
        return measureMinimal();

    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 3;
    QTemporaryDir root;
    bench::makeSite(root.path(), bench::symbols(SetSize));
    QAtomicInt generation;
    FixtureSite site(root.path());
    bench::changeQuotes(site, root.path(), &generation);
    if (!site.start())
        return 1;
    std::vector<double> start, updated, zoomed, minimal;
    for (int i = 0; i < runs; ++i) {
        const int before = site.requestCount();
        generation.ref();
        const std::vector<double> p = child({QStringLiteral("--program"), site.host()});
        start.push_back(p[0]);
        updated.push_back(p[1]);
        zoomed.push_back(p[2]);
        std::printf("  process %d: its Update made %d requests\n", i + 1, site.requestCount() - before);
        minimal.push_back(child({QStringLiteral("--minimal")})[0]);
    }
    const bench::Figures s = bench::figures(start), u = bench::figures(updated), z = bench::figures(zoomed),
                         m = bench::figures(minimal);
    std::printf("memory on %s, %d fresh processes each:\n"
                "  before the window                 min %.1f MB  median %.1f MB\n"
                "  after a 201-stock Update          min %.1f MB  median %.1f MB\n"
                "  and ten zoom windows              min %.1f MB  median %.1f MB   (goal <= 64 MB)\n"
                "  floor: a minimal Qt window        min %.1f MB  median %.1f MB\n",
                qPrintable(bench::platformName()), runs, s.min, s.median, u.min, u.median, z.min, z.median, m.min,
                m.median);
    std::printf("SUMMARY memory platform=%s updated_mb_min=%.1f updated_mb_median=%.1f zoomed_mb_min=%.1f "
                "zoomed_mb_median=%.1f floor_mb=%.1f goal_mb=64\n",
                qPrintable(bench::platformName()), u.min, u.median, z.min, z.median, m.median);
    return 0;
}
