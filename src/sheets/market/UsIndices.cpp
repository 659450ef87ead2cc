#include "sheets/market/UsIndices.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "sheets/SheetFetch.h"

#include <QCoreApplication>

namespace {

struct Indicator
{
    const char *section;
    const char *name;
    const char *symbol;
};

const Indicator Indicators[USSize] = {
    {"Dow Jones Averages", "30 Industrials", "^DJI"},
    {"", "20 Transportation", "^DJT"},
    {"", "15 Utilities", "^DJU"},
    {"", "65 Composite", "^DJA"},
    {"New York Stock Exchange", "Volume in 000's", "^TV.N"},
    {"", "Composite", "^NYA"},
    {"", "Tick", "^TIC.N"},
    {"", "ARMS", "^STI.N"},
    {"Nasdaq", "Composite", "^IXIC"},
    {"", "Volume in 000's", "^TV.O"},
    {"", "National Market Composite", "^IXQ"},
    {"", "Nasdaq 100", "^NDX"},
    {"Standard and Poor's", "500 Index", "^SPC"},
    {"", "100 Index", "^OEX"},
    {"", "400 MidCap", "^MID"},
    {"", "600 SmallCap", "^SML"},
    {"Other U.S. Indices", "AMEX Composite", "^XAX"},
    {"", "AMEX Internet", "^IIX"},
    {"", "AMEX Networking", "^NWX"},
    {"", "Indi 500", "^NDI"},
    {"", "Major Market", "^XMI"},
    {"", "Pacific Exchange Technology", "^PSE"},
    {"", "Philadelphia Semiconductor", "^SOXX"},
    {"", "Russell 1000", "^RUI"},
    {"", "Russell 2000", "^RUT"},
    {"", "Russell 3000", "^RUA"},
    {"", "TSC Internet", "^DOT"},
    {"", "Value Line", "^VLIC"},
    {"", "Wilshire 5000", "^WIL5"},
    {"Treasury Securities (yield x10)", "30-Year Bond", "^TYX"},
    {"", "10-Year Note", "^TNX"},
    {"", "5-Year Note", "^FVX"},
    {"", "13-Week Bill", "^IRX"},
    {"Commodities", "Dow Jones Spot", "^DJS"},
    {"", "Dow Jones Futures", "^DJC"},
    {"", "Goldman Sachs Commodity", "^GNX"},
    {"", "Philadelphia Gold & Silver", "^XAU"},
};

// The cell after `from`: its text (tags dropped, nothing trimmed) and the
// position of its "</TD>"; -1 when a tag is missing.
int nextCell(const QString &page, int from, QString *text)
{
    const int open = page.indexOf(QLatin1String("<TD"), from);
    if (open < 0)
        return -1;
    const int close = page.indexOf(QLatin1String("</TD>"), open);
    if (close < 0)
        return -1;
    if (text) {
        QString cell = page.mid(open, close - open);
        *text = HtmlText(cell, false, false, false);
    }
    return close;
}

} // namespace

const char *usSectionOf(int index)
{
    return index >= 0 && index < USSize ? Indicators[index].section : "";
}

void Update_US()
{
    // The sheet shows the indicators as soon as a new page is in.
    if (FetchSheetPage(QStringLiteral("US.Sh"), siteUrl(Site::QuotePortal, QStringLiteral("/m1?u")),
                       QStringLiteral("Updating U.S. Market Data"), 1000))
        Parse_US();
}

void Parse_US()
{
    const std::optional<QString> read =
        readLatin1File(resolvePath(DataDir + QStringLiteral("\\Cache\\DataSheet\\US.Sh")));
    if (!read)
        return; // without a page the table stays as it is
    QString page = *read;
    page.remove(QStringLiteral("\r\n"));
    page.remove(QLatin1Char('\r'));
    ReadUS(); // an indicator the page lacks keeps its values
    int pos = 0;
    for (int i = 0; i < USSize; ++i) {
        // A name with "&" may stand in the page as "&amp;".
        const QString wanted = QLatin1String(Indicators[i].name);
        int name = page.indexOf(wanted, pos);
        if (name < 0 && wanted.contains(QLatin1Char('&')))
            name = page.indexOf(QString(wanted).replace(QStringLiteral("&"), QStringLiteral("&amp;")), pos);
        if (name < 0)
            continue;
        QString cells[5];
        int at = nextCell(page, name, nullptr); // the cell after the name is passed over
        for (int k = 0; k < 5 && at >= 0; ++k)
            at = nextCell(page, at, &cells[k]);
        if (at < 0)
            continue; // the search goes on from where it stood
        USRec &rec = US[size_t(i)];
        rec.TradeTime = cells[0];
        rec.LastTrade = cells[1];
        rec.Change = cells[2];
        rec.PctChange = cells[3];
        rec.MoreInfo = cells[4];
        pos = at;
    }
    WriteUS();
}

void FG_US()
{
    ReadUS();
    CurType = QStringLiteral("US");
    SheetTarget target;
    FlexGrid *grid = target.grid();
    if (!grid)
        return;
    grid->setRedraw(false);
    grid->Clear();
    grid->setCols(9);
    grid->setRows(2);
    grid->setGridLines(0);
    grid->setBackColor(0xE8FFFF);
    SetHeaders(grid, {"", "Name", "Symbol", "Time", "Last Trade", "Change", "% Change", "More Information"});
    QList<int> sectionRows;
    for (int i = 0; i < USSize; ++i) {
        const Indicator &ind = Indicators[i];
        if (*ind.section) {
            sectionRows << grid->Rows();
            grid->AddItem(QStringLiteral("\t") + QLatin1String(ind.section));
        }
        const USRec &rec = US[size_t(i)];
        const QString symbol = QLatin1String(ind.symbol);
        grid->AddItem(QStringList{QString(), QLatin1String(ind.name), symbol, rec.TradeTime, rec.LastTrade, rec.Change,
                                  rec.PctChange, rec.MoreInfo,
                                  siteUrl(Site::QuotePortal, QStringLiteral("/q?s=") + symbol + QStringLiteral("&d=t"))}
                          .join(QLatin1Char('\t')));
    }
    grid->setRowHeight(1, 0);
    SetColAlign(grid, {0, 0, 4, 4, 7, 7, 7, 7});
    for (int row = 2; row < grid->Rows(); ++row) {
        // The picture follows the change's sign, blanks around it aside.
        const QString change = grid->TextMatrix(row, 5).trimmed();
        grid->setRow(row);
        grid->setCol(0);
        if (change.startsWith(QLatin1Char('-')) || change.startsWith(QLatin1Char('+'))) {
            grid->setCellPicture(change.startsWith(QLatin1Char('-')) ? QStringLiteral("DN") : QStringLiteral("UP"));
            grid->setCellPictureAlignment(4);
        }
        if (sectionRows.contains(row)) {
            grid->setCol(1);
            grid->setCellFontBold(true);
            grid->setCellAlignment(1);
            grid->setRowHeight(row, qRound(2.0 * BaseRowHeight));
            for (int col = 0; col <= 7; ++col) {
                grid->setCol(col);
                grid->setCellBackColor(0xFFFFFF);
            }
        }
        grid->setCol(2);
        grid->setCellForeColor(0xFF0000);
    }
    grid->setRowHeight(0, BaseRowHeight);
    SetColWidths(grid, {4, 30, 9, 10, 12, 10, 12, 20, 0});
    grid->setRedraw(true);
    target.showZoom();
}
