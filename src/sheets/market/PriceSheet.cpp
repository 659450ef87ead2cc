#include "sheets/market/PriceSheet.h"

#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "core/Variant.h"
#include "sheets/ColLayout.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenPointer.h"

#include <QLocale>
#include <QPointer>

#include <algorithm>
#include <vector>

#include <cmath>
#include <optional>

bool OldStyleBackground = false;

namespace {

constexpr OleColor Blue = 0xFF0000;
constexpr OleColor Red = 0xFF;
constexpr OleColor LightYellow = 0xC0FFFF;
constexpr int Columns = 21;
constexpr int PctChangeCol = 4;
// A record without any quote data makes 20 tabs and a name shorter than
// nine characters: 28 characters at most.
constexpr int ShortestRow = 29;

enum class Form { AsStored, Price, Volume };

struct PriceColumn
{
    const char *header;
    QString StockRec::*field; // nullptr: the picture column
    Form form;
    int align;
    int width; // percent of the grid's width
};

// The headers are matched by the stored column layout; keep their spelling.
const PriceColumn PriceColumns[Columns] = {
    {"", nullptr, Form::AsStored, 1, 3},
    {"Companey", &StockRec::Name, Form::AsStored, 1, 20},
    {"Last Sale", &StockRec::LastSale, Form::Price, 7, 12},
    {"Change", &StockRec::Change, Form::Price, 7, 10},
    {"% Change", &StockRec::PctChange, Form::AsStored, 7, 12},
    {"Volume", &StockRec::Volume, Form::Volume, 7, 14},
    {"Today's High", &StockRec::DayHigh, Form::Price, 7, 15},
    {"Today's Low", &StockRec::DayLow, Form::Price, 7, 15},
    {"Bid", &StockRec::Bid, Form::Price, 7, 10},
    {"Ask", &StockRec::Ask, Form::Price, 7, 10},
    {"Last Trade Size", &StockRec::LastTradeSize, Form::AsStored, 7, 12},
    {"Open", &StockRec::Open, Form::Price, 7, 10},
    {"Previous Close", &StockRec::PrevClose, Form::Price, 7, 15},
    {"52 Week High", &StockRec::High52, Form::AsStored, 7, 15},
    {"52 Week Low", &StockRec::Low52, Form::AsStored, 7, 15},
    {"EPS", &StockRec::EPS, Form::AsStored, 7, 12},
    {"P/E Ratio", &StockRec::PERatio, Form::AsStored, 7, 15},
    {"Dividend Per Sharev", &StockRec::DivPerShare, Form::AsStored, 4, 10},
    {"Exchange", &StockRec::Exchange, Form::AsStored, 1, 14},
    {"Industry", &StockRec::Industry, Form::AsStored, 1, 20},
    {"Last Update", &StockRec::LastUpdate, Form::AsStored, 4, 15},
};

// A box of the settings form as stored: ticked unless it was stored
// cleared, so before the form's first OK the display is the one its
// default ticks give.
bool boxTicked(const QString &stored)
{
    return stored.isEmpty() || !(Variant(stored) == 0);
}

// A text as a number, in the user's notation or the plain one; nullopt
// when it is none ("N/A", "", "12 3/8").
std::optional<double> readNumber(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(t, &ok);
    if (!ok)
        value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The last sale in its decimal form; nullopt when the stored text is no
// price at all (FormatP would call such a text 0, below any low target).
std::optional<double> lastSaleValue(const QString &lastSale)
{
    const QString t = lastSale.trimmed();
    if (t.isEmpty() || !t.back().isDigit())
        return std::nullopt;
    return readNumber(FormatP(lastSale, false));
}

// The volume, divided by `unit`, with thousands separators and no decimals
// ("#,##;"): a zero volume shows empty, a text that is no number stays as
// it is.
QString volumeText(const QString &volume, double unit)
{
    const std::optional<double> value = readNumber(volume);
    if (!value)
        return volume;
    const qint64 units = std::llround(std::fabs(*value) / unit);
    if (units == 0)
        return QString();
    QString digits = QString::number(units);
    const QString separator = QLocale().groupSeparator();
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, separator);
    return *value < 0 ? QLocale().negativeSign() + digits : digits;
}

} // namespace

QString shownPrice(const QString &stored)
{
    // Fractions as the quote page gives them, or decimals; a field without
    // any digit (no quote yet, "N/A") stands as it is, never as "0".
    const bool noNumber = std::none_of(stored.cbegin(), stored.cend(), [](QChar c) { return c.isDigit(); });
    if (boxTicked(ShowFractions) || noNumber)
        return stored;
    // A rise keeps its "+" in decimals too ("+1/2" is "+0.50").
    const QString decimals = FormatP(stored, false);
    const bool rise = stored.trimmed().startsWith(QLatin1Char('+'));
    return rise && !decimals.isEmpty() && !decimals.startsWith(QLatin1Char('+')) ? QLatin1Char('+') + decimals : decimals;
}

