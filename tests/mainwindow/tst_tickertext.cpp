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

        // A ";" inside an address ("&amp;" in its query) ends no item: the
        // items after it keep their own addresses.
        const QString amp = tickerHeadlines(QStringLiteral("Acme Corp"),
                                            QStringLiteral(" Acme wins #http://n.example/?a=1&amp;b=2# ;"
                                                           " Shares rise;"
                                                           " Outlook raised #http://n.example/3# ;"),
                                            &links);
        QCOMPARE(amp, QStringLiteral("... Latest Acme Corp News ...; Acme wins  ; Shares rise; Outlook raised  ;"));
        QCOMPARE(links, (QStringList{QString(), "http://n.example/?a=1&amp;b=2", QString(), "http://n.example/3"}));
    }

    void quotesFourToAnItem()
    {
        resetStocks();
        for (int i = 0; i <= 8; ++i) {
            Sets[size_t(i)].Symbol = QStringLiteral("S%1").arg(i);
            Sets[size_t(i)].LastSale = QStringLiteral("1");
        }
        QCOMPARE(tickerQuotes().count(QLatin1Char(';')), 3); // nine stocks
        // A stock deleted from the middle leaves a free record: it gives no
        // blank entry, and the stocks after it, past the set's count, come.
        Sets[3] = StockRec();
        SetCount = 7;
        QCOMPARE(tickerQuotes(), QStringLiteral("      S0 1          S1 1          S2 1          S4 1    ;"
                                                "      S5 1          S6 1          S7 1          S8 1    ;;"));
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
