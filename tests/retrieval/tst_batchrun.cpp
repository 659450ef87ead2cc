#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "retrieval/AutoUpdate.h"
#include "retrieval/BatchRun.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"
#include "core/Sites.h"
#include "platform/Latin1File.h"
#include "services/Adviser.h"
#include "services/SmtpClient.h"
#include "support/DeadPort.h"
#include "support/site/FixtureSite.h"
#include "support/RecordingMainWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>

namespace {
// The toolbar's side of a run, remembering every look it was given.
class FakeToolbar : public BatchView
{
public:
    QString caption = QStringLiteral("Update");
    QStringList looks;
    QString updateCaption() const override { return caption; }
    void setRunningLook(bool running) override
    {
        caption = running ? QStringLiteral("Stop") : QStringLiteral("Update");
        looks << caption;
    }
};

struct Run
{
    FakeToolbar toolbar;
    RecordingMainWindow window;
    QStringList counter;   // every text the task counter showed
    QList<int> ran;        // boxes whose routine ran
    QList<int> mailsSent;  // one entry per feedback mail attempt
    bool mailAccepted = true;
    BatchTable table;
    BatchServices services;

    explicit Run(QList<int> withRoutine)
    {
        for (int box : withRoutine)
            table[box] = [this, box] {
                ran << box;
                counter << window.panels[7];
            };
        services.checkConnection = [] { return true; };
        services.sendFeedback = [this](const QString &, const QString &, const QString &) {
            mailsSent << 1;
            return mailAccepted ? QString() : QStringLiteral("Connection refused by smtp.example.org");
        };
    }
};

void tickOnly(const QList<int> &boxes)
{
    for (int box = 0; box < BatchBoxCount; ++box)
        SaveSetting(QStringLiteral("Update%1").arg(box), boxes.contains(box) ? 1 : 0);
}
} // namespace

