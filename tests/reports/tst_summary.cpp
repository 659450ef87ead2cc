// The HTML summary of the selected stock from the fixture site's pages: one
// golden page with every section and one with the options form's default
// ticks, then the cases that go wrong.
#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/NetworkState.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"
#include "reports/Reports.h"
#include "reports/Summery.h"
#include "support/CachePages.h"
#include "support/GoldenFile.h"
#include "support/ScriptedDialogs.h"
#include "support/ReportBench.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QByteArray Head = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";

QString summaryFile(const QString &symbol)
{
    return resolvePath(DataDir + QStringLiteral("/Cache/Reports/Summary/") + symbol + QStringLiteral(".htm"));
}

QByteArray summary(const QString &symbol = QStringLiteral("ACME"))
{
    QFile f(summaryFile(symbol));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool generate(const QList<quint8> &f)
{
    return Summery().GanarateHTML(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11], f[12], f[13],
                                  f[14], f[15], f[16], f[17], f[18]);
}

QList<quint8> only(int position, quint8 value = 1)
{
    QList<quint8> f(19, 0);
    f[position] = value;
    return f;
}

} // namespace

class TestSummary : public QObject
{
    Q_OBJECT

    ReportBench *bench = nullptr;

private slots:
    void init()
    {
        bench = new ReportBench;
        setNetworkReachableHandler([] { return true; });
    }
    void cleanup()
    {
        setNetworkReachableHandler({});
        delete bench;
    }

