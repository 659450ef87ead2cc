// The two dividers of the main window: the one between the upper panes and
// the grid, and the one between the tree and the gauges.
#include "mainwindow/ui/frmMain.h"

#include "core/Registry.h"
#include "core/ui/FormResize.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <QLabel>
#include <QTimer>
#include <cmath>

namespace {
// Rounds halves to the even neighbour, as the program's integer conversions do.
qint32 roundEven(double v)
{
    return qint32(std::nearbyint(v));
}
} // namespace

double frmMain::tw(int pixels, bool vertical) const
{
    return vertical ? Twips::fromPixelsY(pixels, this) : Twips::fromPixelsX(pixels, this);
}

int frmMain::px(double twips, bool vertical) const
{
    return vertical ? Twips::toPixelsY(twips, this) : Twips::toPixelsX(twips, this);
}

void frmMain::Splitter_MouseDown(int Button, int Shift, double X, double Y)
{
    if (Button == 1) {
        Splitter->setMouseIcon(LoadResCursor(102));
        Splitter->setBackColor(QColor(QRgb(SplitterDragColor)));
        SplitterStartY = roundEven(Y);
        return;
    }
    if (SplitterStartY != 2147483647)
        Splitter_MouseUp(Button, Shift, X, Y);
    SplitterStartY = 2147483647;
}

void frmMain::Splitter_MouseMove(int, int, double, double Y)
{
    if (SplitterStartY == 2147483647 || roundEven(Y) == SplitterStartY)
        return;
    Splitter->setGeometry(0, Splitter->y() + px(Y, true), PicCont->width(), Splitter->height());
    SplitterStartY = roundEven(Y);
}

void frmMain::Splitter_MouseUp(int, int, double, double)
{
    Splitter->setMouseIcon(LoadResCursor(103));
    Splitter->setBackColor(palette().color(QPalette::Button));
    SplitterStartY = 2147483647;

    double T = tw(Splitter->y(), true);
    if (T < 400)
        T = 400;
    else if (T > GridTopAtLoad)
        T = GridTopAtLoad;
    Splitter->move(Splitter->x(), px(T, true));

    const double inner = tw(PicCont->height(), true);
    FG->setGeometry(FG->x(), px(T + 250, true), FG->width(), px(inner - (T + 500), true));
    ImgDn->move(ImgDn->x(), px(T - 380, true));
    TreeView1->resize(TreeView1->width(), px(T - 200, true));
    picSplit2->resize(picSplit2->width(), px(T, true));

    showRowsWithRoom();
    picSplit->setGeometry(picSplit->x(), FG->y(), picSplit->width(), FG->height());
    keepLayout();
}

void frmMain::showRowsWithRoom()
{
    int lastVisible = -1;
    for (int i = 0; i < 7; ++i) {
        if (tw(ImgDn->y(), true) - 60 >= tw(lblSbl[i]->y(), true)) {
            lblSbl[i]->show();
            lastVisible = i;
        } else {
            lblSbl[i]->hide();
            img[i]->hide();
        }
    }
    for (int i = 0; i <= lastVisible && !lblSbl[i]->text().isEmpty(); ++i)
        drawGauge(i, gaugeWidth());
}

void frmMain::keepLayout()
{
    if (FormResizer && !isMinimized())
        FormResizer->ReInitialize();
}

void frmMain::Splitter_DblClick()
{
    // At its upper limit (to the pixel) it drops to 3120, else it rises to 400.
    const bool atTop = qAbs(tw(Splitter->y(), true) - 400) < Twips::perPixelY(this);
    const double top = atTop ? 3120 : 400;
    Splitter->move(Splitter->x(), px(top, true));
    Splitter_MouseUp(1, 0, 0, 0);
    picSplit->setGeometry(picSplit->x(), FG->y(), picSplit->width(), FG->height());
}

void frmMain::picSplit2_MouseDown(int Button, int Shift, double X, double Y)
{
    if (Button == 1) {
        picSplit2->setMouseIcon(LoadResCursor(102));
        picSplit2->setBackColor(QColor(QRgb(SplitterDragColor)));
        TreeSplitStartX = roundEven(X);
        return;
    }
    if (TreeSplitStartX != 2147483647)
        picSplit2_MouseUp(Button, Shift, X, Y);
    TreeSplitStartX = 2147483647;
}

void frmMain::picSplit2_MouseMove(int, int, double X, double)
{
    if (TreeSplitStartX == 2147483647 || roundEven(X) == TreeSplitStartX)
        return;
    picSplit2->move(picSplit2->x() + px(X), picSplit2->y());
    TreeSplitStartX = roundEven(X);
}

void frmMain::picSplit2_MouseUp(int, int, double, double)
{
    // Lays out the upper pane for the divider's position, within its limits.
    picSplit2->setMouseIcon(LoadResCursor(103));
    picSplit2->setBackColor(palette().color(QPalette::Button));
    TreeSplitStartX = 2147483647;
    const double inner = tw(PicCont->width());
    double p = tw(picSplit2->x());
    if (p < 400)
        p = 400;
    else if (p > inner - 500)
        p = inner - 500;
    const qint32 P = qint32(qRound(p));
    picSplit2->move(px(P), picSplit2->y());
    SaveSetting(QStringLiteral("LastTreePos"), QString::number(P));
    ImgDn->move(px(P + 50), ImgDn->y());
    ImgUp->move(px(P + 50), ImgUp->y());
    TreeView1->resize(px(P - 100), TreeView1->height());
    for (int i = 0; i < 7; ++i) {
        lblSbl[i]->move(px(P + 250), lblSbl[i]->y());
        img[i]->move(px(P + 850), img[i]->y());
    }
    Shape1->move(px(P + 250), Shape1->y());
    placeScaleLabels(qRound(tw(img[0]->x())), qRound(tw(img[0]->width())), P + 850);
    keepLayout();
}

void frmMain::picSplit2_DblClick()
{
    picSplit2->move(px(2280), picSplit2->y());
    picSplit2_MouseUp(1, 0, 0, 0);
}
