#include "retrieval/FetchFixture.h"
#include "retrieval/PriceFetch.h"
#include "platform/Latin1File.h"
#include "support/FileSizeLimit.h"

#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QtTest>

namespace {

const QString Acme = QStringLiteral("ACME");
const QString Bolt = QStringLiteral("BOLT");
const QString Crwn = QStringLiteral("CRWN");

PortRec trade(const QString &symbol, const char *action)
{
    PortRec p;
    p.Symbol = symbol;
    p.Action = QLatin1String(action);
    p.Shares = 100;
    p.Price = 10;
    p.Extra = QStringLiteral("old");
    return p;
}

QString quoteTarget(const QString &symbol)
{
    return QStringLiteral("/fq/quotecom/quote?symbols=") + symbol;
}

QString recTarget(const QString &symbol)
{
    return QStringLiteral("/cgi-bin/ShowFreeCompRep?") + symbol;
}

bool setFileExists()
{
    return QFileInfo::exists(resolvePath(setFilePath()));
}

// The grid's scroll position, current cell and selection.
QString selection(const FlexGrid &g)
{
    return QStringLiteral("top %1 row %2 col %3 to %4,%5")
        .arg(g.TopRow())
        .arg(g.Row())
        .arg(g.Col())
        .arg(g.RowSel())
        .arg(g.ColSel());
}

} // namespace

