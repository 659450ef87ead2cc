#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "platform/Latin1File.h"
#include "platform/SettingsStore.h"
#include "platform/Speech.h"
#include "platform/ui/PictureBox.h"
#include "retrieval/BatchRun.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "support/RecordingMainWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include "platform/TransferControl.h"
#include "retrieval/transport/TransferFetch.h"

#include <QtTest>

namespace {
std::optional<QString> stored(const QString &name)
{
    return SettingsStore::value(QString::fromLatin1(ProgramKey), name);
}

QList<int> tickedBoxes(const Options &form)
{
    QList<int> boxes;
    for (int box = 0; box < BatchBoxCount; ++box) {
        if (form.chkUpdate[box]->isChecked())
            boxes << box;
    }
    return boxes;
}

QList<int> every(int first, int last, int step = 1)
{
    QList<int> boxes;
    for (int b = first; b <= last; b += step)
        boxes << b;
    return boxes;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FakeSpeech : public SpeechEngine
{
public:
    QStringList voices{QStringLiteral("slt"), QStringLiteral("rms"), QStringLiteral("awb")};
    int listed = 0;
    bool speaking = true;
    QList<int> modes;
    QStringList voiceNames() override
    {
        ++listed;
        return voices;
    }
    bool isSpeaking() override { return speaking; }
    void stop() override { speaking = false; }
    void setVoiceMode(int mode) override { modes << mode; }
};

class ToolbarStub : public BatchView
{
public:
    QString caption = QStringLiteral("Update");
    QString updateCaption() const override { return caption; }
    void setRunningLook(bool running) override
    {
        caption = running ? QStringLiteral("Stop") : QStringLiteral("Update");
    }
};
} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

    QList<bool> timer;

private slots:
    void init()
    {
        timer.clear();
        setUpdateTimerHook([this](bool on) { timer << on; });
    }

    void cleanup()
    {
        UnloadOptions();
        flushDeletes();
        setUpdateTimerHook({});
        setBarSkinHook({});
        resetSharedState();
    }

