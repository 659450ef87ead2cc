#pragma once

#include "core/Variant.h"
#include "retrieval/BatchRun.h"

#include <QList>
#include <QString>
#include <array>

// What the settings form `Options` shows and stores, and its rules, kept
// apart from the form so that they hold without a window.

// The seven pages: the caption of the page label and of its frame, the
// label's tooltip, and the letter that opens the page with Alt.
struct OptionsPageInfo
{
    const char *label;
    const char *frame;
    const char *toolTip;
    char key;
};
inline constexpr int OptionsPageCount = 7;
const OptionsPageInfo &optionsPage(int page);
// The page opened by Alt and the letter (either case), -1 for none.
int optionsPageForKey(QChar key);

// The caption of update box 0..88 as stored ("&&" shows one "&"); "" for a
// box that shows none. Box 12 names the analyst-data site.
QString updateBoxCaption(int box);
// The page the box stands on.
int updateBoxPage(int box);
// "Update" followed by the box number.
QString updateSettingName(int box);

// A stored check-box value as the box shows it: missing or empty ticks the
// box (1); otherwise it is cleared (0) only when the value reads as 0.
int checkValueFromStore(const Variant &stored);

// The auto-update intervals of the list, caption and minutes.
struct IntervalChoice
{
    const char *caption;
    short minutes;
};
inline constexpr int IntervalChoiceCount = 14;
const IntervalChoice &intervalChoice(int index);
// The entry for a stored "AutoUpdate": 0 ("Manually") when empty, else the
// entry with the same minutes; -1 when no entry has them.
int intervalIndexFor(const Variant &stored);

// The bar styles, in the order of the skins ("PicBar" = list position).
inline constexpr int BarStyleCount = 11;
QString barStyleCaption(int index);
// The entry for a stored "PicBar"; -1 (none selected) when it is empty or
// not one of 0 to 10.
int barStyleIndexFor(const Variant &stored);

// The entry for a stored "VoiceMode" in a list of count voices: 0 when
// missing, the stored position when the list has it, else -1.
int voiceIndexFor(const Variant &stored, int count);

// The page to open from a stored "FrmNav"; page 0 when missing or no page.
int pageFor(const Variant &stored);

// "ProxyE" is read as a number: true (box ticked) only for 1; nothing when
// the stored text is not a number.
bool proxyEnabledFromStore(const Variant &stored, bool *ok);

// The select buttons cmdSelect(0..7): their page, caption, tooltip, whether
// they tick or clear, and the boxes they set.
struct SelectButtonInfo
{
    int page;
    const char *caption;
    const char *toolTip;
    bool ticks;
};
inline constexpr int SelectButtonCount = 8;
const SelectButtonInfo &selectButton(int index);
QList<int> selectButtonBoxes(int index);

// The exchange labels over the big-movers grid: lblExc(0) "AMEX",
// lblExc(1) "NYSE", lblExc(2) "NASDAQ", and the boxes of each one's column.
QString exchangeLabelCaption(int index);
QList<int> exchangeColumnBoxes(int label);

// The two delays: splash (seconds) and screen saver (minutes).
struct DelayRule
{
    const char *setting;
    int limit;
    const char *fallback;
    const char *message;
};
extern const DelayRule SplashDelayRule;
extern const DelayRule SaverDelayRule;
// A delay is a whole number from 0 up to the limit, nothing else.
bool delayAccepted(const QString &text, const DelayRule &rule);
// Tells the user when text is no accepted delay and then puts the rule's
// fallback into text. False when the text was refused.
bool CheckDelay(QString &text, const DelayRule &rule);
// The stored delay; when none is stored the fallback is written and given.
QString loadDelay(const DelayRule &rule);

// Everything OK stores, in the order it is stored.
struct OptionsValues
{
    QString splashDelay;
    QString saverDelay;
    std::array<int, BatchBoxCount> update{};
    int fractions = 1;
    int volume = 1;
    int page = 0;
    QString newsServer;
    QString emailServer;
    QString email;
};
// Stores the values and reads "Fractions" and "Volume" back into
// ShowFractions and ShowVolume.
// False, and the user told, when a value could not be written.
bool StoreOptions(const OptionsValues &values);

// Empties the page cache after asking: the cached pages, the headline files
// and the report files lying directly in the reports folder, each on its own
// question; No to the first question deletes nothing.
void EmptyCache();
