// The zoom window's grid: links and the link pointer of the window's own
// sheet, sorting by a double click, the right button's Edit menu, moving
// columns by their headings, Ctrl+C and Ctrl+A.
#include "reports/ui/Zoom.h"

#include "core/SharedState.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenPointer.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "sheets/GridLinks.h"
#include "sheets/GridSort.h"

#include <QCursor>
#include <QMenu>

void Zoom::wireGridEvents()
{
    connect(FG, &FlexGridView::Click, this, &Zoom::FG_Click);
    connect(FG, &FlexGridView::DblClick, this, &Zoom::FG_DblClick);
    connect(FG, &FlexGridView::MouseDown, this, &Zoom::FG_MouseDown);
    connect(FG, &FlexGridView::MouseMove, this, &Zoom::FG_MouseMove);
    connect(FG, &FlexGridView::MouseUp, this, [this] { Drag.release(); });
    connect(FG, &FlexGridView::DragDrop, this, [this] { Drag.drop(*FGModel); });
    connect(FG, &FlexGridView::KeyDown, this, &Zoom::FG_KeyDown);
}

void Zoom::FG_Click()
{
    HourglassPointer hourglass;
    clickGridLink(ZoomType, *FGModel);
}

void Zoom::FG_MouseMove(int Button, int, float X, float Y)
{
    FGModel->setMousePointer(isLinkPointerColumn(ZoomType, FGModel->MouseCol()) ? 99 : 0);
    if (Drag.move(*FGModel, Button, X, Y))
        FG->Drag(1);
}

// Sorting and the menu follow this window's sheet, not the main window's.
void Zoom::FG_DblClick()
{
    DoubleClickSort(ZoomType, *FGModel);
}

void Zoom::FG_MouseDown(int Button, int, float X, float Y)
{
    if (Button == VbMouse::Right) {
        if (ZoomType == QLatin1String("Current") || ZoomType == QLatin1String("Port"))
            mnuEdits->popup(QCursor::pos());
        return;
    }
    Drag.press(*FGModel, X, Y);
}

void Zoom::FG_KeyDown(int KeyCode, int Shift)
{
    if (!(Shift & VbMouse::CtrlKey))
        return;
    if (KeyCode == 67)
        CopyGrid();
    else if (KeyCode == 65)
        SelectAll();
}
