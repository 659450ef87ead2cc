// A full update run of a 50-stock set with every box ticked against the
// loopback fixture web site; prints the pages fetched per second.
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "retrieval/transport/RunState.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TempProfile profile;
    profile.createProgramKey();
    FixtureSite site;
    if (!site.start())
        return 1;
    setAllSiteHosts(site.host());
    const char *known[] = {"IBM", "ACME", "BOLT", "CRWN"};
    for (int i = 0; i < 50; ++i)
        Sets[i].Symbol = i < 4 ? QString::fromLatin1(known[i]) : QStringLiteral("S%1").arg(i);
    SaveStocks();
    resetStocks();
    resetRunState();
    ScriptedDialogs dialogs;
    frmMain::Show();
    frmMain *w = frmMain::instance();
    const int before = site.requests().size();
    QElapsedTimer t;
    t.start();
    w->Picture1_Click(0);
    const double seconds = t.nsecsElapsed() / 1e9;
    const int pages = site.requests().size() - before;
    std::printf("full update, 50 stocks, every box ticked: %d requests in %.2f s, %.0f pages/s\n", pages, seconds,
                pages / seconds);
    delete w;
    return 0;
}
