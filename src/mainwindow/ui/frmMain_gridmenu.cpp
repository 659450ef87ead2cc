// The main grid's popup menu: copy, select all, the striped price sheet,
// removing a stock from the set, and selling, editing or removing a trade
// from the portfolio sheets. Every command works on the grid's current row.
#include "mainwindow/ui/frmMain.h"

#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "portfolio/PortfolioSheets.h"
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

// The holdings sheet's hidden column with the purchase's reference number,
// and the trade log's with the trade's own entry.
constexpr int HoldingRefCol = 10;
constexpr int LogEntryCol = 8;

// A cell holding a whole number, as the hidden index columns do.
bool wholeNumber(const QString &text, int *value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

// The column of the price sheet headed "Companey" (column 1 unless moved).
int companyColumn(const FlexGrid &grid)
{
    for (int c = 0; c < grid.Cols(); ++c)
        if (grid.TextMatrix(0, c) == QLatin1String("Companey"))
            return c;
    return 1;
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

void frmMain::showGridMenu()
{
    for (const SheetItems &sheet : EditMenuSheets) {
        if (CurType != QLatin1String(sheet.key))
            continue;
        for (int i = 0; i < EditMenuItems; ++i) {
            mnuEdit[i]->setVisible(sheet.items[i] == 'v');
            mnuEdit[i]->setEnabled(true);
        }
        if (CurType == QLatin1String("Port"))
            mnuEdit[6]->setEnabled(!FGModel->TextMatrix(FGModel->Row(), HoldingRefCol).isEmpty());
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
    const FlexGrid &g = *FGModel;
    // The row names its stock by its quote cells, not by its place, which a
    // sort or a stock without quotes would shift.
    const int k = PriceSheetRecord(g, g.Row());
    if (k < 0)
        return;
    const QString S = g.TextMatrix(g.Row(), companyColumn(g));
    if (MsgBox(QStringLiteral("Are you sure you want to remove ") + QStringLiteral(" (") + S + QStringLiteral(")?"),
               Msg::YesNo + Msg::Question, QStringLiteral("Delete share?"))
        != Msg::Yes)
        return;
    dropStock(short(k));
    if (CurType == QLatin1String("Current")) {
        FG->setUpdatesEnabled(false);
        ::FG_Current();
        FG->setUpdatesEnabled(true);
    }
}

void frmMain::sellHoldingRow()
{
    const FlexGrid &g = *FGModel;
    const int row = g.Row();
    int ref = 0;
    if (!wholeNumber(g.TextMatrix(row, HoldingRefCol), &ref))
        return;
    LotIndex = short(ref);
    PurchaseMode = QStringLiteral("Sell");
    TradeSymbol = g.TextMatrix(row, 0);
    ReadPortfolio();
    const int tickerTop = qRound(Twips::fromPixelsY(NewsTicker1->y(), this));
    const QList<int> lots = openLots(TradeSymbol);
    if (lots.size() > 1) {
        ShowLotChooser(this, tickerTop, TradeSymbol);
        DoEvents();
        return;
    }
    int j = -1;
    for (int i = 0; i < PortSize - 1 && j < 0; ++i)
        if (Port[i].Symbol == TradeSymbol && Port[i].Action == QLatin1String("Buy") && Port[i].RefId == ref)
            j = i;
    if (j < 0)
        return;
    LotShares = Port[j].Shares;
    LotPrice = Port[j].Price;
    PurchaseRequest request;
    request.mode = PurchaseRequest::Sell;
    request.symbol = TradeSymbol;
    request.lotRef = qint16(ref);
    request.lotShares = SharesHeld(request.lotRef);
    ShowPurchase(this, tickerTop, request);
    if (frmPurchace *dialog = purchaseWindow()) {
        dialog->lblSymbol->setText(TradeSymbol);
        dialog->lblCurrent->setText(g.TextMatrix(row, 9));
        if (const QString name = DisplayNameOf(TradeSymbol); !name.isEmpty())
            dialog->lblName->setText(name);
        dialog->txtComm->setText(g.TextMatrix(row, 4));
        dialog->txtPrice->setText(g.TextMatrix(row, 9));
        dialog->txtDate->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        dialog->txtShares->setText(g.TextMatrix(row, 2));
    }
    DoEvents();
}

void frmMain::editTransactionRow()
{
    const FlexGrid &g = *FGModel;
    const int row = g.Row();
    // The trade's own entry: on a sale row the reference column names the
    // purchase, which an edit must not overwrite.
    int entry = 0;
    if (!wholeNumber(g.TextMatrix(row, LogEntryCol), &entry) || entry < 0 || entry >= PortSize)
        return;
    TradeSymbol = g.TextMatrix(row, 0);
    PurchaseMode = QStringLiteral("Edit");
    PurchaseRequest request;
    request.mode = PurchaseRequest::Edit;
    request.symbol = TradeSymbol;
    request.editIndex = qint16(entry);
    request.date = g.TextMatrix(row, 2);
    request.shares = g.TextMatrix(row, 3);
    request.price = g.TextMatrix(row, 4);
    request.commission = g.TextMatrix(row, 5);
    ShowPurchase(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)), request);
    if (frmPurchace *dialog = purchaseWindow()) {
        if (g.Cols() > 9)
            dialog->lblCurrent->setText(g.TextMatrix(row, 9));
        if (const QString name = DisplayNameOf(TradeSymbol); !name.isEmpty())
            dialog->lblName->setText(name);
    }
    DoEvents();
}

void frmMain::deleteTransactionRow()
{
    int k = 0;
    if (!wholeNumber(FGModel->TextMatrix(FGModel->Row(), LogEntryCol), &k) || k < 0 || k > 100)
        return;
    const QString prompt = QStringLiteral("Are you sure you want to remove this transaction (") + Port[k].Symbol
                           + QStringLiteral("-") + Port[k].Action + QStringLiteral(")?");
    if (MsgBox(prompt, Msg::YesNo + Msg::Question, QStringLiteral("Delete Transaction?")) != Msg::Yes)
        return;
    DeleteTrade(qint16(k));
    ::FG_PortfolioLog();
}
