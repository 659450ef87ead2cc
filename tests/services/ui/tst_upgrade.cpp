// The upgrade download: a real FTP server for the whole exchange, a
// scripted one for the ends a real server does not produce.
#include "core/Registry.h"
#include "core/Sites.h"
#include "platform/Latin1File.h"
#include "services/FtpDownload.h"
#include "services/ui/frmUpgrade.h"
#include "support/FtpServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// An FTP server that walks the login like a real one, then answers the
// transfer as the test says: sends part of the file and a given last reply
// (none when empty), or falls silent.
class ScriptedFtp : public QObject
{
public:
    QByteArray file;
    int sendBytes = -1;          // bytes of the file sent (-1: all)
    QByteArray lastReply = "226 Transfer complete.\r\n";
    bool silent = false;

    ScriptedFtp()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_control = m_server.nextPendingConnection();
            if (silent)
                return;
            m_control->write("220-Scripted server\r\n220 Ready.\r\n");
            QObject::connect(m_control, &QTcpSocket::readyRead, this, [this] { answer(); });
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    void answer()
    {
        while (m_control->canReadLine()) {
            const QByteArray line = m_control->readLine().trimmed();
            if (line.startsWith("USER"))
                m_control->write("331 Password please.\r\n");
            else if (line.startsWith("PASS"))
                m_control->write("230 Logged in.\r\n");
            else if (line.startsWith("TYPE"))
                m_control->write("200 Binary.\r\n");
            else if (line.startsWith("PORT")) {
                const QList<QByteArray> n = line.mid(5).split(',');
                m_dataPort = quint16(n.value(4).toInt() * 256 + n.value(5).toInt());
                m_control->write("200 PORT ok.\r\n");
            } else if (line.startsWith("RETR")) {
                m_control->write("150 Opening BINARY connection (" + QByteArray::number(file.size()) + " bytes).\r\n");
                auto *data = new QTcpSocket(this);
                data->connectToHost(QHostAddress::LocalHost, m_dataPort);
                QVERIFY(data->waitForConnected(5000));
                data->write(sendBytes < 0 ? file : file.left(sendBytes));
                data->waitForBytesWritten(5000);
                data->disconnectFromHost();
                if (!lastReply.isEmpty())
                    m_control->write(lastReply);
            }
        }
    }
    QTcpServer m_server;
    QTcpSocket *m_control = nullptr;
    quint16 m_dataPort = 0;
};

