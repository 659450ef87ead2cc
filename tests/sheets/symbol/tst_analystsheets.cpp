// The analyst pages, short interest and profile of a stock from the
// fixture site's pages, and each sheet's notice when a page is missing or
// does not hold what the sheet cuts.
#include "core/SharedState.h"
#include "sheets/symbol/AnalystSheets.h"
#include "sheets/symbol/Profile.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray analystPage(const char *what)
{
    return "HTTP/1.0 200 OK\r\n\r\n" + sitePage(QStringLiteral("quote.asp/Symbol=acme&Whattoget=%1.html").arg(QLatin1String(what)));
}

struct Sheet
{
    void (*fill)();
    const char *cache;
    const char *golden;
    const char *missing; // notice for a missing page
    const char *bad;     // notice for a page the cut fails on
};

const Sheet Sheets[] = {
    {FG_Splits, "ACME_sp.Sh", "splits_history.txt", "No splits were found for the symbol you requested, ACME",
     "No splits were found for the symbol you requested, ACME"},
    {FG_UpgradeHistory, "ACME_uph.Sh", "upgrades_history.txt",
     "No upgrades were found for the symbol you requested, Acme Widgets Inc (ACME)",
     "No upgrades were found for the symbol you requested, Acme Widgets Inc (ACME)"},
    {FG_DowngradeHistory, "ACME_dnh.Sh", "downgrades_history.txt",
     "No downgrads were found for the symbol you requested, Acme Widgets Inc (ACME)",
     "No downgrads were found for the symbol you requested, Acme Widgets Inc (ACME)"},
    {FG_Momentum, "ACME_mr.Sh", "momentum.txt", "No data for the stock you requested, Acme Widgets Inc (ACME)",
     "No data for the stock you requested, Acme Widgets Inc (ACME)"},
    {FG_BrokerReports, "ACME_brp.Sh", "broker_reports.txt",
     "No data for the stock you requested, Acme Widgets Inc (ACME)\r\nPlease update again.",
     "No broker reports were found for the symbol you requested, Acme Widgets Inc (ACME)"},
    {FG_SI, "ACME_SI.Sh", "short_interest.txt", "Brindlewick do not have additional information for Acme Widgets Inc",
     "Brindlewick do not have additional information for Acme Widgets Inc"},
    {FG_Profile, "ACME_P.Sh", "profile.txt", "Brindlewick do not have additional information for Acme Widgets Inc",
     "Brindlewick do not have additional information for Acme Widgets Inc"},
};

} // namespace

class TestAnalystSheets : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

    void cacheAll()
    {
        writeCachePage(QStringLiteral("ACME_sp.Sh"), analystPage("splits"));
        writeCachePage(QStringLiteral("ACME_uph.Sh"), analystPage("upgrades"));
        writeCachePage(QStringLiteral("ACME_dnh.Sh"), analystPage("downgrades"));
        writeCachePage(QStringLiteral("ACME_mr.Sh"), analystPage("momentum"));
        writeCachePage(QStringLiteral("ACME_brp.Sh"), analystPage("reports"));
        writeCachePage(QStringLiteral("ACME_SI.Sh"),
                       "HTTP/1.0 200 OK\r\n\r\n" + sitePage(QStringLiteral("asp/quotes_full.asp/kind=shortint&symbol=ACME_60&selected=ACME_60.html")));
        writeCachePage(QStringLiteral("ACME_P.Sh"), sitePage(QStringLiteral("cgi-bin/brand_newsalert_mlist.cgi/symbol=ACME.html")));
    }

