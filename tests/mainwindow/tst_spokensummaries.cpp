// What the spoken summaries read: a stock's cached headlines without their
// links, one sentence each, and the quotes of the set.
#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "mainwindow/SpokenSummaries.h"
#include "platform/Latin1File.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QtTest>

class TestSpokenSummaries : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

    void headlines(const QString &symbol, const QByteArray &text)
    {
        QDir(DataDir).mkpath(QStringLiteral("Cache/News"));
        QVERIFY(saveFileAtomically(DataDir + QStringLiteral("/Cache/News/") + symbol + QStringLiteral(".txt"), text));
    }

private slots:
    void init()
    {
        m_profile.reset(); // the old profile restores its settings before the new one starts
        m_profile = std::make_unique<TempProfile>();
        for (StockRec &s : Sets)
            s = StockRec();
        Sets[0].Symbol = QStringLiteral("IBM");
        Sets[0].Name = QStringLiteral("Intl Business Machines");
        Sets[0].LastSale = QStringLiteral("101.5");
        Sets[0].Change = QStringLiteral("+1.25");
        Sets[0].PctChange = QStringLiteral("1.2%");
        Sets[1].Symbol = QStringLiteral("ACME");
        Sets[1].Name = QStringLiteral("Acme Corp");
        Sets[1].LastSale = QStringLiteral("7");
        Sets[1].Change = QStringLiteral("-0.5");
        Sets[1].PctChange = QStringLiteral("-6.7%");
        SetCount = 2;
        CurSymbol = QStringLiteral("IBM");
    }

    void everyMode()
    {
        headlines(QStringLiteral("IBM"), "(IBM wins contract#http://n.example/1#;)\r\n(Shares rise#http://n.example/2#;)\r\n");
        QCOMPARE(SpokenSummary(0), QStringLiteral("IBM wins contract.\r\nShares rise.\r\n"));
        QCOMPARE(SpokenSummary(1), QStringLiteral("\r\nIntl Business Machines, Last Price: 101.5, change: +1.25, 1.2%."));
        // ACME has no headline file: an empty part.
        QCOMPARE(SpokenSummary(2), QStringLiteral("Intl Business Machines news: IBM wins contract.\r\nShares rise.\r\n\r\n"
                                                  "Acme Corp news: \r\n"));
        QCOMPARE(SpokenSummary(3), QStringLiteral("\r\nIntl Business Machines, Last Price: 101.5, change: +1.25, 1.2%."
                                                  "\r\nAcme Corp, Last Price: 7, change: -0.5, -6.7%."));
        QCOMPARE(SpokenSummary(4), QString());
        QCOMPARE(SpokenSummary(-1), QString());
        // A stock not in the set reads the first record.
        CurSymbol = QStringLiteral("XYZ");
        QVERIFY(SpokenSummary(1).startsWith(QStringLiteral("\r\nIntl Business Machines")));
    }

    // A stock deleted from the middle leaves a free record: it is not read
    // as a blank stock, and the stocks after it are all read.
    void freeRecordsAreSkippedAndLaterStocksRead()
    {
        Sets[3] = Sets[1];
        Sets[1] = StockRec();
        Sets[200] = Sets[0];
        Sets[200].Symbol = QStringLiteral("ZETA");
        Sets[200].Name = QStringLiteral("Zeta Inc");
        SetCount = 3;
        QCOMPARE(SpokenSummary(2), QStringLiteral("Intl Business Machines news: \r\nAcme Corp news: \r\nZeta Inc news: \r\n"));
        QCOMPARE(SpokenSummary(3), QStringLiteral("\r\nIntl Business Machines, Last Price: 101.5, change: +1.25, 1.2%."
                                                  "\r\nAcme Corp, Last Price: 7, change: -0.5, -6.7%."
                                                  "\r\nZeta Inc, Last Price: 101.5, change: +1.25, 1.2%."));
    }

    void aDamagedHeadlineFileReadsAsNone()
    {
        headlines(QStringLiteral("IBM"), "(good line;)\r\nx\r\n");
        QCOMPARE(ReadHeadlines(QStringLiteral("IBM")), QString());
        QCOMPARE(StripTickerLinks(QStringLiteral("a#link#b#unclosed")), QStringLiteral("ab"));
    }
};

QTEST_MAIN(TestSpokenSummaries)
#include "tst_spokensummaries.moc"
