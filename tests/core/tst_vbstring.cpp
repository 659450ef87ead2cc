#include "core/VbString.h"

#include <QtTest>

// The primitives' edge rules: 1-based positions, 0 for "not found", error 5
// for invalid cuts, and the points where a plain Qt call would differ.
class TestVbString : public QObject
{
    Q_OBJECT

private slots:
    void inStr_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("find");
        QTest::addColumn<int>("expected");
        QTest::newRow("first char") << 1 << "<td>x" << "<" << 1;
        QTest::newRow("absent") << 1 << "abc" << "d" << 0;
        QTest::newRow("from start, match at start") << 3 << "abcabc" << "c" << 3;
        QTest::newRow("from start skips earlier") << 4 << "abcabc" << "c" << 6;
        QTest::newRow("case-sensitive") << 1 << "<TD>" << "<td" << 0;
        QTest::newRow("start past end") << 7 << "abcabc" << "c" << 0;
        QTest::newRow("empty find gives start") << 2 << "abc" << "" << 2;
        QTest::newRow("empty s") << 1 << "" << "" << 0;
    }
    void inStr()
    {
        QFETCH(int, start);
        QFETCH(QString, s);
        QFETCH(QString, find);
        QFETCH(int, expected);
        QCOMPARE(vb::InStr(start, s, find), expected);
    }

    // Short texts are found by a search of their own: at every start of a
    // markup-like page, each text of one to six letters (tag words, partial
    // matches, a match at the very end) lands where the plain search lands.
    void inStrAgreesWithThePlainSearchEverywhere()
    {
        const QString page = QStringLiteral("<tr><td>TT</td><td class=\"a\">Show 12</td></tr><TD>td>d<tRtr");
        const QStringList finds = {"<", "tr", "<td", "</td>", "Show", "TD>", "td>d", "d<tR", "rtr", "<tRtr",
                                   "Show 1", "tt", "\"a\">", "zz", "r<", "tRtrX"};
        for (const QString &find : finds)
            for (int start = 1; start <= page.size() + 1; ++start) {
                const int plain = start > page.size() ? 0 : int(page.indexOf(find, start - 1)) + 1;
                QVERIFY2(vb::InStr(start, page, find) == plain,
                         qPrintable(QStringLiteral("\"%1\" from %2").arg(find).arg(start)));
            }
    }

    void inStrRev_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("find");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("last") << "abcabc" << "bc" << -1 << 5;
        QTest::newRow("must fit before start") << "abcabc" << "bc" << 5 << 2;
        QTest::newRow("ends at start") << "abcabc" << "bc" << 6 << 5;
        QTest::newRow("absent") << "abc" << "x" << -1 << 0;
        QTest::newRow("start past end") << "abc" << "a" << 4 << 0;
    }
    void inStrRev()
    {
        QFETCH(QString, s);
        QFETCH(QString, find);
        QFETCH(int, start);
        QFETCH(int, expected);
        QCOMPARE(vb::InStrRev(s, find, start), expected);
    }

    void cuts()
    {
        const QString s = QStringLiteral("abcdef");
        QCOMPARE(vb::Mid(s, 1, 2), QStringLiteral("ab"));
        QCOMPARE(vb::Mid(s, 5, 10), QStringLiteral("ef"));
        QCOMPARE(vb::Mid(s, 7, 1), QString());
        QCOMPARE(vb::Mid(s, 3), QStringLiteral("cdef"));
        QCOMPARE(vb::Mid(s, 3, 0), QString());
        QCOMPARE(vb::Left(s, 10), s);
        QCOMPARE(vb::Right(s, 2), QStringLiteral("ef"));
        QCOMPARE(vb::Len(s), 6);
    }

    // A search that found nothing (0) makes the next cut fail with error 5.
    void invalidCutsRaiseError5_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("Mid start 0") << 0;
        QTest::newRow("Mid negative length") << 1;
        QTest::newRow("Mid(start) 0") << 2;
        QTest::newRow("Left negative") << 3;
        QTest::newRow("Right negative") << 4;
        QTest::newRow("InStr start 0") << 5;
        QTest::newRow("InStrRev start 0") << 6;
    }
    void invalidCutsRaiseError5()
    {
        QFETCH(int, which);
        const QString s = QStringLiteral("abc");
        try {
            switch (which) {
            case 0: vb::Mid(s, 0, 1); break;
            case 1: vb::Mid(s, 2, -1); break;
            case 2: vb::Mid(s, 0); break;
            case 3: vb::Left(s, -1); break;
            case 4: vb::Right(s, -1); break;
            case 5: vb::InStr(0, s, QStringLiteral("a")); break;
            case 6: vb::InStrRev(s, QStringLiteral("a"), 0); break;
            }
            QFAIL("no error raised");
        } catch (const vb::Error &e) {
            QCOMPARE(e.number, 5);
            QCOMPARE(e.description, QStringLiteral("Invalid procedure call or argument"));
        }
    }

    void replaceTrimSplit()
    {
        // An empty find must not insert between characters (QString::replace would).
        QCOMPARE(vb::Replace(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
        QCOMPARE(vb::Replace(QStringLiteral("<TD><td>"), QStringLiteral("<TD"), QStringLiteral("<td")),
                 QStringLiteral("<td><td>"));
        QCOMPARE(vb::Replace(QStringLiteral("aaa"), QStringLiteral("aa"), QStringLiteral("b")), QStringLiteral("ba"));
        // Trim removes blanks only.
        QCOMPARE(vb::Trim(QStringLiteral("  \tx \n  ")), QStringLiteral("\tx \n"));
        QCOMPARE(vb::LTrim(QStringLiteral("  x ")), QStringLiteral("x "));
        QCOMPARE(vb::RTrim(QStringLiteral("  x ")), QStringLiteral("  x"));
        // An empty text splits into no pieces, not one empty piece.
        QCOMPARE(vb::Split(QString(), QStringLiteral(";")), QStringList());
        QCOMPARE(vb::Split(QStringLiteral("a;;b;"), QStringLiteral(";")),
                 (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"), QString()}));
        QCOMPARE(vb::Split(QStringLiteral("a;b"), QString()), QStringList{QStringLiteral("a;b")});
    }

    void val_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "12.5" << 12.5;
        QTest::newRow("trailing text") << "12.5%" << 12.5;
        QTest::newRow("blanks inside") << " 1 615 198th Street" << 1615198.0;
        QTest::newRow("tab and line feed") << "\t-3\n.5x" << -3.5;
        QTest::newRow("fraction stops at slash") << "12 3/8" << 123.0;
        QTest::newRow("exponent") << "1.5E2abc" << 150.0;
        QTest::newRow("D exponent") << "2D3" << 2000.0;
        QTest::newRow("E without digits") << "7Every" << 7.0;
        QTest::newRow("no digits") << "N/A" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading point") << ".75" << 0.75;
    }
    void val()
    {
        QFETCH(QString, s);
        QFETCH(double, expected);
        QCOMPARE(vb::Val(s), expected);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("expected"); // or -error number
        QTest::addColumn<bool>("sixteenBit");
        QTest::newRow("plain") << " 12 " << 12 << false;
        QTest::newRow("half to even down") << "2.5" << 2 << false;
        QTest::newRow("half to even up") << "3.5" << 4 << false;
        QTest::newRow("negative") << "-7" << -7 << false;
        QTest::newRow("not a number") << "3a" << -13 << false;
        QTest::newRow("empty") << "" << -13 << false;
        QTest::newRow("infinity is not a number") << "inf" << -13 << false;
        QTest::newRow("16-bit overflow") << "32768" << -6 << true;
        QTest::newRow("16-bit max") << "32767" << 32767 << true;
        QTest::newRow("32-bit overflow") << "3000000000" << -6 << false;
    }
    void wholeNumbers()
    {
        QFETCH(QString, s);
        QFETCH(int, expected);
        QFETCH(bool, sixteenBit);
        int got = 0;
        try {
            got = sixteenBit ? vb::CInt(s) : vb::CLng(s);
        } catch (const vb::Error &e) {
            got = -e.number;
        }
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(TestVbString)
#include "tst_vbstring.moc"
