#include "core/Registry.h"
#include "core/SharedState.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "retrieval/AutoUpdate.h"
#include "retrieval/transport/RunState.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {
QImage face(const char *name)
{
    return LoadResPicture(QString::fromLatin1(name)).toImage();
}
} // namespace

class TestToolbar : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

    frmMain *open()
    {
        frmMain::Show();
        return frmMain::instance();
    }

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetRunState();
        resetSharedState();
        TimerCount = 0;
    }

    void cleanup()
    {
        delete frmMain::instance();
        m_profile.reset();
    }

    void updateButtonStartsAndStops()
    {
        frmMain *w = open();
        QSignalSpy stops(w, &frmMain::stopRequested);
        for (int box = 0; box < BatchBoxCount; ++box)
            SaveSetting(QStringLiteral("Update%1").arg(box), 0);
        // A run with nothing ticked ends at once, back in the idle look.
        w->Picture1_Click(0);
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        QCOMPARE(w->Picture1[0]->picture().toImage(), face("B1"));
        QVERIFY(StopFlag);
        QVERIFY(w->Panel1[1]->isEnabled());

        // While the caption reads "Stop", any press of button 0 stops.
        w->setRunningLook(true);
        QCOMPARE(w->Picture1[0]->picture().toImage(), face("B4"));
        QVERIFY(!w->Picture1[4]->isEnabled());
        QVERIFY(!w->Panel1[1]->isEnabled());
        QCOMPARE(w->mnuTray[0]->text(), QStringLiteral("Stop"));
        const int before = stops.size();
        w->mnuUpdate_Click(1); // "Update Selected Stock" during a run
        QCOMPARE(stops.size(), before + 1);
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        QCOMPARE(w->mnuTray[0]->text(), QStringLiteral("Update"));
        QVERIFY(w->Picture1[4]->isEnabled());
    }

    void facesFollowThePointer()
    {
        frmMain *w = open();
        w->Picture1_MouseDown(2);
        QCOMPARE(w->Picture1[2]->picture().toImage(), face("B2"));
        w->Picture1_MouseUp(2);
        QCOMPARE(w->Picture1[2]->picture().toImage(), face("B1"));

        w->Picture1_MouseMove(3);
        QCOMPARE(w->Picture1[3]->picture().toImage(), face("B3"));
        // Straight onto the next button: no hover face until the frame is crossed.
        w->Picture1_MouseMove(4);
        QCOMPARE(w->Picture1[4]->picture().toImage(), face("B1"));
        w->Form_MouseMove();
        QCOMPARE(w->Picture1[3]->picture().toImage(), face("B1"));
        w->Picture1_MouseMove(4);
        QCOMPARE(w->Picture1[4]->picture().toImage(), face("B3"));

        // During a run button 0 keeps its running face.
        w->Form_MouseMove();
        w->setRunningLook(true);
        w->Picture1_MouseMove(0);
        QCOMPARE(w->Picture1[0]->picture().toImage(), face("B4"));
        QVERIFY(!w->ToolbarHot);
        w->setRunningLook(false);
    }

    void timerShowsTheCountdownInTheCaption()
    {
        frmMain *w = open();
        const QString base = BaseCaption;
        UpdateInterval = 5;
        for (int i = 0; i < 2; ++i)
            w->Timer1_Timer();
        QCOMPARE(w->windowTitle(), base + QStringLiteral("   Update Every: 5 Mintues,  Remain: 3 Mintues."));
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->Timer1->interval(), 60000);
    }

    void trayMenuHasTheCommands()
    {
        frmMain *w = open();
        QStringList captions;
        for (QAction *a : w->mnuTray)
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{QStringLiteral("Update"), QStringLiteral("-"), QStringLiteral("New Massage"),
                                        QStringLiteral("Tell It To Your Friend"), QStringLiteral("-"),
                                        QStringLiteral("Help"), QStringLiteral("About"), QStringLiteral("-"),
                                        QStringLiteral("Shut Down Brindlewick")}));
        // The restore event leaves a window that is not minimised as it is.
        const QRect g = w->geometry();
        w->TrayIcon1_Event13();
        QCOMPARE(w->geometry(), g);
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
