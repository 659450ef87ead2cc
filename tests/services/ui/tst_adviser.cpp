// The adviser tip: fetched whole into Tip.Sh from a local site, cut out
// for the window, and never lost to a failed or short fetch.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "platform/Latin1File.h"
#include "platform/NetworkState.h"
#include "platform/SocketControl.h"
#include "retrieval/transport/SocketFetch.h"
#include "services/Adviser.h"
#include "services/ui/frmAdviser.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QPointer>
#include <QtTest>

class TestAdviser : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    QTemporaryDir m_root;
    std::unique_ptr<FixtureSite> m_site;

    void serveTip(const QByteArray &body)
    {
        QDir(m_root.path()).mkpath(QStringLiteral("pellor"));
        QFile f(m_root.path() + QStringLiteral("/pellor/tip.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(body);
    }
    static QByteArray storedTip() { return readLatin1File(tipFilePath()).value_or(QString()).toLatin1(); }

private slots:
    void init()
    {
        m_profile.reset(); // the old profile restores its settings before the new one starts
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        m_site = std::make_unique<FixtureSite>(m_root.path());
        QVERIFY(m_site->start());
        setAllSiteHosts(m_site->host());
        setWinsockWaitTimeout(5000);
    }
    void cleanup()
    {
        UnloadAdviser();
        resetSocketFetch();
        m_site.reset();
    }

    void cutFromTheStoredReply()
    {
        bool found = false;
        // Nine characters of body before the word: the body shows from its
        // first character, the status line and headers never.
        QCOMPARE(cutTip(QStringLiteral("HTTP/1.0 200 OK\r\n\r\nOur tip: Brindlewick says\r\nbuy\r\n"), &found),
                 QStringLiteral("Our tip: Brindlewick says\r\n buy\r\n"));
        QVERIFY(found);
        QCOMPARE(cutTip(QStringLiteral("a\nb Brindlewick"), &found), QString());
        QVERIFY(!found); // among the first nine characters
        QCOMPARE(cutTip(QStringLiteral("123456789Brindlewick!"), &found), QStringLiteral("123456789Brindlewick"));
        QCOMPARE(cutTip(QString(), &found), QString());
        QVERIFY(!found);
    }

    void onlyALongEnoughReplyReplacesTheTip()
    {
        const QByteArray good = "HTTP/1.0 200 OK\r\n\r\nold tip Brindlewick\r\n" + QByteArray(3000, 'x');
        QVERIFY(saveFileAtomically(tipFilePath(), good));

        // Measure what the headers add, then serve replies of 2,499 and
        // 2,500 bytes as stored. A whole reply too short to hold a tip
        // deletes the stored one: the page has no tip this week.
        serveTip(QByteArray(2000, 'a'));
        QCOMPARE(UpdateAdvise(), TipFetch::Failed);
        QVERIFY(!QFile::exists(tipFilePath()));
        QVERIFY(!QFile::exists(tipFilePath() + QStringLiteral(".new")));
        m_site->clearRequests();
        serveTip(QByteArray(3000, 'a'));
        QCOMPARE(UpdateAdvise(), TipFetch::Stored);
        const qint64 overhead = QFileInfo(tipFilePath()).size() - 3000;
        QVERIFY(m_site->requests().value(0).startsWith("GET http://" + m_site->host().toLatin1() + "/pellor/tip.txt HTTP/1.0\r\n"));

        QVERIFY(saveFileAtomically(tipFilePath(), good));
        serveTip(QByteArray(ShortestTip - overhead - 1, 'b'));
        QCOMPARE(UpdateAdvise(), TipFetch::Failed);
        QVERIFY(!QFile::exists(tipFilePath()));
        serveTip(QByteArray(ShortestTip - overhead, 'b'));
        QCOMPARE(UpdateAdvise(), TipFetch::Stored);
        QCOMPARE(QFileInfo(tipFilePath()).size(), ShortestTip);

        // An error page, however long, and a server that hangs up keep it.
        QVERIFY(saveFileAtomically(tipFilePath(), good));
        serveTip(QByteArray(4000, 'c'));
        m_site->setBehaviour(QStringLiteral("/pellor/tip.txt"), {FixtureSite::Mode::Normal, 0, 500});
        QCOMPARE(UpdateAdvise(), TipFetch::Failed);
        m_site->setBehaviour(QStringLiteral("/pellor/tip.txt"), {FixtureSite::Mode::CloseEarly, 0, 0});
        QCOMPARE(UpdateAdvise(), TipFetch::Failed);
        QCOMPARE(storedTip(), good);
    }

    void aFetchUnderWayIsNeverCutOff()
    {
        // Another page is being fetched on the socket (a batch run's).
        serveTip(QByteArray(3000, 'a'));
        m_site->setBehaviour(QStringLiteral("/slow"), {FixtureSite::Mode::Hang, 0, 0});
        WsUrl = m_site->url(QStringLiteral("/slow"));
        Winsock1().RemoteHost = QStringLiteral("127.0.0.1");
        Winsock1().RemotePort = m_site->port();
        QVERIFY(Winsock1().Connect());
        QVERIFY(m_site->waitForRequests(1, 5000));
        QCOMPARE(UpdateAdvise(), TipFetch::Busy);
        QCOMPARE(Winsock1().State(), int(SocketControl::sckConnected));
        QCOMPARE(m_site->requestCount(), 1);
        QVERIFY(!QFile::exists(tipFilePath()));
    }

    void theWindowShowsTheTipAndMirrorsTheBox()
    {
        bool ticked = true;
        const frmAdviser::ServiceBox box{[&] { return ticked; }, [&](bool t) { ticked = t; }};
        QVERIFY(saveFileAtomically(tipFilePath(), "HTTP/1.0 200 OK\r\nServer: x\r\n\r\nOur tip: Brindlewick tip\r\nline two\r\n\r\n"));
        ShowAdviser(nullptr, 0, box);
        frmAdviser *w = adviserWindow();
        QVERIFY(w);
        QCOMPARE(w->txtTip->toPlainText(), QStringLiteral("Our tip: Brindlewick tip\n line two\n \n"));
        QVERIFY(w->Check1->isChecked());
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        QVERIFY(!ticked); // at once, in the settings window's box

        // Offline with the dial question declined: nothing is fetched and
        // the button stays usable.
        SaveSetting(QStringLiteral("Prompt"), QStringLiteral("1"));
        setNetworkReachableHandler([] { return false; });
        ScriptedDialogs dialogs;
        dialogs.answer(7);
        QTest::mouseClick(w->cmdUpdate, Qt::LeftButton);
        setNetworkReachableHandler({});
        QVERIFY(w->cmdUpdate->isEnabled());
        QCOMPARE(m_site->requestCount(), 0);

        // A stored text without the word: an empty tip, the box unticked
        // and the settings window's tick left as it was.
        QVERIFY(saveFileAtomically(tipFilePath(), "HTTP/1.0 404 Not Found\r\n\r\nnothing here"));
        ticked = true;
        ShowAdviser(nullptr, 0, box);
        QVERIFY(adviserWindow()->txtTip->toPlainText().isEmpty());
        QVERIFY(!adviserWindow()->Check1->isChecked());
        QVERIFY(ticked);

        // No title bar, no close box: Esc closes the window as Close does,
        // wherever the focus is.
        const QPointer<frmAdviser> shown = adviserWindow();
        shown->txtTip->setFocus();
        QTest::keyClick(shown->txtTip, Qt::Key_Escape);
        QTRY_VERIFY(!shown || !shown->isVisible());
    }
};

QTEST_MAIN(TestAdviser)
#include "tst_adviser.moc"
