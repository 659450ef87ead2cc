#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QtTest>

namespace {
QByteArray portfolioBytes()
{
    QFile f(DataDir + QStringLiteral("/Portfolio.dat"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writePortfolioBytes(const QByteArray &bytes)
{
    QFile f(DataDir + QStringLiteral("/Portfolio.dat"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray text(const QByteArray &latin1)
{
    return QByteArray(1, char(latin1.size())) + QByteArray(1, '\0') + latin1;
}

const QByteArray blankEntry(28, '\0');

// Portfolio.dat with trades at 1, 3, 4 and 100, written out by hand.
QByteArray handBuiltFile()
{
    QByteArray f;
    f += blankEntry;                                             // 0
    f += text("ACME") + text("12/04/01")                         // 1: a purchase
         + QByteArray::fromHex("00004641")                       //    Price 12.375
         + QByteArray::fromHex("6400")                           //    Shares 100
         + QByteArray::fromHex("33331f41")                       //    Commission 9.95
         + text("12 3/8") + text("Buy")
         + QByteArray(8, '\0')                                   //    TradeDate none
         + QByteArray::fromHex("0100");                          //    RefId 1
    f += blankEntry;                                             // 2
    f += text("ACME") + text("12/05/01")                         // 3: sells from 1
         + QByteArray::fromHex("00005841")                       //    Price 13.5
         + QByteArray::fromHex("2800")                           //    Shares 40
         + QByteArray(4, '\0') + text("") + text("Sell")
         + QByteArray::fromHex("00000000d02de240")               //    TradeDate 37230.5
         + QByteArray::fromHex("0100");                          //    RefId 1
    f += text("Caf\xe9") + text("") + QByteArray::fromHex("00000040") // 4: Latin-1 symbol
         + QByteArray::fromHex("feff")                           //    Shares -2
         + QByteArray(4, '\0') + text("") + text("Buy") + QByteArray(8, '\0')
         + QByteArray::fromHex("0400");
    for (int i = 5; i < 100; ++i)
        f += blankEntry;
    f += text("ZZ") + text("") + QByteArray(10, '\0') + text("") + text("Buy") + QByteArray(8, '\0')
         + QByteArray::fromHex("6400");                          // 100: filed, not counted
    return f;
}

PortRec trade(const QString &symbol, const QString &action, qint16 shares, qint16 refId)
{
    PortRec r;
    r.Symbol = symbol;
    r.Action = action;
    r.Shares = shares;
    r.RefId = refId;
    r.DateText = QStringLiteral("01/02/03");
    r.Price = 10;
    return r;
}
} // namespace

class TestPortfolio : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetPortfolio();
        resetSharedState();
    }

    void handBuiltFileReadsFieldByField()
    {
        TempProfile profile;
        const QByteArray file = handBuiltFile();
        QCOMPARE(file.size(), 2828 + 21 + 16 + 7 + 5); // blank layout + the texts of 1, 3, 4, 100
        writePortfolioBytes(file);
        ReadPortfolio();
        QCOMPARE(PortCount, short(3));

        const PortRec &buy = Port[1];
        QCOMPARE(buy.Symbol, QStringLiteral("ACME"));
        QCOMPARE(buy.DateText, QStringLiteral("12/04/01"));
        QCOMPARE(buy.Price, 12.375f);
        QCOMPARE(buy.Shares, qint16(100));
        QCOMPARE(buy.Commission, 9.95f);
        QCOMPARE(buy.Extra, QStringLiteral("12 3/8"));
        QCOMPARE(buy.Action, QStringLiteral("Buy"));
        QCOMPARE(buy.TradeDate, 0.0);
        QCOMPARE(buy.RefId, qint16(1));

        const PortRec &sell = Port[3];
        QCOMPARE(sell.Price, 13.5f);
        QCOMPARE(sell.Shares, qint16(40));
        QCOMPARE(sell.Commission, 0.0f);
        QCOMPARE(sell.Extra, QString());
        QCOMPARE(sell.Action, QStringLiteral("Sell"));
        QCOMPARE(sell.TradeDate, 37230.5);
        QCOMPARE(sell.RefId, qint16(1));

        QCOMPARE(Port[4].Symbol, QStringLiteral("Caf\u00e9"));
        QCOMPARE(Port[4].Price, 2.0f);
        QCOMPARE(Port[4].Shares, qint16(-2));
        QCOMPARE(Port[100].Symbol, QStringLiteral("ZZ"));
        QCOMPARE(Port[100].RefId, qint16(100));
        QCOMPARE(Port[2], PortRec{});

        // Written back, the file is the same byte for byte.
        writePortfolioBytes(QByteArray());
        WritePortfolio();
        QCOMPARE(portfolioBytes(), file);
    }

    void damagedFileLoadsWhatIsWhole()
    {
        TempProfile profile;
        // Cut inside entry 3's price: entry 1 is whole, the cut-off sale is
        // no trade (its symbol alone would sell nothing), and neither is
        // counted as one by the start's report.
        const QByteArray cut = handBuiltFile().left(28 + 49 + 28 + 18);
        writePortfolioBytes(cut);
        ReadPortfolio();
        QCOMPARE(Port[1].Symbol, QStringLiteral("ACME"));
        QCOMPARE(Port[1].RefId, qint16(1));
        QCOMPARE(Port[3], PortRec{});
        QCOMPARE(PortCount, short(1));
        QCOMPARE(tradesInDamagedPortfolio(cut), std::optional<int>(1));
        QCOMPARE(tradesInDamagedPortfolio(handBuiltFile().left(28 + 30)), std::optional<int>(0));
        QCOMPARE(tradesInDamagedPortfolio(handBuiltFile()), std::nullopt);
        QFile log(DataDir + QStringLiteral("/ErrorLog.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().endsWith("Where: Stocks_ReadPortfolio\r\n"));
    }

    // A portfolio that cannot be written (here a full disk) is said in the
    // error log, whoever saved it, and the file keeps what it held.
    void unwrittenPortfolioIsLogged()
    {
        TempProfile profile;
        writePortfolioBytes(handBuiltFile());
        ReadPortfolio();
        Port[1].Extra = QStringLiteral("12 1/4");
        bool written = true;
        {
            FileSizeLimit full(1024);
            written = WritePortfolio();
        }
        QVERIFY(!written);
        QCOMPARE(portfolioBytes(), handBuiltFile());
        QFile log(DataDir + QStringLiteral("/ErrorLog.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray said = log.readAll();
        QVERIFY(said.contains("File too large"));
        QVERIFY(said.endsWith("Where: Stocks_WritePortfolio\r\n"));
    }

    void clearPortfolioRefreshesTheShownSheet_data()
    {
        QTest::addColumn<QString>("curType");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("holdings") << "Port" << QStringList{QStringLiteral("FG_Portfolio_All")};
        QTest::newRow("trade log") << "PortLog" << QStringList{QStringLiteral("FG_PortfolioLog")};
        QTest::newRow("other sheet") << "Current" << QStringList{};
    }
    void clearPortfolioRefreshesTheShownSheet()
    {
        TempProfile profile;
        QFETCH(QString, curType);
        QFETCH(QStringList, calls);
        writePortfolioBytes(handBuiltFile());
        ReadPortfolio();
        CurType = curType;
        RecordingMainWindow window;
        ClearPortfolio();
        QCOMPARE(window.calls, calls);
        QCOMPARE(PortCount, short(0));
        // The old file was longer; its tail stays beyond the 101 blank entries.
        QCOMPARE(portfolioBytes().left(2828), QByteArray(2828, '\0'));
    }

    void clearPortfolioWritesBlankFile()
    {
        TempProfile profile;
        CurType = QStringLiteral("Port");
        ClearPortfolio(); // no main window yet: the refresh is skipped
        QCOMPARE(portfolioBytes(), QByteArray(2828, '\0'));
        QCOMPARE(PortCount, short(0));
    }

    void updatePurchaseStoresOnlyValues()
    {
        TempProfile profile;
        CurType = QStringLiteral("PortLog");
        RecordingMainWindow window;

        // A new purchase: price and commission of 0 leave 0.
        UpdatePurchase(QStringLiteral("Buy"), QStringLiteral("ACME"), 100, 0, QStringLiteral("12/04/01"), 0,
                       QStringLiteral("0.00"), 0, 1, 1);
        QCOMPARE(Port[1].Price, 0.0f);
        QCOMPARE(Port[1].Commission, 0.0f);
        QCOMPARE(Port[1].Extra, QString());
        QCOMPARE(PortCount, short(1));

        UpdatePurchase(QString(), QString(), 0, 9.95f, QString(), 12.375, QStringLiteral("12 3/8"), 37230.5, 0, 1);
        // An edit that passes nothing for a field keeps it.
        UpdatePurchase(QString(), QString(), 0, 0, QStringLiteral("12/06/01"), 0, QStringLiteral("N/A"), 0, 0, 1);
        PortRec expected = trade(QStringLiteral("ACME"), QStringLiteral("Buy"), 100, 1);
        expected.DateText = QStringLiteral("12/06/01");
        expected.Price = 12.375f;
        expected.Commission = 9.95f;
        expected.Extra = QStringLiteral("12 3/8");
        expected.TradeDate = 37230.5;
        QCOMPARE(Port[1], expected);

        // Outside 0 to 100 nothing is stored, yet the file is saved and the sheet redrawn.
        window.calls.clear();
        UpdatePurchase(QStringLiteral("Buy"), QStringLiteral("XX"), 1, 1, QStringLiteral("d"), 1,
                       QString(), 0, 1, 101);
        QCOMPARE(window.calls, QStringList{QStringLiteral("FG_PortfolioLog")});
        QCOMPARE(PortCount, short(1));
        ReadPortfolio();
        QCOMPARE(Port[1], expected);
    }

    // A new trade goes to the first free entry, never onto a live one.
    void newTradeNeverOverwritesALiveEntry()
    {
        TempProfile profile;
        for (qint16 i = 1; i <= 3; ++i)
            Port[i] = trade(QStringLiteral("ACME"), QStringLiteral("Buy"), 10 * i, i);
        Port[2] = PortRec{}; // the trade at 2 was deleted
        WritePortfolio();
        ReadPortfolio();
        QCOMPARE(PortCount, short(2)); // PortCount + 1 would be entry 3, a live trade

        const short slot = FreePortIndex();
        QCOMPARE(slot, short(2));
        const PortRec third = Port[3];
        UpdatePurchase(QStringLiteral("Buy"), QStringLiteral("NEW"), 5, 0, QStringLiteral("d"), 1, QString(), 0,
                       slot, slot);
        QCOMPARE(Port[3], third);
        QCOMPARE(Port[2].Symbol, QStringLiteral("NEW"));
        QCOMPARE(Port[2].RefId, qint16(2));
    }

    // An entry that an older file's sale names as its purchase is not free:
    // a new trade there would take over the sale.
    void entryNamedByASaleIsNotFree()
    {
        Port[1] = trade(QStringLiteral("ACME"), QStringLiteral("Buy"), 10, 1);
        Port[3] = trade(QStringLiteral("ACME"), QStringLiteral("Sell"), 5, 2);
        QCOMPARE(FreePortIndex(), short(4));
    }

    void fullPortfolioHasNoFreeEntry()
    {
        for (qint16 i = 1; i <= 99; ++i)
            Port[i] = trade(QStringLiteral("AB"), QStringLiteral("Buy"), 1, i);
        QCOMPARE(FreePortIndex(), short(-1)); // entries 0 and 100 are free but never given out
        Port[99] = PortRec{};
        QCOMPARE(FreePortIndex(), short(99));
    }

    // Sales given as "slot:refId:shares[:symbol]", the purchase being ACME's Id 1 with 100 shares.
    void checkSold_data()
    {
        QTest::addColumn<QString>("sales");
        QTest::addColumn<int>("portCount");
        QTest::addColumn<int>("expected");
        QTest::newRow("no sale") << "" << 1 << 0;
        QTest::newRow("sale of another purchase") << "2:7:100" << 2 << 0;
        QTest::newRow("sold whole") << "2:1:100" << 2 << int(SoldOut);
        QTest::newRow("partial sale") << "2:1:40" << 2 << 60;
        QTest::newRow("two partial sales add up") << "2:1:40,3:1:30" << 3 << 30;
        QTest::newRow("two sales sell all") << "2:1:60,3:1:40" << 3 << int(SoldOut);
        QTest::newRow("oversold") << "2:1:120" << 2 << int(SoldOut);
        QTest::newRow("sale above PortCount after a hole") << "5:1:40" << 2 << 60;
        QTest::newRow("sale at 99") << "99:1:100" << 2 << int(SoldOut);
        QTest::newRow("sale in entry 100, which an older file may hold") << "100:1:100" << 2 << int(SoldOut);
        QTest::newRow("another symbol's sale naming the purchase") << "2:1:100:BOLT" << 2 << 0;
    }
    void checkSold()
    {
        QFETCH(QString, sales);
        QFETCH(int, portCount);
        QFETCH(int, expected);
        Port[1] = trade(QStringLiteral("ACME"), QStringLiteral("Buy"), 100, 1);
        for (const QString &sale : sales.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList f = sale.split(QLatin1Char(':'));
            Port[f[0].toInt()] = trade(f.value(3, QStringLiteral("ACME")), QStringLiteral("Sell"), qint16(f[2].toInt()),
                                       qint16(f[1].toInt()));
        }
        PortCount = short(portCount);
        QCOMPARE(int(CheckSold(1, 100, QStringLiteral("ACME"))), expected);
    }

    void cleanPortfolioKeepsIndexes()
    {
        Port[7] = trade(QStringLiteral("ACME"), QStringLiteral("Buy"), 5, 7);
        Port[8] = trade(QStringLiteral("A"), QStringLiteral("Buy"), 5, 8);
        Port[9] = trade(QString(), QStringLiteral("Buy"), 5, 9); // symbol-less leftovers go too
        Port[100] = trade(QStringLiteral("ZZ"), QStringLiteral("Buy"), 5, 100);
        const PortRec seventh = Port[7];
        PortCount = 4;
        CleanPortfolio();
        QCOMPARE(Port[7], seventh);
        QCOMPARE(Port[8], PortRec{});
        QCOMPARE(Port[9], PortRec{});
        QCOMPARE(Port[100], PortRec{});
        QCOMPARE(PortCount, short(4));
        for (const PortRec &t : TmpPort)
            QCOMPARE(t, PortRec{});
    }
};

QTEST_GUILESS_MAIN(TestPortfolio)
#include "tst_portfolio.moc"
