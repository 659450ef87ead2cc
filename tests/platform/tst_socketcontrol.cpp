#include "platform/SocketControl.h"
#include "support/site/FixtureSite.h"

#include <QElapsedTimer>
#include <QtTest>

class TestSocketControl : public QObject
{
    Q_OBJECT

private slots:
    // Connect, the reply, the server's close: events in order, state 8
    // until the program closes its end.
    void exchangeEventsAndStates()
    {
        FixtureSite site;
        QVERIFY(site.start());
        SocketControl ws;
        QStringList events;
        QString received;
        connect(&ws, &SocketControl::Connected, this, [&] {
            events << QStringLiteral("Connect:%1").arg(ws.State());
            ws.SendData(QStringLiteral("GET /index.html HTTP/1.0\r\n\r\n"));
        });
        connect(&ws, &SocketControl::DataArrival, this, [&] { received += ws.GetData(); });
        connect(&ws, &SocketControl::CloseEvent, this, [&] {
            events << QStringLiteral("Close:%1").arg(ws.State());
            ws.Close();
        });
        ws.RemoteHost = QStringLiteral("127.0.0.1");
        ws.RemotePort = site.port();
        QVERIFY(ws.Connect());
        QVERIFY(!ws.Connect());  // one connection at a time
        QVERIFY(ws.waitUntilClosed(2000));
        QCOMPARE(events, QStringList({QStringLiteral("Connect:7"), QStringLiteral("Close:8")}));
        QVERIFY(received.startsWith(QLatin1String("HTTP/1.0 200 OK\r\n")));
        QVERIFY(received.endsWith(QLatin1String("</html>\n")));
        QCOMPARE(ws.State(), 0);
    }

    // A refused connection raises one error and keeps state 9 until Close;
    // the wait gives up on it at once.
    void errorStateHoldsUntilClose()
    {
        quint16 deadPort = 0;
        {
            FixtureSite gone;
            QVERIFY(gone.start());
            deadPort = gone.port();
        }
        SocketControl ws;
        QList<int> numbers;
        connect(&ws, &SocketControl::Error, this, [&](int n, const QString &) { numbers << n; });
        ws.RemoteHost = QStringLiteral("127.0.0.1");
        ws.RemotePort = deadPort;
        ws.Connect();
        QTRY_COMPARE_WITH_TIMEOUT(ws.State(), int(SocketControl::sckError), 2000);
        QTest::qWait(50);
        QCOMPARE(ws.State(), int(SocketControl::sckError));
        QCOMPARE(numbers, QList<int>({10061}));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ws.waitUntilClosed(5000));
        QVERIFY(clock.elapsed() < 500);
        QCOMPARE(ws.State(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSocketControl)
#include "tst_socketcontrol.moc"
