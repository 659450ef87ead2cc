#include "navigation/NodeDispatcher.h"

#include "core/MainWindow.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/UpdateGuard.h"
#include "navigation/NodeTable.h"
#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/Sleep.h"
#include "platform/TreeModel.h"
#include "navigation/TreeEvents.h"
#include "portfolio/PortfolioSheets.h"
#include "sheets/market/FundPages.h"
#include "sheets/market/IpoCalendars.h"
#include "sheets/market/SplitCalendars.h"
#include "sheets/market/UsIndices.h"
#include "sheets/market/WorldMarkets.h"
#include "sheets/market/MarketLists.h"
#include "sheets/market/IpoLists.h"
#include "sheets/market/PriceSheet.h"
#include "sheets/symbol/AnalystSheets.h"
#include "sheets/symbol/EarningsSheets.h"
#include "sheets/symbol/Profile.h"
#include "sheets/symbol/InsiderTrades.h"
#include "sheets/symbol/OptionChains.h"
#include "sheets/symbol/Statements.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "webqueries/LinkOpeners.h"
#include "webqueries/QueryWindows.h"

#include <QHash>

#include <functional>

short NodeIndex = 1;

namespace {

using Fill = void (*)();
using Opener = void (*)(short);

struct Link
{
    Opener opener;
    short index;
};

// The sheets under a stock, by leaf text; each is drawn for that stock.
const QHash<QString, Fill> &sheetLeaves()
{
    static const QHash<QString, Fill> table = {
        {QStringLiteral("Annual Balance Sheet"), FG_ABS},
        {QStringLiteral("Annual Income Statement"), FG_AIS},
        {QStringLiteral("Earning Growth"), FG_EG},
        {QStringLiteral("Earning History"), FG_EH},
        {QStringLiteral("Earning Estimates"), FG_ER},
        {QStringLiteral("Consensus EPS Trend"), FG_EC},
        {QStringLiteral("Calls"), FG_Calls},
        {QStringLiteral("Puts"), FG_Puts},
        {QStringLiteral("Options"), FG_Options},
        {QStringLiteral("Insider Trade"), FG_IT},
        {QStringLiteral("Splits History"), FG_Splits},
        {QStringLiteral("Upgrades History"), FG_UpgradeHistory},
        {QStringLiteral("Downgrades History"), FG_DowngradeHistory},
        {QStringLiteral("Momentum Rating"), FG_Momentum},
        {QStringLiteral("Broker Reports"), FG_BrokerReports},
        {QStringLiteral("Profile"), FG_Profile},
        {QStringLiteral("Short Interest "), FG_SI},
        {QStringLiteral("Quarterly Reports"), FG_QR},
    };
    return table;
}

// The pages under a stock, by leaf text.
const QHash<QString, Link> &linkLeaves()
{
    static const QHash<QString, Link> table = [] {
        QHash<QString, Link> t;
        const auto rows = [&t](Opener opener, std::initializer_list<std::pair<const char *, short>> leaves) {
            for (const auto &[text, index] : leaves)
                t.insert(QLatin1String(text), Link{opener, index});
        };
        rows(OpenChartPage, {{"1 Day", 0},
                             {"3 Months", 1},
                             {"1 Year", 2},
                             {"2 Years", 3},
                             {"5 Years", 4},
                             {"Moving Avg.", 6},
                             {"vs SP 500", 7},
                             {"Interactive Chart", 8}});
        rows(OpenNewsPage, {{"Yahoo News", 0},
                            {"Microsoft Investor", 1},
                            {"EDGAR Online", 2},
                            {"Smart Money Online", 3},
                            {"ZD Net", 4},
                            {"Ticker Wire", 5},
                            {"Money Central", 6},
                            {"CBS MarketWatch", 7},
                            {"Personal Finance", 8},
                            {"MorningStar", 9},
                            {"StockPoint", 10},
                            {"The Montlay Full", 11},
                            {"News Alert", 12},
                            {"Bloomberg", 13},
                            {"Reuters - MoneyNet", 14}});
        rows(OpenRatioChart, {{"Book Value", 0},
                              {"Common Equity", 1},
                              {"Current Assets", 2},
                              {"Current Liabilities", 3},
                              {"Debt/Equity Ratio", 4},
                              {"Depreciation", 5},
                              {"Dividends", 6},
                              {"Dividends Payout", 7},
                              {"EBIT", 8},
                              {"EPS", 9},
                              {"Long Term Debt", 10},
                              {"Interest Coverage Ratio", 11},
                              {"Net Income", 12},
                              {"P/E Ratio", 13},
                              {"Price/Book Ratio", 14},
                              {"Price/Sales Ratio", 15},
                              {"Profit Margin", 16},
                              {"Return on Equity", 17},
                              {"Return on Asset", 18},
                              {"Revenues", 19},
                              {"Shares Out", 20}});
        rows(OpenBoards, {{"StockTalk", 0}, {"Yahoo! Message Board", 1}});
        rows(OpenIndustryGroup, {{"Graph", 0},
                                 {"List Of Stocks", 1},
                                 {"Short Term Technical Breakouts", 2},
                                 {"Intermediate Term Technical Breakouts", 3},
                                 {"Long Term Technical Breakouts", 4},
                                 {"Over/Under Valuation", 5},
                                 {"Insider Trading", 6},
                                 {"Composite Ranks", 7}});
        return t;
    }();
    return table;
}

void clearPortfolioAsked()
{
    if (refusedWhileUpdating())
        return;
    const int answer = MsgBox(QStringLiteral("Do you really want to delete all portfolio information?"),
                              Msg::YesNo + Msg::Exclamation + Msg::DefaultButton2,
                              QStringLiteral("Delete Portfolio Information?"));
    if (answer != Msg::Yes)
        return;
    const QString failed = ClearPortfolio();
    if (!failed.isEmpty())
        MsgBox(failed + QStringLiteral("\r\n\r\nNothing was deleted."), Msg::OKOnly + Msg::Exclamation,
               QStringLiteral("Delete Portfolio Information?"));
}

// The fixed nodes with an action, by key.
const QHash<QString, std::function<void()>> &keyActions()
{
    static const QHash<QString, std::function<void()>> table = [] {
        QHash<QString, std::function<void()>> t;
        t.insert(QStringLiteral("PortClear"), clearPortfolioAsked);
        t.insert(QStringLiteral("PortDetail"), FG_Portfolio_All);
        t.insert(QStringLiteral("PortLog"), FG_PortfolioLog);
        t.insert(QStringLiteral("ipo_MB"), [] { OpenBoards(2); });
        // The market lists, by the chooser's index.
        const char *const lists[] = {"sup", "win", "los", "pg", "pl", "vg", "vl", "52h", "52l", "mas", "up",
                                     "down", "ci", "pg_N", "pl_N", "vg_N", "vl_N", "52h_N", "52l_N", "mas_N",
                                     "pg_A", "pl_A", "vg_A", "vl_A", "52h_A", "52l_A", "mas_A", "lmm",
                                     "lmm_N", "lmm_A"};
        for (short i = 0; i < short(std::size(lists)); ++i)
            t.insert(QLatin1String(lists[i]), [i] { ShowConsultation(short(i + 1)); });
        t.insert(QStringLiteral("US"), FG_US);
        const char *const usSections[][2] = {{"US_DJ", "Dow Jones Averages"},
                                             {"US_NY", "New York Stock Exchange"},
                                             {"US_NQ", "Nasdaq"},
                                             {"US_SP", "Standard and Poor's"},
                                             {"US_OTHER", "Other U.S. Indices"},
                                             {"US_TS", "Treasury Securities (yield x10)"},
                                             {"US_COMM", "Commodities"}};
        for (const auto &section : usSections) {
            const QString title = QLatin1String(section[1]);
            t.insert(QLatin1String(section[0]), [title] {
                FG_US();
                FG_FindRow(title);
            });
        }
        t.insert(QStringLiteral("W_Market"), FG_WMarket);
        const char *const regions[][2] = {{"mkt_A", "Americas"}, {"mkt_AP", "Asia/Pacific"}, {"mkt_E", "Europe"},
                                          {"mkt_ME", "Africa/Middle East"}};
        for (const auto &region : regions) {
            const QString title = QLatin1String(region[1]);
            t.insert(QLatin1String(region[0]), [title] {
                FG_WMarket();
                FG_FindRow(title);
            });
        }
        const char *const optionTables[] = {"OptSum_D", "OptSum_G", "OptSum_L"};
        for (short i = 0; i < 3; ++i)
            t.insert(QLatin1String(optionTables[i]), [i] { FG_OptSum(i); });
        for (const QString &key : fundKeys())
            t.insert(key, [key] { FG_Funds(key); });
        const char *const splits[] = {"SP_T", "SP_W", "SP_N", "SP_R", "SP_C"};
        for (short i = 0; i < 5; ++i)
            t.insert(QLatin1String(splits[i]), [i] { FG_SplitCal(i); });
        t.insert(QStringLiteral("ipo_reg"), FG_IPO_Reg);
        t.insert(QStringLiteral("ipo_price"), FG_IPO_Price);
        t.insert(QStringLiteral("ipo_Loss"), FG_IPO_Loss);
        t.insert(QStringLiteral("ipo_gain"), FG_IPO_Gain);
        t.insert(QStringLiteral("ipo_with"), FG_IPO_With);
        t.insert(QStringLiteral("ipo_news"), FG_IPO_News);
        t.insert(QStringLiteral("ipo_last"), FG_IPO_Last);
        const char *const video[] = {"TVB_F", "TVB_B", "TVB_L", "TVB_S", "TVB_T", "TVF_U",
                                     "TVF_O", "TVF_B", "TVF_P", "TVIO",  "TVBBC"};
        for (short i = 0; i < short(std::size(video)); ++i)
            t.insert(QLatin1String(video[i]), [i] { PlayVideo(i); });
        const char *const audio[] = {"RB_F",  "RB_B",   "RB_L",  "RB_W",  "RB_M",    "RI_Reg",
                                     "RI_FC", "RI_MW",  "RI_TT", "RI_Mac", "RI_LR",  "RI_SR",
                                     "RadioI", "RadioLT", "RadioDR", "RadioAV", "RadioBBC"};
        for (short i = 0; i < short(std::size(audio)); ++i)
            t.insert(QLatin1String(audio[i]), [i] { PlayAudio(i); });
        return t;
    }();
    return table;
}

FlexGrid *mainGrid()
{
    MainWindow *window = mainWindow();
    return window ? window->mainGrid() : nullptr;
}

// A stock node shows its stock's profile while a profile is shown, else
// its row in the price sheet. True when the click needs nothing more.
bool clickStock(const TreeModel &tree, int index, NavigationHost &host)
{
    CurSymbol = tree.Text(index);
    host.SelectSymbol(CurSymbol);
    if (CurType == QLatin1String("Profile")) {
        FG_Profile();
        return false;
    }
    if (CurType != QLatin1String("Current"))
        FG_Current();
    FlexGrid *grid = mainGrid();
    return grid && selectPriceRow(*grid, GetDisplayName());
}

// The pages under a stock. A symbol that reads like a page's text is no
// page: stock and portfolio nodes never get here.
void clickLeaf(const TreeModel &tree, int index, NavigationHost &host)
{
    const QString text = tree.Text(index);
    if (const auto sheet = sheetLeaves().constFind(text); sheet != sheetLeaves().constEnd()) {
        host.SelectSymbol(tree.Text(tree.Parent(index)));
        (*sheet)();
        return;
    }
    if (text == QLatin1String("Technical Graphs") || text == QLatin1String("Charts")) {
        if (const int stock = stockNodeOf(tree, index))
            host.SelectSymbol(tree.Text(stock));
        if (text == QLatin1String("Charts")) {
            ShowBigChart();
            DoEvents();
        } else {
            ShowTechGraph();
        }
        return;
    }
    if (const auto link = linkLeaves().constFind(text); link != linkLeaves().constEnd()) {
        // The page is the one of the stock whose subtree holds the leaf.
        if (const int stock = stockNodeOf(tree, index))
            host.SelectSymbol(tree.Text(stock));
        link->opener(link->index);
    }
}

} // namespace

