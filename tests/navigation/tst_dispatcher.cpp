#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/Sites.h"
#include "webqueries/QueryWindows.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TargetGrid.h"
#include "navigation/NodeDispatcher.h"
#include "navigation/NodeTable.h"
#include "platform/TreeModel.h"
#include "platform/UrlOpener.h"
#include "portfolio/PortSymbols.h"
#include "support/CachePages.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMainWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "webqueries/LinkOpeners.h"

#include <QtTest>

#include <optional>

namespace {

// The main window's part: the chosen symbol becomes the current one.
struct RecordingHost : NavigationHost
{
    QStringList selected;
    void SelectSymbol(const QString &symbol) override
    {
        selected << symbol;
        CurSymbol = symbol;
    }
};

void setStock(int i, const QString &symbol, const QString &name)
{
    Sets[size_t(i)].Symbol = symbol;
    Sets[size_t(i)].Name = name;
    Sets[size_t(i)].LastSale = QStringLiteral("10");
    Sets[size_t(i)].PctChange = QStringLiteral("+1%");
}

} // namespace

class TestDispatcher : public QObject
{
    Q_OBJECT

    TempProfile *profile = nullptr;
    RecordingMainWindow *window = nullptr;
    TreeModel tree;
    RecordingHost host;
    QStringList opened;

    void click(const QString &key)
    {
        const int index = tree.find(key);
        QVERIFY2(index, qPrintable(key));
        TreeView1_NodeClick(tree, index, host);
    }