class TestBatchRun : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetRunState();
        resetSharedState();
        TimerCount = 0;
    }

    void cleanup() { m_profile.reset(); }

    void counterCountsDownTheTickedBoxes()
    {
        Run run({0, 1, 7, 21});
        tickOnly({1, 7, 21, 44, 59}); // 44 and 59 have no routine
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.ran, (QList<int>{1, 7, 21}));
        QCOMPARE(run.counter, (QStringList{QStringLiteral("3/3"), QStringLiteral("2/3"), QStringLiteral("1/3")}));
        QCOMPARE(run.window.panels[7], QString()); // emptied at the end
        QCOMPARE(TasksLeft, short(0));
        QCOMPARE(run.toolbar.looks, (QStringList{QStringLiteral("Stop"), QStringLiteral("Update")}));
        QVERIFY(StopFlag);
        QVERIFY(!UpdateSelectedOnly);
    }

    // Pages that could not be had are not passed over in silence: the
    // status panel counts them at the end and the log names each address.
    // A run where everything came keeps the panel as the transfers left it.
    void failedFetchesAreCountedAndLogged()
    {
        const DeadPort deadPort;
        const QString dead = QStringLiteral("http://127.0.0.1:%1/").arg(deadPort.port());
        Run run({0, 1});
        tickOnly({0, 1});
        run.table[0] = [&] { GetUrlToFile(DataDir + QStringLiteral("/a.Sh"), dead + QStringLiteral("a"), QString()); };
        run.table[1] = [&] { GetUrlToFile(DataDir + QStringLiteral("/b.Sh"), dead + QStringLiteral("b"), QString()); };
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.window.panels[6], QStringLiteral("2 pages not fetched"));
        QFile log(DataDir + QStringLiteral("/ErrorLog.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        QVERIFY(text.contains("Where: Update " + dead.toLatin1() + "a"));
        QVERIFY(text.contains("Where: Update " + dead.toLatin1() + "b"));

        Run good({0});
        tickOnly({0});
        UpdateAll(good.toolbar, good.table, good.services);
        QCOMPARE(good.window.panels[6], QString());
    }

    // A site that refuses every connection asks once per run, not once per
    // page: the first refusal of each run shows its box, the others go to
    // the status panel and, counted, to the log. Outside a run every
    // refusal keeps its box.
    void refusingSiteAsksOncePerRun()
    {
        const DeadPort deadPort;
        const QString dead = QStringLiteral("http://127.0.0.1:%1/").arg(deadPort.port());
        const auto fetchThree = [&] {
            for (const char *page : {"a", "b", "c"})
                SocketFetch(DataDir + QStringLiteral("/%1.Sh").arg(QLatin1String(page)),
                            dead + QLatin1String(page), QString());
        };
        for (int round = 1; round <= 2; ++round) {
            ScriptedDialogs dialogs;
            Run run({0, 1});
            tickOnly({0, 1});
            run.table[0] = fetchThree;
            run.table[1] = fetchThree;
            UpdateAll(run.toolbar, run.table, run.services);
            QCOMPARE(dialogs.shown().size(), 1);
            QVERIFY(dialogs.shown().first().prompt.startsWith(QLatin1String("Error Connection is forcefully rejected")));
            QCOMPARE(run.window.panels[6], QStringLiteral("6 pages not fetched"));
        }
        ScriptedDialogs dialogs;
        fetchThree();
        QCOMPARE(dialogs.shown().size(), 3);
    }

    // Pages that came but could not be stored (the disk full) leave the
    // old files, and the run's end says so in the status panel.
    void pagesThatCannotBeStoredAreSaid()
    {
        FixtureSite site;
        QVERIFY(site.start());
        const QString page = DataDir + QStringLiteral("/a.Sh");
        QFile old(page);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old page") == 8);
        old.close();
        setWriteFault([](const QString &path) { return path.endsWith(QLatin1String("/a.Sh")) ? ENOSPC : 0; });
        Run run({0});
        tickOnly({0});
        run.table[0] = [&] { GetUrlToFile(page, site.url(QStringLiteral("/q?s=IBM")), QString()); };
        UpdateAll(run.toolbar, run.table, run.services);
        setWriteFault(nullptr);
        QCOMPARE(run.window.panels[6], QStringLiteral("1 page could not be stored"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old page"));
        QFile log(DataDir + QStringLiteral("/ErrorLog.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("No space left on device"));
    }

    void missingSettingsCountAsTicked()
    {
        Run run({3, 88});
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.ran, (QList<int>{3, 88}));
    }

    // After Stop no routine starts, the adviser tip (box 19) included, so
    // a hung tip site holds nothing up; the counter still counts down.
    void stopLetsTheRemainingBoxesPassWithoutWork()
    {
        QTemporaryDir root;
        FixtureSite site(root.path());
        QVERIFY(site.start());
        setAllSiteHosts(site.host());
        site.setBehaviour(QStringLiteral("/pellor/tip.txt"), {FixtureSite::Mode::Hang, 0, 0});
        setWinsockWaitTimeout(3000);
        Run run({0, 1, 19});
        tickOnly({0, 1, 19});
        run.table[0] = [&] { StopUpdate(run.toolbar); };
        run.table[19] = [] { ::UpdateAdvise(); };
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.ran, QList<int>{});
        QCOMPARE(site.requestCount(), 0);
        QCOMPARE(TasksLeft, short(0));
        QCOMPARE(run.toolbar.caption, QStringLiteral("Update"));
        QCOMPARE(run.window.panels[7], QString());
        resetSocketFetch();
    }

    // Update pressed while a stopped run still passes its last boxes (the
    // toolbar already reads "Update") starts no second run inside it.
    void noRunStartsWhileOneIsActive()
    {
        Run run({0, 1});
        tickOnly({0, 1});
        int presses = 0;
        run.table[0] = [&] {
            StopUpdate(run.toolbar);
            if (++presses == 1)
                UpdateAll(run.toolbar, run.table, run.services);
        };
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(presses, 1);
        QCOMPARE(run.ran, QList<int>{});
    }

    // The queued feedback that cannot go stays queued without a box: each
    // run says so in the status panel, the error log has it once. Stop
    // while it waits for a silent server ends that wait at once.
    void unsentFeedbackIsSaidWithoutABox()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            SmtpClient::DefaultPort = probe.serverPort(); // nothing listens there once it goes
        }
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("127.0.0.1"));
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("Age: 30"));
        ScriptedDialogs dialogs;
        Run run({1});
        tickOnly({});
        run.services.sendFeedback = sendFeedbackMail;
        for (int i = 0; i < 2; ++i) {
            UpdateAll(run.toolbar, run.table, run.services);
            // The reason is said where the user reads that it did not go.
            QCOMPARE(run.window.panels[6], QStringLiteral("Feedback mail not sent (Connection refused by 127.0.0.1)"));
        }
        QCOMPARE(dialogs.shown().size(), 0);
        QFile log(DataDir + QStringLiteral("/ErrorLog.txt"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        QCOMPARE(text.count("Where: Update feedback mail"), 1);
        QVERIFY(text.contains("Connection refused by 127.0.0.1"));

        SmtpClient::DefaultPort = silent.serverPort();
        connect(&silent, &QTcpServer::newConnection, this, [&] { StopUpdate(run.toolbar); });
        tickOnly({1});
        bool late = false;
        QTimer::singleShot(20000, this, [&late] { late = true; });
        UpdateAll(run.toolbar, run.table, run.services);
        SmtpClient::DefaultPort = 25;
        QVERIFY(!late);
        QCOMPARE(run.ran, QList<int>{});
        QCOMPARE(QuerySetting(QStringLiteral("Q_Message")).toString(), QStringLiteral("Age: 30"));
    }

    void noConnectionOnlyRunsTheClosingSteps()
    {
        Run run({0});
        run.services.checkConnection = [] { return false; };
        UpdateSelectedOnly = true;
        UpdateAll(run.toolbar, run.table, run.services);
        QVERIFY(run.ran.isEmpty());
        QVERIFY(!UpdateSelectedOnly);
        QVERIFY(StopFlag);
        QCOMPARE(run.toolbar.looks, QStringList{QStringLiteral("Update")});
    }

    void selectedStockModeNeedsAStock()
    {
        Run run({0});
        ScriptedDialogs dialogs;
        UpdateSelectedOnly = true;
        UpdateAll(run.toolbar, run.table, run.services);
        QVERIFY(run.ran.isEmpty());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().prompt, QStringLiteral("You have to select one stock."));
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Select stock and try again"));
        QCOMPARE(run.toolbar.caption, QStringLiteral("Update"));
    }

    void queuedFeedbackIsClearedOnlyWhenSent()
    {
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("smtp.example.org"));
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("Age: 30"));
        Run run({});
        run.mailAccepted = false;
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.mailsSent.size(), 1);
        QCOMPARE(QuerySetting(QStringLiteral("Q_Message")).toString(), QStringLiteral("Age: 30"));
        QVERIFY(run.window.panels[6] != QStringLiteral("Mail Sent"));

        run.mailAccepted = true;
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.mailsSent.size(), 2);
        QCOMPARE(QuerySetting(QStringLiteral("Q_Message")).toString(), QString());

        // Two characters or fewer are neither sent nor cleared.
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("ok"));
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.mailsSent.size(), 2);
        QCOMPARE(QuerySetting(QStringLiteral("Q_Message")).toString(), QStringLiteral("ok"));
    }

    void missingMailServerIsAskedFor()
    {
        SaveSetting(QStringLiteral("Q_Message"), QStringLiteral("Age: 30"));
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::OK);
        dialogs.answerInput(QString()); // no server given: the mail stays queued
        Run run({});
        UpdateAll(run.toolbar, run.table, run.services);
        QCOMPARE(run.mailsSent.size(), 0);
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(dialogs.shown().at(0).prompt, QStringLiteral("Enter mail server in options"));
        QCOMPARE(dialogs.shown().at(0).title, QStringLiteral("Missing mail server"));
        QCOMPARE(dialogs.shown().at(1).title, QStringLiteral("Mail Server"));
        QCOMPARE(QuerySetting(QStringLiteral("Q_Message")).toString(), QStringLiteral("Age: 30"));
    }

    void timerCountsMinutesAndStartsARun()
    {
        RecordingMainWindow window;
        BaseCaption = QStringLiteral("Brindlewick");
        UpdateInterval = 5;
        int presses = 0;
        QStringList captions;
        for (int minute = 1; minute <= 5; ++minute) {
            AutoUpdateTick(QStringLiteral("Update"), [] { return true; }, [&] { ++presses; });
            captions << window.windowCaption;
        }
        QCOMPARE(presses, 1);
        QCOMPARE(captions.first(), QStringLiteral("Brindlewick   Update Every: 5 Mintues,  Remain: 4 Mintues."));
        QCOMPARE(captions.at(3), QStringLiteral("Brindlewick   Update Every: 5 Mintues,  Remain: 1 Mintues."));
        QCOMPARE(captions.last(), QStringLiteral("Brindlewick   Update Every: 5 Mintues,  Remain: 5 Mintues."));

        // During a run started by hand the count goes back down.
        TimerCount = 7;
        UpdateInterval = 30;
        for (int i = 0; i < 3; ++i)
            AutoUpdateTick(QStringLiteral("Stop"), [] { return true; }, [&] { ++presses; });
        QCOMPARE(TimerCount, short(4));

        // Refused connection at the threshold: no run, the count restarts.
        const QString before = window.windowCaption;
        UpdateInterval = 1;
        TimerCount = 0;
        AutoUpdateTick(QStringLiteral("Update"), [] { return false; }, [&] { ++presses; });
        QCOMPARE(presses, 1);
        QCOMPARE(TimerCount, short(0));
        QCOMPARE(window.windowCaption, before);

        // Manual updates: nothing at all.
        UpdateInterval = 0;
        AutoUpdateTick(QStringLiteral("Update"), [] { return true; }, [&] { ++presses; });
        QCOMPARE(window.windowCaption, before);
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batchrun.moc"
