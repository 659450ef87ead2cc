// The main window's part in the portfolio: the popup menu's buy, sell,
// delete and cache items for the current stock.
#include "mainwindow/ui/frmMain.h"

#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/UpdateGuard.h"
#include "platform/Dialogs.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "portfolio/Trades.h"
#include "portfolio/ui/LastPar.h"
#include "portfolio/ui/frmPurchace.h"
#include "sheets/market/PriceSheet.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace {

// The stock's own cached pages: its name with each page's suffix.
const char *const StockPageSuffixes[] = {"_ABS.Sh", "_AIS.Sh", "_op.Sh",  "_ee.Sh",  "_it.Sh",  "_qr.Sh", "_P.Sh",
                                         "_sp.Sh",  "_uph.Sh", "_dnh.Sh", "_mr.Sh",  "_brp.Sh", "_SI.Sh"};

} // namespace

void frmMain::mnuTrees_Click()
{
    const bool held = !openLots(CurSymbol).isEmpty();
    mnuTree[3]->setEnabled(held);
    mnuTree[4]->setEnabled(held);
}

void frmMain::buyCurrentStock()
{
    if (CurSymbol.isEmpty()) {
        MsgBox(QStringLiteral("Select some stock first.."), Msg::OKOnly + Msg::Information, QStringLiteral("UnSelected Stock"));
        return;
    }
    PurchaseRequest request;
    request.symbol = CurSymbol;
    ShowPurchase(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)), request);
}

void frmMain::sellCurrentStock()
{
    ReadPortfolio();
    const QList<int> lots = openLots(CurSymbol);
    const int tickerTop = qRound(Twips::fromPixelsY(NewsTicker1->y(), this));
    if (lots.isEmpty()) {
        MsgBox(QStringLiteral("Nothing of ") + CurSymbol + QStringLiteral(" is held to sell."), Msg::OKOnly + Msg::Information,
               QStringLiteral("Sell Share"));
        return;
    }
    if (lots.size() > 1) {
        ShowLotChooser(this, tickerTop, CurSymbol);
        DoEvents();
        return;
    }
    PurchaseRequest request;
    request.mode = PurchaseRequest::Sell;
    request.symbol = CurSymbol;
    request.lotRef = Port[lots.first()].RefId;
    request.lotShares = SharesHeld(CurSymbol, request.lotRef);
    ShowPurchase(this, tickerTop, request);
}

void frmMain::removeCurrentStock()
{
    if (refusedWhileUpdating())
        return;
    const QString question = QStringLiteral("Do you want to remove ") + GetDisplayName() + QStringLiteral(" (") + CurSymbol
                             + QStringLiteral(")?");
    if (MsgBox(question, Msg::YesNo + Msg::Question, QStringLiteral("Delete share?")) != Msg::Yes)
        return;
    if (const short i = StockIndex(CurSymbol); i >= 0) {
        dropStock(i);
        if (CurType == QLatin1String("Current"))
            ::FG_Current();
    }
}

// Removes stock record index from the set and rebuilds the tree; what kept
// it from going (an Update runs, a full disk) is said.
void frmMain::dropStock(short index)
{
    // Asked again: a run may have started while the question was open.
    if (refusedWhileUpdating())
        return;
    if (const QString failed = RemoveStock(index); !failed.isEmpty())
        MsgBox(failed, Msg::OKOnly + Msg::Exclamation, QStringLiteral("Stock group not saved"));
    initTree();
}

void frmMain::emptyCurrentStockCache()
{
    if (CurSymbol.isEmpty())
        return;
    // The question names the stock whose pages go; the answer acts on that one.
    const QString symbol = CurSymbol;
    if (MsgBox(QStringLiteral("Are you sure you want to delete the selected stock data (") + symbol + QStringLiteral(")?"),
               Msg::YesNo + Msg::Exclamation + Msg::DefaultButton2, QStringLiteral("Clear Cache ?"))
        != Msg::Yes)
        return;
    const QDir cache(resolvePath(DataDir + QStringLiteral("\\Cache\\DataSheet")));
    for (const QString &name : cache.entryList(QDir::Files))
        for (const char *suffix : StockPageSuffixes)
            if (name.compare(symbol + QLatin1String(suffix), Qt::CaseInsensitive) == 0)
                QFile::remove(cache.filePath(name));
    DoEvents();
}
