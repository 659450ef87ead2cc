#include "platform/Latin1File.h"
#include "platform/SocketControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "support/DeadPort.h"
#include "support/RecordingMainWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

// Stop comes when the server has the request (before any answer) or when
// half the page has arrived (mid-page); without Stop, the wait's own limit
// ends it.
enum StopAt { NoStop, StopOnRequest, StopOnFirstBytes };

} // namespace

class TestSocketFetch : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> profile;
    std::unique_ptr<RecordingMainWindow> window;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FixtureSite> site;
    QString cache;

private slots:
    void init()
    {
        profile = std::make_unique<TempProfile>();
        window = std::make_unique<RecordingMainWindow>();
        dialogs = std::make_unique<ScriptedDialogs>();
        site = std::make_unique<FixtureSite>();
        QVERIFY(site->start());
        resetRunState();
        resetSocketFetch();
        // Far beyond a loopback reply even on a loaded machine; the tests of
        // the wait's end set their own.
        setWinsockWaitTimeout(30000);
        cache = profile->dataDir() + QStringLiteral("/Cache/DataSheet");
        QVERIFY(QDir().mkpath(cache));
    }

    void cleanup()
    {
        resetSocketFetch();
        resetRunState();
        site.reset();
        dialogs.reset();
        window.reset();
        profile.reset();
    }

    // The request carries the whole address and two Accept lines, nothing
    // else; the file gets the whole reply and a closing line break.
    void requestBytesAndStoredReply()
    {
        const QString url = site->url(QStringLiteral("/QuoteTable.dat?TICKER=XYZ"));
        // Callers write cache paths with either slash and any letter case.
        const QString file = profile->dataDir() + QStringLiteral("\\cache\\DATASHEET\\XYZ_op.Sh");
        Winsock1().Close();
        SocketFetch(file, url, QStringLiteral("Base    Updating XYZ Options"));

        QCOMPARE(site->requests().size(), 1);
        QCOMPARE(site->requests().first(), "GET " + url.toLatin1() + " HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n");
        const QByteArray page = fixturePage(QStringLiteral("QuoteTable.dat/TICKER=XYZ.html"));
        QCOMPARE(fileBytes(cache + QStringLiteral("/XYZ_op.Sh")),
                 "HTTP/1.0 200 OK\r\nServer: FixtureSite\r\nContent-Type: text/html\r\nContent-Length: "
                     + QByteArray::number(page.size()) + "\r\n\r\n" + page + "\r\n");
        QCOMPARE(window->windowCaption, QStringLiteral("Base    Updating XYZ Options"));
        QCOMPARE(Winsock1().State(), int(SocketControl::sckClosed));
        QVERIFY(!WsBusy);

        // The next page of the same walk goes out on the same socket.
        SocketFetch(cache + QStringLiteral("/IBM.Sh"), site->url(QStringLiteral("/q?s=IBM")), QString());
        QVERIFY(fileBytes(cache + QStringLiteral("/IBM.Sh")).endsWith(fixturePage(QStringLiteral("q/s=IBM.html")) + "\r\n"));
        QCOMPARE(dialogs->shown().size(), 0);
    }

    // A server that closes without a word, or answers with an error page,
    // sent no page: the cached one stays, and the run counts the failure.
    void closeWithoutDataOrErrorReplyKeepsOldFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("status");
        QTest::newRow("closes at once") << int(FixtureSite::Mode::CloseEarly) << 0;
        QTest::newRow("500 reply") << int(FixtureSite::Mode::Normal) << 500;
        QTest::newRow("404 reply") << int(FixtureSite::Mode::Normal) << 404;
    }
    void closeWithoutDataOrErrorReplyKeepsOldFile()
    {
        QFETCH(int, mode);
        QFETCH(int, status);
        const QString file = cache + QStringLiteral("/FMS_Today.Sh");
        writeBytes(file, QByteArray(3000, 'o'));
        site->setBehaviour(QStringLiteral("/splits_day.asp"), {FixtureSite::Mode(mode), 0, status});
        const QString url = site->url(QStringLiteral("/splits_day.asp"));
        SocketFetch(file, url, QString());
        QCOMPARE(fileBytes(file), QByteArray(3000, 'o'));
        QCOMPARE(FailedFetches.size(), 1);
        QCOMPARE(FailedFetches.first().url, url);
    }

    void cutOffReplyKeepsOldFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("stopAt");
        QTest::newRow("never answers") << int(FixtureSite::Mode::Hang) << int(NoStop);
        QTest::newRow("stalls mid-page") << int(FixtureSite::Mode::HangMidway) << int(NoStop);
        QTest::newRow("closes mid-page") << int(FixtureSite::Mode::ShortReply) << int(NoStop);
        QTest::newRow("Stop mid-page") << int(FixtureSite::Mode::HangMidway) << int(StopOnFirstBytes);
        QTest::newRow("Stop before any answer") << int(FixtureSite::Mode::Hang) << int(StopOnRequest);
    }

    void cutOffReplyKeepsOldFile()
    {
        QFETCH(int, mode);
        QFETCH(int, stopAt);
        // With Stop the limit is far beyond the bound below, so only Stop can
        // have ended the wait; without it only the limit can.
        setWinsockWaitTimeout(stopAt == NoStop ? 300 : 50000);
        const QString file = cache + QStringLiteral("/IBM_sp.Sh");
        const QByteArray old(4000, 'g');
        writeBytes(file, old);
        site->setBehaviour(QStringLiteral("/q"), {FixtureSite::Mode(mode), 0, 0});
        QTimer stopper;
        stopper.setInterval(5);
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (stopAt == StopOnRequest ? site->requestCount() > 0 : !WsBuffer.isEmpty()) {
                StopFlag = true;
                stopper.stop();
            }
        });
        if (stopAt != NoStop)
            stopper.start();

        QElapsedTimer clock;
        clock.start();
        SocketFetch(file, site->url(QStringLiteral("/q?s=IBM")), QString());
        const qint64 took = clock.elapsed();

        QCOMPARE(fileBytes(file), old);
        QVERIFY(stopAt == NoStop || StopFlag);
        // Generous: only a wait that outlives its limit, or ignores Stop, gets here.
        QVERIFY2(took < 25000, qPrintable(QString::number(took)));
        QCOMPARE(Winsock1().State(), int(SocketControl::sckClosed));
        QVERIFY(!WsBusy);
        QCOMPARE(dialogs->shown().size(), 0);
        QCOMPARE(site->requestCount(), 1);
    }

    // What went wrong is what the log is told: a reply cut short says so
    // (not its status line), a reply larger than any page is given up and
    // not stored, a page that cannot be stored (the disk full) is noted as
    // such; each time the old page stays.
    void failuresSayWhatHappened()
    {
        FixtureSite big;
        big.setPageMaker([](const QString &target) {
            return target.startsWith(QLatin1String("/big")) ? QByteArray(9 << 20, 'x') : QByteArray();
        });
        QVERIFY(big.start());
        const QString file = cache + QStringLiteral("/IBM_sp.Sh");
        const QByteArray old(4000, 'g');
        writeBytes(file, old);

        site->setBehaviour(QStringLiteral("/q"), {FixtureSite::Mode::ShortReply, 0, 0});
        SocketFetch(file, site->url(QStringLiteral("/q?s=IBM")), QString());
        SocketFetch(file, big.url(QStringLiteral("/big")), QString());
        site->clearBehaviours();
        setWriteFault([](const QString &path) { return path.endsWith(QLatin1String("/IBM_sp.Sh")) ? ENOSPC : 0; });
        SocketFetch(file, site->url(QStringLiteral("/q?s=IBM")), QString());
        setWriteFault(nullptr);

        QCOMPARE(fileBytes(file), old);
        QCOMPARE(FailedFetches.size(), 2);
        QVERIFY2(FailedFetches[0].why.startsWith(QStringLiteral("reply cut short: the server closed after ")),
                 qPrintable(FailedFetches[0].why));
        QCOMPARE(FailedFetches[1].why, QStringLiteral("reply larger than 8 MB: not stored"));
        QCOMPARE(FailedStores.size(), 1);
        QCOMPARE(FailedStores[0].why, QStringLiteral("No space left on device"));
        QCOMPARE(Winsock1().State(), int(SocketControl::sckClosed));
        QCOMPARE(dialogs->shown().size(), 0);
    }

    // The adviser's fetch starts outside a run, with StopFlag already set:
    // that does not cut its wait short.
    void waitBegunAfterStopRunsToTheEnd()
    {
        StopFlag = true;
        site->setBehaviour(QStringLiteral("/q"), {FixtureSite::Mode::Normal, 150, 0});
        const QString file = cache + QStringLiteral("/Tip.Sh");
        SocketFetch(file, site->url(QStringLiteral("/q?s=IBM")), QString());
        QVERIFY(fileBytes(file).startsWith("HTTP/1.0 200 OK\r\n"));
    }

    // A refused connection: one message, no file, and the walk goes on.
    void failedConnectionShowsOneMessage()
    {
        const DeadPort dead;
        QVERIFY(dead.port());
        const QString lost = cache + QStringLiteral("/AAA_mr.Sh");
        setWinsockWaitTimeout(50000); // the refusal, not the limit, must end the wait
        QElapsedTimer clock;
        clock.start();
        SocketFetch(lost, QStringLiteral("http://127.0.0.1:%1/quote.asp?Symbol=aaa").arg(dead.port()), QString());
        QVERIFY2(clock.elapsed() < 25000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!QFile::exists(lost));
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->shown().first().prompt, QStringLiteral("Error Connection is forcefully rejected"));
        QCOMPARE(dialogs->shown().first().style, int(Msg::OKOnly));
        QCOMPARE(Winsock1().State(), int(SocketControl::sckClosed));

        const QString next = cache + QStringLiteral("/IBM_mr.Sh");
        SocketFetch(next, site->url(QStringLiteral("/q?s=IBM")), QString());
        QVERIFY(QFile::exists(next));
        QCOMPARE(dialogs->shown().size(), 1);
    }
};

QTEST_MAIN(TestSocketFetch)
#include "tst_socketfetch.moc"
