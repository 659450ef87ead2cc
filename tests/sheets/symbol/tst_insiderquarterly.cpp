#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"
#include "sheets/symbol/InsiderTrades.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"

#include <QFile>
#include <QtTest>

namespace {

const QString NoData = QStringLiteral("Brindlewick do not have additional information for ");

void fill(const QString &sheet)
{
    if (sheet == QLatin1String("IT"))
        FG_IT();
    else
        FG_QR();
}

QString cacheName(const QString &sheet)
{
    return sheet == QLatin1String("IT") ? QStringLiteral("IBM_it.Sh") : QStringLiteral("IBM_qr.Sh");
}

// The one-cell message as it reads: its row count and its only text.
QString message(const FlexGrid &g)
{
    return QStringLiteral("%1 row(s): %2").arg(g.Rows()).arg(g.TextMatrix(0, 0));
}

} // namespace

class TestInsiderQuarterly : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

private slots:
    void init()
    {
        bench = new SheetBench;
        bench->addStock(0, QStringLiteral("IBM"), QStringLiteral("International Business Machines"));
        bench->addStock(1, QStringLiteral("XYZ")); // a stock kept without its name
        CurSymbol = QStringLiteral("IBM");
    }
    void cleanup()
    {
        delete bench;
    }

    // The fixture page as the portal serves it. The cache name is written
    // in another letter case: one file all the same. Upper-case names lose
    // "TR" and "TH" to the tag clean-up, as the sheet has always shown them.
    void insiderTrades()
    {
        writeCachePage(QStringLiteral("ibm_IT.sh"), fixturePage(QStringLiteral("IBM_it.Sh")));
        FG_IT();
        QCOMPARE(CurType, QStringLiteral("IT"));
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->grid), QStringLiteral("insider_trades.txt"), &why), qPrintable(why));
    }

    void quarterlyReports()
    {
        copyFixturePage(QStringLiteral("IBM_qr.Sh"), QStringLiteral("IBM_qr.Sh"));
        FG_QR();
        QCOMPARE(CurType, QStringLiteral("QR"));
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->grid), QStringLiteral("quarterly_reports.txt"), &why),
                 qPrintable(why));
    }

    // Positions past 32,767 are ordinary positions here: a long filings
    // page shows the same sheet as a short one.
    void aLongFilingsPageIsRead()
    {
        QByteArray page = fixturePage(QStringLiteral("IBM_qr.Sh"));
        page.insert(page.indexOf("<P><B>"), "<!-- " + QByteArray(40000, 'x') + " -->\n");
        writeCachePage(QStringLiteral("IBM_qr.Sh"), page);
        FG_QR();
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->grid), QStringLiteral("quarterly_reports.txt"), &why),
                 qPrintable(why));
    }

    // Every page that lacks what the sheet needs shows the no-data text as
    // the main grid's only cell, whatever the grid showed before.
    void pagesWithoutTheirContentShowTheNoDataText_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QByteArray>("bytes"); // "-" = no file at all
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("expected");
        const QString name = NoData + QStringLiteral("International Business Machines");
        const QByteArray it = fixturePage(QStringLiteral("IBM_it.Sh"));
        const QByteArray qr = fixturePage(QStringLiteral("IBM_qr.Sh"));
        for (const char *sheet : {"IT", "QR"}) {
            const QByteArray page = QByteArray(sheet) == "IT" ? it : qr;
            const QByteArray marker = QByteArray(sheet) == "IT" ? "Insider Trades" : "Sort By";
            QTest::addRow("%s missing file", sheet) << sheet << QByteArray("-") << "IBM" << name;
            QTest::addRow("%s empty file", sheet) << sheet << QByteArray() << "IBM" << name;
            QTest::addRow("%s no marker", sheet) << sheet << QByteArray(page).replace(marker, "Other") << "IBM" << name;
            QTest::addRow("%s no </html", sheet) << sheet << QByteArray(page).replace("</html", "</HTML") << "IBM" << name;
            QTest::addRow("%s row not closed", sheet)
                << sheet << QByteArray(page).replace("</tr>", "</xx>").replace("</TR>", "</XX>") << "IBM" << name;
            QTest::addRow("%s symbol without a name", sheet) << sheet << QByteArray("-") << "XYZ" << NoData + "XYZ";
        }
        QTest::newRow("QR no filings table after Sort By")
            << "QR" << QByteArray("<html>Sort By: Date</table><p>none</p></html>") << "IBM" << name;
        QTest::newRow("QR quote not closed") << "QR"
                                             << QByteArray("<html>Sort By</table><table><tr><td>h</td></tr>"
                                                           "<tr><td>1</td><td><A HREF=\"/x.htm>10-Q</A></td></tr>"
                                                           "</table></html>")
                                             << "IBM" << name;
    }
    void pagesWithoutTheirContentShowTheNoDataText()
    {
        QFETCH(QString, sheet);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, symbol);
        QFETCH(QString, expected);
        copyFixturePage(cacheName(sheet), cacheName(sheet));
        fill(sheet); // a sheet to replace
        CurSymbol = symbol;
        QFile::remove(cachePagePath(cacheName(sheet)));
        if (bytes != "-")
            writeCachePage(symbol + (sheet == QLatin1String("IT") ? "_it.Sh" : "_qr.Sh"), bytes);
        fill(sheet);
        QCOMPARE(message(bench->grid), QStringLiteral("1 row(s): ") + expected);
        QCOMPARE(CurType, sheet);
    }

    // Any other failure leaves one empty cell.
    void otherFailuresLeaveOneEmptyCell_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("IT row of nine cells")
            << "IT"
            << QByteArray("<html>Insider Trades<table></table><table></table><table></table><table>"
                          "<tr><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td><td>6</td><td>7</td><td>8</td>"
                          "<td>9</td></tr></table></html>");
        QTest::newRow("QR address in the fifth cell")
            << "QR"
            << QByteArray("<html>Sort By</table><table><tr><td>h</td></tr><tr><td>1</td><td>2</td><td>3</td>"
                          "<td>4</td><td><A HREF=\"/x.htm\">5</A></td></tr></table></html>");
    }
    void otherFailuresLeaveOneEmptyCell()
    {
        QFETCH(QString, sheet);
        QFETCH(QByteArray, bytes);
        writeCachePage(cacheName(sheet), bytes);
        fill(sheet);
        QCOMPARE(message(bench->grid), QStringLiteral("1 row(s): "));
        QVERIFY(bench->grid.Redraw());
    }

    // Fewer than four tables after the heading: only the header row shows;
    // the title row and the spare row are both hidden.
    void insiderTradesWithoutTheirTable()
    {
        writeCachePage(QStringLiteral("IBM_it.Sh"),
                       "<html><title>Insider Trades</title><table><tr><td>nav</td></tr></table></html>");
        FG_IT();
        const FlexGrid &g = bench->grid;
        QCOMPARE(g.Rows(), 3);
        QCOMPARE((QList<int>{g.RowHeight(0), g.RowHeight(1), g.RowHeight(2)}), (QList<int>{285, 0, 0}));
        QCOMPARE(g.TextMatrix(0, 2), QStringLiteral("Name"));
    }

    // The trades table's clean-up, step after step: a tab before "href"
    // and upper-case tags still make linked names, ".HTML" does not split
    // its cell, and "TH" and "TD" inside a name stay as written. A link in
    // a bold cell splits at its ".html" end alone, before any linked name.
    void insiderTableCleanUpSteps()
    {
        writeCachePage(QStringLiteral("IBM_it.Sh"),
                       "<html><title>IBM: Insider Trades</title><table><tr><td>nav</td></tr></table>\n"
                       "<TABLE><tr><td>quote</td></tr></table><Table><tr><td>Insider Trades</td></tr></table>\n"
                       "<table><tr><th>Date</th><th>Insider</th></tr>\n"
                       "<tr><td>0-Jan-00</td><td><b><a href=\"t/i/ibm/z.html\">BOLD LINK</a></b></td><td>Sale</td></tr>\n"
                       "<tr>\t<td>1-Jan-00</td><td><a\thref=\"t/i/ibm/a.html\">TAB LINK</a></td><td>Sale</td></tr>\n"
                       "<TR><TD>2-Jan-00</TD><TD><a href=\"t/i/ibm/b.html\">THE TD HOLDING</a></TD><Td>Buy</Td></TR>\n"
                       "<tr><td>3-Jan-00</td><td><a href=\"t/i/ibm/c.HTML\">CAPS END</a></td><td>Sale</td></tr>\n"
                       "</table><table><tr><td>footer</td></tr></table></html>\n");
        FG_IT();
        const FlexGrid &g = bench->grid;
        const auto row = [&g](int r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << g.TextMatrix(r, c);
            return cells.join(QLatin1Char('|'));
        };
        QCOMPARE(row(2), QStringLiteral("0-Jan-00||BOLD LINK|Sale"));
        QCOMPARE(row(3), QStringLiteral("1-Jan-00|t/i/ibm/a.html|TAB LINK|Sale"));
        QCOMPARE(row(4), QStringLiteral("2-Jan-00|t/i/ibm/b.html|THE TD HOLDING|Buy"));
        QCOMPARE(row(5), QStringLiteral("3-Jan-00|t/i/ibm/c.HTML\"CAPS END|Sale|"));
    }

    // A colon starts a new cell, and cells that clean to nothing take no
    // column: the date's minutes become the linked form.
    void filingsCellsSplitAtColons()
    {
        writeCachePage(QStringLiteral("IBM_qr.Sh"),
                       "<html>Sort By</table><table><tr><td>head</td></tr>"
                       "<tr><td> </td><td>02/14/2000 16:05</td><td>8-K</td></tr></table></html>");
        FG_QR();
        const FlexGrid &g = bench->grid;
        QCOMPARE(g.TextMatrix(2, 0), QStringLiteral("02/14/2000 16"));
        QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("05"));
        QVERIFY(g.cellFormat(2, 1).underline);
        QCOMPARE(g.TextMatrix(2, 2), QStringLiteral("8-K"));
    }
};

QTEST_GUILESS_MAIN(TestInsiderQuarterly)
#include "tst_insiderquarterly.moc"
