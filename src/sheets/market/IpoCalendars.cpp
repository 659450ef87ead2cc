#include "sheets/market/IpoCalendars.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/Sites.h"
#include "sheets/DataSheet.h"
#include "sheets/SheetFetch.h"

namespace {

struct Calendar
{
    const char *key;
    const char *path;
    const char *words;
    const char *file;
    const char *title;
    const char *noData;
};

const Calendar Pricings{"IPO_Price", "/ipo/prc_cal.html", "Updating IPO Pricings", "IPO_Prc.sh", "IPO Pricings",
                        "Brindlewick do not have IPO Prices informain."};
const Calendar Gainers{"IPO_Gain", "/ipo/perf_g3.html", "Updating IPO Gainers", "IPO_G3.sh", "IPO Gainers",
                       "Brindlewick do not have IPO Gain informain."};
const Calendar Losers{"IPO_Loss", "/ipo/perf_l3.html", "Updating IPO Lossers", "IPO_L3.sh", "IPO Losers",
                      "Brindlewick do not have IPO Gain informain."};
const Calendar Registrations{"IPO_Reg", "/ipo/reg_cal.html", "Updating IPO Registrations", "IPO_Reg.sh",
                             "IPO Registrations", "Brindlewick do not have IPO registration informain."};

void fetch(const Calendar &c)
{
    FetchSheetPage(QLatin1String(c.file), siteUrl(Site::FinancePortal, QLatin1String(c.path)),
                   QLatin1String(c.words), MinIpoPageBytes);
}

// What the four sheets share: the cache, the "More Info" marker, the row
// walk, the hidden trailer rows and the title.
SheetSpec calendar(const Calendar &c, int cols)
{
    SheetSpec s;
    s.key = QLatin1String(c.key);
    s.cachePath = DataDir + QStringLiteral("/Cache/DataSheet/") + QLatin1String(c.file);
    s.noDataText = QLatin1String(c.noData);
    s.marker = QStringLiteral("More Info");
    s.rows = 3;
    s.cols = cols;
    s.title.text = QLatin1String(c.title);
    // The heading rows, then the empty last row and the page table's
    // trailer row hidden (the pricings sheet sets them the other way round).
    s.rowHeights = {{0, 2}, {1, 2}, {-1, 0}, {-2, 0}};
    return s;
}

// The "More Info" words ("News, Chart, Profile") as cells of their own
// from the walk's column on, with the link look where their column is a
// link column; words past the last column are left out.
void moreInfoWords(SheetWalk &walk, QStringView cellHtml)
{
    for (const QString &word : cellTextOf(cellHtml).split(QLatin1Char(','))) {
        if (walk.col >= walk.decl.cols)
            return;
        walk.write(walk.col, word.trimmed());
        if (walk.decl.linkColumns.contains(walk.col))
            walk.linkLook(walk.col);
        ++walk.col;
    }
}

QList<int> columnsFrom(int first, int last)
{
    QList<int> list;
    for (int c = first; c <= last; ++c)
        list << c;
    return list;
}

} // namespace

void offeringCell(SheetWalk &walk, QStringView cellHtml)
{
    if (walk.col >= walk.decl.cols)
        return;
    if (walk.lastCell)
        moreInfoWords(walk, cellHtml);
    else
        walk.standardCell(cellHtml);
}

void Update_IPO_Price() { fetch(Pricings); }
void Update_IPO_Gain() { fetch(Gainers); }
void Update_IPO_Loss() { fetch(Losers); }
void Update_IPO_Reg() { fetch(Registrations); }

void FG_IPO_Price()
{
    SheetSpec s = calendar(Pricings, 14);
    s.rowHeights = {{-1, 0}, {-2, 0}, {0, 2}, {1, 2}};
    s.cell = offeringCell;
    s.linkColumns = QList<int>{1} + columnsFrom(5, 13);
    s.aligns = {4, 1, 1, 7, 7, 4, 4, 4, 4, 4, 4, 4, 4};
    s.centredHeaders = columnsFrom(0, 5);
    s.title.col = 1;
    s.widths = {12, 25, 10, 16, 10, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    s.headers = {"Offer Date", "Company", "Symbol", "Proposed Price", "Initial Price", "More Info"};
    FillSheet(s);
}

namespace {
void performance(const Calendar &c)
{
    SheetSpec s = calendar(c, 14);
    s.cell = offeringCell;
    s.linkColumns = QList<int>{1} + columnsFrom(6, 13);
    s.aligns = {1, 1, 4, 7, 7, 4, 4, 4, 4, 4, 4, 4, 4};
    s.centredHeaders = columnsFrom(0, 5);
    s.title.col = 0;
    s.title.backColor = 0xFFFFFF;
    s.widths = {25, 10, 12, 10, 10, 11, 9, 9, 9, 9, 9, 9, 9, 9};
    s.headers = {"Company", "Symbol", "Offer Date", "Offer Price", "Recent Close", "% Gain/Loss", "More Info"};
    FillSheet(s);
}
} // namespace

void FG_IPO_Gain() { performance(Gainers); }
void FG_IPO_Loss() { performance(Losers); }

void FG_IPO_Reg()
{
    SheetSpec s = calendar(Registrations, 8);
    s.beforeHtmlCut = {{QStringLiteral("<HTML>"), QStringLiteral("<html>")},
                       {QStringLiteral("<Html>"), QStringLiteral("<html>")}};
    // Each offering's row gets its height as soon as it is written.
    s.nextRowHeight = 0;
    s.cell = [](SheetWalk &walk, QStringView cellHtml) {
        if (walk.col >= walk.decl.cols)
            return;
        walk.standardCell(cellHtml);
        walk.grid.setRowHeight(walk.row, qRound(2.0 * BaseRowHeight));
    };
    s.linkColumns = {7};
    s.aligns = {4, 1, 1, 7, 7, 7, 4, 4};
    s.centredHeaders = columnsFrom(0, 7);
    s.title.col = 1;
    s.title.backColor = 0xFFFFFF;
    s.widths = {12, 25, 10, 9, 12, 15, 12, 9};
    s.headers = {"File Date", "Company", "Proposed Symbol", "Shares", "File Amount", "Proposed or Initial Price",
                 "Expected IPO Date", "More Info"};
    FillSheet(s);
}
