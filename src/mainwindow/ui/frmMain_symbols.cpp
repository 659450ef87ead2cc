// The symbol column: seven rows over the current set, each a symbol with
// the gauge of its analysts' rating, the scale over the gauges, and the
// arrows that move the rows through the set.
#include "mainwindow/ui/frmMain.h"

#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/ui/BarSkin.h"
#include "core/ui/BitBltModule.h"
#include "mainwindow/SymbolColumn.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <QLabel>
#include <QTimer>

#include <cmath>

void frmMain::LoadPrices()
{
    int k = 0;
    for (int i = 0; i < 7; ++i) {
        if (Sets[i].Symbol.size() > 1)
            lblSbl[k++]->setText(Sets[i].Symbol);
    }
}

void frmMain::ShowRec()
{
    // Only a stock the column lists has a gauge: a row without a symbol,
    // or one hidden below the down arrow, has none.
    const int W = gaugeWidth();
    for (int i = 0; i < 7; ++i) {
        if (lblSbl[i]->text().isEmpty() || lblSbl[i]->isHidden())
            img[i]->hide();
        else
            drawGauge(i, W);
    }
}

int frmMain::gaugeWidth() const
{
    return int(std::nearbyint(img[0]->scaleWidth()));
}

void frmMain::drawGauge(int i, int W)
{
    // The rating goes through its text form, as the gauge always read it.
    const double r = QString::number(GetRating(lblSbl[i]->text())).toDouble();
    if (r <= 0) {
        img[i]->hide();
        return;
    }
    img[i]->show();
    img[i]->Cls();
    if (!img[i]->hasPicture())
        img[i]->setPicture(LoadResPicture(SkinFace));
    BitBlt(img[i], GaugeMarkerX(r, W), 0, 8, 10, SkinDC, 0, 0);
}

void frmMain::ClearSymbols()
{
    for (int i = 0; i < 7; ++i) {
        lblSbl[i]->setText(QString());
        img[i]->hide();
    }
}

void frmMain::setSymbolRow(int k, const QString &symbol)
{
    lblSbl[k]->setText(symbol);
    QFont f = lblSbl[k]->font();
    const bool current = !symbol.isEmpty() && symbol == CurSymbol;
    f.setBold(current);
    lblSbl[k]->setFont(f);
    QPalette pal = lblSbl[k]->palette();
    pal.setColor(QPalette::WindowText, current ? QColor(0, 0, 255) : QColor(0, 0, 0));
    lblSbl[k]->setPalette(pal);
}

void frmMain::ScrollSymbols(short Up)
{
    const QString first = lblSbl[0]->text();
    for (int i = 0; i <= SetCount && i < SetSize; ++i) {
        if (Sets[i].Symbol != first)
            continue;
        int k = 0;
        if (Up) {
            for (int j = i - 1; j <= i + 5; ++j) {
                if (j < 0 || j >= SetCount || k == 7)
                    return;
                setSymbolRow(k++, Sets[j].Symbol);
            }
        } else {
            for (int j = i + 1; j <= i + 7; ++j) {
                if (j > SetCount || j >= SetSize || k > 6)
                    return;
                lblSbl[k]->setVisible(tw(lblSbl[k]->y(), true) - 60 < tw(ImgDn->y(), true));
                setSymbolRow(k++, Sets[j].Symbol);
            }
        }
    }
}

void frmMain::TmrNav_Timer()
{
    ScrollSymbols(ScrollUp ? 1 : 0);
    DoEvents();
    ShowRec();
    DoEvents();
}

void frmMain::ImgUp_MouseMove()
{
    ScrollUp = true;
    TmrNav->start();
}

void frmMain::ImgDn_MouseMove()
{
    ScrollUp = false;
    TmrNav->start();
}

void frmMain::lblSbl_MouseMove()
{
    if (TmrNav->isActive())
        TmrNav->stop();
}

void frmMain::placeScaleLabels(qint32 L, qint32 W, double sellLeft)
{
    // "Sell" at the gauge's left, "Strong Buy" ending at its right edge.
    const auto w = [this](int k) { return Twips::fromPixelsX(lblDsc[k]->width(), this); };
    const auto setLeft = [this](QLabel *l, double left) { l->move(Twips::toPixelsX(left, this), l->y()); };
    setLeft(lblDsc[0], sellLeft);
    setLeft(lblDsc[1], W / 5.0 - w(1) / 2 + L);
    setLeft(lblDsc[2], W / 2.0 + L - w(2));
    setLeft(lblDsc[3], W / 1.5 + L - w(3) / 2);
    setLeft(lblDsc[4], short(W + L) - w(4));
}