    void goldenPages()
    {
        StockRec &r = Sets[0];
        r.Rating = 1.8f, r.LastSale = QStringLiteral("12 3/8"), r.Change = QStringLiteral("+0.25"),
        r.PctChange = QStringLiteral("+2.06%"), r.Volume = QStringLiteral("120,500"), r.LastUpdate = QStringLiteral("12/08/99 4:01PM"),
        r.Industry = QStringLiteral("Machinery"), r.Exchange = QStringLiteral("NYSE"), r.PERatio = QStringLiteral("14.2");
        writeCachePage(QStringLiteral("ACME_P.Sh"), sitePage(QStringLiteral("cgi-bin/brand_newsalert_mlist.cgi/symbol=ACME.html")));
        writeCachePage(QStringLiteral("ACME_ABS.Sh"), sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=2.html")));
        writeCachePage(QStringLiteral("ACME_AIS.Sh"), sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=1.html")));
        writeCachePage(QStringLiteral("ACME_ee.Sh"), sitePage(QStringLiteral("z/a/a/ACME.html")));
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("ACME_it.Sh"));
        copyFixturePage(QStringLiteral("IBM_qr.Sh"), QStringLiteral("ACME_qr.Sh"));
        writeCachePage(QStringLiteral("ACME_SI.Sh"),
                       Head + sitePage(QStringLiteral("asp/quotes_full.asp/kind=shortint&symbol=ACME_60&selected=ACME_60.html")));
        for (const auto &[suffix, what] : {std::pair{"_sp.Sh", "splits"}, {"_uph.Sh", "upgrades"}, {"_dnh.Sh", "downgrades"},
                                           {"_brp.Sh", "reports"}})
            writeCachePage(QStringLiteral("ACME") + QLatin1String(suffix),
                           Head + sitePage(QStringLiteral("quote.asp/Symbol=acme&Whattoget=%1.html").arg(QLatin1String(what))));
        writeCachePage(QStringLiteral("ACME_mr.Sh"), Head + "<html><!-- If Momentum --><table>\r\n<tr><td><a href=\"/m\">MORE</a></td></tr>\r\n"
                                                            "<tr><td>Analysts: 9</td></tr><tr><td>Buy: 6</td></tr>\r\n"
                                                            "<tr><td>Hold: 3</td></tr><tr><td>Zacks Rank 2</td></tr></table>\r\n"
                                                            "<!-- End Buy --><a href=\"/about\">About</a></html>");
        // The chain's last record has no comma after the put's open interest.
        writeCachePage(QStringLiteral("ACME_op.Sh"),
                       Head + sitePage(QStringLiteral("QuoteTable.dat/TICKER=ACME.html")) +
                           "00 Jan 60 (ACM AL-E),0,0,0,0,0,0,00 Jan 60 (ACM ML-E),9 1/4,0,9,9 1/2,10,77\r\n");

        QStringList said;
        Summery s;
        s.progress = [&](const QString &text) { said << text; };
        QVERIFY(s.GanarateHTML(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1));
        QCOMPARE_GOLDEN_FILE(summary(), QStringLiteral("reports/summary/ACME all sections.htm"));
        QCOMPARE(bench->opened, QStringList{summaryFile(QStringLiteral("ACME"))});
        QCOMPARE(said.size(), 17); // every section read from a page
        QCOMPARE(said.first(), QStringLiteral("Processing stock profile report, please wait.."));
        QCOMPARE(screenMousePointer(), 0);

        // The form's default ticks, offline, a second run over the first.
        setNetworkReachableHandler([] { return false; });
        QVERIFY(generate({1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
        QCOMPARE_GOLDEN_FILE(summary(), QStringLiteral("reports/summary/ACME default sections.htm"));
        QCOMPARE(bench->opened.size(), 2);
    }

    // The sample site's broker and momentum pages read the same in the
    // summary as in their sheets: each report a row of date, broker and
    // comment, the four momentum lines.
    void brokerAndMomentumSamplePages()
    {
        writeCachePage(QStringLiteral("ACME_brp.Sh"), Head + sitePage(QStringLiteral("quote.asp/Symbol=acme&Whattoget=reports.html")));
        writeCachePage(QStringLiteral("ACME_mr.Sh"), Head + sitePage(QStringLiteral("quote.asp/Symbol=acme&Whattoget=momentum.html")));
        QVERIFY(generate(only(14)));
        const QString cell = QStringLiteral(R"(<TD ALIGN="LEFT"><FONT color=#484848 size=-1 Face="Arial">%1</FONT></td>)" "\r\n");
        const QString page = QString::fromLatin1(summary());
        for (const QStringList &report : {QStringList{"12/01/99", "Smith Barney", "Acme Widgets: raising estimates after the third quarter"},
                                          QStringList{"11/15/99", "Prudential", "Industrial outlook 2000"}})
            QVERIFY2(page.contains(QStringLiteral("<tr>\r\n") + cell.arg(report[0]) + cell.arg(report[1]) + cell.arg(report[2]) +
                                   QStringLiteral("</tr>")),
                     qPrintable(page));
        QVERIFY(generate(only(13)));
        const QByteArray momentum = summary();
        QVERIFY2(!momentum.contains("No Data Available."), momentum.constData());
        QVERIFY(momentum.contains("<TR><TD ALIGN=\"CENTER\"><FONT size=-1>Number of analysts: 9</FONT></TD></tr>"));
        QVERIFY(momentum.contains("<TR><TD ALIGN=\"CENTER\"><FONT><B>Sell recommendations: 0</B></FONT></TD></tr>"));
    }

    // Flags, the stock's own prices and the missing pages.
    void sectionsAndPrices()
    {
        bench->addStock(1, QStringLiteral("BOLT"), QStringLiteral("Bolt & Nut Co"));
        Sets[0].LastSale = QStringLiteral("12.50");
        Sets[1].LastSale = QStringLiteral("99.75");
        FoundIndex = 1; // the last ticker lookup found another stock
        QVERIFY(generate(only(2)));
        const QByteArray prices = summary();
        QVERIFY(prices.contains("Latest Prices") && prices.contains("&nbsp;12.50<") && !prices.contains("99.75"));

        // A greyed box (2) switches nothing on: head, date line and page end.
        QVERIFY(generate(QList<quint8>(19, 2)));
        const QByteArray bare = summary();
        QVERIFY(bare.startsWith("<HTML><HEAD><TITLE>Acme Widgets Inc Summary</TITLE>"));
        QVERIFY(bare.endsWith("</TD></TR></TABLE></P>\r\n<P><CENTER><FONT SIZE=\"-1\">Written by Brindlewick on 12/9/26 10:30 AM"
                              "</FONT></CENTER>\r\n</BODY></HTML>\r\n"));

        // A stock not in the set: no prices block, its symbol as the file.
        CurSymbol = QStringLiteral("ZZZ");
        QVERIFY(generate(only(2)));
        QVERIFY(!summary(QStringLiteral("ZZZ")).contains("Latest Prices"));

        // No cached pages: empty tables for the statements, a no-data line
        // for the analyst pages and the profile.
        CurSymbol = QStringLiteral("ACME");
        QVERIFY(generate({1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
        const QByteArray empty = summary();
        QVERIFY(empty.contains("&nbsp;No Data Available.</FONT></TD>"));
        QVERIFY(empty.contains("Annual Balance Sheet</U></FONT></B> <CENTER><TABLE WIDTH=100% BORDER=0 CELLSPACING=2 CELLPADDING=0>\r\n\r\n</TABLE>"));
        QVERIFY(empty.contains("Split History</U></FONT></B> <CENTER><TABLE WIDTH=100% BORDER=0 CELLSPACING=2 CELLPADDING=0>\r\n"
                               "<FONT Size=-1>No Data Available.</FONT>\r\n</TABLE>"));

        // A row without its close ends the walk: no row twice, none cut off.
        writeCachePage(QStringLiteral("ACME_SI.Sh"), "<table><tr><th>Days to Cover</th></tr><tr><td>Nov 15</td><td>77</td></tr>"
                                                     "<tr><td>cut</td></table>");
        QVERIFY(generate(only(18)));
        const QByteArray si = summary();
        QCOMPARE(si.count(">Nov 15</Font>"), 1);
        QVERIFY(!si.contains("cut"));
    }

    // The red marker sits the further right, the better the rating.
    void recommendationBar()
    {
        const QList<std::pair<float, int>> cases = {{1, 94}, {2, 71}, {3, 49}, {4, 26}, {5, 3}, {2.5f, 71}};
        for (const auto &[rating, p] : cases) {
            Sets[0].Rating = rating;
            QVERIFY(generate(only(1)));
            const QString bar = QString::fromLatin1(summary());
            const QRegularExpression widths(QStringLiteral(R"(<tr><td width="(\d+)%" bgcolor="#0000FF".*gmb\.jpg.*<td width="(\d+)%")"));
            const auto m = widths.match(bar);
            QVERIFY2(m.hasMatch(), qPrintable(bar));
            QCOMPARE(m.captured(1).toInt(), p + 10);
            QCOMPARE(m.captured(2).toInt(), 100 - p);
        }
        // The bar and its marker are there to be shown, beside the cache.
        const QStringList pictures = picturesOfPage(summaryFile(QStringLiteral("ACME")));
        const QString root = QDir::cleanPath(DataDir);
        QCOMPARE(pictures, (QStringList{root + "/bar.jpg", root + "/gmb.jpg", root + "/bar.jpg"}));
        for (const QString &picture : pictures)
            QVERIFY2(!QImage(picture).isNull(), qPrintable(picture));

        Sets[0].Rating = 0;
        QVERIFY(generate(only(1)));
        QVERIFY(!summary().contains("Analyst's Recommendation"));
    }

    void folderThatCannotBeWritten()
    {
        ScriptedDialogs dialogs;
        const QString reports = resolvePath(DataDir + QStringLiteral("/Cache/Reports"));
        QDir(reports).removeRecursively();
        QVERIFY(generate(only(2))); // a missing folder is made
        QDir(reports + QStringLiteral("/Summary")).removeRecursively();
        QFile blocker(reports + QStringLiteral("/Summary"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        bench->opened.clear();
        QVERIFY(!generate(only(2)));
        QVERIFY(bench->opened.isEmpty());
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shown()[0].prompt.startsWith(QLatin1String("The report could not be written")));
        QCOMPARE(screenMousePointer(), 0);
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
