#include "portfolio/PortfolioSheets.h"

#include "core/GridMessage.h"
#include "core/MainWindow.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "core/Variant.h"
#include "portfolio/PortSymbols.h"
#include "portfolio/TradeNumbers.h"
#include "portfolio/Trades.h"
#include "platform/FlexGrid.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

constexpr OleColor White = 16777215;
constexpr OleColor TotalBack = 15723985;
constexpr int Entries = PortSize; // every filed entry, 100 included (an old file may hold a trade there)

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

double round0(double v)
{
    return std::round(v);
}

// Numbers with thousands separators, as the sheets have always shown them.
const QLocale &grouped()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

// "#,##0.00": two decimals with thousands separators.
QString twoDecimals(double v)
{
    return grouped().toString(v, 'f', 2);
}

// "#,## $": a whole number with thousands separators, a blank and "$";
// nothing before the blank for 0.
QString dollars(double v)
{
    const qint64 whole = qint64(round0(v));
    return (whole == 0 ? QString() : grouped().toString(whole)) + QStringLiteral(" $");
}

QString plain(double v)
{
    return numberText(v);
}

// The stock's last sale as the quote gave it, exactly ("45 3/8" is 45.375).
double currentPrice(const PortRec &e)
{
    return exactPrice(e.Extra).value_or(0);
}

// A percent gain is defined only against a cost.
QString percentText(double value, double cost)
{
    return cost == 0 ? QString() : plain(round2(value * 100.0 / cost - 100.0));
}

const QStringList Captions = {"Symbol", "Date", "Qun.", "Cost", "Com.", "Total Cost", "Total Value", "% Gain", "$ Gain",
                              "Current Price"};

void holdingsFrame(FlexGrid &grid)
{
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(2);
    grid.setCols(11);
    grid.setColAlignment(0, 0);
    grid.setColAlignment(1, 4);
    grid.setColAlignment(2, 4);
    for (int c = 3; c <= 10; ++c)
        grid.setColAlignment(c, 7);
    grid.setRowHeight(0, BaseRowHeight);
    grid.setRowHeight(1, 0);
    grid.setBackColor(White);
    grid.setGridLines(0);
    QList<Variant> headers;
    for (const QString &c : Captions)
        headers << c;
    SetHeaders(&grid, headers);
}

struct Group
{
    double shares = 0, cost = 0, value = 0, gain = 0;
    QString lastPrice;

    void add(double s, double c, double v, double g)
    {
        shares += s;
        cost += c;
        value += v;
        gain += g;
    }
    QString totalRow() const
    {
        return QStringList{QStringLiteral("    Total:"), QString(), plain(shares), QString(), QString(), dollars(cost),
                           dollars(value), percentText(value, cost), dollars(gain), lastPrice}
            .join(QLatin1Char('\t'));
    }
};

// One purchase row; its figures go into the group.
// The holdings sheet writes the commission with two decimals, one symbol's
// trades sheet as plain number text like its other figures.
QString purchaseRow(const PortRec &e, double shares, qint16 hidden, Group &group, bool plainCommission = false)
{
    const double cost = round2(e.Price);
    const double price = currentPrice(e);
    const double totalCost = round2(shares * cost + e.Commission);
    const double totalValue = round2(shares * price);
    const double gain = round0(totalValue - totalCost);
    group.add(shares, totalCost, totalValue, gain);
    group.lastPrice = plain(price);
    return QStringList{e.Symbol, e.DateText, plain(shares), plain(cost),
                       plainCommission ? plain(round2(e.Commission)) : twoDecimals(e.Commission), plain(totalCost),
                       plain(totalValue), percentText(totalValue, totalCost), plain(gain), plain(price),
                       QString::number(hidden)}
        .join(QLatin1Char('\t'));
}

void totalLook(FlexGrid &grid, int lastCol)
{
    for (int row = 2; row < grid.Rows(); ++row) {
        if (grid.TextMatrix(row, 0) != QLatin1String("    Total:"))
            continue;
        grid.setRow(row);
        for (int col = 1; col <= lastCol; ++col) {
            grid.setCol(col);
            grid.setCellBackColor(TotalBack);
            grid.setCellFontBold(true);
        }
    }
}

void centreCaptions(FlexGrid &grid, int from, int to)
{
    grid.setRow(0);
    for (int col = from; col <= to; ++col) {
        grid.setCol(col);
        grid.setCellAlignment(4);
    }
}

const QList<Variant> HoldingWidths = {9, 10, 6, 8, 6, 13, 13, 10, 10, 12, 0};

} // namespace

