#include "sheets/HeadingDrag.h"

#include "platform/FlexGrid.h"

#include <cmath>

namespace {

constexpr OleColor HeadingColor = 0;
constexpr OleColor MarkedHeadingColor = 0xFF0000;
constexpr int DragThreshold = 50; // twips, horizontal and vertical distance added
constexpr int LeftButton = 1;

bool isFixedHeading(const FlexGrid &grid, int col)
{
    return col == 0 && grid.FixedCols() == 1;
}

} // namespace

bool HeadingDrag::press(FlexGrid &g, float X, float Y)
{
    const int pressedCol = g.MouseCol();
    if (pressedCol < 0)
        return false;
    const int row = g.Row(), rowSel = g.RowSel(), colSel = g.ColSel();
    g.setRedraw(false);
    for (int k = 0; k < g.Cols(); ++k) {
        g.setRow(0);
        g.setCol(k);
        g.setCellForeColor(HeadingColor);
    }
    g.setRow(0);
    g.setCol(pressedCol);
    g.setCellForeColor(MarkedHeadingColor);
    // Back to the cell (and selection) the press made.
    g.setRow(row);
    g.setCol(pressedCol);
    g.setRowSel(rowSel);
    g.setColSel(colSel);
    g.setRedraw(true);
    if (g.MouseRow() != 0 || isFixedHeading(g, pressedCol))
        return false;
    startX = short(std::lround(X));
    startY = short(std::lround(Y));
    col = -1;
    armed = true;
    return true;
}

bool HeadingDrag::move(FlexGrid &g, int Button, float X, float Y)
{
    if (!armed || Button != LeftButton || col != -1)
        return false;
    const double moved = std::fabs(startX - X) + std::fabs(startY - Y);
    if (moved < DragThreshold || g.MouseRow() != 0)
        return false;
    col = short(g.MouseCol());
    return true;
}

bool HeadingDrag::drop(FlexGrid &g)
{
    const int target = g.MouseCol();
    if (col == -1 || g.MouseRow() != 0 || target < 0 || isFixedHeading(g, target))
        return false;
    g.setRedraw(false);
    g.setColPosition(col, target);
    g.setRedraw(true);
    return true;
}
