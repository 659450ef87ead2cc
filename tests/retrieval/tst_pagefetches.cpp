#include "platform/Latin1File.h"
#include "retrieval/FetchFixture.h"
#include "retrieval/MarketFetch.h"
#include "retrieval/SymbolFetch.h"

#include <QtTest>

#include <cerrno>

#include <functional>

namespace {

const QString AbsStatus = QStringLiteral("   Updating Annual Balance Sheet...");
const QString AisStatus = QStringLiteral("   Updating Annual Income Statement...");

std::function<void()> routine(const QString &name)
{
    static const QHash<QString, std::function<void()>> routines = {
        {QStringLiteral("UpdateIT"), UpdateIT},
        {QStringLiteral("UpdateEE"), UpdateEE},
        {QStringLiteral("UpdateQR"), UpdateQR},
        {QStringLiteral("UpdateOptions"), UpdateOptions},
        {QStringLiteral("UpdateNews"), UpdateNews},
        {QStringLiteral("UpdateReport ABS"), [] { UpdateReport(QStringLiteral("ABS"), AbsStatus); }},
        {QStringLiteral("UpdateReport AIS"), [] { UpdateReport(QStringLiteral("AIS"), AisStatus); }},
        {QStringLiteral("UpdateSurp"), UpdateSurp},
        {QStringLiteral("UpdateWinners"), UpdateWinners},
        {QStringLiteral("UpdateLosers"), UpdateLosers},
        {QStringLiteral("UpdateUpDown"), UpdateUpDown},
        {QStringLiteral("UpdateBigMovers 5 NYSE"),
         [] { UpdateBigMovers(5, QStringLiteral("52-WPH_N"), 1, QStringLiteral("52-Week Price Highs (NYSE)")); }},
    };
    return routines.value(name);
}

const QStringList PerSymbol = {QStringLiteral("UpdateIT"),         QStringLiteral("UpdateEE"),
                               QStringLiteral("UpdateQR"),         QStringLiteral("UpdateOptions"),
                               QStringLiteral("UpdateNews"),       QStringLiteral("UpdateReport ABS"),
                               QStringLiteral("UpdateReport AIS")};
const QStringList MarketWide = {QStringLiteral("UpdateSurp"), QStringLiteral("UpdateWinners"),
                                QStringLiteral("UpdateLosers"), QStringLiteral("UpdateUpDown"),
                                QStringLiteral("UpdateBigMovers 5 NYSE")};

// A page of exactly size bytes, as a short error page would come.
QByteArray pageOfSize(qsizetype size)
{
    const QByteArray head = "<html><head><title>Not found</title></head><body><!-- ";
    const QByteArray tail = " --></body></html>\r\n";
    return head + QByteArray(size - head.size() - tail.size(), '.') + tail;
}

// The reply as the socket fetch stores it.
QByteArray socketReply(const QByteArray &body, const QByteArray &type = "text/html")
{
    return "HTTP/1.0 200 OK\r\nServer: FixtureSite\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body + "\r\n";
}

} // namespace

class TestPageFetches : public QObject
{
    Q_OBJECT

    std::unique_ptr<FetchFixture> fixture;

private slots:
    void initTestCase()
    {
        fixture = std::make_unique<FetchFixture>();
        QVERIFY(fixture->start());
    }
    void cleanupTestCase() { fixture.reset(); }
    void init() { fixture->reset(); }

    // Each routine asks for exactly its addresses and writes exactly its
    // cache files, with its status texts.
    void addressesAndFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("symbols");
        QTest::addColumn<QStringList>("targets");
        // "cache file=site page" (the cache file holds that page) or
        // "cache file" alone (checked by the test itself).
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("captions");