private slots:
    void init()
    {
        bench = new SheetBench;
        bench->addStock(0, QStringLiteral("ACME"), QStringLiteral("Acme Widgets Inc"));
        CurSymbol = QStringLiteral("ACME");
    }
    void cleanup() { delete bench; }

    void golden_data()
    {
        QTest::addColumn<int>("sheet");
        for (int i = 0; i < int(std::size(Sheets)); ++i)
            QTest::newRow(Sheets[i].golden) << i;
    }
    void golden()
    {
        QFETCH(int, sheet);
        cacheAll();
        Sheets[sheet].fill();
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->grid), QLatin1String(Sheets[sheet].golden), &why), qPrintable(why));
    }

    void notices_data() { golden_data(); }
    void notices()
    {
        QFETCH(int, sheet);
        const Sheet &s = Sheets[sheet];
        s.fill();
        QCOMPARE(bench->grid.TextMatrix(0, 0), QLatin1String(s.missing));
        writeCachePage(QLatin1String(s.cache), "HTTP/1.0 200 OK\r\n\r\n<html><body>Nothing here</body></html>");
        s.fill();
        QCOMPARE(bench->grid.TextMatrix(0, 0), QLatin1String(s.bad));
    }

    // What the pages themselves say when there is nothing to show.
    void pagesWithoutData()
    {
        QByteArray momentum = analystPage("momentum");
        momentum.replace("Number of analysts: 9", "No rating available");
        writeCachePage(QStringLiteral("ACME_mr.Sh"), momentum);
        FG_Momentum();
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("Brindlewick did not find momentum ratings data for ACME"));
        QByteArray downgrades = analystPage("downgrades");
        downgrades.replace("Most recent first", "About these ratings");
        writeCachePage(QStringLiteral("ACME_dnh.Sh"), downgrades);
        CurType = QStringLiteral("IT");
        FG_DowngradeHistory();
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("No downgrade were found for the symbol you requested, ACME"));
        QCOMPARE(CurType, QStringLiteral("DNH")); // the key names what the grid shows
    }

    // The splits table ends at the first end tag after its start marker;
    // a table of its three heading rows alone is a sheet without rows, and
    // only the page's own "About" inside the table empties it.
    void splitsTable()
    {
        const QByteArray rows = "<TABLE><TR><TD>Splits History</TD></TR><TR><TD>Source</TD></TR>"
                                "<TR><TD>Type</TD><TD>Amount</TD></TR>";
        writeCachePage(QStringLiteral("ACME_sp.Sh"), "<Table><tr><td>menu</td></tr></Table><!-- If Splits -->" + rows +
                                                         "<TR><TD>Split</TD><TD>2-for-1</TD></TR></TABLE>");
        CurType = QStringLiteral("IT");
        FG_Splits();
        FlexGrid &g = bench->grid;
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("2-for-1"));

        writeCachePage(QStringLiteral("ACME_sp.Sh"), "<!-- If Splits -->" + rows + "</Table><a href=/about>About</a>");
        FG_Splits();
        QCOMPARE(g.Rows(), 2);
        QCOMPARE(g.TextMatrix(0, 0), QStringLiteral("Type"));
        QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("ACME\r\nSplits History"));

        writeCachePage(QStringLiteral("ACME_sp.Sh"), "<!-- If Splits -->" + rows + "<TR><TD>About splits: none</TD></TR></Table>");
        FG_Splits();
        QCOMPARE(g.Rows(), 1);
        QCOMPARE(g.TextMatrix(0, 0), QStringLiteral("No splits were found for the symbol you requested, ACME"));
        QCOMPARE(CurType, QStringLiteral("Split"));
    }

    // The tooltip keeps the sentences' periods; it follows the file.
    void tooltipText()
    {
        QCOMPARE(GetProfileText(), QString());
        cacheAll();
        QVERIFY(GetProfileText().startsWith(QLatin1String("Acme Widgets Inc. makes precision widgets")));
        writeCachePage(QStringLiteral("ACME_P.Sh"), "<hr>Changed. Text.<hr>");
        QCOMPARE(GetProfileText(), QStringLiteral("Changed. Text."));
        CurSymbol.clear();
        QCOMPARE(GetProfileText(), QString());
    }
};

QTEST_MAIN(TestAnalystSheets)
#include "tst_analystsheets.moc"
