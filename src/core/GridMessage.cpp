#include "core/GridMessage.h"

#include "core/MainWindow.h"
#include "platform/FlexGrid.h"

short BaseRowHeight = FlexGrid::DefaultRowHeight;

void resetGridMessage()
{
    BaseRowHeight = FlexGrid::DefaultRowHeight;
}

void FG_Message(const QString &Message)
{
    MainWindow *window = mainWindow();
    FlexGrid *FG = window ? window->mainGrid() : nullptr;
    if (!FG)
        return;
    FG->setRedraw(false);
    FG->Clear();
    FG->setRows(1);
    FG->setTextMatrix(0, 0, Message);
    FG->setRowHeight(0, 3 * BaseRowHeight);
    FG->setColWidth(0, FG->Width());
    // The notice's own cell is the one to centre, wherever the last sheet
    // left the current column.
    FG->setCol(0);
    FG->setRow(0);
    FG->setCellAlignment(4);
    FG->setBackColor(FlexGrid::WindowBackground);
    FG->setGridLines(0);
    FG->setRedraw(true);
}