bool isStockNode(const TreeModel &tree, int index)
{
    return tree.isNode(index) && tree.Image(index) == StockNodeImage
           && tree.Key(index).startsWith(QLatin1String("ID"));
}

int stockNodeOf(const TreeModel &tree, int index)
{
    for (int n = index; tree.isNode(n); n = tree.Parent(n))
        if (isStockNode(tree, n))
            return n;
    return 0;
}

bool selectPriceRow(FlexGrid &grid, const QString &name)
{
    for (int r = 2; r < grid.Rows(); ++r) {
        if (grid.TextMatrix(r, 1) != name)
            continue;
        grid.setRedraw(false);
        if (r > grid.TopRow() + 6)
            grid.setTopRow(r);
        if (r < grid.TopRow())
            grid.setTopRow(r);
        grid.setRow(r);
        grid.setCol(0);
        grid.setRowSel(r);
        grid.setColSel(1);
        grid.setRedraw(true);
        return true;
    }
    return false;
}

void TreeView1_NodeClick(TreeModel &tree, int index, NavigationHost &host)
{
    if (!tree.isNode(index))
        return;
    try {
        NodeIndex = short(index);
        const QString key = tree.Key(index);
        const bool portfolioSymbol = key.startsWith(QLatin1String("TID"));
        const bool stock = isStockNode(tree, index);
        if (stock && clickStock(tree, index, host))
            return;
        if (tree.Image(index) == SetRootImage)
            FG_Current();
        if (!stock && !portfolioSymbol)
            clickLeaf(tree, index, host);
        if (portfolioSymbol)
            FG_Portfolio_Selected(tree.Text(index));
        if (const auto action = keyActions().constFind(key); action != keyActions().constEnd())
            (*action)();
    } catch (...) {
        // A failing step ends the click; the sheets report missing pages themselves.
    }
}

void resetNavigation()
{
    NodeIndex = 1;
}
