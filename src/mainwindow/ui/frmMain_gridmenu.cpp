// The main grid's popup menu: copy, select all, the striped price sheet,
// removing a stock from the set, and selling, editing or removing a trade
// from the portfolio sheets. The right button first makes the row under the
// pointer current, and every command works on that row's record.
#include "mainwindow/ui/frmMain.h"

#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/UpdateGuard.h"
#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "portfolio/PortfolioSheets.h"
#include "portfolio/TradeNumbers.h"
#include "core/Variant.h"
#include "portfolio/Trades.h"
#include "portfolio/ui/LastPar.h"
#include "portfolio/ui/frmPurchace.h"
#include "sheets/market/PriceSheet.h"

#include <QAction>
#include <QCursor>
#include <QDate>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>

#include <algorithm>

namespace {

const char *const EditMenuCaptions[] = {"Copy", "-", "Select All", "-", "Old Style Background", "-",
                                        "Sell Share", "Delete Share", "Edit Transection", "Delete Transection"};
constexpr int EditMenuItems = 10;

// Which items each sheet offers: 'v' shown, '-' hidden.
struct SheetItems
{
    const char *key;
    const char *items;
};
const SheetItems EditMenuSheets[] = {
    {"Current", "vvvvvv-v--"},
    {"Port", "vvvvvvv---"},
    {"PortLog", "vvvv----vv"},
};

// The entry a portfolio row carries, when it still holds a trade.
int tradeEntry(qint64 record)
{
    return record >= 0 && record < PortSize && !Port[size_t(record)].Symbol.isEmpty() ? int(record) : -1;
}

} // namespace

void frmMain::createGridMenu()
{
    if (mnuEdits)
        return;
    mnuEdits = new QMenu(QStringLiteral("Edit"), this);
    mnuEdits->setObjectName(QStringLiteral("mnuEdits"));
    for (int i = 0; i < EditMenuItems; ++i) {
        const QString caption = QString::fromLatin1(EditMenuCaptions[i]);
        QAction *a = caption == QLatin1String("-") ? mnuEdits->addSeparator() : mnuEdits->addAction(caption);
        connect(a, &QAction::triggered, this, [this, i] { mnuEdit_Click(i); });
        mnuEdit << a;
    }
    // Shown beside the items; the keys themselves reach the grid.
    mnuEdit[0]->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    mnuEdit[2]->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    for (int i : {0, 2})
        mnuEdit[i]->setShortcutContext(Qt::WidgetShortcut);
    mnuEdit[4]->setCheckable(true);
    mnuEdit[4]->setChecked(OldStyleBackground);
}

void frmMain::pointGridMenuAt(int row, int col)
{
    FlexGrid &g = *FGModel;
    GridMenuRow = -1;
    GridMenuCells.clear();
    GridMenuRecord = -1;
    if (row < g.FixedRows() || row >= g.Rows() || col < 0 || col >= g.Cols())
        return;
    // A press inside the selection keeps it (for Copy); elsewhere the cell
    // under the pointer becomes current.
    const bool inSelection = row >= std::min(g.Row(), g.RowSel()) && row <= std::max(g.Row(), g.RowSel())
                             && col >= std::min(g.Col(), g.ColSel()) && col <= std::max(g.Col(), g.ColSel());
    if (!inSelection) {
        g.setCol(std::max(col, g.FixedCols()));
        g.setRow(row);
    }
    GridMenuRow = row;
    GridMenuRecord = g.RowData(row);
    for (int c = 0; c < g.Cols(); ++c)
        GridMenuCells << g.TextMatrix(row, c);
}

void frmMain::showGridMenu()
{
    for (const SheetItems &sheet : EditMenuSheets) {
        if (CurType != QLatin1String(sheet.key))
            continue;
        for (int i = 0; i < EditMenuItems; ++i) {
            mnuEdit[i]->setVisible(sheet.items[i] == 'v');
            // The row's commands need a row.
            mnuEdit[i]->setEnabled(i < 6 || GridMenuRow >= 0);
        }
        if (CurType == QLatin1String("Port"))
            mnuEdit[6]->setEnabled(tradeEntry(GridMenuRecord) >= 0);
        mnuEdit[4]->setChecked(OldStyleBackground);
        mnuEdits->popup(QCursor::pos());
        return;
    }
}

void frmMain::mnuEdit_Click(int Index)
{
    switch (Index) {
    case 0: FG_Copy(); break;
    case 2: FG_SelectAll(); break;
    case 4:
        // The price sheet is drawn whatever sheet was shown.
        OldStyleBackground = !OldStyleBackground;
        mnuEdit[4]->setChecked(OldStyleBackground);
        ::FG_Current();
        DoEvents();
        break;
    case 6: sellHoldingRow(); break;
    case 7: deleteShareRow(); break;
    case 8: editTransactionRow(); break;
    case 9: deleteTransactionRow(); break;
    default: break;
    }
}

