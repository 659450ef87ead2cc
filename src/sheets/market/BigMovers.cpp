#include "sheets/market/BigMovers.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "platform/ScreenPointer.h"
#include "sheets/DataSheet.h"

#include <algorithm>

namespace {

constexpr int AddressColumn = 9;
const QLatin1String Space("&nbsp;");

QList<Variant> headersOf(const QString &fileName)
{
    const QString set = fileName.left(4);
    const auto list = [](std::initializer_list<const char *> texts) {
        QList<Variant> out;
        for (const char *t : texts)
            out << QString::fromLatin1(t);
        return out;
    };
    if (set == QLatin1String("brMA"))
        return list({"Rank", "Company Name", "Symbol", "Volume", "50-Day Avg. Vol.", "Closing Price", "Price Change", "P/E Ratio"});
    if (set == QLatin1String("BrLM"))
        return list({"Rank", "Company Name", "Symbol", "Total Dollars Traded", "50-Day Avg. Vol.", "Closing Price",
                     "Price Change", "P/E Ratio"});
    if (set == QLatin1String("brPG") || set == QLatin1String("brPL"))
        return list({"Rank", "Company Name", "Symbol", "% Increase in Price", "Volume", "Closing Price", "Price Change",
                     "P/E Ratio"});
    if (set == QLatin1String("brVG") || set == QLatin1String("brVL"))
        return list({"Rank", "Company Name", "Symbol", "% Increase in Volume", "Volume", "Closing Price", "Price Change",
                     "P/E Ratio"});
    if (set == QLatin1String("br52"))
        return list({"Rank", "Company Name", "Symbol", "Closing price", "Price Change", "52-Week High", "52-Week Low",
                     "% Change in Volume"});
    return {};
}

// The ranking rows: from the last header cell up to the "Show next" link,
// with nested tables turned into further cells. The table words are lower
// case in the tags only: a company such as "TRANSOCEAN" keeps its letters.
QString rankingTable(QString page)
{
    page.remove(QLatin1Char('\t'));
    page = ReplaceInTags(std::move(page), {{QStringLiteral("TABLE"), QStringLiteral("table")},
                                {QStringLiteral("Table"), QStringLiteral("table")},
                                {QStringLiteral("TR"), QStringLiteral("tr")},
                                {QStringLiteral("Tr"), QStringLiteral("tr")},
                                {QStringLiteral("TD"), QStringLiteral("td")},
                                {QStringLiteral("Td"), QStringLiteral("td")},
                                {QStringLiteral("TH"), QStringLiteral("td")},
                                {QStringLiteral("Th"), QStringLiteral("td")}});
    page = replaceAll(std::move(page), {{QStringLiteral("&#187;"), QString()},
                             {QStringLiteral("</tr></table>"), QString()},
                             {QStringLiteral("<table cellpadding=0 cellspacing=0 border=0><tr>"), QStringLiteral("</td>")},
                             {QStringLiteral("<tr WIDtd=\"100%\"><td COLSPAN=\"9\" BGCOLOR=\"#FFFFFF\"><IMG "
                                             "SRC=\"/images/trans.gif\" WIDtd=1 HEIGHT=1></td></tr>"),
                              QString()}});
    return cutFrom(page, QStringLiteral("<BR>Ratio"), QStringLiteral("Show"));
}

// Whether the cell holds "<A href=" in any letter case: each "<" compared
// with it, which reads far fewer letters than a search without case.
bool holdsLink(QStringView cell)
{
    static const QLatin1String link("<A href=");
    for (qsizetype i = cell.indexOf(u'<'); i >= 0 && i + link.size() <= cell.size(); i = cell.indexOf(u'<', i + 1))
        if (cell.sliced(i, link.size()).compare(link, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// An address of the site's own pages made whole; root is the chart site's
// address, looked up once per sheet.
QString absolute(const QString &link, QString &root)
{
    if (link.isEmpty() || link.startsWith(QLatin1String("http://")) || link.startsWith(QLatin1String("https://")))
        return link;
    if (root.isNull())
        root = QStringLiteral("http://") + siteHost(Site::ChartSite); // as siteUrl makes it
    return root + (link.startsWith(QLatin1Char('/')) ? link : QLatin1Char('/') + link);
}

// Each ranking row one grid row: its non-empty cells in order (an empty
// cell moves the rest one column left), the company's address kept in the
// hidden column and its cell drawn as a link. A row without its end tag
// (the table's last, when the page closed it with its table) ends the list.
void rankingRows(FlexGrid &grid, const SheetSpec &decl, const QString &table)
{
    QString root;
    forEachClosedRow(table, [&](QStringView rowText) {
        QString line;
        line.reserve(rowText.size());
        QString address;
        forEachCell(rowText, [&](QStringView cell) {
            // The cell's text written straight after the row's texts so far,
            // its "&nbsp;"s taken out once it is trimmed.
            const qsizetype at = line.size();
            appendCellText(line, cell);
            if (std::find(line.cbegin() + at, line.cend(), u'&') != line.cend())
                for (qsizetype i = line.indexOf(Space, at); i >= 0; i = line.indexOf(Space, i))
                    line.remove(i, Space.size());
            if (address.isEmpty() && holdsLink(cell)) {
                QString linked = cell.toString();
                address = absolute(HtmlText(linked, false, true, true).trimmed(), root);
            }
            if (line.size() > at)
                line += QLatin1Char('\t');
        });
        grid.AddItem(line);
        if (!address.isEmpty()) {
            SheetWalk walk{decl, grid, grid.Rows() - 1, 0};
            walk.write(AddressColumn, address);
            walk.linkLook(1);
        }
    });
}

} // namespace

QString bigMoversTitle(const QString &fileName)
{
    static const char *const kinds[][2] = {
        {"PG", "Largest % Gain in Price"}, {"PL", "Largest % Loss in Price"},   {"VG", "Largest % Gain in Volume"},
        {"VL", "Largest % Loss in Volume"}, {"52-WPH", "New 52-Week Price High"}, {"52-WPL", "New 52-Week Price Lows"},
        {"MAS", "Most Active Stocks"},      {"LMM", "Largest Money Movers "},
    };
    static const char *const exchanges[][2] = {{"Q", "NASDAQ"}, {"N", "NYSE"}, {"A", "AMEX"}};
    for (const auto &kind : kinds)
        for (const auto &exchange : exchanges) {
            const QString name = QStringLiteral("br%1_%2.Sh").arg(QLatin1String(kind[0]), QLatin1String(exchange[0]));
            if (name.compare(fileName, Qt::CaseInsensitive) == 0)
                return QStringLiteral("%1 (%2)").arg(QLatin1String(kind[1]), QLatin1String(exchange[1]));
        }
    return QString();
}

void ShowBigMovers(const QString &fileName)
{
    HourglassPointer hourglass;
    CurType = QStringLiteral("BR");
    Pares_BR(fileName, bigMoversTitle(fileName));
}

void Pares_BR(const QString &FileName, const QString &Caption)
{
    SheetSpec s;
    s.key = QStringLiteral("BR");
    s.cachePath = DataDir + QStringLiteral("/Cache/DataSheet/") + FileName;
    s.noDataText = QStringLiteral("No data for: ") + Caption;
    s.zoomable = false;
    s.cut = rankingTable;
    s.rows = 2;
    s.cols = AddressColumn + 1;
    s.walk = rankingRows;
    s.aligns = {4, 1, 1, 7, 7, 7, 7, 7};
    s.centredHeaders = {0, 1, 2, 3, 4, 5, 6, 7};
    s.title.text = Caption;
    s.title.col = 1;
    s.title.backColor = 0xFFFFFF;
    s.rowHeights = {{0, 2}, {1, 2}, {2, 1}, {-1, 0}, {-2, 0}};
    s.widths = {4, 22, 10, 12, 12, 12, 12, 12, 0, 0};
    s.headers = headersOf(FileName);
    s.onBadPage = SheetFailure::NoData;
    FillSheet(s);
}
