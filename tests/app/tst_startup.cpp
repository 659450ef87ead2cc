#include "app/Main.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Portfolio.h"
#include "core/Stocks.h"
#include "core/ui/frmSplash.h"
#include "platform/ui/PictureBox.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/Sleep.h"
#include "retrieval/ui/NetSetting.h"
#include "services/ui/Thanks.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {
const QStringList CacheTree = {
    QStringLiteral("Cache"),
    QStringLiteral("Cache/Chart"),
    QStringLiteral("Cache/News"),
    QStringLiteral("Cache/DataSheet"),
    QStringLiteral("Cache/Reports"),
    QStringLiteral("Cache/Reports/Annual Balance Sheet"),
    QStringLiteral("Cache/Reports/Annual Income statement"),
    QStringLiteral("Cache/Reports/Options"),
    QStringLiteral("Cache/Reports/Insiders Traders"),
    QStringLiteral("Cache/Reports/Quarterly Reports"),
    QStringLiteral("Cache/Reports/Earnings"),
    QStringLiteral("Cache/Reports/Consultation"),
    QStringLiteral("Cache/Reports/Summary"),
    QStringLiteral("Cache/Reports/Misc"),
};

QStringList foldersUnder(const QString &root)
{
    QStringList found;
    QDirIterator it(root + QStringLiteral("/Cache"), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(root).relativeFilePath(it.next());
    if (QFileInfo(root + QStringLiteral("/Cache")).isDir())
        found << QStringLiteral("Cache");
    found.sort();
    return found;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QList<int> m_sleeps;
    QList<double> m_bars;

private slots:
    void init()
    {
        m_sleeps.clear();
        m_bars.clear();
        setSleepHandler([this](int ms) { m_sleeps << ms; });
        setSplashBarObserver([this](double v) { m_bars << v; });
    }

    void cleanup()
    {
        // Unloaded, not closed: closing a first-run form runs its hand-over.
        UnloadNetSetting();
        UnloadThanks();
        delete frmMain::instance();
        UnloadSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetMain();
        setSleepHandler({});
        setSplashBarObserver({});
    }

    void firstRunSetsUpAndShowsNetworkSettings()
    {
        TempProfile profile;
        ScriptedDialogs dialogs;
        QVERIFY(Main());
        QVERIFY(SettingsStore::keyExists(QString::fromLatin1(ProgramKey)));
        QVERIFY(SettingsStore::keyExists(QString::fromLatin1(GroupsKey)));
        QCOMPARE(QuerySetting(QStringLiteral("Path")).toString(), DataDir);
        QCOMPARE(QuerySetting(QStringLiteral("RunOnce")).toString(), QStringLiteral("1"));
        QCOMPARE(QuerySetting(QStringLiteral("ShutDown")).toString(), QStringLiteral("0"));
        QVERIFY(netSettingWindow() && netSettingWindow()->isVisible());
        QVERIFY(!frmMain::instance());
        QCOMPARE(m_bars, (QList<double>{1, 30, 35}));
    }

    void normalStartOpensTheMainWindow()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 2);
        ScriptedDialogs dialogs;
        QVERIFY(Main());
        QVERIFY(frmMain::instance() && frmMain::instance()->isVisible());
        QVERIFY(!splashWindow());
        QCOMPARE(m_sleeps, QList<int>{2000});
        // The main window's load runs inside its showing, so Main's last
        // value comes after the load's.
        QCOMPARE(m_bars, (QList<double>{1, 30, 35, 40, 60, 65, 70, 75, 80, 85, 90, 100, 50}));
        QCOMPARE(foldersUnder(DataDir), [] { QStringList l = CacheTree; l.sort(); return l; }());
        QCOMPARE(dialogs.shown().size(), 0);
    }

    void splashDelay_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("wait");
        QTest::newRow("absent") << QString() << 5000;
        QTest::newRow("zero") << QStringLiteral("0") << 0;
        QTest::newRow("twenty") << QStringLiteral("20") << 20000;
        QTest::newRow("not a number") << QStringLiteral("soon") << 5000;
        QTest::newRow("out of range") << QStringLiteral("1e7") << 5000;
        QTest::newRow("negative") << QStringLiteral("-3") << 5000;
    }

    // Values no setting can hold (a damaged settings file) are refused
    // before they are converted: set 0, manual updates, the divider where
    // the window puts it.
    void outOfRangeSettingsAreRefused()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("LastGroup"), QStringLiteral("40000"));
        SaveSetting(QStringLiteral("AutoUpdate"), QStringLiteral("1e5"));
        SaveSetting(QStringLiteral("LastTreePos"), QStringLiteral("1e12"));
        QVERIFY(Main());
        QCOMPARE(CurSetNo, short(0));
        QCOMPARE(UpdateInterval, short(0));
        QVERIFY(frmMain::instance()->picSplit2->x() < frmMain::instance()->width());
    }

    void splashDelay()
    {
        QFETCH(QString, stored);
        QFETCH(int, wait);
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        if (!stored.isEmpty())
            SaveSetting(QStringLiteral("SplashDelay"), stored);
        QVERIFY(Main());
        QCOMPARE(m_sleeps, QList<int>{wait});
        QVERIFY(frmMain::instance());
    }

    // The splash is on screen, painted, during its delay: its picture, the
    // program's name and version, and the bar at the value of the wait. A
    // timer that comes due early in the delay looks at the screen.
    void splashIsPaintedDuringItsDelay()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 1);
        setSleepHandler({});
        bool looked = false;
        QTimer::singleShot(300, [&] {
            looked = true;
            frmSplash *s = splashWindow();
            QVERIFY(s && s->isVisible());
            QCOMPARE(s->pb1->value(), 35);
            QCOMPARE(s->Label1->text(), QStringLiteral("Pellor Brindlewick 5.2"));
            const QImage screen = s->screen()->grabWindow(s->winId()).toImage();
            const QImage picture = s->Image2->pixmap().toImage().convertToFormat(screen.format());
            QCOMPARE(screen.copy(QRect(s->Image2->pos(), picture.size())), picture);
        });
        QVERIFY(Main());
        QVERIFY(looked);
        QVERIFY(frmMain::instance() && frmMain::instance()->isVisible());
    }

    // The picture drawn ahead on a worker thread is the very one drawn on
    // the spot, whether the splash takes it at once or after one was
    // dropped unshown.
    void splashPictureDrawnAheadIsTheOneDrawnOnTheSpot()
    {
        TempProfile profile;
        const auto shownPicture = [] {
            ShowSplash();
            const QImage picture = splashWindow()->Image2->pixmap().toImage();
            UnloadSplash();
            return picture;
        };
        const QImage onTheSpot = shownPicture();
        QCOMPARE(onTheSpot.size(), QSize(420, 150));
        PrepareSplash();
        QCOMPARE(shownPicture(), onTheSpot);
        PrepareSplash();
        UnloadSplash();
        QVERIFY(!splashWindow());
        PrepareSplash();
        PrepareSplash();
        QCOMPARE(shownPicture(), onTheSpot);
    }

    // A second start while the program runs ends without any window, and
    // the first copy's lock is left as it was.
    void secondStartEndsWithoutAWindow()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 0);
        SingleInstance running(defaultDataDir());
        QCOMPARE(running.acquire(), SingleInstance::Taken);
        QVERIFY(!Main());
        QCoreApplication::processEvents();
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!splashWindow() && !frmMain::instance());
        QCOMPARE(m_bars, QList<double>{});
        SingleInstance next(defaultDataDir());
        QCOMPARE(next.acquire(), SingleInstance::HeldByAnother);
    }

    // The bar of the splash is drawn with the next events let through, once
    // for the steps before them, not at each step.
    void splashBarIsDrawnWithTheNextEvents()
    {
        TempProfile profile;
        ShowSplash();
        frmSplash *s = splashWindow();
        s->pb1->setVisible(true);
        QVERIFY(QTest::qWaitForWindowExposed(s));
        QCoreApplication::processEvents();
        struct PaintCount : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } count;
        s->pb1->installEventFilter(&count);
        SetSplashBar(30);
        SetSplashBar(35);
        SetSplashBar(40);
        QCOMPARE(count.paints, 0);
        QTRY_COMPARE_WITH_TIMEOUT(count.paints, 1, 5000);
        QCOMPARE(s->pb1->value(), 40);
        s->pb1->removeEventFilter(&count);
    }

    // A start with the set it chose last time writes nothing to the settings:
    // the file is the very one the first start left.
    void secondStartLeavesTheSettingsAlone()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        SaveSetting(QStringLiteral("SplashDelay"), 0);
        QVERIFY(Main());
        cleanup();
        QFile settings(profile.settingsFile());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray before = settings.readAll();
        settings.close();
        QVERIFY(before.contains("LastGroup=0"));
        // A new inode would be a new file written over the old.
        const auto inode = [&] {
            struct stat st;
            return ::stat(QFile::encodeName(profile.settingsFile()).constData(), &st) == 0 ? st.st_ino : 0;
        };
        const ino_t was = inode();

        QVERIFY(Main());
        QVERIFY(frmMain::instance()->isVisible());
        QCOMPARE(inode(), was);
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QCOMPARE(settings.readAll(), before);
    }

    void onlyMissingCacheFoldersAreCreated()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        QVERIFY(QDir(DataDir).mkpath(QStringLiteral("Cache/News")));
        QFile keep(DataDir + QStringLiteral("/Cache/News/IBM.txt"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("headline\r\n");
        keep.close();
        QVERIFY(Main());
        QStringList expected = CacheTree;
        expected.sort();
        QCOMPARE(foldersUnder(DataDir), expected);
        QVERIFY(QFile::exists(DataDir + QStringLiteral("/Cache/News/IBM.txt")));
    }

    // A lock file that cannot be written (here a folder stands in its place)
    // is said to be one, and the program starts all the same.
    void unwritableLockIsSaidAndTheProgramStarts()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        QVERIFY(QDir(DataDir).mkpath(QStringLiteral("Brindlewick.lock")));
        ScriptedDialogs dialogs;
        QVERIFY(Main());
        QVERIFY(frmMain::instance() && frmMain::instance()->isVisible());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Lock file"));
        QVERIFY(dialogs.shown().first().prompt.contains(QLatin1String("Brindlewick.lock")));
    }

    // Damaged files are read as far as they go; the user is told once which
    // they were and what was kept, and each is copied aside before anything
    // writes over it. Whole files, even with bytes behind their last record
    // (as old files have), are not reported.
    void damagedFilesAreCopiedAsideAndToldOnce()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        CurSetNo = 0;
        for (int i = 0; i < 3; ++i)
            Sets[size_t(i)].Symbol = QStringLiteral("STK%1").arg(i);
        QVERIFY(SaveStocks());
        const QByteArray wholeSet = readBinaryFile(setFilePath(0)).value();
        const QByteArray cutSet = wholeSet.left(2 * 62 + 5); // two whole records, the third cut in its symbol
        QVERIFY(saveFileAtomically(setFilePath(0), cutSet));
        QVERIFY(saveFileAtomically(setFilePath(1), wholeSet + QByteArray(300, 'x')));
        QByteArray noise;
        for (int i = 0; i < 5000; ++i)
            noise.append(char((i * 7919 + 13) % 251));
        QVERIFY(saveFileAtomically(setFilePath(4), noise));
        Port[1].Symbol = QStringLiteral("IBM");
        WritePortfolio();
        QFile conf(profile.settingsFile());
        QVERIFY(conf.open(QIODevice::Append));
        conf.write("Spl");
        conf.close();
        const QByteArray confBytes = readBinaryFile(profile.settingsFile()).value();
        resetStocks();
        resetPortfolio();

        ScriptedDialogs dialogs;
        // Told before the splash shows (its bar's first step comes with it).
        qsizetype toldBeforeSplash = -1;
        setSplashBarObserver([&](double v) {
            if (v == 1)
                toldBeforeSplash = dialogs.shown().size();
        });
        QVERIFY(Main());
        setSplashBarObserver({});
        QCOMPARE(toldBeforeSplash, 1);
        QCOMPARE(dialogs.shown().size(), 1);
        const QString told = dialogs.shown().first().prompt;
        QCOMPARE(dialogs.shown().first().title, QStringLiteral("Damaged files"));
        QVERIFY(told.contains(QLatin1String("Set0.dat: 2 stocks kept")));
        QVERIFY(told.contains(QLatin1String("Set4.dat: 0 stocks kept")));
        QVERIFY(told.contains(QLatin1String("Brindlewick5.conf: ")));
        QVERIFY(!told.contains(QLatin1String("Set1.dat")));
        QVERIFY(!told.contains(QLatin1String("Portfolio.dat")));
        QCOMPARE(readBinaryFile(setFilePath(0) + QStringLiteral(".damaged")).value(), cutSet);
        QCOMPARE(readBinaryFile(setFilePath(4) + QStringLiteral(".damaged")).value(), noise);
        QCOMPARE(readBinaryFile(profile.settingsFile() + QStringLiteral(".damaged")).value(), confBytes);
        QCOMPARE(Sets[0].Symbol, QStringLiteral("STK0"));
        QCOMPARE(Sets[1].Symbol, QStringLiteral("STK1"));
        QCOMPARE(Port[1].Symbol, QStringLiteral("IBM"));

        // The next start tells again, and keeps the one copy.
        cleanup();
        dialogs.clear();
        QVERIFY(Main());
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(!QFileInfo::exists(setFilePath(0) + QStringLiteral(".damaged2")));
    }

    // Said exactly: a trade cut off inside its record is not counted as
    // kept, and a folder standing where a set file should be is named (it
    // reads as an empty set, which the user must not take for the set).
    void cutTradeAndFolderInPlaceOfASetAreSaid()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 1);
        Port[1].Symbol = QStringLiteral("IBM");
        Port[1].Action = QStringLiteral("Buy");
        Port[2].Symbol = QStringLiteral("ACME");
        Port[2].Action = QStringLiteral("Buy");
        QVERIFY(WritePortfolio());
        const QByteArray whole = readBinaryFile(DataDir + QStringLiteral("/Portfolio.dat")).value();
        // Entry 2 cut after its symbol: 28 bytes of entry 0, 34 of entry 1.
        QVERIFY(saveFileAtomically(DataDir + QStringLiteral("/Portfolio.dat"), whole.left(28 + 34 + 8)));
        QVERIFY(QDir().mkpath(resolvePath(setFilePath(2))));
        resetStocks();
        resetPortfolio();

        ScriptedDialogs dialogs;
        QVERIFY(Main());
        QCOMPARE(dialogs.shown().size(), 1);
        const QString told = dialogs.shown().first().prompt;
        QVERIFY2(told.contains(QLatin1String("Portfolio.dat: 1 trade kept")), qPrintable(told));
        QVERIFY2(told.contains(QLatin1String("Set2.dat: a folder stands where this file should be")), qPrintable(told));
        QCOMPARE(Port[2], PortRec{});
        QCOMPARE(Port[1].Symbol, QStringLiteral("IBM"));
    }

    void uncheckedQuestionnaireIsShownAgain()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("RunOnce"), 1);
        SaveSetting(QStringLiteral("Thanks"), 0);
        QVERIFY(Main());
        QVERIFY(!frmMain::instance());
        QVERIFY(thanksWindow() && thanksWindow()->isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