        const QStringList two = {QStringLiteral("ACME"), QStringLiteral("BOLT")};
        QTest::newRow("insider trades")
            << "UpdateIT" << two << QStringList{"/t/a/ACME.html", "/t/b/BOLT.html"}
            << QStringList{"DataSheet/ACME_it.Sh=t/a/ACME.html", "DataSheet/BOLT_it.Sh=t/b/BOLT.html"}
            << QStringList{"Brindlewick    Getting ACME Insider Trades", "Brindlewick    Getting BOLT Insider Trades"};
        QTest::newRow("insider trades, lower-case symbol")
            << "UpdateIT" << QStringList{"acme"} << QStringList{"/t/a/acme.html"} << QStringList{"DataSheet/acme_it.Sh=t/a/acme.html"}
            << QStringList{"Brindlewick    Getting acme Insider Trades"};
        QTest::newRow("earnings estimates")
            << "UpdateEE" << two << QStringList{"/z/a/a/ACME.html", "/z/a/b/BOLT.html"}
            << QStringList{"DataSheet/ACME_ee.Sh=z/a/a/ACME.html", "DataSheet/BOLT_ee.Sh=z/a/b/BOLT.html"}
            << QStringList{"Brindlewick     Getting ACME Earnings Estimates & Recommendations",
                           "Brindlewick     Getting BOLT Earnings Estimates & Recommendations"};
        QTest::newRow("quarterly reports")
            << "UpdateQR" << two << QStringList{"/brand/yahoo/search/?sym=ACME", "/brand/yahoo/search/?sym=BOLT"}
            << QStringList{"DataSheet/ACME_qr.Sh=brand/yahoo/search/sym=ACME.html",
                           "DataSheet/BOLT_qr.Sh=brand/yahoo/search/sym=BOLT.html"}
            << QStringList{"Brindlewick    Getting ACME Quarterly Report. ", "Brindlewick    Getting BOLT Quarterly Report. "};
        QTest::newRow("annual balance sheet")
            << "UpdateReport ABS" << two
            << QStringList{"/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=ACME&hist=2",
                           "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=BOLT&hist=2"}
            << QStringList{"DataSheet/ACME_ABS.Sh=cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=2.html",
                           "DataSheet/BOLT_ABS.Sh=cgi-bin/JMFR/FreeReport/ref=DEF&ticker=BOLT&hist=2.html"}
            << QStringList{"Brindlewick    Getting ACME   Updating Annual Balance Sheet...",
                           "Brindlewick    Getting BOLT   Updating Annual Balance Sheet..."};
        QTest::newRow("annual income statement")
            << "UpdateReport AIS" << QStringList{"ACME"}
            << QStringList{"/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=ACME&hist=1"}
            << QStringList{"DataSheet/ACME_AIS.Sh=cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=1.html"}
            << QStringList{"Brindlewick    Getting ACME   Updating Annual Income Statement..."};
        QTest::newRow("option chains, over the socket")
            << "UpdateOptions" << QStringList{"ACME", "bolt"}
            << QStringList{"/QuoteTable.dat?TICKER=ACME", "/QuoteTable.dat?TICKER=BOLT"}
            << QStringList{"DataSheet/ACME_op.Sh", "DataSheet/bolt_op.Sh"}
            << QStringList{"Brindlewick    Getting ACME Call/Put Options", "Brindlewick    Getting bolt Call/Put Options"};
        QTest::newRow("headlines")
            << "UpdateNews" << two << QStringList{"/q?s=ACME", "/q?s=BOLT"}
            << QStringList{"News/ACME.txt", "News/BOLT.txt", "News/Temp.htm=q/s=BOLT.html"}
            << QStringList{"Brindlewick    Getting ACME Latest News...", "Brindlewick    Getting BOLT Latest News..."};

