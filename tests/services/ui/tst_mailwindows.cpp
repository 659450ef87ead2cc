// The send-mail window, the error-log mail and the support request against
// a real mail server, and what each says when the mail does not go.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "platform/Latin1File.h"
#include "services/MailJobs.h"
#include "services/SmtpClient.h"
#include "services/ui/frmEmail.h"
#include "services/ui/frmSupport.h"
#include "support/MailServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QtTest>

class TestMailWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    std::unique_ptr<MailServer> m_server;

    void writeLog(const QByteArray &text)
    {
        QVERIFY(saveFileAtomically(DataDir + QStringLiteral("/ErrorLog.txt"), text));
    }
    static int deadPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<MailServer>();
        START_TEST_SERVER(*m_server);
    }
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("127.0.0.1"));
        SaveSetting(QStringLiteral("Email"), QStringLiteral("jo@example.org"));
        SmtpClient::DefaultPort = m_server->port();
    }
    void cleanup()
    {
        UnloadEmail();
        UnloadSupport();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The window system's news of the closed window (its deactivation)
        // is taken now, not in the middle of the next test.
        QCoreApplication::processEvents();
        SmtpClient::DefaultPort = 25;
        m_profile.reset();
    }

    // A message typed in the window arrives whole; "Mail Sent" follows the
    // server's acceptance and the window closes.
    void sendMailWindow()
    {
        ScriptedDialogs dialogs;
        frmEmail *w = ShowEmail(nullptr, 0);
        QCOMPARE(w->txtServer->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(w->txtFromEmail->text(), QStringLiteral("jo@example.org"));
        w->txtFromName->setText(QStringLiteral("Jo"));
        w->txtToEmail->setText(QStringLiteral("friend@example.com"));
        w->txtToName->setText(QStringLiteral("Friend"));
        w->txtSubject->setText(QStringLiteral("Look"));
        w->txtBody->setPlainText(QStringLiteral("First line\n.dotted line\nlast"));
        writeLog("--------------\r\nTime: 10:00:00\r\n");
        w->chkError->setChecked(true);
        const int before = m_server->messages().size();
        w->cmdSend->click();
        QCOMPARE(dialogs.shown().size(), 0);
        QCOMPARE(m_server->messages().size(), before + 1);
        const QString mail = m_server->messages().last();
        QVERIFY(mail.contains(QStringLiteral("X-MailFrom: jo@example.org\n")));
        QVERIFY(mail.contains(QStringLiteral("X-RcptTo: friend@example.com\n")));
        QVERIFY(mail.contains(QStringLiteral("From: Jo\n")));
        QVERIFY(mail.contains(QStringLiteral("To: Friend\n")));
        QVERIFY(mail.contains(QStringLiteral("Subject: Look\n")));
        QVERIFY(mail.contains(QStringLiteral("\n\nFirst line\n.dotted line\nlast\n--------------\nTime: 10:00:00\n")));
        QVERIFY(!emailWindow());
    }

    // A server that cannot be reached: no "Mail Sent", the window and the
    // text stay; an empty server field is asked for first.
    void sendMailWindowFailure()
    {
        ScriptedDialogs dialogs;
        frmEmail *w = ShowEmail(nullptr, 0);
        w->txtServer->clear();
        w->cmdSend->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Please fill empty fileds"));
        QVERIFY(dialogs.shown().first().prompt.startsWith(QStringLiteral("You must enter your Email server (Ex.: \"")));
        w->txtServer->setText(QStringLiteral("127.0.0.1"));
        w->txtToEmail->setText(QStringLiteral("friend@example.com"));
        w->txtBody->setPlainText(QStringLiteral("keep me"));
        // No sender at all: asked for, nothing sent.
        w->txtFromEmail->clear();
        const int before = m_server->messages().size();
        w->cmdSend->click();
        QCOMPARE(dialogs.shown().size(), 2);
        QVERIFY(dialogs.shown().last().prompt.startsWith(QStringLiteral("You must enter your E-mail address")));
        QCOMPARE(m_server->messages().size(), before);
        w->txtFromEmail->setText(QStringLiteral("jo@example.org"));
        SmtpClient::DefaultPort = deadPort();
        w->cmdSend->click();
        QCOMPARE(emailWindow(), w);
        QCOMPARE(w->StatusTxt->text(), QStringLiteral("Mail Not Sent"));
        QCOMPARE(w->txtBody->toPlainText(), QStringLiteral("keep me"));
    }

    // The error log goes to the support address whole; its status says
    // how it ended.
    void errorLogMail()
    {
        ScriptedDialogs dialogs;
        QStringList statuses;
        const auto status = [&](const QString &s) { statuses << s; };
        SendErrorLog(status);
        QCOMPARE(statuses, (QStringList{"Sending Error Log..", "Error Log Is Empty"}));
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Empty Error Log"));

        writeLog("--------------\r\nDescription:   boom\r\n");
        statuses.clear();
        SendErrorLog(status);
        QCOMPARE(statuses, (QStringList{"Sending Error Log..", "Error Log Sent"}));
        const QString mail = m_server->messages().last();
        QVERIFY(mail.contains(QStringLiteral("X-RcptTo: support@pellor.example\n")));
        QVERIFY(mail.contains(QStringLiteral("Subject: Brindlewick User Error Log\n")));
        QVERIFY(mail.contains(QStringLiteral("Description:   boom")));

        SmtpClient::DefaultPort = deadPort();
        statuses.clear();
        SendErrorLog(status);
        QCOMPARE(statuses.last(), QStringLiteral("Error Log Not Sent"));

        // A server given in the prompt: the status says the log is sending
        // again while it goes, not "No Email Server".
        SmtpClient::DefaultPort = m_server->port();
        SaveSetting(QStringLiteral("EmailServer"), QString());
        dialogs.answer(Msg::OK);
        dialogs.answerInput(QStringLiteral("127.0.0.1"));
        statuses.clear();
        SendErrorLog(status);
        QCOMPARE(statuses, (QStringList{"Sending Error Log..", "No Email Server", "Sending Error Log..", "Error Log Sent"}));
    }

    // The close box unloads the mail and support windows as Close and Exit
    // do: the next opening starts empty (no error log ticked for a friend).
    void closeBoxUnloadsTheWindows()
    {
        ScriptedDialogs dialogs;
        frmEmail *mail = ShowEmail(nullptr, 0);
        mail->txtSubject->setFocus();
        QTest::keyClicks(mail->txtSubject, QStringLiteral("Bug report"));
        QTest::mouseClick(mail->chkError, Qt::LeftButton);
        mail->close();
        ShowSupport(nullptr, 0);
        supportWindow()->txtName->setText(QStringLiteral("Jo"));
        supportWindow()->close();
        QVERIFY(!emailWindow() && !supportWindow());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mail = ShowEmail(nullptr, 0);
        QVERIFY(mail->txtSubject->text().isEmpty() && !mail->chkError->isChecked());
        ShowSupport(nullptr, 0);
        QCOMPARE(supportWindow()->txtName->text(), QString());
    }

    // Closing the window while its mail waits for the server's answer to
    // HELO ends the exchange with QUIT at once; the window goes only after
    // the send has returned to it.
    void closingWhileSendingEndsTheExchange()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        SmtpClient::DefaultPort = silent.serverPort();
        QByteArray heard;
        QPointer<frmEmail> w = ShowEmail(nullptr, 0);
        connect(&silent, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *c = silent.nextPendingConnection();
            c->write("220 hello\r\n");
            connect(c, &QTcpSocket::readyRead, this, [&, c] {
                if ((heard += c->readAll()) == "HELO pellor.example\r\n")
                    w->close();
            });
        });
        w->txtToEmail->setText(QStringLiteral("friend@example.com"));
        bool late = false;
        QTimer::singleShot(20000, this, [&late] { late = true; });
        ScriptedDialogs dialogs;
        QTest::mouseClick(w->cmdSend, Qt::LeftButton);
        QVERIFY(!late && !emailWindow() && dialogs.shown().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(heard, QByteArray("HELO pellor.example\r\nquit\r\n"), 5000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w);
    }

    // The support window's Alt keys act from every field, and no field
    // takes the letter; the letters alone are plain typing.
    void supportKeysFromEveryField()
    {
        ScriptedDialogs dialogs;
        ShowSupport(nullptr, 0);
        frmSupport *w = supportWindow();
        for (QWidget *field : QList<QWidget *>{w->txtName, w->txtEmail, w->cboSystem, w->txtError, w->txtDesc}) {
            w->txtName->setText(QStringLiteral("Jo"));
            w->cboSystem->setCurrentIndex(3);
            field->setFocus();
            QTest::keyClick(field, Qt::Key_R, Qt::AltModifier);
            QCOMPARE(w->txtName->text() + w->txtEmail->text() + w->txtDesc->toPlainText(), QStringLiteral("jo@example.org"));
            QCOMPARE(w->cboSystem->currentIndex(), 1);
        }
        QTest::keyClicks(w->txtDesc, QStringLiteral("sxr"));
        QCOMPARE(w->txtDesc->toPlainText(), QStringLiteral("sxr"));
        w->cboSystem->setFocus();
        QTest::keyClick(w->cboSystem, Qt::Key_X, Qt::AltModifier);
        QVERIFY(!supportWindow());
        ShowSupport(nullptr, 0);
        supportWindow()->txtError->setFocus();
        QTest::keyClick(supportWindow()->txtError, Qt::Key_Escape);
        QVERIFY(!supportWindow());
    }

    // With no server stored, the prompt's answer is the server however
    // short; a cancelled prompt keeps the request in the window as typed.
    // Alt+S from the description box submits.
    void supportServerPrompt()
    {
        SaveSetting(QStringLiteral("EmailServer"), QString());
        ScriptedDialogs dialogs;
        ShowSupport(nullptr, 0);
        frmSupport *w = supportWindow();
        w->chkError->setChecked(false);
        w->txtDesc->setFocus();
        QTest::keyClicks(w->txtDesc, QStringLiteral("Charts fail"));
        dialogs.answerInput(QString());
        QTest::keyClick(w->txtDesc, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(supportWindow(), w);
        QCOMPARE(w->txtDesc->toPlainText(), QStringLiteral("Charts fail"));

        dialogs.answerInput(QStringLiteral("0")); // one character, and it names this machine
        const int before = m_server->messages().size();
        QTest::keyClick(w->txtDesc, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(m_server->messages().size(), before + 1);
        QVERIFY(m_server->messages().last().contains(QStringLiteral("Note: Charts fail\n")));
        QCOMPARE(QuerySetting(QStringLiteral("EmailServer")).toString(), QStringLiteral("0"));
        QVERIFY(!supportWindow());
    }

    // The support request arrives from the address typed in the window,
    // with the answers; a request that does not go stays in the window.
    void supportRequest()
    {
        ScriptedDialogs dialogs;
        ShowSupport(nullptr, 0);
        frmSupport *w = supportWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->txtEmail->text(), QStringLiteral("jo@example.org"));
        w->txtEmail->setText(QStringLiteral("typed@example.net"));
        w->txtName->setText(QStringLiteral("Jo Investor"));
        w->optConnect[0]->click();
        w->txtDesc->setPlainText(QStringLiteral("It stops."));
        w->chkError->setChecked(false);

        SmtpClient::DefaultPort = deadPort();
        QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(supportWindow(), w);
        QCOMPARE(w->txtDesc->toPlainText(), QStringLiteral("It stops."));

        SmtpClient::DefaultPort = m_server->port();
        const int before = m_server->messages().size();
        QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(m_server->messages().size(), before + 1);
        const QString mail = m_server->messages().last();
        QVERIFY(mail.contains(QStringLiteral("X-MailFrom: typed@example.net\n")));
        QVERIFY(mail.contains(QStringLiteral("Subject: Brindlewick Technical Support Request\n")));
        QVERIFY(mail.contains(QStringLiteral("From: Jo Investor\nEmail: typed@example.net\n"
                                             "Brindlewick version: Pellor Brindlewick 5.2\n"
                                             "Operating system: Windows 98\nInternet Connection: Internet\n"
                                             "Proxy: Don't Know\nError Massage: No\nError Descreption: \n")
                                  + QString(41, QLatin1Char('*')) + QStringLiteral("\nNote: It stops.")));
        QVERIFY(!supportWindow());
    }
};

QTEST_MAIN(TestMailWindows)
#include "tst_mailwindows.moc"