    void build()
    {
        buildNavigationTree(tree, QStringLiteral("All Stocks"));
    }

private slots:
    void init()
    {
        profile = new TempProfile;
        profile->createProgramKey();
        window = new RecordingMainWindow;
        window->grid.setWidth(12000);
        resetSharedState();
        resetTargetGrid();
        resetStocks();
        resetPortfolio();
        resetNavigation();
        BaseRowHeight = 285;
        host.selected.clear();
        opened.clear();
        setAllSiteHosts(QStringLiteral("127.0.0.1"));
        setUrlOpenerHandler([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        setStock(0, QStringLiteral("ACME"), QStringLiteral("Acme Corp"));
        setStock(1, QStringLiteral("BOLT"), QStringLiteral("Bolt Industries"));
        Sets[2].Symbol = QStringLiteral("EPS"); // a symbol that reads like a leaf, without quotes
        SetCount = 3;
        build();
    }
    void cleanup()
    {
        setUrlOpenerHandler({});
        resetGridMessage();
        resetStocks();
        resetPortfolio();
        delete window;
        delete profile;
    }

    // A stock node shows the price sheet when another sheet is shown and
    // selects the stock's row; with the price sheet shown it only moves
    // the selection.
    void stockNodeSelectsItsRow()
    {
        CurType = QStringLiteral("IT");
        click(QStringLiteral("ID1"));
        const FlexGrid &g = window->grid;
        QCOMPARE(host.selected, QStringList{"BOLT"});
        QCOMPARE(CurSymbol, QStringLiteral("BOLT"));
        QCOMPARE(CurType, QStringLiteral("Current"));
        QCOMPARE(NodeIndex, short(tree.find(QStringLiteral("ID1"))));
        QCOMPARE(QList<int>({g.Row(), g.Col(), g.RowSel(), g.ColSel()}), QList<int>({3, 0, 3, 1}));
        QVERIFY(g.Redraw());

        const qsizetype drawn = window->calls.size();
        click(QStringLiteral("ID0"));
        QCOMPARE(window->calls.size(), drawn); // no redraw
        QCOMPARE(QList<int>({g.Row(), g.RowSel()}), QList<int>({2, 2}));
        QVERIFY(opened.isEmpty());
    }

    // The selected row comes to the top when it lies more than six rows
    // below the top row or above it, and stays put in between.
    void selectedRowScrollsIntoView()
    {
        for (int i = 0; i < 14; ++i)
            setStock(i, QStringLiteral("S%1").arg(i), QStringLiteral("Stock %1").arg(i));
        SetCount = 14;
        build();
        const FlexGrid &g = window->grid;
        QList<int> tops;
        for (const char *key : {"ID4", "ID10", "ID2", "ID5", "ID9"}) {
            click(QLatin1String(key));
            tops << g.TopRow();
        }
        QCOMPARE(tops, (QList<int>{1, 12, 4, 4, 11}));
    }

    // A stock missing from the price sheet is made current all the same;
    // its symbol is no leaf text, so "EPS" opens no ratio chart.
    void stockWithoutRowAndSymbolLikeALeaf()
    {
        CurSymbol = QStringLiteral("ACME");
        click(QStringLiteral("ID2"));
        QCOMPARE(host.selected, QStringList{"EPS"});
        QCOMPARE(CurType, QStringLiteral("Current"));
        QVERIFY(opened.isEmpty());
    }

    void setRootShowsThePriceSheet()
    {
        click(QStringLiteral("All"));
        QCOMPARE(CurType, QStringLiteral("Current"));
        QCOMPARE(window->grid.TextMatrix(3, 1), QStringLiteral("Bolt Industries"));
        QVERIFY(host.selected.isEmpty());
    }

    // A stock's sheet leaf draws that stock's sheet, whichever stock was current.
    void sheetLeafDrawsItsStocksSheet()
    {
        CurSymbol = QStringLiteral("ACME");
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("BOLT_it.Sh"));
        click(QStringLiteral("IT1"));
        QCOMPARE(host.selected, QStringList{"BOLT"});
        QCOMPARE(CurType, QStringLiteral("IT"));
        QCOMPARE(window->grid.TextMatrix(1, 2), QStringLiteral("Bolt Industries\r\nInsider Trades"));

        click(QStringLiteral("QR0"));
        QCOMPARE(CurType, QStringLiteral("QR"));
        QCOMPARE(CurSymbol, QStringLiteral("ACME"));
    }

    // So do the link leaves: a page opened under a stock is that stock's.
    void linkLeavesOpenTheirStocksPages_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("address");
        const QString h = QStringLiteral("http://127.0.0.1");
        QTest::newRow("Bloomberg") << "BL1" << h + "/analytics/bquote.cgi?view=news&ticker=BOLT";
        QTest::newRow("Current Assets") << "Casset1"
                                        << h + "/home/wchart/chart.html?id=00019590&symbol=BOLT&field=currassets";
        QTest::newRow("Shares Out") << "SO1" << h + "/home/wchart/chart.html?id=00019590&symbol=BOLT&field=sharesout";
        QTest::newRow("StockTalk") << "MB_S1" << h + "/~wsapi/investor/search?s=BOLT&domain=Titles";
        QTest::newRow("Composite Ranks") << "IG_C1" << h + "/wsc/Industry_Group_Analysis.html?Symbol=BOLT&Button=RANKINGS";
        QTest::newRow("IPO boards") << "ipo_MB" << h + "/bbs?action=topics&board=yahoo.a2.0b.8516425&type=r";
        QTest::newRow("BBC television") << "TVBBC" << h + "/tv/bbc.ram";
        QTest::newRow("BBC News radio") << "RadioBBC" << h + "/radio/bbcnews.ram";
    }
    void linkLeavesOpenTheirStocksPages()
    {
        QFETCH(QString, key);
        QFETCH(QString, address);
        CurSymbol = QStringLiteral("ACME");
        click(key);
        QCOMPARE(opened, QStringList{address});
        QCOMPARE(CurType, QString()); // no sheet is drawn
    }

    // The technical chart, news query and chart query nodes show their windows for the
    // stock whose subtree holds them.
    void queryWindowLeavesShowTheirWindows()
    {
        QStringList shown;
        QueryWindowOpeners openers;
        openers.newsQuery = [&](const QString &symbol) { shown << QStringLiteral("news ") + symbol; };
        openers.techGraph = [&] { shown << QStringLiteral("technical ") + CurSymbol; };
        openers.bigChart = [&] { shown << QStringLiteral("chart ") + CurSymbol; };
        setQueryWindowOpeners(openers);
        CurSymbol = QStringLiteral("ACME");
        click(QStringLiteral("TG1"));
        click(QStringLiteral("RM0"));
        click(QStringLiteral("C1"));
        setQueryWindowOpeners({});
        QCOMPARE(shown, (QStringList{"technical BOLT", "news ACME", "chart BOLT"}));
        QVERIFY(opened.isEmpty());
    }

