#include "retrieval/MarketFetch.h"

#include "core/Sites.h"
#include "retrieval/FetchHelpers.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/TransferFetch.h"

namespace {

// Error pages of these lists are shorter than this.
constexpr qint64 MinListBytes = 2500;

// The address as the transfer control takes it without a scheme: the
// server followed directly by the path.
QString addressWithoutScheme(Site site, const QString &path)
{
    return siteHost(site) + path;
}

} // namespace

void UpdateBigMovers(short Report, const QString &Code, short Exchange, const QString &Title)
{
    if (StopFlag)
        return;
    const QString file = dataSheetPath(QStringLiteral("Br") + Code + QStringLiteral(".Sh"));
    // The date in the query is a fixed text, whatever the day.
    const QString url = siteUrl(Site::ChartSite, QStringLiteral("/reports/bigmovers.asp?date=19990721&data=%1&start=1&report=%2")
                                                     .arg(Exchange)
                                                     .arg(Report));
    showCaption(BaseCaption + QStringLiteral("   Updating ") + Title);
    GetUrlToFile(file, url, BaseCaption + QStringLiteral("    Updating ") + Title);
}

void UpdateSurp()
{
    if (StopFlag)
        return;
    GetUrlToFile(dataSheetPath(QStringLiteral("25_surp.Sh")), siteUrl(Site::ResearchSite, QStringLiteral("/cgi-bin/25_surp")),
                 BaseCaption + QStringLiteral("    Updating Top 25 Daily Earnings Surprises"));
}

void UpdateWinners()
{
    if (StopFlag)
        return;
    GetUrlToFile(dataSheetPath(QStringLiteral("mwwinners.Sh")),
                 addressWithoutScheme(Site::BrokerSite, QStringLiteral("/dljd/mwwinners.htm")),
                 BaseCaption + QStringLiteral("    Updating Top Winners"));
}

void UpdateLosers()
{
    if (StopFlag)
        return;
    const QString file = dataSheetPath(QStringLiteral("mwlosers.Sh"));
    GetUrlToFile(file, addressWithoutScheme(Site::BrokerSite, QStringLiteral("/dljd/mwlosers.htm")),
                 BaseCaption + QStringLiteral("   Updating Lossers"));
    deleteWhenShorter(file, MinListBytes);
}

void UpdateUpDown()
{
    if (StopFlag)
        return;
    const QString file = dataSheetPath(QStringLiteral("UpDown.Sh"));
    GetUrlToFile(file, addressWithoutScheme(Site::FinancePortal, QStringLiteral("/c/u.html")),
                 BaseCaption + QStringLiteral("    Getting Upgrades/Downgrades"));
    deleteWhenShorter(file, MinListBytes);
}

BigMoversReport bigMoversReportOfBox(int box)
{
    if (box < FirstBigMoversBox || box > LastBigMoversBox)
        return {};
    static const char *const stems[8][2] = {
        {"PG", "Price-Gain"},
        {"PL", "Price-Loss"},
        {"VG", "Volume-Gain"},
        {"VL", "Volume-Loss"},
        {"52-WPH", "52-Week Price Highs"},
        {"52-WPL", "52-Week Price Lows"},
        {"MAS", "Most-Active Stocks"},
        {"LMM", "Largest Money Movers"},
    };
    struct Column
    {
        short exchange;
        const char *code;
        const char *title;
    };
    static const Column columns[3] = {{2, "_Q", " (NASDAQ)"}, {1, "_N", " (NYSE)"}, {3, "_A", " (AMEX)"}};
    const int report = (box - FirstBigMoversBox) / 3 + 1;
    const Column &c = columns[(box - FirstBigMoversBox) % 3];
    return {short(report), QLatin1String(stems[report - 1][0]) + QLatin1String(c.code), c.exchange,
            QLatin1String(stems[report - 1][1]) + QLatin1String(c.title)};
}
