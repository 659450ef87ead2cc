#include "services/SmtpClient.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {
int freePort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

// A mail server that follows a script: its greeting, then one answer per
// command line received ("" = stay silent).
class ScriptedSmtpPeer : public QObject
{
public:
    explicit ScriptedSmtpPeer(QStringList answers) : m_answers(std::move(answers))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            say();
            connect(m_client, &QTcpSocket::readyRead, this, [this] {
                m_received += m_client->readAll();
                while (m_received.contains("\r\n") && !m_inData) {
                    const qsizetype end = m_received.indexOf("\r\n");
                    const QByteArray line = m_received.left(end);
                    m_received.remove(0, end + 2);
                    lines << QString::fromLatin1(line);
                    m_inData = line == "data";
                    say();
                }
            });
        });
    }
    int port() const { return m_server.serverPort(); }
    QStringList lines;

private:
    void say()
    {
        const QString a = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        if (!a.isEmpty())
            m_client->write(a.toLatin1() + "\r\n");
    }
    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
    QStringList m_answers;
    QByteArray m_received;
    bool m_inData = false;
};
} // namespace

class TestSmtpClient : public QObject
{
    Q_OBJECT

private slots:
    void sendsOneMessageToARealServer()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("no Debian python3 for the mail server");
        QTemporaryDir box;
        const int port = freePort();
        QProcess server;
        server.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-m"), QStringLiteral("aiosmtpd"), QStringLiteral("-n"), QStringLiteral("-l"),
                      QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("-c"),
                      QStringLiteral("aiosmtpd.handlers.Mailbox"), box.path() + QStringLiteral("/mail")});
        QVERIFY(server.waitForStarted(5000));
        QElapsedTimer up;
        up.start();
        bool ready = false;
        while (!ready && up.elapsed() < 10000) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, quint16(port));
            ready = probe.waitForConnected(200);
            if (!ready)
                QTest::qWait(100);
            if (server.state() != QProcess::Running)
                QSKIP("python3-aiosmtpd is not installed");
        }
        QVERIFY(ready);

        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = port;
        client.WaitSeconds = 5;
        QStringList statuses;
        client.statusChanged = [&](const QString &s) { statuses << s; };
        const QString body = QStringLiteral("Age: 30-39\r\n.hidden line\r\nComments: none");
        QVERIFY(client.SendEmail(QStringLiteral("127.0.0.1"), QStringLiteral("Jo Investor"),
                                 QStringLiteral("jo@example.org"), QStringLiteral("Pellor"),
                                 QStringLiteral("feedback@pellor.example"), QStringLiteral("Brindlewick User Feedback"),
                                 body));
        QCOMPARE(dialogs.shown().size(), 0);
        QCOMPARE(statuses, (QStringList{QStringLiteral("Connecting...."), QStringLiteral("Connected"),
                                        QStringLiteral("Sending Message"), QStringLiteral("Disconnecting")}));
        QCOMPARE(client.Winsock1.State(), 0);

        const QStringList files = QDir(box.path() + QStringLiteral("/mail/new")).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QFile f(box.path() + QStringLiteral("/mail/new/") + files.first());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString mail = QString::fromLatin1(f.readAll());
        QVERIFY(mail.contains(QStringLiteral("X-MailFrom: jo@example.org")));
        QVERIFY(mail.contains(QStringLiteral("X-RcptTo: feedback@pellor.example")));
        QVERIFY(mail.contains(QStringLiteral("From: Jo Investor\n")));
        QVERIFY(mail.contains(QStringLiteral("X-Mailer: Brindlewick Mailer v 2.x\n")));
        QVERIFY(mail.contains(QStringLiteral("To: Pellor\n")));
        QVERIFY(mail.contains(QStringLiteral("Subject: Brindlewick User Feedback\n")));
        QVERIFY(QRegularExpression(QStringLiteral("Date: \\w{3}, \\d\\d \\w{3} \\d{4} \\d\\d:\\d\\d:\\d\\d -0600\n"))
                    .match(mail)
                    .hasMatch());
        // The line that began with a dot arrives as written.
        QVERIFY(mail.contains(QStringLiteral("Age: 30-39\n.hidden line\nComments: none")));
        server.terminate();
        server.waitForFinished(5000);
    }

    void wrongCodeIsReportedAndTheExchangeGoesOn()
    {
        ScriptedSmtpPeer peer({QStringLiteral("220 hello"), QStringLiteral("250 hi"), QStringLiteral("250 ok"),
                               QStringLiteral("550 no such user"), QStringLiteral("354 go"), QStringLiteral("250 ok"),
                               QStringLiteral("221 bye")});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = peer.port();
        client.WaitSeconds = 1;
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(),
                                  QStringLiteral("nobody@example.org"), QStringLiteral("s"), QString()));
        QVERIFY(dialogs.shown().size() >= 1);
        QCOMPARE(dialogs.shown().first().prompt,
                 QStringLiteral("SMTP service error, impromper response code. Code should have been: 250 Code recieved: "
                                "550 no such user\r\n"));
        // After the refusal the client still went on with "data".
        QVERIFY(peer.lines.contains(QStringLiteral("data")));
        QCOMPARE(peer.lines.value(1), QStringLiteral("mail from: "));
    }

    void silentServerTimesOut()
    {
        ScriptedSmtpPeer peer({});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = peer.port();
        client.WaitSeconds = 1;
        QElapsedTimer t;
        t.start();
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(), QString(),
                                  QString(), QString()));
        QVERIFY(t.elapsed() < 15000);
        QVERIFY(!dialogs.shown().isEmpty());
        QCOMPARE(dialogs.shown().first().prompt,
                 QStringLiteral("SMTP service error, timed out while waiting for response"));
    }

    void unreachableServerFailsAtOnce()
    {
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = freePort(); // nothing listens there
        client.WaitSeconds = 30;
        QElapsedTimer t;
        t.start();
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(), QString(),
                                  QString(), QString()));
        QVERIFY(t.elapsed() < 5000);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shown().first().prompt.endsWith(QStringLiteral(" 40006")));
    }

    void busySocketSendsNothing()
    {
        ScriptedSmtpPeer peer({QStringLiteral("220 hello")});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Winsock1.RemoteHost = QStringLiteral("127.0.0.1");
        client.Winsock1.RemotePort = peer.port();
        client.Winsock1.Connect();
        QTRY_COMPARE_WITH_TIMEOUT(client.Winsock1.State(), 7, 5000);
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(), QString(),
                                  QString(), QString()));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().prompt, QStringLiteral(" 7"));
    }
};

QTEST_GUILESS_MAIN(TestSmtpClient)
#include "tst_smtpclient.moc"
