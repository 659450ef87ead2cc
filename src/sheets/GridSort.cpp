#include "sheets/GridSort.h"

#include "core/SharedState.h"
#include "platform/FlexGrid.h"

#include <QStringList>

#include <algorithm>

namespace {

// Row 0 holds the headings and row 1 the sheet's title or its hidden row.
constexpr int FirstDataRow = 2;

bool isDataRow(const FlexGrid &grid, int row)
{
    if (row < FirstDataRow || grid.RowHeight(row) == 0)
        return false;
    bool text = false;
    for (int c = 0; c < grid.Cols(); ++c) {
        if (grid.cellFormat(row, c).bold)
            return false;
        text = text || !grid.TextMatrix(row, c).isEmpty();
    }
    return text;
}

} // namespace

bool isSortableSheet(const QString &sheetKey)
{
    static const QStringList keys = {"Current", "SUP",       "QR",       "IT",   "BR",
                                     "Upgrade", "Downgrade", "Coverage", "Call", "Put"};
    return keys.contains(sheetKey);
}

void SortSheet(FlexGrid &grid, int setting)
{
    const int row = grid.Row(), col = grid.Col(), rowSel = grid.RowSel(), colSel = grid.ColSel();
    if (!grid.isCell(row, col) || !grid.isCell(rowSel, colSel))
        return;
    int first = std::min(row, rowSel), last = std::max(row, rowSel);
    if (first == last) {
        first = 0;
        last = grid.Rows() - 1;
    }
    const int c0 = std::min(col, colSel), c1 = std::max(col, colSel);
    const bool redraw = grid.Redraw();
    grid.setRedraw(false);
    for (int r = first; r <= last;) {
        if (!isDataRow(grid, r)) {
            ++r;
            continue;
        }
        int end = r;
        while (end + 1 <= last && isDataRow(grid, end + 1))
            ++end;
        if (end > r) {
            grid.setRow(r);
            grid.setCol(c0);
            grid.setRowSel(end);
            grid.setColSel(c1);
            grid.setSort(setting);
        }
        r = end + 1;
    }
    grid.setRow(row);
    grid.setCol(col);
    grid.setRowSel(rowSel);
    grid.setColSel(colSel);
    grid.setRedraw(redraw);
}

void DoubleClickSort(const QString &sheetKey, FlexGrid &grid)
{
    if (!isSortableSheet(sheetKey))
        return;
    SortOrder = SortOrder == 1 ? 2 : 1;
    SortSheet(grid, SortOrder);
}
