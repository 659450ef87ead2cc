// The per-stock statements, option chains and earnings sheets from the
// fixture site's pages: one golden dump each, and the pages that go wrong.
#include "core/SharedState.h"
#include "sheets/symbol/EarningsSheets.h"
#include "sheets/symbol/OptionChains.h"
#include "sheets/symbol/Statements.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"

#include <QFile>
#include <QtTest>

namespace {

// The option chain as the socket stores it: the reply's head in front.
QByteArray chainReply()
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + sitePage(QStringLiteral("QuoteTable.dat/TICKER=ACME.html"));
}

const QString NoData = QStringLiteral("Brindlewick do not have additional information for Acme Widgets Inc");

} // namespace

class TestSymbolSheets : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

    void compare(void (*fill)(), const char *golden)
    {
        fill();
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->grid), QLatin1String(golden), &why), qPrintable(why));
    }

private slots:
    void init()
    {
        bench = new SheetBench;
        bench->addStock(0, QStringLiteral("ACME"), QStringLiteral("Acme Widgets Inc"));
        CurSymbol = QStringLiteral("ACME");
    }
    void cleanup() { delete bench; }

    void golden()
    {
        writeCachePage(QStringLiteral("ACME_ABS.Sh"), sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=2.html")));
        writeCachePage(QStringLiteral("ACME_AIS.Sh"), sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=1.html")));
        writeCachePage(QStringLiteral("ACME_op.Sh"), chainReply());
        writeCachePage(QStringLiteral("ACME_ee.Sh"), sitePage(QStringLiteral("z/a/a/ACME.html")));
        compare(FG_ABS, "balance_sheet.txt");
        compare(FG_AIS, "income_statement.txt");
        compare(FG_Calls, "calls.txt");
        compare(FG_Puts, "puts.txt");
        compare(FG_Options, "options.txt");
        compare(FG_EG, "earnings_growth.txt");
        compare(FG_EH, "earnings_history.txt");
        compare(FG_ER, "earnings_estimates.txt");
        compare(FG_EC, "eps_trend.txt");
    }

    void missingPages()
    {
        for (void (*fill)() : {FG_ABS, FG_AIS, FG_EG, FG_EH, FG_ER, FG_EC}) {
            fill();
            QCOMPARE(bench->grid.TextMatrix(0, 0), NoData);
        }
        for (void (*fill)() : {FG_Calls, FG_Puts, FG_Options}) {
            fill();
            QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("Data is not available, connect to Internet, and update again ."));
        }
        writeCachePage(QStringLiteral("ACME_AIS.Sh"), "<html>no statement</html>");
        FG_AIS();
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("The Acme Widgets Inc\" annual income statement data is bad, connect to the Internet, and update again ."));
    }

    // A long page, a short row and rows written "<Tr": every row keeps its
    // place.
    void oddStatementPages()
    {
        QByteArray page = sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=2.html"));
        page.replace("<h2>", "<!-- " + QByteArray(40000, 'x') + " --><h2>");
        page.replace("<tr><td>Receivables</td>", "<Tr><td>Odd</td><td>1</td></tr>\n<Tr><td>Receivables</td>");
        writeCachePage(QStringLiteral("ACME_ABS.Sh"), page);
        FG_ABS();
        FlexGrid &g = bench->grid;
        int odd = 0;
        for (int r = 0; r < g.Rows(); ++r)
            if (g.TextMatrix(r, 0) == QLatin1String("Odd"))
                odd = r;
        QVERIFY(odd > 0);
        QCOMPARE(g.TextMatrix(odd + 1, 0), QStringLiteral("Receivables"));
        QCOMPARE(g.TextMatrix(odd + 1, 1), QStringLiteral("310.5"));
    }

    // A chain line of fourteen fields closed by its line end is read too.
    void chainLineWithoutTrailingComma()
    {
        QByteArray reply = chainReply();
        reply.replace("1260,\r\n", "1260\r\n");
        writeCachePage(QStringLiteral("ACME_op.Sh"), reply);
        FG_Options();
        int last = 0;
        for (int r = 3; r < bench->grid.Rows(); ++r)
            if (bench->grid.TextMatrix(r, 14) == QLatin1String("1260"))
                last = r;
        QVERIFY(last > 0);
    }
};

QTEST_MAIN(TestSymbolSheets)
#include "tst_symbolsheets.moc"