class TestPriceFetch : public QObject
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

    // Every stock's quote fields come from its quote page, the set is saved,
    // the last sale goes into each portfolio entry of the stock, and each
    // stock's tree node is selected in turn. Another sheet being shown, the
    // grid is left alone.
    void pricesOfTheWholeSet()
    {
        FetchFixture &f = *fixture;
        FetchFixture::setSymbols({Acme, Bolt, Crwn});
        Sets[1].Rating = 2.5f;
        Sets[1].LowTarget = 11;
        Port[1] = trade(Acme, "Buy");
        Port[2] = trade(Acme, "Buy");
        Port[5] = trade(Acme, "Sell");
        Port[3] = trade(Bolt, "Buy");
        Port[7] = trade(QStringLiteral("ZZZZ"), "Buy");
        Port[100] = trade(Acme, "Buy"); // entry 100 is not visited
        CurType = QStringLiteral("Port");

        UpdatePrices();

        QCOMPARE(f.targets(), (QStringList{quoteTarget(Acme), quoteTarget(Bolt), quoteTarget(Crwn)}));
        QCOMPARE(statusCaptions(f.window.captions),
                 (QStringList{"Brindlewick    Updating Current Price - ACME Current Prices",
                              "Brindlewick    Updating Current Price - BOLT Current Prices",
                              "Brindlewick    Updating Current Price - CRWN Current Prices"}));
        QCOMPARE(f.window.calls,
                 (QStringList{"selectStockNode(ACME)", "selectStockNode(BOLT)", "selectStockNode(CRWN)"}));
        QCOMPARE(f.window.grid.Rows(), 2);

        ReadStocks(); // what was saved
        QCOMPARE(Sets[0].Name + QLatin1Char('|') + Sets[0].LastSale, QStringLiteral("Acme Widgets Inc|45 3/8"));
        QCOMPARE(Sets[1].Name + QLatin1Char('|') + Sets[1].PctChange, QStringLiteral("Bolt Electric Corp|-2.97%"));
        QCOMPARE(Sets[2].Name + QLatin1Char('|') + Sets[2].Exchange, QStringLiteral("Crown Foods Co|AMEX"));
        QCOMPARE(Sets[1].Rating, 2.5f);
        QCOMPARE(Sets[1].LowTarget, 11.0f);
        QCOMPARE(Sets[3], StockRec());

        ReadPortfolio();
        for (int j : {1, 2, 5})
            QCOMPARE(Port[size_t(j)].Extra, QStringLiteral("45 3/8"));
        QCOMPARE(Port[3].Extra, QStringLiteral("12 1/4"));
        QCOMPARE(Port[7].Extra, QStringLiteral("old"));
        QCOMPARE(Port[100].Extra, QStringLiteral("old"));
    }

    // What a price run files after every stock: the set's and the
    // portfolio's files hold, byte for byte, what a whole save of the same
    // records writes, over several runs with changing quotes. A disk too
    // full for the set's file fails its saves, says why in the error log and
    // leaves the file as it was; the quotes stay in the records and are
    // filed by the next save.
    void runFilesTheSetAndThePortfolioWhole()
    {
        FetchFixture &f = *fixture;
        const QString page = f.siteRoot.path() + QStringLiteral("/fq/quotecom/quote/symbols=ACME.html");
        const QByteArray original = readBinaryFile(page).value();
        const auto quoteAcme = [&](const char *sale) {
            QByteArray changed = original;
            QVERIFY(saveFileAtomically(page, changed.replace("45 3/8", sale)));
        };
        const auto cleanup = qScopeGuard([&] { saveFileAtomically(page, original); });
        const QString setFile = resolvePath(setFilePath());
        const QString portFile = resolvePath(DataDir + QStringLiteral("/Portfolio.dat"));
        const auto bytes = [](const QString &file) { return readBinaryFile(file).value_or("<missing>"); };
        FetchFixture::setSymbols({Acme, Bolt, Crwn});
        Port[1] = trade(Acme, "Buy");
        Port[3] = trade(Bolt, "Buy");
        Port[4] = trade(Acme, "Sell");
        QVERIFY(SaveStocks());
        QVERIFY(WritePortfolio());
        // Written back as they stood before the run, by another hand.
        const auto putBack = [](const QString &file, const QByteArray &old) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(old) == old.size());
        };
        for (const char *sale : {"45 3/8", "46 1/2", "9 1/8", "123 15/16", "1"}) {
            quoteAcme(sale);
            const QByteArray setBefore = bytes(setFile), portBefore = bytes(portFile);
            UpdatePrices();
            QCOMPARE(Sets[0].LastSale, QString::fromLatin1(sale));
            QCOMPARE(Port[4].Extra, QString::fromLatin1(sale));
            const QByteArray set = bytes(setFile), port = bytes(portFile);
            putBack(setFile, setBefore);
            putBack(portFile, portBefore);
            QVERIFY(SaveStocks());
            QVERIFY(WritePortfolio());
            QCOMPARE(set, bytes(setFile));
            QCOMPARE(port, bytes(portFile));
        }

        const QByteArray before = bytes(setFile);
        QVERIFY(before.size() > 8192);
        const qint64 logged = QFileInfo(DataDir + QStringLiteral("/ErrorLog.txt")).size();
        quoteAcme("7 3/4");
        {
            FileSizeLimit full(8192);
            UpdatePrices();
        }
        QCOMPARE(bytes(setFile), before);
        QCOMPARE(Sets[0].LastSale, QStringLiteral("7 3/4"));
        const QByteArray said = bytes(DataDir + QStringLiteral("/ErrorLog.txt")).mid(qMax<qint64>(logged, 0));
        QVERIFY2(said.contains("File too large") && said.contains("Where: Stocks_SaveStocks\r\n"), said.constData());
        QVERIFY(SaveStocks());
        resetStocks();
        ReadStocks();
        QCOMPARE(Sets[0].LastSale, QStringLiteral("7 3/4"));
    }

    // With the price sheet shown it is redrawn after each stock, and the
    // row of the stock just updated is selected (columns 0 to 1), scrolled
    // to the top when it lies above the top row or more than 6 rows below.
    void priceSheetFollowsTheUpdate()
    {
        FetchFixture &f = *fixture;
        FetchFixture::setSymbols({Acme, Bolt, Crwn});
        CurType = QStringLiteral("Current");
        FlexGrid &g = f.window.grid;
        g.setRows(20);
        g.setCols(3);
        g.setTextMatrix(4, 1, QStringLiteral("Crown Foods Co"));
        g.setTextMatrix(8, 1, QStringLiteral("Acme Widgets Inc"));
        g.setTextMatrix(9, 1, QStringLiteral("Bolt Electric Corp"));
        g.setTopRow(2);
        QStringList seen;
        f.window.onPriceSheet = [&] { seen << selection(g); };

        UpdatePrices();

        QCOMPARE(f.window.calls.count(QStringLiteral("FG_Current")), 3);
        // Row 8 is 6 rows below the top: no scroll. Row 9 is 7 below. Row 4 is above.
        QCOMPARE(seen, (QStringList{"top 2 row 1 col 1 to 1,1", "top 2 row 8 col 0 to 8,1", "top 9 row 9 col 0 to 9,1"}));
        QCOMPARE(selection(g), QStringLiteral("top 4 row 4 col 0 to 4,1"));
    }

    // An empty set still visits index 0 and saves the set; a one-character
    // symbol is never fetched; a stock whose page fails gets nothing of the
    // stock before it, and the walk goes on.
    void walkOverTheSet()
    {
        FetchFixture &f = *fixture;
        UpdatePrices();
        QCOMPARE(f.site->requestCount(), 0);
        QVERIFY(setFileExists());

        f.reset();
        FetchFixture::setSymbols({QStringLiteral("X"), Acme, QStringLiteral("GONE"), QStringLiteral("../x"), Bolt});
        UpdatePrices();
        QCOMPARE(f.targets(), (QStringList{quoteTarget(Acme), quoteTarget(QStringLiteral("GONE")), quoteTarget(Bolt)}));
        QCOMPARE(Sets[1].Name, QStringLiteral("Acme Widgets Inc"));
        QCOMPARE(Sets[2].Name, QString()); // ACME's page was not read again
        QCOMPARE(Sets[3].Name, QString());
        QCOMPARE(Sets[4].Name, QStringLiteral("Bolt Electric Corp"));

        // A stock after free records is updated too (the set counts two).
        f.reset();
        FetchFixture::setSymbols({Acme, QString(), QString(), Bolt});
        SetCount = 2;
        UpdatePrices();
        QCOMPARE(f.targets(), (QStringList{quoteTarget(Acme), quoteTarget(Bolt)}));
        QCOMPARE(Sets[3].Name, QStringLiteral("Bolt Electric Corp"));

        f.reset();
        FetchFixture::setSymbols({Acme});
        StopFlag = true;
        UpdatePrices();
        UpdateRec();
        QCOMPARE(f.site->requestCount(), 0);
        QCOMPARE(Sets[0].Name, QString());
    }

    // A quote page that comes but holds no quote of the stock (the service
    // does not know the symbol) marks the stock "No Current Stock", its quote
    // emptied and its alert limits kept; the set file has it. A page that
    // does not come leaves the last quote as it was.
    void unknownSymbolIsMarked()
    {
        FetchFixture::setSymbols({Acme, QStringLiteral("NOPE"), QStringLiteral("GONE")});
        for (int i : {1, 2}) {
            Sets[size_t(i)].Name = QStringLiteral("Old Name");
            Sets[size_t(i)].LastSale = QStringLiteral("12");
            Sets[size_t(i)].LowTarget = 9;
        }
        UpdatePrices();
        ReadStocks();
        QCOMPARE(Sets[0].Name, QStringLiteral("Acme Widgets Inc"));
        QCOMPARE(Sets[1].Symbol + QLatin1Char('|') + Sets[1].Name + QLatin1Char('|') + Sets[1].LastSale,
                 QStringLiteral("NOPE|No Current Stock|0"));
        QCOMPARE(Sets[1].LowTarget, 9.0f);
        QCOMPARE(Sets[2].Name + QLatin1Char('|') + Sets[2].LastSale, QStringLiteral("Old Name|12"));
    }

    // The selected stock's record is looked up by its symbol when the update
    // runs, whatever FoundIndex says; a symbol no longer in the set gets
    // nothing, and the caption says so.
    void selectedStockOnly()
    {
        FetchFixture &f = *fixture;
        FetchFixture::setSymbols({Acme, Bolt, Crwn});
        Port[1] = trade(Bolt, "Buy");
        UpdateSelectedOnly = true;
        CurSymbol = Bolt;
        FoundIndex = 0;
        CurType = QStringLiteral("Current");
        UpdatePrices();
        QCOMPARE(f.targets(), QStringList{quoteTarget(Bolt)});
        QCOMPARE(Sets[1].Name, QStringLiteral("Bolt Electric Corp"));
        QCOMPARE(Sets[0].Name, QString());
        QCOMPARE(Sets[2].Name, QString());
        QCOMPARE(Port[1].Extra, QStringLiteral("old"));
        QCOMPARE(f.window.calls, QStringList());

        UpdateRec();
        QCOMPARE(f.targets().last(), recTarget(Bolt));
        QCOMPARE(Sets[1].Rating, 1.8f);
        QCOMPARE(Sets[0].Rating, 0.0f);

        f.reset();
        FetchFixture::setSymbols({Acme, Bolt});
        UpdateSelectedOnly = true;
        CurSymbol = Crwn;
        FoundIndex = 1;
        const QList<StockRec> before(Sets.begin(), Sets.end());
        UpdatePrices();
        UpdateRec();
        QCOMPARE(f.site->requestCount(), 0);
        QCOMPARE(QList<StockRec>(Sets.begin(), Sets.end()), before);
        QCOMPARE(f.window.windowCaption, QStringLiteral("Brindlewick    CRWN is not in the current stock set"));
    }

    // Ratings of the whole set, read the same whatever the user's locale;
    // each stored rating redraws the gauges.
    void ratingsOfTheWholeSet()
    {
        FetchFixture &f = *fixture;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        FetchFixture::setSymbols({Acme, QStringLiteral("GONE"), Bolt});
        Sets[1].Rating = 3;
        UpdateRec();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(f.targets(), (QStringList{recTarget(Acme), recTarget(QStringLiteral("GONE")), recTarget(Bolt)}));
        QCOMPARE(statusCaptions(f.window.captions),
                 (QStringList{"Brindlewick    Getting ACME Recommendations. ",
                              "Brindlewick    Getting GONE Recommendations. ",
                              "Brindlewick    Getting BOLT Recommendations. "}));
        QCOMPARE(f.window.calls, (QStringList{"ShowRec", "ShowRec"}));
        ReadStocks();
        QCOMPARE(Sets[0].Rating, 2.15f);
        QCOMPARE(Sets[1].Rating, 3.0f);
        QCOMPARE(Sets[2].Rating, 1.8f);
        // The record past the last stock is visited too and clears the page.
        QCOMPARE(FetchFixture::bytes(DataDir + QStringLiteral("/Cache/DataSheet/Rec.Sh")), QByteArray("<missing>"));
    }

    // The rating is the text behind "#0000ee" and the character closing it,
    // up to the next "<", after the marker; a page without it changes nothing.
    void ratingOnThePage_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<float>("rating");
        const QByteArray marker = "<html><td>Current Average Recommendation</td>";
        QTest::newRow("colour value, then the rating") << marker + "<font color=#0000ee>2.50</font>" << 2.5f;
        QTest::newRow("line ends are dropped")
            << QByteArray("<html>Current Average \r\nRecommendation<font color=#0000ee>2.\r\n5</font>") << 2.5f;
        QTest::newRow("no marker") << QByteArray("<html><font color=#0000ee>2.5</font>") << 3.0f;
        QTest::newRow("marker without the colour value") << marker + "<font color=red>2.5</font>" << 3.0f;
        QTest::newRow("no tag after the rating") << marker + "<font color=#0000ee>2.5" << 3.0f;
        QTest::newRow("not a number") << marker + "<font color=#0000ee>N/A</font>" << 3.0f;
        QTest::newRow("quoted colour value") << marker + "<font color=\"#0000ee\">2.5</font>" << 3.0f;
    }
    void ratingOnThePage()
    {
        FetchFixture &f = *fixture;
        QFETCH(QByteArray, page);
        const QString rel = QStringLiteral("cgi-bin/ShowFreeCompRep/ACME.html");
        f.servePage(rel, page);
        FetchFixture::setSymbols({Acme});
        Sets[0].Rating = 3;
        UpdateRec();
        f.restorePage(rel);
        QTEST(Sets[0].Rating, "rating");
    }
};

QTEST_GUILESS_MAIN(TestPriceFetch)
#include "tst_pricefetch.moc"
