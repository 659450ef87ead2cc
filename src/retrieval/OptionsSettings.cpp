#include "retrieval/OptionsSettings.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "platform/Dialogs.h"
#include "platform/PathResolver.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

constexpr OptionsPageInfo kPages[OptionsPageCount] = {
    {"Daily Consultation", "Daily Consultation", "Select daily consultation update options (Alt D)", 'D'},
    {"Stocks Data", "Stocks Data", "Select stock data update options (Alt S)", 'S'},
    {"Market Data", "Market Data", "Select market data and Ipo's update options (Alt M)", 'M'},
    {"Funds", "Funds", "Brindlewick general options (Alt G)", 'F'},
    {"Voice Options", "Voice", "Voice Options (Alt V)", 'V'},
    {"Network Options", "Network Setting", "Brindlewick general options (Alt G)", 'G'},
    {"General Options", "General Options", "Brindlewick general options (Alt G)", 'N'},
};

// Boxes 20 to 49: ten rows of NASDAQ, NYSE and AMEX; only the AMEX box of a
// row carries the row's caption.
constexpr const char *kBigMoverRows[10] = {
    "Largest % Gain In Price", "Largest % Loss In Price", "Largest % Gain In Volume", "Largest % Loss In Volume",
    "52-Week Price Highs",     "52-Week Price Lows",      "Most Active Stocks",       "Largest Money Movers",
    "Most Recent Corporate Earnings", "Largest Short Interest",
};

const char *fixedCaption(int box)
{
    switch (box) {
    case 0: return "Update Recommendation Graph";
    case 1: return "Update Current Stock Prices";
    case 2: return "Update News";
    case 3: return "Update Annual Balance Sheet";
    case 4: return "Update Annual Incomes Statement";
    case 5: return "Earnings Estimates and Recommendations";
    case 6: return "Update Quarterly Reports ";
    case 7: return "Insider Trades ";
    case 8: return "Update Call/Put Options";
    case 9: return "Update Splits History";
    case 10: return "Update Upgrades History";
    case 11: return "Update Downgrades History";
    // The analyst-data site's name, then the words Momentum Rating.
    case 12: return "Analyst Data Momentum Rating";
    case 13: return "Broker Reports";
    case 14: return "Profile";
    case 15: return "Top 25  Earnings Surprises";
    case 16: return "Percentage Winners";
    case 17: return "Percentage Losers ";
    case 18: return "Upgrades / Downgrades";
    case 19: return "Weekly adviser service";
    case 50: return "U.S. Market Data";
    case 51: return "International Market Data";
    case 52: return "Latest IPO";
    case 53: return "IPO News";
    case 54: return "IPO Gainers";
    case 55: return "IPO Losers";
    case 56: return "IPO Registrations";
    case 57: return "IPO Pricings";
    case 58: return "IPO Withdrawals";
    case 59: return "Broad Market Overviews *";
    case 60: return "Options Market Summary";
    case 61: return "Largest Convertible Bond";
    case 62: return "Largest Growth Funds";
    case 63: return "Largest Equity Funds";
    case 64: return "Largest High-Yield Bond Funds";
    case 65: return "Largest Money Market Funds";
    case 66: return "Largest International Funds";
    case 67: return "Largest Precious Metals Funds";
    case 68: return "Smith Barney Mutual && Money Market Funds";
    case 69: return "AIM Mutual && Money Market Funds";
    case 70: return "Benham Mutual && Money Market Funds";
    case 71: return "Dean Witter Mutual && Money Market Funds";
    case 72: return "Franklin/Templeton Mutual && Money Market Funds";
    case 73: return "Fidelity Mutual && Money Market Funds";
    case 74: return "Merrill Lynch Mutual && Money Market Funds";
    case 75: return "Janus Mutual && Money Funds";
    case 76: return "Putnam Mutual && Money Market Funds";
    case 77: return "Scudder Mutual && Money Market Funds";
    case 78: return "Stagecoach Mutual && Money Market";
    case 79: return "Strong Mutual && Money Market Funds";
    case 80: return "T. Rowe Price Mutual && Money Market";
    case 81: return "Twentieth Century Mutual && Money Market";
    case 82: return "Vanguard Mutual && Money Market Funds";
    case 83: return "Today's Splits";
    case 84: return "This Week Splits";
    case 85: return "Next Week's Splits";
    case 86: return "Recently Announced";
    case 87: return "Top Tech Splits";
    case 88: return "Short Interest ";
    default: return "";
    }
}

