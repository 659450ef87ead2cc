// The newsgroup reader against a real inn2 server, and against a scripted
// peer for replies that come together, in pieces, or not at all.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "platform/FlexGrid.h"
#include "platform/ui/FlexGridView.h"
#include "services/NntpClient.h"
#include "services/ui/News.h"
#include "support/NewsServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QStackedWidget>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

namespace {

// A news server that answers each command line from a script: the first
// entry whose key starts the line; an answer written in parts ("|" between
// them) goes out in that many packets, gapMs apart; a part "!" hangs up.
class ScriptedNntpPeer : public QObject
{
public:
    explicit ScriptedNntpPeer(QList<QPair<QString, QString>> script) : m_script(std::move(script))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            m_client->write("200 scripted ready\r\n");
            connect(m_client, &QTcpSocket::readyRead, this, [this] {
                while (m_client->canReadLine()) {
                    const QString line = QString::fromLatin1(m_client->readLine()).trimmed();
                    lines << line;
                    for (const auto &[key, answer] : m_script)
                        if (line.startsWith(key)) {
                            m_queue += answer.split(QLatin1Char('|'));
                            if (!m_busy)
                                sendNext();
                            break;
                        }
                }
            });
        });
    }
    int port() const { return m_server.serverPort(); }
    QStringList lines;
    int gapMs = 50;

private:
    // The parts go out in order, one every gapMs.
    void sendNext()
    {
        m_busy = !m_queue.isEmpty();
        if (!m_busy)
            return;
        const QString part = m_queue.takeFirst();
        if (part == QLatin1String("!"))
            m_client->disconnectFromHost();
        else
            m_client->write(part.toLatin1());
        m_busy = !m_queue.isEmpty();
        if (m_busy)
            QTimer::singleShot(gapMs, Qt::PreciseTimer, m_client, [this] { sendNext(); });
    }
    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
    QList<QPair<QString, QString>> m_script;
    QStringList m_queue;
    bool m_busy = false;
};

} // namespace

class TestNewsReader : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    std::unique_ptr<NewsServer> m_inn;
    QString m_innWhy;
    ServerStart m_innStart = ServerStart::Failed;

    News *open(int port)
    {
        NntpClient::DefaultPort = port;
        SaveSetting(QStringLiteral("NewsServer"), QStringLiteral("127.0.0.1"));
        ShowNews(nullptr);
        News *w = newsWindow();
        w->client.WaitSeconds = 2;
        w->cmdConnect_Click();
        return w;
    }

