#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/SharedState.h"
#include "support/PriceRuns.h"
#include "support/ScriptedDialogs.h"
#include "mainwindow/ui/frmMain.h"
#include "core/ui/frmSplash.h"
#include "platform/Help.h"
#include "platform/UrlOpener.h"
#include "platform/ui/PictureBox.h"
#include "platform/FlexGrid.h"
#include "platform/ui/TreeView.h"
#include "portfolio/ui/StkSet.h"
#include "platform/ui/ResourcePictures.h"
#include "retrieval/AutoUpdate.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "services/ui/News.h"
#include "webqueries/ui/Scr.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QAction>
#include <QElapsedTimer>
#include "platform/ui/FlexGridView.h"
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QLabel>
#include <QSignalSpy>
#include "services/ui/frmAdviser.h"

#include <QFrame>
#include <QPushButton>
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
        UnloadOptions(); // its boxes were read from this test's profile
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

    // A run writes quotes into the current set's records: while one waits on
    // a page, no route switches the set (F2, the set menu, the label), and
    // the other set's file is left untouched. After the run the set menu
    // works again.
    void noSetSwitchDuringARun()
    {
        FixtureSite site;
        QVERIFY(startPriceSite(site));
        resetStocks();
        CurSetNo = 2;
        Sets[0].Symbol = QStringLiteral("ACME");
        SaveStocks();
        resetStocks();
        CurSetNo = 0;
        Sets[0].Symbol = QStringLiteral("IBM");
        SaveStocks();
        QFile setTwo(DataDir + QStringLiteral("/Set2.dat"));
        QVERIFY(setTwo.open(QIODevice::ReadOnly));
        const QByteArray setTwoBefore = setTwo.readAll();
        setTwo.close();
        site.setBehaviour(QStringLiteral("/fq/quotecom/quote"), {FixtureSite::Mode::Hang, 0, 0});

        frmMain *w = open();
        QCOMPARE(CurSetNo, short(0));
        QList<short> seen;
        bool menuShown = false;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, w, [&] {
            if (site.requestCount() < 1)
                return;
            poll.stop();
            QTest::keyClick(w, Qt::Key_F2);
            menuShown = w->mnuSets->isVisible();
            w->Panel1_Click(1);
            menuShown = menuShown || w->mnuSets->isVisible();
            w->mnuSet[2]->trigger();
            w->mnuSet_Click(2);
            seen << CurSetNo;
            w->StopUpdate();
        });
        poll.start();
        QTimer::singleShot(10000, w, [w] { w->StopUpdate(); }); // a bound, should the poll never fire
        w->Picture1_Click(0);
        QCOMPARE(seen, QList<short>{0});
        QVERIFY(!menuShown);
        QCOMPARE(Sets[0].Symbol, QStringLiteral("IBM"));
        QVERIFY(setTwo.open(QIODevice::ReadOnly));
        QCOMPARE(setTwo.readAll(), setTwoBefore);
        setTwo.close();
        QCOMPARE(QuerySetting(QStringLiteral("LastGroup")).toString(), QStringLiteral("0"));

        w->mnuSet[2]->trigger();
        QCOMPARE(CurSetNo, short(2));
        QCOMPARE(Sets[0].Symbol, QStringLiteral("ACME"));
    }

    // "Update Selected Stock" on a stock just added in the editor stores
    // its quote and shows its row on the price sheet at once.
    void updateSelectedShowsAStockJustAdded()
    {
        FixtureSite site;
        QVERIFY(startPriceSite(site));
        resetStocks();
        CurSetNo = 0;
        Sets[0].Symbol = QStringLiteral("BOLT");
        SaveStocks();
        resetStocks();
        frmMain *w = open();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        ScriptedDialogs dialogs;
        QTest::mouseClick(w->Picture1[4], Qt::LeftButton);
        StkSet *editor = setEditor();
        QVERIFY(editor);
        dialogs.answerInput(QStringLiteral("acme"));
        QTest::mouseClick(editor->lblAction[0], Qt::LeftButton);
        QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(!setEditor());

        TreeModel &nodes = w->TreeView1->Nodes();
        QTreeWidgetItem *all = w->TreeView1->itemOf(nodes.find(QStringLiteral("All")));
        QTest::mouseClick(w->TreeView1->viewport(), Qt::LeftButton, {}, w->TreeView1->visualItemRect(all).center());
        QCOMPARE(CurType, QStringLiteral("Current"));
        const int acme = nodes.find(QStringLiteral("ID1"));
        QCOMPARE(nodes.Text(acme), QStringLiteral("ACME"));
        nodes.setExpanded(nodes.Parent(acme), true);
        QTreeWidgetItem *item = w->TreeView1->itemOf(acme);
        w->TreeView1->scrollToItem(item);
        const QPoint at = w->TreeView1->visualItemRect(item).center();
        QTest::mouseClick(w->TreeView1->viewport(), Qt::RightButton, {}, at);
        QTRY_VERIFY(w->mnuTrees->isVisible());
        for (QAction *a : w->mnuTrees->actions())
            if (a->text() == QLatin1String("&Update Selected Stock"))
                QTest::mouseClick(w->mnuTrees, Qt::LeftButton, {}, w->mnuTrees->actionGeometry(a).center());
        QTRY_COMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        QCOMPARE(Sets[1].Name, QStringLiteral("Acme Widgets Inc"));
        QStringList names;
        for (int r = 2; r < w->FGModel->Rows(); ++r)
            names << w->FGModel->TextMatrix(r, 1);
        QCOMPARE(names, QStringList{QStringLiteral("Acme Widgets Inc")});
    }

    // "Zedero" (Alt+O) opens the news reader, "Screen" (Alt+C) the screener.
    void toolbarOpensItsWindows()
    {
        frmMain *w = open();
        QTest::keyClick(w, Qt::Key_O, Qt::AltModifier);
        QVERIFY(newsWindow() && newsWindow()->isVisible());
        QTest::keyClick(w, Qt::Key_C, Qt::AltModifier);
        QVERIFY(screenerWindow() && screenerWindow()->isVisible());
        UnloadNews();
        UnloadScr();
        // Alt+A: the adviser label's window, modal.
        QTest::keyClick(w, Qt::Key_A, Qt::AltModifier);
        QVERIFY(adviserWindow() && adviserWindow()->isVisible());
        QCOMPARE(adviserWindow()->windowModality(), Qt::ApplicationModal);
        UnloadAdviser();
    }

    // The label bar: pressed look, the frame over the label under the
    // pointer, and the Summary label asking for a stock first.
    void labelBarLooks()
    {
        frmMain *w = open();
        const auto ground = [w] { return w->Panel1[2]->grab().toImage().pixelColor(1, 1); };
        w->Panel1_MouseDown(2, 1);
        QCOMPARE(ground(), QColor(0x00, 0xff, 0x00));
        w->Panel1_MouseMove(2);
        QVERIFY(w->Rect->isVisible());
        QCOMPARE(w->Rect->x(), w->Panel1[2]->x());
        w->Panel1_MouseUp();
        QVERIFY(!w->Rect->isVisible());
        QCOMPARE(ground(), QColor(Qt::black));
        ScriptedDialogs dialogs;
        CurSymbol.clear();
        w->Panel1_Click(4);
        QCOMPARE(dialogs.shown().value(0).title, QStringLiteral("Unselected Stock"));
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
        QCOMPARE(w->caption(), base + QStringLiteral("   Update Every: 5 Mintues,  Remain: 3 Mintues."));
        QTRY_COMPARE(w->windowTitle(), base + QStringLiteral("   Update Every: 5 Mintues,  Remain: 3 Mintues."));
        QVERIFY(w->Timer1->isActive());
        QCOMPARE(w->Timer1->interval(), 60000);
    }

    // An update sets the caption for every page it fetches; the title bar
    // follows at most once a frame, as the status panel does, the last text
    // of a burst shown at the end of its frame. The caption read back is
    // always the last one set, and after the run the title is the base one.
    // While the run goes on the window is drawn at most once a frame too.
    void captionIsPacedDuringARun()
    {
        FixtureSite site;
        QVERIFY(startPriceSite(site));
        resetStocks();
        const char *const symbols[] = {"IBM", "ACME", "BOLT", "CRWN", "NOPE", "ZZA", "ZZB", "ZZC", "ZZD", "ZZE"};
        for (int i = 0; i < 10; ++i)
            Sets[i].Symbol = QLatin1String(symbols[i]);
        QVERIFY(SaveStocks());
        frmMain *w = open();
        const QString base = BaseCaption;

        // What the user sees change: the title bar, and the grid drawn anew.
        // Neither may change more often than once a frame; the bound is taken
        // from the run's own length, so a slow machine only loosens it.
        struct Watch : QObject
        {
            int titles = 0, paints = 0;
            const QLabel *runCaption = nullptr;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (runCaption->text() != QLatin1String("Stop"))
                    return false;
                titles += e->type() == QEvent::WindowTitleChange;
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } watch;
        watch.runCaption = w->lblDesc[0];
        w->installEventFilter(&watch);
        w->FG->viewport()->installEventFilter(&watch);
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(w, Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        const qint64 frames = clock.elapsed() / 30 + 2;
        QVERIFY(site.requestCount() >= 10);
        QCOMPARE(w->caption(), base);
        QTRY_COMPARE(w->windowTitle(), base);
        w->removeEventFilter(&watch);
        w->FG->viewport()->removeEventFilter(&watch);
        QVERIFY(watch.titles > 0);
        QVERIFY2(watch.titles <= frames, qPrintable(QStringLiteral("%1 titles in %2 frames").arg(watch.titles).arg(frames)));
        QVERIFY2(watch.paints <= frames, qPrintable(QStringLiteral("%1 drawings in %2 frames").arg(watch.paints).arg(frames)));
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
        // "Help" opens the documentation; "About" the splash as a modal
        // window, which the main window's own activation leaves open.
        QList<QUrl> opened;
        setUrlOpenerHandler([&](const QUrl &url) {
            opened << url;
            return true;
        });
        QVERIFY(w->mnuTray[5]->isEnabled() && w->mnuTray[6]->isEnabled());
        w->mnuTray[5]->trigger();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().toLocalFile().endsWith(QFileInfo(helpPagePath(1001, DataDir)).fileName()));
        setUrlOpenerHandler(nullptr);
        w->mnuTray[6]->trigger();
        frmSplash *about = splashWindow();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowModality(), Qt::ApplicationModal);
        QCOMPARE(about->parentWidget(), w);
        w->Form_Activate();
        QVERIFY(splashWindow() == about && about->isVisible());
        UnloadSplash();

        // The restore event leaves a window that is not minimised as it is.
        const QRect g = w->geometry();
        w->TrayIcon1_Event13();
        QCOMPARE(w->geometry(), g);
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