    // "Clear All" asks first; No, the default, keeps the portfolio. Yes on
    // a full disk says the file could not be written and keeps it all.
    void clearAllAsksFirst_data()
    {
        QTest::addColumn<int>("answer"); // 0: Enter at once
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("No") << int(Msg::No) << false << false;
        QTest::newRow("Enter") << 0 << false << false;
        QTest::newRow("Yes") << int(Msg::Yes) << false << true;
        QTest::newRow("Yes, disk full") << int(Msg::Yes) << true << false;
    }
    void clearAllAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, diskFull);
        QFETCH(bool, cleared);
        Port[0].Symbol = QStringLiteral("ACME");
        Port[0].Action = QStringLiteral("Buy");
        WritePortfolio();
        QFile file(DataDir + QStringLiteral("/Portfolio.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        ScriptedDialogs dialogs;
        if (answer)
            dialogs.answer(answer);
        {
            std::optional<FileSizeLimit> full;
            if (diskFull)
                full.emplace(1024);
            click(QStringLiteral("PortClear"));
        }
        QCOMPARE(dialogs.shown().size(), diskFull ? 2 : 1);
        QCOMPARE(dialogs.shown().at(0).prompt, QStringLiteral("Do you really want to delete all portfolio information?"));
        QCOMPARE(dialogs.shown().at(0).title, QStringLiteral("Delete Portfolio Information?"));
        QCOMPARE(dialogs.shown().at(0).style, 308);
        if (diskFull) {
            QVERIFY(dialogs.shown().at(1).prompt.startsWith(QLatin1String("Could not save ")));
            QVERIFY(dialogs.shown().at(1).prompt.contains(QLatin1String("File too large")));
            QCOMPARE(Port[0].Symbol, QStringLiteral("ACME"));
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll() == bytes, !cleared);
        ReadPortfolio();
        QCOMPARE(Port[0].Symbol.isEmpty(), cleared);
    }

    // Group nodes, and the nodes whose sheets are drawn elsewhere, change
    // nothing but the remembered node.
    void groupNodesDoNothing()
    {
        CurType = QStringLiteral("IT");
        CurSymbol = QStringLiteral("ACME");
        for (const char *key : {"Market", "Funds", "TV", "RadioA", "News1", "G1", "MB1", "IG1", "PortOp"}) {
            click(QLatin1String(key));
            QCOMPARE(NodeIndex, short(tree.find(QLatin1String(key))));
        }
        QVERIFY(opened.isEmpty());
        QVERIFY(host.selected.isEmpty());
        QCOMPARE(CurType, QStringLiteral("IT"));
        QVERIFY(window->calls.isEmpty());
    }

    // Every leaf of a built tree (two stocks and a portfolio symbol) through
    // the real dispatcher: each reaches its routine (a sheet key, a page, a
    // window, a question), except the leaves whose windows are still to come.
    void everyLeafActs()
    {
        PortSymbols[0] = QStringLiteral("ACME");
        SetCount = 2;
        build();
        int windows = 0;
        setQueryWindowOpeners({[&](const QString &) { ++windows; }, [&] { ++windows; }, [&] { ++windows; }});
        ScriptedDialogs dialogs;
        writeCachePage(QStringLiteral("IPO_News.sh"), "<html><ul><li><a href=/n/1.html>One</a> - Wire - 9:00</li></ul></html>");
        QStringList waiting;
        for (int i = 1; i <= tree.Count(); ++i) {
            if (!tree.children(i).isEmpty())
                continue; // group nodes only open
            CurType = QStringLiteral("none");
            opened.clear();
            window->calls.clear();
            windows = 0;
            dialogs.clear();
            dialogs.answer(Msg::No);
            CurSymbol = QStringLiteral("ACME");
            TreeView1_NodeClick(tree, i, host);
            const bool acted = CurType != QLatin1String("none") || !opened.isEmpty() || !window->calls.isEmpty()
                               || windows > 0 || !dialogs.shown().isEmpty();
            if (!acted)
                waiting << tree.Key(i);
        }
        setQueryWindowOpeners({});
        QCOMPARE(waiting, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDispatcher)
#include "tst_dispatcher.moc"
