#include "core/DataDir.h"
#include "core/TextHelpers.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QtTest>

namespace {
QString errorLog()
{
    return ReadFile(DataDir + QStringLiteral("/ErrorLog.txt"));
}
} // namespace

class TestTextHelpers : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void formatP_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("two");
        QTest::addColumn<QString>("four");
        QTest::newRow("empty") << "" << "0" << "0";
        QTest::newRow("zero") << "0" << "0" << "0";
        QTest::newRow("whole number as is") << "100" << "100" << "100";
        QTest::newRow("decimal as is") << "45.5" << "45.5" << "45.5";
        QTest::newRow("mixed") << "12 3/8" << "12.38" << "12.3750";
        QTest::newRow("mixed, two-digit parts") << "12 13/16" << "12.81" << "12.8125";
        QTest::newRow("mixed, no grouping") << "1234 1/2" << "1234.50" << "1234.5000";
        QTest::newRow("bare fraction") << "3/8" << "0.38" << "0.3750";
        QTest::newRow("bare fraction rounds half up") << "1/8" << "0.13" << "0.1250";
        QTest::newRow("bare fraction grouped") << "2469/2" << "1,234.50" << "1,234.5000";
        QTest::newRow("negative bare fraction") << "-3/8" << "-0.38" << "-0.3750";
        QTest::newRow("negative mixed keeps its sign") << "-1 3/8" << "-1.38" << "-1.3750";
        QTest::newRow("leading point") << ".75" << "0.75" << "0.75";
        QTest::newRow("leading point, two decimals always") << ".755" << "0.76" << "0.76";
        QTest::newRow("not a number") << "N/A" << "0" << "0";
        QTest::newRow("per cent") << "12.5%" << "0" << "0";
        QTest::newRow("negative decimal as is") << "-.5" << "-.5" << "-.5";
        // Numbers no price has keep their text rather than overflow.
        QTest::newRow("leading point, huge") << ".9E30" << "0.9E30" << "0.9E30";
        QTest::newRow("leading point, past 64 bits") << ".1e18" << "0.1e18" << "0.1e18";
    }
    void formatP()
    {
        TempProfile profile;
        QFETCH(QString, s);
        QFETCH(QString, two);
        QFETCH(QString, four);
        QCOMPARE(FormatP(s, false), two);
        QCOMPARE(FormatP(s, true), four);
        QCOMPARE(errorLog(), QString()); // none of these is a failure
    }

    void formatPFailuresAreLogged_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("description");
        QTest::newRow("zero denominator") << "1 1/0" << "Division by zero";
        QTest::newRow("numerator not a number") << "a/8" << "Type mismatch";
        QTest::newRow("denominator not a number") << "3/8 5" << "Type mismatch";
        QTest::newRow("leading blank") << " 3/8" << "Type mismatch";
    }
    void formatPFailuresAreLogged()
    {
        TempProfile profile;
        QFETCH(QString, s);
        QFETCH(QString, description);
        QCOMPARE(FormatP(s, false), QString());
        const QString log = errorLog();
        QVERIFY2(log.contains(QStringLiteral("Description:   ") + description), qPrintable(log));
        QVERIFY(log.endsWith(QStringLiteral("Where: Misc_FormatP\r\n")));
    }

    void formatPUsesLocaleSeparators()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FormatP(QStringLiteral("12 3/8"), false), QStringLiteral("12,38"));
        QCOMPARE(FormatP(QStringLiteral("2469/2"), false), QStringLiteral("1.234,50"));
        QCOMPARE(FormatP(QStringLiteral("45.5"), false), QStringLiteral("45.5")); // passed through
    }

    void htmlText_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<bool>("br");
        QTest::addColumn<bool>("amp");
        QTest::addColumn<bool>("link");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("sAfter");
        QTest::newRow("cell rest") << ">abc</td" << false << false << false << "abc" << ">abc</td";
        QTest::newRow("no > seen") << "abc" << false << false << false << "" << "abc";
        QTest::newRow("tags stripped, nbsp kept")
            << " align=right>&nbsp;1<b>2</b></td" << false << false << false << "&nbsp;12"
            << " align=right>&nbsp;1<b>2</b></td";
        QTest::newRow("lower-case br only") << ">a<br>b<BR>c" << true << false << false << "a\r\nbc"
                                            << ">a\r\nb<BR>c";
        QTest::newRow("br kept when not asked") << ">a<br>b" << false << false << false << "ab" << ">a<br>b";
        QTest::newRow("amp") << ">A &amp; B &lt;" << false << true << false << "A & B &lt;" << ">A & B &lt;";
        QTest::newRow("link lower case") << "<a href=\"http://x.test/a.html\">News</a>" << false << false << true
                                         << "http://x.test/a.html" << "<a href=\"http://x.test/a.html\">News</a>";
        QTest::newRow("link upper case") << "x<A HREF=\"/q?s=AB\">AB</A>" << false << false << true << "/q?s=AB"
                                         << "x<A HREF=\"/q?s=AB\">AB</A>";
        QTest::newRow("link mixed case") << "<A Href=\"t\">" << false << false << true << "t" << "<A Href=\"t\">";
        QTest::newRow("link with amp") << "<a href=\"/p?a=1&amp;b=2\">" << false << true << true << "/p?a=1&b=2"
                                       << "<a href=\"/p?a=1&b=2\">";
        QTest::newRow("single-quoted link") << "<a href='x'>y</a>" << false << false << true << ""
                                            << "<a href='x'>y</a>";
        QTest::newRow("no link, no stripping") << ">plain" << false << false << true << "" << ">plain";
        QTest::newRow("empty target cut") << "<a href=\">x" << false << false << true << "" << "<a href=\">x";
        QTest::newRow("empty quoted target") << "<a href=\"\">x" << false << false << true << ""
                                             << "<a href=\"\">x";
    }
    void htmlText()
    {
        QFETCH(QString, s);
        QFETCH(bool, br);
        QFETCH(bool, amp);
        QFETCH(bool, link);
        QFETCH(QString, result);
        QFETCH(QString, sAfter);
        QCOMPARE(HtmlText(s, br, amp, link), result);
        QCOMPARE(s, sAfter);
    }

    void getTable_data()
    {
        const QString page = QStringLiteral("<p><Table 1><tr><td><TABLE 2>x</table></td></tr></table>"
                                            "<table 3>y</table></p>");
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first, cut at inner close") << page << 1 << "<table 1><tr><td><table 2>x";
        QTest::newRow("second is after first close") << page << 2 << "<table 3>y";
        QTest::newRow("too few tables") << page << 3 << "";
        QTest::newRow("zero") << page << 0 << "";
        QTest::newRow("negative") << page << -1 << "";
        QTest::newRow("upper-case close not found") << "<TABLE>a</TABLE>" << 1 << "";
        QTest::newRow("no table") << "<p>none</p>" << 1 << "";
        QTest::newRow("openings inside the table, other cases kept")
            << "<TABLE a><Table b><TaBLE c><table d>x</table>" << 1 << "<table a><table b><TaBLE c><table d>x";
    }
    void getTable()
    {
        QFETCH(QString, html);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QString before = html;
        // Read from a page left as it is, the same table.
        QCOMPARE(GetTableOf(html, short(n)), expected);
        QCOMPARE(html, before);
        // Cut out of a page the caller hands over, the same table.
        QCOMPARE(GetTableOf(QString(html), short(n)), expected);
        QCOMPARE(GetTable(html, short(n)), expected);
        // The caller's page has its opening tags rewritten, nothing else.
        before.replace(QStringLiteral("<TABLE"), QStringLiteral("<table"));
        before.replace(QStringLiteral("<Table"), QStringLiteral("<table"));
        QCOMPARE(html, before);
    }

    void replaceFromArray()
    {
        QString s = QStringLiteral("<TD><Td>x</TD><TR><tD>");
        const QString result = ReplaceFromArray(
            s, {QStringLiteral("<TD"), QStringLiteral("<Td"), QStringLiteral("</TD"), Variant(), Variant(5),
                QStringLiteral("<TR")});
        QCOMPARE(result, QStringLiteral("<td><td>x</td><tr><tD>"));
        QCOMPARE(s, result);
    }

    void numOrZero()
    {
        Variant number(QStringLiteral("12.5"));
        QCOMPARE(NumOrZero(number), 12.5);
        QCOMPARE(number.toString(), QStringLiteral("12.5"));

        Variant text(QStringLiteral("N/A"));
        QCOMPARE(NumOrZero(text), 0.0);
        QVERIFY(text.isNumber());

        Variant emptyText(QString{});
        QCOMPARE(NumOrZero(emptyText), 0.0);
        QVERIFY(emptyText.isNumber());

        Variant empty;
        QCOMPARE(NumOrZero(empty), 0.0);
        QVERIFY(empty.isEmpty());
    }

    void readFile()
    {
        TempProfile profile;
        QCOMPARE(ReadFile(DataDir + QStringLiteral("\\Cache\\DataSheet\\missing.Sh")), QString());

        // Every byte value, Ctrl-Z included, reads as one character.
        QByteArray bytes;
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
        QFile f(DataDir + QStringLiteral("/page.Sh"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString text = ReadFile(DataDir + QStringLiteral("\\PAGE.sh"));
        QCOMPARE(text.size(), 256);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(text.at(b).unicode(), char16_t(b));
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
