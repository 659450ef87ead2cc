// A full update run, every box ticked, of a 50-stock and of a 201-stock set
// against a loopback site that holds every page of every stock, as the user
// meets it: the quotes change from run to run, a 100-trade portfolio holds
// the set's stocks, and the first run (an empty cache) is timed too. The
// price sheet is shown in the grid.
//
// After each run the same requests are fetched bare, one after another, over
// the transport each went by (the program's socket client: the very request
// bytes on a Qt socket; the others through Qt's network access), with no
// parsing and no file written; then once more as a plain blocking HTTP/1.0
// loop (the floor). Prints min and median of the runs, the ratio run / bare,
// the program's own time per request beyond the bare fetch, and a last line
// a script can read.
//
//   update_run [runs [stocks...]]   (default 5 runs of 50 and of 201 stocks)
//   Run under QT_QPA_PLATFORM=offscreen, or under Xvfb (benchmarks/xvfb.sh).
#include "BenchSite.h"

#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "platform/Heap.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

struct Result
{
    int stocks = 0;
    double firstRatio = 0, ratioMin = 0, ratioMedian = 0, floorRatio = 0, ownUs = 0, cpuRatio = 0, ownCpuUs = 0;
};

Result measure(const QString &root, const QStringList &symbols, int runs)
{
    TempProfile profile;
    profile.createProgramKey();
    SaveSetting(QStringLiteral("RunOnce"), 1);
    QAtomicInt generation;
    FixtureSite site(root);
    bench::changeQuotes(site, root, &generation);
    if (!site.start())
        return {};
    setAllSiteHosts(site.host());
    bench::fillSet(symbols);
    bench::fillPortfolio(symbols, 100);
    bench::Window window;

    // The first run: nothing cached yet.
    int before = site.requestCount();
    const double first = window.run();
    const bench::Bare firstBare = bench::bareFetches(site, bench::requestsSince(site, before));

    std::vector<double> full, bare, floor, own, ratio, cpuRun, cpuBare, ownCpu;
    int requests = 0, socket = 0;
    for (int i = 0; i < runs; ++i) {
        generation.ref();
        before = site.requestCount();
        full.push_back(window.run());
        const QList<bench::Request> made = bench::requestsSince(site, before);
        requests = int(made.size());
        const bench::Bare b = bench::bareFetches(site, made);
        socket = b.socketRequests;
        bare.push_back(b.seconds);
        floor.push_back(b.floor);
        // Paired, so that a slow moment of the machine falls on both.
        own.push_back(full.back() - b.seconds);
        ratio.push_back(full.back() / b.seconds);
        cpuRun.push_back(window.lastCpu());
        cpuBare.push_back(b.cpu);
        ownCpu.push_back(window.lastCpu() - b.cpu);
    }
    const bench::Figures f = bench::figures(full), b = bench::figures(bare), fl = bench::figures(floor),
                         r = bench::figures(ratio), o = bench::figures(own);
    Result res;
    res.stocks = int(symbols.size());
    res.firstRatio = first / firstBare.seconds;
    res.ratioMin = f.min / b.min; // the quietest of each
    res.ratioMedian = r.median;
    res.floorRatio = f.median / fl.median;
    res.ownUs = o.median / qMax(1, requests) * 1e6;
    const bench::Figures cr = bench::figures(cpuRun), cb = bench::figures(cpuBare), oc = bench::figures(ownCpu);
    res.cpuRatio = cr.min / qMax(1e-9, cb.min);
    res.ownCpuUs = oc.min / qMax(1, requests) * 1e6;
    std::printf("%3d stocks, %d requests (%d by the socket client), a 100-trade portfolio, quotes changing, %d runs:\n"
                "  first run (empty cache) %.3f s, its bare fetches %.3f s: %.2f x\n"
                "  full run          min %.3f s  median %.3f s\n"
                "  bare, same transports min %.3f s  median %.3f s\n"
                "  floor (plain HTTP/1.0 loop) min %.3f s  median %.3f s\n"
                "  run / bare        min/min %.2f    median of pairs %.2f   (goal <= 1.20)\n"
                "  run / floor       median %.2f\n"
                "  program's own time per request: %.0f us (median; min %.0f us)\n"
                "  main thread's processor time: run min %.3f s median %.3f s, bare min %.3f s median %.3f s: "
                "%.2f x (min/min), own %.0f us per request (min)\n",
                res.stocks, requests, socket, runs, first, firstBare.seconds, res.firstRatio, f.min, f.median, b.min,
                b.median, fl.min, fl.median, res.ratioMin, r.median, res.floorRatio, res.ownUs,
                o.min / qMax(1, requests) * 1e6, cr.min, cr.median, cb.min, cb.median, res.cpuRatio, res.ownCpuUs);
    std::fflush(stdout);
    return res;
}

} // namespace

int main(int argc, char *argv[])
{
    keepMemoryForReuse(); // as the program does
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    QTemporaryDir root;
    const QStringList all = bench::symbols(SetSize);
    const int pages = bench::makeSite(root.path(), all);
    std::printf("update_run on %s: the fixture pages and %d pages for each of %lld stocks\n",
                qPrintable(bench::platformName()), pages, qint64(all.size()));
    QList<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes << qBound(1, atoi(argv[i]), int(SetSize));
    if (sizes.isEmpty())
        sizes = {50, int(SetSize)};
    QList<Result> results;
    for (const int n : sizes)
        results << measure(root.path(), all.mid(0, n), runs);
    double growth = 0;
    if (results.size() >= 2 && results.front().ownUs > 0) {
        growth = results.back().ownUs / results.front().ownUs;
        std::printf("own time per request at %d stocks / at %d: %.2f (goal within 10 %%)\n", results.back().stocks,
                    results.front().stocks, growth);
    }
    std::printf("SUMMARY update_run platform=%s", qPrintable(bench::platformName()));
    for (const Result &r : results)
        std::printf(" s%d_ratio_min=%.3f s%d_ratio_median=%.3f s%d_first_ratio=%.3f s%d_floor_ratio=%.3f s%d_own_us=%.0f"
                    " s%d_cpu_ratio=%.3f s%d_own_cpu_us=%.0f",
                    r.stocks, r.ratioMin, r.stocks, r.ratioMedian, r.stocks, r.firstRatio, r.stocks, r.floorRatio,
                    r.stocks, r.ownUs, r.stocks, r.cpuRatio, r.stocks, r.ownCpuUs);
    std::printf(" own_growth=%.3f goal_ratio=1.20\n", growth);
    return 0;
}
