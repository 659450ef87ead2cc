#include "navigation/NodeTable.h"

#include "core/Portfolio.h"
#include "core/Stocks.h"
#include "platform/TreeModel.h"
#include "portfolio/PortSymbols.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

struct FixedNode
{
    const char *parent; // "" for a root
    const char *key;
    const char *text;
    int image;
};

// The market lists of one exchange folder; the folder's suffix ends each key.
struct ListLeaf
{
    const char *key;
    const char *text;
};

const ListLeaf ExchangeLists[] = {
    {"pg", "Largest % Gain In Price"},   {"pl", "Largest % Loss In Price"},
    {"vg", "Largest % Gain In Volume"},  {"vl", "Largest % Loss In Volume"},
    {"52h", "52 Weeks Price High"},      {"52l", "52 Weeks Price Low"},
    {"mas", "Most Active Stocks"},       {"lmm", "Largest Money Movers"},
};

struct ExchangeFolder
{
    const char *key;
    const char *text;
    const char *suffix;
};

const ExchangeFolder Exchanges[] = {{"ConQ", "NASDAQ", ""}, {"ConsA", "AMEX", "_A"}, {"ConsN", "NYSE", "_N"}};

const FixedNode MarketLists[] = {
    {"Cons", "sup", "25 Earnings Surprises", 3}, {"Cons", "win", "Percentage Winners", 3},
    {"Cons", "los", "Percentage Losers", 3},     {"Cons", "up", "Upgrades", 3},
    {"Cons", "down", "Downgrades", 3},           {"Cons", "ci", "Coverage Initiated", 3},
};

const FixedNode MarketRest[] = {
    {"Market", "OptSum", "Options Market Summary", 7},
    {"OptSum", "OptSum_D", "Top Volume Leaders", 3},
    {"OptSum", "OptSum_G", "Top Percentage Gainers", 3},
    {"OptSum", "OptSum_L", "Top Percentage Losers", 3},
    {"Market", "Index", "Indexes", 7},
    {"Index", "US", "US Market", 7},
    {"US", "US_DJ", "Dow Jones Averages", 3},
    {"US", "US_NY", "New York Stock Exchange", 3},
    {"US", "US_NQ", "Nasdaq", 3},
    {"US", "US_SP", "Standard and Poor's", 3},
    {"US", "US_OTHER", "Other U.S. Indices", 3},
    {"US", "US_TS", "Treasury Securities (yield x10)", 3},
    {"US", "US_COMM", "Commodities", 3},
    {"Index", "W_Market", "World Markets", 7},
    {"W_Market", "mkt_A", "Americas", 3},
    {"W_Market", "mkt_AP", "Asia/Pacific", 3},
    {"W_Market", "mkt_E", "Europe", 3},
    {"W_Market", "mkt_ME", "Africa/Middle East", 3},
    {"Market", "ipo", "IPO", 7},
    {"ipo", "ipo_last", "Latest Data", 3},
    {"ipo", "ipo_news", "News", 3},
    {"ipo", "ipo_price", "Pricing", 3},
    {"ipo", "ipo_gain", "Gainers", 3},
    {"ipo", "ipo_Loss", "Losers", 3},
    {"ipo", "ipo_reg", "Registrations", 3},
    {"ipo", "ipo_with", "Withdrawals", 3},
    {"ipo", "ipo_MB", "IPO Message Boards", 24},
    {"Market", "SP", "Splits", 7},
    {"SP", "SP_T", "Today's Splits", 3},
    {"SP", "SP_W", "This Week", 3},
    {"SP", "SP_N", "Next Week's", 3},
    {"SP", "SP_R", "Recently Announced", 3},
    {"SP", "SP_C", "Top Tech", 3},
    {"Market", "Funds", "Funds", 7},
    {"Funds", "F_Market", "Largest Mutual and Money Market Funds", 7},
    {"F_Market", "F_Conv", "Largest Convertible Bond Funds", 3},
    {"F_Market", "F_Growth", "Largest Growth Funds", 3},
    {"F_Market", "F_Equity", "Largest Equity Funds", 3},
    {"F_Market", "F_Yield", "Largest High-Yield Bond Funds", 3},
    {"F_Market", "F_LMM", "Largest Money Market Funds", 3},
    {"F_Market", "F_Inter", "Largest International Funds", 3},
    {"F_Market", "F_Precious", "Largest Precious Metals Funds", 3},
    {"Funds", "F_Fam", "Largest Fund Families", 7},
    {"F_Fam", "F_Smith", "Smith Barney Mutual and Money Market Funds", 3},
    {"F_Fam", "F_AIM", "AIM Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Benham", "Benham Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Dean", "Dean Witter Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Franklin", "Franklin/Templeton Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Fidelity", "Fidelity Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Merrill", "Merrill Lynch Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Janus", "Janus Mutual and Money Funds", 3},
    {"F_Fam", "F_Putnam", "Putnam Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Scudder", "Scudder Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Stagecoach", "Stagecoach Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Strong", "Strong Mutual and Money Market Funds", 3},
    {"F_Fam", "F_T", "T. Rowe Price Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Twentieth", "Twentieth Century Mutual and Money Market Funds", 3},
    {"F_Fam", "F_Vanguard", "Vanguard Mutual and Money Market Funds", 3},
};