QString shownVolume(const QString &stored)
{
    return volumeText(stored, boxTicked(ShowVolume) ? 100 : 1);
}

namespace {

QString cellValue(const StockRec &rec, const PriceColumn &column)
{
    const QString &stored = rec.*column.field;
    switch (column.form) {
    case Form::Price:
        return shownPrice(stored);
    case Form::Volume:
        return shownVolume(stored);
    case Form::AsStored:
        break;
    }
    return stored;
}

QString rowText(const StockRec &rec)
{
    QString text;
    for (int c = 1; c < Columns; ++c)
        text += QLatin1Char('\t') + cellValue(rec, PriceColumns[c]);
    return text;
}

// A stock gets a row when its record has a symbol and quote data.
bool hasRow(const StockRec &rec)
{
    return !rec.Symbol.isEmpty() && rowText(rec).size() >= ShortestRow;
}

// The picture cell of a row (column 0 as the sheet is drawn): the direction
// of the change, then the alert targets, each rule replacing the picture of
// the one before.
void setRowPicture(FlexGrid &grid, int row, int col, const StockRec &rec)
{
    grid.setRow(row);
    grid.setCol(col);
    const QString &pct = rec.PctChange;
    const auto arrow = [&grid](const char *name) {
        grid.setCellPicture(QLatin1String(name));
        grid.setCellPictureAlignment(4);
    };
    if (pct.startsWith(QLatin1Char('-'))) {
        arrow("DN");
    } else if (const auto change = readNumber(QString(pct).remove(QLatin1Char('%'))); change && *change > 0) {
        arrow("UP");
    }
    const std::optional<double> last = lastSaleValue(rec.LastSale);
    if (!last)
        return;
    if (rec.LowTarget > 0 && float(*last) < rec.LowTarget)
        grid.setCellPicture(QStringLiteral("LOW"));
    if (rec.HighTarget > 0 && float(*last) > rec.HighTarget)
        grid.setCellPicture(QStringLiteral("HIGH"));
}

void prepare(FlexGrid &grid)
{
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(2);
    grid.setCols(Columns);
    grid.setBackColor(FlexGrid::WindowBackground);
    grid.setRowHeight(0, BaseRowHeight);
    grid.setRowHeight(1, 0);
    grid.setGridLines(0);
    QList<Variant> headers;
    for (const PriceColumn &column : PriceColumns)
        headers << QString::fromLatin1(column.header);
    SetHeaders(&grid, headers);
}

void format(FlexGrid &grid)
{
    QList<Variant> aligns, widths;
    for (const PriceColumn &column : PriceColumns) {
        aligns << column.align;
        widths << column.width;
    }
    SetColAlign(&grid, aligns);
    SetColWidths(&grid, widths);
    for (int r = 2; r < grid.Rows(); ++r) {
        const bool falling = grid.TextMatrix(r, PctChangeCol).startsWith(QLatin1Char('-'));
        grid.setRow(r);
        grid.setCol(PctChangeCol);
        grid.setCellForeColor(falling ? Red : Blue);
    }
    // Row 1 is the hidden one, so the stripe falls on every second stock.
    if (OldStyleBackground) {
        for (int r = 1; r < grid.Rows(); r += 2) {
            grid.setRow(r);
            for (int c = 1; c < Columns; ++c) {
                grid.setCol(c);
                grid.setCellBackColor(LightYellow);
            }
        }
    }
    grid.setRow(0);
    for (int c = 0; c < Columns; ++c) {
        grid.setCol(c);
        grid.setCellAlignment(4);
    }
}

} // namespace

