// Every data sheet filled from its cached pages into a grid model (no
// widget), as the main window's sheets are drawn, with each page grown to
// about 100 KB and to about 5 MB. The pages are those an update run over the
// fixture site caches; each is grown by repeating a row of its longest
// table. Prints, per sheet, min and median per 100 KB of page at each size
// and how much the cost per 100 KB grows from 100 KB to 5 MB (1.00: linear)
// with the grid's rows at each size (a sheet whose rows stay the same does
// not read the rows its page was grown by: its figure is the page's scan),
// then a last line a script can read with the worst sheet of each.
//
//   sheet_fill [runs]   (default 5 at 100 KB, 3 at 5 MB)
#include "BenchSite.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "platform/Heap.h"
#include "platform/PathResolver.h"
#include "sheets/market/AnalystActions.h"
#include "sheets/market/FundPages.h"
#include "sheets/market/IpoCalendars.h"
#include "sheets/market/IpoLists.h"
#include "sheets/market/MarketLists.h"
#include "sheets/market/SplitCalendars.h"
#include "sheets/market/UsIndices.h"
#include "sheets/market/WorldMarkets.h"
#include "sheets/symbol/AnalystSheets.h"
#include "sheets/symbol/EarningsSheets.h"
#include "sheets/symbol/InsiderTrades.h"
#include "sheets/symbol/OptionChains.h"
#include "sheets/symbol/Profile.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "sheets/symbol/Statements.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The page grown to about `bytes` by copies of a middle row of its longest table.
QByteArray grown(const QByteArray &page, qsizetype bytes)
{
    const QByteArray lower = page.toLower();
    qsizetype bestStart = -1, bestEnd = -1, bestRows = 0;
    for (qsizetype open = lower.indexOf("<table"); open >= 0; open = lower.indexOf("<table", open + 6)) {
        const qsizetype next = lower.indexOf("<table", open + 6);
        qsizetype close = lower.indexOf("</table", open);
        if (close < 0)
            close = lower.size();
        if (next >= 0 && next < close)
            close = next; // the rows of this table up to the one inside it
        qsizetype rows = 0;
        for (qsizetype r = lower.indexOf("<tr", open); r >= 0 && r < close; r = lower.indexOf("<tr", r + 3))
            ++rows;
        if (rows > bestRows) {
            bestRows = rows;
            bestStart = open;
            bestEnd = close;
        }
    }
    if (bestRows < 2)
        return QByteArray();
    qsizetype row = lower.indexOf("<tr", bestStart);
    for (qsizetype i = 0; i < bestRows / 2; ++i)
        row = lower.indexOf("<tr", row + 3);
    qsizetype end = lower.indexOf("<tr", row + 3);
    if (end < 0 || end > bestEnd)
        end = bestEnd;
    const QByteArray copy = page.mid(row, end - row);
    if (copy.isEmpty())
        return QByteArray();
    QByteArray out;
    out.reserve(bytes + copy.size());
    out += page.left(end);
    while (out.size() + (page.size() - end) < bytes)
        out += copy;
    out += page.mid(end);
    return out;
}

struct Sheet
{
    const char *name;
    std::function<void()> fill;
};

std::vector<Sheet> sheets()
{
    std::vector<Sheet> s = {
        {"Annual Balance Sheet", FG_ABS}, {"Annual Income Statement", FG_AIS}, {"Earning Growth", FG_EG},
        {"Earning History", FG_EH}, {"Earning Estimates", FG_ER}, {"Consensus EPS Trend", FG_EC},
        {"Calls", FG_Calls}, {"Puts", FG_Puts}, {"Options", FG_Options}, {"Insider Trade", FG_IT},
        {"Splits History", FG_Splits}, {"Upgrades History", FG_UpgradeHistory},
        {"Downgrades History", FG_DowngradeHistory}, {"Momentum Rating", FG_Momentum},
        {"Broker Reports", FG_BrokerReports}, {"Profile", FG_Profile}, {"Short Interest", FG_SI},
        {"Quarterly Reports", FG_QR}, {"Upgrades", FG_Upgrades}, {"Downgrades", FG_Downgrades},
        {"Coverage", FG_Coverage}, {"U.S. Markets", FG_US}, {"World Markets", FG_WMarket},
        {"IPO Registrations", FG_IPO_Reg}, {"IPO Pricings", FG_IPO_Price}, {"IPO Losers", FG_IPO_Loss},
        {"IPO Gainers", FG_IPO_Gain}, {"IPO Withdrawals", FG_IPO_With}, {"IPO News", FG_IPO_News},
        {"IPO Latest", FG_IPO_Last}, {"Funds (growth)", [] { FG_Funds(QStringLiteral("F_Growth")); }},
    };
    static const char *const options[] = {"Option Summary 0", "Option Summary 1", "Option Summary 2"};
    for (short i = 0; i < 3; ++i)
        s.push_back({options[i], [i] { FG_OptSum(i); }});
    static const char *const splits[] = {"Split Calendar 0", "Split Calendar 1", "Split Calendar 2",
                                         "Split Calendar 3", "Split Calendar 4"};
    for (short i = 0; i < 5; ++i)
        s.push_back({splits[i], [i] { FG_SplitCal(i); }});
    static QList<QByteArray> lists;
    for (short i = 1; i <= 30; ++i) {
        lists << "Market list " + QByteArray::number(i);
        s.push_back({lists.last().constData(), [i] { ShowConsultation(i); }});
    }
    return s;
}

