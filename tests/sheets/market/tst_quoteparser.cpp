#include "core/DataDir.h"
#include "core/Stocks.h"
#include "sheets/market/QuoteParser.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QByteArray Start = "<!-- SECTION: single stock quote -->";
const QByteArray End = "<!--END: of insert -->";

void writeQuotePage(const QByteArray &bytes)
{
    QDir().mkpath(DataDir + QStringLiteral("/Cache/DataSheet"));
    QFile f(DataDir + QStringLiteral("/Cache/DataSheet/quote.Sh"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray fixturePage(const QString &symbol)
{
    QFile f(qEnvironmentVariable("BW_SOURCE_DIR") +
            QStringLiteral("/tests/fixtures/site/fq/quotecom/quote/symbols=%1.html").arg(symbol));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record with every field set, so that untouched fields show.
StockRec filledRecord()
{
    StockRec r;
    r.Symbol = QStringLiteral("SYM");
    r.Rating = 2.5f;
    r.LowTarget = 10;
    r.HighTarget = 20;
    for (QString *f : {&r.Name, &r.LastSale, &r.PctChange, &r.Change, &r.DayHigh, &r.DayLow, &r.Volume,
                       &r.Ask, &r.Bid, &r.LastTradeSize, &r.PERatio, &r.DivPerShare, &r.Open, &r.PrevClose,
                       &r.High52, &r.Low52, &r.EPS, &r.Exchange, &r.Industry, &r.LastUpdate})
        *f = QStringLiteral("old");
    return r;
}

// n non-empty cells "c0", "c1", ... inside the markers.
QByteArray numberedCells(int n)
{
    QByteArray s = Start + "<table><tr>";
    for (int i = 0; i < n; ++i)
        s += "<td>c" + QByteArray::number(i) + "</td>";
    return s + "</tr></table>" + End;
}

} // namespace

class TestQuoteParser : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetStocks(); }

    // The fixture quote page fills every quote field and nothing else.
    void fixturePageFillsTheRecord()
    {
        TempProfile profile;
        writeQuotePage(fixturePage(QStringLiteral("ACME")));
        Sets[3] = filledRecord();
        short index = 3;
        QCOMPARE(ParseQuote(index), QStringLiteral("Acme Widgets Inc"));

        const StockRec &r = Sets[3];
        const QStringList fields = {r.Name,   r.LastUpdate, r.LastSale, r.Open,        r.Change, r.PrevClose,
                                    r.PctChange, r.High52, r.Volume,  r.Low52,       r.DayHigh, r.EPS,
                                    r.DayLow, r.PERatio,    r.Bid,      r.DivPerShare, r.Ask,     r.Exchange,
                                    r.LastTradeSize, r.Industry};
        QCOMPARE(fields.join(QLatin1Char('|')),
                 QStringLiteral("Acme Widgets Inc|Dec 3 1999 4:01PM ET|45 3/8|44 7/8|+1/2|44 7/8|+1.11%|52 1/4|"
                                "1234500|30 1/8|45 1/2|2.15|44 3/4|21.1|45 1/4|0.40|45 1/2|NYSE|300|Industrial Machinery"));
        QCOMPARE(r.Symbol, QStringLiteral("SYM"));
        QCOMPARE(r.Rating, 2.5f);
        QCOMPARE(r.HighTarget, 20.0f);
        QCOMPARE(Sets[2], StockRec());
        QCOMPARE(Sets[4], StockRec());
    }

    void cells_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("lastUpdate");
        QTest::addColumn<QString>("lastSale");
        QTest::addColumn<QString>("open");

        const QByteArray six = "<td>Acme</td><td>4:01PM</td><td>Last</td><td>12 3/8</td><td>Open</td><td>12</td>";
        QTest::newRow("name, time, label/value pairs") << Start + six + End << "Acme" << "4:01PM" << "12 3/8" << "12";
        QTest::newRow("empty and &nbsp; cells are not counted")
            << Start + "<td></td><td>Acme</td><td> &nbsp; </td><td>4:01PM</td><td><img src=x></td>"
                       "<td>Last</td><td>12 3/8</td><td>&nbsp;</td><td>Open</td><td>12</td>" + End
            << "Acme" << "4:01PM" << "12 3/8" << "12";
        // Only the tags are made lower case: "LTD" in a cell stays.
        QTest::newRow("TD and Td are cells, tD is not")
            << Start + "<TD>Acme LTD</TD><Td>4:01PM</Td><tD>skipped</tD><td>Last</td><td>9</td><td>Open</td><td>8</td>" + End
            << "Acme LTD" << "4:01PM" << "9" << "8";
        QTest::newRow("<SUP> becomes a blank")
            << Start + "<td>Acme</td><td>t</td><td>L</td><td>12<SUP>3/8</SUP></td>" + End
            << "Acme" << "t" << "12 3/8" << "old";
        QTest::newRow("tabs and line feeds inside cells go")
            << Start + "<td>\tAc\nme</td>\r\n<td>4:01\r\nPM</td><td>L</td><td>1\t2</td>" + End
            << "Acme" << "4:01PM" << "12" << "old";
        QTest::newRow("blanks trimmed, &amp; decoded")
            << Start + "<td class=n>  Smith &amp; Sons </td><td>t</td>" + End << "Smith & Sons" << "t" << "old" << "old";
        QTest::newRow("a cell without its end tag ends the walk")
            << Start + "<td>Acme</td><td>t</td><td>L</td><td>5" + End << "Acme" << "t" << "old" << "old";
        // A long page before the quote: positions are not 16-bit.
        QTest::newRow("start marker after character 32767")
            << QByteArray(40000, 'x') + Start + six + End << "Acme" << "4:01PM" << "12 3/8" << "12";
    }
    void cells()
    {
        TempProfile profile;
        QFETCH(QByteArray, page);
        writeQuotePage(page);
        Sets[0] = filledRecord();
        short index = 0;
        const QString result = ParseQuote(index);
        QTEST(result, "name");
        QTEST(Sets[0].Name, "name");
        QTEST(Sets[0].LastUpdate, "lastUpdate");
        QTEST(Sets[0].LastSale, "lastSale");
        QTEST(Sets[0].Open, "open");
        QCOMPARE(Sets[0].Symbol, QStringLiteral("SYM"));
        QCOMPARE(Sets[0].Rating, 2.5f);
        QCOMPARE(Sets[0].LowTarget, 10.0f);
        QCOMPARE(Sets[0].HighTarget, 20.0f);
    }

    // A page with 20 cells fills cells 0 to 19; the later fields keep theirs.
    void shortPageKeepsLaterFields()
    {
        TempProfile profile;
        writeQuotePage(numberedCells(20));
        Sets[0] = filledRecord();
        short index = 0;
        QCOMPARE(ParseQuote(index), QStringLiteral("c0"));
        const StockRec &r = Sets[0];
        QCOMPARE(r.Volume, QStringLiteral("c15"));
        QCOMPARE(r.Low52, QStringLiteral("c17"));
        QCOMPARE(r.DayHigh, QStringLiteral("c19"));
        for (const QString &f : {r.EPS, r.DayLow, r.PERatio, r.Bid, r.DivPerShare, r.Ask, r.Exchange,
                                 r.LastTradeSize, r.Industry})
            QCOMPARE(f, QStringLiteral("old"));

        writeQuotePage(numberedCells(45));
        QCOMPARE(ParseQuote(index), QStringLiteral("c0"));
        QCOMPARE(Sets[0].Industry, QStringLiteral("c37"));
    }

    void pagesThatWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("writeFile");
        QTest::newRow("no cache file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("no start marker") << QByteArray("<td>Acme</td>" + End) << true;
        QTest::newRow("no end marker") << QByteArray(Start + "<td>Acme</td>") << true;
        QTest::newRow("end marker only before the start") << QByteArray(End + Start + "<td>Acme</td>") << true;
    }
    void pagesThatWriteNothing()
    {
        TempProfile profile;
        QFETCH(QByteArray, page);
        QFETCH(bool, writeFile);
        if (writeFile)
            writeQuotePage(page);
        Sets[0] = filledRecord();
        short index = 0;
        QCOMPARE(ParseQuote(index), QString());
        QCOMPARE(Sets[0], filledRecord());
    }

    // An index outside the set writes nothing but still gives the name.
    void indexOutsideTheSet()
    {
        TempProfile profile;
        writeQuotePage(fixturePage(QStringLiteral("BOLT")));
        for (short index : {short(-1), short(201)}) {
            QCOMPARE(ParseQuote(index), QStringLiteral("Bolt Electric Corp"));
            for (const StockRec &r : Sets)
                QCOMPARE(r, StockRec());
        }
        short last = 200;
        QCOMPARE(ParseQuote(last), QStringLiteral("Bolt Electric Corp"));
        QCOMPARE(Sets[200].LastSale, QStringLiteral("12 1/4"));
        QCOMPARE(Sets[200].DivPerShare, QStringLiteral("N/A"));
    }
};

QTEST_GUILESS_MAIN(TestQuoteParser)
#include "tst_quoteparser.moc"