QByteArray randomBytes(int n)
{
    QByteArray bytes(n, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    QTemporaryDir m_out;

    QString target() const { return m_out.path() + QStringLiteral("/Brw504U.zip"); }

    // Runs one download from the window; answers its end message.
    frmUpgrade *download(quint16 port, ScriptedDialogs &dialogs, int waitSeconds = 20)
    {
        SaveSetting(siteSettingName(Site::MakerFtp), QStringLiteral("127.0.0.1:%1").arg(port));
        ShowUpgrade();
        frmUpgrade *w = upgradeWindow();
        w->ftp->WaitSeconds = waitSeconds;
        dialogs.answerSave(target());
        dialogs.answer(Msg::OK);
        QSignalSpy ended(w->ftp, &FtpDownload::finished);
        w->lblNav[0]->setEnabled(true); // the window opens with it disabled
        w->lblNav_Click(0);
        [&] { QVERIFY(ended.wait(waitSeconds * 1000 + 5000)); }();
        [&] { QVERIFY(!QApplication::overrideCursor()); }(); // the hourglass is gone
        return w;
    }

private slots:
    void init()
    {
        m_profile.reset(); // the old profile restores its settings before the new one starts
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        QFile::remove(target());
    }
    void cleanup() { UnloadUpgrade(); }

    void downloadsFromARealServer()
    {
        FtpServer server;
        QString why;
        if (!server.start(&why))
            QFAIL(qPrintable(why));
        const QByteArray archive = randomBytes(200 * 1024);
        QDir(server.root()).mkpath(QStringLiteral("pellor"));
        QFile f(server.root() + QStringLiteral("/pellor/Brw504U.zip"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(archive);
        f.close();

        // An older archive already at the chosen path is replaced whole.
        QVERIFY(saveFileAtomically(target(), QByteArray(300 * 1024, 'o')));
        ScriptedDialogs dialogs;
        SaveSetting(siteSettingName(Site::MakerFtp), QStringLiteral("127.0.0.1:%1").arg(server.port()));
        ShowUpgrade();
        frmUpgrade *w = upgradeWindow();
        QVERIFY(!w->lblNav[0]->isEnabled());
        QSignalSpy progress(w->ftp, &FtpDownload::progress);
        w = download(quint16(server.port()), dialogs);
        QCOMPARE(dialogs.shown().last().prompt, QStringLiteral("Download complate.\r\nClose Brindlewick, unzip Brw504U.zip and run setup.exe"));
        QFile got(target());
        QVERIFY(got.open(QIODevice::ReadOnly));
        QVERIFY(got.readAll() == archive);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toLongLong(), qint64(archive.size()));
        const QString sent = w->Text1->toPlainText();
        QVERIFY(sent.startsWith(QStringLiteral("USER anonymous\nPASS brw@pellor.net\nTYPE I\nPORT 127,0,0,1,")));
        QVERIFY(sent.contains(QStringLiteral("\nRETR /pellor/Brw504U.zip\n")));
    }

    void anIncompleteTransferLeavesNoFile_data()
    {
        QTest::addColumn<int>("sendBytes");
        QTest::addColumn<QByteArray>("lastReply");
        QTest::addColumn<QString>("why");
        QTest::newRow("cut short") << 1000 << QByteArray("226 Transfer complete.\r\n") << QStringLiteral("cut short: 1000 of 4096");
        QTest::newRow("451") << 4096 << QByteArray("451 Local error in processing.\r\n") << QStringLiteral("Error! 451 Local error");
    }
    void anIncompleteTransferLeavesNoFile()
    {
        QFETCH(int, sendBytes);
        QFETCH(QByteArray, lastReply);
        QFETCH(QString, why);
        ScriptedFtp peer;
        peer.file = randomBytes(4096);
        peer.sendBytes = sendBytes;
        peer.lastReply = lastReply;
        ScriptedDialogs dialogs;
        download(peer.port(), dialogs);
        QVERIFY(!QFile::exists(target()));
        QVERIFY(dialogs.shown().last().prompt.contains(why));
        QCOMPARE(dialogs.shown().last().title, QStringLiteral("DOZiva"));
        QVERIFY(upgradeWindow()); // the window stays for another try
    }

    // The bytes go to a temporary file: while they come, and after a
    // download that fails, a file already at the chosen path is untouched.
    void aFailedDownloadLeavesTheFileThere()
    {
        const auto content = [this] {
            QFile f(target());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        QVERIFY(saveFileAtomically(target(), "an archive the user already had"));
        ScriptedFtp peer;
        peer.file = randomBytes(4096);
        peer.sendBytes = 1000;
        peer.lastReply.clear(); // the server says nothing after the data
        ShowUpgrade();
        QByteArrayList seen;
        connect(upgradeWindow()->ftp, &FtpDownload::progress, this, [&] { seen << content(); });
        ScriptedDialogs dialogs;
        download(peer.port(), dialogs, 2);
        QCOMPARE(seen.value(0), QByteArray("an archive the user already had"));
        QCOMPARE(seen.count(seen.value(0)), seen.size());
        QCOMPARE(content(), QByteArray("an archive the user already had"));
        QCOMPARE(QDir(m_out.path()).entryList(QDir::Files), QStringList{QStringLiteral("Brw504U.zip")});
    }

    void aSilentServerEndsWithinTheWait()
    {
        ScriptedFtp peer;
        peer.silent = true;
        ScriptedDialogs dialogs;
        download(peer.port(), dialogs, 1);
        QVERIFY(dialogs.shown().last().prompt.startsWith(QStringLiteral("No answer from 127.0.0.1")));
        QVERIFY(!QFile::exists(target()));
    }

    void rateAndTimeLeft()
    {
        ShowUpgrade();
        frmUpgrade *w = upgradeWindow();
        w->Timer1_Timer();
        QCOMPARE(w->Label2->text(), QStringLiteral("0 KB/s"));
        QCOMPARE(w->Label3->text(), QStringLiteral("Dun"));
        w->ftp->TotalBytes = 4096;
        w->ftp->BytesReceived = 512;
        w->Timer1_Timer();
        QCOMPARE(w->Label2->text(), QStringLiteral(".5 KB/s"));
        QCOMPARE(w->Label3->text(), QStringLiteral("7 Sec left."));
    }
};

QTEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
