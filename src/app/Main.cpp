#include "app/Main.h"

#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/StartupHooks.h"
#include "core/Stocks.h"
#include "core/ui/frmSplash.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/SingleInstance.h"
#include "platform/Sleep.h"
#include "retrieval/ui/NetSetting.h"
#include "services/ui/Thanks.h"

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
    // One copy per user: the lock lives in the program folder.
    g_instance = std::make_unique<SingleInstance>(defaultDataDir());
    if (!g_instance->acquire()) {
        g_instance.reset();
        return false;
    }

    InitDataDir();
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
