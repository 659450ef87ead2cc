#include "mainwindow/SymbolColumn.h"

#include <QtTest>

class TestSymbolColumn : public QObject
{
    Q_OBJECT

private slots:
    void markerPositions_data()
    {
        QTest::addColumn<double>("rating");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("x");
        QTest::newRow("strong buy") << 1.0 << 300 << 282;
        QTest::newRow("buy") << 2.0 << 300 << 214;
        QTest::newRow("hold") << 3.0 << 300 << 146;
        QTest::newRow("underperform") << 4.0 << 300 << 78;
        QTest::newRow("sell") << 5.0 << 300 << 9;
        // 1.5 on 305 pixels: 252.39 -> 252; 4.5 on 300: 43.875 -> 44.
        QTest::newRow("between") << 1.5 << 305 << 252;
        QTest::newRow("near sell") << 4.5 << 300 << 44;
        QTest::newRow("narrow") << 3.0 << 4 << 2; // 1.945
        QTest::newRow("no width") << 2.0 << 0 << 0;
    }

    void markerPositions()
    {
        QFETCH(double, rating);
        QFETCH(int, width);
        QFETCH(int, x);
        QCOMPARE(GaugeMarkerX(rating, width), x);
    }
};

QTEST_GUILESS_MAIN(TestSymbolColumn)
#include "tst_symbolcolumn.moc"
