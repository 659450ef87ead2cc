// A worked example from an empty portfolio, with golden dumps of the
// three portfolio sheets and the bytes of Portfolio.dat; and the trades
// the portfolio refuses.
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/UpdateGuard.h"
#include "portfolio/PortfolioSheets.h"
#include "portfolio/Trades.h"
#include "support/GridDump.h"
#include "support/SheetBench.h"

#include <QFile>
#include <QtTest>

class TestTrades : public QObject
{
    Q_OBJECT

    SheetBench *bench = nullptr;

private slots:
    void init()
    {
        bench = new SheetBench;
        resetPortfolio();
    }
    void cleanup()
    {
        resetPortfolio();
        delete bench;
    }

    // While an Update writes the last sale into the trades, no trade is
    // added or removed: a purchase, a sale, a delete and Clear All each say
    // the Update runs and leave the file as it was; afterwards they work.
    void noTradeAddedOrRemovedDuringAnUpdate()
    {
        QCOMPARE(BuyStock(QStringLiteral("ACME"), {"12/01/1999", "100", "10", "5"}, QString()), QString());
        QFile file(DataDir + QStringLiteral("/Portfolio.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const QList<std::function<QString()>> changes = {
            [] { return BuyStock(QStringLiteral("BOLT"), {"12/02/1999", "5", "20", ""}, QString()); },
            [] { return Sell(QStringLiteral("ACME"), 1, {"12/03/1999", "40", "9", ""}, QString()); },
            [] { return DeleteTrade(1); },
            [] { return ClearPortfolio(); },
        };
        setUpdateRunning(true);
        for (const auto &change : changes)
            QCOMPARE(change(), updateRunningMessage());
        setUpdateRunning(false);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();
        for (const auto &change : changes)
            QCOMPARE(change(), QString());
        QCOMPARE(PortCount, short(0));
    }

    void workedExample()
    {
        QCOMPARE(BuyStock(QStringLiteral("A"), {"12/01/1999", "100", "10", "5"}, QStringLiteral("12")), QString());
        QCOMPARE(BuyStock(QStringLiteral("B"), {"12/02/1999", "50", "20", "7.5"}, QStringLiteral("18 1/2")), QString());
        QCOMPARE(Sell(QStringLiteral("A"), 1, {"12/03/1999", "40", "9", "5"}, QStringLiteral("12")), QString());
        QCOMPARE(SharesHeld(QStringLiteral("A"), 1), 60);
        // 60 more than the 60 held? No: 61 is refused, nothing stored.
        QVERIFY(Sell(QStringLiteral("A"), 1, {"12/04/1999", "61", "11", "0"}, QStringLiteral("12")).startsWith(QLatin1String("You can not sell more")));
        QCOMPARE(Sell(QStringLiteral("A"), 1, {"12/04/1999", "60", "11", "0"}, QStringLiteral("12")), QString());
        QCOMPARE(SharesHeld(QStringLiteral("A"), 1), 0);
        QVERIFY(!Sell(QStringLiteral("A"), 1, {"12/05/1999", "1", "11", "0"}, QString()).isEmpty());
        QCOMPARE(EditTransaction(2, {"12/02/1999", "50", "20", "0"}), QString()); // commission to 0
        QCOMPARE(Port[2].Commission, 0.0f);

        FG_Portfolio_All();
        QString dumps = dumpGrid(bench->grid);
        FG_PortfolioLog();
        dumps += dumpGrid(bench->grid);
        FG_Portfolio_Selected(QStringLiteral("A"));
        dumps += dumpGrid(bench->grid);
        QCOMPARE_GOLDEN(dumps, "portfolio_sheets.txt");
        QFile file(DataDir + QStringLiteral("/Portfolio.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE_GOLDEN(QString::fromLatin1(file.readAll().toHex()).replace(QRegularExpression(QStringLiteral("(.{64})")), QStringLiteral("\\1\n")),
                "portfolio_dat.txt");
    }

    // A trade after a gap and in the last entry is shown and sellable; a
    // share count the file cannot hold and a full portfolio are refused;
    // a lot of 30,000 shares held shows as held.
    void gapsLimitsAndLargeLots()
    {
        for (int i = 1; i <= 99; ++i) {
            Port[i].Symbol = QStringLiteral("F%1").arg(i);
            Port[i].Action = QStringLiteral("Buy");
            Port[i].Shares = 1;
            Port[i].RefId = qint16(i);
        }
        QVERIFY(BuyStock(QStringLiteral("X"), {"", "1", "1", ""}, QString()).startsWith(QLatin1String("The portfolio is full")));
        Port[50] = PortRec{};
        Port[99].Shares = 30000;
        QVERIFY(!BuyStock(QStringLiteral("X"), {"", "40000", "1", ""}, QString()).isEmpty());
        QCOMPARE(BuyStock(QStringLiteral("X"), {"", "10", "1", ""}, QString()), QString());
        QCOMPARE(Port[50].Symbol, QStringLiteral("X"));
        QCOMPARE(SharesHeld(QStringLiteral("F99"), 99), 30000);
        FG_Portfolio_All();
        bool shown99 = false;
        for (int r = 2; r < bench->grid.Rows(); ++r)
            shown99 = shown99 || (bench->grid.TextMatrix(r, 0) == QLatin1String("F99") && bench->grid.TextMatrix(r, 2) == QLatin1String("30000"));
        QVERIFY(shown99);
        // A purchase an older file keeps in entry 100 is shown and sellable.
        Port[100] = PortRec{QStringLiteral("OLD"), QStringLiteral("1/2/1999"), 5, 10, 0, QString(), QStringLiteral("Buy"), 0, 100};
        QCOMPARE(SharesHeld(QStringLiteral("OLD"), 100), 10);
        Port[50] = PortRec{};
        QCOMPARE(Sell(QStringLiteral("OLD"), 100, {"", "4", "6", ""}, QString()), QString());
        QCOMPARE(SharesHeld(QStringLiteral("OLD"), 100), 6);
        // A lot whose cost is 0: no percent, no division error.
        Port[3].Price = 0;
        FG_Portfolio_All();
        for (int r = 2; r < bench->grid.Rows(); ++r)
            if (bench->grid.TextMatrix(r, 0) == QLatin1String("F3"))
                QCOMPARE(bench->grid.TextMatrix(r, 7), QString());
    }

    // A sale's gain is what it realized, signed: proceeds less its
    // commission, less what the shares sold cost (price and their share of
    // the purchase's commission). It is stored with the sale and worked out
    // again when the log is drawn, so an older file reads right too; the
    // total adds the signed gains.
    void logShowsRealizedGains()
    {
        QCOMPARE(BuyStock(QStringLiteral("ABC"), {"1/3/2000", "100", "7.50", "9.95"}, QString()), QString());
        QCOMPARE(Sell(QStringLiteral("ABC"), 1, {"2/3/2000", "40", "8.25", "4.95"}, QString()), QString());
        QCOMPARE(Sell(QStringLiteral("ABC"), 1, {"3/3/2000", "20", "6", "1"}, QString()), QString());
        QCOMPARE(QList<double>({Port[2].TradeDate, Port[3].TradeDate}), QList<double>({21.07, -32.99}));
        Port[2].TradeDate = 0; // as an older version left a sale at a profit
        WritePortfolio();
        FG_PortfolioLog();
        QStringList gains;
        for (int r = 2; r < bench->grid.Rows(); ++r)
            gains << bench->grid.TextMatrix(r, 6);
        QCOMPARE(gains, QStringList({"0", "21.07", "-32.99", "-11.92 $"}));
    }

    // What a field does not hold is refused with a message naming the
    // field, and nothing is stored; thousands grouped as the sheets show
    // them are read.
    void entriesAreCheckedByField_data()
    {
        QTest::addColumn<QStringList>("fields"); // date, shares, price, commission
        QTest::addColumn<QString>("field");
        QTest::newRow("part of a share") << QStringList{"", "0.4", "1", ""} << "Quantity";
        QTest::newRow("negative shares") << QStringList{"", "-5", "1", ""} << "Quantity";
        QTest::newRow("shares with an exponent") << QStringList{"", "1e9", "1", ""} << "Quantity";
        QTest::newRow("shares past 16 bits") << QStringList{"", "32768", "1", ""} << "Quantity";
        QTest::newRow("no shares") << QStringList{"", "0", "1", ""} << "Quantity";
        QTest::newRow("infinite price") << QStringList{"", "5", "inf", ""} << "Price";
        QTest::newRow("price past a single") << QStringList{"", "5", "1e39", ""} << "Price";
        QTest::newRow("decimal comma") << QStringList{"", "5", "1,5", ""} << "Price";
        QTest::newRow("negative price") << QStringList{"", "5", "-1", ""} << "Price";
        QTest::newRow("price past a billion") << QStringList{"", "5", "1000000001", ""} << "Price";
        QTest::newRow("commission past a single") << QStringList{"", "5", "1", "1e39"} << "Commission";
        QTest::newRow("no such day") << QStringList{"2/30/2000", "5", "1", ""} << "Date";
        QTest::newRow("largest lot") << QStringList{"12/31/1999", "32767", "1,000,000,000", "1,234.50"} << "";
    }
    void entriesAreCheckedByField()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, field);
        const QString said = BuyStock(QStringLiteral("ABC"), {fields[0], fields[1], fields[2], fields[3]}, QString());
        QCOMPARE(said.section(QLatin1Char(':'), 0, 0), field);
        QCOMPARE(Port[1].Symbol.isEmpty(), !field.isEmpty());
        if (field.isEmpty())
            QCOMPARE(QList<double>({double(Port[1].Shares), Port[1].Price, Port[1].Commission}),
                     QList<double>({32767, 1e9, 1234.5}));
    }