    void freshStoreWritesDefaultsAndTicksEveryBox()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("mail.a.example"));
        SaveSetting(QStringLiteral("NewsServer"), QStringLiteral("news.a.example"));

        Options &form = LoadOptions();

        QCOMPARE(tickedBoxes(form).size(), BatchBoxCount);
        QCOMPARE(form.Text1->text(), QStringLiteral("5"));
        QCOMPARE(form.Text2->text(), QStringLiteral("12"));
        QCOMPARE(form.cobSqd->currentText(), QStringLiteral("Manually"));
        QCOMPARE(form.cobStyle->currentIndex(), -1);
        QCOMPARE(form.txtEmailServ->text(), QStringLiteral("mail.a.example"));
        const QList<std::pair<const char *, const char *>> written = {
            {"SplashDelay", "5"}, {"SaverDelay", "12"}, {"Prompt", "1"}, {"ShutDown", "1"}, {"AutoUpdate", "0"}};
        for (const auto &[name, value] : written)
            QCOMPARE(stored(QString::fromLatin1(name)), QString::fromLatin1(value));
        QCOMPARE(timer, QList<bool>{false});
        // Only OK stores the boxes; no bar style was chosen, none is stored.
        QCOMPARE(stored(QStringLiteral("Update0")), std::nullopt);
        QCOMPARE(stored(QStringLiteral("PicBar")), std::nullopt);
        QCOMPARE(form.CurPage, short(0));
        QVERIFY(!form.isVisible());
    }

    // OK stores exactly the boxes left ticked; the batch run, reading them
    // through the form, walks only those.
    void okStoresBoxesAndTheRunWalksThem()
    {
        TempProfile profile;
        profile.createProgramKey();
        Options &form = LoadOptions();
        const QList<int> cleared = {0, 7, 21, 59, 88};
        for (int box : cleared)
            form.chkUpdate[box]->setChecked(false);
        form.lblNav_Click(3);
        form.cmd_OK->click();
        QVERIFY(!optionsWindow());
        flushDeletes();

        for (int box = 0; box < BatchBoxCount; ++box)
            QCOMPARE(stored(QStringLiteral("Update%1").arg(box)), cleared.contains(box) ? "0" : "1");
        QCOMPARE(stored(QStringLiteral("FrmNav")), QStringLiteral("3"));
        QCOMPARE(ShowFractions, QStringLiteral("1"));

        RecordingMainWindow window;
        ToolbarStub toolbar;
        QList<int> ran;
        BatchTable table;
        for (int box : {0, 1, 7, 21, 42, 88})
            table[box] = [&ran, box] { ran << box; };
        BatchServices services;
        services.checkConnection = [] { return true; };
        services.boxTicked = OptionsBoxTicked;
        // A box cleared on the loaded form counts, stored or not.
        QVERIFY(OptionsBoxTicked(1));
        optionsWindow()->chkUpdate[42]->setChecked(false);
        UpdateAll(toolbar, table, services);
        QCOMPARE(ran, (QList<int>{1}));
        QVERIFY(optionsWindow() && !optionsWindow()->isVisible());
        QCOMPARE(stored(QStringLiteral("Update42")), QStringLiteral("1"));
    }

    void okRefusesNoBoxesAndBadDelays()
    {
        TempProfile profile;
        profile.createProgramKey();
        ScriptedDialogs dialogs;
        Options &form = LoadOptions();
        for (int button : {1, 3, 4, 6})
            form.cmdSelect_Click(button);
        QVERIFY(tickedBoxes(form).isEmpty());
        form.cmd_OK->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, QStringLiteral("You have to select at least one option"));
        QCOMPARE(dialogs.shown()[0].style, Msg::OKOnly + Msg::Information);
        QCOMPARE(tickedBoxes(form), QList<int>{0});
        QCOMPARE(optionsWindow(), &form);

        // A delay typed and never left is checked by OK and not stored.
        form.Text1->setText(QStringLiteral("7.5"));
        form.cmd_OK->click();
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(dialogs.shown()[1].title, QStringLiteral("Wrong Value"));
        QCOMPARE(form.Text1->text(), QStringLiteral("5"));
        QCOMPARE(optionsWindow(), &form);
        QCOMPARE(stored(QStringLiteral("Update0")), std::nullopt);

        form.Text2->setText(QStringLiteral("61"));
        form.Text2_LostFocus();
        QCOMPARE(form.Text2->text(), QStringLiteral("12"));
        form.Text1->setText(QStringLiteral("20"));
        form.Text1_LostFocus();
        QCOMPARE(dialogs.shown().size(), 3);
        form.cmd_OK->click();
        QCOMPARE(stored(QStringLiteral("SplashDelay")), QStringLiteral("20"));
        QCOMPARE(stored(QStringLiteral("SaverDelay")), QStringLiteral("12"));
    }

    void exchangeLabelsShareOneFlag()
    {
        TempProfile profile;
        profile.createProgramKey();
        Options &form = LoadOptions();
        form.cmdSelect[3]->click();  // page 0, "C&lear All"
        form.lblExc_Click(0);        // AMEX
        QCOMPARE(tickedBoxes(form), every(0, 14) + every(22, 49, 3) + every(50, 88));
        form.lblExc_Click(0);
        QCOMPARE(tickedBoxes(form), every(0, 14) + every(50, 88));
        form.lblExc_Click(0);
        form.lblExc_Click(1);  // NYSE gets the opposite of AMEX
        QCOMPARE(tickedBoxes(form), every(0, 14) + every(22, 49, 3) + every(50, 88));
        form.cmdSelect[2]->click();
        QCOMPARE(tickedBoxes(form).size(), BatchBoxCount);
    }

    void onePageAtATime()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("FrmNav"), QStringLiteral("5"));
        FakeSpeech speech;
        setSpeechEngine(&speech);
        Options &form = LoadOptions();
        QCOMPARE(form.CurPage, short(5));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        auto shownPage = [&form] {
            int shown = -1;
            for (int i = 0; i < OptionsPageCount; ++i) {
                const bool red = form.lblNav[i]->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
                if (form.Frm[i]->isVisible()) {
                    if (shown >= 0 || !red)
                        return -2;
                    shown = i;
                } else if (red) {
                    return -2;
                }
            }
            return shown;
        };
        QCOMPARE(shownPage(), 5);
        // Alt keys open pages, ahead of the buttons' own Alt keys ("Check
        // &for Upgrade" on the general page).
        const QList<std::pair<Qt::Key, int>> keys = {{Qt::Key_N, 6}, {Qt::Key_F, 3}, {Qt::Key_D, 0},
                                                     {Qt::Key_M, 2}, {Qt::Key_S, 1}, {Qt::Key_G, 5}};
        for (const auto &[key, page] : keys) {
            QTest::keyClick(&form, key, Qt::AltModifier);
            QCOMPARE(shownPage(), page);
        }
        // The voices are asked for only once the voice page is seen.
        QCOMPARE(speech.listed, 0);
        QTest::keyClick(&form, Qt::Key_V, Qt::AltModifier);
        QCOMPARE(shownPage(), 4);
        QCOMPARE(speech.listed, 1);
        QCOMPARE(form.cobVoice->count(), 3);
        QCOMPARE(stored(QStringLiteral("VoiceMode")), QStringLiteral("0"));
        form.cobVoice->setCurrentIndex(2);
        QVERIFY(!speech.speaking);
        QCOMPARE(speech.modes, (QList<int>{1, 3}));
        QCOMPARE(stored(QStringLiteral("VoiceMode")), QStringLiteral("2"));
        setSpeechEngine(nullptr);
    }

    // Settings stored the moment they change stay stored after Cancel.
    void atOnceSettingsAndCancel()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("AutoUpdate"), QStringLiteral("30"));
        SaveSetting(QStringLiteral("PicBar"), QStringLiteral("2"));
        int skins = 0;
        setBarSkinHook([&skins] { ++skins; });
        Options &form = LoadOptions();
        QCOMPARE(form.cobSqd->currentIndex(), 5);
        QCOMPARE(UpdateInterval, short(30));
        QCOMPARE(timer, QList<bool>{true});
        QCOMPARE(skins, 1);
        QVERIFY(!form.txtProxy->isEnabled());

        form.cobSqd->setCurrentIndex(form.cobSqd->findText(QStringLiteral("1.5   Hour")));
        QCOMPARE(stored(QStringLiteral("AutoUpdate")), QStringLiteral("90"));
        QCOMPARE(UpdateInterval, short(90));
        form.cobSqd->setCurrentIndex(0);
        QCOMPARE(stored(QStringLiteral("AutoUpdate")), QStringLiteral("0"));
        QCOMPARE(timer, (QList<bool>{true, true, false}));
        form.cobStyle->setCurrentIndex(form.cobStyle->findText(QStringLiteral("Gold Metal")));
        QCOMPARE(stored(QStringLiteral("PicBar")), QStringLiteral("3"));
        QCOMPARE(skins, 2);
        form.chkProxy->click();
        QVERIFY(form.txtProxy->isEnabled());
        QCOMPARE(stored(QStringLiteral("ProxyE")), QStringLiteral("1"));
        QCOMPARE(Inet1().AccessType, int(TransferControl::icNamedProxy));
        form.txtProxy->setText(QStringLiteral("proxy.a.example:8080"));
        form.txtProxy_LostFocus();
        // The transfers use the proxy from the moment it is stored.
        QCOMPARE(Inet1().Proxy, QStringLiteral("proxy.a.example:8080"));
        form.chkProxy->click();
        QCOMPARE(Inet1().AccessType, int(TransferControl::icDirect));
        form.chkProxy->click();
        form.chkShutDown->click();
        QCOMPARE(stored(QStringLiteral("ShutDown")), QStringLiteral("0"));
        form.chkUpdate[4]->setChecked(false);

        form.cmd_cancel->click();
        QVERIFY(!optionsWindow());
        QCOMPARE(stored(QStringLiteral("Proxy")), QStringLiteral("proxy.a.example:8080"));
        QCOMPARE(stored(QStringLiteral("Update4")), std::nullopt);
        flushDeletes();
        QVERIFY(OptionsBoxTicked(4));
        QVERIFY(optionsWindow()->chkProxy->isChecked());
    }

    void unreadableProxySettingEndsTheLoad()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("ProxyE"), QStringLiteral("on"));
        SaveSetting(QStringLiteral("Proxy"), QStringLiteral("proxy.a.example"));
        Options &form = LoadOptions();
        QCOMPARE(form.txtProxy->text(), QString());
        const QString log = readLatin1File(DataDir + QStringLiteral("/ErrorLog.txt")).value_or(QString());
        QVERIFY(log.contains(QStringLiteral("Where: Option_Form_Load")));
        QVERIFY(OptionsBoxTicked(88));
    }

    void opensModalOverTheOwner()
    {
        TempProfile profile;
        profile.createProgramKey();
        QWidget owner;
        owner.resize(800, 600);
        int x = -1, y = -1, page = -1;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            Options *form = optionsWindow();
            // The frame is known only once shown; the form was measured before.
            x = form->x() + form->width() / 2;
            y = form->y();
            page = form->CurPage;
            modal = form->isModal() && form->isVisible() && form->parentWidget() == &owner;
            form->cmd_cancel->click();
        });
        ShowOptions(&owner, 120, 5);
        QVERIFY(modal);
        QCOMPARE(page, 5);
        QVERIFY2(qAbs(x - 400) <= 1, qPrintable(QString::number(x)));
        QCOMPARE(y, 55);  // (120 + 700) twips
        QVERIFY(!optionsWindow());
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
