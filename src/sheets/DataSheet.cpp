#include "sheets/DataSheet.h"

#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "core/VbString.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace {

constexpr OleColor Blue = 0xFF0000;
constexpr OleColor Red = 0xFF;
constexpr OleColor White = 0xFFFFFF;

constexpr int FileNotFound = 53;
constexpr int SubscriptOutOfRange = 381;

// Thrown by pageSaysNoData, caught by FillSheet.
struct PageNotice
{
    QString message;
};

// Each "<open" .. "</close" part of text; an open without its close fails
// the walk (error 5), or ends it when unclosedEnds.
void walkTags(const QString &text, const QString &open, const QString &close, bool unclosedEnds,
              const std::function<void(const QString &)> &f)
{
    const int limit = vb::Len(text);
    int pos = 1;
    for (int passes = 0; passes <= limit; ++passes) {
        const int start = vb::InStr(pos, text, open);
        if (start == 0)
            return;
        const int stop = vb::InStr(start, text, close);
        if (stop == 0 && unclosedEnds)
            return;
        const QString part = vb::Mid(text, start, stop - start);
        pos = stop;
        f(part);
    }
}

// How many cells the row's walk will find before it ends or fails.
int cellCount(const QString &rowText)
{
    int count = 0;
    walkTags(rowText, QStringLiteral("<td"), QStringLiteral("</td>"), true, [&](const QString &) { ++count; });
    return count;
}

int baseRows(double times)
{
    return qRound(times * BaseRowHeight);
}

QString standardCut(const SheetSpec &decl, const QString &received)
{
    QString page = keepHtml(replaceAll(received, decl.beforeHtmlCut));
    page.remove(QLatin1Char('\t'));
    for (const QString &text : decl.dropTexts)
        page.remove(text, Qt::CaseSensitive);
    page = replaceAll(lowerTableTags(page), decl.replacements);
    return cutFrom(page, decl.marker, QStringLiteral("</table>"));
}

void prepareGrid(FlexGrid &grid, const SheetSpec &decl)
{
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(decl.rows);
    grid.setCols(decl.cols);
    grid.setBackColor(White);
    grid.setGridLines(1);
}

void walkCells(FlexGrid &grid, const SheetSpec &decl, const QString &table)
{
    SheetWalk walk{decl, grid, decl.firstRow, 0};
    forEachRow(table, [&](const QString &rowText) {
        walkRowCells(walk, rowText, [&](const QString &cell) {
            if (decl.cell)
                decl.cell(walk, cell);
            else
                walk.standardCell(cell);
        });
        ++walk.row;
        walk.col = 0;
        grid.AddItem(QString());
        if (decl.nextRowHeight > 0 && !grid.setRowHeight(walk.row, baseRows(decl.nextRowHeight)))
            vb::raise(SubscriptOutOfRange);
    });
}

void walkWholeRows(FlexGrid &grid, const SheetSpec &decl, const QString &table)
{
    int seen = 0;
    forEachRow(table, [&](const QString &rowText) {
        if (seen++ < decl.skipRows)
            return;
        QString line;
        forEachCell(rowText, [&](const QString &cell) { line += cellText(cell) + QLatin1Char('\t'); });
        grid.AddItem(line);
    });
    SheetWalk walk{decl, grid, 0, 0};
    for (walk.row = decl.firstRow; walk.row < grid.Rows(); ++walk.row)
        for (int col : decl.linkColumns)
            walk.linkLook(col);
}

void applyTitle(FlexGrid &grid, const SheetTitle &title)
{
    if (title.text.isEmpty())
        return;
    grid.setTextMatrix(title.row, title.col, title.text);
    grid.setRow(title.row);
    grid.setCol(title.col);
    grid.setCellFontBold(true);
    if (title.backColor)
        grid.setCellBackColor(title.backColor);
    if (title.align >= 0)
        grid.setCellAlignment(title.align);
    if (title.textStyle)
        grid.setCellTextStyle(title.textStyle);
    if (title.fontWidth > 0)
        grid.setCellFontWidth(title.fontWidth);
    if (title.noUnderline)
        grid.setCellFontUnderline(false);
}

void format(FlexGrid &grid, const SheetSpec &decl)
{
    SetColAlign(&grid, decl.aligns);
    for (int col : decl.centredHeaders) {
        grid.setRow(0);
        if (grid.setCol(col))
            grid.setCellAlignment(decl.headerAlign);
    }
    for (int row = 2; row < grid.Rows(); ++row)
        for (int col : decl.signColumns) {
            const QString text = grid.TextMatrix(row, col);
            if (!grid.setRow(row) || !grid.setCol(col))
                continue;
            if (text.startsWith(QLatin1Char('-')))
                grid.setCellForeColor(Red);
            else if (text.startsWith(QLatin1Char('+')))
                grid.setCellForeColor(Blue);
        }
    if (decl.topRow >= 0)
        grid.setTopRow(decl.topRow);
    applyTitle(grid, decl.title);
    for (const SheetRowHeight &h : decl.rowHeights)
        grid.setRowHeight(h.row < 0 ? grid.Rows() + h.row : h.row, baseRows(h.times));
    SetColWidths(&grid, decl.widths);
    SetHeaders(&grid, decl.headers);
}

