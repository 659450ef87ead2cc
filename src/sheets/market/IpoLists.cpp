#include "sheets/market/IpoLists.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/Sites.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"
#include "sheets/SheetFetch.h"
#include "sheets/market/IpoCalendars.h"

#include <QList>
#include <QString>

namespace {

constexpr OleColor White = 0xFFFFFF;

QString cachePath(const char *file)
{
    return DataDir + QStringLiteral("/Cache/DataSheet/") + QLatin1String(file);
}

int twice()
{
    return qRound(2.0 * BaseRowHeight);
}

// The three sections of the latest-events page, in page order; a missing
// heading fails the page before the grid is touched.
QStringList latestSections(const QString &page)
{
    const int pricings = vb::InStr(page, QStringLiteral("Pricings"));
    const int filings = vb::InStr(pricings, page, QStringLiteral("Filings"));
    const int withdrawals = vb::InStr(filings, page, QStringLiteral("Withdrawals"));
    const int news = vb::InStr(withdrawals, page, QStringLiteral("News"));
    return {vb::Mid(page, pricings, filings - pricings), vb::Mid(page, filings, withdrawals - filings),
            vb::Mid(page, withdrawals, news - withdrawals)};
}

// One section's rows from the walk's row on; a row without its end tag
// ends the section, not the sheet. The row's last cell holds the link
// words; the row appended after each page row is twice the base height.
void latestSection(SheetWalk &walk, const QString &section)
{
    forEachClosedRow(section, [&](QStringView rowText) {
        walkRowCells(walk, rowText, [&](QStringView cell) { offeringCell(walk, cell); });
        ++walk.row;
        walk.col = 0;
        walk.grid.AddItem(QString());
        walk.grid.setRowHeight(walk.grid.Rows() - 1, twice());
    });
}

void subtitle(SheetWalk &walk, const QString &text)
{
    walk.write(2, text);
    walk.grid.setRow(walk.row);
    walk.grid.setCol(2);
    walk.grid.setCellFontBold(true);
    walk.grid.setCol(0);
    walk.grid.setCellBackColor(White);
}

} // namespace

void Update_IPO_Last()
{
    FetchSheetPage(QStringLiteral("IPO_lts.sh"), siteUrl(Site::FinancePortal, QStringLiteral("/ipo/index.html")),
                   QStringLiteral("Updating Latest IPO Events"), MinIpoPageBytes);
}

void Update_IPO_News()
{
    FetchSheetPage(QStringLiteral("IPO_News.sh"), siteUrl(Site::FinancePortal, QStringLiteral("/reports/ipo.html")),
                   QStringLiteral("Updating IPO News"), MinIpoPageBytes);
}

void Update_IPO_With()
{
    FetchSheetPage(QStringLiteral("IPO_wp.sh"), siteUrl(Site::FinancePortal, QStringLiteral("/ipo/wp.html")),
                   QStringLiteral("Updating IPO Withdrawals"), MinIpoPageBytes);
}

