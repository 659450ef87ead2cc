#include "webqueries/LinkOpeners.h"

#include "core/Connection.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "webqueries/QueryWindows.h"
#include "core/SharedState.h"
#include "platform/Dialogs.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"

namespace {

QString url(Site site, const QString &pathAndQuery)
{
    return siteUrl(site, pathAndQuery);
}

// The symbol as stored (S), upper-cased (U), and its first letter in
// lower case (L), each percent-encoded: a symbol holding "&", "#", "?", "/"
// or a blank cannot break or extend the address.
QString S()
{
    return urlPart(CurSymbol);
}

QString U()
{
    return urlPart(CurSymbol.toUpper());
}

QString L()
{
    return urlPart(CurSymbol.left(1).toLower());
}

void noSymbol(const QString &text)
{
    MsgBox(text, Msg::OKOnly + Msg::Information, QStringLiteral("No stock symbol selected"));
}

QString chartAddress(short index)
{
    const auto image = [](const char *period) {
        return url(Site::ChartImages,
                   QStringLiteral("/c/%1/").arg(QLatin1String(period)) + L() + QLatin1Char('/') + S() + QStringLiteral(".gif"));
    };
    switch (index) {
    case 0: return url(Site::IntradayCharts, QStringLiteral("/b?s=") + S());
    case 1: return image("3m");
    case 2: return image("1y");
    case 3: return image("2y");
    case 4: return image("5y");
    case 5: return image("my");
    case 6: return image("mym");
    case 7: return image("mys");
    case 8: return url(Site::QuoteSite, QStringLiteral("/quote.asp?Mode=JAVACHART&Symbol=") + S());
    default: return QString();
    }
}

QString newsAddress(short index)
{
    switch (index) {
    case 0: return url(Site::PortalNews, QStringLiteral("/n/") + L() + QLatin1Char('/') + S() + QStringLiteral(".html"));
    case 1:
    case 6: return url(Site::InvestorPortal, QStringLiteral("/news/pressrel.asp?Symbol=") + S());
    case 2:
        return url(Site::FilingsHeadlines, QStringLiteral("/bin/headlines?SearchOption=ticker&Query=") + S());
    case 3:
        return url(Site::Magazine,
                   QStringLiteral("/search/news?Action=FILTERSEARCH&Filter=EquitySnapshotFilter.hts"
                                  "&ResultTemplate=EquitySnapshotResults3.hts&SortField=Date&SortOrder=Desc"
                                  "&ResultCount=10&type=ticker&TickerSymbols=")
                       + S());
    case 4: return url(Site::IndustryResearch, QStringLiteral("/industry_list_new.asp?mode=news&ticker=") + S());
    case 5:
        return url(Site::QuoteHeadlines,
                   QStringLiteral("/fq/quotecom/headlines?mode?symbols=") + S() + QStringLiteral("&mode=NewsHeadlines"));
    case 7:
        return url(Site::MarketHeadlines,
                   QStringLiteral("/bin/headlines?Query=") + S() + QStringLiteral("&SearchOption=ticker"));
    case 8: return url(Site::PersonalFinance, QStringLiteral("/investments/news/?symbol=") + U());
    case 9: return url(Site::FundRating, QStringLiteral("/StockQT/NV_News/_") + U() + QStringLiteral(".msshtml"));
    case 10: return url(Site::QuoteSite, QStringLiteral("/quote.asp?Symbol=") + S() + QStringLiteral("&Mode=NEWS"));
    case 11: return url(Site::ForumNews, QStringLiteral("/news/news.asp?symbols=") + U());
    case 12: return url(Site::NewsDigest, QStringLiteral("/free/digest?Symbol=") + S() + QStringLiteral("#news"));
    case 13: return url(Site::BusinessNews, QStringLiteral("/analytics/bquote.cgi?view=news&ticker=") + S());
    default: return QString();
    }
}

// The ratio chart site's field codes, one per leaf of "Ratios Graphs"
// ("revenues" is the site's code for the Revenues leaf).
const char *const RatioFields[] = {
    "bookvalue",   "commonequity", "currassets", "currliabilities", "deratio",   "depreciation", "dividends",
    "payout",      "ebit",         "eps",        "longtermdebt",    "icoverage", "netincome",    "peratio",
    "pricebook",   "pricesales",   "profitmargin", "roe",           "roa",       "revenues",     "sharesout",
};

const char *const IndustryViews[] = {"GRAPH", "STOCKS", "STBRK", "ITBRK", "LTBRK", "FUND", "INSIDERS", "RANKINGS"};

const char *const VideoStreams[] = {
    "/tv/bloomberg/financial.ram", "/tv/bloomberg/business.ram", "/tv/bloomberg/launchlive.ram",
    "/tv/bloomberg/stockpicks.ram", "/tv/bloomberg/tech.ram",    "/tv/ft/newsupdate.ram",
    "/tv/ft/openingbusiness.ram",  "/tv/ft/bondsroundup.ram",    "/tv/ft/preview.ram",
    "/tv/investoronline.ram",      "/tv/bbc.ram",
};

const char *const AudioStreams[] = {
    "/radio/bloomberg/financial.ram", "/radio/bloomberg/business.ram", "/radio/bloomberg/launchlive.ram",
    "/radio/bloomberg/world.ram",     "/radio/bloomberg/morning.ram",  "/radio/abs/regular.ram",
    "/radio/abs/forecasts.ram",       "/radio/abs/wisdom.ram",         "/radio/abs/tradingtalk.ram",
    "/radio/abs/macro.ram",           "/radio/abs/liberty.ram",        "/radio/abs/sreport.ram",
    "/radio/internetnews.ram",        "/radio/letstalk.ram?live=1",    "/radio/dailyrocket.ram",
    "/radio/avdaily.html?play=news",  "/radio/bbcnews.ram",
};

template<size_t N>
const char *row(const char *const (&table)[N], short index)
{
    return index >= 0 && size_t(index) < N ? table[index] : nullptr;
}

} // namespace

