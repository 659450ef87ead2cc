#include "navigation/ZoomDispatch.h"

#include "core/TargetGrid.h"
#include "platform/Sleep.h"
#include "portfolio/PortfolioSheets.h"
#include "sheets/market/AnalystActions.h"
#include "sheets/market/FundPages.h"
#include "sheets/market/IpoCalendars.h"
#include "sheets/market/IpoLists.h"
#include "sheets/market/MarketMovers.h"
#include "sheets/market/PriceSheet.h"
#include "sheets/market/UsIndices.h"
#include "sheets/market/WorldMarkets.h"
#include "sheets/symbol/AnalystSheets.h"
#include "sheets/symbol/InsiderTrades.h"
#include "sheets/symbol/OptionChains.h"
#include "sheets/symbol/Profile.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "sheets/symbol/Statements.h"

#include <QHash>

namespace {

// The sheets a zoom can redraw, by their key (letter case counts).
const QHash<QString, void (*)()> &zoomTable()
{
    static const QHash<QString, void (*)()> table = {
        {"Current", FG_Current},       {"ABS", FG_ABS},
        {"AIS", FG_AIS},               {"QR", FG_QR},
        {"Call", FG_Calls},            {"Put", FG_Puts},
        {"IPO_Price", FG_IPO_Price},   {"IPO_Gain", FG_IPO_Gain},
        {"IPO_Reg", FG_IPO_Reg},       {"Coverage", FG_Coverage},
        {"Downgrade", FG_Downgrades},  {"Upgrade", FG_Upgrades},
        {"US", FG_US},                 {"WM", FG_WMarket},
        {"SUP", FG_Surp},              {"IT", FG_IT},
        {"BRP", FG_BrokerReports},     {"NMR", FG_Momentum},
        {"Split", FG_Splits},          {"UPH", FG_UpgradeHistory},
        {"IPO_Last", FG_IPO_Last},     {"IPO_Loss", FG_IPO_Loss},
        {"IPO_News", FG_IPO_News},     {"IPO_With", FG_IPO_With},
        {"Port", FG_Portfolio_All},    {"PortLog", FG_PortfolioLog},
        {"Profile", FG_Profile},       {"Options", FG_Options},
        {"SI", FG_SI}};
    return table;
}

// Whatever the fill did, the next sheet goes to the main grid again.
struct ZoomScope
{
    ZoomScope() { ZoomFlag = true; }
    ~ZoomScope() { ZoomFlag = false; }
};

} // namespace

QStringList zoomSheetKeys()
{
    return zoomTable().keys();
}

SheetFill zoomSheetFill(const QString &sheetKey)
{
    return zoomTable().value(sheetKey);
}

bool ZoomSheet(const QString &sheetKey)
{
    if (sheetKey.startsWith(QLatin1String("F_"))) {
        const QString key = sheetKey;
        ZoomScope zoom;
        FG_Funds(key);
        return true;
    }
    const auto fill = zoomTable().value(sheetKey);
    if (!fill)
        return false;
    {
        ZoomScope zoom;
        fill();
    }
    DoEvents();
    return true;
}
