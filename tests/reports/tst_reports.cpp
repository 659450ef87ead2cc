// The HTML reports from the fixture site's pages: one golden file each, and
// the pages and folders that go wrong.
#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"
#include "reports/Reports.h"
#include "support/CachePages.h"
#include "support/GoldenFile.h"
#include "support/GridDump.h"
#include "support/ScriptedDialogs.h"
#include "support/ReportBench.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>

namespace {

const QByteArray Head = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";

QByteArray written(const QString &relative)
{
    QFile f(resolvePath(DataDir + QStringLiteral("/Cache/Reports/") + relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool exists(const QString &relative)
{
    return QFile::exists(resolvePath(DataDir + QStringLiteral("/Cache/Reports/") + relative));
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

    ReportBench *bench = nullptr;

private slots:
    void init()
    {
        bench = new ReportBench;
    }
    void cleanup()
    {
        delete bench;
    }

    void golden()
    {
        writeCachePage(QStringLiteral("ACME_ABS.Sh"), sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=2.html")));
        writeCachePage(QStringLiteral("ACME_AIS.Sh"), sitePage(QStringLiteral("cgi-bin/JMFR/FreeReport/ref=DEF&ticker=ACME&hist=1.html")));
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("ACME_it.Sh"));
        copyFixturePage(QStringLiteral("IBM_qr.Sh"), QStringLiteral("ACME_qr.Sh"));
        writeCachePage(QStringLiteral("ACME_SI.Sh"),
                       Head + sitePage(QStringLiteral("asp/quotes_full.asp/kind=shortint&symbol=ACME_60&selected=ACME_60.html")));
        // The chain's last record has no comma after the put's open interest.
        QByteArray chain = sitePage(QStringLiteral("QuoteTable.dat/TICKER=ACME.html"));
        chain += "00 Jan 60 (ACM AL-E),0,0,0,0,0,0,00 Jan 60 (ACM ML-E),9 1/4,0,9,9 1/2,10,77\r\n";
        writeCachePage(QStringLiteral("ACME_op.Sh"), Head + chain);
        writeCachePage(QStringLiteral("ACME_ee.Sh"), sitePage(QStringLiteral("z/a/a/ACME.html")));
        Reports r;
        const QString s = CurSymbol;
        r.H_ABS(s), r.H_AIS(s), r.H_IT(s), r.H_QR(s), r.H_SI(s), r.H_Calls(s), r.H_Puts(s);
        r.H_EC(s), r.H_ER(s), r.H_EH(s), r.H_EG(s);
        const QStringList files = {"Annual Balance Sheet/ACME.htm", "Annual Income statement/ACME.htm",
                                   "Insiders Traders/ACME.htm", "Quarterly Reports/ACME Quarterly Reports.htm",
                                   "Misc/ACME Short Interest.Htm", "Options/ACME Calls.htm", "Options/ACME Puts.htm",
                                   "Earnings/ACME Consensus EPS Trend.Htm", "Earnings/ACMEEarnings Estimates.htm",
                                   "Earnings/ACME Earnings History.Htm", "Earnings/ACME Earnings Growth.Htm"};
        QCOMPARE(bench->opened.size(), files.size());
        for (int i = 0; i < files.size(); ++i) {
            QCOMPARE_GOLDEN_FILE(written(files[i]), QStringLiteral("reports/html/") + QString(files[i]).replace(QLatin1Char('/'), QLatin1Char('_')));
            QVERIFY(bench->opened[i].endsWith(files[i]));
        }
        QCOMPARE(screenMousePointer(), 0);
        // Members that write nothing.
        r.H_SP(), r.H_Los(), r.H_Downgrade();
        QCOMPARE(bench->opened.size(), files.size());

        // An earnings table after the page's first 32 KB reads as one before.
        const QByteArray ee = sitePage(QStringLiteral("z/a/a/ACME.html"));
        writeCachePage(QStringLiteral("ACME_ee.Sh"), "<!--" + QByteArray(33000, 'x') + "-->" + ee);
        r.H_EC(s);
        QCOMPARE_GOLDEN_FILE(written(files[7]), QStringLiteral("reports/html/Earnings_ACME Consensus EPS Trend.Htm"));
    }

    // Every stock of the set, those after a free record too; an unchanged
    // price neither up nor down.
    void quoteTableAfterAGap()
    {
        Sets[0].PctChange = QStringLiteral("+1.25%"), Sets[0].LastSale = QStringLiteral("12.50");
        Sets[2] = Sets[0];
        Sets[2].Symbol = QStringLiteral("BOLT"), Sets[2].Name = QStringLiteral("Bolt & Nut Co"),
        Sets[2].PctChange = QStringLiteral("-0.50%");
        Sets[3].Symbol = QStringLiteral("CRAN"), Sets[3].PctChange = QStringLiteral("0.00%");
        SetCount = 3;
        Reports().H_Current();
        QCOMPARE_GOLDEN_FILE(written(QStringLiteral("Stock Prices.Htm")), QStringLiteral("reports/html/Stock Prices.Htm"));
        // The arrows the page shows are there to be shown, beside the cache.
        const QStringList pictures = picturesOfPage(resolvePath(DataDir + QStringLiteral("/Cache/Reports/Stock Prices.Htm")));
        QCOMPARE(pictures, (QStringList{QDir::cleanPath(DataDir) + "/up.gif", QDir::cleanPath(DataDir) + "/dn.gif"}));
        for (const QString &picture : pictures)
            QVERIFY2(!QImage(picture).isNull(), qPrintable(picture));
    }

    void pagesThatGoWrong()
    {
        Reports r;
        r.H_IT(QString());
        QVERIFY(bench->opened.isEmpty() && !exists(QStringLiteral("Insiders Traders/.htm")));

        // No page: the frame alone is written and shown.
        r.H_QR(QStringLiteral("ACME"));
        const QByteArray frame = written(QStringLiteral("Quarterly Reports/ACME Quarterly Reports.htm"));
        QVERIFY(frame.contains("More Info") && frame.endsWith("</BODY></HTML>\r\n") && !frame.contains("<TD>"));
        QCOMPARE(bench->opened.size(), 1);

        // A statement table over 32 KB is read to its end; a row whose
        // closing tag is missing ends the walk.
        QByteArray rows;
        for (int i = 0; i < 700; ++i)
            rows += "<tr><td>Row " + QByteArray::number(i) + "</td><td>1</td></tr>\n";
        writeCachePage(QStringLiteral("ACME_ABS.Sh"),
                       "<html>Annual Balance Sheet<table>" + rows + "<tr><td>cut</td><td>2</td></table></html>");
        r.H_ABS(QStringLiteral("ACME"));
        const QByteArray abs = written(QStringLiteral("Annual Balance Sheet/ACME.htm"));
        QVERIFY(abs.contains(">Row 699</FONT>") && !abs.contains("cut"));
        QCOMPARE(abs.count("</tr>"), 700);

        // The short-interest report reads the page of the symbol asked for.
        writeCachePage(QStringLiteral("BOLT_SI.Sh"), "<table><tr><td>Cover</td></tr><tr><td>01/14/2000</td><td>77</td></tr></table>");
        CurSymbol = QStringLiteral("ACME");
        r.H_SI(QStringLiteral("BOLT"));
        QVERIFY(written(QStringLiteral("Misc/BOLT Short Interest.Htm")).contains(">77</Font>"));

        // A long chain is built only when the user agrees.
        ScriptedDialogs dialogs;
        const QByteArray line = "\r\nX (C),1,2,3,4,5,6,Y (P),1,2,3,4,5,6,";
        QByteArray chain = "Puts,Open Int";
        // The chain text starts after the "I" of "Int": 30,000 characters.
        while (chain.size() < 11 + 30000)
            chain += line;
        chain.truncate(11 + 30000);
        writeCachePage(QStringLiteral("BOLT_op.Sh"), chain);
        r.H_Calls(QStringLiteral("BOLT"));
        QVERIFY(dialogs.shown().isEmpty() && exists(QStringLiteral("Options/BOLT Calls.htm")));
        writeCachePage(QStringLiteral("BOLT_op.Sh"), chain + "x");
        dialogs.answer(Msg::Cancel);
        r.H_Puts(QStringLiteral("BOLT"));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("To many records"));
        QVERIFY(!exists(QStringLiteral("Options/BOLT Puts.htm")));
        QCOMPARE(screenMousePointer(), 0);

        // A folder that cannot be written: said so, and nothing is opened.
        bench->opened.clear();
        QDir(resolvePath(DataDir + QStringLiteral("/Cache/Reports"))).removeRecursively();
        QDir().mkpath(resolvePath(DataDir + QStringLiteral("/Cache/Reports")));
        QFile blocker(resolvePath(DataDir + QStringLiteral("/Cache/Reports/Insiders Traders")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        r.H_IT(QStringLiteral("ACME"));
        QVERIFY(bench->opened.isEmpty());
        QVERIFY(dialogs.shown().last().prompt.startsWith(QLatin1String("The report could not be written")));
        // A missing folder is made.
        r.H_EG(QStringLiteral("ACME"));
        QVERIFY(exists(QStringLiteral("Earnings/ACME Earnings Growth.Htm")));
    }

    // The golden reports read in a real HTML parser keep their table shape:
    // every row and cell inside a table, every table closed.
    void goldenReportsParse()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
        const QString script = QStringLiteral(R"(
import glob, sys
from html.parser import HTMLParser
class Shape(HTMLParser):
    def __init__(self):
        super().__init__(); self.depth = 0; self.bad = []
    def handle_starttag(self, tag, attrs):
        if tag == 'table': self.depth += 1
        elif tag in ('tr', 'td', 'th') and self.depth == 0: self.bad.append(tag)
    def handle_endtag(self, tag):
        if tag == 'table':
            self.depth -= 1
            if self.depth < 0: self.bad.append('/table')
failed = 0
for name in sorted(glob.glob(sys.argv[1] + '/*')):
    p = Shape(); p.feed(open(name, encoding='latin-1').read()); p.close()
    if p.bad or p.depth != 0:
        print(name, p.bad, p.depth); failed += 1
print(len(glob.glob(sys.argv[1] + '/*')), 'reports')
sys.exit(failed)
)");
        QProcess python;
        python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, fixturePath(QStringLiteral("reports/html"))});
        QVERIFY(python.waitForFinished(30000));
        const QByteArray said = python.readAll();
        QVERIFY2(python.exitCode() == 0 && said.startsWith("12 reports"), said.constData());
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
