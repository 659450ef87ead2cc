#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "platform/Latin1File.h"
#include "platform/NetworkState.h"
#include "platform/SocketControl.h"
#include "retrieval/ui/Options.h"
#include "retrieval/ui/VersionCheck.h"
#include "services/ui/frmUpgrade.h"
#include "support/DeadPort.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString Latest = QStringLiteral("You have the last version.");

QString versionFile()
{
    return DataDir + QStringLiteral("/Brw53.txt");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestVersionCheck : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        UnloadOptions();
        UnloadUpgrade();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        VersionCheck::setTimeoutMs(30000);
    }

    void markerOpensTheUpgradeWindow()
    {
        TempProfile profile;
        profile.createProgramKey();
        QTemporaryDir root;
        writeFile(root.filePath(QStringLiteral("Brw53.txt")), "Brindlewick 5.4\r\nNew version Available\r\n");
        FixtureSite site(root.path());
        QVERIFY(site.start());
        SaveSetting(siteSettingName(Site::MakerSite), site.host());
        ScriptedDialogs dialogs;
        Options &form = LoadOptions();
        QPointer<QLabel> info(form.lblInfo);

        form.cmdUpgrade_Click();

        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(info->text(), QStringLiteral("Checking Brindlewick Updates"));
        QVERIFY(!optionsWindow());
        QVERIFY(upgradeWindow() && upgradeWindow()->isVisible());
        QCOMPARE(site.requests().value(0), QByteArray("GET ") + site.url(QStringLiteral("/Brw53.txt")).toLatin1() +
                                               " HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n");
        // Kept as received, headers included, with a closing line end.
        const QString kept = readLatin1File(versionFile()).value_or(QString());
        QVERIFY(kept.startsWith(QStringLiteral("HTTP/1.0 200")));
        QVERIFY(kept.endsWith(QStringLiteral("New version Available\r\n\r\n")));
    }

    void noMarkerIsTheLatestVersion_data()
    {
        QTest::addColumn<QByteArray>("file");  // empty: the site has none (404)
        QTest::newRow("no such file") << QByteArray();
        QTest::newRow("other letter case") << QByteArray("new version available\r\n");
        QTest::newRow("empty file") << QByteArray("");
    }

    void noMarkerIsTheLatestVersion()
    {
        QFETCH(QByteArray, file);
        TempProfile profile;
        profile.createProgramKey();
        QTemporaryDir root;
        if (!file.isNull())
            writeFile(root.filePath(QStringLiteral("Brw53.txt")), file);
        FixtureSite site(root.path());
        QVERIFY(site.start());
        SaveSetting(siteSettingName(Site::MakerSite), site.host());
        ScriptedDialogs dialogs;
        Options &form = LoadOptions();

        form.cmdUpgrade_Click();

        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, Latest);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("No Upgrade Available"));
        QCOMPARE(optionsWindow(), &form);
        QVERIFY(!upgradeWindow());
        QVERIFY(form.cmdUpgrade->isEnabled());
    }

    // A server that never answers or a refused connection ends the check
    // with a message; an old copy of the file is not taken for the answer.
    void failedExchangeEndsWithAMessage_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("message");
        QTest::newRow("no answer") << false
                                   << "Error Connection is aborted due to timeout or other failure 10060";
        QTest::newRow("refused") << true << "Error Connection is forcefully rejected 10061";
    }

    void failedExchangeEndsWithAMessage()
    {
        QFETCH(bool, refused);
        QFETCH(QString, message);
        TempProfile profile;
        profile.createProgramKey();
        writeFile(versionFile(), "New version Available\r\n");
        FixtureSite site;
        QVERIFY(site.start());
        site.setBehaviour(QStringLiteral("/Brw53.txt"), {FixtureSite::Mode::Hang, 0, 0});
        QString host = site.host();
        const DeadPort closed;
        if (refused)
            host = QStringLiteral("127.0.0.1:%1").arg(closed.port());
        SaveSetting(siteSettingName(Site::MakerSite), host);
        VersionCheck::setTimeoutMs(400);
        ScriptedDialogs dialogs;
        Options &form = LoadOptions();
        QElapsedTimer clock;
        clock.start();

        form.cmdUpgrade_Click();

        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, message);
        QVERIFY(!upgradeWindow());
        QCOMPARE(optionsWindow(), &form);
        QCOMPARE(form.Winsock1().State(), 0);
    }

    void offlineChecksNothing()
    {
        TempProfile profile;
        profile.createProgramKey();
        FixtureSite site;
        QVERIFY(site.start());
        SaveSetting(siteSettingName(Site::MakerSite), site.host());
        SaveSetting(QStringLiteral("Prompt"), QStringLiteral("1"));
        setNetworkReachableHandler([] { return false; });
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::No);
        Options &form = LoadOptions();

        form.cmdUpgrade_Click();

        setNetworkReachableHandler({});
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Not Connected"));
        QCOMPARE(site.requestCount(), 0);
        QVERIFY(optionsWindow());
    }
};

QTEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
