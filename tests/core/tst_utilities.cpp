#include "core/GridMessage.h"
#include "core/TargetGrid.h"
#include "core/Utilities.h"
#include "support/RecordingMainWindow.h"

#include <QtTest>

Q_DECLARE_METATYPE(Variant)

namespace {

// The look of one cell in one line: text|alignment|fore|back|bold|underline.
QString cellLook(FlexGrid &g, int row, int col)
{
    const FlexCellFormat &f = g.cellFormat(row, col);
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(g.TextMatrix(row, col))
        .arg(g.effectiveAlignment(row, col))
        .arg(f.foreColor, 0, 16)
        .arg(f.backColor, 0, 16)
        .arg(int(f.bold))
        .arg(int(f.underline));
}

// Everything the one-cell message sets, and the column layout it keeps.
QString messageLayout(FlexGrid &g)
{
    QStringList widths;
    for (int c = 0; c < g.Cols(); ++c)
        widths << QString::number(g.ColWidth(c));
    QStringList texts;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c)
            if (!g.TextMatrix(r, c).isEmpty())
                texts << QStringLiteral("(%1,%2)=%3").arg(r).arg(c).arg(g.TextMatrix(r, c));
    return QStringLiteral("rows=%1 cols=%2 fixed=%3,%4 height0=%5 widths=%6 cell=%7 back=%8 lines=%9 redraw=%10 "
                          "texts=%11")
        .arg(g.Rows())
        .arg(g.Cols())
        .arg(g.FixedRows())
        .arg(g.FixedCols())
        .arg(g.RowHeight(0))
        .arg(widths.join(QLatin1Char(',')))
        .arg(cellLook(g, 0, 0))
        .arg(g.BackColor(), 0, 16)
        .arg(g.GridLines())
        .arg(int(g.Redraw()))
        .arg(texts.join(QLatin1Char(' ')));
}

// A sheet as the fill routines leave it: 20 columns, headers, a link column, colours.
void drawSheet(FlexGrid &g)
{
    g.setCols(20);
    g.setRows(6);
    g.setWidth(10000);
    for (int c = 0; c < 20; ++c) {
        g.setColWidth(c, 500);
        g.setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
    }
    for (int r = 1; r < 6; ++r)
        SetCell(&g, short(r), 3, QStringLiteral("v%1").arg(r), 7, true, Variant(), 0xFF, 0xFFFFFF);
    SetLinkCells(&g, 2, 5, 1);
    g.setBackColor(0xFFFFFF);
    g.setGridLines(1);
    g.setRowHeight(0, 480);
    g.setCol(5);
    g.setRow(4);
}

} // namespace