struct Result
{
    double min100k = 0, median100k = 0, min5m = 0, median5m = 0;
    int rows100k = 0, rows5m = 0; // the grid's rows after the fill
};

} // namespace

int main(int argc, char **argv)
{
    keepMemoryForReuse(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runsSmall = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    const int runsLarge = qMax(1, runsSmall * 3 / 5);

    TempProfile profile;
    profile.createProgramKey();
    SaveSetting(QStringLiteral("RunOnce"), 1);
    FixtureSite site;
    if (!site.start())
        return 1;
    setAllSiteHosts(site.host());
    const QStringList known = {QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT")};
    bench::fillSet(known);
    {
        bench::Window window; // caches every page of every sheet
        window.run();
    }

    // The cached pages as the run left them.
    QHash<QString, QByteArray> pages;
    QDirIterator it(resolvePath(DataDir + QStringLiteral("\\Cache")), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (file.contains(QLatin1String("/Reports/")))
            continue;
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            pages.insert(file, f.readAll());
    }

    RecordingMainWindow window;
    window.grid.setWidth(12000);
    ReadStocks();
    CurSymbol = QStringLiteral("IBM");
    const std::vector<Sheet> all = sheets();
    std::vector<Result> results(all.size());
    for (const qsizetype size : {qsizetype(100 * 1024), qsizetype(5 * 1024 * 1024)}) {
        int grownPages = 0;
        for (auto p = pages.cbegin(); p != pages.cend(); ++p) {
            const QByteArray g = grown(p.value(), size);
            QFile f(p.key());
            if (!g.isEmpty() && f.open(QIODevice::WriteOnly)) {
                f.write(g);
                ++grownPages;
            }
        }
        const bool small = size < 1024 * 1024;
        std::printf("%d of %lld cached pages grown to about %lld KB\n", grownPages, qint64(pages.size()),
                    qint64(size / 1024));
        for (size_t s = 0; s < all.size(); ++s) {
            std::vector<double> per100k;
            for (int r = 0; r < (small ? runsSmall : runsLarge); ++r) {
                QElapsedTimer t;
                t.start();
                all[s].fill();
                per100k.push_back(t.nsecsElapsed() / 1e6 * (100.0 * 1024) / double(size));
            }
            const bench::Figures f = bench::figures(per100k);
            (small ? results[s].rows100k : results[s].rows5m) = window.grid.Rows();
            (small ? results[s].min100k : results[s].min5m) = f.min;
            (small ? results[s].median100k : results[s].median5m) = f.median;
        }
    }
    std::printf("%-26s %26s %26s %8s %16s\n", "ms per 100 KB of page", "at 100 KB: min / median", "at 5 MB: min / median",
                "growth", "grid rows");
    size_t worst100 = 0, worst5 = 0, worstGrowth = 0;
    const auto growth = [&](size_t s) { return results[s].median5m / qMax(1e-6, results[s].median100k); };
    for (size_t s = 0; s < all.size(); ++s) {
        const Result &r = results[s];
        // A sheet whose rows do not grow with its page does not read the rows the page was grown by.
        std::printf("%-26s %12.3f / %-11.3f %12.3f / %-11.3f %8.2f %7d / %-7d%s\n", all[s].name, r.min100k, r.median100k,
                    r.min5m, r.median5m, growth(s), r.rows100k, r.rows5m, r.rows5m > r.rows100k ? "" : "  (not grown)");
        if (r.median100k > results[worst100].median100k)
            worst100 = s;
        if (r.median5m > results[worst5].median5m)
            worst5 = s;
        if (growth(s) > growth(worstGrowth))
            worstGrowth = s;
    }
    std::printf("goal: every sheet <= 1.50 ms per 100 KB, linear to 5 MB\n");
    std::printf("SUMMARY sheet_fill platform=%s worst_100k_ms=%.3f worst_100k=\"%s\" worst_5m_ms=%.3f worst_5m=\"%s\" "
                "worst_growth=%.2f worst_growth_sheet=\"%s\" goal_ms=1.50\n",
                qPrintable(bench::platformName()), results[worst100].median100k, all[worst100].name,
                results[worst5].median5m, all[worst5].name, growth(worstGrowth), all[worstGrowth].name);
    return 0;
}
