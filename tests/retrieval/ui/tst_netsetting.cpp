#include "core/Registry.h"
#include "core/ui/frmSplash.h"
#include "platform/SettingsStore.h"
#include "platform/Sleep.h"
#include "retrieval/ui/NetSetting.h"
#include "services/ui/Thanks.h"
#include "support/TempProfile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

namespace {
std::optional<QString> stored(const char *name)
{
    return SettingsStore::value(QString::fromLatin1(ProgramKey), QString::fromLatin1(name));
}
} // namespace

class TestNetSetting : public QObject
{
    Q_OBJECT

    QList<int> sleeps;

private slots:
    void init()
    {
        sleeps.clear();
        setSleepHandler([this](int ms) { sleeps << ms; });
    }

    void cleanup()
    {
        UnloadThanks();
        UnloadNetSetting();
        UnloadSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setSleepHandler({});
    }

    void loadMarksFirstRunAndClosesSplash()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("Email"), QStringLiteral("me@a.example"));
        ShowSplash();
        bool splashDuringWait = false;
        setSleepHandler([&](int ms) {
            sleeps << ms;
            splashDuringWait = splashWindow() != nullptr;
        });

        ShowNetSetting();
        ShowNetSetting(); // already loaded: no second wait

        QCOMPARE(sleeps, QList<int>{2000});
        QVERIFY(splashDuringWait);
        QVERIFY(!splashWindow());
        QCOMPARE(stored("RunOnce"), QStringLiteral("1"));
        QCOMPARE(stored("ShutDown"), QStringLiteral("0"));
        QCOMPARE(netSettingWindow()->txtData[0]->text(), QString());
        QCOMPARE(netSettingWindow()->txtData[2]->text(), QStringLiteral("me@a.example"));
    }

    void proxyAndPromptBoxesStoreAtOnce()
    {
        TempProfile profile;
        profile.createProgramKey();
        ShowNetSetting();
        NetSetting *form = netSettingWindow();
        QVERIFY(!form->txtProxy->isEnabled());
        for (const char *value : {"1", "0"}) {
            form->chkProxy->click();
            QCOMPARE(form->txtProxy->isEnabled(), *value == '1');
            QCOMPARE(stored("ProxyE"), QString::fromLatin1(value));
            form->Check1->click();
            QCOMPARE(stored("Prompt"), QString::fromLatin1(value));
        }
    }

    void closeWithEmptyBoxesStoresOnlyProxyAndPrompt()
    {
        TempProfile profile;
        profile.createProgramKey();
        ShowNetSetting();
        QSettings ini(profile.settingsFile(), QSettings::IniFormat);
        const QStringList afterLoad = ini.childKeys();

        QTest::mouseClick(netSettingWindow()->cmdclose, Qt::LeftButton);

        ini.sync();
        QStringList written = ini.childKeys();
        for (const QString &name : afterLoad + QStringList{QStringLiteral("Thanks")}) // Thanks: the questionnaire's
            written.removeAll(name);
        written.sort();
        QCOMPARE(written, (QStringList{QStringLiteral("Prompt"), QStringLiteral("Proxy"), QStringLiteral("ProxyE")}));
        QCOMPARE(stored("Proxy"), QString());
        QVERIFY(!netSettingWindow());
        QVERIFY(thanksWindow() && thanksWindow()->isVisible());
    }

    void closeBoxStoresTypedValuesAndKeepsOldOnesForEmptyBoxes()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("NewsServer"), QStringLiteral("news.old.example"));
        ShowNetSetting();
        NetSetting *form = netSettingWindow();
        form->txtData[0]->setText(QStringLiteral("smtp.b.example"));
        form->txtData[1]->clear();
        form->txtData[2]->setText(QStringLiteral("you@b.example"));
        form->chkProxy->click();
        form->txtProxy->setText(QStringLiteral("proxy.b.example:8080"));

        // The close box must not end the first run with no window at all.
        form->close();

        QCOMPARE(stored("EmailServer"), QStringLiteral("smtp.b.example"));
        QCOMPARE(stored("NewsServer"), QStringLiteral("news.old.example"));
        QCOMPARE(stored("Email"), QStringLiteral("you@b.example"));
        QCOMPARE(stored("Proxy"), QStringLiteral("proxy.b.example:8080"));
        QCOMPARE(stored("ProxyE"), QStringLiteral("1"));
        QVERIFY(!netSettingWindow());
        QVERIFY(thanksWindow() && thanksWindow()->isVisible());
    }
};

QTEST_MAIN(TestNetSetting)
#include "tst_netsetting.moc"
