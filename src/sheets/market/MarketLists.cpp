#include "sheets/market/MarketLists.h"

#include "core/MainWindow.h"
#include "sheets/market/AnalystActions.h"
#include "sheets/market/BigMovers.h"
#include "sheets/market/MarketMovers.h"
#include "sheets/market/PriceSheet.h"

#include <QString>

const char *consultationFile(short Index)
{
    static const char *const files[31] = {
        "",              "",              "",              "",               "brPG_Q.Sh",     "brPL_Q.Sh",
        "brVG_Q.Sh",     "brVL_Q.Sh",     "br52-WPH_Q.Sh", "br52-WPL_Q.Sh",  "brMAS_Q.Sh",    "",
        "",              "",              "brPG_N.Sh",     "brPL_N.Sh",      "brVG_N.Sh",     "brVL_N.Sh",
        "br52-WPH_N.Sh", "br52-WPL_N.Sh", "brMAS_N.Sh",    "brPG_A.Sh",      "brPL_A.Sh",     "brVG_A.Sh",
        "brVL_A.Sh",     "br52-WPH_A.Sh", "br52-WPL_A.Sh", "brMAS_A.Sh",     "BrLMM_Q.Sh",    "BrLMM_N.Sh",
        "BrLMM_A.Sh",
    };
    return Index >= 0 && Index <= 30 ? files[Index] : "";
}

void ShowConsultation(short Index)
{
    if (MainWindow *w = mainWindow())
        w->checkConsultationItem(Index);
    switch (Index) {
    case 0: FG_Current(); return;
    case 1: FG_Surp(); return;
    case 2: FG_WinLos(QStringLiteral("mwwinners.Sh")); return;
    case 3: FG_WinLos(QStringLiteral("mwlosers.Sh")); return;
    case 11: FG_Upgrades(); return;
    case 12: FG_Downgrades(); return;
    case 13: FG_Coverage(); return;
    default: break;
    }
    const QString file = QLatin1String(consultationFile(Index));
    if (!file.isEmpty())
        ShowBigMovers(file);
}
