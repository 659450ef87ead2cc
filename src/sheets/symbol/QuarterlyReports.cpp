#include "sheets/symbol/QuarterlyReports.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"

namespace {

// The filings table follows the "Sort By" table; its first row is left out.
QString filingsTable(const QString &page)
{
    const QString text = filingsText(cutFrom(page, QStringLiteral("Sort By"), QStringLiteral("</html")));
    const int sortBy = vb::InStr(text, QStringLiteral("Sort By"));
    const int sortEnd = vb::InStr(sortBy, text, QStringLiteral("</table>"));
    const int filings = vb::InStr(sortEnd, text, QStringLiteral("<table"));
    const int firstRow = vb::InStr(filings, text, QStringLiteral("<tr"));
    const int firstRowEnd = vb::InStr(firstRow, text, QStringLiteral("</tr"));
    const int end = vb::InStr(firstRowEnd, text, QStringLiteral("</table>"));
    return vb::Mid(text, firstRowEnd, end - firstRowEnd);
}

// Empty cells take no column. A quoted address goes three columns to the
// right of its cell, which keeps the text after the address.
void filingCell(SheetWalk &walk, QStringView cellHtml)
{
    QString text = cellTextOf(cellHtml);
    if (text.isEmpty())
        return;
    const QString quote = QStringLiteral("\"");
    const int open = vb::InStr(text, quote);
    if (open > 0) {
        const int close = vb::InStr(open + 1, text, quote);
        walk.write(walk.col + 3, vb::Mid(text, open + 1, close - open - 1));
        text = vb::Mid(text, close + 1);
    }
    text.remove(QStringLiteral("&nbsp;"));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    walk.write(walk.col, text);
    if (walk.col == 1)
        walk.linkLook(1);
    ++walk.col;
}

} // namespace

void FG_QR()
{
    SheetSpec s;
    s.key = QStringLiteral("QR");
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QStringLiteral("_qr.Sh");
    s.noDataText = QStringLiteral("Brindlewick do not have additional information for ") + GetDisplayName();
    s.hourglass = true;
    s.cut = filingsTable;

    s.rows = 3;
    s.cols = 7;
    s.firstRow = 2;
    s.nextRowHeight = 0;
    s.cell = filingCell;

    s.aligns = {4, 1, 1};
    s.topRow = -1;
    s.title.text = GetDisplayName() + QStringLiteral(" Quarterly Reports");
    s.title.col = 2;
    s.title.align = 4;
    s.title.textStyle = 3;
    s.title.fontWidth = 4;
    s.title.backColor = 0xFFFFFF;
    s.title.noUnderline = true;
    s.rowHeights = {{0, 1}, {1, 2}, {2, 1}, {-1, 0}};
    s.widths = {15, 15, 66, 0, 0, 0, 0};
    s.headers = {"Date", "Fillings"};

    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}

QString filingsText(const QString &part)
{
    return replaceAll(part, {
                                {QStringLiteral("\t"), QStringLiteral(" ")},
                                {QStringLiteral("TABLE"), QStringLiteral("table")},
                                {QStringLiteral("TD"), QStringLiteral("td")},
                                {QStringLiteral("Td"), QStringLiteral("td")},
                                {QStringLiteral("TR"), QStringLiteral("tr")},
                                {QStringLiteral("Tr"), QStringLiteral("tr")},
                                {QStringLiteral(":"), QStringLiteral("</td><td>")},
                                {QStringLiteral("<A HREF="), QStringLiteral("<>")},
                                {QStringLiteral("ALT=\"Full Filing\">"), QStringLiteral("<>")},
                                {QStringLiteral("/A"), QString()},
                            });
}