constexpr IntervalChoice kIntervals[IntervalChoiceCount] = {
    {"Manually", 0},      {"5    Minutes", 5},  {"10  Minutes", 10}, {"15  Minutes", 15}, {"20  Minutes", 20},
    {"30  Minutes", 30},  {"45  Minutes", 45},  {"1     Hour", 60},  {"1.5   Hour", 90},  {"2     Hour", 120},
    {"4     Hour", 240},  {"6     Hour", 360},  {"12    Hour", 720}, {"24    Hour", 1440},
};

constexpr const char *kBarStyles[BarStyleCount] = {
    "Blue Neon",  "Green Neon", "Red Neon",     "Gold Metal", "Green Metal",    "Blue Glass",
    "Green Glass", "Red Glass", "Blue Plastic", "Red Plastic", "Violet Plastic",
};

constexpr SelectButtonInfo kSelectButtons[SelectButtonCount] = {
    {1, "Select &All", "Click to select all options", true},
    {1, "C&lear All", "Click to clear all options", false},
    {0, "&Select All", "Click to select all options", true},
    {0, "C&lear All", "Click to clear all options", false},
    {2, "C&lear All", "Click to clear all options", false},
    {2, "Select &All", "Click to clear all options", true},
    {3, "C&lear All", "Click to clear all options", false},
    {3, "Select &All", "Click to clear all options", true},
};

QList<int> range(int first, int last)
{
    QList<int> boxes;
    for (int b = first; b <= last; ++b)
        boxes << b;
    return boxes;
}

// A whole number stored or typed as text: the stored value, if it is one.
bool wholeNumber(const Variant &v, int *out)
{
    if (!v.isNumeric() || v.isEmpty())
        return false;
    const double d = v.toDouble();
    if (d < -1e9 || d > 1e9 || d != double(int(d)))
        return false;
    *out = int(d);
    return true;
}

// Deletes the files lying directly in the folder; what cannot be deleted stays.
void deleteFilesIn(const QString &folder)
{
    QDir dir(resolvePath(folder));
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.filePath(name));
}

bool askYes(const char *prompt, const char *title)
{
    return MsgBox(QString::fromLatin1(prompt), Msg::YesNo + Msg::Exclamation + Msg::DefaultButton2,
                  QString::fromLatin1(title)) == Msg::Yes;
}

} // namespace

const OptionsPageInfo &optionsPage(int page)
{
    return kPages[qBound(0, page, OptionsPageCount - 1)];
}

int optionsPageForKey(QChar key)
{
    const QChar k = key.toUpper();
    for (int i = 0; i < OptionsPageCount; ++i) {
        if (k == QLatin1Char(kPages[i].key))
            return i;
    }
    return -1;
}

QString updateBoxCaption(int box)
{
    if (box >= 20 && box <= 49) {
        const int row = (box - 20) / 3;
        return (box - 20) % 3 == 2 ? QString::fromLatin1(kBigMoverRows[row]) : QString();
    }
    return QString::fromLatin1(fixedCaption(box));
}

int updateBoxPage(int box)
{
    if (box <= 14 || box == 88)
        return 1;
    if (box <= 49)
        return 0;
    if (box <= 60 || (box >= 83 && box <= 87))
        return 2;
    return 3;
}

QString updateSettingName(int box)
{
    return QStringLiteral("Update%1").arg(box);
}

int checkValueFromStore(const Variant &stored)
{
    if (stored.toString().isEmpty())
        return 1;
    return stored == 0 ? 0 : 1;
}

const IntervalChoice &intervalChoice(int index)
{
    return kIntervals[qBound(0, index, IntervalChoiceCount - 1)];
}

int intervalIndexFor(const Variant &stored)
{
    if (stored.toString().trimmed().isEmpty())
        return 0;
    int minutes = 0;
    if (!wholeNumber(stored, &minutes))
        return -1;
    for (int i = 0; i < IntervalChoiceCount; ++i) {
        if (kIntervals[i].minutes == minutes)
            return i;
    }
    return -1;
}

QString barStyleCaption(int index)
{
    if (index < 0 || index >= BarStyleCount)
        return QString();
    return QString::fromLatin1(kBarStyles[index]);
}

int barStyleIndexFor(const Variant &stored)
{
    int n = -1;
    if (stored.toString().trimmed().isEmpty() || !wholeNumber(stored, &n))
        return -1;
    return n >= 0 && n < BarStyleCount ? n : -1;
}

