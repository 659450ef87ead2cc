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
    MakerSite,       // the maker's own web server: the version file

    // Pages the grid's links and the tree's link leaves open in the browser.
    PortalFilings,    // the finance portal's filings pages
    PortalBoards,     // the finance portal's message boards
    IntradayCharts,   // the finance portal's intraday charts
    ChartImages,      // the finance portal's chart pictures
    PortalNews,       // the finance portal's news
    QuoteSite,        // a quote site with news and a live chart
    InvestorPortal,   // a portal's investor pages
    FilingsHeadlines, // a news-alert service: filings headlines
    MarketHeadlines,  // the same service: market headlines
    NewsDigest,       // the same service: its digest
    Magazine,         // a financial magazine
    IndustryResearch, // an industry-research site
    QuoteHeadlines,   // a quote service's headlines
    PersonalFinance,  // a personal-finance site
    FundRating,       // a fund-rating site
    ForumNews,        // an investing forum's news
    BusinessNews,     // a business-news site
    RatioCharts,      // the ratio chart site
    TechForum,        // a technology-stock discussion forum
    TechnicalCharts,  // the technical chart site
    MediaStreams,     // the television and radio streams
    NewsQuerySite,    // the financial news site of the news query
    ScreenSite,       // the stock-screening site
    ChartServer,      // the interactive chart server
    MakerFtp,         // the maker's FTP server: the upgrade archive
};

inline constexpr int SiteCount = 38;

// "Site_QuoteService", "Site_ResearchSite", ...
QString siteSettingName(Site site);
QString defaultSiteHost(Site site);

// The host of the role: the stored value, else the default.
QString siteHost(Site site);
// "http://" + host + path; path begins with "/" (a missing "/" is added).
QString siteUrl(Site site, const QString &path);

// Stores one host for every role (the sample site, tests).
void setAllSiteHosts(const QString &host);
