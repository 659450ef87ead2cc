#include "core/Registry.h"
#include "core/Sites.h"
#include "core/SharedState.h"
#include "platform/UrlOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "webqueries/LinkOpeners.h"

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
            opened << url.toString();
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