void fail(const SheetSpec &decl, SheetFailure how, FlexGrid &grid, bool missing = false)
{
    // A grid left with drawing off would never repaint until the next sheet.
    grid.setRedraw(true);
    if (how == SheetFailure::NoData)
        FG_Message(missing || decl.badDataText.isEmpty() ? decl.noDataText : decl.badDataText);
    else if (how == SheetFailure::EmptyCell)
        FG_Message(QString());
}

} // namespace

void SheetWalk::write(int column, const QString &text)
{
    if (!grid.setTextMatrix(row, column, text))
        vb::raise(SubscriptOutOfRange);
}

void SheetWalk::linkLook(int column)
{
    if (!grid.setRow(row) || !grid.setCol(column))
        return;
    grid.setCellForeColor(Blue);
    grid.setCellFontUnderline(true);
}

void SheetWalk::standardCell(const QString &cellHtml)
{
    write(col, cellText(cellHtml));
    if (decl.linkColumns.contains(col))
        linkLook(col);
    ++col;
}

void FillSheet(const SheetSpec &decl)
{
    // A fill that ends before touching the grid gives the key back, so the
    // grid and the key that its clicks go by always agree.
    const QString previousType = CurType;
    CurType = decl.key;
    std::optional<HourglassPointer> hourglass;
    if (decl.hourglass)
        hourglass.emplace();
    SheetTarget target(decl.zoomable);
    FlexGrid *grid = target.grid();
    if (!grid)
        return;
    bool touched = false;
    const auto failed = [&](SheetFailure how, bool missing) {
        if (how == SheetFailure::Silent && !touched && !target.zooming())
            CurType = previousType;
        fail(decl, how, *grid, missing);
    };
    try {
        if (!QFileInfo::exists(resolvePath(decl.cachePath)))
            vb::raise(FileNotFound);
        const QString page = ReadFile(decl.cachePath);
        QCoreApplication::processEvents();
        const QString table = decl.cut ? decl.cut(page) : standardCut(decl, page);
        prepareGrid(*grid, decl);
        touched = true;
        if (decl.walk)
            decl.walk(*grid, decl, table);
        else if (decl.wholeRows)
            walkWholeRows(*grid, decl, table);
        else
            walkCells(*grid, decl, table);
        format(*grid, decl);
        grid->setRedraw(true);
        target.showZoom();
    } catch (const PageNotice &notice) {
        grid->setRedraw(true);
        FG_Message(notice.message);
    } catch (const vb::Error &e) {
        if (e.number == FileNotFound)
            failed(decl.noDataText.isEmpty() ? SheetFailure::Silent : SheetFailure::NoData, true);
        else
            failed(e.number == vb::InvalidCall ? decl.onBadPage : decl.onOtherError, false);
    } catch (...) {
        failed(decl.onOtherError, false);
    }
}

QString keepHtml(const QString &page)
{
    const int start = vb::InStr(page, QStringLiteral("<html>"));
    const int end = vb::InStr(start, page, QStringLiteral("</html>"));
    return vb::Mid(page, start, end - start);
}

QString lowerTableTags(QString text)
{
    static const TextReplacements steps = {
        {QStringLiteral("TABLE"), QStringLiteral("table")}, {QStringLiteral("Table"), QStringLiteral("table")},
        {QStringLiteral("TR"), QStringLiteral("tr")},       {QStringLiteral("Tr"), QStringLiteral("tr")},
        {QStringLiteral("TD"), QStringLiteral("td")},       {QStringLiteral("Td"), QStringLiteral("td")},
    };
    return replaceAll(std::move(text), steps);
}

QString replaceAll(QString text, const TextReplacements &steps)
{
    for (const TextReplacement &step : steps)
        if (!step.from.isEmpty())
            text.replace(step.from, step.to, Qt::CaseSensitive);
    return text;
}

QString cutFrom(const QString &text, const QString &marker, const QString &end)
{
    const int start = vb::InStr(text, marker);
    const int stop = vb::InStr(start, text, end);
    return vb::Mid(text, start, stop - start);
}

void walkRowCells(SheetWalk &walk, const QString &rowText, const std::function<void(const QString &)> &f)
{
    const int cells = cellCount(rowText);
    int index = 0;
    forEachCell(rowText, [&](const QString &cell) {
        walk.lastCell = ++index == cells;
        f(cell);
    });
    walk.lastCell = false;
}

void pageSaysNoData(const QString &message)
{
    throw PageNotice{message};
}

void forEachTag(const QString &text, const QString &open, const QString &close,
                const std::function<void(const QString &)> &f)
{
    walkTags(text, open, close, false, f);
}

void forEachClosedRow(const QString &table, const std::function<void(const QString &)> &f)
{
    walkTags(table, QStringLiteral("<tr"), QStringLiteral("</tr>"), true, f);
}

QString cellText(const QString &cellHtml)
{
    QString html = cellHtml;
    return vb::Trim(HtmlText(html, false, true, false));
}