int voiceIndexFor(const Variant &stored, int count)
{
    int n = 0;
    if (!stored.toString().trimmed().isEmpty() && !wholeNumber(stored, &n))
        return -1;
    return n >= 0 && n < count ? n : -1;
}

int pageFor(const Variant &stored)
{
    int n = 0;
    if (!wholeNumber(stored, &n) || n < 0 || n >= OptionsPageCount)
        return 0;
    return n;
}

bool proxyEnabledFromStore(const Variant &stored, bool *ok)
{
    // Empty reads as the number 0.
    *ok = stored.isEmpty() || stored.isNumeric();
    return *ok && stored == 1;
}

const SelectButtonInfo &selectButton(int index)
{
    return kSelectButtons[qBound(0, index, SelectButtonCount - 1)];
}

QList<int> selectButtonBoxes(int index)
{
    switch (selectButton(index).page) {
    case 1: return range(0, 14) << 88;
    case 0: return range(15, 49);
    case 2: return range(50, 60) + range(83, 87);
    default: return range(61, 82);
    }
}

QString exchangeLabelCaption(int index)
{
    static const char *const captions[3] = {"AMEX", "NYSE", "NASDAQ"};
    return QString::fromLatin1(captions[qBound(0, index, 2)]);
}

QList<int> exchangeColumnBoxes(int label)
{
    // Grid column 2 is AMEX (label 0), column 0 NASDAQ (label 2).
    const int column = 2 - qBound(0, label, 2);
    QList<int> boxes;
    for (int row = 0; row < 10; ++row)
        boxes << 20 + 3 * row + column;
    return boxes;
}

const DelayRule SplashDelayRule = {"SplashDelay", 20, "5", "Set the value between 0 (None) up to 20 seconds please."};
const DelayRule SaverDelayRule = {"SaverDelay", 60, "12", "Set the value between 0 (None) up to 60 minutes please."};

bool delayAccepted(const QString &text, const DelayRule &rule)
{
    static const QRegularExpression digits(QStringLiteral("^\\s*[0-9]+\\s*$"));
    if (!digits.match(text).hasMatch())
        return false;
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 0 && n <= rule.limit;
}

bool CheckDelay(QString &text, const DelayRule &rule)
{
    if (delayAccepted(text, rule))
        return true;
    MsgBox(QString::fromLatin1(rule.message), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Wrong Value"));
    text = QString::fromLatin1(rule.fallback);
    return false;
}

QString loadDelay(const DelayRule &rule)
{
    const QString name = QString::fromLatin1(rule.setting);
    const QString stored = QuerySetting(name).toString();
    if (!stored.isEmpty())
        return stored;
    SaveSetting(name, QString::fromLatin1(rule.fallback));
    return QString::fromLatin1(rule.fallback);
}

bool StoreOptions(const OptionsValues &values)
{
    bool stored = SaveSetting(QStringLiteral("SplashDelay"), values.splashDelay);
    stored &= SaveSetting(QStringLiteral("SaverDelay"), values.saverDelay);
    for (int box = 0; box < BatchBoxCount; ++box)
        stored &= SaveSetting(updateSettingName(box), values.update[box]);
    stored &= SaveSetting(QStringLiteral("Fractions"), values.fractions);
    stored &= SaveSetting(QStringLiteral("Volume"), values.volume);
    stored &= SaveSetting(QStringLiteral("FrmNav"), values.page);
    ShowFractions = QuerySetting(QStringLiteral("Fractions")).toString();
    ShowVolume = QuerySetting(QStringLiteral("Volume")).toString();
    stored &= SaveSetting(QStringLiteral("NewsServer"), values.newsServer);
    stored &= SaveSetting(QStringLiteral("EmailServer"), values.emailServer);
    stored &= SaveSetting(QStringLiteral("Email"), values.email);
    if (!stored)
        MsgBox(settingNotSavedMessage(), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Setting not saved"));
    return stored;
}

void EmptyCache()
{
    if (!askYes("Are you sure you want to delete all downloaded data?", "Clear Cache?"))
        return;
    if (askYes("Delete data?", "Clear Data?"))
        deleteFilesIn(DataDir + QStringLiteral("\\Cache\\DataSheet"));
    if (askYes("Delete stocks News?", "Clear News?"))
        deleteFilesIn(DataDir + QStringLiteral("\\Cache\\News"));
    if (askYes("Delete stocks reports?", "Clear Reports?"))
        deleteFilesIn(DataDir + QStringLiteral("\\Cache\\Reports"));
}