class TestUtilities : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetGridMessage(); }

    void setColWidthsTakesPercentagesOfTheOuterWidth_data()
    {
        QTest::addColumn<int>("gridWidth");
        QTest::addColumn<QList<Variant>>("widths");
        QTest::addColumn<QList<int>>("expected"); // columns 0..3 after the call (500 = untouched)
        QTest::newRow("thirds") << 10000 << QList<Variant>{33, 33, 33} << QList<int>{3300, 3300, 3300, 500};
        QTest::newRow("fraction") << 10000 << QList<Variant>{12.5} << QList<int>{1250, 500, 500, 500};
        QTest::newRow("half up to even") << 9990 << QList<Variant>{25} << QList<int>{2498, 500, 500, 500};
        QTest::newRow("half down to even") << 9998 << QList<Variant>{25} << QList<int>{2500, 500, 500, 500};
        QTest::newRow("zero hides") << 10000 << QList<Variant>{0, 50} << QList<int>{0, 5000, 500, 500};
        QTest::newRow("numeric text") << 10000 << QList<Variant>{"10", "ten", Variant()}
                                      << QList<int>{1000, 500, 0, 500};
        QTest::newRow("more than columns") << 10000 << QList<Variant>{1, 2, 3, 4, 5}
                                           << QList<int>{100, 200, 300, 400};
        QTest::newRow("negative refused") << 10000 << QList<Variant>{-5, 7} << QList<int>{500, 700, 500, 500};
        QTest::newRow("empty list") << 10000 << QList<Variant>{} << QList<int>{500, 500, 500, 500};
    }

    void setColWidthsTakesPercentagesOfTheOuterWidth()
    {
        QFETCH(int, gridWidth);
        QFETCH(QList<Variant>, widths);
        QFETCH(QList<int>, expected);
        FlexGrid g;
        g.setCols(4);
        for (int c = 0; c < 4; ++c)
            g.setColWidth(c, 500);
        g.setWidth(gridWidth);
        SetColWidths(&g, widths);
        QList<int> got;
        for (int c = 0; c < 4; ++c)
            got << g.ColWidth(c);
        QCOMPARE(got, expected);
    }

    void setColAlignConvertsToWholeCodes()
    {
        FlexGrid g;
        g.setCols(5);
        // 1.5 rounds to 2 and 4.5 to 4 (to even); a word and a code past 9 are skipped.
        SetColAlign(&g, {1.5, 4.5, "x", 12, "7"});
        QCOMPARE((QList<int>{g.ColAlignment(0), g.ColAlignment(1), g.ColAlignment(2), g.ColAlignment(3),
                             g.ColAlignment(4)}),
                 (QList<int>{2, 4, 9, 9, 7}));
        SetColAlign2(&g, {0});
        QCOMPARE(g.ColAlignment(0), 0);
    }

    void setHeadersSpillsIntoRowOne()
    {
        FlexGrid g;
        g.setCols(4);
        g.setRows(3);
        SetHeaders(&g, {"A", "B", "C", "D", "E", 6});
        QStringList row0, row1;
        for (int c = 0; c < 4; ++c) {
            row0 << g.TextMatrix(0, c);
            row1 << g.TextMatrix(1, c);
        }
        QCOMPARE(row0, (QStringList{"A", "B", "C", "D"}));
        QCOMPARE(row1, (QStringList{"E", "6", "", ""}));
    }

    void setCellFormatsAndUndoesTheLinkLook()
    {
        FlexGrid g;
        g.setCols(4);
        g.setRows(6);
        SetLinkCells(&g, 2, 4, 1);
        QCOMPARE(cellLook(g, 3, 1), QStringLiteral("|9|ff0000|0|0|1"));
        QCOMPARE(g.Row(), 4);
        QCOMPARE(g.Col(), 1);

        SetCell(&g, 3, 1, QStringLiteral("IBM"), 4, true, QStringLiteral("ignored"), 0, 0xC0FFFF);
        QCOMPARE(cellLook(g, 3, 1), QStringLiteral("IBM|4|0|c0ffff|1|0"));
        QCOMPARE(cellLook(g, 2, 1), QStringLiteral("|9|ff0000|0|0|1"));
        QCOMPARE(g.Row(), 3);

        // The seventh argument changes nothing, whatever it is.
        SetCell(&g, 5, 2, QStringLiteral("x"), 1, false, 12345, 0xFF, 0);
        const QString a = cellLook(g, 5, 2);
        SetCell(&g, 5, 2, QStringLiteral("x"), 1, false, Variant(), 0xFF, 0);
        QCOMPARE(cellLook(g, 5, 2), a);

        // A fixed caption cell is formatted like any other.
        SetCell(&g, 0, 0, QStringLiteral("Symbol"), 4, true, Variant(), 0, 0);
        QCOMPARE(cellLook(g, 0, 0), QStringLiteral("Symbol|4|0|0|1|0"));
    }

    void helpersIgnoreCellsOutsideTheGrid()
    {
        FlexGrid g;
        g.setCols(3);
        g.setRows(3);
        g.setCol(2);
        g.setRow(1);
        // Row 7 does not exist: nothing is written and the formats land on
        // the previous current cell, (1, 0) after the column moved.
        SetCell(&g, 7, 0, QStringLiteral("lost"), 7, true, Variant(), 0xFF, 0);
        QCOMPARE(cellLook(g, 1, 0), QStringLiteral("|7|ff|0|1|0"));
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.Col(), 0);

        // Nothing when the range runs backwards, but the column is taken.
        SetLinkCells(&g, 5, 3, 2);
        QCOMPARE(g.Col(), 2);
        QCOMPARE(cellLook(g, 1, 2), QStringLiteral("|9|0|0|0|0"));

        // No grid at all is no fault either: the grid in hand stays as it is.
        const QString before = cellLook(g, 1, 0) + cellLook(g, 0, 0);
        SetCell(nullptr, 0, 0, QStringLiteral("lost"), 0, false, Variant(), 0, 0);
        SetHeaders(nullptr, {"x"});
        SetColWidths(nullptr, {50});
        SetLinkCells(nullptr, 0, 2, 0);
        QCOMPARE(cellLook(g, 1, 0) + cellLook(g, 0, 0), before);
    }

    void messageLeavesOneCell_data()
    {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("layout");
        const QString widths19 = QStringLiteral(",500").repeated(19);
        QTest::newRow("20-column sheet")
            << QStringList{"No splits were found."}
            << QStringLiteral("rows=1 cols=20 fixed=1,1 height0=720 widths=10000%1 "
                              "cell=No splits were found.|4|0|0|0|0 back=80000005 lines=0 redraw=1 "
                              "texts=(0,0)=No splits were found.")
                   .arg(widths19);
        QTest::newRow("two calls")
            << QStringList{"First notice", "Second notice"}
            << QStringLiteral("rows=1 cols=20 fixed=1,1 height0=720 widths=10000%1 "
                              "cell=Second notice|4|0|0|0|0 back=80000005 lines=0 redraw=1 "
                              "texts=(0,0)=Second notice")
                   .arg(widths19);
        QTest::newRow("empty notice")
            << QStringList{""}
            << QStringLiteral("rows=1 cols=20 fixed=1,1 height0=720 widths=10000%1 "
                              "cell=|4|0|0|0|0 back=80000005 lines=0 redraw=1 texts=")
                   .arg(widths19);
    }

    void messageLeavesOneCell()
    {
        QFETCH(QStringList, messages);
        QFETCH(QString, layout);
        RecordingMainWindow window;
        drawSheet(window.grid);
        for (const QString &m : messages)
            FG_Message(m);
        QCOMPARE(messageLayout(window.grid), layout);
        QVERIFY(window.calls.isEmpty());
    }

    void messageRowFollowsTheBaseRowHeight()
    {
        RecordingMainWindow window;
        drawSheet(window.grid);
        BaseRowHeight = 300;
        FG_Message(QStringLiteral("x"));
        QCOMPARE(window.grid.RowHeight(0), 900);
    }

    // The notice is the main grid's: the grid a zoom window is being drawn
    // into keeps its sheet, and without a main window nothing is written.
    void messageGoesToTheMainGridOnly()
    {
        FlexGrid zoomGrid;
        drawSheet(zoomGrid);
        const QString zoomBefore = messageLayout(zoomGrid);
        TargetGrid = &zoomGrid;
        FG_Message(QStringLiteral("nobody to show it"));
        QCOMPARE(messageLayout(zoomGrid), zoomBefore);
        {
            RecordingMainWindow window;
            drawSheet(window.grid);
            FG_Message(QStringLiteral("to the main grid"));
            QCOMPARE(window.grid.TextMatrix(0, 0), QStringLiteral("to the main grid"));
            QCOMPARE(window.grid.Rows(), 1);
        }
        QCOMPARE(messageLayout(zoomGrid), zoomBefore);
        TargetGrid = nullptr;
    }
};

QTEST_GUILESS_MAIN(TestUtilities)
#include "tst_utilities.moc"