namespace {

// What the sheet last drew, and into which grid: while that grid holds it
// unchanged, drawing the sheet again writes only the rows of the records
// that changed since (a price update draws the sheet after every stock).
struct DrawnSheet
{
    QPointer<FlexGrid> grid;
    quint64 edits = 0;
    QString fractions, volume;
    bool stripes = false;
    ColLayoutArray layout;
    std::vector<StockRec> records; // every record as drawn
    std::vector<int> rowOf;        // each record's row, -1: left out
    std::vector<int> columnOf;     // each PriceColumns entry's grid column
    // The current cell, the selection and the top row drawing left (the
    // same for every drawing of the same rows).
    int row = 0, col = 0, rowSel = 0, colSel = 0, topRow = 0;
};

DrawnSheet g_drawn;

bool sameRow(const StockRec &a, const StockRec &b)
{
    for (const PriceColumn &column : PriceColumns)
        if (column.field && a.*column.field != b.*column.field)
            return false;
    return a.LowTarget == b.LowTarget && a.HighTarget == b.HighTarget;
}

void drawAll(FlexGrid &grid)
{
    prepare(grid);
    // Every record: a stock after free records is in the set too.
    for (int i = 0; i < SetSize; ++i) {
        const StockRec &rec = Sets[size_t(i)];
        if (!hasRow(rec))
            continue;
        grid.AddItem(rowText(rec));
        grid.setRowData(grid.Rows() - 1, i); // the record the row shows
        setRowPicture(grid, grid.Rows() - 1, 0, rec);
    }
    format(grid);
    grid.setRedraw(true);
    // The stored column order, as the user arranged the quote table,
    // on the grid the sheet was drawn into (a zoom window's grid too).
    FixLayOut(grid);
    FixLayOut(grid);
}

void remember(FlexGrid &grid)
{
    DrawnSheet d;
    d.grid = &grid;
    d.fractions = ShowFractions;
    d.volume = ShowVolume;
    d.stripes = OldStyleBackground;
    d.layout = ColLayout;
    for (int i = 0, row = 2; i < SetSize; ++i) {
        d.records.push_back(Sets[size_t(i)]);
        d.rowOf.push_back(hasRow(Sets[size_t(i)]) ? row++ : -1);
    }
    for (const PriceColumn &column : PriceColumns) {
        int found = -1;
        for (int c = 0; c < grid.Cols() && found < 0; ++c)
            if (grid.TextMatrix(0, c) == QLatin1String(column.header))
                found = c;
        d.columnOf.push_back(found);
    }
    d.row = grid.Row();
    d.col = grid.Col();
    d.rowSel = grid.RowSel();
    d.colSel = grid.ColSel();
    d.topRow = grid.TopRow();
    d.edits = grid.editCount();
    g_drawn = std::move(d);
}

// Writes again the rows of the records changed since the sheet was drawn,
// leaving the grid as drawing it all would; false (nothing written) when
// only drawing it all will do.
bool redrawChangedRows(FlexGrid &grid)
{
    DrawnSheet &d = g_drawn;
    if (d.grid != &grid || grid.editCount() != d.edits || d.fractions != ShowFractions || d.volume != ShowVolume
        || d.stripes != OldStyleBackground || d.layout != ColLayout || int(d.records.size()) != SetSize
        || std::find(d.columnOf.begin(), d.columnOf.end(), -1) != d.columnOf.end())
        return false;
    std::vector<int> changed;
    for (int i = 0; i < int(d.records.size()); ++i)
        if (!sameRow(d.records[size_t(i)], Sets[size_t(i)])) {
            // A stock that comes into the sheet or leaves it moves the rows below.
            if (hasRow(Sets[size_t(i)]) != (d.rowOf[size_t(i)] >= 0))
                return false;
            changed.push_back(i);
        }
    grid.setRedraw(false);
    for (const int i : changed) {
        const StockRec &rec = Sets[size_t(i)];
        d.records[size_t(i)] = rec;
        const int row = d.rowOf[size_t(i)];
        if (row < 0)
            continue;
        for (int k = 1; k < Columns; ++k)
            grid.setTextMatrix(row, d.columnOf[size_t(k)], cellValue(rec, PriceColumns[k]));
        grid.setRow(row);
        grid.setCol(d.columnOf[0]);
        grid.setCellPicture(QString());
        grid.setCellPictureAlignment(FlexCellFormat().pictureAlignment);
        setRowPicture(grid, row, d.columnOf[0], rec);
        grid.setCol(d.columnOf[PctChangeCol]);
        grid.setCellForeColor(rec.PctChange.startsWith(QLatin1Char('-')) ? Red : Blue);
    }
    grid.setRow(d.row);
    grid.setCol(d.col);
    grid.setRowSel(d.rowSel);
    grid.setColSel(d.colSel);
    grid.setTopRow(d.topRow);
    grid.setRedraw(true);
    d.edits = grid.editCount();
    return true;
}

} // namespace

void FG_Current()
{
    HourglassPointer hourglass;
    CurType = QStringLiteral("Current");
    SheetTarget target;
    FlexGrid *grid = target.grid();
    if (!grid)
        return;
    try {
        if (!target.zooming() && redrawChangedRows(*grid))
            return;
        drawAll(*grid);
        remember(*grid);
        target.showZoom();
    } catch (...) {
        grid->setRedraw(true);
        g_drawn = DrawnSheet{};
    }
}

int PriceSheetRecord(const FlexGrid &grid, int row)
{
    if (row < 2 || row >= grid.Rows())
        return -1;
    for (int i = 0; i < SetSize; ++i) {
        const StockRec &rec = Sets[size_t(i)];
        if (!hasRow(rec))
            continue;
        bool same = true;
        for (int c = 0; c < grid.Cols() && same; ++c)
            for (const PriceColumn &column : PriceColumns)
                if (column.field && grid.TextMatrix(0, c) == QLatin1String(column.header)) {
                    same = grid.TextMatrix(row, c) == cellValue(rec, column);
                    break;
                }
        if (same)
            return i;
    }
    return -1;
}
