#include "core/PlainTicker.h"

#include <QtTest>

class TestPlainTicker : public QObject
{
    Q_OBJECT

private slots:
    void plainTicker_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<bool>("plain");
        QTest::newRow("letters") << "ACME" << true;
        QTest::newRow("lower case") << "msft" << true;
        QTest::newRow("one letter") << "F" << true;
        QTest::newRow("class share") << "BRK.A" << true;
        QTest::newRow("preferred") << "PBR-A" << true;
        QTest::newRow("index") << "^DJI" << true;
        QTest::newRow("digits") << "3M1" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("slash") << "A/B" << false;
        QTest::newRow("backslash") << "A\\B" << false;
        QTest::newRow("parent folder") << ".." << false;
        QTest::newRow("path step") << "../x" << false;
        QTest::newRow("two dots inside") << "A..B" << false;
        QTest::newRow("blank") << "AC ME" << false;
        QTest::newRow("line break") << "ACME\r\nX" << false;
        QTest::newRow("query") << "A&b=1" << false;
        QTest::newRow("wildcard") << "A*" << false;
        QTest::newRow("non-ASCII letter") << QString::fromUtf8("\xc3\x84" "BC") << false;
    }
    void plainTicker()
    {
        QFETCH(QString, symbol);
        QTEST(isPlainTicker(symbol), "plain");
    }
};

QTEST_GUILESS_MAIN(TestPlainTicker)
#include "tst_plainticker.moc"
