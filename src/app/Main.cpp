#include "app/Main.h"

#include "core/DamagedFiles.h"
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/StartupHooks.h"
#include "core/Stocks.h"
#include "core/ui/frmSplash.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "platform/Sleep.h"
#include "platform/ui/ResourcePictures.h"
#include "retrieval/ui/NetSetting.h"
#include "services/ui/Thanks.h"

#include <QDir>
#include <QProgressBar>
#include <future>
#include <memory>

namespace {
std::unique_ptr<SingleInstance> g_instance;

// The splash delay in milliseconds: 5 seconds unless 0 to 20 seconds are
// stored; a value that is not such a number counts as absent.
int splashWait()
{
    return QuerySettingInRange(QStringLiteral("SplashDelay"), 0, 20, 5) * 1000;
}

// What start-up learns from the user's files before any window shows.
struct StartFiles
{
    SingleInstance::Result lock = SingleInstance::Taken;
    QList<DamagedFile> damaged;
};

// File work only, no window and no box: the lock, and unless another copy
// holds it the data folder, the damaged files set aside (before anything is
// read or written) and the page-cache folders looked up for the main window.
StartFiles takeFiles()
{
    StartFiles files;
    // One copy per user: the lock lives in the program folder.
    g_instance = std::make_unique<SingleInstance>(defaultDataDir());
    files.lock = g_instance->acquire();
    if (files.lock == SingleInstance::HeldByAnother)
        return files;
    InitDataDir();
    files.damaged = setAsideDamagedFiles();
    frmMain::PrepareCacheFolders(DataDir);
    return files;
}
} // namespace

bool Main()
{
    // The splash's picture is drawn on a worker thread meanwhile.
    PrepareSplash();
    // The files are looked at on another worker thread while the splash is
    // built here, not yet shown: it reads no file and no setting, so the two
    // share nothing until the files are done.
    std::future<StartFiles> filesAhead = std::async(std::launch::async, takeFiles);
    LoadSplash();
    const StartFiles files = filesAhead.get();
    if (files.lock == SingleInstance::HeldByAnother) {
        g_instance.reset();
        UnloadSplash(); // never shown
        return false;
    }
    // The main window's icon is drawn on a worker thread meanwhile too.
    PrepareProgramIcon();

    if (files.lock == SingleInstance::NotWritten)
        MsgBox(QStringLiteral("Brindlewick could not write its lock file\r\n") +
                   QDir::toNativeSeparators(g_instance->lockPath()) + QStringLiteral("\r\n(") + g_instance->error() +
                   QStringLiteral(").\r\n\r\nIt starts all the same, but it cannot keep a second copy from starting. "
                                  "Make room on the disk of its data folder."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Lock file"));
    if (!files.damaged.isEmpty())
        MsgBox(damagedFilesMessage(files.damaged), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Damaged files"));
    setMainFormOpener([] { frmMain::Show(); });

    ShowSplash();
    if (frmSplash *s = splashWindow())
        s->pb1->setVisible(true);
    SetSplashBar(1);

    const int wait = splashWait();
    SetSplashBar(30);

    const bool firstRun = QuerySetting(QStringLiteral("RunOnce")) == 0;
    if (firstRun) {
        CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(ProgramKey));
        CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey));
        SaveSetting(QStringLiteral("Path"), DataDir);
        ShowNetSetting();
        DoEvents();
    }
    SetSplashBar(35);

    if (!(QuerySetting(QStringLiteral("Thanks")) == 0)) {
        ReadStocks();
        ReadPortfolio();
        // The splash stays painted, its picture and progress shown, for the
        // whole delay; the program takes no input meanwhile.
        PaintedSleep(wait);
        SetSplashBar(40);
        DoEvents();
        ShowMainForm();
        SetSplashBar(50);
        DoEvents();
    } else if (!firstRun) {
        // The questionnaire was unticked: show it again, its closing opens the
        // main window (otherwise the program would never get past the splash).
        ShowThanks();
        DoEvents();
    }
    return true;
}

void resetMain()
{
    g_instance.reset();
}
