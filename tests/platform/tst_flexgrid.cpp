#include "platform/FlexGrid.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A grid of rows x cols filled from a table of rows, each a tab-separated line.
void fill(FlexGrid &g, const QStringList &lines)
{
    g.setRows(int(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split(QLatin1Char('\t'));
        for (int c = 0; c < cells.size(); ++c)
            g.setTextMatrix(r, c, cells[c]);
    }
}

// Every row as a tab-separated line.
QStringList rowsOf(const FlexGrid &g)
{
    QStringList out;
    for (int r = 0; r < g.Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c)
            cells << g.TextMatrix(r, c);
        out << cells.join(QLatin1Char('\t'));
    }
    return out;
}

} // namespace

class TestFlexGrid : public QObject
{
    Q_OBJECT

private slots:
    void textArrayCountsRowByRow()
    {
        FlexGrid g;
        g.setCols(4);
        g.setRows(3);
        QVERIFY(g.setTextArray(5, QStringLiteral("x")));
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("x"));
        QCOMPARE(g.TextArray(5), QStringLiteral("x"));
        QVERIFY(!g.setTextArray(12, QStringLiteral("past the end")));
        QVERIFY(!g.setTextArray(-1, QStringLiteral("before the start")));
    }

    void addItemFillsFromColumnZeroAndDropsExtraTexts()
    {
        FlexGrid g;
        g.setCols(3);
        g.setRows(1);
        QVERIFY(g.AddItem(QStringLiteral("a\tb\tc\td")));
        QVERIFY(g.AddItem(QStringLiteral("\tmid")));
        QVERIFY(g.AddItem(QStringLiteral("first"), 1));
        QVERIFY(!g.AddItem(QStringLiteral("x"), 9));
        QCOMPARE(rowsOf(g), (QStringList{"\t\t", "first\t\t", "a\tb\tc", "\tmid\t"}));
        QCOMPARE(g.RowHeight(3), FlexGrid::DefaultRowHeight);
    }

    void clearKeepsSizesAndLayout()
    {
        FlexGrid g;
        g.setCols(3);
        fill(g, {"h0\th1\th2", "a\tb\tc"});
        g.setRow(1);
        g.setCellForeColor(0xFF);
        g.setCellFontUnderline(true);
        g.setColWidth(2, 500);
        g.setRowHeight(1, 0);
        g.Clear();
        QCOMPARE(rowsOf(g), (QStringList{"\t\t", "\t\t"}));
        QCOMPARE(g.CellForeColor(), 0u);
        QVERIFY(!g.CellFontUnderline());
        QCOMPARE(g.ColWidth(2), 500);
        QCOMPARE(g.RowHeight(1), 0);
        QCOMPARE(g.Rows(), 2);
    }

    void refusedPositionsLeaveTheCurrentCell()
    {
        FlexGrid g;
        g.setCols(3);
        g.setRows(4);
        g.setCol(2);
        g.setRow(3);
        QVERIFY(!g.setRow(4));
        QVERIFY(!g.setCol(-1));
        QCOMPARE(g.Row(), 3);
        QCOMPARE(g.Col(), 2);
        // Shrinking pulls the current cell and the selection back inside.
        g.setRowSel(3);
        g.setRows(2);
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.RowSel(), 1);
        QVERIFY(!g.setRows(0)); // below the fixed row
    }

    void clipJoinsCellsWithTabsAndRowsWithCarriageReturns_data()
    {
        QTest::addColumn<QList<int>>("selection"); // Row, Col, RowSel, ColSel
        QTest::addColumn<QString>("clip");
        QTest::newRow("2 x 3") << QList<int>{1, 0, 2, 2} << QStringLiteral("a\tb\tc\rd\te\tf");
        QTest::newRow("backwards") << QList<int>{2, 2, 1, 0} << QStringLiteral("a\tb\tc\rd\te\tf");
        QTest::newRow("one cell") << QList<int>{2, 1, 2, 1} << QStringLiteral("e");
        QTest::newRow("column") << QList<int>{0, 2, 2, 2} << QStringLiteral("H2\rc\rf");
        QTest::newRow("empty cells kept") << QList<int>{3, 0, 3, 2} << QStringLiteral("\t\t");
    }

    void clipJoinsCellsWithTabsAndRowsWithCarriageReturns()
    {
        QFETCH(QList<int>, selection);
        QFETCH(QString, clip);
        FlexGrid g;
        g.setCols(3);
        fill(g, {"H0\tH1\tH2", "a\tb\tc", "d\te\tf", "\t\t"});
        g.setRow(selection[0]);
        g.setCol(selection[1]);
        g.setRowSel(selection[2]);
        g.setColSel(selection[3]);
        QCOMPARE(g.Clip(), clip);
    }

    void numbersAsTheSortReadsThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "10" << true << 10.0;
        QTest::newRow("blanks") << "  -2.5 " << true << -2.5;
        QTest::newRow("plus") << "+0.25" << true << 0.25;
        QTest::newRow("percent") << "-1.5%" << true << -1.5;
        QTest::newRow("dollar") << "$1,250.75" << true << 1250.75;
        QTest::newRow("signed dollar") << "-$3" << true << -3.0;
        QTest::newRow("fraction only") << ".5" << true << 0.5;
        QTest::newRow("exponent") << "1.5E3" << true << 1500.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("dash") << "-" << false << 0.0;
        QTest::newRow("N/A") << "N/A" << false << 0.0;
        QTest::newRow("trailing comma") << "12," << false << 0.0;
        QTest::newRow("leading comma") << ",12" << false << 0.0;
        QTest::newRow("word after") << "12 shares" << false << 0.0;
        QTest::newRow("fraction text") << "12 1/2" << false << 0.0;
    }

    void numbersAsTheSortReadsThem()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        double v = 0;
        QCOMPARE(flexGridNumber(text, &v), isNumber);
        if (isNumber)
            QCOMPARE(v, value);
    }

    void sortOrdersNumbersBeforeTextAndNumbersByValue_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QStringList>("order"); // column 1 after the sort, rows 1 on
        QTest::newRow("ascending") << 1 << QStringList{"-3", "9", "10", "100", "", "abc", "ABD", "x"};
        QTest::newRow("descending") << 2 << QStringList{"x", "ABD", "abc", "", "100", "10", "9", "-3"};
    }

    void sortOrdersNumbersBeforeTextAndNumbersByValue()
    {
        QFETCH(int, setting);
        QFETCH(QStringList, order);
        FlexGrid g;
        g.setCols(3);
        fill(g, {"h\tKey\th2", "r1\t10\t", "r2\tx\t", "r3\t9\t", "r4\tABD\t", "r5\t\t", "r6\t100\t",
                 "r7\t-3\t", "r8\tabc\t"});
        g.setRow(3);
        g.setCol(1); // a double click on one cell: every row below the fixed one, keyed on its column
        QVERIFY(g.setSort(setting));
        QStringList keys;
        for (int r = 1; r < g.Rows(); ++r)
            keys << g.TextMatrix(r, 1);
        QCOMPARE(keys, order);
        QCOMPARE(g.TextMatrix(0, 1), QStringLiteral("Key"));
    }

    void sortMovesWholeRowsAndKeepsTiesInOrder()
    {
        FlexGrid g;
        g.setCols(3);
        fill(g, {"h\th\th", "a\t2\tfirst", "b\t1\tx", "c\t2\tsecond", "d\t1\ty"});
        g.setRow(2);
        g.setCellForeColor(0xFF);
        g.setRowHeight(2, 0);
        g.setCol(1);
        g.setRow(1);
        QVERIFY(g.setSort(1));
        QCOMPARE(rowsOf(g), (QStringList{"h\th\th", "b\t1\tx", "d\t1\ty", "a\t2\tfirst", "c\t2\tsecond"}));
        // Row "b" took its format and its height along.
        QCOMPARE(g.cellFormat(1, 1).foreColor, 0xFFu);
        QCOMPARE(g.RowHeight(1), 0);
        QCOMPARE(g.RowHeight(2), FlexGrid::DefaultRowHeight);
    }

    void sortOfASelectionUsesItsRowsAndKeyColumns()
    {
        FlexGrid g;
        g.setCols(3);
        fill(g, {"h\th\th", "z\t1\t3", "y\t1\t2", "x\t1\t1", "w\t0\t0"});
        // Rows 1 to 3 only, keyed on columns 1 then 2.
        g.setCol(1);
        g.setRow(1);
        g.setRowSel(3);
        g.setColSel(2);
        QVERIFY(g.setSort(1));
        QCOMPARE(rowsOf(g), (QStringList{"h\th\th", "x\t1\t1", "y\t1\t2", "z\t1\t3", "w\t0\t0"}));
        QVERIFY(!g.setSort(7));
    }

    void colPositionMovesTextsFormatsAndLayout()
    {
        FlexGrid g;
        g.setCols(5);
        fill(g, {"c0\tc1\tc2\tc3\tc4", "0\t1\t2\t3\t4"});
        for (int c = 0; c < 5; ++c)
            g.setColWidth(c, 100 * (c + 1));
        g.setColAlignment(3, 7);
        g.setCol(3);
        g.setRow(1);
        g.setCellFontBold(true);

        QVERIFY(g.setColPosition(3, 1));
        QCOMPARE(rowsOf(g), (QStringList{"c0\tc3\tc1\tc2\tc4", "0\t3\t1\t2\t4"}));
        QCOMPARE(g.ColWidth(1), 400);
        QCOMPARE(g.ColWidth(2), 200);
        QCOMPARE(g.ColAlignment(1), 7);
        QVERIFY(g.cellFormat(1, 1).bold);
        QVERIFY(!g.cellFormat(1, 3).bold);

        QVERIFY(g.setColPosition(1, 4));
        QCOMPARE(g.TextMatrix(0, 4), QStringLiteral("c3"));
        QCOMPARE(g.TextMatrix(0, 1), QStringLiteral("c1"));
        QVERIFY(!g.setColPosition(5, 0));
        QCOMPARE(g.ColPos(2), 100 + 200);
    }

    void redrawOffSignalsOnceWhenSwitchedBackOn()
    {
        FlexGrid g;
        QSignalSpy cells(&g, &FlexGrid::cellsChanged);
        QSignalSpy layout(&g, &FlexGrid::layoutChanged);
        QSignalSpy reset(&g, &FlexGrid::reset);
        g.setRedraw(false);
        g.setCols(20);
        g.setRows(200);
        for (int r = 0; r < 200; ++r)
            for (int c = 0; c < 20; ++c)
                g.setTextMatrix(r, c, QStringLiteral("x"));
        QCOMPARE(cells.count() + layout.count() + reset.count(), 0);
        g.setRedraw(true);
        QCOMPARE(reset.count(), 1);
        g.setTextMatrix(0, 0, QStringLiteral("y"));
        QCOMPARE(cells.count(), 1);
    }

    void cellFormatsRejectCodesOutOfRange()
    {
        FlexGrid g;
        QVERIFY(g.setCellAlignment(4));
        QVERIFY(!g.setCellAlignment(10));
        QCOMPARE(g.CellAlignment(), 4);
        QVERIFY(!g.setColAlignment(0, -1));
        QVERIFY(!g.setGridLines(4));
        QVERIFY(g.setRowHeight(1, -1));
        QCOMPARE(g.RowHeight(1), FlexGrid::DefaultRowHeight);
        // A cell without its own alignment reads its column's.
        g.setColAlignment(0, 7);
        g.setCol(0);
        QCOMPARE(g.CellAlignment(), 7);
    }
};

QTEST_GUILESS_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
