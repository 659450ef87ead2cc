// The main grid's events: link clicks and the link pointer, sorting by a
// double click, moving columns by dragging their headings, Ctrl+C and
// Ctrl+A, and the right button's popup menu.
#include "mainwindow/ui/frmMain.h"

#include "platform/Dialogs.h"

#include "core/SharedState.h"
#include "sheets/ColLayout.h"
#include "sheets/GridLinks.h"
#include "sheets/GridSort.h"
#include "sheets/HeadingDrag.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenPointer.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include <cmath>

namespace {
constexpr int SplitOffset = 100; // twips right of the column's left edge
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
    if (Drag.move(*FGModel, Button, X, Y))
        FG->Drag(1);
}

void frmMain::FG_DblClick()
{
    // The holdings sheet is not sorted: its rows belong to their total lines.
    DoubleClickSort(CurType, *FGModel);
}

void frmMain::FG_MouseDown(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    if (Button == VbMouse::Right) {
        pointGridMenuAt(FGModel->MouseRow(), FGModel->MouseCol());
        showGridMenu();
        return;
    }
    if (Drag.press(*FGModel, X, Y))
        picSplit->move(px(FGModel->ColPos(FGModel->MouseCol()) + SplitOffset), picSplit->y());
}

void frmMain::FG_MouseUp(int, int, float, float)
{
    Drag.release();
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
    if (!Drag.drop(*FGModel))
        return;
    RecordLayout(*FGModel);
    // The columns stay as dragged for this run; the user hears that the
    // order could not be kept for the next start.
    if (QString why; !SaveLayout(&why))
        MsgBox(QStringLiteral("The order of the columns could not be saved to\r\n") + why
                   + QStringLiteral(".\r\n\r\nThe columns stay as they are while Brindlewick runs. Make room on the disk "
                                    "and move a column again to keep the order."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Column order not saved"));
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
    FGModel->selectAllCells();
}

void frmMain::FG_Copy()
{
    QGuiApplication::clipboard()->setText(FGModel->Clip());
}
