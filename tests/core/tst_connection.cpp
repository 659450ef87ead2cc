#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "platform/NetworkState.h"
#include "platform/ScreenPointer.h"
#include "platform/UrlOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QSettings>
#include <QtTest>

class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> profile;
    std::unique_ptr<ScriptedDialogs> dialogs;
    bool online = true;
    QList<QUrl> opened;
    QList<int> pointerWhileOpening;

private slots:
    void init()
    {
        profile = std::make_unique<TempProfile>();
        profile->createProgramKey();
        dialogs = std::make_unique<ScriptedDialogs>();
        online = true;
        opened.clear();
        pointerWhileOpening.clear();
        setNetworkReachableHandler([this] { return online; });
        setUrlOpenerHandler([this](const QUrl &u) {
            opened << u;
            pointerWhileOpening << screenMousePointer();
            return true;
        });
    }

    void cleanup()
    {
        setNetworkReachableHandler({});
        setUrlOpenerHandler({});
        dialogs.reset();
        profile.reset();
    }

    void checkConnection_data()
    {
        QTest::addColumn<QString>("prompt");  // "<absent>" for no value
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("asked");
        QTest::newRow("no Prompt, off line") << "<absent>" << false << 0 << true << false;
        QTest::newRow("Prompt empty, off line") << "" << false << 0 << true << false;
        QTest::newRow("Prompt 0, off line") << "0" << false << 0 << true << false;
        QTest::newRow("Prompt 1, on line") << "1" << true << 0 << true << false;
        QTest::newRow("Prompt 1, off line, No") << "1" << false << int(Msg::No) << false << true;
        QTest::newRow("Prompt 1, off line, Yes") << "1" << false << int(Msg::Yes) << false << true;
    }

    void checkConnection()
    {
        QFETCH(QString, prompt);
        QFETCH(bool, connected);
        QFETCH(int, answer);
        QFETCH(bool, result);
        QFETCH(bool, asked);
        if (prompt != QLatin1String("<absent>"))
            SaveSetting(QStringLiteral("Prompt"), prompt);
        online = connected;
        if (answer)
            dialogs->answer(answer);
        QCOMPARE(CheckConnection(), result);
        QCOMPARE(dialogs->shown().size(), asked ? 1 : 0);
        QCOMPARE(dialogs->unexpected(), 0);
        if (asked) {
            const auto &box = dialogs->shown().first();
            QCOMPARE(box.prompt, QStringLiteral("The connection to the Internet is not active,\r\nDo you wish to connect now?"));
            QCOMPARE(box.title, QStringLiteral("Not Connected"));
            QCOMPARE(box.style, Msg::YesNo + Msg::Question);
        }
    }

    void openUrlAfterFailedCheckOpensNothing()
    {
        SaveSetting(QStringLiteral("Prompt"), QStringLiteral("1"));
        online = false;
        dialogs->answer(Msg::No);
        OpenUrl(QStringLiteral("http://charts.example.com/c?s=IBM"));
        QVERIFY(opened.isEmpty());
        QCOMPARE(screenMousePointer(), 0);
    }

    // Web and mail addresses and the program's own files open, with the
    // hourglass shown meanwhile; addresses taken from a page that point at
    // local files or programs never do.
    void openUrlOpensOnlySafeAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opens");
        QTest::newRow("http") << "http://charts.example.com/c?s=IBM" << true;
        QTest::newRow("https") << "https://research.example.com/r?IBM" << true;
        QTest::newRow("mailto") << "mailto:support@pellor.example" << true;
        QTest::newRow("own report") << "<own>/Cache/Reports/IBM.htm" << true;
        QTest::newRow("file address") << "file:///etc/passwd" << false;
        QTest::newRow("own file as file address") << "file://<own>/Cache/Reports/IBM.htm" << false;
        QTest::newRow("program path") << "/usr/bin/xterm" << false;
        QTest::newRow("windows program") << "C:\\Windows\\notepad.exe" << false;
        QTest::newRow("script") << "javascript:alert(1)" << false;
    }

    void openUrlOpensOnlySafeAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, opens);
        address.replace(QLatin1String("<own>"), DataDir);
        OpenUrl(address);
        QCOMPARE(opened.size(), opens ? 1 : 0);
        if (opens)
            QCOMPARE(pointerWhileOpening.first(), 11);
        QCOMPARE(screenMousePointer(), 0);
    }

    void siteTable()
    {
        QCOMPARE(siteUrl(Site::QuotePortal, QStringLiteral("/q?s=IBM")),
                 QStringLiteral("http://") + defaultSiteHost(Site::QuotePortal) + QStringLiteral("/q?s=IBM"));
        SaveSetting(siteSettingName(Site::AnalystData), QStringLiteral("127.0.0.1:8123"));
        QCOMPARE(siteSettingName(Site::AnalystData), QStringLiteral("Site_AnalystData"));
        QCOMPARE(siteUrl(Site::AnalystData, QStringLiteral("/splits.asp")), QStringLiteral("http://127.0.0.1:8123/splits.asp"));
        setAllSiteHosts(QStringLiteral("127.0.0.1:9"));
        for (int i = 0; i < SiteCount; ++i)
            QCOMPARE(siteHost(Site(i)), QStringLiteral("127.0.0.1:9"));

        // Hosts are read again once the settings file changed, also by
        // another program, and in another profile.
        {
            QSettings outside(profile->settingsFile(), QSettings::IniFormat);
            outside.setValue(QStringLiteral("Site_QuoteService"), QStringLiteral("127.0.0.1:77"));
        }
        QCOMPARE(siteHost(Site::QuoteService), QStringLiteral("127.0.0.1:77"));
        QCOMPARE(siteHost(Site::AnalystData), QStringLiteral("127.0.0.1:9"));
        TempProfile other;
        other.createProgramKey();
        QCOMPARE(siteHost(Site::AnalystData), defaultSiteHost(Site::AnalystData));
    }
};

QTEST_MAIN(TestConnection)
#include "tst_connection.moc"
