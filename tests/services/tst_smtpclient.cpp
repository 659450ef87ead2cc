#include "services/SmtpClient.h"
#include "support/MailServer.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
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
                // The message data ends at a line holding ".".
                if (m_inData && m_received.contains("\r\n.\r\n")) {
                    m_received.remove(0, m_received.indexOf("\r\n.\r\n") + 5);
                    m_inData = false;
                    say();
                }
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
    QElapsedTimer hungUp; // started when the peer hangs up

private:
    // An answer beginning "~" goes in two packets, 50 ms apart; "!" hangs up.
    void say()
    {
        QString a = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        if (a.isEmpty())
            return;
        if (a == QLatin1String("!")) {
            hungUp.start();
            m_client->disconnectFromHost();
            return;
        }
        if (!a.startsWith(QLatin1Char('~'))) {
            m_client->write(a.toLatin1() + "\r\n");
            return;
        }
        const QByteArray whole = a.mid(1).toLatin1() + "\r\n";
        m_client->write(whole.left(whole.size() / 2));
        m_client->flush();
        QTimer::singleShot(50, m_client, [client = m_client, rest = whole.mid(whole.size() / 2)] { client->write(rest); });
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
        MailServer server;
        START_TEST_SERVER(server);
        const int port = server.port();

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
        QCOMPARE(client.LastFailure, QString());
        QCOMPARE(statuses, (QStringList{QStringLiteral("Connecting...."), QStringLiteral("Connected"),
                                        QStringLiteral("Sending Message"), QStringLiteral("Disconnecting")}));
        QCOMPARE(client.Winsock1.State(), 0);

        QCOMPARE(server.messages().size(), 1);
        const QString mail = server.messages().first();
        QVERIFY(mail.contains(QStringLiteral("X-MailFrom: jo@example.org")));
        QVERIFY(mail.contains(QStringLiteral("X-RcptTo: feedback@pellor.example")));
        QVERIFY(mail.contains(QStringLiteral("From: Jo Investor\n")));
        QVERIFY(mail.contains(QStringLiteral("X-Mailer: Brindlewick Mailer v 2.x\n")));
        QVERIFY(mail.contains(QStringLiteral("To: Pellor\n")));
        QVERIFY(mail.contains(QStringLiteral("Subject: Brindlewick User Feedback\n")));
        QVERIFY(QRegularExpression(QStringLiteral("Date: (Mon|Tue|Wed|Thu|Fri|Sat|Sun), \\d\\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\n"))
                    .match(mail)
                    .hasMatch());
        // The line that began with a dot arrives as written.
        QVERIFY(mail.contains(QStringLiteral("Age: 30-39\n.hidden line\nComments: none")));
        // Plain ASCII goes as it always went.
        QVERIFY(!mail.contains(QStringLiteral("MIME-Version")));
    }

    // Mail read back as a mail reader reads it: text in any language, a
    // paragraph far longer than a line may be, names with line breaks and
    // names left empty arrive as typed, with no header added and no line
    // on the wire over 998 octets. The port named with the server is the
    // one used.
    void mailArrivesAsTypedInAnyLanguage()
    {
        MailServer server;
        START_TEST_SERVER(server);
        const QString paragraph = QStringLiteral("Dividends, splits and quotes. ").repeated(100); // 3000 octets
        struct Mail
        {
            QString from, fromEmail, toName, subject, body;
            QString fromSeen, toSeen, subjectSeen;
        };
        const QList<Mail> mails = {
            {QStringLiteral("Zoë Müller — 日本"), QStringLiteral("zoe@example.org"), QStringLiteral("Pellor’s desk"),
             QStringLiteral("Café price € 5 — ’quoted’ 日本語の件名 that runs on well past one encoded word"),
             QStringLiteral("Prix: 5 €\r\né ü ß — 日本\r\n.dot line\r\n") + paragraph,
             QStringLiteral("Zoë Müller — 日本"), QStringLiteral("Pellor’s desk"),
             QStringLiteral("Café price € 5 — ’quoted’ 日本語の件名 that runs on well past one encoded word")},
            {QStringLiteral("Jo\r\nBcc: spy@example.org"), QStringLiteral("jo@example.org"), QStringLiteral("Pellor"),
             QStringLiteral("Hello\r\nBcc: spy@example.org"), paragraph, QStringLiteral("JoBcc: spy@example.org"),
             QStringLiteral("Pellor"), QStringLiteral("HelloBcc: spy@example.org")},
            {QString(), QStringLiteral("jo@example.org"), QString(), QStringLiteral("s"), QStringLiteral("b"),
             QStringLiteral("jo@example.org"), QStringLiteral("feedback@pellor.example"), QStringLiteral("s")},
        };
        for (const Mail &m : mails) {
            SmtpClient client;
            client.Port = freePort(); // nothing listens on the port not named
            client.WaitSeconds = 5;
            QVERIFY2(client.SendEmail(QStringLiteral("127.0.0.1:%1").arg(server.port()), m.from, m.fromEmail, m.toName,
                                      QStringLiteral("feedback@pellor.example"), m.subject, m.body),
                     qPrintable(client.LastFailure));
        }
        const QList<QJsonObject> read = server.readBack();
        QCOMPARE(read.size(), mails.size());
        for (qsizetype i = 0; i < mails.size(); ++i) {
            QMap<QString, QString> headers;
            for (const QJsonValue &pair : read[i][QStringLiteral("headers")].toArray())
                headers.insert(pair.toArray()[0].toString(), pair.toArray()[1].toString());
            QVERIFY2(!headers.contains(QStringLiteral("Bcc")), qPrintable(QString::number(i)));
            QCOMPARE(headers.value(QStringLiteral("From")), mails[i].fromSeen);
            QCOMPARE(headers.value(QStringLiteral("To")), mails[i].toSeen);
            QCOMPARE(headers.value(QStringLiteral("Subject")), mails[i].subjectSeen);
            QString body = mails[i].body;
            body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QCOMPARE(read[i][QStringLiteral("body")].toString(), body + QStringLiteral("\n"));
            QVERIFY(read[i][QStringLiteral("longestLine")].toInt() <= 998);
        }
        QCOMPARE(read[0][QStringLiteral("charset")].toString(), QStringLiteral("utf-8"));
    }

    // A refusal ends the exchange: no data is sent, the client says
    // goodbye and the user is told what the server said.
    void refusalStopsBeforeData()
    {
        ScriptedSmtpPeer peer({QStringLiteral("220 hello"), QStringLiteral("250 hi"), QStringLiteral("250 ok"),
                               QStringLiteral("550 no such user"), QStringLiteral("221 bye")});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = peer.port();
        client.WaitSeconds = 5;
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(),
                                  QStringLiteral("nobody@example.org"), QStringLiteral("s"), QString()));
        QCOMPARE(dialogs.shown().size(), 0); // the caller shows it
        QCOMPARE(client.LastFailure,
                 QStringLiteral("SMTP service error, impromper response code. Code should have been: 250 Code recieved: "
                                "550 no such user"));
        QTRY_COMPARE_WITH_TIMEOUT(peer.lines, (QStringList{"HELO pellor.example", "MAIL FROM:<>",
                                                           "RCPT TO:<nobody@example.org>", "quit"}),
                                  2000);
        QCOMPARE(client.Winsock1.State(), 0);
    }

    // Replies are read whole: a greeting in two packets and a reply of
    // several lines are one reply each, and the exchange stays in step.
    void splitAndMultiLineReplies()
    {
        ScriptedSmtpPeer peer({QStringLiteral("~220 mail.example ready"),
                               QStringLiteral("250-mail.example\r\n250-SIZE 100\r\n250 HELP"),
                               QStringLiteral("~250 sender ok"), QStringLiteral("250 recipient ok"),
                               QStringLiteral("354 go on"), QStringLiteral("250 queued"), QStringLiteral("221 bye")});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = peer.port();
        client.WaitSeconds = 5;
        QVERIFY(client.SendEmail(QStringLiteral("127.0.0.1"), QStringLiteral("Jo\r\nBcc: x@y"),
                                 QStringLiteral("jo@example.org"), QStringLiteral("Pellor"),
                                 QStringLiteral("feedback@pellor.example"), QStringLiteral("Hi"),
                                 QStringLiteral("one\ntwo")));
        QCOMPARE(dialogs.shown().size(), 0);
        QCOMPARE(peer.lines.mid(0, 4), (QStringList{"HELO pellor.example", "MAIL FROM:<jo@example.org>",
                                                    "RCPT TO:<feedback@pellor.example>", "data"}));
    }

    // The wire form of a body: CR LF line ends, a leading "." doubled;
    // header values lose line breaks.
    void bodyOnTheWire()
    {
        QCOMPARE(SmtpClient::wireBody(QStringLiteral("a\n.\r\n..b\rc")), QStringLiteral("a\r\n..\r\n...b\r\nc"));
    }

    // A server that stops answering after HELO: the wait ends with the
    // time-out message and nothing more is sent.
    void serverStopsAnswering()
    {
        ScriptedSmtpPeer peer({QStringLiteral("220 hello"), QStringLiteral("250 hi")});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = peer.port();
        client.WaitSeconds = 1;
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QStringLiteral("a@b"), QString(),
                                  QStringLiteral("c@d"), QString(), QString()));
        QCOMPARE(dialogs.shown().size(), 0);
        QCOMPARE(client.LastFailure, QStringLiteral("SMTP service error, timed out while waiting for response"));
        QTRY_COMPARE_WITH_TIMEOUT(peer.lines, (QStringList{"HELO pellor.example", "MAIL FROM:<a@b>", "quit"}), 2000);
    }

    void silentServerTimesOut()
    {
        ScriptedSmtpPeer peer({});
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = peer.port();
        client.WaitSeconds = 1;
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(), QString(),
                                  QString(), QString()));
        QCOMPARE(client.LastFailure, QStringLiteral("SMTP service error, timed out while waiting for response"));
    }

    void unreachableServerFailsAtOnce()
    {
        ScriptedDialogs dialogs;
        SmtpClient client;
        client.Port = freePort(); // nothing listens there
        client.WaitSeconds = 30;
        QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QString(), QString(), QString(),
                                  QString(), QString()));
        QCOMPARE(dialogs.shown().size(), 0);
        QCOMPARE(client.LastFailure, QStringLiteral("Connection refused by 127.0.0.1"));
        QCOMPARE(client.Winsock1.State(), 0);
    }

    // A server that hangs up, at once or after HELO, is said to have done
    // so as soon as it does: the wait ends on the socket's close, long
    // before the time limit, with the words of a hang-up.
    void hangUpIsReportedAtOnce()
    {
        for (const QStringList &answers : {QStringList{"!"}, QStringList{"220 hello", "250 hi", "!"}}) {
            ScriptedSmtpPeer peer(answers);
            SmtpClient client;
            client.Port = peer.port();
            client.WaitSeconds = 20;
            bool late = false;
            QTimer::singleShot(10000, &client, [&late] { late = true; });
            QVERIFY(!client.SendEmail(QStringLiteral("127.0.0.1"), QString(), QStringLiteral("a@b"), QString(),
                                      QStringLiteral("c@d"), QString(), QString()));
            qInfo("hang-up reported %lld us after it happened", qint64(peer.hungUp.nsecsElapsed() / 1000));
            QVERIFY(!late);
            QCOMPARE(client.LastFailure, QStringLiteral("Connection closed by 127.0.0.1"));
            QCOMPARE(peer.lines.size(), answers.size() - 1); // HELO and MAIL FROM, no goodbye to nobody
        }
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
        QCOMPARE(dialogs.shown().size(), 0);
        QCOMPARE(client.LastFailure, QStringLiteral(" 7"));
    }
};

QTEST_GUILESS_MAIN(TestSmtpClient)
#include "tst_smtpclient.moc"
