// US indices, world markets, the option summary, fund lists and split
// calendars from the fixture site's pages: one golden dump a sheet shape,
// the bytes of "US.dat", and the pages that go wrong.
#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "sheets/market/FundPages.h"
#include "sheets/market/SplitCalendars.h"
#include "sheets/market/UsIndices.h"
#include "sheets/market/WorldMarkets.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"
#include "support/site/FixtureSite.h"

#include <QFile>
#include <QtTest>

namespace {

QString hexLines(const QByteArray &bytes)
{
    QString out;
    const QByteArray hex = bytes.toHex();
    for (int i = 0; i < hex.size(); i += 64)
        out += QString::fromLatin1(hex.mid(i, 64)) + QLatin1Char('\n');
    return out;
}

} // namespace

class TestMarketData : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

private slots:
    void init() { bench = new SheetBench; }
    void cleanup() { delete bench; }

    // The page cut into the table and its file, then the sheet drawn from it.
    void usIndices()
    {
        writeCachePage(QStringLiteral("US.Sh"), sitePage(QStringLiteral("m1/u.html")));
        Parse_US();
        QFile dat(DataDir + QStringLiteral("/US.dat"));
        QVERIFY(dat.open(QIODevice::ReadOnly));
        QCOMPARE_GOLDEN(hexLines(dat.readAll()), "us_dat.txt");
        QCOMPARE(US[36].LastTrade, QStringLiteral("2,378.25")); // "Philadelphia Gold &amp; Silver"
        FG_US();
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "us_indices.txt");
        // A change stored with a blank before its sign still has its arrow.
        QCOMPARE(US[4].Change, QStringLiteral(" +1.25"));
        QCOMPARE(bench->grid.TextMatrix(8, 5), QStringLiteral(" +1.25"));
    }

    // A name the page lacks keeps its values and the search goes on.
    void usPageWithoutAnIndicator()
    {
        writeCachePage(QStringLiteral("US.Sh"), sitePage(QStringLiteral("m1/u.html")));
        Parse_US();
        const USRec before = US[1];
        QByteArray page = sitePage(QStringLiteral("m1/u.html"));
        page.replace("20 Transportation", "Twenty Transport");
        page.replace("4:02PM", "9:99PM");
        writeCachePage(QStringLiteral("US.Sh"), page);
        Parse_US();
        QCOMPARE(US[1], before);
        QCOMPARE(US[2].TradeTime, QStringLiteral("4:03PM"));
        QFile::remove(cachePagePath(QStringLiteral("US.Sh")));
        US.fill(USRec{});
        Parse_US(); // no page: the file stays
        ReadUS();
        QCOMPARE(US[1], before);
    }

    void worldMarkets()
    {
        writeCachePage(QStringLiteral("Market.Sh"), sitePage(QStringLiteral("m2/u.html")));
        FG_WMarket();
        QCOMPARE_GOLDEN(dumpGrid(bench->grid), "world_markets.txt");
        // A cell without its end tag is a cut that cannot be made: the
        // notice, not a sheet drawn part of the way.
        QByteArray page = sitePage(QStringLiteral("m2/u.html"));
        page.replace("-0.23%</td><td>Chart</td>", "-0.23%</td><td>Chart");
        writeCachePage(QStringLiteral("Market.Sh"), page);
        FG_WMarket();
        QCOMPARE(bench->grid.Rows(), 1);
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("No Data were found"));
        QCOMPARE(CurType, QStringLiteral("WM"));
    }

    void optionSummary()
    {
        writeCachePage(QStringLiteral("OptSum.Sh"),
                       sitePage(QStringLiteral("cgi-bin/htx.exe/dbcfiles/optiont.html/SOURCE=blq_ASK.html")));
        QString all;
        for (short i = 0; i < 3; ++i) {
            FG_OptSum(i);
            all += dumpGrid(bench->grid);
        }
        QCOMPARE_GOLDEN(all, "option_summary.txt");
    }

    void fundLists()
    {
        writeCachePage(QStringLiteral("F_Conv.Sh"), sitePage(QStringLiteral("cgi-bin/htx.exe/dbcfiles/convbndt.html/SOURCE=blq_ASK.html")));
        writeCachePage(QStringLiteral("F_LMM.Sh"), sitePage(QStringLiteral("cgi-bin/htx.exe/dbcfiles/mon11t.html/SOURCE=blq_ASK.html")));
        FG_Funds(QStringLiteral("F_Conv"));
        QString both = dumpGrid(bench->grid);
        FG_Funds(QStringLiteral("F_LMM"));
        both += dumpGrid(bench->grid);
        QCOMPARE_GOLDEN(both, "fund_lists.txt");
        FG_Funds(QStringLiteral("F_Growth"));
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("Brindlewick do not have Largest Growth Funds informain."));
    }

    // Fetched over the socket (headers and all), drawn with its rows
    // although the footer says "About"; "No splits were found." when the
    // table itself says "About"; an index outside 0..4 fetches nothing.
    void splitCalendar()
    {
        FixtureSite site;
        QVERIFY(site.start());
        bench->profile.createProgramKey();
        setAllSiteHosts(site.host());
        resetRunState();
        StopFlag = false;
        setWinsockWaitTimeout(5000);
        QDir().mkpath(DataDir + QStringLiteral("/Cache/DataSheet")); // made at start-up
        Update_SplitCal(1);
        Update_SplitCal(5);
        Update_SplitCal(-1);
        QCOMPARE(site.requestCount(), 1);
        QVERIFY(site.requests().first().startsWith("GET http://" + site.host().toLatin1() + "/splits.asp HTTP/1.0"));
        // The five layouts, the one just fetched among them.
        const char *const pages[][2] = {{"FMS_Today.Sh", "splits_day.asp"}, {"FMS_Week.Sh", nullptr},
                                        {"FMS_Next.Sh", "splits_nw.asp"}, {"FMS_Rec.Sh", "splits_announced.asp"},
                                        {"FMS_Tech.Sh", "mostsplits.asp"}};
        QString all;
        for (short i = 0; i < 5; ++i) {
            if (pages[i][1])
                writeCachePage(QLatin1String(pages[i][0]), "HTTP/1.0 200 OK\r\n\r\n" + sitePage(QLatin1String(pages[i][1])));
            FG_SplitCal(i);
            all += dumpGrid(bench->grid);
        }
        QCOMPARE_GOLDEN(all, "split_calendar.txt");
        // A calendar whose table has no row (its footer's "About" after the
        // table): the calendar's empty sheet, its headings and title.
        QByteArray empty = sitePage(QStringLiteral("splits_day.asp"));
        const int from = empty.indexOf("<TR><TD><a");
        empty.remove(from, empty.indexOf("</Table>") - from);
        writeCachePage(QStringLiteral("FMS_Today.Sh"), empty);
        CurType = QStringLiteral("US");
        FG_SplitCal(0);
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("Ticker"));
        QCOMPARE(bench->grid.TextMatrix(1, 1), QStringLiteral("Today's Splits"));
        QCOMPARE(bench->grid.Rows(), 2);
        QCOMPARE(CurType, QStringLiteral("FMS0"));
        // The page's notice inside the table: no splits, the calendar's key kept.
        QByteArray notice = empty;
        notice.insert(from, "<TR><TD colspan=3>About today: none</TD></TR>");
        writeCachePage(QStringLiteral("FMS_Today.Sh"), notice);
        CurType = QStringLiteral("US");
        FG_SplitCal(0);
        QCOMPARE(bench->grid.TextMatrix(0, 0), QStringLiteral("No splits were found."));
        QCOMPARE(bench->grid.Rows(), 1);
        QCOMPARE(CurType, QStringLiteral("FMS0"));
        resetSocketFetch();
    }
};

QTEST_MAIN(TestMarketData)
#include "tst_marketdata.moc"
