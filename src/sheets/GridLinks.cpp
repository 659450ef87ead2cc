#include "sheets/GridLinks.h"

#include "core/Registry.h"
#include "core/Sites.h"
#include "core/VbString.h"
#include "platform/FlexGrid.h"
#include "platform/UrlOpener.h"

#include <QCoreApplication>

#include <functional>

namespace {

constexpr int SubscriptOutOfRange = 381;

QString url(Site site, const QString &path)
{
    return siteUrl(site, path);
}

// Part of a query taken from a cell.
QString enc(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// The clicked row, read as the link table needs it. A column the grid
// does not have fails the click.
struct Row
{
    const FlexGrid &grid;
    int row;

    QString text(int col) const
    {
        if (!grid.isCell(row, col))
            vb::raise(SubscriptOutOfRange);
        return grid.TextMatrix(row, col);
    }
    // The first four characters, trimmed.
    QString shortSymbol(int col) const { return vb::Trim(vb::Left(text(col), 4)); }
    // Between the first "(" and the next ")", trimmed; empty when there is no "(".
    QString optionCode(int col, bool *found) const
    {
        const QString t = text(col);
        const int open = vb::InStr(t, QStringLiteral("("));
        *found = open > 0;
        if (!*found)
            return QString();
        const int close = vb::InStr(open, t, QStringLiteral(")"));
        return vb::Trim(vb::Mid(t, open + 1, close - open - 1));
    }
};

QString letter(const QString &symbol)
{
    return vb::Left(symbol, 1).toLower();
}

QString quotePage(const QString &symbol)
{
    return url(Site::QuotePortal, QStringLiteral("/q?s=") + enc(symbol) + QStringLiteral("&d=t"));
}

QString companyPage(const QString &symbol)
{
    return url(Site::FinancePortal, QStringLiteral("/c/") + letter(symbol) + QLatin1Char('/') + symbol +
                                             QStringLiteral(".html"));
}

// The page chosen by the clicked cell's word; index pages put "^" before
// the symbol.
QString wordPage(const QString &word, const QString &symbol, bool index)
{
    const QString caret = index ? QStringLiteral("^") : QString();
    const QString path = caret + symbol;
    const QString query = caret + enc(symbol);
    if (word == QLatin1String("News"))
        return url(Site::FinancePortal, QStringLiteral("/n/i/") + path + QStringLiteral(".html"));
    if (word == QLatin1String("Chart"))
        return url(Site::QuotePortal, QStringLiteral("/q?s=") + query + QStringLiteral("&d=3m"));
    if (word == QLatin1String("Profile"))
        return url(Site::FinancePortal, QStringLiteral("/p/e/") + path + QStringLiteral(".html"));
    if (word == QLatin1String("SEC"))
        return url(Site::PortalFilings, QStringLiteral("/e/l/u/") + path + QStringLiteral(".html"));
    if (word == QLatin1String("Msgs"))
        return url(Site::PortalBoards, QStringLiteral("/?action=q&board=") + query);
    if (word == QLatin1String("Insider"))
        return url(Site::FinancePortal, QStringLiteral("/t/u/") + path + QStringLiteral(".html"));
    if (word == QLatin1String("Research"))
        return url(Site::QuotePortal, QStringLiteral("/q?s=") + query + QStringLiteral("&d=r"));
    return url(Site::QuotePortal, QStringLiteral("/q?s=") + query + QStringLiteral("&d=t"));
}

QString optionPage(const Row &r, int col, bool dropBlanks)
{
    bool found = false;
    QString code = r.optionCode(col, &found);
    if (!found)
        return QString();
    if (dropBlanks)
        code.remove(QLatin1Char(' '));
    return url(Site::OptionsExchange, QStringLiteral("/cgi-bin/cboeget.exe?TICKER=") + enc(code));
}

// A world index's symbol as its pages name it after their "^": the symbol
// column's text, whole, without the "^" it is listed with ("^GSPTSE").
QString indexSymbol(const Row &r)
{
    QString symbol = vb::Trim(r.text(3));
    while (symbol.startsWith(QLatin1Char('^')))
        symbol.remove(0, 1);
    return symbol;
}

// Columns: a list, and optionally every column from one on.
struct Columns
{
    QList<int> list;
    int from = -1;
    bool has(int col) const { return list.contains(col) || (from >= 0 && col >= from); }
};

struct LinkEntry
{
    QStringList keys;
    Columns click;
    Columns pointer;
    std::function<QString(const Row &, int col)> address; // "" opens nothing
};

const QList<LinkEntry> &linkTable()
{
    static const QList<LinkEntry> table = {
        {{"QR"}, {{1}}, {{1}},
         [](const Row &r, int) { return url(Site::FilingsSite, QStringLiteral("/auth/doctrans") + r.text(4)); }},
        {{"Coverage"}, {{1, 4}}, {{1, 4}},
         [](const Row &r, int col) { return col == 1 ? quotePage(r.text(1)) : companyPage(r.text(1)); }},
        {{"Upgrade", "Downgrade"}, {{1, 5}}, {{1}},
         [](const Row &r, int col) { return col == 1 ? quotePage(r.text(1)) : companyPage(r.text(1)); }},
        {{"WINLOS"}, {{1}}, {{1}},
         [](const Row &r, int) {
             return url(Site::BrokerSite,
                        QStringLiteral("/cgi/inet/qndigest.trn?selection=company_digest&symbol=") + enc(r.text(1)));
         }},
        {{"SUP"}, {{0}}, {{0}},
         [](const Row &r, int) {
             return url(Site::ResearchSite, QStringLiteral("/ows-bin/owa/zbrc?tick=") + enc(r.text(0)) +
                                                    QStringLiteral("&comp_id=main&search=1"));
         }},
        {{"IT"}, {{2}}, {{2}}, [](const Row &r, int) { return url(Site::FinancePortal, QLatin1Char('/') + r.text(1)); }},
        {{"Call", "Put"}, {{0}}, {{0, 5}}, [](const Row &r, int) { return optionPage(r, 0, false); }},
        {{"Options"}, {{1, 8}}, {{1, 8}}, [](const Row &r, int col) { return optionPage(r, col, true); }},
        {{"BR"}, {{1}}, {{1}}, [](const Row &r, int) { return r.text(9); }},
        {{"US"}, {{2}}, {{2}}, [](const Row &r, int) { return r.text(8); }},
        {{"IPO_Price"}, {{1}, 5}, {{1}, 5},
         [](const Row &r, int col) { return wordPage(r.text(col), r.shortSymbol(2), false); }},
        // The latest-events sheet lists the symbol in column 1, the company in 2.
        {{"IPO_Last"}, {{1}, 5}, {{1}, 5},
         [](const Row &r, int col) { return wordPage(r.text(col), vb::Trim(r.text(1)), false); }},
        {{"IPO_Gain", "IPO_Loss"}, {{1}, 6}, {{1}, 6},
         [](const Row &r, int col) { return wordPage(r.text(col), r.shortSymbol(1), false); }},
        {{"WM"}, {{3}, 6}, {{3}, 7}, [](const Row &r, int col) { return wordPage(r.text(col), indexSymbol(r), true); }},
        {{"IPO_Reg"}, {{7}}, {{7}},
         [](const Row &r, int) { return url(Site::FinancePortal, QStringLiteral("/p/") + r.text(2) + QStringLiteral(".html")); }},
        {{"IPO_With"}, {{6}}, {{6}},
         [](const Row &r, int) { return url(Site::FinancePortal, QStringLiteral("/p/") + r.text(2) + QStringLiteral(".html")); }},
        {{"IPO_News"}, {{1}}, {{1}}, [](const Row &r, int) { return url(Site::FinancePortal, QLatin1Char('/') + r.text(4)); }},
        {{"FMS1", "FMS2"}, {{0}}, {{0}},
         [](const Row &r, int) {
             return url(Site::AnalystData, QStringLiteral("/quote.asp?symbol=") + enc(r.text(0)) +
                                                   QStringLiteral("&Whattoget=detailquote"));
         }},
    };
    return table;
}

const LinkEntry *entryFor(const QString &key)
{
    for (const LinkEntry &e : linkTable())
        if (e.keys.contains(key))
            return &e;
    return nullptr;
}

bool isFundList(const QString &key)
{
    return key.startsWith(QLatin1String("F_"));
}

bool isStatement(const QString &key)
{
    return key == QLatin1String("AIS") || key == QLatin1String("ABS");
}

} // namespace

GridLink gridLinkAt(const QString &sheetKey, const FlexGrid &grid, int row, int col)
{
    if (isFundList(sheetKey) || row < 2)
        return {};
    if (isStatement(sheetKey))
        return {GridLink::MarkRed, {}};
    const LinkEntry *entry = entryFor(sheetKey);
    if (!entry || !entry->click.has(col))
        return {};
    QString address;
    try {
        address = entry->address(Row{grid, row}, col);
    } catch (const vb::Error &) {
        return {};
    }
    if (vb::Len(address) < 2)
        return {};
    // Addresses come from cached pages: only web pages are opened.
    const QUrl target(address, QUrl::TolerantMode);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || target.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {};
    return {GridLink::Open, target};
}

bool isLinkPointerColumn(const QString &sheetKey, int col)
{
    if (isFundList(sheetKey))
        return col == 0;
    const LinkEntry *entry = entryFor(sheetKey);
    return entry && entry->pointer.has(col);
}

void clickGridLink(const QString &sheetKey, FlexGrid &grid)
{
    const GridLink link = gridLinkAt(sheetKey, grid, grid.RowSel(), grid.Col());
    if (link.action == GridLink::MarkRed) {
        grid.setCellForeColor(0xFF);
    } else if (link.action == GridLink::Open) {
        openExternalUrl(link.url);
        QCoreApplication::processEvents();
    }
}
