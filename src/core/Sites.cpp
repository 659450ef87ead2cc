#include "core/Sites.h"

#include "core/Registry.h"
#include "platform/FileStamp.h"
#include "platform/SettingsStore.h"

#include <array>
#include <optional>

namespace {

struct SiteEntry
{
    const char *name;
    const char *host;
};

// Hosts under example.com: a new profile points nowhere real until the
// user fills in the sites of the services they use.
constexpr SiteEntry kSites[SiteCount] = {
    {"QuoteService", "quotes.example.com"},
    {"ResearchSite", "research.example.com"},
    {"FinancePortal", "finance.example.com"},
    {"QuotePortal", "quoteportal.example.com"},
    {"FilingsSite", "filings.example.com"},
    {"OptionsExchange", "options.example.com"},
    {"ChartSite", "charts.example.com"},
    {"BrokerSite", "broker.example.com"},
    {"AnalystData", "analysts.example.com"},
    {"CompanyProfile", "profiles.example.com"},
    {"ExchangeData", "exchange.example.com"},
    {"FundSite", "funds.example.com"},
    {"MakerSite", "www.pellor.example"},
    {"PortalFilings", "edgar.finance.example.com"},
    {"PortalBoards", "messages.finance.example.com"},
    {"IntradayCharts", "intraday.finance.example.com"},
    {"ChartImages", "chart.finance.example.com"},
    {"PortalNews", "news.finance.example.com"},
    {"QuoteSite", "quotesite.example.com"},
    {"InvestorPortal", "investor.portal.example.com"},
    {"FilingsHeadlines", "filings.newsalert.example.com"},
    {"MarketHeadlines", "markets.newsalert.example.com"},
    {"NewsDigest", "digest.newsalert.example.com"},
    {"Magazine", "magazine.example.com"},
    {"IndustryResearch", "industry.example.com"},
    {"QuoteHeadlines", "headlines.quotes.example.com"},
    {"PersonalFinance", "personalfinance.example.com"},
    {"FundRating", "fundrating.example.com"},
    {"ForumNews", "news.forum.example.com"},
    {"BusinessNews", "businessnews.example.com"},
    {"RatioCharts", "ratiocharts.example.com"},
    {"TechForum", "techforum.example.com"},
    {"TechnicalCharts", "technicalcharts.example.com"},
    {"MediaStreams", "media.example.com"},
    {"NewsQuerySite", "moneynet.example.com"},
    {"ScreenSite", "screen.example.com"},
    {"ChartServer", "charts.interactive.example.com"},
    {"MakerFtp", "ftp.pellor.example"},
};

const SiteEntry &entry(Site site)
{
    return kSites[qBound(0, int(site), SiteCount - 1)];
}

} // namespace

QString siteSettingName(Site site)
{
    return QStringLiteral("Site_") + QLatin1String(entry(site).name);
}

QString defaultSiteHost(Site site)
{
    return QLatin1String(entry(site).host);
}

namespace {

QString storedHost(Site site)
{
    QString host = QuerySetting(siteSettingName(site)).toString().trimmed();
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host.isEmpty() ? defaultSiteHost(site) : host;
}

// The hosts as last read from the settings, read again once the settings
// were written or their file changed: every page of an update asks.
struct KnownHosts
{
    quint64 changes = 0;
    QString file;
    std::optional<FileStamp> stamp;
    std::array<QString, SiteCount> hosts; // null: not read yet
};

} // namespace

QString siteHost(Site site)
{
    static KnownHosts known;
    QString file;
    const std::optional<FileStamp> stamp = SettingsStore::fileStampFor(QString::fromLatin1(ProgramKey), &file);
    if (known.changes != SettingsStore::changes() || known.file != file || known.stamp != stamp) {
        known.changes = SettingsStore::changes();
        known.file = file;
        known.stamp = stamp;
        known.hosts.fill(QString());
    }
    QString &host = known.hosts[size_t(qBound(0, int(site), SiteCount - 1))];
    if (host.isNull())
        host = storedHost(site);
    return host;
}

QString siteUrl(Site site, const QString &path)
{
    const QString p = path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
    return QStringLiteral("http://") + siteHost(site) + p;
}

void setAllSiteHosts(const QString &host)
{
    for (int i = 0; i < SiteCount; ++i)
        SaveSetting(siteSettingName(Site(i)), host);
}