void frmMain::deleteShareRow()
{
    if (refusedWhileUpdating())
        return;
    // The stock the row carries, never one whose cells read alike.
    const qint64 k = GridMenuRecord;
    if (k < 0 || k >= SetSize || Sets[size_t(k)].Symbol.isEmpty())
        return;
    const QString symbol = Sets[size_t(k)].Symbol;
    if (MsgBox(QStringLiteral("Are you sure you want to remove ") + symbol + QStringLiteral(" (") + Sets[size_t(k)].Name
                   + QStringLiteral(")?"),
               Msg::YesNo + Msg::Question, QStringLiteral("Delete share?"))
        != Msg::Yes)
        return;
    // Found again by its symbol: the set may have changed while the question was open.
    const short now = StockIndex(symbol);
    if (now < 0)
        return;
    dropStock(now);
    if (CurType == QLatin1String("Current")) {
        FG->setUpdatesEnabled(false);
        ::FG_Current();
        FG->setUpdatesEnabled(true);
    }
}

void frmMain::sellHoldingRow()
{
    ReadPortfolio();
    const int j = tradeEntry(GridMenuRecord);
    if (j < 0 || Port[size_t(j)].Action != QLatin1String("Buy"))
        return;
    const PortRec lot = Port[size_t(j)];
    LotIndex = lot.RefId;
    PurchaseMode = QStringLiteral("Sell");
    TradeSymbol = lot.Symbol;
    const int tickerTop = qRound(Twips::fromPixelsY(NewsTicker1->y(), this));
    if (openLots(TradeSymbol).size() > 1) {
        // The chooser opens with the clicked purchase chosen.
        ShowLotChooser(this, tickerTop, TradeSymbol, lot.RefId);
        DoEvents();
        return;
    }
    LotShares = lot.Shares;
    LotPrice = lot.Price;
    PurchaseRequest request;
    request.mode = PurchaseRequest::Sell;
    request.symbol = TradeSymbol;
    request.lotRef = lot.RefId;
    request.lotShares = SharesHeld(TradeSymbol, request.lotRef);
    ShowPurchase(this, tickerTop, request);
    if (frmPurchace *dialog = purchaseWindow()) {
        // Suggestions for the sale from the holding's own record, whatever
        // order the sheet's columns stand in: the price the holding is
        // valued at and the purchase's commission.
        const QString price = exactPriceText(lot.Extra);
        dialog->lblCurrent->setText(price);
        dialog->txtComm->setText(numberText(double(lot.Commission)));
        dialog->txtPrice->setText(price);
        dialog->txtDate->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        dialog->txtShares->setText(QString::number(request.lotShares));
    }
    DoEvents();
}

void frmMain::editTransactionRow()
{
    // The trade's own entry, as the row carries it: on a sale row that is
    // the sale, not the purchase it came from. The window fills itself
    // from the entry's record.
    const int entry = tradeEntry(GridMenuRecord);
    if (entry < 0)
        return;
    TradeSymbol = Port[entry].Symbol;
    PurchaseMode = QStringLiteral("Edit");
    PurchaseRequest request;
    request.mode = PurchaseRequest::Edit;
    request.symbol = TradeSymbol;
    request.editIndex = qint16(entry);
    ShowPurchase(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)), request);
    DoEvents();
}

void frmMain::deleteTransactionRow()
{
    if (refusedWhileUpdating())
        return;
    const int k = tradeEntry(GridMenuRecord);
    if (k < 0)
        return;
    const PortRec &t = Port[k];
    QString prompt = QStringLiteral("Are you sure you want to remove this transaction (%1-%2, %3, %4 shares)?")
                         .arg(t.Symbol, t.Action, t.DateText, QString::number(t.Shares));
    if (const qsizetype sales = SalesOf(k).size())
        prompt += sales == 1 ? QStringLiteral("\r\nIts sale will be removed too.")
                             : QStringLiteral("\r\nIts %1 sales will be removed too.").arg(sales);
    if (MsgBox(prompt, Msg::YesNo + Msg::Question, QStringLiteral("Delete Transaction?")) != Msg::Yes)
        return;
    if (const QString failed = DeleteTrade(qint16(k)); !failed.isEmpty())
        MsgBox(failed, Msg::OKOnly + Msg::Exclamation, QStringLiteral("Delete Transaction?"));
    ::FG_PortfolioLog();
}
