// The main grid's events: link clicks and the link pointer, sorting by a
// double click, moving columns by dragging their headings, Ctrl+C and
// Ctrl+A, and the right button's popup menu.
#include "mainwindow/ui/frmMain.h"

#include "core/SharedState.h"
#include "sheets/ColLayout.h"
#include "sheets/GridLinks.h"
#include "sheets/GridSort.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenPointer.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include <cmath>

namespace {

constexpr OleColor HeadingColor = 0;
constexpr OleColor MarkedHeadingColor = 0xFF0000;
constexpr int DragThreshold = 50; // twips, horizontal and vertical distance added
constexpr int SplitOffset = 100;  // twips right of the column's left edge

// Column 0 of a grid with one fixed column holds no movable heading.
bool isFixedHeading(const FlexGrid &grid, int col)
{
    return col == 0 && grid.FixedCols() == 1;
}

} // namespace

void frmMain::wireGridEvents()
{
    connect(FG, &FlexGridView::Click, this, &frmMain::FG_Click, Qt::UniqueConnection);
    connect(FG, &FlexGridView::MouseMove, this, &frmMain::FG_MouseMove, Qt::UniqueConnection);
    connect(FG, &FlexGridView::DblClick, this, &frmMain::FG_DblClick, Qt::UniqueConnection);
    connect(FG, &FlexGridView::MouseDown, this, &frmMain::FG_MouseDown, Qt::UniqueConnection);
    connect(FG, &FlexGridView::MouseUp, this, &frmMain::FG_MouseUp, Qt::UniqueConnection);
    connect(FG, &FlexGridView::DragOver, this, [this](float X, float Y, int) { FG_DragOver(X, Y); });
    connect(FG, &FlexGridView::DragDrop, this, &frmMain::FG_DragDrop, Qt::UniqueConnection);
    connect(FG, &FlexGridView::KeyDown, this, &frmMain::FG_KeyDown, Qt::UniqueConnection);
    createGridMenu();
}

void frmMain::FG_Click()
{
    HourglassPointer hourglass;
    clickGridLink(CurType, *FGModel);
}

void frmMain::FG_MouseMove(int Button, int, float X, float Y)
{
    if (TmrNav->isActive())
        TmrNav->stop();
    FGModel->setMousePointer(isLinkPointerColumn(CurType, FGModel->MouseCol()) ? 99 : 0);
    if (!DragArmed || Button != VbMouse::Left || DragCol != -1)
        return;
    const double moved = std::fabs(DragStartX - X) + std::fabs(DragStartY - Y);
    if (moved >= DragThreshold && FGModel->MouseRow() == 0) {
        DragCol = short(FGModel->MouseCol());
        FG->Drag(1);
    }
}

void frmMain::FG_DblClick()
{
    // The holdings sheet is not sorted: its rows belong to their total lines.
    if (!isSortableSheet(CurType))
        return;
    SortOrder = SortOrder == 1 ? 2 : 1;
    SortSheet(*FGModel, SortOrder);
}

void frmMain::FG_MouseDown(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    if (Button == VbMouse::Right) {
        showGridMenu();
        return;
    }
    FlexGrid &g = *FGModel;
    const int pressedCol = g.MouseCol();
    if (pressedCol < 0)
        return;
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
        return;
    picSplit->move(px(g.ColPos(pressedCol) + SplitOffset), picSplit->y());
    DragStartX = short(std::lround(X));
    DragStartY = short(std::lround(Y));
    DragCol = -1;
    DragArmed = true;
}

void frmMain::FG_MouseUp(int, int, float, float)
{
    DragArmed = false;
    picSplit->setVisible(false);
}

void frmMain::FG_DragOver(float, float)
{
    picSplit->setVisible(true);
    picSplit->raise();
    picSplit->move(px(FGModel->ColPos(FGModel->MouseCol()) + SplitOffset), picSplit->y());
}

void frmMain::FG_DragDrop(float, float)
{
    picSplit->setVisible(false);
    FlexGrid &g = *FGModel;
    const int target = g.MouseCol();
    if (DragCol == -1 || g.MouseRow() != 0 || target < 0 || isFixedHeading(g, target))
        return;
    g.setRedraw(false);
    g.setColPosition(DragCol, target);
    g.setRedraw(true);
    RecordLayout(g);
    SaveLayout();
}

void frmMain::FG_KeyDown(int KeyCode, int Shift)
{
    if (!(Shift & 2))
        return;
    if (KeyCode == 67) // C
        FG_Copy();
    else if (KeyCode == 65) // A
        FG_SelectAll();
}

void frmMain::FG_SelectAll()
{
    FlexGrid &g = *FGModel;
    g.setCol(0);
    g.setRow(0);
    g.setRowSel(g.Rows() - 1);
    g.setColSel(g.Cols() - 1);
}

void frmMain::FG_Copy()
{
    QGuiApplication::clipboard()->setText(FGModel->Clip());
}