const FixedNode TransHead[] = {
    {"", "Trans", "Transections", 13},
    {"Trans", "PortLog", "Transection Log", 16},
    {"Trans", "PortDetail", "Portfolio Detail", 15},
};

const FixedNode TransTail[] = {
    {"Trans", "PortOp", "Portfolio options", 11},
    {"PortOp", "PortClear", "Clear All", 11},
};

const FixedNode Media[] = {
    {"", "Radio", "Radio", 28},
    {"Radio", "RadioB", "Bloomberg Radio", 28},
    {"RadioB", "RB_F", "Financial", 28},
    {"RadioB", "RB_B", "Business", 28},
    {"RadioB", "RB_L", "Launch Live", 28},
    {"RadioB", "RB_W", "World and National", 28},
    {"RadioB", "RB_M", "Morning Show", 28},
    {"Radio", "RadioA", "ABS Stock Market Broadcasts", 28},
    {"RadioA", "RI_Reg", "Regular market updates from 8:00 AM - 4:00 PM", 28},
    {"RadioA", "RI_FC", "Market Forecasts", 28},
    {"RadioA", "RI_MW", "Market Wisdom", 28},
    {"RadioA", "RI_TT", "Trading Talk", 28},
    {"RadioA", "RI_Mac", "Macro Report", 28},
    {"RadioA", "RI_LR", "Liberty Research", 28},
    {"RadioA", "RI_SR", "The S Report", 28},
    {"Radio", "RadioI", "InternetNews Radio", 28},
    {"Radio", "RadioLT", "Let's Talk Business Radio", 28},
    {"Radio", "RadioDR", "Daily Rocket", 28},
    {"Radio", "RadioAV", "AV Daily News", 28},
    {"Radio", "RadioBBC", "BBC News", 28},
    {"", "TV", "Television", 27},
    {"TV", "TVB", "Bloomberg Television", 27},
    {"TVB", "TVB_F", "Financial", 27},
    {"TVB", "TVB_B", "Business", 27},
    {"TVB", "TVB_L", "Launch Live", 27},
    {"TVB", "TVB_S", "Stock Picks", 27},
    {"TVB", "TVB_T", "Tech", 27},
    {"TV", "TVF", "Financial Times", 27},
    {"TVF", "TVF_U", "News update", 27},
    {"TVF", "TVF_O", "Opening business", 27},
    {"TVF", "TVF_B", "Bonds roundup", 27},
    {"TVF", "TVF_P", "Preview", 27},
    {"TV", "TVIO", "Investor OnLine", 27},
    {"TV", "TVBBC", "BBC", 27},
};

