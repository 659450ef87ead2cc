#include "sheets/DataSheet.h"

#include "core/GridMessage.h"
#include "core/ReplaceChain.h"
#include "core/SharedState.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "core/VbString.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QVarLengthArray>

#include <algorithm>

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

// Where needle stands in text at or after from (0-based); -1 when nowhere.
qsizetype findFrom(QStringView text, qsizetype from, QStringView needle)
{
    // A plain walk: the needles' first letters ("<") are too frequent in a
    // page for a library search to pay its call.
    const char16_t *t = text.utf16();
    const char16_t *w = needle.utf16();
    const qsizetype m = needle.size();
    if (m == 0)
        return from <= text.size() ? from : -1;
    const char16_t first = w[0];
    for (qsizetype at = from, last = text.size() - m; at <= last; ++at) {
        if (t[at] != first)
            continue;
        qsizetype k = 1;
        while (k < m && t[at + k] == w[k])
            ++k;
        if (k == m)
            return at;
    }
    return -1;
}

int baseRows(double times)
{
    return qRound(times * BaseRowHeight);
}

QString standardCut(const SheetSpec &decl, QString received)
{
    QString page = keepHtml(replaceAll(std::move(received), decl.beforeHtmlCut));
    page.remove(QLatin1Char('\t'));
    for (const QString &text : decl.dropTexts)
        page.remove(text, Qt::CaseSensitive);
    page = replaceAll(lowerTableTags(std::move(page)), decl.replacements);
    return cutFrom(page, decl.marker, QStringLiteral("</table>"));
}

void walkRowCellsIn(SheetWalk &walk, QStringView rowText, const std::function<void(QStringView)> &f)
{
    const TagSpans cells = tagSpans(rowText, u"<td", u"</td>");
    for (qsizetype i = 0; i < cells.parts.size(); ++i) {
        walk.lastCell = i == cells.parts.size() - 1;
        const QStringView cell = rowText.sliced(cells.parts[i].first, cells.parts[i].second);
        if (f)
            f(cell);
        else
            walk.standardCell(cell);
    }
    walk.lastCell = false;
    if (cells.unclosed)
        vb::raise(vb::InvalidCall);
}

void prepareGrid(FlexGrid &grid, const SheetSpec &decl)
{
    grid.setRedraw(false);
    // Rows the sheet drops need no clearing first: the grid ends the same.
    grid.setRows(decl.rows);
    grid.Clear();
    grid.setCols(decl.cols);
    grid.setBackColor(White);
    grid.setGridLines(1);
}

void walkCells(FlexGrid &grid, const SheetSpec &decl, const QString &table)
{
    SheetWalk walk{decl, grid, decl.firstRow, 0};
    const TagSpans rows = tagSpans(table, u"<tr", u"</tr>");
    for (const auto &[start, length] : rows.parts) {
        // The pattern's own cells are read where they stand in the page.
        const QStringView rowText = QStringView(table).sliced(start, length);
        if (decl.cell)
            walkRowCellsIn(walk, rowText, [&](QStringView cell) { decl.cell(walk, cell); });
        else
            walkRowCellsIn(walk, rowText, {});
        ++walk.row;
        walk.col = 0;
        grid.AddItem(QString());
        if (decl.nextRowHeight > 0 && !grid.setRowHeight(walk.row, baseRows(decl.nextRowHeight)))
            vb::raise(SubscriptOutOfRange);
    }
    if (rows.unclosed)
        vb::raise(vb::InvalidCall);
}

