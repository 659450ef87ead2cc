#include "retrieval/SymbolFetch.h"

#include "core/PlainTicker.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "platform/SocketControl.h"
#include "platform/Sleep.h"
#include "retrieval/FetchHelpers.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"
#include "sheets/SheetFetch.h"
#include "sheets/symbol/RecentNews.h"

#include <functional>

namespace {

// Error pages of these sites are shorter than this.
constexpr qint64 MinPageBytes = 1000;

// Runs step over the stocks of the set, or once for the selected stock.
// With restoreCaption the caption goes back to BaseCaption when the walk
// over the set ends or does not start.
void walkSymbols(const std::function<void(const QString &)> &step, bool restoreCaption = false)
{
    const auto restore = [&] {
        if (restoreCaption)
            showCaption(BaseCaption);
    };
    if (StopFlag) {
        restore();
        return;
    }
    if (UpdateSelectedOnly) {
        if (isPlainTicker(CurSymbol))
            step(CurSymbol);
        return;
    }
    // Every record: a stock may stand after free records.
    for (short i = 0; i < SetSize; ++i) {
        const QString symbol = Sets[size_t(i)].Symbol;
        if (isPlainTicker(symbol))
            step(symbol);
        if (StopFlag)
            break;
    }
    restore();
}

// The first character of the symbol in lower case (the portal's folder).
QString initial(const QString &symbol)
{
    return symbol.left(1).toLower();
}

void fetchPage(const QString &file, const QString &url, const QString &status)
{
    GetUrlToFile(file, url, status);
    deleteWhenShorter(file, MinPageBytes);
}

} // namespace

void UpdateIT()
{
    walkSymbols([](const QString &s) {
        fetchPage(dataSheetPath(s + QStringLiteral("_it.Sh")),
                  siteUrl(Site::FinancePortal, QStringLiteral("/t/") + initial(s) + QLatin1Char('/') + s +
                                                   QStringLiteral(".html")),
                  BaseCaption + QStringLiteral("    Getting ") + s + QStringLiteral(" Insider Trades"));
    });
}

void UpdateEE()
{
    walkSymbols([](const QString &s) {
        fetchPage(dataSheetPath(s + QStringLiteral("_ee.Sh")),
                  siteUrl(Site::FinancePortal, QStringLiteral("/z/a/") + initial(s) + QLatin1Char('/') + s +
                                                   QStringLiteral(".html")),
                  BaseCaption + QStringLiteral("     Getting ") + s +
                      QStringLiteral(" Earnings Estimates & Recommendations"));
    });
}

void UpdateQR()
{
    walkSymbols([](const QString &s) {
        fetchPage(dataSheetPath(s + QStringLiteral("_qr.Sh")),
                  siteUrl(Site::FilingsSite, QStringLiteral("/brand/yahoo/search/?sym=") + s),
                  BaseCaption + QStringLiteral("    Getting ") + s + QStringLiteral(" Quarterly Report. "));
    });
}

void UpdateReport(const QString &Code, const QString &Status)
{
    QString hist;
    if (Code == QLatin1String("ABS"))
        hist = QStringLiteral("2");
    else if (Code == QLatin1String("AIS"))
        hist = QStringLiteral("1");
    else
        return;
    walkSymbols(
        [&](const QString &s) {
            const QString status = BaseCaption + QStringLiteral("    Getting ") + s + Status;
            showCaption(status);
            if (StopFlag) {
                showCaption(BaseCaption);
                return;
            }
            fetchPage(dataSheetPath(s + QLatin1Char('_') + Code + QStringLiteral(".Sh")),
                      siteUrl(Site::ResearchSite, QStringLiteral("/cgi-bin/JMFR/FreeReport?ref=DEF&ticker=") + s +
                                                      QStringLiteral("&hist=") + hist),
                      status);
        },
        true);
}

void UpdateNews()
{
    walkSymbols(
        [](const QString &s) {
            // The stock's headline file is built afresh from the new page
            // beside the old one, which stays until the new one is written:
            // a failed fetch keeps the headlines the ticker and speech read.
            const QString headlines = headlineFilePath(s);
            const QString fresh = headlines + QStringLiteral(".new");
            const QString page = newsPath(QStringLiteral("Temp.htm"));
            deleteIfExists(fresh);
            fetchFresh(page, siteUrl(Site::QuotePortal, QStringLiteral("/q?s=") + s),
                       BaseCaption + QStringLiteral("    Getting ") + s + QStringLiteral(" Latest News..."));
            // Headlines that could not all be written (a full disk) do not
            // replace the old ones; the run's end says so.
            if (ParseRecentNews(s, page, fresh)) {
                replaceWith(headlines, fresh);
            } else {
                deleteIfExists(fresh);
                noteFailedStore(headlines, QStringLiteral("the new headlines could not be written"));
            }
            DoEvents();
        },
        true);
}

void UpdateOptions()
{
    if (StopFlag)
        return;
    Winsock1().Close();
    walkSymbols([](const QString &s) {
        const QString file = dataSheetPath(s + QStringLiteral("_op.Sh"));
        SocketFetch(file, siteUrl(Site::OptionsExchange, QStringLiteral("/QuoteTable.dat?TICKER=") + s.toUpper()),
                    BaseCaption + QStringLiteral("    Getting ") + s + QStringLiteral(" Call/Put Options"));
        deleteWhenShorter(file, MinPageBytes);
    });
}

namespace {

// One analyst page per stock over the socket: the whole reply, headers
// included, kept only when it is 2,500 bytes or more (a shorter one is an
// error page and the page fetched before stays).
void analystPages(Site site, const std::function<QString(const QString &)> &address, const QString &suffix,
                  const QString &words)
{
    Winsock1().Close();
    walkSymbols([&](const QString &s) {
        FetchSheetPageBySocket(s + suffix, siteUrl(site, address(s)), QStringLiteral("Updating ") + s + words, 2500);
    });
}

std::function<QString(const QString &)> quoteAsp(const char *what)
{
    return [what](const QString &s) {
        return QStringLiteral("/quote.asp?Symbol=") + s.toLower() + QStringLiteral("&Whattoget=") + QLatin1String(what);
    };
}

} // namespace

void Update_Splits()
{
    analystPages(Site::AnalystData, quoteAsp("splits"), QStringLiteral("_sp.Sh"), QStringLiteral(" Splits History"));
}

void Update_UpgradeHistory()
{
    analystPages(Site::AnalystData, quoteAsp("upgrades"), QStringLiteral("_uph.Sh"), QStringLiteral(" Upgrades History"));
}

void Update_DowngradeHistory()
{
    analystPages(Site::AnalystData, quoteAsp("downgrades"), QStringLiteral("_dnh.Sh"),
                 QStringLiteral(" Downgrades History"));
}

void Update_Momentum()
{
    analystPages(Site::AnalystData, quoteAsp("momentum"), QStringLiteral("_mr.Sh"), QStringLiteral(" Momentum Rating"));
}

void Update_BrokerReports()
{
    analystPages(Site::AnalystData, quoteAsp("reports"), QStringLiteral("_brp.Sh"), QStringLiteral(" Broker Reports"));
}

void Update_SI()
{
    analystPages(
        Site::ExchangeData,
        [](const QString &s) {
            const QString upper = s.toUpper();
            return QStringLiteral("/asp/quotes_full.asp?kind=shortint&symbol=") + upper + QStringLiteral("%60&selected=")
                   + upper + QStringLiteral("%60");
        },
        QStringLiteral("_SI.Sh"), QStringLiteral(" Short Interest "));
}