// One stock's pages: keys are the prefix followed by the stock's index,
// and so are the parents. The call-option leaf has the key "Puts" and the
// put-option leaf "Calls"; the dispatcher goes by their texts.
const FixedNode StockPages[StockSubtreeSize - 1] = {
    {"ID", "AR", "Profile", 9},
    {"ID", "News", "News", 4},
    {"News", "RM", "Reuters - MoneyNet", 4},
    {"News", "BL", "Bloomberg", 4},
    {"News", "NA", "News Alert", 4},
    {"News", "Y", "Yahoo News", 4},
    {"News", "M", "Microsoft Investor", 4},
    {"News", "E", "EDGAR Online", 4},
    {"News", "S", "Smart Money Online", 4},
    {"News", "Z", "ZD Net", 4},
    {"News", "Tkw", "Ticker Wire", 4},
    {"News", "Mn", "Money Central", 4},
    {"News", "Cbs", "CBS MarketWatch", 4},
    {"News", "Pfn", "Personal Finance", 4},
    {"News", "Mr", "MorningStar", 4},
    {"News", "SP", "StockPoint", 4},
    {"News", "MF", "The Montlay Full", 4},
    {"ID", "C", "Charts", 5},
    {"C", "d", "1 Day", 5},
    {"C", "3m", "3 Months", 5},
    {"C", "1y", "1 Year", 5},
    {"C", "2y", "2 Years", 5},
    {"C", "5y", "5 Years", 5},
    {"C", "ma", "Moving Avg.", 5},
    {"C", "sp", "vs SP 500", 5},
    {"ID", "G", "Ratios Graphs", 6},
    {"G", "bookV", "Book Value", 6},
    {"G", "ce", "Common Equity", 6},
    {"G", "Casset", "Current Assets", 6},
    {"G", "Clib", "Current Liabilities", 6},
    {"G", "debt", "Debt/Equity Ratio", 6},
    {"G", "dep", "Depreciation", 6},
    {"G", "div", "Dividends", 6},
    {"G", "divP", "Dividends Payout", 6},
    {"G", "ebit", "EBIT", 6},
    {"G", "eps", "EPS", 6},
    {"G", "longDebt", "Long Term Debt", 6},
    {"G", "IC", "Interest Coverage Ratio", 6},
    {"G", "Nincome", "Net Income", 6},
    {"G", "pe", "P/E Ratio", 6},
    {"G", "PB", "Price/Book Ratio", 6},
    {"G", "PS", "Price/Sales Ratio", 6},
    {"G", "pm", "Profit Margin", 6},
    {"G", "returnEq", "Return on Equity", 6},
    {"G", "returnAs", "Return on Asset", 6},
    {"G", "Revenues", "Revenues", 6},
    {"G", "SO", "Shares Out", 6},
    {"ID", "TG", "Technical Graphs", 26},
    {"ID", "ICT", "Interactive Chart", 29},
    {"ID", "ABS", "Annual Balance Sheet", 3},
    {"ID", "AIS", "Annual Income Statement", 3},
    {"ID", "EG", "Earning Growth", 3},
    {"ID", "EH", "Earning History", 3},
    {"ID", "ER", "Earning Estimates", 3},
    {"ID", "EC", "Consensus EPS Trend", 3},
    {"ID", "IT", "Insider Trade", 3},
    {"ID", "QR", "Quarterly Reports", 3},
    {"ID", "SPL", "Splits History", 3},
    {"ID", "UP", "Upgrades History", 3},
    {"ID", "DN", "Downgrades History", 3},
    {"ID", "BR", "Broker Reports", 3},
    {"ID", "NMR", "Momentum Rating", 3},
    {"ID", "Puts", "Calls", 3},
    {"ID", "Calls", "Puts", 3},
    {"ID", "Options", "Options", 3},
    {"ID", "SI", "Short Interest ", 3},
    {"ID", "MB", "Message Board", 24},
    {"MB", "MB_S", "StockTalk", 24},
    {"MB", "MB_Y", "Yahoo! Message Board", 24},
    {"ID", "IG", "Industry Group", 17},
    {"IG", "IG_G", "Graph", 5},
    {"IG", "IG_L", "List Of Stocks", 16},
    {"IG", "IG_S", "Short Term Technical Breakouts", 16},
    {"IG", "IG_I", "Intermediate Term Technical Breakouts", 16},
    {"IG", "IG_LG", "Long Term Technical Breakouts", 16},
    {"IG", "IG_O", "Over/Under Valuation", 16},
    {"IG", "IG_IT", "Insider Trading", 16},
    {"IG", "IG_C", "Composite Ranks", 16},
};

// Adds the node, then gives its picture to whatever node bears the key:
// a key already taken leaves the node out, and the picture goes to the
// node that has it.
void add(TreeModel &tree, const QString &parent, const QString &key, const QString &text, int image)
{
    tree.Add(parent, key, text);
    tree.setImage(tree.find(key), image);
}

void add(TreeModel &tree, const FixedNode &n)
{
    add(tree, QLatin1String(n.parent), QLatin1String(n.key), QLatin1String(n.text), n.image);
}

template<size_t N>
void addAll(TreeModel &tree, const FixedNode (&nodes)[N])
{
    for (const FixedNode &n : nodes)
        add(tree, n);
}

void addMarket(TreeModel &tree)
{
    add(tree, QString(), QStringLiteral("Market"), QStringLiteral("Market"), 8);
    add(tree, QStringLiteral("Market"), QStringLiteral("Cons"), QStringLiteral("Financial"), 17);
    for (const ExchangeFolder &folder : Exchanges) {
        const QString suffix = QLatin1String(folder.suffix);
        add(tree, QStringLiteral("Cons"), QLatin1String(folder.key), QLatin1String(folder.text), 17);
        for (const ListLeaf &leaf : ExchangeLists) {
            QString text = QLatin1String(leaf.text);
            // Under AMEX this one list has always carried a trailing blank.
            if (suffix == QLatin1String("_A") && QLatin1String(leaf.key) == QLatin1String("lmm"))
                text += QLatin1Char(' ');
            add(tree, QLatin1String(folder.key), QLatin1String(leaf.key) + suffix, text, 3);
        }
    }
    addAll(tree, MarketLists);
    addAll(tree, MarketRest);
}