    // Edits keep lots whole: a purchase keeps at least what was sold from
    // it, a sale at most what its purchase holds besides, and the sale's
    // gain follows; a sale counts only against a purchase of its own symbol.
    void lotsStayConsistent()
    {
        QCOMPARE(BuyStock(QStringLiteral("A"), {"", "100", "10", ""}, QString()), QString());
        QCOMPARE(Sell(QStringLiteral("A"), 1, {"", "40", "12", ""}, QString()), QString());
        // An older file's sale of another stock naming entry 1.
        Port[3] = PortRec{QStringLiteral("B"), QString(), 5, 50, 0, QString(), QStringLiteral("Sell"), 0, 1};
        QCOMPARE(SharesHeld(QStringLiteral("A"), 1), 60);
        const TradeFields buy = EditFields(1), sale = EditFields(2);
        QVERIFY(EditTransaction(1, {buy.date, "39", buy.price, buy.commission}).contains(QLatin1String("fewer than 40")));
        QVERIFY(EditTransaction(2, {sale.date, "101", sale.price, sale.commission}).contains(QLatin1String("less then 100 ")));
        Port[2].DateText = QStringLiteral("Xmas '99"); // kept as it is, as every field not changed
        QCOMPARE(EditTransaction(2, {"Xmas '99", "100", sale.price, sale.commission}), QString());
        QCOMPARE(QList<QVariant>({Port[2].DateText, Port[2].TradeDate}), QList<QVariant>({"Xmas '99", 200.0}));
        QCOMPARE(SharesHeld(QStringLiteral("A"), 1), 0);
    }
};

QTEST_MAIN(TestTrades)
#include "tst_trades.moc"
