#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"

#include <QtTest>

namespace {

// A sheet that follows the pattern and nothing else: 3 columns, links in
// column 1, the table after "Head".
SheetSpec plainSheet()
{
    SheetSpec s;
    s.key = QStringLiteral("TEST");
    s.cachePath = DataDir + QStringLiteral("\\Cache\\DataSheet\\Plain.Sh");
    s.noDataText = QStringLiteral("No test data.");
    s.marker = QStringLiteral("Head");
    s.rows = 3;
    s.cols = 3;
    s.linkColumns = {1};
    s.aligns = {1, 1, 7};
    s.centredHeaders = {0, 1, 2};
    s.title.text = QStringLiteral("Plain");
    s.title.col = 1;
    s.title.backColor = 0xFFFFFF;
    s.rowHeights = {{0, 2}, {1, 2}, {-1, 0}, {-2, 0}};
    s.widths = {30, 30, 40};
    s.headers = {"A", "B", "C"};
    return s;
}

QByteArray page(const QByteArray &rows)
{
    return "<html><body><p>Head</p><table>\n" + rows + "\n</table></body></html>";
}

// Texts of the page rows (grid rows 2 on), cells joined by "|", rows by "/".
QString dataRows(const FlexGrid &g)
{
    QStringList rows;
    for (int r = 2; r < g.Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c)
            cells << g.TextMatrix(r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char('/'));
}

} // namespace

class TestDataSheet : public QObject
{
    Q_OBJECT

    TempProfile *profile = nullptr;
    RecordingMainWindow *window = nullptr;

private slots:
    void init()
    {
        profile = new TempProfile;
        window = new RecordingMainWindow;
        window->grid.setWidth(10000);
        resetSharedState();
        resetTargetGrid();
    }
    void cleanup()
    {
        resetTargetGrid();
        delete window;
        delete profile;
    }

