#include "SamplePages.h"

#include "support/site/FixtureSite.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrlQuery>

namespace {

// --- Big-mover lists -------------------------------------------------------

struct Mover
{
    const char *symbol;
    const char *name;
};
const Mover Movers[] = {{"IBM", "International Business Machines"},
                        {"ACME", "Acme Widgets Inc"},
                        {"BOLT", "Bolt Electric Corp"},
                        {"CRWN", "Crown Foods Co"},
                        {"DYNA", "Dynamo Systems Inc"}};

// The list's headings as the page gives them; the last ends in "<BR>Ratio",
// where the program's cut begins.
QStringList moverHeadings(int report)
{
    const QStringList tail{QStringLiteral("Last"), QStringLiteral("Change"), QStringLiteral("P/E<BR>Ratio")};
    switch (report) {
    case 1:
    case 2: return QStringList{QStringLiteral("% Change"), QStringLiteral("Volume")} + tail;
    case 3:
    case 4: return QStringList{QStringLiteral("% Change in Volume"), QStringLiteral("Volume")} + tail;
    case 5:
    case 6:
        return {QStringLiteral("Last"), QStringLiteral("Change"), QStringLiteral("52-Week High"),
                QStringLiteral("52-Week Low"), QStringLiteral("% Change in Volume"), QStringLiteral("P/E<BR>Ratio")};
    case 7: return QStringList{QStringLiteral("Volume"), QStringLiteral("50-Day Avg. Vol.")} + tail;
    default: return QStringList{QStringLiteral("Total Dollars Traded"), QStringLiteral("50-Day Avg. Vol.")} + tail;
    }
}

// One ranking row's values after rank, company and symbol, in heading order.
QStringList moverValues(int report, int seed)
{
    const bool gain = report != 2 && report != 4 && report != 6;
    const QString sign = gain ? QStringLiteral("+") : QStringLiteral("-");
    const int price = 20 + seed % 40;
    const QString fraction = QStringList{QString(), QStringLiteral(" 1/4"), QStringLiteral(" 1/2"),
                                         QStringLiteral(" 3/4")}[seed % 4];
    const QString last = QString::number(price) + fraction;
    const QString change = sign + QString::number(1 + seed % 3) + QStringLiteral(" 1/8");
    const QString volume = QStringLiteral("%1,%2").arg((seed * 37) % 900 + 100).arg((seed * 13) % 900 + 100, 3, 10, QLatin1Char('0'));
    const QString average = QStringLiteral("%1,%2").arg((seed * 11) % 500 + 100).arg((seed * 7) % 900 + 100, 3, 10, QLatin1Char('0'));
    const QString ratio = QStringLiteral("%1.%2").arg(10 + seed % 20).arg(seed % 10);
    switch (report) {
    case 1:
    case 2: return {sign + QStringLiteral("%1.%2%").arg(seed % 9 + 1).arg(seed % 10), volume, last, change, ratio};
    case 3:
    case 4: return {sign + QStringLiteral("%1.%2%").arg(seed % 90 + 10).arg(seed % 10), volume, last, change, ratio};
    case 5:
    case 6:
        return {last, change, QString::number(price + (gain ? 0 : 12)) + fraction,
                QString::number(price - (gain ? 12 : 0)) + fraction, QStringLiteral("+%1.%2%").arg(seed % 50 + 5).arg(seed % 10),
                ratio};
    case 7: return {volume, average, last, change, ratio};
    default: return {QStringLiteral("$%1.%2 mil").arg((seed * 17) % 90 + 10).arg(seed % 10), average, last, change, ratio};
    }
}

QByteArray bigMoversPage(int report, int exchange)
{
    static const char *const kinds[] = {"Price-Gain", "Price-Loss", "Volume-Gain", "Volume-Loss",
                                        "52-Week Price Highs", "52-Week Price Lows", "Most-Active Stocks",
                                        "Largest Money Movers"};
    static const char *const exchanges[] = {"NYSE", "NASDAQ", "AMEX"};
    const QString title = QStringLiteral("%1 (%2)").arg(QLatin1String(kinds[report - 1]), QLatin1String(exchanges[exchange - 1]));
    const QStringList headings = QStringList{QStringLiteral("Rank"), QStringLiteral("Company Name"), QStringLiteral("Symbol")}
                                 + moverHeadings(report);
    const auto row = [](const QStringList &cells) {
        QString r = QStringLiteral("<TR>");
        for (const QString &c : cells)
            r += QStringLiteral("<TD>") + c + QStringLiteral("</TD>");
        return r + QStringLiteral("</TR>\n");
    };
    QString page = QStringLiteral("<html>\n<head><title>Big Movers - %1</title></head>\n<body bgcolor=\"#ffffff\">\n"
                                  "<h3>%1</h3>\n<TABLE BORDER=0 CELLPADDING=2>\n")
                       .arg(title);
    page += row(headings);
    int rank = 0;
    for (const Mover &m : Movers) {
        ++rank;
        page += row(QStringList{QString::number(rank),
                                QStringLiteral("<A href=\"/q?s=%1\">%2</A>").arg(QLatin1String(m.symbol), QLatin1String(m.name)),
                                QLatin1String(m.symbol)}
                    + moverValues(report, report * 7 + exchange * 3 + rank));
    }
    // Two closing rows, which the sheet keeps hidden.
    const QString filler = QStringLiteral("<TR><TD COLSPAN=%1>&nbsp;</TD></TR>\n").arg(headings.size());
    page += filler + filler + QStringLiteral("</TABLE>\n<A HREF=\"?start=26\">Show next 25</A>\n</body>\n</html>\n");
    return page.toLatin1();
}

// --- Per-stock pages --------------------------------------------------------

// The per-stock pages the program fetches; the symbol is the first capture.
const char *const StockPages[] = {
    R"(^/cgi-bin/ShowFreeCompRep\?([A-Za-z.]+)$)",
    R"(^/fq/quotecom/quote\?symbols=([A-Za-z.]+)$)",
    R"(^/cgi-bin/JMFR/FreeReport\?ref=DEF&ticker=([A-Za-z.]+)&hist=[12]$)",
    R"(^/z/a/[a-z]/([A-Za-z.]+)\.html$)",
    R"(^/t/[a-z]/([A-Za-z.]+)\.html$)",
    R"(^/QuoteTable\.dat\?TICKER=([A-Za-z.]+)$)",
    R"(^/cgi-bin/brand_newsalert_mlist\.cgi\?symbol=([A-Za-z.]+)$)",
    R"(^/asp/quotes_full\.asp\?kind=shortint&symbol=([A-Za-z.]+)%60&selected=[A-Za-z.]+%60$)",
    R"(^/quote\.asp\?Symbol=([A-Za-z.]+)&Whattoget=[a-z]+$)",
    R"(^/brand/yahoo/search/\?sym=([A-Za-z.]+)$)",
    R"(^/q\?s=([A-Za-z.]+)$)",
};

// The other pages the program fetches into its cache.
const QRegularExpression &marketPages()
{
    static const QRegularExpression pages(QStringLiteral(
        R"(^/(cgi-bin/25_surp|cgi-bin/htx\.exe/|m1|m2|ipo/|reports/|dljd/|splits|mostsplits|c/u\.html|pellor/|Brw53\.txt))"));
    return pages;
}

QString stockName(const QString &symbol)
{
    if (symbol == QLatin1String("IBM"))
        return QStringLiteral("International Business Machines");
    if (symbol == QLatin1String("BOLT"))
        return QStringLiteral("Bolt Electric Corp");
    return symbol + QStringLiteral(" Inc");
}

QByteArray readPage(const QString &root, const QString &target)
{
    const QString path = FixtureSite::fileFor(root, target);
    QFile f(path);
    return !path.isEmpty() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The folder's ACME page for the same request, made over for symbol.
QByteArray stockPage(const QString &root, const QString &target, const QRegularExpressionMatch &match)
{
    const QString symbol = match.captured(1);
    if (symbol.compare(QLatin1String("ACME"), Qt::CaseInsensitive) == 0)
        return QByteArray();
    QString acme = target;
    acme.replace(match.capturedStart(1), match.capturedLength(1),
                 symbol == symbol.toLower() ? QStringLiteral("acme") : QStringLiteral("ACME"));
    acme.replace(QRegularExpression(QStringLiteral("^/(z/a|t)/[a-z]/")), QStringLiteral("/\\1/a/"));
    acme.replace(QRegularExpression(QStringLiteral("selected=[A-Za-z.]+%60")), QStringLiteral("selected=ACME%60"));
    QString page = QString::fromLatin1(readPage(root, acme));
    if (page.isEmpty())
        return QByteArray();
    const QString upper = symbol.toUpper();
    page.replace(QLatin1String("Acme Widgets Inc"), stockName(upper));
    page.replace(QLatin1String("Acme Widgets"), stockName(upper));
    page.replace(QLatin1String("ACME"), upper);
    page.replace(QLatin1String("acme"), upper.toLower());
    page.replace(QLatin1String("Acme"), stockName(upper));
    return page.toLatin1();
}

// --- Pages opened in the browser --------------------------------------------

struct Known
{
    const char *pattern; // matched against the path and query
    const char *name;
};

// Most specific first.
const Known BrowserPages[] = {
    {R"(^/b\?s=)", "the intraday price chart"},
    {R"(^/c/(3m|1y|2y|5y|my|mym|mys)/)", "a price chart picture"},
    {R"(^/c/)", "the company's overview"},
    {R"(^/n/i/)", "the company's news"},
    {R"(^/n/)", "the company's news headlines"},
    {R"(^/p/e/)", "the company profile"},
    {R"(^/p/)", "the offering's prospectus"},
    {R"(^/e/l/u/)", "the company's filings with the SEC"},
    {R"(^/t/u/)", "the insider trades"},
    {R"(^/t/[a-z]/[^/]+/)", "the insider's own trades"},
    {R"(^/\?action=q&board=)", "the message board"},
    {R"(^/bbs\?)", "the message board's topics"},
    {R"(^/q\?s=.*&d=3m)", "the three-month price chart"},
    {R"(^/q\?s=.*&d=r)", "the research summary"},
    {R"(^/q\?s=)", "the quote page"},
    {R"(^/auth/doctrans)", "the quarterly report's text"},
    {R"(^/cgi/inet/qndigest)", "the broker's company digest"},
    {R"(^/ows-bin/owa/zbrc)", "the analysts' company report"},
    {R"(^/cgi-bin/cboeget)", "the option's quote"},
    {R"(^/quote\.asp\?symbol=.*detailquote)", "the detailed quote"},
    {R"(^/quote\.asp\?Mode=JAVACHART)", "the interactive chart"},
    {R"(^/quote\.asp\?.*Mode=NEWS)", "the news of the quote site"},
    {R"(^/news/pressrel)", "the company's press releases"},
    {R"(^/bin/headlines)", "the news headlines"},
    {R"(^/search/news)", "the magazine's news search"},
    {R"(^/industry_list_new)", "the industry news"},
    {R"(^/fq/quotecom/headlines)", "the quote service's headlines"},
    {R"(^/investments/news)", "the personal-finance news"},
    {R"(^/StockQT/NV_News)", "the fund-rating site's news"},
    {R"(^/news/news\.asp)", "the forum's news"},
    {R"(^/free/digest)", "the news digest"},
    {R"(^/analytics/bquote)", "the business news"},
    {R"(^/home/wchart)", "the ratio chart"},
    {R"(^/~wsapi/investor)", "the technology forum's search"},
    {R"(^/wsc/Industry_Group_Analysis)", "the industry group analysis"},
    {R"(^/wsc/Technical)", "the technical indicator chart"},
    {R"(^/basicscreen\.asp)", "the stock screen's results"},
    {R"(^/content/MONEYNET/News/NewsHeadlines)", "the news headlines of the chosen days"},
    {R"(^/intchart/frames/chart)", "the interactive price chart"},
    {R"(^/l(\?|$))", "the symbol look-up"},
    {R"(^/brindlewick\.htm|^/$)", "the maker's home page"},
    {R"(\.zip$)", "the download of the new version"},
};

QString symbolIn(const QString &target)
{
    const QUrlQuery query(target.section(QLatin1Char('?'), 1));
    for (const char *key : {"s", "symbol", "Symbol", "symbols", "symb", "ticker", "TICKER", "tick", "sym", "Query", "board"}) {
        const QString v = query.queryItemValue(QLatin1String(key));
        if (!v.isEmpty())
            return v.section(QLatin1Char('&'), 0, 0).toUpper();
    }
    return QString();
}

QByteArray browserPage(const QString &target)
{
    QString name = realPageName(target);
    if (name.isEmpty())
        name = QStringLiteral("the page at this address");
    if (const QString symbol = symbolIn(target); !symbol.isEmpty())
        name += QStringLiteral(" for ") + symbol;
    return QStringLiteral("<html><head><title>Sample site: %1</title></head><body>\n"
                          "<h2>Brindlewick sample site</h2>\n"
                          "<p>On the real site this address shows <b>%1</b>.</p>\n"
                          "<p>The sample site has no copy of that page. Set the sites in the settings file to the "
                          "real ones to see it.</p>\n"
                          "<p><tt>%2</tt></p>\n</body></html>\n")
        .arg(name.toHtmlEscaped(), target.toHtmlEscaped())
        .toUtf8();
}

} // namespace

QString realPageName(const QString &target)
{
    for (const Known &k : BrowserPages)
        if (QRegularExpression(QLatin1String(k.pattern)).match(target).hasMatch())
            return QLatin1String(k.name);
    return QString();
}

QByteArray samplePageFor(const QString &root, const QString &target)
{
    static const QRegularExpression movers(
        QStringLiteral(R"(^/reports/bigmovers\.asp\?date=19990721&data=([123])&start=1&report=([1-8])$)"));
    if (const auto m = movers.match(target); m.hasMatch())
        return bigMoversPage(m.captured(2).toInt(), m.captured(1).toInt());
    if (QFileInfo(FixtureSite::fileFor(root, target)).isFile())
        return QByteArray();
    for (const char *pattern : StockPages)
        if (const auto m = QRegularExpression(QLatin1String(pattern)).match(target); m.hasMatch())
            return stockPage(root, target, m);
    if (marketPages().match(target).hasMatch())
        return QByteArray();
    return browserPage(target);
}
