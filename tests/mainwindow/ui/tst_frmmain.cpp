#include "FreshMainWindow.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "sheets/ColLayout.h"
#include "core/ui/DimScreen.h"
#include "mainwindow/ui/frmMain.h"
#include "services/ui/frmEmail.h"
#include "platform/Latin1File.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "platform/TransferControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/TransferFetch.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QLabel>
#include <QMenu>
#include "platform/UrlOpener.h"
#include <QSignalSpy>
#include <QTreeWidget>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

class TestFrmMain : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;

    frmMain *open()
    {
        frmMain::Show();
        frmMain *w = frmMain::instance();
        if (w)
            (void)QTest::qWaitForWindowExposed(w);
        return w;
    }

private slots:
    void init()
    {
        m_profile = freshMainWindowProfile();
    }

    void cleanup()
    {
        delete frmMain::instance();
        m_profile.reset();
    }

    void shortcutsReachTheirHandlers()
    {
        frmMain *w = open();
        QVERIFY(w);
        QSignalSpy labels(w, &frmMain::labelMenuRun);
        QSignalSpy toolbar(w, &frmMain::toolbarRun);
        QSignalSpy stops(w, &frmMain::stopRequested);

        // Keys reach the window whichever control has the focus.
        w->TreeView1->setFocus();
        QTest::keyClick(w->TreeView1, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.at(0).at(0).toInt(), 0);
        QCOMPARE(toolbar.size(), 0); // never the set editor

        QTest::keyClick(w->TreeView1, Qt::Key_U, Qt::ControlModifier); // a letter without Alt
        QTest::keyClick(w->TreeView1, Qt::Key_X);
        QCOMPARE(labels.size() + toolbar.size(), 1);

        QTest::keyClick(w->TreeView1, Qt::Key_F6);
        QVERIFY(w->FG->hasFocus());
        QTest::keyClick(w->FG, Qt::Key_F5);
        QVERIFY(w->TreeView1->hasFocus());

        QTest::keyClick(w->FG, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(labels.size(), 2);
        QCOMPARE(stops.size(), 0);
        QVERIFY(!StopFlag);
        QTest::keyClick(w->FG, Qt::Key_Escape);
        QCOMPARE(stops.size(), 1);
        QVERIFY(StopFlag);

        QTest::keyClick(w->FG, Qt::Key_F4);
        QCOMPARE(toolbar.size(), 1);
        QCOMPARE(toolbar.at(0).at(0).toInt(), 0);
    }

    void hoverResetKeepsTheRunningButton()
    {
        frmMain *w = open();
        const QPixmap hot = LoadResPicture(QStringLiteral("B2"));
        for (PictureBox *b : w->Picture1)
            b->setPicture(hot);
        w->lblDesc[0]->setText(QStringLiteral("Stop"));
        w->ToolbarHot = true;
        w->Form_MouseMove();
        QVERIFY(!w->ToolbarHot);
        QCOMPARE(w->Picture1[0]->picture().cacheKey(), hot.cacheKey());
        const QImage normal = LoadResPicture(QStringLiteral("B1")).toImage();
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(w->Picture1[i]->picture().toImage(), normal);
    }

    // The transfer states of a page come faster than an eye reads them:
    // the status panel ends on the last of them, cut to fit with the whole
    // text as its tooltip, and a short one shown whole.
    void statusPanelEndsOnTheLastText()
    {
        frmMain *w = open();
        QLabel *panel = w->Panel1[6];
        const QString longText = QStringLiteral("Getting IBM Earnings Estimates & Recommendations ").repeated(4);
        for (const char *state : {"Connecting...", "connected", "request Data", "Downloading Data..."})
            w->setPanelText(6, QLatin1String(state));
        w->setPanelText(6, longText);
        QTRY_VERIFY_WITH_TIMEOUT(panel->toolTip() == longText, 5000);
        QVERIFY(panel->text().endsWith(QChar(0x2026)));
        QVERIFY(longText.startsWith(panel->text().chopped(1)));

        w->setPanelText(6, QStringLiteral("Disconnected from the host."));
        w->setPanelText(6, QStringLiteral("connected"));
        QTRY_COMPARE_WITH_TIMEOUT(panel->text(), QStringLiteral("connected"), 5000);
        QCOMPARE(panel->toolTip(), QStringLiteral("Status"));
    }

    void storedDividerPositionIsRestored()
    {
        SaveSetting(QStringLiteral("LastTreePos"), QStringLiteral("3000"));
        frmMain *w = open();
        QCOMPARE(w->picSplit2->x(), Twips::toPixelsX(3000, w));
        QCOMPARE(w->img[0]->x(), Twips::toPixelsX(3850, w));
        QCOMPARE(w->TreeView1->width(), Twips::toPixelsX(2900, w));
        QCOMPARE(QuerySetting(QStringLiteral("LastTreePos")).toString(), QStringLiteral("3000"));
    }

    void proxySettingsReachTheTransferControl()
    {
        SaveSetting(QStringLiteral("ProxyE"), 1);
        SaveSetting(QStringLiteral("Proxy"), QStringLiteral("proxy.example.org:3128"));
        open();
        QCOMPARE(Inet1().AccessType, int(TransferControl::icNamedProxy));
        QCOMPARE(Inet1().Proxy, QStringLiteral("proxy.example.org:3128"));
        delete frmMain::instance();
        SaveSetting(QStringLiteral("ProxyE"), 0);
        open();
        QCOMPARE(Inet1().AccessType, int(TransferControl::icDirect));
    }

    void startMenuItems()
    {
        frmMain *w = open();
        QStringList captions;
        for (QAction *a : w->mnuStart->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{QStringLiteral("U&pdate"), QStringLiteral("-"), QStringLiteral("&Email"),
                                        QStringLiteral("&Setting"), QStringLiteral("&Help"),
                                        QStringLiteral("&About Brindlewick"), QStringLiteral("-"),
                                        QStringLiteral("Sh&ut Down  (Alt X)")}));
        // Each settings item stores its page before the form opens.
        QSignalSpy pages(w, &frmMain::settingsRequested);
        // The settings form opens modal; close it as soon as it is up.
        QString modalTitle;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                modalTitle = m->windowTitle();
                m->close();
            }
        });
        closer.start(50);
        w->mnuSetting_Click(5);
        closer.stop();
        QVERIFY(!modalTitle.isEmpty());
        QCOMPARE(QuerySetting(QStringLiteral("FrmNav")).toString(), QStringLiteral("5"));
        QCOMPARE(pages.size(), 1);
        // Help items open the program's own pages.
        QList<QUrl> opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u;
            return true;
        });
        w->mnuHelp_Click(4);
        w->mnuHelp_Click(6); // the separator does nothing
        setUrlOpenerHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().toLocalFile().endsWith(QStringLiteral("/help/1009.html")));
    }

    void shutDownWithoutTheSettingQuitsAtOnce()
    {
        frmMain *w = open();
        ScriptedDialogs dialogs;
        w->mnuStart_Click(8);
        QCOMPARE(dialogs.shown().size(), 0);
        QVERIFY(QFile::exists(DataDir + QStringLiteral("/LayOut.dat")));
    }

    void closingWritesTheLayoutFile()
    {
        frmMain *w = open();
        ColLayout[0].Caption = QStringLiteral("Symbol");
        ColLayout[0].Position = 0;
        ColLayout[1].Caption = QStringLiteral("Last");
        ColLayout[1].Position = 3;
        const ColLayoutArray before = ColLayout;
        w->close();
        const auto bytes = readBinaryFile(DataDir + QStringLiteral("\\LayOut.dat"));
        QVERIFY(bytes.has_value());
        const auto back = decodeColLayout(*bytes);
        QVERIFY(back.has_value());
        QVERIFY(*back == before);
    }

    // The Email submenu: its items, and the bug report addressed to the
    // maker with the error log ticked.
    void emailMenu()
    {
        frmMain *w = open();
        QStringList captions;
        for (QAction *a : w->mnuEmail->actions()) {
            captions << a->text();
            QVERIFY(a->isEnabled());
        }
        QCOMPARE(captions, (QStringList{"New Massage", "Tell It To Your Friend", "Bug Report", "Send Error Log To Pellor",
                                        "Send Feedback To Pellor", "Technical Support "}));
        QVERIFY(w->mnuStartItems[2]->isEnabled());
        w->mnuEmail_Click(2);
        frmEmail *mail = emailWindow();
        QVERIFY(mail && mail->isVisible());
        QCOMPARE(mail->txtSubject->text(), QStringLiteral("I would like to report on bug!"));
        QCOMPARE(mail->txtToEmail->text(), QStringLiteral("support@pellor.example"));
        QCOMPARE(mail->txtBody->toPlainText(), QStringLiteral("Hello, I'm using Pellor Brindlewick 5.2. \n"));
        QVERIFY(mail->chkError->isChecked());
        UnloadEmail();
    }

    void shutDownAsksWhenTheUserWantsIt()
    {
        SaveSetting(QStringLiteral("ShutDown"), 1);
        frmMain *w = open();
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::No);
        QFile::remove(DataDir + QStringLiteral("/LayOut.dat"));
        QTest::keyClick(w, Qt::Key_X, Qt::AltModifier);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().prompt, QStringLiteral("Do you realy want to quit Brindlewick?"));
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Shut Down Brindlewick"));
        // No: the program goes on as it was, undimmed, and nothing of the
        // exit ran (the exit writes the layout file first).
        QVERIFY(!QFile::exists(DataDir + QStringLiteral("/LayOut.dat")));
        QVERIFY(w->isVisible());
        QVERIFY(!isDimmed());
        dialogs.answer(Msg::Yes);
        QTest::keyClick(w, Qt::Key_X, Qt::AltModifier);
        QVERIFY(QFile::exists(DataDir + QStringLiteral("/LayOut.dat")));
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
