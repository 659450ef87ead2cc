#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"
#include "sheets/ColLayout.h"
#include "sheets/market/PriceSheet.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"

#include <QtTest>

namespace {

StockRec stock(const QString &symbol, const QString &name, const QString &last, const QString &pct,
               const QString &volume)
{
    StockRec r;
    r.Symbol = symbol;
    r.Name = name;
    r.LastSale = last;
    r.PctChange = pct;
    r.Volume = volume;
    r.Change = QStringLiteral("-3/8");
    r.DayHigh = QStringLiteral("12 1/2");
    r.DayLow = QStringLiteral("9");
    r.Bid = QStringLiteral("12 1/8");
    r.Ask = QStringLiteral("12 3/8");
    r.LastTradeSize = QStringLiteral("100");
    r.Open = QStringLiteral("11.5");
    r.PrevClose = QStringLiteral("12 5/8");
    r.High52 = QStringLiteral("20");
    r.Low52 = QStringLiteral("8 1/2");
    r.EPS = QStringLiteral("1.10");
    r.PERatio = QStringLiteral("11.1");
    r.DivPerShare = QStringLiteral("0.40");
    r.Exchange = QStringLiteral("NYSE");
    r.Industry = QStringLiteral("Tools");
    r.LastUpdate = QStringLiteral("4:01PM");
    return r;
}

// Column 0's picture of each stock row, "-" for none.
QStringList pictures(const FlexGrid &g)
{
    QStringList out;
    for (int r = 2; r < g.Rows(); ++r) {
        const QString p = g.cellFormat(r, 0).picture;
        out << (p.isEmpty() ? QStringLiteral("-") : p);
    }
    return out;
}

// The current cell, the selection and the scrolled position.
QString cursor(const FlexGrid &g)
{
    return QStringLiteral("%1,%2-%3,%4 top %5 left %6")
        .arg(g.Row()).arg(g.Col()).arg(g.RowSel()).arg(g.ColSel()).arg(g.TopRow()).arg(g.LeftCol());
}

QStringList companies(const FlexGrid &g)
{
    QStringList out;
    for (int r = 2; r < g.Rows(); ++r)
        out << g.TextMatrix(r, 1);
    return out;
}

// A zoom window that is only its grid.
struct GridOnlyZoom : ZoomWindowHandle
{
    FlexGrid *zoomGrid;
    explicit GridOnlyZoom(FlexGrid *g) : zoomGrid(g) {}
    FlexGrid *grid() override { return zoomGrid; }
    void show() override {}
};

} // namespace

class TestPriceSheet : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