    void walkReadsRowsAndCells_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lower-case tags") << QByteArray("<tr><td>1</td><td>x</td></tr><tr><td>2</td></tr>")
                                         << "1|x|/2||/||";
        QTest::newRow("TR and Td are read") << QByteArray("<TR><Td>1</Td><TD>x</TD></TR>") << "1|x|/||";
        QTest::newRow("tR is not a row") << QByteArray("<tR><td>1</td></tR><tr><td>2</td></tr>") << "2||/||";
        QTest::newRow("bold and entity") << QByteArray("<tr><td><b>A&amp;B</b> </td></tr>") << "A&B||/||";
        QTest::newRow("tabs dropped, blanks trimmed")
            << QByteArray("<tr>\t<td>  a\tb </td><td class=x>c</td></tr>") << "ab|c|/||";
        QTest::newRow("no rows") << QByteArray("") << "||";
    }
    void walkReadsRowsAndCells()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QString, shown);
        writeCachePage(QStringLiteral("Plain.Sh"), page(rows));
        FillSheet(plainSheet());
        QCOMPARE(dataRows(window->grid), shown);
    }

    // A cell's text and the table tags read in one pass each come out as
    // the replacements and the tag stripping one after the other leave them.
    void onePassReadingsMatchTheStepByStepOnes_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *t : {"<td>  A&amp;B </td", "<td>&am<b>p;</td", "<td>&amp;amp;x", "x>y<z>w", "no tags",
                              "<td> > &amp;", "<td>a</td>&amp;", ">  <", "&amp;", "<td>T<TR>TD Td Tr tR</td",
                              "<TABLE><Table><TAble><TTD>TTABLE<TablE>TH"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void onePassReadingsMatchTheStepByStepOnes()
    {
        QFETCH(QString, text);
        QString html = text;
        QCOMPARE(cellText(text), vb::Trim(HtmlText(html, false, true, false)));
        QCOMPARE(cellTextOf(QStringView(text).sliced(0)), cellText(text));
        const TextReplacements lower = {{"TABLE", "table"}, {"Table", "table"}, {"TR", "tr"},
                                        {"Tr", "tr"},       {"TD", "td"},       {"Td", "td"}};
        QCOMPARE(lowerTableTags(text), replaceAll(text, lower));
    }

    // Rows 2 on get twice the base height as the walk reaches them, the
    // first keeps the default; the table's last row and the empty row
    // after it are hidden, so one table row shows nothing below the title.
    void rowHeights()
    {
        BaseRowHeight = 300;
        writeCachePage(QStringLiteral("Plain.Sh"), page("<tr><td>1</td></tr><tr><td>2</td></tr><tr><td>3</td></tr>"));
        FillSheet(plainSheet());
        QList<int> heights;
        for (int r = 0; r < window->grid.Rows(); ++r)
            heights << window->grid.RowHeight(r);
        QCOMPARE(heights, (QList<int>{600, 600, FlexGrid::DefaultRowHeight, 600, 0, 0}));

        writeCachePage(QStringLiteral("Plain.Sh"), page("<tr><td>1</td></tr>"));
        FillSheet(plainSheet());
        QCOMPARE(window->grid.Rows(), 4);
        QCOMPARE(window->grid.RowHeight(2), 0);
        QCOMPARE(window->grid.RowHeight(3), 0);
    }

    // The pattern's own rule: a page without its content ends the fill
    // silently and the sheet shown stays as it was (only the key moves on).
    void aPageWithoutItsContentLeavesTheGridAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no marker") << QByteArray("<html><table><tr><td>1</td></tr></table></html>");
        QTest::newRow("no <html>") << QByteArray("<HTML><p>Head</p><table><tr><td>1</td></tr></table></HTML>");
        QTest::newRow("no </html>") << QByteArray("<html><p>Head</p><table><tr><td>1</td></tr></table>");
        QTest::newRow("no </table>") << QByteArray("<html><p>Head</p><table><tr><td>1</td></tr></html>");
        QTest::newRow("empty file") << QByteArray();
    }
    void aPageWithoutItsContentLeavesTheGridAsItWas()
    {
        QFETCH(QByteArray, bytes);
        writeCachePage(QStringLiteral("Plain.Sh"), page("<tr><td>kept</td><td>x</td></tr>"));
        FillSheet(plainSheet());
        const QString before = dumpGrid(window->grid);
        CurType = QStringLiteral("Other");
        writeCachePage(QStringLiteral("Plain.Sh"), bytes);
        FillSheet(plainSheet());
        QCOMPARE(dumpGrid(window->grid), before);
        // The key stays with the sheet the grid still shows.
        QCOMPARE(CurType, QStringLiteral("Other"));
    }

    // A failure part-way through the walk keeps the rows written so far,
    // and the grid draws again instead of staying frozen.
    void aFailurePartWayTurnsDrawingBackOn_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("kept");
        QTest::newRow("too many cells")
            << QByteArray("<tr><td>1</td></tr><tr><td>2</td><td>b</td><td>c</td><td>d</td></tr>") << "1||/2|b|c";
        QTest::newRow("row not closed") << QByteArray("<tr><td>1</td></tr><tr><td>2</td>") << "1||/||";
        QTest::newRow("cell not closed") << QByteArray("<tr><td>1</td></tr><tr><td>2</tr>") << "1||/||";
    }
    void aFailurePartWayTurnsDrawingBackOn()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QString, kept);
        writeCachePage(QStringLiteral("Plain.Sh"), page(rows));
        FillSheet(plainSheet());
        QVERIFY(window->grid.Redraw());
        QCOMPARE(dataRows(window->grid), kept);
        QCOMPARE(window->grid.TextMatrix(0, 0), QString()); // not formatted
    }

    // Whole rows appended at once, links and colours by sign from row 2.
    void wholeRowsWithSignColours()
    {
        SheetSpec s = plainSheet();
        s.wholeRows = true;
        s.skipRows = 1;
        s.rows = 2;
        s.signColumns = {2};
        s.linkColumns = {0};
        s.rowHeights = {};
        writeCachePage(QStringLiteral("Plain.Sh"),
                       page("<tr><td>Sym</td><td>Chg</td></tr><tr><td>AB</td><td>x</td><td>-1</td><td>dropped</td></tr>"
                            "<tr><td>CD</td><td>y</td><td>+2</td></tr><tr></tr>"));
        FillSheet(s);
        const FlexGrid &g = window->grid;
        QCOMPARE(dataRows(g), QStringLiteral("AB|x|-1/CD|y|+2/||"));
        QCOMPARE(g.cellFormat(2, 2).foreColor, OleColor(0xFF));
        QCOMPARE(g.cellFormat(3, 2).foreColor, OleColor(0xFF0000));
        QVERIFY(g.cellFormat(4, 0).underline);
        QVERIFY(!g.cellFormat(2, 1).underline);
    }
};

QTEST_GUILESS_MAIN(TestDataSheet)
#include "tst_datasheet.moc"
