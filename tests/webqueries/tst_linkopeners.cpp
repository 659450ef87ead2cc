#include "core/Registry.h"
#include "core/Sites.h"
#include "core/SharedState.h"
#include "platform/UrlOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "webqueries/LinkOpeners.h"
#include "webqueries/QueryWindows.h"

#include <QtTest>

#include <functional>

class TestLinkOpeners : public QObject
{
    Q_OBJECT

    TempProfile *profile = nullptr;
    QStringList opened;

    void open(const std::function<void()> &opener)
    {
        opened.clear();
        opener();
    }

private slots:
    void init()
    {
        profile = new TempProfile;
        profile->createProgramKey();
        resetSharedState();
        setAllSiteHosts(QStringLiteral("127.0.0.1"));
        setUrlOpenerHandler([this](const QUrl &url) {
            opened << url.toString(QUrl::FullyEncoded);
            return true;
        });
    }
    void cleanup()
    {
        setUrlOpenerHandler({});
        delete profile;
    }

    // Which form of the symbol each page carries: as stored, upper-cased,
    // or its first letter in lower case.
    void addresses_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<std::function<void()>>("opener");
        QTest::addColumn<QString>("address"); // "" = nothing opened
        const QString h = QStringLiteral("http://127.0.0.1");
        const auto row = [](const char *name, const char *symbol, std::function<void()> f, const QString &url) {
            QTest::newRow(name) << QString::fromLatin1(symbol) << f << url;
        };
        row("1 Year", "IBM", [] { OpenChartPage(2); }, h + "/c/1y/i/IBM.gif");
        row("chart past the rows", "IBM", [] { OpenChartPage(9); }, QString());
        row("Money Central", "ibm", [] { OpenNewsPage(6); }, h + "/news/pressrel.asp?Symbol=ibm");
        row("MorningStar", "ibm", [] { OpenNewsPage(9); }, h + "/StockQT/NV_News/_IBM.msshtml");
        row("news query window", "IBM", [] { OpenNewsPage(14); }, QString());
        row("ratio past the rows", "IBM", [] { OpenRatioChart(21); },
            h + "/home/wchart/chart.html?id=00019590&symbol=IBM&field=");
        row("Yahoo! Message Board", "ibm", [] { OpenBoards(1); }, h + "/?action=q&board=IBM");
        row("IPO boards need a symbol", "", [] { OpenBoards(2); }, QString());
        row("industry without symbol", "", [] { OpenIndustryGroup(7); },
            h + "/wsc/Industry_Group_Analysis.html?Symbol=&Button=RANKINGS");
        row("no such stream", "", [] { PlayAudio(17); }, QString());
    }
    void addresses()
    {
        QFETCH(QString, symbol);
        QFETCH(std::function<void()>, opener);
        QFETCH(QString, address);
        ScriptedDialogs dialogs;
        CurSymbol = symbol;
        open(opener);
        QCOMPARE(opened, address.isEmpty() ? QStringList() : QStringList{address});
        QCOMPARE(dialogs.shown().size(), 0);
    }

    // Every row of every opener, for a stock "IBM": the exact address.
    void everyRow_data()
    {
        QTest::addColumn<std::function<void()>>("opener");
        QTest::addColumn<QString>("path");
        const auto rows = [](const char *name, void (*open)(short), const QStringList &paths) {
            for (int i = 0; i < paths.size(); ++i)
                QTest::addRow("%s %d", name, i) << std::function<void()>([open, i] { open(short(i)); }) << paths[i];
        };
        rows("chart", OpenChartPage,
             {"/b?s=IBM", "/c/3m/i/IBM.gif", "/c/1y/i/IBM.gif", "/c/2y/i/IBM.gif", "/c/5y/i/IBM.gif",
              "/c/my/i/IBM.gif", "/c/mym/i/IBM.gif", "/c/mys/i/IBM.gif", "/quote.asp?Mode=JAVACHART&Symbol=IBM"});
        rows("news", OpenNewsPage,
             {"/n/i/IBM.html", "/news/pressrel.asp?Symbol=IBM", "/bin/headlines?SearchOption=ticker&Query=IBM",
              "/search/news?Action=FILTERSEARCH&Filter=EquitySnapshotFilter.hts&ResultTemplate=EquitySnapshotResults3.hts"
              "&SortField=Date&SortOrder=Desc&ResultCount=10&type=ticker&TickerSymbols=IBM",
              "/industry_list_new.asp?mode=news&ticker=IBM", "/fq/quotecom/headlines?mode?symbols=IBM&mode=NewsHeadlines",
              "/news/pressrel.asp?Symbol=IBM", "/bin/headlines?Query=IBM&SearchOption=ticker",
              "/investments/news/?symbol=IBM", "/StockQT/NV_News/_IBM.msshtml", "/quote.asp?Symbol=IBM&Mode=NEWS",
              "/news/news.asp?symbols=IBM", "/free/digest?Symbol=IBM#news", "/analytics/bquote.cgi?view=news&ticker=IBM"});
        QStringList ratio;
        for (const char *field : {"bookvalue", "commonequity", "currassets", "currliabilities", "deratio", "depreciation",
                                  "dividends", "payout", "ebit", "eps", "longtermdebt", "icoverage", "netincome",
                                  "peratio", "pricebook", "pricesales", "profitmargin", "roe", "roa", "revenues",
                                  "sharesout"})
            ratio << QStringLiteral("/home/wchart/chart.html?id=00019590&symbol=IBM&field=") + field;
        rows("ratio", OpenRatioChart, ratio);
        rows("boards", OpenBoards,
             {"/~wsapi/investor/search?s=IBM&domain=Titles", "/?action=q&board=IBM",
              "/bbs?action=topics&board=yahoo.a2.0b.8516425&type=r"});
        QStringList industry;
        for (const char *view : {"GRAPH", "STOCKS", "STBRK", "ITBRK", "LTBRK", "FUND", "INSIDERS", "RANKINGS"})
            industry << QStringLiteral("/wsc/Industry_Group_Analysis.html?Symbol=IBM&Button=") + view;
        rows("industry", OpenIndustryGroup, industry);
        QStringList video, audio;
        for (const char *f : {"bloomberg/financial", "bloomberg/business", "bloomberg/launchlive", "bloomberg/stockpicks",
                              "bloomberg/tech", "ft/newsupdate", "ft/openingbusiness", "ft/bondsroundup", "ft/preview",
                              "investoronline", "bbc"})
            video << QStringLiteral("/tv/%1.ram").arg(QLatin1String(f));
        rows("video", PlayVideo, video);
        for (const char *f : {"bloomberg/financial.ram", "bloomberg/business.ram", "bloomberg/launchlive.ram",
                              "bloomberg/world.ram", "bloomberg/morning.ram", "abs/regular.ram", "abs/forecasts.ram",
                              "abs/wisdom.ram", "abs/tradingtalk.ram", "abs/macro.ram", "abs/liberty.ram",
                              "abs/sreport.ram", "internetnews.ram", "letstalk.ram?live=1", "dailyrocket.ram",
                              "avdaily.html?play=news", "bbcnews.ram"})
            audio << QStringLiteral("/radio/%1").arg(QLatin1String(f));
        rows("audio", PlayAudio, audio);
    }
    void everyRow()
    {
        QFETCH(std::function<void()>, opener);
        QFETCH(QString, path);
        ScriptedDialogs dialogs;
        CurSymbol = QStringLiteral("IBM");
        open(opener);
        QCOMPARE(opened, QStringList{QStringLiteral("http://127.0.0.1") + path});
        QCOMPARE(dialogs.shown().size(), 0);
    }

    // A symbol is one value of the address, whatever it holds: "&", "#",
    // "?", "/" and blanks cannot add a parameter or cut the address.
    void symbolsAreEncoded()
    {
        CurSymbol = QStringLiteral("A&B #?/x");
        open([] { OpenNewsPage(13); });
        QCOMPARE(opened, QStringList{"http://127.0.0.1/analytics/bquote.cgi?view=news&ticker=A%26B%20%23%3F%2Fx"});
        open([] { OpenChartPage(2); });
        QCOMPARE(opened, QStringList{"http://127.0.0.1/c/1y/a/A%26B%20%23%3F%2Fx.gif"});
    }

    // The news query row shows the query window with the stock, upper-cased.
    void newsQueryRowShowsTheWindow()
    {
        QStringList shown;
        QueryWindowOpeners openers;
        openers.newsQuery = [&](const QString &symbol) { shown << symbol; };
        setQueryWindowOpeners(openers);
        CurSymbol = QStringLiteral("ibm");
        open([] { OpenNewsPage(14); });
        setQueryWindowOpeners({});
        QCOMPARE(shown, QStringList{"IBM"});
        QVERIFY(opened.isEmpty());
    }

    // Without a stock the chart, news and ratio leaves say so; a
    // one-letter symbol is no symbol to the ratio charts only.
    void noSymbolMessages_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<std::function<void()>>("opener");
        QTest::addColumn<QString>("message");
        QTest::newRow("chart") << QString() << std::function<void()>([] { OpenChartPage(1); })
                               << QStringLiteral("Select any stock graph.");
        QTest::newRow("news") << QString() << std::function<void()>([] { OpenNewsPage(0); })
                              << QStringLiteral("Select any stock.");
        QTest::newRow("ratio") << QStringLiteral("F") << std::function<void()>([] { OpenRatioChart(0); })
                               << QStringLiteral("Select Some Stock Symbol.");
    }
    void noSymbolMessages()
    {
        QFETCH(QString, symbol);
        QFETCH(std::function<void()>, opener);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        CurSymbol = symbol;
        open(opener);
        QVERIFY(opened.isEmpty());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().at(0).prompt, message);
        QCOMPARE(dialogs.shown().at(0).title, QStringLiteral("No stock symbol selected"));
        QCOMPARE(dialogs.shown().at(0).style, 64);
        CurSymbol = QStringLiteral("F");
        open([] { OpenChartPage(1); });
        QCOMPARE(opened.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLinkOpeners)
#include "tst_linkopeners.moc"
