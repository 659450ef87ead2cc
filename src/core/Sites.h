#pragma once

#include <QString>

// The outside web sites the program reads pages from, each by its role.
// Every role has one host (optionally "host:port") in the settings store,
// under the value named by siteSettingName; an absent value uses the
// built-in default host.
enum class Site {
    QuoteService,    // current prices, one symbol a request
    ResearchSite,    // recommendations, earnings surprises, annual reports
    FinancePortal,   // insider trades, estimates, upgrades, IPO pages
    QuotePortal,     // quote page with its headlines, market overviews
    FilingsSite,     // quarterly reports
    OptionsExchange, // option chains
    ChartSite,       // big-movers reports
    BrokerSite,      // percentage winners and losers
    AnalystData,     // splits, upgrade and downgrade histories, momentum
    CompanyProfile,  // company profiles
    ExchangeData,    // short interest
    FundSite,        // fund lists and the option market summary
    MakerSite        // the maker's own web server: the version file
};

inline constexpr int SiteCount = 13;

// "Site_QuoteService", "Site_ResearchSite", ...
QString siteSettingName(Site site);
QString defaultSiteHost(Site site);

// The host of the role: the stored value, else the default.
QString siteHost(Site site);
// "http://" + host + path; path begins with "/" (a missing "/" is added).
QString siteUrl(Site site, const QString &path);

// Stores one host for every role (the sample site, tests).
void setAllSiteHosts(const QString &host);
