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

// Value names of the program key, sorted.
QStringList storedNames(const TempProfile &profile)
{
    QSettings ini(profile.settingsFile(), QSettings::IniFormat);
    QStringList names = ini.childKeys();
    names.sort();
    return names;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class TestNetSetting : public QObject
{
    Q_OBJECT

private:
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
        flushDeletes();
        setSleepHandler({});
    }

    void loadMarksFirstRunAndClosesSplash()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("smtp.a.example"));
        SaveSetting(QStringLiteral("Email"), QStringLiteral("me@a.example"));
        ShowSplash();
        bool splashDuringWait = false;
        setSleepHandler([&](int ms) {
            sleeps << ms;
            splashDuringWait = splashWindow() != nullptr;
        });

        ShowNetSetting();
        flushDeletes();

        QCOMPARE(sleeps, QList<int>{2000});
        QVERIFY(splashDuringWait);
        QVERIFY(!splashWindow());
        QCOMPARE(stored("RunOnce"), QStringLiteral("1"));
        QCOMPARE(stored("ShutDown"), QStringLiteral("0"));
        NetSetting *form = netSettingWindow();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Brindlewick Setting"));
        QCOMPARE(form->txtData[0]->text(), QStringLiteral("smtp.a.example"));
        QCOMPARE(form->txtData[1]->text(), QString());
        QCOMPARE(form->txtData[2]->text(), QStringLiteral("me@a.example"));
        // Loading again while loaded does not run the first-run steps twice.
        ShowNetSetting();
        QCOMPARE(sleeps.size(), 1);
    }

    void proxyAndPromptBoxesStoreAtOnce()
    {
        TempProfile profile;
        profile.createProgramKey();
        ShowNetSetting();
        NetSetting *form = netSettingWindow();
        QVERIFY(!form->txtProxy->isEnabled());

        form->chkProxy->click();
        QVERIFY(form->txtProxy->isEnabled());
        QCOMPARE(stored("ProxyE"), QStringLiteral("1"));
        form->chkProxy->click();
        QVERIFY(!form->txtProxy->isEnabled());
        QCOMPARE(stored("ProxyE"), QStringLiteral("0"));

        form->Check1->click();
        QCOMPARE(stored("Prompt"), QStringLiteral("1"));
        form->Check1->click();
        QCOMPARE(stored("Prompt"), QStringLiteral("0"));
    }

    void closeWithEmptyBoxesStoresOnlyProxyAndPrompt()
    {
        TempProfile profile;
        profile.createProgramKey();
        ShowNetSetting();
        const QStringList afterLoad = storedNames(profile);

        QTest::mouseClick(netSettingWindow()->cmdclose, Qt::LeftButton);
        flushDeletes();

        QStringList written = storedNames(profile);
        for (const QString &name : afterLoad)
            written.removeAll(name);
        written.removeAll(QStringLiteral("Thanks")); // the questionnaire's own
        QCOMPARE(written, (QStringList{QStringLiteral("Prompt"), QStringLiteral("Proxy"), QStringLiteral("ProxyE")}));
        QCOMPARE(stored("Proxy"), QString());
        QCOMPARE(stored("ProxyE"), QStringLiteral("0"));
        QCOMPARE(stored("Prompt"), QStringLiteral("0"));
        QVERIFY(!stored("EmailServer") && !stored("NewsServer") && !stored("Email"));

        // The chain goes on in the questionnaire.
        QVERIFY(!netSettingWindow());
        QVERIFY(thanksWindow() && thanksWindow()->isVisible());
    }

    void closeStoresTypedValuesAndKeepsOldOnesForEmptyBoxes()
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
        form->Check1->click();

        QTest::mouseClick(form->cmdclose, Qt::LeftButton);
        flushDeletes();

        QCOMPARE(stored("EmailServer"), QStringLiteral("smtp.b.example"));
        QCOMPARE(stored("NewsServer"), QStringLiteral("news.old.example"));
        QCOMPARE(stored("Email"), QStringLiteral("you@b.example"));
        QCOMPARE(stored("Proxy"), QStringLiteral("proxy.b.example:8080"));
        QCOMPARE(stored("ProxyE"), QStringLiteral("1"));
        QCOMPARE(stored("Prompt"), QStringLiteral("1"));
        QVERIFY(thanksWindow());
    }

    void closeBoxGoesOnLikeClose()
    {
        TempProfile profile;
        profile.createProgramKey();
        ShowNetSetting();
        netSettingWindow()->txtData[1]->setText(QStringLiteral("news.c.example"));

        // Without the chain going on, a first run would leave no window at all.
        netSettingWindow()->close();
        flushDeletes();

        QVERIFY(!netSettingWindow());
        QCOMPARE(stored("NewsServer"), QStringLiteral("news.c.example"));
        QVERIFY(thanksWindow() && thanksWindow()->isVisible());
    }
};

QTEST_MAIN(TestNetSetting)
#include "tst_netsetting.moc"
