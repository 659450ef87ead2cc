#include "sheets/market/FundPages.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/VbString.h"
#include "sheets/DataSheet.h"
#include "sheets/SheetFetch.h"

namespace {

struct Fund
{
    const char *key;
    const char *page;
    const char *title;
};

const Fund Funds[] = {
    {"F_Conv", "convbndt.html", "Largest Convertible Bond Funds"},
    {"F_Growth", "agggrot.html", "Largest Growth Funds"},
    {"F_Equity", "mut10t.html", "Largest Equity Funds"},
    {"F_Yield", "hiyldt.html", "Largest High-Yield Bond Funds"},
    {"F_LMM", "mon11t.html", "Largest Money Market Funds"},
    {"F_Inter", "intert.html", "Largest International Funds"},
    {"F_Precious", "premetlt.html", "Largest Precious Metals Funds"},
    {"F_Smith", "sbmmt.html", "Smith Barney Mutual and Money Market Funds"},
    {"F_AIM", "aimmmt.html", "AIM Mutual and Money Market Funds"},
    {"F_Benham", "benmmt.html", "Benham Mutual and Money Market Funds"},
    {"F_Dean", "dwmmt.html", "Dean Witter Mutual and Money Market Funds"},
    {"F_Franklin", "frtmmt.html", "Franklin/Templeton Mutual and Money Market Funds"},
    {"F_Fidelity", "fidmmt.html", "Fidelity Mutual and Money Market Funds"},
    {"F_Merrill", "mlmmt.html", "Merrill Lynch Mutual and Money Market Funds"},
    {"F_Janus", "janmmt.html", "Janus Mutual and Money Funds"},
    {"F_Putnam", "putmmt.html", "Putnam Mutual and Money Market Funds"},
    {"F_Scudder", "scdmmt.html", "Scudder Mutual and Money Market Funds"},
    {"F_Stagecoach", "Ssgcmmt.htmls", "Stagecoach Mutual and Money Market Funds"},
    {"F_Strong", "strmmt.html", "Strong Mutual and Money Market Funds"},
    {"F_T", "trpmmt.html", "T. Rowe Price Mutual and Money Market Funds"},
    {"F_Twentieth", "twcmmt.html", "Twentieth Century Mutual and Money Market Funds"},
    {"F_Vanguard", "vanmmt.html", "Vanguard Mutual and Money Market Funds"},
};

const Fund *fundOf(const QString &key)
{
    for (const Fund &f : Funds)
        if (key == QLatin1String(f.key))
            return &f;
    return nullptr;
}

QString fundSiteUrl(const QString &page)
{
    return siteUrl(Site::FundSite, QStringLiteral("/cgi-bin/htx.exe/dbcfiles/") + page + QStringLiteral("?SOURCE=blq/ASK"));
}

} // namespace

void Update_OptSum()
{
    FetchSheetPage(QStringLiteral("OptSum.Sh"), fundSiteUrl(QStringLiteral("optiont.html")),
                   QStringLiteral("Updating Options Market Summary"), 0);
}

void FG_OptSum(short Index)
{
    static const char *const markers[] = {"Leaders", "Gainers", "Losers"};
    static const char *const titles[] = {"Top 10 Option Volume Leaders", "Top 10 Option Percentage Gainers",
                                         "Top 10 Option Percentage Losers"};
    static const char *const headers[] = {"Pct Change", "Pct Gain", "Pct Loss"};
    CurType = QStringLiteral("OptSum");
    if (Index < 0 || Index > 2)
        return;
    SheetSpec s;
    s.key = QStringLiteral("OptSum");
    s.cachePath = DataDir + QStringLiteral("/Cache/DataSheet/OptSum.sh");
    s.noDataText = QStringLiteral("Brindlewick do not have Options market informain.");
    s.zoomable = false;
    const QString marker = QLatin1String(markers[Index]);
    s.cut = [marker](QString page) { return cutFrom(lowerTableTags(std::move(page)), marker, QStringLiteral("</table>")); };
    s.rows = 1;
    s.cols = 5;
    s.wholeRows = true;
    s.aligns = {1, 7, 7, 7, 7};
    s.centredHeaders = {0, 1, 2, 3, 4};
    s.signColumns = {2, 3};
    s.title.text = QLatin1String(titles[Index]);
    s.rowHeights = {{0, 1}, {1, 2}};
    s.widths = {24, 18, 18, 18, 18};
    s.headers = {"Symbol", "Last", "Change", QString::fromLatin1(headers[Index]), "Volume"};
    FillSheet(s);
}

const QStringList &fundKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (const Fund &f : Funds)
            k << QLatin1String(f.key);
        return k;
    }();
    return keys;
}

void Update_Funds(const QString &key)
{
    const Fund *f = fundOf(key);
    const QString title = f ? QLatin1String(f->title) : QString();
    FetchSheetPage(key + QStringLiteral(".Sh"), fundSiteUrl(f ? QLatin1String(f->page) : QString()),
                   QStringLiteral("Updating ") + title, 0);
}

void FG_Funds(const QString &key)
{
    const Fund *f = fundOf(key);
    const QString title = f ? QLatin1String(f->title) : QString();
    SheetSpec s;
    s.key = key;
    s.cachePath = DataDir + QStringLiteral("/Cache/DataSheet/") + key + QStringLiteral(".Sh");
    s.noDataText = QStringLiteral("Brindlewick do not have ") + title + QStringLiteral(" informain.");
    const QString marker = key == QLatin1String("F_LMM") ? QStringLiteral("Last") : QStringLiteral("Date");
    s.cut = [marker](QString page) {
        QString text = lowerTableTags(std::move(page));
        text.remove(QStringLiteral("&nbsp;"));
        return cutFrom(text, marker, QStringLiteral("</table>"));
    };
    s.rows = 2;
    s.cols = 5;
    s.wholeRows = true;
    s.linkColumns = {0};
    s.aligns = {1, 1, 7, 7, 4};
    s.centredHeaders = {0, 1, 2, 3, 4};
    s.signColumns = {3};
    s.title.text = title;
    s.title.col = 1;
    s.rowHeights = {{1, 2}};
    s.widths = {12, 48, 12, 12, 12};
    s.headers = {"Symbol", "Company Name", "Last", "Change", "Date"};
    FillSheet(s);
}
