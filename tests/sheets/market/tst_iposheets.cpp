// The seven IPO sheets from the fixture site's pages, each compared whole
// with its golden dump, and the ways a page goes wrong.
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/TransferFetch.h"
#include "platform/TransferControl.h"
#include "sheets/SheetFetch.h"
#include "sheets/market/IpoCalendars.h"
#include "sheets/market/IpoLists.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"
#include "support/site/FixtureSite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Sheet
{
    const char *page;   // under the fixture site
    const char *cache;  // cache file name
    void (*fill)();
    const char *golden;
    const char *noData; // "" : none
};

const Sheet Sheets[] = {
    {"ipo/prc_cal.html", "IPO_Prc.sh", FG_IPO_Price, "ipo_pricings.txt", "Brindlewick do not have IPO Prices informain."},
    {"ipo/perf_g3.html", "IPO_G3.sh", FG_IPO_Gain, "ipo_gainers.txt", "Brindlewick do not have IPO Gain informain."},
    {"ipo/perf_l3.html", "IPO_L3.sh", FG_IPO_Loss, "ipo_losers.txt", "Brindlewick do not have IPO Gain informain."},
    {"ipo/reg_cal.html", "IPO_Reg.sh", FG_IPO_Reg, "ipo_registrations.txt", "Brindlewick do not have IPO registration informain."},
    {"ipo/index.html", "IPO_lts.sh", FG_IPO_Last, "ipo_latest.txt", "Brindlewick do not have Latest IPO Events informain."},
    {"reports/ipo.html", "IPO_News.sh", FG_IPO_News, "ipo_news.txt", ""},
    {"ipo/wp.html", "IPO_wp.sh", FG_IPO_With, "ipo_withdrawals.txt", "Brindlewick do not have IPO Withdrawals informain."},
};

} // namespace

class TestIpoSheets : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

private slots:
    void init() { bench = new SheetBench; }
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
        const Sheet &s = Sheets[sheet];
        writeCachePage(QLatin1String(s.cache), sitePage(QLatin1String(s.page)));
        s.fill();
        QString why;
        QVERIFY2(matchesGolden(dumpGrid(bench->grid), QLatin1String(s.golden), &why), qPrintable(why));
    }

    void missingPage_data() { golden_data(); }
    void missingPage()
    {
        QFETCH(int, sheet);
        const Sheet &s = Sheets[sheet];
        bench->grid.setTextMatrix(0, 0, QStringLiteral("before"));
        s.fill();
        // The news sheet has no notice of its own: the grid stays.
        QCOMPARE(bench->grid.TextMatrix(0, 0), *s.noData ? QLatin1String(s.noData) : QLatin1String("before"));
    }

    // A company name with a comma and a full set of link words: the row
    // keeps its columns and the rows after it are drawn.
    void commaInACompanyName()
    {
        writeCachePage(QStringLiteral("IPO_Prc.sh"), sitePage(QStringLiteral("ipo/prc_cal.html")));
        FG_IPO_Price();
        FlexGrid &g = bench->grid;
        QCOMPARE(g.TextMatrix(3, 1), QStringLiteral("Acme Widgets, Inc."));
        QCOMPARE(g.TextMatrix(3, 2), QStringLiteral("ACWI"));
        QCOMPARE(g.TextMatrix(3, 11), QStringLiteral("Research"));
        QCOMPARE(g.TextMatrix(6, 2), QStringLiteral("GNMX"));
        // More words than columns: the last ones are left out.
        QByteArray page = sitePage(QStringLiteral("ipo/prc_cal.html"));
        page.replace(">Research</a>", ">Research</a>, W1, W2, W3, W4");
        writeCachePage(QStringLiteral("IPO_Prc.sh"), page);
        FG_IPO_Price();
        QCOMPARE(g.TextMatrix(3, 13), QStringLiteral("W2"));
        QCOMPARE(g.TextMatrix(6, 2), QStringLiteral("GNMX"));
    }

    // A row that lacks a cell still has its link words split from its last
    // cell, which falls one column early; the link look goes by column.
    void linkWordsFromTheLastCell()
    {
        FlexGrid &g = bench->grid;
        QByteArray prices = sitePage(QStringLiteral("ipo/prc_cal.html"));
        prices.replace("<Td>SOLR</Td><Td>$8.00 - $10.00</Td><Td>-</Td>", "<Td>SOLR</Td><Td>$8.00 - $10.00</Td>");
        writeCachePage(QStringLiteral("IPO_Prc.sh"), prices);
        FG_IPO_Price();
        QCOMPARE(QStringList({g.TextMatrix(5, 4), g.TextMatrix(5, 5), g.TextMatrix(5, 6)}),
                 QStringList({"News", "Chart", "Profile"}));
        QVERIFY(!g.cellFormat(5, 4).underline);
        QVERIFY(g.cellFormat(5, 5).underline);

        QByteArray latest = sitePage(QStringLiteral("ipo/index.html"));
        latest.replace("<td>Quantum Freight Lines</td><td>$11.00 - $13.00</td>", "<td>Quantum Freight Lines</td>");
        writeCachePage(QStringLiteral("IPO_lts.sh"), latest);
        FG_IPO_Last();
        QCOMPARE(QStringList({g.TextMatrix(7, 3), g.TextMatrix(7, 4), g.TextMatrix(7, 5)}),
                 QStringList({"Filed", "Profile", "SEC"}));
        QVERIFY(g.cellFormat(7, 1).underline); // the symbol
        QVERIFY(!g.cellFormat(7, 4).underline);
        QVERIFY(g.cellFormat(7, 5).underline);
    }

    // Every item has its own link, in the column a click reads; the last
    // item ends with its list.
    void newsLinks()
    {
        writeCachePage(QStringLiteral("IPO_News.sh"), sitePage(QStringLiteral("reports/ipo.html")));
        FG_IPO_News();
        FlexGrid &g = bench->grid;
        QCOMPARE(g.Rows(), 2 + 7);
        QCOMPARE(g.TextMatrix(3, 4), QString()); // no link of its own
        QCOMPARE(g.TextMatrix(5, 2), QStringLiteral("PR Newswire"));
        QCOMPARE(g.TextMatrix(5, 4), QStringLiteral("n/000613/hrbt.html"));
        QCOMPARE(g.TextMatrix(8, 4), QStringLiteral("n/000612/wk.html"));
    }

    // The fetches keep a page of 2,500 bytes and refuse one byte less,
    // leaving the page cached before.
    void fetchSizeRule()
    {
        QTemporaryDir root;
        FixtureSite site(root.path());
        QVERIFY(site.start());
        bench->profile.createProgramKey();
        setAllSiteHosts(site.host());
        QDir(root.path()).mkpath(QStringLiteral("ipo"));
        resetRunState();
        StopFlag = false;
        CurInet = &Inet1();
        const auto serve = [&](int size) {
            QFile f(root.filePath(QStringLiteral("ipo/prc_cal.html")));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(size, 'x'));
        };
        writeCachePage(QStringLiteral("IPO_Prc.sh"), "good page");
        serve(2499);
        Update_IPO_Price();
        QCOMPARE(QFileInfo(cachePagePath(QStringLiteral("IPO_Prc.sh"))).size(), qint64(9));
        serve(2500);
        Update_IPO_Price();
        QCOMPARE(QFileInfo(cachePagePath(QStringLiteral("IPO_Prc.sh"))).size(), qint64(2500));
        CurInet = nullptr;
    }
};

QTEST_MAIN(TestIpoSheets)
#include "tst_iposheets.moc"