void FG_IPO_Last()
{
    SheetSpec s;
    s.key = QStringLiteral("IPO_Last");
    s.cachePath = cachePath("IPO_lts.sh");
    s.noDataText = QStringLiteral("Brindlewick do not have Latest IPO Events informain.");
    s.cut = [](const QString &received) {
        QString page = keepHtml(received);
        page.remove(QLatin1Char('\t'));
        page = replaceAll(lowerTableTags(std::move(page)), {{QStringLiteral("&nbsp;"), QStringLiteral(" ")}});
        latestSections(page); // all four headings, or no sheet
        return page;
    };
    s.rows = 3;
    s.cols = 14;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &page) {
        const QStringList sections = latestSections(page);
        SheetWalk walk{decl, grid, 1, 0};
        latestSection(walk, sections[0]);
        subtitle(walk, QStringLiteral("Latest Filings"));
        latestSection(walk, sections[1]);
        subtitle(walk, QStringLiteral("Latest Withdrawals"));
        latestSection(walk, sections[2]);
        grid.setRow(1);
        grid.setCol(0);
        grid.setCellBackColor(White);
    };
    s.linkColumns = {1, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    s.aligns = {4, 1, 1, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
    s.centredHeaders = {0, 1, 2, 3, 4, 5};
    s.title.text = QStringLiteral("Latest IPO Events");
    s.title.col = 2;
    s.rowHeights = {{-1, 0}, {0, 2}, {1, 2}};
    // Wide enough at the window's first size for the section names ("Withdrawn
    // this week"), the company names and the price ranges to read whole.
    s.widths = {27, 11, 32, 21, 15, 13, 9, 9, 9, 9, 9, 9, 9, 9};
    s.headers = {"Date", "Symbol", "Company", "Price", "Action", "More Info"};
    FillSheet(s);
}

QList<QString> ipoNewsItems(const QString &page)
{
    QList<QString> items;
    int pos = 1;
    for (int passes = 0; passes <= page.size(); ++passes) {
        const int start = vb::InStr(pos, page, QStringLiteral("<li>"));
        if (start == 0)
            break;
        // The item ends where the next begins or, for the last, where its
        // list ends.
        int end = vb::InStr(start + 4, page, QStringLiteral("<li>"));
        const int listEnd = vb::InStr(start + 4, page, QStringLiteral("</ul>"));
        if (end == 0 || (listEnd != 0 && listEnd < end))
            end = listEnd;
        if (end == 0)
            break;
        items << vb::Mid(page, start, end - start);
        pos = end;
    }
    return items;
}

void FG_IPO_News()
{
    SheetSpec s;
    s.key = QStringLiteral("IPO_News");
    s.cachePath = cachePath("IPO_News.sh");
    // No no-data text: without its page the sheet leaves the grid as it is.
    s.cut = [](const QString &received) {
        QString page = keepHtml(received);
        page.remove(QLatin1Char('\t'));
        return page.replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    s.rows = 2;
    s.cols = 5;
    s.walk = [](FlexGrid &grid, const SheetSpec &, const QString &page) {
        for (QString item : ipoNewsItems(page)) {
            // Every item has its own link, or none: the path after the
            // root's "/", up to the end of the tag.
            QString link;
            const int href = vb::InStr(item, QStringLiteral("<a href="));
            if (href > 0) {
                const int close = vb::InStr(href, item, QStringLiteral(">"));
                if (close > href + 9)
                    link = vb::Mid(item, href + 9, close - href - 9);
            }
            item.replace(QStringLiteral("- "), QStringLiteral("\t"));
            QStringList parts = vb::Trim(HtmlText(item, false, true, false)).split(QLatin1Char('\t'));
            for (QString &p : parts)
                p = p.trimmed();
            // Source and time are the last two parts; a dash inside the
            // headline keeps it whole.
            while (parts.size() > 3)
                parts[0] += QStringLiteral(" - ") + parts.takeAt(1);
            parts.resize(3);
            grid.AddItem(QStringLiteral("\t") + parts.join(QLatin1Char('\t')) + QStringLiteral("\t") + link);
        }
        for (int row = 2; row < grid.Rows(); ++row) {
            grid.setRow(row);
            grid.setCol(1);
            grid.setCellForeColor(0xFF0000);
            grid.setCellFontUnderline(true);
        }
        grid.setRow(0);
        grid.setCol(1);
        grid.setCellFontBold(true);
    };
    s.aligns = {1, 1, 4, 4};
    s.rowHeights = {{0, 1}, {1, 0}};
    s.widths = {2, 70, 12, 12, 0};
    s.headers = {"", "IPO News", "Source", "Time"};
    FillSheet(s);
}

void FG_IPO_With()
{
    SheetSpec s;
    s.key = QStringLiteral("IPO_With");
    s.cachePath = cachePath("IPO_wp.sh");
    s.noDataText = QStringLiteral("Brindlewick do not have IPO Withdrawals informain.");
    s.marker = QStringLiteral("More Info");
    s.rows = 3;
    s.cols = 7;
    s.walk = [](FlexGrid &grid, const SheetSpec &decl, const QString &table) {
        SheetWalk walk{decl, grid, 2, 0};
        forEachRow(table, [&](const QString &rowText) {
            // A cell runs up to the next cell's tag: the row's last cell
            // (the page's own link) is not read; "Profile" stands there.
            int pos = vb::InStr(rowText, QStringLiteral("<td"));
            while (pos > 0) {
                const int next = vb::InStr(pos + 3, rowText, QStringLiteral("<td"));
                if (next == 0)
                    break;
                QString cell = vb::Mid(rowText, pos, next - pos);
                if (walk.col < decl.cols) {
                    const QString text = vb::Trim(HtmlText(cell, true, true, false));
                    walk.write(walk.col, text);
                    if (walk.col == 2) {
                        if (text.size() != 2)
                            walk.write(6, QStringLiteral("Profile"));
                        walk.linkLook(6);
                    }
                    ++walk.col;
                }
                pos = next;
            }
            ++walk.row;
            walk.col = 0;
            grid.AddItem(QString());
            grid.setRowHeight(walk.row, twice());
        });
    };
    s.aligns = {4, 1, 1, 4, 4, 4};
    s.centredHeaders = {0, 1, 2, 3, 4, 5};
    s.title.text = QStringLiteral("IPO Withdrawals");
    s.title.col = 1;
    s.rowHeights = {{-1, 0}, {-2, 0}, {0, 2}, {1, 2}};
    s.widths = {12, 25, 10, 10, 18, 12, 10};
    s.headers = {"Date Withdrawn", "Company", "Symbol", "Shares", "Proposed Price", "File Date", "More Info"};
    FillSheet(s);
}
