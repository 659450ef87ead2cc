#include "core/DataDir.h"
#include "platform/TransferControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"
#include "sheets/SheetFetch.h"
#include "support/CachePages.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Keeps every caption shown.
class CaptionWindow : public RecordingMainWindow
{
public:
    QStringList captions;
    void setCaption(const QString &text) override
    {
        RecordingMainWindow::setCaption(text);
        captions << text;
    }
};
} // namespace

// The two fetch kinds against a local site: the size rule keeps a page of
// exactly the limit and deletes one a byte shorter; Stop fetches nothing.
class TestSheetFetch : public QObject
{
    Q_OBJECT

    QTemporaryDir siteRoot;
    std::unique_ptr<FixtureSite> site;
    std::unique_ptr<TempProfile> profile;
    std::unique_ptr<CaptionWindow> window;

    void serve(const QString &name, const QByteArray &body)
    {
        QFile f(siteRoot.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(body);
    }
    qint64 cachedSize(const QString &name) const
    {
        const QFileInfo info(cachePagePath(name));
        return info.exists() ? info.size() : -1;
    }
    void fetch(bool socket, const QString &name, const QString &page, qint64 minBytes)
    {
        if (socket)
            FetchSheetPageBySocket(name, site->url(page), QStringLiteral("Updating Test"), minBytes);
        else
            FetchSheetPage(name, site->url(page), QStringLiteral("Updating Test"), minBytes);
    }

private slots:
    void initTestCase()
    {
        site = std::make_unique<FixtureSite>(siteRoot.path());
        QVERIFY(site->start());
    }
    void init()
    {
        profile = std::make_unique<TempProfile>();
        window = std::make_unique<CaptionWindow>();
        resetRunState();
        resetSocketFetch();
        setWinsockWaitTimeout(5000);
        BaseCaption = QStringLiteral("Brindlewick");
        StopFlag = false;
        CurInet = &Inet1();
        Inet1().setRequestTimeoutMs(5000);
        QDir().mkpath(DataDir + QStringLiteral("/Cache/DataSheet"));
        site->clearRequests();
    }
    void cleanup()
    {
        CurInet = nullptr;
        resetSocketFetch();
        resetRunState();
        window.reset();
        profile.reset();
    }

    void sizeRule_data()
    {
        QTest::addColumn<bool>("socket");
        QTest::newRow("transfer") << false;
        QTest::newRow("socket") << true;
    }
    void sizeRule()
    {
        QFETCH(bool, socket);
        serve(QStringLiteral("page.html"), QByteArray(2500, 'x'));
        fetch(socket, QStringLiteral("Test.Sh"), QStringLiteral("/page.html"), 0);
        const qint64 stored = cachedSize(QStringLiteral("Test.Sh")); // the socket keeps the headers
        QVERIFY(stored >= 2500);
        QVERIFY(window->captions.contains(QStringLiteral("Brindlewick    Updating Test")));

        fetch(socket, QStringLiteral("Test.Sh"), QStringLiteral("/page.html"), stored);
        QCOMPARE(cachedSize(QStringLiteral("Test.Sh")), stored);
        // One byte short: not stored, and the page cached before stays.
        writeCachePage(QStringLiteral("Test.Sh"), "good page");
        fetch(socket, QStringLiteral("Test.Sh"), QStringLiteral("/page.html"), stored + 1);
        QCOMPARE(cachedSize(QStringLiteral("Test.Sh")), qint64(9));
        QVERIFY(!QFile::exists(cachePagePath(QStringLiteral("Test.Sh.new"))));
        QFile::remove(cachePagePath(QStringLiteral("Test.Sh")));
        fetch(socket, QStringLiteral("Test.Sh"), QStringLiteral("/page.html"), stored + 1);
        QCOMPARE(cachedSize(QStringLiteral("Test.Sh")), qint64(-1));
        QCOMPARE(site->requestCount(), 4);
    }

    void stopFetchesNothing_data() { sizeRule_data(); }
    void stopFetchesNothing()
    {
        QFETCH(bool, socket);
        serve(QStringLiteral("page.html"), QByteArray(3000, 'x'));
        writeCachePage(QStringLiteral("Test.Sh"), "old page");
        StopFlag = true;
        fetch(socket, QStringLiteral("Test.Sh"), QStringLiteral("/page.html"), 2500);
        QCOMPARE(site->requestCount(), 0);
        QCOMPARE(window->captions, QStringList());
        QCOMPARE(cachedSize(QStringLiteral("Test.Sh")), qint64(8));
    }
};

QTEST_GUILESS_MAIN(TestSheetFetch)
#include "tst_sheetfetch.moc"
