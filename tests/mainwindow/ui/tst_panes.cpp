#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Stocks.h"
#include "core/ui/BarSkin.h"
#include "core/ui/BitBltModule.h"
#include "mainwindow/SymbolColumn.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest>

namespace {
// Writes set n with the given symbols (and ratings) to its file.
void writeSet(short n, const QStringList &symbols, const QList<float> &ratings = {})
{
    resetStocks();
    CurSetNo = n;
    for (int i = 0; i < symbols.size(); ++i) {
        Sets[i].Symbol = symbols[i];
        Sets[i].Rating = ratings.value(i, 0);
    }
    SaveStocks();
    resetStocks();
}

QStringList rows(frmMain *w)
{
    QStringList r;
    for (QLabel *l : w->lblSbl)
        r << l->text();
    return r;
}

QStringList tenSymbols()
{
    QStringList s;
    for (int i = 0; i < 10; ++i)
        s << QStringLiteral("SY%1").arg(i);
    return s;
}
} // namespace

class TestPanes : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

    frmMain *open()
    {
        frmMain::Show();
        return frmMain::instance();
    }

    double twY(frmMain *w, QWidget *c) { return Twips::fromPixelsY(c->y(), w); }
    double twX(frmMain *w, QWidget *c) { return Twips::fromPixelsX(c->x(), w); }

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetStocks();
    }

    void cleanup()
    {
        delete frmMain::instance();
        m_profile.reset();
    }

    void horizontalBarKeepsItsLimits()
    {
        frmMain *w = open();
        const int grid0 = w->GridTopAtLoad;
        // Dragged up to 100 twips: it stops at 400, the grid 250 below it.
        w->Splitter_MouseDown(1, 0, 0, 15);
        w->Splitter->move(0, Twips::toPixelsY(100, w));
        w->Splitter_MouseUp(1, 0, 0, 0);
        QCOMPARE(w->Splitter->y(), Twips::toPixelsY(400, w));
        QCOMPARE(w->FG->y(), Twips::toPixelsY(650, w));
        QCOMPARE(w->SplitterStartY, 2147483647);
        QCOMPARE(w->picSplit->y(), w->FG->y());
        QCOMPARE(w->picSplit->height(), w->FG->height());
        // Below the grid's top at load it stops there.
        w->Splitter->move(0, Twips::toPixelsY(grid0 + 900, w));
        w->Splitter_MouseUp(1, 0, 0, 0);
        QCOMPARE(w->Splitter->y(), Twips::toPixelsY(grid0, w));
        // Double clicks go between 400 and 3120.
        w->Splitter->move(0, Twips::toPixelsY(400, w));
        w->Splitter_DblClick();
        QCOMPARE(w->Splitter->y(), Twips::toPixelsY(qMin(3120, grid0), w));
        w->Splitter_DblClick();
        QCOMPARE(w->Splitter->y(), Twips::toPixelsY(400, w));
        // A right press without a drag does nothing.
        const int before = w->Splitter->y();
        w->Splitter_MouseDown(2, 0, 0, 0);
        QCOMPARE(w->Splitter->y(), before);
    }

    void dividerIsLimitedAndStored()
    {
        frmMain *w = open();
        const double inner = Twips::fromPixelsX(w->PicCont->width(), w);
        w->picSplit2_MouseDown(1, 0, 10, 0);
        w->picSplit2_MouseMove(1, 0, -3000, 0); // far to the left
        w->picSplit2_MouseUp(1, 0, 0, 0);
        QCOMPARE(QuerySetting(QStringLiteral("LastTreePos")).toString(), QStringLiteral("400"));
        QCOMPARE(w->picSplit2->x(), Twips::toPixelsX(400, w));
        QCOMPARE(w->lblSbl[3]->x(), Twips::toPixelsX(650, w));
        QCOMPARE(w->img[3]->x(), Twips::toPixelsX(1250, w));

        w->picSplit2->move(Twips::toPixelsX(inner - 100, w), 0);
        w->picSplit2_MouseUp(1, 0, 0, 0);
        QCOMPARE(QuerySetting(QStringLiteral("LastTreePos")).toString(), QString::number(qRound(inner - 500)));

        w->picSplit2_DblClick();
        QCOMPARE(QuerySetting(QStringLiteral("LastTreePos")).toString(), QStringLiteral("2280"));
        // "Sell" over the gauge's left edge, "Strong Buy" ending at its right.
        QVERIFY(qAbs(w->lblDsc[0]->x() - w->img[0]->x()) <= 1);
        QVERIFY(qAbs(w->lblDsc[4]->geometry().right() - w->img[0]->geometry().right()) <= 2);
    }

    void columnShowsSevenAndScrolls()
    {
        writeSet(0, tenSymbols());
        frmMain *w = open();
        QCOMPARE(rows(w), tenSymbols().mid(0, 7));
        w->ScrollSymbols(0);
        QCOMPARE(rows(w), tenSymbols().mid(1, 7));
        w->ScrollSymbols(1);
        QCOMPARE(rows(w), tenSymbols().mid(0, 7));
        w->ScrollSymbols(1); // top of the set: nothing changes
        QCOMPARE(rows(w), tenSymbols().mid(0, 7));
        // Past the end the column empties row by row.
        for (int i = 0; i < 4; ++i)
            w->ScrollSymbols(0);
        QCOMPARE(rows(w), (QStringList{QStringLiteral("SY4"), QStringLiteral("SY5"), QStringLiteral("SY6"),
                                       QStringLiteral("SY7"), QStringLiteral("SY8"), QStringLiteral("SY9"), QString()}));

        // The timer moves one record a tick while the pointer rests on an arrow.
        w->ScrollSymbols(1);
        w->ImgDn_MouseMove();
        QVERIFY(w->TmrNav->isActive());
        // However many ticks pass on a loaded machine, the column moves down.
        QTRY_VERIFY_WITH_TIMEOUT(rows(w).first() != QLatin1String("SY3"), 5000);
        const QString top = rows(w).first();
        QVERIFY2(top.isEmpty() || top > QLatin1String("SY3"), qPrintable(top));
        w->lblSbl_MouseMove();
        QVERIFY(!w->TmrNav->isActive());
    }

    void gaugesFollowTheRatings()
    {
        writeSet(0, {QStringLiteral("IBM"), QStringLiteral("X"), QStringLiteral("MSFT"), QStringLiteral("ORCL")},
                 {1.0f, 2.0f, 0.0f, 5.0f});
        frmMain *w = open();
        // The one-letter symbol is skipped; the rest move up.
        QCOMPARE(rows(w).mid(0, 3), (QStringList{QStringLiteral("IBM"), QStringLiteral("MSFT"), QStringLiteral("ORCL")}));
        QVERIFY(!w->img[0]->isHidden());
        QVERIFY(w->img[1]->isHidden()); // rating 0: symbol kept, no gauge
        QVERIFY(!w->lblSbl[1]->isHidden());
        QVERIFY(!w->img[2]->isHidden());
        // The marker is the skin's top-left 8 x 10 block, at the rating's place.
        const int W = qRound(w->img[0]->scaleWidth());
        const QImage marker = memSurface(SkinDC).toImage().copy(0, 0, 8, 10).convertToFormat(QImage::Format_ARGB32);
        const int x1 = GaugeMarkerX(1, W), x5 = GaugeMarkerX(5, W);
        QCOMPARE(w->img[0]->surface().toImage().copy(x1, 0, 8, 10).convertToFormat(QImage::Format_ARGB32), marker);
        QCOMPARE(w->img[2]->surface().toImage().copy(x5, 0, 8, 10).convertToFormat(QImage::Format_ARGB32), marker);
    }

    void switchingSetsKeepsEverythingInStep()
    {
        writeSet(3, {QStringLiteral("AAPL"), QStringLiteral("DELL")});
        writeSet(0, {QStringLiteral("IBM")});
        SetKeyValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group3"), QStringLiteral("Hardware"), REG_SZ);
        frmMain *w = open();
        QCOMPARE(w->mnuSet[3]->text(), QStringLiteral("Hardware"));
        QCOMPARE(w->mnuSet[4]->text(), QStringLiteral("Group4"));

        // An alert limit typed for IBM is not lost by leaving the set.
        Sets[0].LowTarget = 95;
        w->mnuSet_Click(3);
        QCOMPARE(QuerySetting(QStringLiteral("LastGroup")).toString(), QStringLiteral("3"));
        QCOMPARE(CurSetNo, short(3));
        QCOMPARE(Sets[0].Symbol, QStringLiteral("AAPL"));
        QCOMPARE(w->Panel1[1]->text(), QStringLiteral("Hardware"));
        QVERIFY(w->mnuSet[3]->isChecked());
        QVERIFY(!w->mnuSet[0]->isChecked());
        QCOMPARE(rows(w).mid(0, 3), (QStringList{QStringLiteral("AAPL"), QStringLiteral("DELL"), QString()}));

        w->mnuSet_Click(0);
        QCOMPARE(Sets[0].Symbol, QStringLiteral("IBM"));
        QCOMPARE(Sets[0].LowTarget, 95.0f);

        // A damaged "LastGroup" falls back to set 0.
        w->mnuSet_Click(42);
        QCOMPARE(CurSetNo, short(0));
    }

    void lastGroupIsSelectedAtLoad()
    {
        writeSet(2, {QStringLiteral("GE"), QStringLiteral("GM")});
        SaveSetting(QStringLiteral("LastGroup"), 2);
        frmMain *w = open();
        QCOMPARE(CurSetNo, short(2));
        QCOMPARE(rows(w).mid(0, 2), (QStringList{QStringLiteral("GE"), QStringLiteral("GM")}));
        QCOMPARE(w->Panel1[1]->text(), QStringLiteral("Group2"));
    }
};

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
