// The market lists: one golden dump per sheet shape from the fixture
// site's pages, the chooser over every index, and pages that go wrong.
#include "core/SharedState.h"
#include "sheets/GridLinks.h"
#include "platform/UrlOpener.h"
#include "sheets/market/AnalystActions.h"
#include "sheets/market/BigMovers.h"
#include "sheets/market/MarketLists.h"
#include "sheets/market/MarketMovers.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"

#include <QFile>
#include <QUrl>
#include <QtTest>

namespace {

QString bigMoversPage(int data, int report)
{
    return QStringLiteral("reports/bigmovers.asp/date=19990721&data=%1&start=1&report=%2.html").arg(data).arg(report);
}

void cacheAll()
{
    writeCachePage(QStringLiteral("mwwinners.Sh"), sitePage(QStringLiteral("dljd/mwwinners.htm")));
    writeCachePage(QStringLiteral("mwlosers.Sh"), sitePage(QStringLiteral("dljd/mwlosers.htm")));
    writeCachePage(QStringLiteral("25_surp.Sh"), sitePage(QStringLiteral("cgi-bin/25_surp")));
    writeCachePage(QStringLiteral("UpDown.Sh"), sitePage(QStringLiteral("c/u.html")));
}

} // namespace

class TestMarketLists : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