private slots:
    void initTestCase()
    {
        m_inn = std::make_unique<NewsServer>();
        m_innStart = m_inn->start(&m_innWhy);
        if (m_innStart != ServerStart::Running) {
            m_inn.reset();
            return;
        }
        for (int i = 1; i <= 30; ++i)
            QVERIFY(m_inn->post(QStringLiteral("local.test"), QStringLiteral("Quote %1").arg(i),
                                QStringLiteral("poster%1@example.com").arg(i),
                                QStringLiteral("body %1\r\n.dotted line").arg(i)));
    }
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
    }
    void cleanup()
    {
        UnloadNews();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The window system's news of the closed window (its deactivation)
        // is taken now, not in the middle of the next test.
        QCoreApplication::processEvents();
        NntpClient::DefaultPort = 119;
        m_profile.reset();
    }

    // Connect, the server's groups, every header of a group of thirty,
    // the body of the row clicked, the list kept in "Server.lst", QUIT.
    void readsARealServer()
    {
        if (m_innStart == ServerStart::NotInstalled)
            QSKIP(qPrintable(m_innWhy));
        QVERIFY2(m_inn, qPrintable(m_innWhy)); // installed but not running: a fault, not a skip
        ScriptedDialogs dialogs;
        News *w = open(m_inn->port());
        QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
        dialogs.answer(Msg::Yes);
        w->cmdServerList_Click();
        QTRY_COMPARE_WITH_TIMEOUT(w->StatusBar1->text(), QStringLiteral("List Download"), 5000);
        QStringList groups;
        for (int i = 0; i < w->List1->count(); ++i)
            groups << w->List1->item(i)->text();
        QVERIFY(groups.contains(QStringLiteral("local.test")) && groups.contains(QStringLiteral("local.general")));
        QVERIFY(!groups.contains(QStringLiteral("215")));

        w->List1->setCurrentRow(int(groups.indexOf(QStringLiteral("local.test"))));
        w->List1_DblClick();
        QTRY_COMPARE_WITH_TIMEOUT(w->FGModel->Rows(), 2 + 30, 20000);
        QCOMPARE(w->FGModel->TextMatrix(2, 1), QStringLiteral("Quote 1"));
        QCOMPARE(w->FGModel->TextMatrix(31, 3), QStringLiteral("poster30@example.com"));
        QCOMPARE(w->List2->count(), 30);

        w->FGModel->setRow(18); // the seventeenth article
        w->FG_Click();
        QTRY_VERIFY_WITH_TIMEOUT(w->Text2->toPlainText().contains(QStringLiteral("body 17\n.dotted line")), 5000);

        w->cmdSave_Click();
        QFile saved(DataDir + QStringLiteral("/Server.lst"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(saved.readAll()).count(QStringLiteral("\r\n")), groups.size());
        w->List1->clear();
        w->cmdLocal_Click();
        QCOMPARE(w->List1->count(), groups.size());
        w->cmdDisconnect_Click();
        QVERIFY(!w->client.Connected);
    }

    // Articles in other charsets read as written: a UTF-8 post with its
    // headers' words encoded, a Latin-1 one sent quoted-printable with a
    // Q-encoded subject, and one that declares nothing (read as Latin-1).
    void articlesReadInTheirDeclaredCharset()
    {
        if (m_innStart == ServerStart::NotInstalled)
            QSKIP(qPrintable(m_innWhy));
        QVERIFY2(m_inn, qPrintable(m_innWhy));
        QVERIFY(m_inn->post(QStringLiteral("local.general"), QStringLiteral("Café € — 日本"), QStringLiteral("Zoë"),
                            QStringLiteral("Prix 5 € — ’net’\r\n日本")));
        QVERIFY(m_inn->postArticle("From: jo@example.com\r\nNewsgroups: local.general\r\n"
                                   "Subject: =?ISO-8859-1?Q?Cr=E8me_br=FBl=E9e?= =?ISO-8859-1?Q?_=E0_5?=\r\n"
                                   "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=\"ISO-8859-1\"\r\n"
                                   "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                                   "Cr=E8me =E0 la long=\r\nue ligne"));
        QVERIFY(m_inn->postArticle("From: jo@example.com\r\nNewsgroups: local.general\r\nSubject: Plain\r\n\r\n"
                                   "Caf\xe9 cr\xe8me"));
        ScriptedDialogs dialogs;
        News *w = open(m_inn->port());
        QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
        w->List1->addItem(QStringLiteral("local.general"));
        w->List1->setCurrentRow(w->List1->count() - 1);
        w->List1_DblClick();
        QTRY_COMPARE_WITH_TIMEOUT(w->FGModel->Rows(), 2 + 3, 20000);
        const QStringList subjects = {QStringLiteral("Café € — 日本"), QStringLiteral("Crème brûlée à 5"),
                                      QStringLiteral("Plain")};
        const QStringList bodies = {QStringLiteral("Prix 5 € — ’net’\n日本"), QStringLiteral("Crème à la longue ligne"),
                                    QStringLiteral("Café crème")};
        QCOMPARE(w->FGModel->TextMatrix(2, 3), QStringLiteral("Zoë <poster@example.com>"));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w->FGModel->TextMatrix(2 + i, 1), subjects[i]);
            w->FGModel->setRow(2 + i);
            w->FG_Click();
            QTRY_VERIFY2_WITH_TIMEOUT(w->Text2->toPlainText().contains(bodies[i]), qPrintable(w->Text2->toPlainText()),
                                      5000);
        }
    }

    // "Save List" that cannot write the list says so and stays ready for
    // another try; once it can, the list is written and the button greys.
    void saveListThatCannotBeWrittenIsSaid()
    {
        News *w = open(0);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTRY_VERIFY_WITH_TIMEOUT(!w->StatusBar1->text().startsWith(QStringLiteral("Connecting")), 5000);
        w->List1->addItem(QStringLiteral("alt.kept"));
        w->cmdSave->setEnabled(true);
        const QString list = DataDir + QStringLiteral("/Server.lst");
        QVERIFY(QDir().mkpath(list)); // a folder where the list goes
        QTest::mouseClick(w->cmdSave, Qt::LeftButton);
        QVERIFY2(w->StatusBar1->text().startsWith(QStringLiteral("Can Not save List to Server.lst: ")),
                 qPrintable(w->StatusBar1->text()));
        QVERIFY(w->cmdSave->isEnabled());
        QVERIFY(QDir(list).removeRecursively());
        QTest::mouseClick(w->cmdSave, Qt::LeftButton);
        QFile saved(list);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("alt.kept\r\n"));
        QVERIFY(!w->cmdSave->isEnabled());
    }

    // A group reply and the first selection in one packet, a header cut in
    // the middle of a line: one row, read whole; the walk ends at 421.
    void repliesTogetherOrInPieces()
    {
        ScriptedNntpPeer peer({{"MODE READER", "200 reader\r\n"},
                               {"GROUP", "211 1 7 7 alt.test\r\n223 7 <a@b> selected\r\n"},
                               {"HEAD", "221 7 <a@b>\r\nFrom: jo@example.com\r\nSubject: Hel|lo there\r\nDate: 1 Dec 2026\r\n"
                                        "Lines: 3\r\n.\r\n"},
                               {"NEXT", "421 no next article\r\n"},
                               {"BODY", "222 7 <a@b>\r\nfirst| line\r\n..second\r\n.\r\n"}});
        ScriptedDialogs dialogs;
        News *w = open(peer.port());
        QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
        w->List1->addItem(QStringLiteral("alt.test"));
        w->List1->setCurrentRow(w->List1->count() - 1);
        w->cmdListGroup_Click();
        QTRY_VERIFY_WITH_TIMEOUT(peer.lines.contains(QStringLiteral("NEXT")), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w->client.NewsCommand, QStringLiteral("None"), 5000);
        QCOMPARE(w->FGModel->Rows(), 3);
        QCOMPARE((QStringList{w->FGModel->TextMatrix(2, 1), w->FGModel->TextMatrix(2, 2), w->FGModel->TextMatrix(2, 4),
                              w->FGModel->TextMatrix(2, 5)}),
                 (QStringList{"Hello there", "1 Dec 2026", "3", "7"}));
        w->FGModel->setRow(2);
        w->FG_Click();
        QTRY_COMPARE_WITH_TIMEOUT(w->Text2->toPlainText(), QStringLiteral("222 7 <a@b>\nfirst line\n.second\n.\n"), 5000);
        QCOMPARE(peer.lines.mid(1), (QStringList{"GROUP alt.test", "STAT 7", "HEAD", "NEXT", "BODY 7"}));
    }

    // A group list that keeps coming for longer than the time limit is
    // read whole (each arrival starts the limit again); a list cut off
    // before its "." adds nothing, and the hang-up is said at once.
    void groupListsSlowAndCutOff()
    {
        QString slow = QStringLiteral("215 list follows\r\n");
        for (int i = 1; i <= 40; ++i)
            slow += QStringLiteral("|alt.slow%1 10 1 y\r\n").arg(i);
        for (const QString &list : {slow + QStringLiteral("|.\r\n"), QStringLiteral("215 list\r\n|alt.a 1 1 y\r\n|!")}) {
            ScriptedNntpPeer peer({{"MODE READER", "200 reader\r\n"}, {"LIST", list}});
            peer.gapMs = 100; // 4 s in all against a limit of 2 s
            ScriptedDialogs dialogs;
            News *w = open(peer.port());
            QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
            dialogs.answer(Msg::Yes);
            QTest::mouseClick(w->cmdServerList, Qt::LeftButton);
            const bool whole = list.endsWith(QLatin1String("\r\n"));
            QTRY_COMPARE_WITH_TIMEOUT(w->StatusBar1->text(), whole ? QStringLiteral("List Download")
                                                                   : QStringLiteral("Disconnected From 127.0.0.1"), 15000);
            QCOMPARE(w->List1->count(), whole ? 40 : 0);
            QCOMPARE(w->cmdConnect->isEnabled(), !whole);
            cleanup();
            init();
        }
    }

    // A refused connection is said in words, and Connect is usable again.
    void refusedConnectionIsSaidInWords()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const int dead = probe.serverPort();
        probe.close();
        News *w = open(dead);
        QTRY_COMPARE_WITH_TIMEOUT(w->StatusBar1->text(), QStringLiteral("Connection refused by 127.0.0.1"), 5000);
        QVERIFY(w->cmdConnect->isEnabled());
    }

    // The window's Alt keys act from every field without typing into it;
    // Alt+C while connected leaves Connect disabled; Alt+D says QUIT, and
    // so does the close box.
    void keysFromEveryFieldAndTheCloseBox()
    {
        ScriptedNntpPeer peer(QList<QPair<QString, QString>>{{"MODE READER", "200 reader\r\n"}});
        News *w = open(peer.port());
        QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(w->StatusBar1->text(), QStringLiteral("Already connected : 127.0.0.1"));
        QVERIFY(!w->cmdConnect->isEnabled());
        QTest::keyClick(w->List1, Qt::Key_O, Qt::AltModifier);
        w->txtServer->setFocus();
        QTest::keyClick(w->txtServer, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(w->pages->currentIndex(), 0);
        QCOMPARE(w->txtServer->text(), QStringLiteral("127.0.0.1"));
        QTest::keyClick(w->List1, Qt::Key_M, Qt::AltModifier);
        w->Text2->setFocus();
        QTest::keyClick(w->Text2, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY_WITH_TIMEOUT(peer.lines.contains(QStringLiteral("QUIT")) && !w->client.Connected, 5000);
        QTest::keyClick(w->Text2, Qt::Key_X, Qt::AltModifier);
        QVERIFY(!newsWindow());

        ScriptedNntpPeer again(QList<QPair<QString, QString>>{{"MODE READER", "200 reader\r\n"}});
        w = open(again.port());
        QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
        w->close();
        QVERIFY(!newsWindow());
        QTRY_VERIFY_WITH_TIMEOUT(again.lines.contains(QStringLiteral("QUIT")), 5000);
    }

    // At the window's first size the grid's headings can be read whole.
    void gridHeadingsAreReadable()
    {
        News *w = open(0);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::keyClick(w, Qt::Key_M, Qt::AltModifier);
        for (int col = 1; col <= 4; ++col) {
            const FlexGridView::CellStyle cell = w->FG->cellStyle(0, col);
            QVERIFY2(w->FG->cellRect(0, col).width() > QFontMetrics(cell.font).horizontalAdvance(cell.text),
                     qPrintable(cell.text));
        }
    }

    // A server that stops answering: the wait ends with a word and the
    // connection goes; a body is not asked for without a connection.
    void silentServer()
    {
        ScriptedNntpPeer peer(QList<QPair<QString, QString>>{{"MODE READER", "200 reader\r\n"}});
        ScriptedDialogs dialogs;
        News *w = open(peer.port());
        w->client.WaitSeconds = 1;
        QTRY_VERIFY_WITH_TIMEOUT(w->client.Connected, 5000);
        w->List1->addItem(QStringLiteral("alt.quiet"));
        w->List1->setCurrentRow(w->List1->count() - 1);
        w->cmdListGroup_Click();
        QTRY_COMPARE_WITH_TIMEOUT(w->StatusBar1->text(), QStringLiteral("No answer from 127.0.0.1"), 5000);
        QVERIFY(!w->client.Connected);
        w->FGModel->setRows(3);
        w->FGModel->setTextMatrix(2, 5, QStringLiteral("1"));
        w->FGModel->setRow(2);
        w->FG_Click();
        QCOMPARE(w->StatusBar1->text(), QStringLiteral("Must Connect to News Server"));
    }
};

QTEST_MAIN(TestNewsReader)
#include "tst_newsreader.moc"