private slots:
    void init()
    {
        bench = new SheetBench;
        OldStyleBackground = false;
    }
    void cleanup()
    {
        OldStyleBackground = false;
        delete bench;
    }

    // Three stocks from their records with decimals, whole volumes and
    // stripes on: a falling one, a rising one below its low target, one
    // above its high target. A record without quotes stays out; a stock
    // past SetCount (after a free record) is in the set and has its row.
    void threeStocks()
    {
        ShowFractions = QStringLiteral("0");
        ShowVolume = QStringLiteral("0");
        OldStyleBackground = true;
        Sets[0] = stock("ACME", "Acme Corp", "12 1/4", "-1.5%", "12000");
        Sets[1] = stock("BOLT", "Bolt Industries", "9 7/8", "+0.25%", "0");
        Sets[1].LowTarget = 10;
        Sets[2].Symbol = QStringLiteral("NOQT");
        Sets[3] = stock("CRAN", "Crane & Co", "15.50", "0.00%", "1234567");
        Sets[3].HighTarget = 15;
        Sets[3].LowTarget = 12;
        Sets[4] = stock("LATE", "Late Entry", "1", "+1%", "5");
        SetCount = 4;

        FG_Current();

        QCOMPARE(CurType, QStringLiteral("Current"));
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->window.grid), QStringLiteral("price_sheet.txt"), &why), qPrintable(why));
    }

    // "Display as fractions" and "Volume in 100's" ticked, or never stored
    // (the settings form's default ticks): prices as the quote page gave
    // them, the volume in hundreds.
    void fractionsAndHundredsWhenTicked()
    {
        for (const char *stored : {"1", ""}) {
            ShowFractions = QLatin1String(stored);
            ShowVolume = QLatin1String(stored);
            Sets[0] = stock("ACME", "Acme Corp", "12 1/4", "-1.5%", "1234500");
            SetCount = 1;
            FG_Current();
            const FlexGrid &g = bench->window.grid;
            QCOMPARE(g.Rows(), 3);
            QCOMPARE(g.TextMatrix(2, 2), QStringLiteral("12 1/4"));
            QCOMPARE(g.TextMatrix(2, 5), QStringLiteral("12,345"));
            QCOMPARE(g.TextMatrix(2, 3), QStringLiteral("-3/8"));
        }
    }

    // A quote field that is no number only loses its picture: the stocks
    // after it are shown and the sheet is formatted to its end, and a
    // price of "N/A" raises no alert against either target.
    void fieldsThatAreNoNumberDoNotEndTheSheet()
    {
        ShowFractions = QStringLiteral("0");
        OldStyleBackground = true;
        Sets[0] = stock("ACME", "Acme Corp", "N/A", "N/A", "N/A");
        Sets[0].LowTarget = 10;
        Sets[1] = stock("BOLT", "Bolt Industries", "", "", "");
        Sets[1].HighTarget = 1;
        Sets[2] = stock("CRAN", "Crane & Co", "8", "-2%", "10");
        Sets[2].LowTarget = 10;
        Sets[3] = stock("DYNE", "Dyne Labs", "12 1/4", "+3%", "10");
        SetCount = 4;

        FG_Current();

        const FlexGrid &g = bench->window.grid;
        QCOMPARE(companies(g), (QStringList{"Acme Corp", "Bolt Industries", "Crane & Co", "Dyne Labs"}));
        QCOMPARE(pictures(g), (QStringList{"-", "-", "LOW", "UP"}));
        QVERIFY(g.Redraw());
        QCOMPARE(g.ColWidth(19), 2400);
        QCOMPARE(g.cellFormat(3, 1).backColor, OleColor(0xC0FFFF));
        QCOMPARE(g.cellFormat(5, 1).backColor, OleColor(0xC0FFFF));
        QCOMPARE(g.cellFormat(5, 4).foreColor, OleColor(0xFF0000));
    }

    // The 29-character rule: a record without quotes is left out whatever
    // the prices' form, as a price not quoted shows empty, never "0"; a
    // stock named at length shows with empty price cells.
    void recordsWithoutQuotesAreLeftOut_data()
    {
        QTest::addColumn<QString>("fractions");
        QTest::newRow("decimals") << QStringLiteral("0");
        QTest::newRow("fractions") << QStringLiteral("1");
        QTest::newRow("never stored") << QString();
    }
    void recordsWithoutQuotesAreLeftOut()
    {
        QFETCH(QString, fractions);
        ShowFractions = fractions;
        Sets[0].Symbol = QStringLiteral("EMPT"); // no quote fields at all
        Sets[1].Symbol = QStringLiteral("Z");
        Sets[1].Name = QStringLiteral("Z");
        Sets[2] = stock("ACME", "Acme Corp", "12", "+1%", "1");
        Sets[3].Symbol = QStringLiteral("LONG");
        Sets[3].Name = QStringLiteral("Longname Holdings");
        SetCount = 4;
        FG_Current();
        const FlexGrid &g = bench->window.grid;
        QCOMPARE(companies(g), (QStringList{"Acme Corp", "Longname Holdings"}));
        for (int c = 2; c < g.Cols(); ++c)
            QCOMPARE(g.TextMatrix(3, c), QString());
    }

    // Drawn again into a grid that still holds it (after each stock of a
    // price update), the sheet comes out as drawing it afresh gives it.
    void drawingAgainMatchesDrawingAfresh_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("a price falls") << 0;
        QTest::newRow("a low target is set") << 1;
        QTest::newRow("a stock loses its quotes") << 2;
        QTest::newRow("the user sorted the grid") << 3;
        QTest::newRow("prices shown as fractions") << 4;
        QTest::newRow("stripes switched on") << 5;
    }
    void drawingAgainMatchesDrawingAfresh()
    {
        QFETCH(int, change);
        ShowFractions = QStringLiteral("0");
        ShowVolume = QStringLiteral("0");
        Sets[0] = stock("ACME", "Acme Corp", "12 1/4", "-1.5%", "12000");
        Sets[1] = stock("BOLT", "Bolt Industries", "9 7/8", "+0.25%", "300");
        Sets[2] = stock("CRAN", "Crane & Co", "15.50", "0.00%", "1234567");
        Sets[3] = stock("DYNE", "Dyne Labs", "3", "+3%", "10");
        SetCount = 4;
        resetColLayout();
        ColLayout[1] = ColLayoutEntry{QStringLiteral("Last Sale"), 0, 1, 1};
        FG_Current();
        FlexGrid &g = bench->grid;
        g.setRow(4);
        g.setCol(3);
        g.setTopRow(3);
        switch (change) {
        case 1: Sets[2].LowTarget = 100; break;
        case 2: Sets[1] = StockRec{}; Sets[1].Symbol = QStringLiteral("BOLT"); break;
        case 3:
            g.setRow(2);
            g.setCol(2);
            g.setSort(2);
            break;
        case 4: ShowFractions = QStringLiteral("1"); break;
        case 5: OldStyleBackground = true; break;
        default: break;
        }
        Sets[1].LastSale = QStringLiteral("9 1/8");
        Sets[1].PctChange = QStringLiteral("-7.6%");

        FG_Current();
        const QString again = dumpGrid(g) + cursor(g);
        if (change != 2)
            QVERIFY(again.contains(QStringLiteral("\"9.13\"")) || again.contains(QStringLiteral("\"9 1/8\"")));
        g.setBackColor(g.BackColor()); // any change of the grid: the next drawing is a whole one
        FG_Current();
        QCOMPARE(again, dumpGrid(g) + cursor(g));
        resetColLayout();
    }

    // The stored column order goes to the grid the sheet is drawn into: a
    // zoom window's grid gets it, the main grid keeps what it showed.
    void storedLayoutGoesToTheGridDrawnInto()
    {
        Sets[0] = stock("ACME", "Acme Corp", "12 1/4", "-1.5%", "12000");
        SetCount = 1;
        resetColLayout();
        ColLayout[1] = ColLayoutEntry{QStringLiteral("Last Sale"), 0, 1, 1};
        FG_Current();
        QCOMPARE(bench->grid.TextMatrix(0, 1), QStringLiteral("Last Sale"));
        QCOMPARE(bench->grid.TextMatrix(0, 2), QStringLiteral("Companey"));

        bench->grid.setRows(1);
        bench->grid.setCols(3);
        bench->grid.setTextMatrix(0, 2, QStringLiteral("Last Sale"));
        FlexGrid zoomGrid;
        setZoomWindowFactory([&zoomGrid] { return std::make_unique<GridOnlyZoom>(&zoomGrid); });
        ZoomFlag = true;
        FG_Current();
        QCOMPARE(zoomGrid.TextMatrix(0, 1), QStringLiteral("Last Sale"));
        QCOMPARE(zoomGrid.TextMatrix(2, 2), QStringLiteral("Acme Corp"));
        QCOMPARE(bench->grid.Cols(), 3);
        QCOMPARE(bench->grid.TextMatrix(0, 2), QStringLiteral("Last Sale"));
        resetColLayout();
    }
};

QTEST_GUILESS_MAIN(TestPriceSheet)
#include "tst_pricesheet.moc"