private slots:
    void init() { bench = new SheetBench; }
    void cleanup() { delete bench; }

    // One list of each header set; the cache names differ in letter case
    // from the chooser's and name the same files.
    void bigMovers_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("cache");
        QTest::addColumn<QString>("golden");
        QTest::newRow("price") << bigMoversPage(2, 1) << "BrPG_Q.Sh" << "bigmovers_price.txt";
        QTest::newRow("volume") << bigMoversPage(1, 3) << "BrVG_N.Sh" << "bigmovers_volume.txt";
        QTest::newRow("52-week") << bigMoversPage(1, 5) << "Br52-WPH_N.Sh" << "bigmovers_52week.txt";
        QTest::newRow("most active") << bigMoversPage(1, 7) << "BrMAS_N.Sh" << "bigmovers_active.txt";
        QTest::newRow("money movers") << bigMoversPage(2, 8) << "BrLMM_Q.Sh" << "bigmovers_money.txt";
    }
    void bigMovers()
    {
        QFETCH(QString, page);
        QFETCH(QString, cache);
        QFETCH(QString, golden);
        writeCachePage(cache, sitePage(page));
        QString chooserName = cache;
        if (!cache.startsWith(QLatin1String("BrLMM")))
            chooserName[0] = QLatin1Char('b');
        ShowBigMovers(chooserName);
        QCOMPARE(CurType, QStringLiteral("BR"));
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), qPrintable(golden));
    }

    // A list closed with "</TR></TABLE>" loses that row's end tag to the
    // clean-up: the walk ends there and the rows before it are drawn. Only a
    // cell without its end tag makes the page one without data.
    void rankingRowWithoutItsEndTag()
    {
        const QByteArray head = "<html><TABLE><TR><TD>Rank</TD><TD>Company</TD><TD>Symbol</TD><TD>P/E<BR>Ratio</TD></TR>\r\n";
        QByteArray rows;
        for (const char *symbol : {"AAA", "BBB", "CCC", "DDD"})
            rows += QByteArray("<TR><TD>1</TD><TD>Co ") + symbol + "</TD><TD>" + symbol + "</TD><TD>+1.5%</TD></TR>\r\n";
        writeCachePage(QStringLiteral("brPG_A.Sh"), head + rows + "<TR><TD COLSPAN=8>&nbsp;</TD></TR></TABLE>\r\nShow next 25</html>");
        ShowBigMovers(QStringLiteral("brPG_A.Sh"));
        FlexGrid &g = bench->grid;
        QCOMPARE(g.Rows(), 2 + 4);
        QCOMPARE(g.TextMatrix(2, 2), QStringLiteral("AAA"));
        QCOMPARE(g.TextMatrix(3, 2), QStringLiteral("BBB"));
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("Largest % Gain in Price (AMEX)"));

        rows.replace("CCC</TD><TD>+1.5%</TD>", "CCC</TD><TD>+1.5%");
        writeCachePage(QStringLiteral("brPG_A.Sh"), head + rows + "</TABLE>\r\nShow next 25</html>");
        ShowBigMovers(QStringLiteral("brPG_A.Sh"));
        QCOMPARE(g.Rows(), 1);
        QCOMPARE(g.TextMatrix(0, 0), QStringLiteral("No data for: Largest % Gain in Price (AMEX)"));
    }

    // A company cell opens the address its row keeps.
    void bigMoverCompanyLink()
    {
        writeCachePage(QStringLiteral("BrMAS_N.Sh"), sitePage(bigMoversPage(1, 7)));
        ShowBigMovers(QStringLiteral("brMAS_N.Sh"));
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toString();
            return true;
        });
        bench->grid.setRow(2);
        bench->grid.setCol(1);
        clickGridLink(CurType, bench->grid);
        setUrlOpenerHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY2(opened.first().endsWith(QLatin1String("/q?s=ACME")), qPrintable(opened.first()));
    }

    // Company names keep their letters: only the tags' "TABLE", "TR", "TD"
    // and "TH" are read as table tags, in every spelling the cells' text has.
    void rankingNamesKeepTheirLetters()
    {
        const QString names[] = {QStringLiteral("TRANSOCEAN OFFSHORE"), QStringLiteral("THERMO Tdk Trust"),
                                 QStringLiteral("STABLE TABLE Table TD Th")};
        for (const QString &name : names) {
            QByteArray page = sitePage(bigMoversPage(1, 7));
            page.replace("Acme Widgets Inc", name.toLatin1());
            writeCachePage(QStringLiteral("BrMAS_N.Sh"), page);
            ShowBigMovers(QStringLiteral("brMAS_N.Sh"));
            QCOMPARE(bench->grid.TextMatrix(2, 1), name);
            QCOMPARE(bench->grid.TextMatrix(3, 1), QStringLiteral("Bolt Electric Corp"));
        }
    }

    void winnersSurprisesAndAnalysts()
    {
        cacheAll();
        FG_WinLos(QStringLiteral("mwwinners.Sh"));
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "winners.txt");
        FG_Surp();
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "surprises.txt");
        // The short row keeps its own grid row.
        QCOMPARE(bench->grid.TextMatrix(4, 0), QStringLiteral("CRWN"));
        QCOMPARE(bench->grid.TextMatrix(5, 0), QStringLiteral("DYNX"));
        FG_Upgrades();
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "upgrades.txt");
        FG_Downgrades();
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "downgrades.txt");
        FG_Coverage();
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "coverage.txt");
    }

    // Names keep their letters: only the tags' "TH", "TR" and "TD" are read
    // as table tags.
    void analystNamesKeepTheirLetters()
    {
        QByteArray page = sitePage(QStringLiteral("c/u.html"));
        page.replace("Acme Widgets Inc", "NORTHERN TRUST & TDK");
        page.replace("Smith Barney", "THOMAS WEISEL");
        writeCachePage(QStringLiteral("UpDown.Sh"), page);
        FG_Upgrades();
        QCOMPARE(bench->grid.TextMatrix(2, 2), QStringLiteral("NORTHERN TRUST & TDK"));
        QCOMPARE(bench->grid.TextMatrix(2, 3), QStringLiteral("THOMAS WEISEL"));
    }

    void missingMarkersAndPages()
    {
        QByteArray page = sitePage(QStringLiteral("c/u.html"));
        page.replace("<big><b>Coverage Initiated</b></big>", "<big><b>Coverage</b></big>");
        writeCachePage(QStringLiteral("UpDown.Sh"), page);
        FG_Coverage();
        QCOMPARE(bench->grid.TextMatrix(0, 0),
                 QStringLiteral("Brindlewick do not have additional information for Coverage Initiated"));
        FG_WinLos(QStringLiteral("mwlosers.Sh"));
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("No Data were found"));
        ShowBigMovers(QStringLiteral("brVL_A.Sh"));
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("No data for: Largest % Loss in Volume (AMEX)"));
        writeCachePage(QStringLiteral("Unknown.Sh"), "<html>no table</html>");
        ShowBigMovers(QStringLiteral("Unknown.Sh"));
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("No data for: "));
    }

    // Every index: the menu item it checks and the sheet it shows.
    void chooserOverEveryIndex()
    {
        cacheAll();
        for (short i = -1; i <= 31; ++i) {
            bench->window.calls.clear();
            CurType.clear();
            ShowConsultation(i);
            QCOMPARE(bench->window.calls.value(0), QStringLiteral("checkConsultationItem(%1)").arg(i));
            const QString expected = i < 0 || i > 30 ? QString()
                                   : i == 0          ? QStringLiteral("Current")
                                   : i == 1          ? QStringLiteral("SUP")
                                   : i <= 3          ? QStringLiteral("WINLOS")
                                   : i == 11         ? QStringLiteral("Upgrade")
                                   : i == 12         ? QStringLiteral("Downgrade")
                                   : i == 13         ? QStringLiteral("Coverage")
                                                     : QStringLiteral("BR");
            QCOMPARE(CurType, expected);
        }
        QCOMPARE(bigMoversTitle(QStringLiteral("brMAS_Q.Sh")), QStringLiteral("Most Active Stocks (NASDAQ)"));
        QCOMPARE(bigMoversTitle(QStringLiteral("BrLMM_A.Sh")), QStringLiteral("Largest Money Movers  (AMEX)"));
    }
};

QTEST_MAIN(TestMarketLists)
#include "tst_marketlists.moc"