void FG_Portfolio_All()
{
    CurType = QStringLiteral("Port");
    SheetTarget target;
    FlexGrid *grid = target.grid();
    if (!grid)
        return;
    ReadPortfolio();
    holdingsFrame(*grid);
    // Every entry, gaps and all, grouped by symbol in order of first entry.
    QStringList symbols;
    for (int i = 0; i < Entries; ++i)
        // One-letter tickers are tickers too.
        if (!Port[i].Symbol.isEmpty() && !symbols.contains(Port[i].Symbol))
            symbols << Port[i].Symbol;
    double grand = 0;
    for (const QString &symbol : symbols) {
        Group group;
        for (int i = 0; i < Entries; ++i) {
            const PortRec &e = Port[i];
            if (e.Symbol != symbol || e.Action != QLatin1String("Buy"))
                continue;
            const short held = CheckSold(e.RefId, e.Shares, e.Symbol);
            if (held == SoldOut && e.Shares > 0)
                continue;
            grid->AddItem(purchaseRow(e, held > 0 ? held : e.Shares, e.RefId, group));
            grid->setRowData(grid->Rows() - 1, i); // the purchase's entry
        }
        grid->AddItem(group.totalRow());
        grand += group.gain;
    }
    SetColWidths(grid, HoldingWidths);
    totalLook(*grid, 10);
    const qint64 total = qint64(round0(grand));
    grid->AddItem(QStringLiteral("Pr/Loss:\t\t\t\t\t\t\t\t") + QString::number(total));
    centreCaptions(*grid, 1, 9);
    grid->setRow(grid->Rows() - 1);
    grid->setCol(8);
    grid->setCellAlignment(4);
    grid->setCellFontBold(true);
    if (total < 0) {
        grid->setCellBackColor(255);
        grid->setCellForeColor(White);
    } else if (total > 0) {
        grid->setCellBackColor(65280);
        grid->setCellForeColor(0);
    }
    grid->setTopRow(1);
    grid->setRedraw(true);
    target.showZoom();
}

void FG_PortfolioLog()
{
    CurType = QStringLiteral("PortLog");
    SheetTarget target;
    FlexGrid *grid = target.grid();
    if (!grid)
        return;
    ReadPortfolio();
    grid->setRedraw(false);
    grid->Clear();
    grid->setRows(2);
    grid->setCols(9);
    grid->setColAlignment(0, 0);
    grid->setColAlignment(1, 4);
    grid->setRowHeight(1, 0);
    grid->setBackColor(White);
    SetHeaders(grid, {"Symbol", "Action", "Date", "Qun.", "Cost", "Com.", "Gain"});
    double total = 0;
    for (int i = 0; i < Entries; ++i) {
        const PortRec &e = Port[i];
        if (e.Symbol.isEmpty())
            continue;
        // A sale's realized gain, worked out from it and its purchase, so that
        // files written before show the right figure; a purchase gains 0.
        const std::optional<double> gain = e.Action == QLatin1String("Sell") ? SaleGain(e) : 0.0;
        grid->AddItem(QStringList{e.Symbol, e.Action, e.DateText, plain(e.Shares), plain(round2(e.Price)),
                                  twoDecimals(e.Commission), gain ? plain(*gain) : QString(), QString::number(e.RefId),
                                  QString::number(i)}
                          .join(QLatin1Char('\t')));
        grid->setRowData(grid->Rows() - 1, i); // the trade's entry
        total += gain.value_or(0);
    }
    grid->AddItem(QStringLiteral("  =Total\t\t\t\t\t\t") + plain(round2(total)) + QStringLiteral(" $"));
    centreCaptions(*grid, 1, 6);
    grid->setColAlignment(5, 7);
    grid->setColAlignment(6, 7);
    grid->setRow(grid->Rows() - 1);
    for (int col = 1; col <= 6; ++col) {
        grid->setCol(col);
        grid->setCellBackColor(TotalBack);
        grid->setCellFontBold(true);
    }
    SetColWidths(grid, {12, 10, 19, 12, 12, 12, 15, 0, 0}); // a date such as "10 Dec 2026" whole
    grid->setTopRow(1);
    grid->setRedraw(true);
    target.showZoom();
}

void FG_Portfolio_Selected(const QString &symbol)
{
    CurType = QStringLiteral("PortSelected");
    // Drawn in the main grid: this sheet has no zoom.
    MainWindow *window = mainWindow();
    FlexGrid *grid = window ? window->mainGrid() : nullptr;
    if (!grid)
        return;
    ReadPortfolio();
    holdingsFrame(*grid);
    clearPortSymbols();
    if (!symbol.isEmpty()) {
        AddPortSymbol(symbol);
        Group group;
        bool any = false;
        for (int j = 0; j < Entries; ++j) {
            const PortRec &e = Port[j];
            if (e.Symbol != symbol || e.Action != QLatin1String("Buy"))
                continue;
            // What the sales of this purchase (by its reference number) left.
            const short held = CheckSold(e.RefId, e.Shares, e.Symbol);
            const double shares = held == SoldOut ? 0 : (held > 0 ? held : e.Shares);
            grid->AddItem(purchaseRow(e, shares, qint16(j), group, true));
            grid->setRowData(grid->Rows() - 1, j);
            any = true;
        }
        if (any)
            grid->AddItem(group.totalRow());
    }
    SetColWidths(grid, HoldingWidths);
    totalLook(*grid, 10);
    centreCaptions(*grid, 1, 9);
    grid->setTopRow(1);
    grid->setRedraw(true);
}
