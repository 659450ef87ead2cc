#pragma once

#include "core/Variant.h"
#include "core/VbString.h"
#include "platform/FlexGrid.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <functional>
#include <type_traits>
#include <utility>

// The data sheet pattern: a fill routine turns one cached page into a
// formatted grid. A sheet declares what is its own in a SheetSpec (key,
// cache file, clean-up, marker, grid size, link columns, alignments,
// widths, headers, title, row heights, no-data text) and FillSheet runs the
// shared steps:
//   sheet key -> target grid (main grid, or a new zoom window's grid while
//   ZoomFlag is set) -> read the cached page -> cut the table text ->
//   prepare the grid with drawing off -> walk rows and cells -> format ->
//   drawing on -> show the zoom window.
// Text searches are case-sensitive and count from 1, as the page parsers
// were written; a search that finds nothing makes the next cut fail with
// vb::Error 5, which is how a page without its content reports itself.
// Positions are plain ints, so pages longer than 32,767 characters read
// like short ones.

// One replace-all step, letter case significant.
struct TextReplacement
{
    QString from;
    QString to;
};
using TextReplacements = QList<TextReplacement>;

// How a fill ends on a failure other than a missing cache file (which
// always shows the sheet's no-data text as the main grid's only cell).
enum class SheetFailure {
    Silent,    // the grid keeps what it held or what was written so far
    NoData,    // the no-data text as the main grid's only cell
    EmptyCell, // an empty one-cell message in the main grid
};

// A row height set after the walk: row < 0 counts from the end (-1 the
// last row); times is a multiple of BaseRowHeight (0 hides the row).
struct SheetRowHeight
{
    int row;
    double times;
};

// The title cell. It is always bold; the other formats apply when given.
struct SheetTitle
{
    QString text;
    int row = 1;
    int col = 0;
    OleColor backColor = 0; // 0: left as it is
    int align = -1;         // -1: left as it is
    int textStyle = 0;      // 0: left as it is
    float fontWidth = 0;    // 0: left as it is
    bool noUnderline = false;
};

struct SheetSpec;

// Where the walk stands while it writes one page row; a sheet with cells
// of its own kind writes through it.
struct SheetWalk
{
    const SheetSpec &decl;
    FlexGrid &grid;
    int row = 0;
    int col = 0;
    bool lastCell = false; // the cell being written is its row's last

    // Writes (row, column); a cell the grid does not have fails the fill
    // (vb::Error 381), as the grid control refused it.
    void write(int column, const QString &text);
    // Blue and underlined, (row, column) left current.
    void linkLook(int column);
    // The pattern's own cell step: the cleaned text into the current
    // column, the link look where the column is a link column, then one
    // column on.
    void standardCell(const QString &cellHtml);
    void standardCell(QStringView cellHtml);
};

struct SheetSpec
{
    // The sheet.
    QString key;        // stored in CurType before anything else
    QString cachePath;  // DataDir + "\Cache\DataSheet\" + file name
    QString noDataText; // shown when the cache file is missing (none: the grid stays)
    QString badDataText; // shown for a bad page where it differs from noDataText
    bool hourglass = false;
    bool zoomable = true;

    // The page. Unless the sheet cuts the page itself (cut), the pattern
    // keeps "<html>".."</html>", drops tabs and dropTexts, lower-cases the
    // table tags, applies the replacements and takes the text from the
    // marker up to the next "</table>".
    TextReplacements beforeHtmlCut; // applied to the whole page first
    QStringList dropTexts;          // e.g. "\n", "&nbsp;"
    TextReplacements replacements;
    QString marker;
    std::function<QString(QString page)> cut; // the page handed over, for changes in place

    // The grid before the walk (Clear, white, flat grid lines).
    int rows = 3;
    int cols = 1;

    // The walk: page rows from firstRow on. wholeRows appends each page
    // row as one AddItem of its cell texts (skipping the first skipRows);
    // otherwise cells are written one by one, one empty row appended after
    // each page row, and the row the walk moves to gets nextRowHeight x
    // BaseRowHeight (0: none).
    int firstRow = 2;
    bool wholeRows = false;
    int skipRows = 0;
    QList<int> linkColumns;
    double nextRowHeight = 2;
    std::function<void(SheetWalk &walk, QStringView cellHtml)> cell;
    // A walk of the sheet's own in place of the above (sections, lists).
    std::function<void(FlexGrid &grid, const SheetSpec &decl, const QString &table)> walk;

