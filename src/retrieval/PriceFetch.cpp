#include "retrieval/PriceFetch.h"

#include "core/MainWindow.h"
#include "core/PlainTicker.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/VbString.h"
#include "platform/FlexGrid.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "portfolio/StockSetNames.h"
#include "retrieval/FetchHelpers.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/TransferFetch.h"
#include "sheets/market/QuoteParser.h"

#include <QFileInfo>
#include <QLocale>

#include <functional>

#include <sys/stat.h>

namespace {

// Runs step(symbol, record) over the set, or once for the selected stock.
// The selected stock's record is looked up now, by its symbol: a stock that
// is no longer in the set gets nothing written, and the caption says so.
void walkRecords(const std::function<void(const QString &, short)> &step)
{
    if (StopFlag)
        return;
    if (UpdateSelectedOnly) {
        const short r = CurSymbol.isEmpty() ? short(-1) : findRecord(CurSymbol);
        if (r < 0) {
            showCaption(BaseCaption + QStringLiteral("    ") + CurSymbol +
                        QStringLiteral(" is not in the current stock set"));
            return;
        }
        step(CurSymbol, r);
        return;
    }
    // Every record holding a stock, wherever it stands (free records may lie
    // between), then the free record after the last one, as the walk has
    // always visited one record past the last stock.
    int last = -1;
    for (short i = 0; i < SetSize; ++i) {
        if (Sets[size_t(i)].Symbol.isEmpty())
            continue;
        step(Sets[size_t(i)].Symbol, i);
        last = i;
        if (StopFlag)
            return;
    }
    if (last + 1 < SetSize)
        step(QString(), short(last + 1));
}

// A symbol that is fetched: two characters or more, and a plain ticker.
bool fetchable(const QString &symbol)
{
    return symbol.size() >= 2 && isPlainTicker(symbol);
}

// The price sheet redrawn and the row of the company just updated
// selected, scrolled into view when it lies outside the top seven rows.
void showUpdatedRow(const QString &name)
{
    MainWindow *w = mainWindow();
    if (!w)
        return;
    w->FG_Current();
    FlexGrid *grid = w->mainGrid();
    if (!grid || name.isEmpty())
        return;
    for (int n = 2; n < grid->Rows(); ++n) {
        if (grid->TextMatrix(n, 1) != name)
            continue;
        if (n > grid->TopRow() + 6 || n < grid->TopRow())
            grid->setTopRow(n);
        grid->setRow(n);
        grid->setCol(0);
        grid->setRowSel(n);
        grid->setColSel(1);
        return;
    }
}

void priceStep(const QString &symbol, short)
{
    // Events run during every wait below, and a stock may leave the set
    // meanwhile: its record is looked up by the symbol after each one, and
    // nothing is written for a stock that is gone.
    QString name;
    if (fetchable(symbol)) {
        const QString status =
            BaseCaption + QStringLiteral("    Updating Current Price - ") + symbol + QStringLiteral(" Current Prices");
        fetchFresh(quoteCachePath(), siteUrl(Site::QuoteService, QStringLiteral("/fq/quotecom/quote?symbols=") + symbol),
                   status);
        DoEvents();
        short parsed = -1;
        name = ParseQuote(parsed, symbol);
        // The page came (an old one does not stay) and holds no quote
        // of the stock: the service does not know it. A page that did not
        // come (no connection, Stop) leaves the last quote as it was.
        QString real;
        struct stat st {};
        if (short record = findRecord(symbol);
            record >= 0 && name.isEmpty() && statResolved(quoteCachePath(), &real, &st))
            ClearStockRec(record);
        DoEvents();
    }
    SaveStocks(nullptr, DiskSync::Renamed);
    if (UpdateSelectedOnly || symbol.isEmpty())
        return;

    // The stock's last sale goes with each of its portfolio entries. Its
    // record is looked up again after every yield (the set may change then).
    short r = findRecord(symbol);
    for (int j = 0; j < PortSize - 1 && r >= 0; ++j) {
        if (Port[size_t(j)].Symbol != symbol)
            continue;
        Port[size_t(j)].Extra = Sets[size_t(r)].LastSale;
        WritePortfolio(nullptr, DiskSync::Renamed);
        DoEvents();
        r = findRecord(symbol);
    }
    if (CurType == QLatin1String("Current"))
        showUpdatedRow(name);
    if (MainWindow *w = mainWindow())
        w->selectStockNode(symbol);
    DoEvents();
}

// The average recommendation on the page: the text right behind the
// colour value "#0000ee" and the character closing it, up to the next
// tag, after "Current Average Recommendation". False when the page does
// not hold one that reads as a number.
bool ratingOnPage(const QString &page, float &rating)
{
    try {
        const int p = vb::InStr(page, QStringLiteral("Current Average Recommendation"));
        if (p == 0)
            return false;
        const int q = vb::InStr(p, page, QStringLiteral("#0000ee"));
        if (q == 0)
            return false;
        const int e = vb::InStr(q, page, QStringLiteral("<"));
        if (e == 0)
            return false;
        const QString text = vb::Mid(page, q + 8, e - (q + 8)).trimmed();
        bool ok = false;
        // Pages write decimals with a point, whatever the user's locale.
        const float value = QLocale::c().toFloat(text, &ok);
        if (!ok)
            return false;
        rating = value;
        return true;
    } catch (const vb::Error &) {
        return false;
    }
}

void recStep(const QString &symbol, short)
{
    const QString recFile = dataSheetPath(QStringLiteral("Rec.Sh"));
    // The page of the last stock fetched never stays for this one.
    if (!fetchable(symbol)) {
        deleteIfExists(recFile);
    } else {
        const QString status =
            BaseCaption + QStringLiteral("    Getting ") + symbol + QStringLiteral(" Recommendations. ");
        fetchFresh(recFile, siteUrl(Site::ResearchSite, QStringLiteral("/cgi-bin/ShowFreeCompRep?") + symbol), status);
        DoEvents();
        float rating = 0;
        if (!ratingOnPage(readJoinedLines(recFile), rating))
            return; // nothing of this stock is saved
        // Found again by its symbol: the set may have changed during the wait.
        const short record = findRecord(symbol);
        if (record < 0)
            return;
        Sets[size_t(record)].Rating = rating;
        SaveStocks(nullptr, DiskSync::Renamed);
        if (MainWindow *w = mainWindow())
            w->ShowRec();
    }
    SaveStocks(nullptr, DiskSync::Renamed);
    DoEvents();
}

} // namespace

void UpdatePrices()
{
    walkRecords(priceStep);
}

void UpdateRec()
{
    walkRecords(recStep);
}
