#include "platform/ScreenPointer.h"
#include "platform/Latin1File.h"
#include "platform/TransferControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/TransferFetch.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkReply>
#include <QtTest>

#include <cerrno>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray fixturePage(const QString &rel)
{
    return fileBytes(FixtureSite::defaultRoot() + QLatin1Char('/') + rel);
}

// StopUpdate empties the state panel and restores the caption.
class StoppingWindow : public RecordingMainWindow
{
public:
    void endBatchRun() override
    {
        RecordingMainWindow::endBatchRun();
        panels[6].clear();
        windowCaption = BaseCaption;
    }
};

const QString Completed = QStringLiteral("The request has completed and all data has been received.");
const QString Failed = QStringLiteral("An error occurred in communicating.");

} // namespace

class TestTransferFetch : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> profile;
    std::unique_ptr<StoppingWindow> window;
    std::unique_ptr<FixtureSite> site;
    QString file;

private slots:
    void init()
    {
        profile = std::make_unique<TempProfile>();
        window = std::make_unique<StoppingWindow>();
        site = std::make_unique<FixtureSite>();
        QVERIFY(site->start());
        resetRunState();
        BaseCaption = QStringLiteral("Brindlewick");
        TasksLeft = 1;  // a run with work still to do
        CurInet = &Inet1();
        Inet1().AccessType = TransferControl::icDirect;
        Inet1().Proxy.clear();
        Inet1().setRequestTimeoutMs(30000); // far beyond a loopback reply, even on a loaded machine
        file = profile->dataDir() + QStringLiteral("/quote.Sh");
    }

    void cleanup()
    {
        CurInet = nullptr;
        resetRunState();
        site.reset();
        window.reset();
        profile.reset();
    }

    // A reply larger than any page is given up and not stored; a page that
    // cannot be stored (the disk full) is noted as such. The old page stays.
    void oversizedReplyAndFullDisk()
    {
        FixtureSite big;
        big.setPageMaker([](const QString &target) {
            return target.startsWith(QLatin1String("/big")) ? QByteArray(9 << 20, 'x') : QByteArray();
        });
        QVERIFY(big.start());
        writeBytes(file, "old page");
        QVERIFY(!GetUrlToPage(file, big.url(QStringLiteral("/big")), QString(), 0));
        setWriteFault([](const QString &path) { return path.endsWith(QLatin1String("/quote.Sh")) ? ENOSPC : 0; });
        QVERIFY(!GetUrlToPage(file, site->url(QStringLiteral("/q?s=IBM")), QString(), 0));
        setWriteFault(nullptr);
        QCOMPARE(fileBytes(file), QByteArray("old page"));
        QCOMPARE(FailedFetches.size(), 1);
        QCOMPARE(FailedFetches[0].why, QStringLiteral("reply larger than 8 MB: not stored"));
        QCOMPARE(FailedStores.size(), 1);
        QCOMPARE(FailedStores[0].why, QStringLiteral("No space left on device"));
    }

    void stopFlagOnlySetsCaption()
    {
        writeBytes(file, "old page");
        StopFlag = true;
        GetUrlToFile(file, site->url(QStringLiteral("/q?s=IBM")), QStringLiteral("Brindlewick    Getting IBM"));
        QCOMPARE(window->windowCaption, QStringLiteral("Brindlewick    Getting IBM"));
        QCOMPARE(fileBytes(file), QByteArray("old page"));
        QVERIFY(!site->waitForRequests(1, 100));
    }

    // A shorter page leaves no tail of the longer one; the address may come
    // without a scheme.
    void pageReplacesLongerFileExactly()
    {
        writeBytes(file, QByteArray(5000, 'x'));
        QList<int> states;
        connect(&Inet1(), &TransferControl::StateChanged, this, [&](int s) { states << s; });
        GetUrlToFile(file, site->host() + QStringLiteral("/q?s=IBM"), QStringLiteral("Brindlewick    Getting IBM"));
        Inet1().disconnect(this);

        QCOMPARE(fileBytes(file), fixturePage(QStringLiteral("q/s=IBM.html")));
        QCOMPARE(states, QList<int>({3, 4, 5, 6, 7, 8, 9, 10, 12}));
        QCOMPARE(window->panels[6], Completed);
        QCOMPARE(window->windowCaption, BaseCaption);  // state 9 restores it
        QVERIFY(!window->calls.contains(QStringLiteral("endBatchRun")));
    }

    // An update run asks for its pages inside one click: what each request
    // used is freed when it ends, not when the click returns.
    void eachRequestIsFreedWhenItEnds()
    {
        for (int i = 0; i < 5; ++i) {
            GetUrlToFile(file, site->url(QStringLiteral("/q?s=IBM")), QStringLiteral("Brindlewick    Getting IBM"));
            QCOMPARE(fileBytes(file), fixturePage(QStringLiteral("q/s=IBM.html")));
            QCOMPARE(Inet1().findChildren<QNetworkReply *>().size(), 0);
        }
        GetUrlToFile(file, site->url(QStringLiteral("/no/such/page")), QStringLiteral("Brindlewick    Getting IBM"));
        QCOMPARE(Inet1().findChildren<QNetworkReply *>().size(), 0);
    }

    void failedRequestKeepsOldFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("status");
        QTest::newRow("time-out") << QStringLiteral("/q") << int(FixtureSite::Mode::Hang) << 0;
        QTest::newRow("stall mid-page") << QStringLiteral("/q") << int(FixtureSite::Mode::HangMidway) << 0;
        QTest::newRow("short reply") << QStringLiteral("/q") << int(FixtureSite::Mode::ShortReply) << 0;
        QTest::newRow("closed unanswered") << QStringLiteral("/q") << int(FixtureSite::Mode::CloseEarly) << 0;
        QTest::newRow("server error") << QStringLiteral("/q") << int(FixtureSite::Mode::Normal) << 500;
        QTest::newRow("no such page") << QStringLiteral("/nothing/here.html") << int(FixtureSite::Mode::Normal) << 0;
    }

    void failedRequestKeepsOldFile()
    {
        QFETCH(QString, path);
        QFETCH(int, mode);
        QFETCH(int, status);
        Inet1().setRequestTimeoutMs(300);
        writeBytes(file, QByteArray(3000, 'k'));
        site->setBehaviour(QStringLiteral("/q"), {FixtureSite::Mode(mode), 0, status});
        window->windowCaption.clear();

        QElapsedTimer clock;
        clock.start();
        GetUrlToFile(file, site->url(path == QLatin1String("/q") ? QStringLiteral("/q?s=IBM") : path),
                     QStringLiteral("Brindlewick    Getting IBM"));
        // Generous: only a request that outlives its time-out gets near it.
        QVERIFY2(clock.elapsed() < 25000, qPrintable(QString::number(clock.elapsed())));

        QCOMPARE(fileBytes(file), QByteArray(3000, 'k'));
        QCOMPARE(window->panels[6], Failed);
        QCOMPARE(window->windowCaption, BaseCaption);
        QVERIFY(!Inet1().StillExecuting());
    }

    // An empty reply changes nothing and creates nothing.
    void emptyReplyWritesNothing()
    {
        writeBytes(file, "kept");
        GetUrlToFile(file, site->url(QStringLiteral("/empty.html")), QString());
        QCOMPARE(fileBytes(file), QByteArray("kept"));
        const QString fresh = profile->dataDir() + QStringLiteral("/fresh.Sh");
        GetUrlToFile(fresh, site->url(QStringLiteral("/empty.html")), QString());
        QVERIFY(!QFile::exists(fresh));
        QCOMPARE(site->requestCount(), 2);
    }

    // Access type 2 sends the request to the named proxy with the whole
    // address; type 1 goes straight to the server although a proxy is named.
    void proxySettingsReachTheControl()
    {
        FixtureSite proxy;
        QVERIFY(proxy.start());
        Inet1().AccessType = TransferControl::icNamedProxy;
        Inet1().Proxy = proxy.host();
        GetUrlToFile(file, QStringLiteral("http://quotes.example.invalid/q?s=IBM"), QString());
        QCOMPARE(proxy.requestCount(), 1);
        QVERIFY(proxy.requests().first().startsWith("GET http://quotes.example.invalid/q?s=IBM HTTP/1."));
        QCOMPARE(fileBytes(file), fixturePage(QStringLiteral("q/s=IBM.html")));

        Inet1().AccessType = TransferControl::icDirect;
        GetUrlToFile(file, site->url(QStringLiteral("/index.html")), QString());
        QCOMPARE(proxy.requestCount(), 1);
        QCOMPARE(site->requestCount(), 1);
        QVERIFY(site->requests().first().startsWith("GET /index.html HTTP/1."));
    }

    // Stop cancels a request in progress: it ends at once, nothing written.
    void cancelEndsTheRequest()
    {
        writeBytes(file, "before");
        // Far beyond the bound below: only the cancel can end the request in time.
        Inet1().setRequestTimeoutMs(50000);
        site->setBehaviour(QStringLiteral("/q"), {FixtureSite::Mode::Hang, 0, 0});
        bool executing = false;
        QTimer canceller; // once the server holds the request
        canceller.setInterval(5);
        connect(&canceller, &QTimer::timeout, this, [&] {
            if (site->requestCount() == 0)
                return;
            canceller.stop();
            executing = Inet1().StillExecuting();
            Inet1().Cancel();
        });
        canceller.start();
        QElapsedTimer clock;
        clock.start();
        GetUrlToFile(file, site->url(QStringLiteral("/q?s=IBM")), QString());
        QVERIFY2(clock.elapsed() < 25000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(executing);
        QVERIFY(!Inet1().StillExecuting());
        QCOMPARE(fileBytes(file), QByteArray("before"));
    }

    void statePanelTexts_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("restoresCaption");
        const QStringList texts = {QString(),
                                   QString(),
                                   QString(),
                                   QStringLiteral("Connecting..."),
                                   QStringLiteral("connected"),
                                   QStringLiteral("request Data"),
                                   QString(),
                                   QStringLiteral("Downloading Data..."),
                                   QString(),
                                   QStringLiteral("Disconnecting..."),
                                   QStringLiteral("Disconnected from the host."),
                                   Failed,
                                   Completed};
        for (int s = 0; s < texts.size(); ++s)
            QTest::addRow("%d", s) << s << texts[s] << (s == 9 || s == 11);
    }

    void statePanelTexts()
    {
        QFETCH(int, state);
        QFETCH(QString, text);
        QFETCH(bool, restoresCaption);
        window->panels[6] = QStringLiteral("previous");
        window->windowCaption = QStringLiteral("Brindlewick    Getting IBM");
        Inet1_StateChanged(short(state));
        QCOMPARE(window->panels[6], text);
        QCOMPARE(window->windowCaption, restoresCaption ? BaseCaption : QStringLiteral("Brindlewick    Getting IBM"));
        QVERIFY(window->calls.isEmpty());  // tasks are left: the run goes on
    }

    // With no task left, an error or a completed request ends the run and
    // takes the hourglass away; the panel still tells what happened.
    void lastTaskEndsTheRun_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::newRow("error") << 11 << Failed;
        QTest::newRow("completed") << 12 << Completed;
    }

    void lastTaskEndsTheRun()
    {
        QFETCH(int, state);
        QFETCH(QString, text);
        TasksLeft = 0;
        setScreenMousePointer(11);
        Inet1_StateChanged(short(state));
        QCOMPARE(window->calls, QStringList({QStringLiteral("endBatchRun")}));
        QCOMPARE(window->panels[6], text);
        QCOMPARE(screenMousePointer(), 0);
    }
};

QTEST_MAIN(TestTransferFetch)
#include "tst_transferfetch.moc"