    // Formatting, applied in this order after the walk.
    QList<Variant> aligns;      // SetColAlign
    QList<int> centredHeaders;  // cells of row 0 centred (headerAlign)
    int headerAlign = 4;
    QList<int> signColumns;     // rows 2 on: "-" red, "+" blue
    int topRow = 1;             // -1: TopRow left alone
    SheetTitle title;           // no text: no title
    QList<SheetRowHeight> rowHeights;
    QList<Variant> widths;      // SetColWidths (percent of the grid's width)
    QList<Variant> headers;     // SetHeaders

    SheetFailure onBadPage = SheetFailure::Silent;    // vb::Error 5: marker, tag or end not found
    SheetFailure onOtherError = SheetFailure::Silent; // anything else (a cell past the last column)
};

// Runs the fill routine a SheetSpec declares. Never throws. Whatever way it
// ends, the grid draws again and no unshown zoom window stays behind.
void FillSheet(const SheetSpec &decl);

// For a sheet's own steps inside FillSheet: the page says it holds no data.
// The message becomes the main grid's only cell and the fill ends there;
// the sheet's key stays, since the grid now shows that sheet's message.
[[noreturn]] void pageSaysNoData(const QString &message);

// Steps the fill routines share, also for sheets that cut their pages
// their own way. They raise vb::Error 5 where a needed text is absent.

// The part from the first "<html>" up to, not including, the next "</html>".
QString keepHtml(const QString &page);
// "TABLE", "Table", "TR", "Tr", "TD", "Td" to lower case (other forms stay).
QString lowerTableTags(QString text);
QString replaceAll(QString text, const TextReplacements &steps);
// From the first marker up to, not including, the next `end` after it.
QString cutFrom(const QString &text, const QString &marker, const QString &end);

// The "<open" .. "</close" parts of text (the opening tag included), as
// start and length, from the start of text up to the first open not found
// or the first open without its close (unclosed then says so). The passes
// are bounded by the text's length.
struct TagSpans
{
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 32> parts;
    bool unclosed = false;
};
TagSpans tagSpans(QStringView text, QStringView open, QStringView close);

// Calls f with each of those parts, then raises error 5 when an open had no
// close (or, unclosedEnds, just ends there). A part is passed as a view of
// text to an f that takes one, else as a copy.
template <typename F>
void walkTagParts(QStringView text, QStringView open, QStringView close, bool unclosedEnds, F &&f)
{
    const TagSpans spans = tagSpans(text, open, close);
    for (const auto &[start, length] : spans.parts) {
        if constexpr (std::is_invocable_v<F &, QStringView>)
            f(text.sliced(start, length));
        else
            f(text.sliced(start, length).toString());
    }
    if (spans.unclosed && !unclosedEnds)
        vb::raise(vb::InvalidCall);
}

// Calls f with each "<open" .. "</close" text; an open without its close
// raises error 5 once the parts before it are done.
template <typename F>
void forEachTag(QStringView text, QStringView open, QStringView close, F &&f)
{
    walkTagParts(text, open, close, false, f);
}
template <typename F>
void forEachRow(QStringView table, F &&f)
{
    walkTagParts(table, u"<tr", u"</tr>", false, f);
}
// The rows up to the first one without its "</tr>", which ends the walk
// without failing it (a table whose last row lost its end tag).
template <typename F>
void forEachClosedRow(QStringView table, F &&f)
{
    walkTagParts(table, u"<tr", u"</tr>", true, f);
}
template <typename F>
void forEachCell(QStringView row, F &&f)
{
    walkTagParts(row, u"<td", u"</td>", false, f);
}

// Calls f with each cell of one row text as forEachCell does, walk.lastCell
// telling whether the cell is the row's last; without f, the pattern's own
// cell step (walk.standardCell) on each.
void walkRowCells(SheetWalk &walk, QStringView rowText, const std::function<void(QStringView)> &f);

// A cell's text as every sheet shows it: tags dropped, "&amp;" as "&",
// blanks trimmed.
QString cellText(const QString &cellHtml);
QString cellTextOf(QStringView cellHtml); // the same for a part of a longer text
QString &appendCellText(QString &into, QStringView cellHtml); // the same appended to into
