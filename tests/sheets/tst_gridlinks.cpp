#include "sheets/GridLinks.h"
#include "platform/FlexGrid.h"
#include "platform/UrlOpener.h"
#include "support/TempProfile.h"

#include <QtTest>

namespace {

// Row 2 of a sheet: cells given as "column=text" pairs.
using Cells = QMap<int, QString>;

const QString Fin = QStringLiteral("http://finance.example.com");
const QString Quo = QStringLiteral("http://quoteportal.example.com");
const QString Red = QStringLiteral("<cell turns red>");

} // namespace

class TestGridLinks : public QObject
{
    Q_OBJECT

    TempProfile *profile = nullptr;
    QStringList opened;

private slots:
    void init()
    {
        profile = new TempProfile;
        opened.clear();
        setUrlOpenerHandler([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
    }
    void cleanup()
    {
        setUrlOpenerHandler({});
        delete profile;
    }

    // Every sheet key and column of the link table, with the address the
    // click hands to the browser ("" = nothing opens).
    void clickOpensTheRowsPage_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<QString>("opens");
        const Cells sym{{0, "ibm"}, {1, "IBM"}, {2, "Intl Business"}};

        QTest::newRow("QR form") << "QR" << 2 << 1 << Cells{{1, "10-Q"}, {4, "/doc/ibm/10q.htm"}}
                                 << "http://filings.example.com/auth/doctrans/doc/ibm/10q.htm";
        QTest::newRow("QR description") << "QR" << 2 << 2 << Cells{{4, "/doc/ibm/10q.htm"}} << "";
        QTest::newRow("Coverage 1") << "Coverage" << 2 << 1 << sym << Quo + "/q?s=IBM&d=t";
        QTest::newRow("Coverage 4") << "Coverage" << 2 << 4 << sym << Fin + "/c/i/IBM.html";
        QTest::newRow("Coverage 2") << "Coverage" << 2 << 2 << sym << "";
        QTest::newRow("Coverage row 1") << "Coverage" << 1 << 1 << sym << "";
        QTest::newRow("Upgrade 1") << "Upgrade" << 2 << 1 << sym << Quo + "/q?s=IBM&d=t";
        QTest::newRow("Upgrade 5") << "Upgrade" << 2 << 5 << sym << Fin + "/c/i/IBM.html";
        QTest::newRow("Downgrade 5") << "Downgrade" << 2 << 5 << sym << Fin + "/c/i/IBM.html";
        QTest::newRow("Downgrade 4") << "Downgrade" << 2 << 4 << sym << "";
        QTest::newRow("WINLOS 1") << "WINLOS" << 2 << 1 << sym
                                  << "http://broker.example.com/cgi/inet/qndigest.trn?selection=company_digest&symbol=IBM";
        QTest::newRow("SUP 0") << "SUP" << 2 << 0 << sym
                               << "http://research.example.com/ows-bin/owa/zbrc?tick=ibm&comp_id=main&search=1";
        QTest::newRow("SUP cell with query characters")
            << "SUP" << 2 << 0 << Cells{{0, "A&B=C#"}}
            << "http://research.example.com/ows-bin/owa/zbrc?tick=A%26B%3DC%23&comp_id=main&search=1";
        QTest::newRow("IT name") << "IT" << 2 << 2 << Cells{{1, "t/i/ibm/doej.html"}, {2, "DOE JOHN"}}
                                 << Fin + "/t/i/ibm/doej.html";
        QTest::newRow("IT date") << "IT" << 2 << 0 << Cells{{1, "t/i/ibm/doej.html"}} << "";
        const QString cboe = QStringLiteral("http://options.example.com/cgi-bin/cboeget.exe?TICKER=");
        QTest::newRow("Call code keeps blanks") << "Call" << 2 << 0 << Cells{{0, "IBM Jan 100 ( ABC DE )"}}
                                                << cboe + "ABC DE";
        QTest::newRow("Put code") << "Put" << 2 << 0 << Cells{{0, "IBM Jan 90 (IBMMR)"}} << cboe + "IBMMR";
        QTest::newRow("Put without (") << "Put" << 2 << 0 << Cells{{0, "IBM Jan 90"}} << "";
        QTest::newRow("Put without )") << "Put" << 2 << 0 << Cells{{0, "IBM Jan 90 (IBMMR"}} << "";
        QTest::newRow("Put 5") << "Put" << 2 << 5 << Cells{{5, "(IBMMR)"}} << "";
        QTest::newRow("Options 1 drops blanks") << "Options" << 2 << 1 << Cells{{1, "(ABC DE)"}} << cboe + "ABCDE";
        QTest::newRow("Options 8") << "Options" << 2 << 8 << Cells{{8, "Puts (XY Z)"}} << cboe + "XYZ";
        QTest::newRow("BR whole address") << "BR" << 2 << 1 << Cells{{9, "http://charts.example.com/c?x=1"}}
                                          << "http://charts.example.com/c?x=1";
        QTest::newRow("BR one character") << "BR" << 2 << 1 << Cells{{9, "h"}} << "";
        QTest::newRow("BR file address") << "BR" << 2 << 1 << Cells{{9, "file:///etc/passwd"}} << "";
        QTest::newRow("BR script address") << "BR" << 2 << 1 << Cells{{9, "javascript:alert(1)"}} << "";
        // "^" travels as %5E.
        QTest::newRow("US whole address") << "US" << 2 << 2 << Cells{{8, "https://quotes.example.com/q?s=^DJI"}}
                                          << "https://quotes.example.com/q?s=%5EDJI";
        QTest::newRow("US empty column 8") << "US" << 2 << 2 << Cells{} << "";
        QTest::newRow("US mail address") << "US" << 2 << 2 << Cells{{8, "mailto:x@example.com"}} << "";
        const Cells ipo{{1, "Acme Holdings"}, {2, "ACMEX Corp"}, {5, "News"}, {6, "Chart"}, {7, "Profile"},
                        {8, "SEC"}, {9, "Msgs"}, {10, "Insider"}, {11, "Research"}, {12, "News "}};
        QTest::newRow("IPO_Price company") << "IPO_Price" << 2 << 1 << ipo << Quo + "/q?s=ACME&d=t";
        QTest::newRow("IPO_Price News") << "IPO_Price" << 2 << 5 << ipo << Fin + "/n/i/ACME.html";
        QTest::newRow("IPO_Price Chart") << "IPO_Price" << 2 << 6 << ipo << Quo + "/q?s=ACME&d=3m";
        QTest::newRow("IPO_Price Profile") << "IPO_Price" << 2 << 7 << ipo << Fin + "/p/e/ACME.html";
        QTest::newRow("IPO_Price SEC") << "IPO_Price" << 2 << 8 << ipo
                                       << "http://edgar.finance.example.com/e/l/u/ACME.html";
        QTest::newRow("IPO_Price Msgs") << "IPO_Price" << 2 << 9 << ipo
                                        << "http://messages.finance.example.com/?action=q&board=ACME";
        // The latest-events sheet: the symbol in column 1, the company in 2.
        const Cells latest{{1, "ACMEX"}, {2, "Acme Holdings"}, {10, "Insider"}, {11, "Research"}, {12, "News "}};
        QTest::newRow("IPO_Last Insider") << "IPO_Last" << 2 << 10 << latest << Fin + "/t/u/ACMEX.html";
        QTest::newRow("IPO_Last Research") << "IPO_Last" << 2 << 11 << latest << Quo + "/q?s=ACMEX&d=r";
        QTest::newRow("IPO_Last News with a blank") << "IPO_Last" << 2 << 12 << latest << Quo + "/q?s=ACMEX&d=t";
        QTest::newRow("IPO_Last symbol") << "IPO_Last" << 2 << 1 << latest << Quo + "/q?s=ACMEX&d=t";
        QTest::newRow("IPO_Last 4") << "IPO_Last" << 2 << 4 << latest << "";
        const Cells gain{{1, "XYZ Co"}, {5, "News"}, {6, "Profile"}};
        QTest::newRow("IPO_Gain symbol") << "IPO_Gain" << 2 << 1 << gain << Quo + "/q?s=XYZ&d=t";
        QTest::newRow("IPO_Loss Profile") << "IPO_Loss" << 2 << 6 << gain << Fin + "/p/e/XYZ.html";
        QTest::newRow("IPO_Loss 5") << "IPO_Loss" << 2 << 5 << gain << "";
        // The world-market sheet: the name, then the index's symbol in columns 2 and 3.
        const Cells wm{{1, "Dow Jones Industrials"}, {2, "^DJI"}, {3, "^DJI"}, {6, "Chart"}, {7, "News"}};
        QTest::newRow("WM Chart") << "WM" << 2 << 6 << wm << Quo + "/q?s=%5EDJI&d=3m";
        QTest::newRow("WM News") << "WM" << 2 << 7 << wm << Fin + "/n/i/%5EDJI.html";
        QTest::newRow("WM 3") << "WM" << 2 << 3 << wm << Quo + "/q?s=%5EDJI&d=t";
        QTest::newRow("WM 4") << "WM" << 2 << 4 << wm << "";
        QTest::newRow("WM symbol longer than four") << "WM" << 2 << 6 << Cells{{3, " ^GSPTSE "}, {6, "Chart"}}
                                                    << Quo + "/q?s=%5EGSPTSE&d=3m";
        QTest::newRow("IPO_Reg 7") << "IPO_Reg" << 2 << 7 << Cells{{2, "NEWC"}} << Fin + "/p/NEWC.html";
        QTest::newRow("IPO_With 6") << "IPO_With" << 2 << 6 << Cells{{2, "OLDC"}} << Fin + "/p/OLDC.html";
        QTest::newRow("IPO_News 1") << "IPO_News" << 2 << 1 << Cells{{4, "n/ipo/991215/acme.html"}}
                                    << Fin + "/n/ipo/991215/acme.html";
        const QString fms = QStringLiteral("http://analysts.example.com/quote.asp?symbol=ibm&Whattoget=detailquote");
        QTest::newRow("FMS1 0") << "FMS1" << 2 << 0 << sym << fms;
        QTest::newRow("FMS2 0") << "FMS2" << 2 << 0 << sym << fms;
        QTest::newRow("FMS0 0") << "FMS0" << 2 << 0 << sym << "";
        QTest::newRow("fund list 0") << "F_Growth" << 2 << 0 << sym << "";
        QTest::newRow("AIS any cell") << "AIS" << 3 << 4 << sym << Red;
        QTest::newRow("ABS row 1") << "ABS" << 1 << 0 << sym << "";
        QTest::newRow("other key") << "Current" << 2 << 1 << sym << "";
    }
    void clickOpensTheRowsPage()
    {
        QFETCH(QString, key);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(Cells, cells);
        QFETCH(QString, opens);
        FlexGrid grid;
        grid.setCols(14);
        grid.setRows(5);
        for (auto it = cells.begin(); it != cells.end(); ++it)
            grid.setTextMatrix(2, it.key(), it.value());
        grid.setRow(row);
        grid.setCol(col);
        clickGridLink(key, grid);
        const bool red = grid.cellFormat(row, col).foreColor == 0xFF;
        QCOMPARE(red ? Red : opened.value(0), opens);
        QVERIFY(opened.size() <= 1);
    }

    // A column the sheet lacks fails the click: nothing opens.
    void aColumnBeyondTheGridOpensNothing()
    {
        FlexGrid grid;
        grid.setCols(8);
        grid.setRows(3);
        grid.setTextMatrix(2, 1, QStringLiteral("t/i/ibm/doej.html"));
        grid.setRow(2);
        grid.setCol(1);
        clickGridLink(QStringLiteral("BR"), grid); // its address is in column 9
        grid.setCol(1);
        clickGridLink(QStringLiteral("IPO_News"), grid); // its path is in column 4: "/" alone
        QCOMPARE(opened, QStringList{"http://finance.example.com/"});
        grid.setCols(2);
        grid.setCol(1);
        clickGridLink(QStringLiteral("IPO_News"), grid);
        QCOMPARE(opened.size(), 1);
    }

    void linkPointer_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<int>>("columns"); // of columns 0 to 14
        QTest::newRow("fund list") << "F_Conv" << QList<int>{0};
        QTest::newRow("QR") << "QR" << QList<int>{1};
        QTest::newRow("Coverage") << "Coverage" << QList<int>{1, 4};
        QTest::newRow("Upgrade") << "Upgrade" << QList<int>{1};
        QTest::newRow("SUP") << "SUP" << QList<int>{0};
        QTest::newRow("IT") << "IT" << QList<int>{2};
        QTest::newRow("Call") << "Call" << QList<int>{0, 5};
        QTest::newRow("Options") << "Options" << QList<int>{1, 8};
        QTest::newRow("US") << "US" << QList<int>{2};
        QTest::newRow("IPO_Last") << "IPO_Last" << QList<int>{1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
        QTest::newRow("IPO_Gain") << "IPO_Gain" << QList<int>{1, 6, 7, 8, 9, 10, 11, 12, 13, 14};
        QTest::newRow("WM") << "WM" << QList<int>{3, 7, 8, 9, 10, 11, 12, 13, 14};
        QTest::newRow("IPO_Reg") << "IPO_Reg" << QList<int>{7};
        QTest::newRow("FMS2") << "FMS2" << QList<int>{0};
        QTest::newRow("ABS") << "ABS" << QList<int>{};
        QTest::newRow("Current") << "Current" << QList<int>{};
    }
    void linkPointer()
    {
        QFETCH(QString, key);
        QFETCH(QList<int>, columns);
        QList<int> shown;
        for (int c = 0; c <= 14; ++c)
            if (isLinkPointerColumn(key, c))
                shown << c;
        QCOMPARE(shown, columns);
    }
};

QTEST_GUILESS_MAIN(TestGridLinks)
#include "tst_gridlinks.moc"