// The position in StockPages of a page's parent; -1 for the stock node.
int pageParent(size_t page)
{
    for (size_t q = 0; q < page; ++q)
        if (qstrcmp(StockPages[q].key, StockPages[page].parent) == 0)
            return int(q);
    return -1;
}

// A stock's pages, as a branch of the tree made when it is first needed:
// keys are the page's key followed by the stock's record number.
const TreeBranch &stockPages()
{
    static const TreeBranch pages = [] {
        TreeBranch b;
        for (size_t p = 0; p < std::size(StockPages); ++p)
            b.add(pageParent(p), QLatin1String(StockPages[p].key), QLatin1String(StockPages[p].text),
                  StockPages[p].image);
        return b;
    }();
    return pages;
}

// Whether a page key with a record number could be a key the tree holds
// already: one that ends in digits after the key of a page. (Page keys end
// in a letter, so those of two stocks never meet.)
bool pageKeysMayBeTaken(const TreeModel &tree)
{
    QSet<QString> starts;
    for (const FixedNode &page : StockPages)
        starts.insert(QLatin1String(page.key));
    for (int i = 1; i <= tree.Count(); ++i) {
        const QString key = tree.Key(i);
        qsizetype head = key.size();
        while (head > 0 && key.at(head - 1).isDigit())
            --head;
        if (head < key.size() && starts.contains(key.left(head)))
            return true;
    }
    return false;
}

// As add(): a key already taken leaves the node out, its picture goes to the
// node that has the key, and so do the children. Returns that node.
int addUnder(TreeModel &tree, int parent, const QString &key, const QString &text, int image)
{
    // No parent (one that could not go in) leaves its children out too.
    if (const int index = parent > 0 ? tree.AddUnder(parent, key, text, image) : 0)
        return index;
    const int holder = tree.find(key);
    tree.setImage(holder, image);
    return holder;
}

// The stock's pages one by one, where a key of them may be taken.
void addPagesOneByOne(TreeModel &tree, int stock, const QString &n)
{
    int made[std::size(StockPages)];
    for (size_t p = 0; p < std::size(StockPages); ++p) {
        const int parent = pageParent(p);
        made[p] = addUnder(tree, parent < 0 ? stock : made[parent], QLatin1String(StockPages[p].key) + n,
                           QLatin1String(StockPages[p].text), StockPages[p].image);
    }
}

void addStocks(TreeModel &tree)
{
    const int all = tree.find(QStringLiteral("All"));
    const bool oneByOne = pageKeysMayBeTaken(tree);
    // A stock's node is made now, its pages when its branch is opened.
    tree.reserve(tree.Count() + (SetCount + 1) * StockSubtreeSize, tree.madeCount() + SetCount + 1);
    // Every record: a stock after free records is in the set too.
    for (int i = 0; i < SetSize; ++i) {
        const QString symbol = Sets[size_t(i)].Symbol;
        if (symbol.isEmpty())
            continue;
        const QString n = QString::number(i);
        const QString key = stockNodeKey(i);
        if (!oneByOne && all && tree.AddBranch(all, key, symbol, StockNodeImage, &stockPages(), n))
            continue;
        addPagesOneByOne(tree, addUnder(tree, all, key, symbol, StockNodeImage), n);
    }
}

} // namespace

void addPortfolioSymbolNodes(TreeModel &tree)
{
    const int branch = tree.find(QStringLiteral("PortDetail"));
    if (!branch)
        return;
    QStringList listed;
    for (const int child : tree.children(branch))
        listed << tree.Text(child);
    // The one-symbol sheet refills the slots with its symbol alone.
    clearPortSymbols();
    for (int i = 0; i < PortSymbolSlots; ++i) {
        const QString symbol = Port[size_t(i)].Symbol;
        if (symbol.size() <= 1)
            continue;
        if (std::find(PortSymbols.begin(), PortSymbols.end(), symbol) != PortSymbols.end())
            continue;
        AddPortSymbol(symbol);
        if (listed.contains(symbol))
            continue;
        // A key left by a symbol no longer held (its entry reused) takes a suffix.
        QString key = QStringLiteral("TID") + QString::number(i);
        for (int n = 2; tree.find(key); ++n)
            key = QStringLiteral("TID%1.%2").arg(i).arg(n);
        add(tree, QStringLiteral("PortDetail"), key, symbol, 22);
    }
}

void buildNavigationTree(TreeModel &tree, const QString &setName)
{
    tree.Clear();
    tree.suspendUpdates();
    add(tree, QString(), QStringLiteral("All"), QStringLiteral("Stocks-") + setName, SetRootImage);
    addMarket(tree);
    addAll(tree, TransHead);
    addPortfolioSymbolNodes(tree);
    addAll(tree, TransTail);
    addAll(tree, Media);
    addStocks(tree);
    tree.resumeUpdates();
}