void walkWholeRows(FlexGrid &grid, const SheetSpec &decl, const QString &table)
{
    int seen = 0;
    forEachRow(table, [&](QStringView rowText) {
        if (seen++ < decl.skipRows)
            return;
        QString line;
        forEachCell(rowText, [&](QStringView cell) { appendCellText(line, cell).append(QLatin1Char('\t')); });
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
    standardCell(QStringView(cellHtml));
}

void SheetWalk::standardCell(QStringView cellHtml)
{
    write(col, cellTextOf(cellHtml));
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
        QString page = ReadFile(decl.cachePath);
        QCoreApplication::processEvents();
        const QString table = decl.cut ? decl.cut(std::move(page)) : standardCut(decl, std::move(page));
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
    // "TABLE", "Table", "TR", "Tr", "TD", "Td" in that order, in one pass:
    // each keeps its length, at most one can start at a "T", none holds
    // another "T", and what they leave is lower case.
    const qsizetype n = text.size();
    for (qsizetype i = text.indexOf(u'T'); i >= 0 && i + 1 < n; i = text.indexOf(u'T', i + 1)) {
        const char16_t next = text.at(i + 1).unicode();
        const QStringView rest = QStringView(text).sliced(i + 1);
        qsizetype length = 0;
        if (next == u'R' || next == u'r' || next == u'D' || next == u'd')
            length = 2;
        else if (rest.startsWith(u"ABLE") || rest.startsWith(u"able"))
            length = 5;
        if (!length)
            continue;
        QChar *c = text.data() + i;
        for (qsizetype k = 0; k < length; ++k)
            c[k] = c[k].toLower();
        i += length - 1;
    }
    return text;
}

QString replaceAll(QString text, const TextReplacements &steps)
{
    QList<std::pair<QString, QString>> pairs;
    pairs.reserve(steps.size());
    for (const TextReplacement &step : steps)
        pairs.append({step.from, step.to});
    return ReplaceChain(pairs).apply(std::move(text));
}

QString cutFrom(const QString &text, const QString &marker, const QString &end)
{
    const int start = vb::InStr(text, marker);
    const int stop = vb::InStr(start, text, end);
    return vb::Mid(text, start, stop - start);
}

void walkRowCells(SheetWalk &walk, QStringView rowText, const std::function<void(QStringView)> &f)
{
    walkRowCellsIn(walk, rowText, f);
}

void pageSaysNoData(const QString &message)
{
    throw PageNotice{message};
}

TagSpans tagSpans(QStringView text, QStringView open, QStringView close)
{
    TagSpans spans;
    qsizetype pos = 0;
    for (qsizetype passes = 0; passes <= text.size(); ++passes) {
        const qsizetype start = findFrom(text, pos, open);
        if (start < 0)
            break;
        const qsizetype stop = findFrom(text, start, close);
        if (stop < 0) {
            spans.unclosed = true;
            break;
        }
        spans.parts.append({start, stop - start});
        pos = stop;
    }
    return spans;
}

QString cellText(const QString &cellHtml)
{
    return cellTextOf(cellHtml);
}

namespace {

// The cell's text in the buffer: f(text, length).
template <typename F>
decltype(auto) withCellText(QStringView cellHtml, F &&f)
{
    // HtmlText with "&amp;" read as "&" and the tags dropped, then Trim, in
    // one pass: the text before the first ">" is a tag's too.
    const QChar *in = cellHtml.constData();
    const qsizetype n = cellHtml.size();
    QVarLengthArray<QChar, 256> text(n);
    QChar *out = text.data();
    qsizetype length = 0;
    bool outsideTag = false;
    for (qsizetype i = 0; i < n;) {
        QChar c = in[i];
        if (c == u'&' && QStringView(in + i, n - i).startsWith(u"&amp;")) {
            i += 5;
        } else {
            ++i;
            if (c == u'<')
                outsideTag = false;
            if (c == u'>') {
                outsideTag = true;
                continue;
            }
        }
        if (outsideTag)
            out[length++] = c;
    }
    qsizetype first = 0;
    while (first < length && out[first] == u' ')
        ++first;
    while (length > first && out[length - 1] == u' ')
        --length;
    return f(out + first, length - first);
}

} // namespace

QString cellTextOf(QStringView cellHtml)
{
    return withCellText(cellHtml, [](const QChar *text, qsizetype length) {
        return length ? QString(text, length) : QString();
    });
}

QString &appendCellText(QString &into, QStringView cellHtml)
{
    return withCellText(cellHtml, [&](const QChar *text, qsizetype length) -> QString & {
        return into.append(text, length);
    });
}