        QTest::newRow("earnings surprises")
            << "UpdateSurp" << QStringList() << QStringList{"/cgi-bin/25_surp"}
            << QStringList{"DataSheet/25_surp.Sh=cgi-bin/25_surp"}
            << QStringList{"Brindlewick    Updating Top 25 Daily Earnings Surprises"};
        QTest::newRow("winners") << "UpdateWinners" << QStringList() << QStringList{"/dljd/mwwinners.htm"}
                                 << QStringList{"DataSheet/mwwinners.Sh=dljd/mwwinners.htm"}
                                 << QStringList{"Brindlewick    Updating Top Winners"};
        QTest::newRow("losers") << "UpdateLosers" << QStringList() << QStringList{"/dljd/mwlosers.htm"}
                                << QStringList{"DataSheet/mwlosers.Sh=dljd/mwlosers.htm"}
                                << QStringList{"Brindlewick   Updating Lossers"};
        QTest::newRow("upgrades and downgrades")
            << "UpdateUpDown" << QStringList() << QStringList{"/c/u.html"} << QStringList{"DataSheet/UpDown.Sh=c/u.html"}
            << QStringList{"Brindlewick    Getting Upgrades/Downgrades"};
        QTest::newRow("big movers, 52-week highs of NYSE")
            << "UpdateBigMovers 5 NYSE" << QStringList()
            << QStringList{"/reports/bigmovers.asp?date=19990721&data=1&start=1&report=5"}
            << QStringList{"DataSheet/Br52-WPH_N.Sh=reports/bigmovers.asp/date=19990721&data=1&start=1&report=5.html"}
            << QStringList{"Brindlewick   Updating 52-Week Price Highs (NYSE)",
                           "Brindlewick    Updating 52-Week Price Highs (NYSE)"};
    }
    void addressesAndFiles()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, symbols);
        QFETCH(QStringList, files);
        FetchFixture &f = *fixture;
        FetchFixture::setSymbols(symbols);
        routine(name)();

        QTEST(f.targets(), "targets");
        QTEST(statusCaptions(f.window.captions), "captions");
        QStringList written;
        for (const QString &file : files) {
            const QString cache = file.section(QLatin1Char('='), 0, 0);
            const QString page = file.section(QLatin1Char('='), 1);
            written << cache;
            if (!page.isEmpty())
                QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/") + cache), FetchFixture::page(page));
        }
        written.sort();
        QCOMPARE(FetchFixture::cacheFiles(), written);
        QCOMPARE(f.dialogs.shown().size(), 0);

        if (name == QLatin1String("UpdateOptions")) {
            // The whole reply is kept, headers and all.
            QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/DataSheet/bolt_op.Sh")),
                     socketReply(FetchFixture::page(QStringLiteral("QuoteTable.dat/TICKER=BOLT.html"))));
        }
        if (name == QLatin1String("UpdateNews")) {
            QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/News/BOLT.txt")),
                     QByteArray("\" Thu Dec 2 8:15AM BOLT  #http://news.example.com/s/991202/bolt1.html#"
                                " Bolt Electric cuts outlook on copper prices Reuters;\"\r\n"));
            QVERIFY(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/News/ACME.txt"))
                        .startsWith("\" Fri Dec 3 4:12PM ACME  #http://news.example.com/s/991203/acme1.html#"));
        }
        if (name == QLatin1String("UpdateNews") || name.startsWith(QLatin1String("UpdateReport")))
            QCOMPARE(f.window.windowCaption, BaseCaption);
    }

    // A page under the size rule is taken for an error page and deleted; one
    // at the threshold is kept.
    void sizeRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target"); // the page's path under the site
        QTest::addColumn<QString>("cache");
        QTest::addColumn<int>("threshold"); // 0: any size is kept
        QTest::addColumn<bool>("socket");

        QTest::newRow("insider trades") << "UpdateIT" << "t/a/ACME.html" << "DataSheet/ACME_it.Sh" << 1000 << false;
        QTest::newRow("earnings estimates") << "UpdateEE" << "z/a/a/ACME.html" << "DataSheet/ACME_ee.Sh" << 1000 << false;
        QTest::newRow("quarterly reports") << "UpdateQR" << "brand/yahoo/search/sym=ACME.html" << "DataSheet/ACME_qr.Sh"
                                           << 1000 << false;
        QTest::newRow("balance sheet") << "UpdateReport ABS" << "cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=2.html"
                                       << "DataSheet/ACME_ABS.Sh" << 1000 << false;
        QTest::newRow("income statement") << "UpdateReport AIS"
                                          << "cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=1.html"
                                          << "DataSheet/ACME_AIS.Sh" << 1000 << false;
        QTest::newRow("option chains, headers counted")
            << "UpdateOptions" << "QuoteTable.dat/TICKER=ACME.html" << "DataSheet/ACME_op.Sh" << 1000 << true;
        QTest::newRow("losers") << "UpdateLosers" << "dljd/mwlosers.htm" << "DataSheet/mwlosers.Sh" << 2500 << false;
        QTest::newRow("upgrades and downgrades") << "UpdateUpDown" << "c/u.html" << "DataSheet/UpDown.Sh" << 2500 << false;
        QTest::newRow("winners: any size") << "UpdateWinners" << "dljd/mwwinners.htm" << "DataSheet/mwwinners.Sh" << 0 << false;
        QTest::newRow("surprises: any size") << "UpdateSurp" << "cgi-bin/25_surp" << "DataSheet/25_surp.Sh" << 0 << false;
        QTest::newRow("headline page: any size") << "UpdateNews" << "q/s=ACME.html" << "News/Temp.htm" << 0 << false;
        QTest::newRow("big movers: any size") << "UpdateBigMovers 5 NYSE"
                                              << "reports/bigmovers.asp/date=19990721&data=1&start=1&report=5.html"
                                              << "DataSheet/Br52-WPH_N.Sh" << 0 << false;
    }
    void sizeRule()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(QString, cache);
        QFETCH(int, threshold);
        QFETCH(bool, socket);
        FetchFixture &f = *fixture;
        // The socket fetch stores the headers too: they count.
        const qsizetype overhead = socket ? socketReply(pageOfSize(900)).size() - 900 : 0;
        for (int size : {qMax(threshold, 200) - 1, qMax(threshold, 200)}) {
            f.reset();
            f.servePage(target, pageOfSize(size - overhead));
            FetchFixture::setSymbols({QStringLiteral("ACME")});
            routine(name)();
            f.restorePage(target);
            QCOMPARE(f.site->requestCount(), 1);
            const QByteArray got = FetchFixture::bytes(DataDir + QStringLiteral("/Cache/") + cache);
            if (size < threshold)
                QCOMPARE(got, QByteArray("<missing>"));
            else
                QCOMPARE(got.size(), qsizetype(size));
        }
    }

    // With Stop pressed before the routine, nothing is asked for and the
    // cache stays as it was, in both modes.
    void stopBeforeStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("selectedOnly");
        for (const QString &n : PerSymbol + MarketWide) {
            QTest::addRow("%s", qPrintable(n)) << n << false;
            QTest::addRow("%s, selected stock only", qPrintable(n)) << n << true;
        }
    }
    void stopBeforeStart()
    {
        QFETCH(QString, name);
        QFETCH(bool, selectedOnly);
        FetchFixture &f = *fixture;
        FetchFixture::setSymbols({QStringLiteral("ACME"), QStringLiteral("BOLT")});
        CurSymbol = QStringLiteral("ACME");
        UpdateSelectedOnly = selectedOnly;
        const QString old = DataDir + QStringLiteral("/Cache/DataSheet/ACME_it.Sh");
        FetchFixture::write(old, "old page");
        FetchFixture::write(DataDir + QStringLiteral("/Cache/News/ACME.txt"), "\" old;\"\r\n");
        const QStringList before = FetchFixture::cacheFiles();
        StopFlag = true;
        routine(name)();
        QCOMPARE(f.site->requestCount(), 0);
        QCOMPARE(FetchFixture::cacheFiles(), before);
        QCOMPARE(FetchFixture::bytes(old), QByteArray("old page"));
    }

    // An empty set asks for nothing; a stock whose page cannot be had does
    // not end the walk; symbols that are not plain tickers are never put
    // into an address or a file name; the selected stock alone is fetched in
    // selected-only mode.
    void walk_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("acmeTarget");
        QTest::addColumn<QString>("acmeFile");
        const QStringList targets = {"/t/a/ACME.html", "/z/a/a/ACME.html", "/brand/yahoo/search/?sym=ACME",
                                     "/QuoteTable.dat?TICKER=ACME", "/q?s=ACME",
                                     "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=ACME&hist=2",
                                     "/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=ACME&hist=1"};
        const QStringList files = {"DataSheet/ACME_it.Sh", "DataSheet/ACME_ee.Sh", "DataSheet/ACME_qr.Sh",
                                   "DataSheet/ACME_op.Sh", "News/ACME.txt", "DataSheet/ACME_ABS.Sh",
                                   "DataSheet/ACME_AIS.Sh"};
        for (int i = 0; i < PerSymbol.size(); ++i)
            QTest::addRow("%s", qPrintable(PerSymbol[i])) << PerSymbol[i] << targets[i] << files[i];
    }
    void walk()
    {
        QFETCH(QString, name);
        QFETCH(QString, acmeTarget);
        QFETCH(QString, acmeFile);
        FetchFixture &f = *fixture;
        routine(name)();
        QCOMPARE(f.site->requestCount(), 0);
        {
            // GONE has no page on the site: its fetch fails, ACME's still runs.
            f.reset();
            FetchFixture::setSymbols({QStringLiteral("GONE"), QStringLiteral("ACME")});
            routine(name)();
            QCOMPARE(f.targets().size(), 2);
            QCOMPARE(f.targets().last(), acmeTarget);
            QVERIFY(FetchFixture::cacheFiles().contains(acmeFile));
            QVERIFY(!FetchFixture::cacheFiles().join(QLatin1Char(' ')).contains(QLatin1String("GONE")));
        }
        {
            f.reset();
            FetchFixture::setSymbols({QStringLiteral("../ACME"), QStringLiteral("AC ME"), QStringLiteral("A/B"),
                                      QStringLiteral("ACME\r\nX: y"), QStringLiteral(".."), QStringLiteral("ACME")});
            routine(name)();
            QCOMPARE(f.targets(), QStringList{acmeTarget});
            QVERIFY(FetchFixture::cacheFiles().contains(acmeFile));
            // Nothing lands beside the cache folders.
            QCOMPARE(QDir(DataDir + QStringLiteral("/Cache")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                     (QStringList{"DataSheet", "News"}));
            QCOMPARE(QDir(DataDir).entryList(QDir::Files), QStringList());
        }
        {
            f.reset();
            FetchFixture::setSymbols({QStringLiteral("BOLT"), QStringLiteral("ACME"), QStringLiteral("CRWN")});
            UpdateSelectedOnly = true;
            CurSymbol = QStringLiteral("ACME");
            routine(name)();
            QCOMPARE(f.targets(), QStringList{acmeTarget});
        }
    }

    // The headline file of a stock is rebuilt from a new page; a failed
    // download, or a page without headlines, keeps the old one. A stale
    // page from an earlier fetch is never parsed.
    void newsFailureKeepsTheHeadlineFile()
    {
        FetchFixture &f = *fixture;
        FetchFixture::setSymbols({QStringLiteral("GONE"), QStringLiteral("ACME")});
        FetchFixture::write(DataDir + QStringLiteral("/Cache/News/GONE.txt"), "\" old;\"\r\n");
        FetchFixture::write(DataDir + QStringLiteral("/Cache/News/ACME.txt"), "\" older;\"\r\n");
        FetchFixture::write(DataDir + QStringLiteral("/Cache/News/Temp.htm"), FetchFixture::page(QStringLiteral("q/s=ACME.html")));
        f.site->setBehaviour(QStringLiteral("/q?s=ACME"), {FixtureSite::Mode::Normal, 0, 500});
        UpdateNews();
        QCOMPARE(f.targets(), (QStringList{"/q?s=GONE", "/q?s=ACME"}));
        QCOMPARE(FetchFixture::cacheFiles(), (QStringList{"News/ACME.txt", "News/GONE.txt"}));
        QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/News/GONE.txt")), QByteArray("\" old;\"\r\n"));
        QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/News/ACME.txt")), QByteArray("\" older;\"\r\n"));

        // A good page replaces the old headlines whole.
        f.site->clearBehaviours();
        FetchFixture::setSymbols({QStringLiteral("ACME")});
        UpdateNews();
        const QByteArray fresh = FetchFixture::bytes(DataDir + QStringLiteral("/Cache/News/ACME.txt"));
        QVERIFY(fresh.startsWith("\" ") && !fresh.contains("older"));
    }

    // A full disk while the new headlines are written keeps the old ones
    // whole, leaves no half-written file and is noted for the run's end.
    void fullDiskKeepsTheHeadlineFile()
    {
        FetchFixture::setSymbols({QStringLiteral("ACME")});
        const QByteArray old = "\" Acme buys Bolt #http://example.com/story# Wire;\"\r\n";
        FetchFixture::write(DataDir + QStringLiteral("/Cache/News/ACME.txt"), old);
        setWriteFault([](const QString &path) { return path.endsWith(QLatin1String(".txt.new")) ? ENOSPC : 0; });
        UpdateNews();
        setWriteFault(nullptr);
        QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/News/ACME.txt")), old);
        QVERIFY(!FetchFixture::cacheFiles().contains(QStringLiteral("News/ACME.txt.new")));
        QCOMPARE(FailedStores.size(), 1);
    }

    // The 24 big-movers boxes: report, exchange, code and title of each.
    void bigMoversBoxes()
    {
        FetchFixture &f = *fixture;
        QStringList targets, files;
        for (int box = FirstBigMoversBox; box <= LastBigMoversBox; ++box) {
            const BigMoversReport r = bigMoversReportOfBox(box);
            UpdateBigMovers(r.report, r.code, r.exchange, r.title);
            targets << QStringLiteral("/reports/bigmovers.asp?date=19990721&data=%1&start=1&report=%2")
                           .arg(r.exchange)
                           .arg(r.report);
            files << QStringLiteral("DataSheet/Br%1.Sh").arg(r.code);
        }
        QCOMPARE(f.targets(), targets);
        files.sort();
        QCOMPARE(FetchFixture::cacheFiles(), files);
        QCOMPARE(files.size(), 24);

        const auto check = [](int box, short report, const char *code, short exchange, const char *title) {
            const BigMoversReport r = bigMoversReportOfBox(box);
            QCOMPARE(r.report, report);
            QCOMPARE(r.code, QLatin1String(code));
            QCOMPARE(r.exchange, exchange);
            QCOMPARE(r.title, QLatin1String(title));
        };
        check(20, 1, "PG_Q", 2, "Price-Gain (NASDAQ)");
        check(33, 5, "52-WPH_N", 1, "52-Week Price Highs (NYSE)");
        check(40, 7, "MAS_A", 3, "Most-Active Stocks (AMEX)");
        check(43, 8, "LMM_A", 3, "Largest Money Movers (AMEX)");
        QCOMPARE(bigMoversReportOfBox(19).report, short(0));
        QCOMPARE(bigMoversReportOfBox(44).report, short(0));
    }
};

QTEST_GUILESS_MAIN(TestPageFetches)
#include "tst_pagefetches.moc"
