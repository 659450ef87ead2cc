#include "platform/SocketControl.h"
#include "support/DeadPort.h"

#include <QElapsedTimer>
#include <QtTest>

class TestSocketControl : public QObject
{
    Q_OBJECT

private slots:
    // A refused connection raises one error and keeps state 9 until Close;
    // the wait gives up on it at once.
    void errorStateHoldsUntilClose()
    {
        const DeadPort dead;
        QVERIFY(dead.port());
        SocketControl ws;
        QList<int> numbers;
        connect(&ws, &SocketControl::Error, this, [&](int n, const QString &) { numbers << n; });
        ws.RemoteHost = QStringLiteral("127.0.0.1");
        ws.RemotePort = dead.port();
        ws.Connect();
        QTRY_COMPARE_WITH_TIMEOUT(ws.State(), int(SocketControl::sckError), 2000);
        QTest::qWait(50);
        QCOMPARE(ws.State(), int(SocketControl::sckError));
        QCOMPARE(numbers, QList<int>({10061}));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ws.waitUntilClosed(60000));
        // Generous: only a wait that runs to its limit gets near it.
        QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(ws.State(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSocketControl)
#include "tst_socketcontrol.moc"
