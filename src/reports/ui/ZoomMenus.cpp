// The zoom window's label buttons and their Edit and Export menus. The
// menus act on the window's own sheet and the symbol it was made for,
// whatever the main window shows meanwhile.
#include "reports/ui/Zoom.h"

#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"
#include "reports/Reports.h"

#include <QAction>
#include <QFrame>
#include <QMenu>

void Zoom::createMenus()
{
    mnuEdits = new QMenu(QStringLiteral("Edit"), this);
    const char *const edits[] = {"Select All", "-", "Copy"};
    const char *const keys[] = {"Ctrl+A", "", "Ctrl+C"};
    for (int i = 0; i < 3; ++i) {
        QAction *a = i == 1 ? mnuEdits->addSeparator() : mnuEdits->addAction(QString::fromLatin1(edits[i]));
        if (i != 1)
            a->setShortcut(QKeySequence(QString::fromLatin1(keys[i])));
        a->setShortcutVisibleInContextMenu(true);
        connect(a, &QAction::triggered, this, [this, i] { mnuEdit_Click(i); });
        mnuEdit << a;
    }
    mnuExport = new QMenu(QStringLiteral("Export"), this);
    const char *const exports[] = {"HTML", "Tab Delimited Text", "Comma Delimited Text", "Quicken Pre 5.0",
                                   "Quicken 5.0 or Later", "Meta Stock", "Quote Link", "Prodigy Quotertrack", "Excel",
                                   "Microsoft Money", "Access", "Word", "Oracle", "SQL Server", "Microsoft Mail",
                                   "Clipboard"};
    for (int i = 0; i < 16; ++i) {
        QAction *a = mnuExport->addAction(QString::fromLatin1(exports[i]));
        connect(a, &QAction::triggered, this, [this, i] { mnuEx_Click(i); });
        mnuEx << a;
    }
    connect(mnuExport, &QMenu::aboutToShow, this, &Zoom::mnuExport_Click);
}

void Zoom::Panel1_Click(int Index)
{
    if (Index == 0) {
        CloseZoom();
    } else if (Index == 1) {
        const QPoint at(Panel1[1]->x(), Panel1[1]->y() - Twips::toPixelsY(700, this));
        mnuEdits->popup(mapToGlobal(at));
    } else if (Index == 2) {
        mnuExport->popup(mapToGlobal(Panel1[2]->pos()));
    }
}

void Zoom::mnuExport_Click()
{
    static const QStringList symbolSheets = {"ABS", "AIS", "IT", "EC", "ER", "EH", "EG", "Call", "Put"};
    for (int i = 0; i < mnuEx.size(); ++i) {
        bool on = false;
        if (ZoomType == QLatin1String("Current"))
            on = i <= 8 || i == 15;
        else if (symbolSheets.contains(ZoomType))
            on = i == 0;
        mnuEx[i]->setEnabled(on);
    }
}

void Zoom::mnuEx_Click(int Index)
{
    if (Index == 0)
        ReportSheet(ZoomType, ZoomSymbol);
    else if (Index >= 1 && Index <= 15)
        Reports().Export(short(Index - 1));
}

void Zoom::mnuEdit_Click(int Index)
{
    if (Index == 0)
        SelectAll();
    else if (Index == 2)
        CopyGrid();
}

// The highlight behind the label under the pointer: moved only when it is
// not already there, green while a button is down, yellow again after.
void Zoom::Panel1_MouseMove(int Index)
{
    QWidget *label = Panel1[Index];
    if (Shape1->x() == label->x())
        return;
    Shape1->setGeometry(label->x(), label->y() - Twips::toPixelsY(20, this), label->width(), Shape1->height());
    Shape1->show();
    label->unsetCursor();
    DoEvents();
}

void Zoom::Panel1_MouseDown(int)
{
    Shape1->setStyleSheet(QStringLiteral("background-color: #00ff00;"));
}

void Zoom::Panel1_MouseUp(int)
{
    Shape1->setStyleSheet(QStringLiteral("background-color: #ffff00;"));
}
