// What the headline ticker is given: items ended by ";" and the address
// behind each item.
#include "core/Stocks.h"
#include "mainwindow/TickerText.h"

#include <QtTest>

class TestTickerText : public QObject
{
    Q_OBJECT

private slots:
    void headlinesKeepTheirOwnAddresses()
    {
        QStringList links;
        // As ReadHeadlines joins the file's lines: the first headline with
        // an address, the second without, the third with one.
        const QString text = tickerHeadlines(QStringLiteral("Acme Corp"),
                                             QStringLiteral(" Acme wins #http://n.example/1# ;"
                                                            " Shares rise;"
                                                            " Outlook raised #http://n.example/3# ;"),
                                             &links);
        QCOMPARE(text, QStringLiteral("... Latest Acme Corp News ...; Acme wins  ; Shares rise; Outlook raised  ;"));
        QCOMPARE(links, (QStringList{QString(), "http://n.example/1", QString(), "http://n.example/3"}));
        QCOMPARE(tickerHeadlines(QStringLiteral("X"), QString(), &links), QStringLiteral("... Latest X News ...;"));
        QCOMPARE(links, QStringList{QString()});
    }

    void quotesFourToAnItem()
    {
        resetStocks();
        for (int i = 0; i <= 8; ++i) {
            Sets[size_t(i)].Symbol = QStringLiteral("S%1").arg(i);
            Sets[size_t(i)].LastSale = QStringLiteral("1");
        }
        const QString text = tickerQuotes(8); // records 0 to 8: nine stocks
        QCOMPARE(text.count(QLatin1Char(';')), 3);
        QVERIFY(text.endsWith(QStringLiteral("      S8 1    ;")));
        Sets[0].Name = QStringLiteral("Acme");
        Sets[0].Change = QStringLiteral("+1");
        Sets[0].PctChange = QStringLiteral("+2%");
        Sets[0].LastUpdate = QStringLiteral("4:00PM");
        QCOMPARE(tickerQuote(Sets[0]), QStringLiteral("Acme  -  Last Price: 1   Change: +1  +2%   Last Upadte: 4:00PM;"));
        resetStocks();
    }
};

QTEST_MAIN(TestTickerText)
#include "tst_tickertext.moc"
