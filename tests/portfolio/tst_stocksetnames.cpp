#include "core/Registry.h"
#include "core/Stocks.h"
#include "portfolio/StockSetNames.h"
#include "support/TempProfile.h"

#include <QtTest>

class TestStockSetNames : public QObject
{
    Q_OBJECT

private slots:
    void namesFallBackToTheValueName()
    {
        TempProfile profile;
        // No key at all yet.
        QCOMPARE(StockSetName(0), QStringLiteral("Group0"));
        profile.createProgramKey();
        SetKeyValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group3"), QStringLiteral("Tech"), REG_SZ);
        SetKeyValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group4"), QString(), REG_SZ);
        QStringList names;
        for (int n = 0; n < SetNameCount; ++n)
            names << StockSetName(n);
        QCOMPARE(names.at(0), QStringLiteral("Group0")); // no longer "All Stocks"
        QCOMPARE(names.at(3), QStringLiteral("Tech"));
        QCOMPARE(names.at(4), QStringLiteral("Group4")); // present but empty
        QCOMPARE(names.at(20), QStringLiteral("Group20"));
    }

    void clearStockRecKeepsTheUsersData()
    {
        resetStocks();
        StockRec &r = Sets[5];
        r.Symbol = QStringLiteral("IBM");
        r.Name = QStringLiteral("International Business Machines");
        r.LastSale = QStringLiteral("101 1/4");
        r.Exchange = QStringLiteral("NYSE");
        r.Rating = 1.8f;
        r.LowTarget = 90;
        r.HighTarget = 120;
        short i = 5;
        ClearStockRec(i);
        QCOMPARE(r.Symbol, QStringLiteral("IBM"));
        QCOMPARE(r.Name, QStringLiteral("No Current Stock"));
        QCOMPARE(r.LastSale, QStringLiteral("0"));
        QCOMPARE(r.EPS, QStringLiteral("0"));
        QCOMPARE(r.Exchange, QString());
        // The alert limits and the rating survive a quote that failed to read.
        QCOMPARE(r.LowTarget, 90.0f);
        QCOMPARE(r.HighTarget, 120.0f);
        QCOMPARE(r.Rating, 1.8f);

        const auto before = Sets;
        short out = 201;
        ClearStockRec(out);
        short neg = -1;
        ClearStockRec(neg);
        QVERIFY(Sets == before);
    }
};

QTEST_GUILESS_MAIN(TestStockSetNames)
#include "tst_stocksetnames.moc"
