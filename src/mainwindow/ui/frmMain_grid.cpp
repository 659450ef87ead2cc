#include "mainwindow/ui/frmMain.h"

#include "core/SharedState.h"
#include "mainwindow/GridLinks.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenPointer.h"
#include "platform/ui/FlexGridView.h"

#include <QTimer>

void frmMain::wireGridEvents()
{
    connect(FG, &FlexGridView::Click, this, &frmMain::FG_Click, Qt::UniqueConnection);
    connect(FG, &FlexGridView::MouseMove, this, &frmMain::FG_MouseMove, Qt::UniqueConnection);
}

void frmMain::FG_Click()
{
    HourglassPointer hourglass;
    clickGridLink(CurType, *FGModel);
}

void frmMain::FG_MouseMove(int, int, float, float)
{
    if (TmrNav->isActive())
        TmrNav->stop();
    FGModel->setMousePointer(isLinkPointerColumn(CurType, FGModel->MouseCol()) ? 99 : 0);
}
