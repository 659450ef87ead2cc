#include "core/Utilities.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// A list element as a number, or nothing when it is a text that reads as
// none (the type mismatch that skips the column).
std::optional<double> numberOf(const Variant &v)
{
    if (!v.isNumeric())
        return std::nullopt;
    return v.toDouble();
}

// Rounds to the nearest whole number, halves to the even neighbour, when the
// result fits in [low, high].
std::optional<long long> roundEven(double value, double low, double high)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value); // the default rounding mode sends halves to even
    if (r < low || r > high)
        return std::nullopt;
    return static_cast<long long>(r);
}

} // namespace

void SetCell(FlexGrid *grid, short row, short col, const QString &text, short align, bool bold,
             const Variant &unused, OleColor foreColor, OleColor backColor)
{
    Q_UNUSED(unused);
    if (!grid)
        return;
    grid->setCol(col);
    grid->setRow(row);
    grid->setTextMatrix(row, col, text);
    grid->setCellAlignment(align);
    grid->setCellBackColor(backColor);
    grid->setCellFontBold(bold);
    grid->setCellFontUnderline(false);
    grid->setCellForeColor(foreColor);
}

void SetLinkCells(FlexGrid *grid, short fromRow, short toRow, short col)
{
    if (!grid)
        return;
    grid->setCol(col);
    for (int r = fromRow; r <= toRow; ++r) {
        grid->setRow(r);
        grid->setCellFontUnderline(true);
        grid->setCellForeColor(0xFF0000);
    }
}

void SetColWidths(FlexGrid *grid, const QList<Variant> &widths)
{
    if (!grid)
        return;
    for (qsizetype i = 0; i < widths.size(); ++i) {
        const std::optional<double> percent = numberOf(widths[i]);
        if (!percent)
            continue;
        const double width = double(float(grid->Width())) * *percent / 100.0;
        if (const auto twips = roundEven(width, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
            grid->setColWidth(int(i), int(*twips));
    }
}

void SetColAlign(FlexGrid *grid, const QList<Variant> &aligns)
{
    if (!grid)
        return;
    for (qsizetype i = 0; i < aligns.size(); ++i) {
        const std::optional<double> value = numberOf(aligns[i]);
        if (!value)
            continue;
        if (const auto code = roundEven(*value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()))
            grid->setColAlignment(int(i), int(*code));
    }
}

void SetColAlign2(FlexGrid *grid, const QList<Variant> &aligns)
{
    SetColAlign(grid, aligns);
}

void SetHeaders(FlexGrid *grid, const QList<Variant> &titles)
{
    if (!grid)
        return;
    for (qsizetype i = 0; i < titles.size(); ++i)
        grid->setTextArray(int(i), titles[i].toString());
}
