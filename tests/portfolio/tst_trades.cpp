// A worked example from an empty portfolio, with golden dumps of the
// three portfolio sheets and the bytes of Portfolio.dat; and the trades
// the portfolio refuses.
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
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

    void workedExample()
    {
        QCOMPARE(BuyStock(QStringLiteral("A"), {"12/01/1999", "100", "10", "5"}, QStringLiteral("12")), QString());
        QCOMPARE(BuyStock(QStringLiteral("B"), {"12/02/1999", "50", "20", "7.5"}, QStringLiteral("18 1/2")), QString());
        QCOMPARE(Sell(QStringLiteral("A"), 1, {"12/03/1999", "40", "9", "5"}, QStringLiteral("12")), QString());
        QCOMPARE(SharesHeld(1), 60);
        // 60 more than the 60 held? No: 61 is refused, nothing stored.
        QVERIFY(Sell(QStringLiteral("A"), 1, {"12/04/1999", "61", "11", "0"}, QStringLiteral("12")).startsWith(QLatin1String("You can not sell more")));
        QCOMPARE(Sell(QStringLiteral("A"), 1, {"12/04/1999", "60", "11", "0"}, QStringLiteral("12")), QString());
        QCOMPARE(SharesHeld(1), 0);
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
        QCOMPARE(SharesHeld(99), 30000);
        FG_Portfolio_All();
        bool shown99 = false;
        for (int r = 2; r < bench->grid.Rows(); ++r)
            shown99 = shown99 || (bench->grid.TextMatrix(r, 0) == QLatin1String("F99") && bench->grid.TextMatrix(r, 2) == QLatin1String("30000"));
        QVERIFY(shown99);
        // A purchase an older file keeps in entry 100 is shown and sellable.
        Port[100] = PortRec{QStringLiteral("OLD"), QStringLiteral("1/2/1999"), 5, 10, 0, QString(), QStringLiteral("Buy"), 0, 100};
        QCOMPARE(SharesHeld(100), 10);
        Port[50] = PortRec{};
        QCOMPARE(Sell(QStringLiteral("OLD"), 100, {"", "4", "6", ""}, QString()), QString());
        QCOMPARE(SharesHeld(100), 6);
        // A lot whose cost is 0: no percent, no division error.
        Port[3].Price = 0;
        FG_Portfolio_All();
        for (int r = 2; r < bench->grid.Rows(); ++r)
            if (bench->grid.TextMatrix(r, 0) == QLatin1String("F3"))
                QCOMPARE(bench->grid.TextMatrix(r, 7), QString());
    }
};

QTEST_MAIN(TestTrades)
#include "tst_trades.moc"
