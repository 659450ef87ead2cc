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
#include <memory>

namespace {
std::unique_ptr<SingleInstance> g_instance;

// The splash delay in milliseconds: 5 seconds unless 0 to 20 seconds are
// stored; a value that is not such a number counts as absent.
int splashWait()
{
    return QuerySettingInRange(QStringLiteral("SplashDelay"), 0, 20, 5) * 1000;
}
} // namespace

bool Main()
{
    // The splash's picture is drawn on a worker thread meanwhile.
    PrepareSplash();
    // One copy per user: the lock lives in the program folder.
    g_instance = std::make_unique<SingleInstance>(defaultDataDir());
    const SingleInstance::Result lock = g_instance->acquire();
    if (lock == SingleInstance::HeldByAnother) {
        g_instance.reset();
        UnloadSplash(); // the picture drawn for it is dropped
        return false;
    }
    // The main window's icon is drawn on a worker thread meanwhile too.
    PrepareProgramIcon();

    InitDataDir();
    if (lock == SingleInstance::NotWritten)
        MsgBox(QStringLiteral("Brindlewick could not write its lock file\r\n") +
                   QDir::toNativeSeparators(g_instance->lockPath()) + QStringLiteral("\r\n(") + g_instance->error() +
                   QStringLiteral(").\r\n\r\nIt starts all the same, but it cannot keep a second copy from starting. "
                                  "Make room on the disk of its data folder."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Lock file"));
    // Before anything is read or written: a damaged file is copied aside.
    if (const QList<DamagedFile> damaged = setAsideDamagedFiles(); !damaged.isEmpty())
        MsgBox(damagedFilesMessage(damaged), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Damaged files"));
    setMainFormOpener([] { frmMain::Show(); });
    // The main window's page-cache folders are made meanwhile.
    frmMain::PrepareCacheFolders(DataDir);

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