void OpenChartPage(short index)
{
    if (CurSymbol.isEmpty()) {
        noSymbol(QStringLiteral("Select any stock graph."));
        return;
    }
    const QString address = chartAddress(index);
    if (!address.isEmpty())
        OpenUrl(address);
    DoEvents();
}

void OpenNewsPage(short index)
{
    if (CurSymbol.isEmpty()) {
        noSymbol(QStringLiteral("Select any stock."));
        return;
    }
    HourglassPointer hourglass;
    if (index == 14) {
        // The news query window, with the stock in its first symbol box.
        ShowNewsQuery(CurSymbol.toUpper());
        DoEvents();
        return;
    }
    const QString address = newsAddress(index);
    if (!address.isEmpty())
        OpenUrl(address);
    DoEvents();
}

void OpenRatioChart(short index)
{
    if (!CheckConnection())
        return;
    HourglassPointer hourglass;
    // A one-letter symbol counts as none here.
    if (CurSymbol.size() < 2) {
        noSymbol(QStringLiteral("Select Some Stock Symbol."));
        return;
    }
    const char *field = row(RatioFields, index);
    OpenUrl(url(Site::RatioCharts, QStringLiteral("/home/wchart/chart.html?id=00019590&symbol=") + S()
                                           + QStringLiteral("&field=") + QLatin1String(field ? field : "")));
    DoEvents();
}

void OpenBoards(short index)
{
    if (!CheckConnection())
        return;
    if (CurSymbol.isEmpty())
        return;
    switch (index) {
    case 0:
        OpenUrl(url(Site::TechForum, QStringLiteral("/~wsapi/investor/search?s=") + U() + QStringLiteral("&domain=Titles")));
        break;
    case 1: OpenUrl(url(Site::PortalBoards, QStringLiteral("/?action=q&board=") + U())); break;
    case 2:
        OpenUrl(url(Site::PortalBoards, QStringLiteral("/bbs?action=topics&board=yahoo.a2.0b.8516425&type=r")));
        break;
    default: break;
    }
}

void OpenIndustryGroup(short index)
{
    if (const char *view = row(IndustryViews, index))
        OpenUrl(url(Site::TechnicalCharts, QStringLiteral("/wsc/Industry_Group_Analysis.html?Symbol=") + U()
                                                   + QStringLiteral("&Button=") + QLatin1String(view)));
}

void PlayVideo(short index)
{
    if (const char *path = row(VideoStreams, index))
        OpenUrl(url(Site::MediaStreams, QLatin1String(path)));
}

void PlayAudio(short index)
{
    if (const char *path = row(AudioStreams, index))
        OpenUrl(url(Site::MediaStreams, QLatin1String(path)));
}
