#include "core/Portfolio.h"

#include "core/DataDir.h"
#include "core/ErrorLog.h"
#include "core/MainWindow.h"
#include "core/RecordFile.h"
#include "core/SharedState.h"
#include "core/UpdateGuard.h"
#include "core/VbString.h"
#include "platform/PathResolver.h"

#include <QDir>

#include <algorithm>

std::array<PortRec, PortSize> Port;
std::array<PortRec, 100> TmpPort;
short PortCount = 0;

namespace {

template <class R, class F>
void portFields(R &r, F &&f)
{
    f(r.Symbol);
    f(r.DateText);
    f(r.Price);
    f(r.Shares);
    f(r.Commission);
    f(r.Extra);
    f(r.Action);
    f(r.TradeDate);
    f(r.RefId);
}

const auto portVisit = [](auto &rec, auto &&f) { portFields(rec, f); };

QString portfolioPath()
{
    return DataDir + QStringLiteral("\\Portfolio.dat");
}

// Brings the tree's portfolio branch up to date and redraws the portfolio
// sheet that the grid shows, if any.
void refreshSheet()
{
    MainWindow *window = mainWindow();
    if (!window)
        return;
    window->listPortfolioSymbols();
    if (CurType == QLatin1String("Port"))
        window->FG_Portfolio_All();
    else if (CurType == QLatin1String("PortLog"))
        window->FG_PortfolioLog();
}

} // namespace

bool WritePortfolio(QString *why, DiskSync sync)
{
    QString reason;
    if (saveRecordFile(portfolioPath(), recordBytes(Port, portVisit), &reason, sync))
        return true;
    ErrorTrap(reason, ErrNo::PermissionDenied, ErrSource, QStringLiteral("Stocks_WritePortfolio"), false);
    if (why)
        *why = reason;
    return false;
}

void ReadPortfolio()
{
    Port.fill(PortRec{});
    const auto bytes = loadRecordFile(portfolioPath());
    if (!bytes)
        ErrorTrap(QStringLiteral("Permission denied"), ErrNo::PermissionDenied, ErrSource,
                  QStringLiteral("Stocks_ReadPortfolio"), false);
    // A trade cut off mid-entry is dropped: its symbol alone is no trade.
    else if (readWholeRecords(*bytes, Port, portVisit) < PortSize && !bytes->isEmpty())
        ErrorTrap(QStringLiteral("Input past end of file"), ErrNo::InputPastEnd, ErrSource,
                  QStringLiteral("Stocks_ReadPortfolio"), false);
    PortCount = 0;
    for (int i = 0; i < 100; ++i)
        if (!Port[i].Symbol.isEmpty())
            ++PortCount;
}

QString SavePortfolio()
{
    QString why;
    if (!WritePortfolio(&why))
        return QStringLiteral("Could not save %1:\r\n%2").arg(QDir::toNativeSeparators(resolvePath(portfolioPath())), why);
    ReadPortfolio();
    refreshSheet();
    return QString();
}

QString SavePortfolioOrRestore(const std::array<PortRec, PortSize> &before)
{
    const QString failed = SavePortfolio();
    if (!failed.isEmpty())
        Port = before;
    return failed;
}

QString UpdatePurchase(const QString &Action, const QString &Symbol, qint16 Shares, float Commission,
                       const QString &DateText, double Price, const QString &Extra, double TradeDate,
                       qint16 RefId, qint16 Index)
{
    if (Index >= 0 && Index < PortSize) {
        PortRec &e = Port[Index];
        if (!Symbol.isEmpty())
            e.Symbol = Symbol;
        if (!DateText.isEmpty())
            e.DateText = DateText;
        if (!Action.isEmpty())
            e.Action = Action;
        if (Shares > 0)
            e.Shares = Shares;
        if (RefId > 0)
            e.RefId = RefId;
        if (Commission > 0)
            e.Commission = Commission;
        if (Price > 0)
            e.Price = float(Price);
        if (vb::Val(Extra) > 0)
            e.Extra = Extra;
        if (TradeDate > 0)
            e.TradeDate = TradeDate;
    }
    return SavePortfolio();
}

short FreePortIndex()
{
    for (int i = 1; i <= 99; ++i) {
        if (!Port[i].Symbol.isEmpty())
            continue;
        const bool named = std::any_of(Port.begin(), Port.end(), [i](const PortRec &e) {
            return !e.Symbol.isEmpty() && e.RefId == i;
        });
        if (!named)
            return short(i);
    }
    return -1;
}

void CleanPortfolio()
{
    TmpPort.fill(PortRec{});
    for (int i = 0; i < 100; ++i)
        if (Port[i].Symbol.size() >= 2)
            TmpPort[i] = Port[i];
    Port.fill(PortRec{});
    for (int i = 0; i < 100; ++i)
        if (TmpPort[i].Symbol.size() >= 2)
            Port[i] = TmpPort[i];
    TmpPort.fill(PortRec{});
}

QString ClearPortfolio()
{
    if (const QString refused = refusalWhileUpdating(); !refused.isEmpty())
        return refused;
    const auto before = Port;
    Port.fill(PortRec{});
    return SavePortfolioOrRestore(before);
}

short CheckSold(qint16 Id, qint16 Shares, const QString &Symbol)
{
    // Every entry counts, not only 0 to PortCount: a deletion leaves holes,
    // and sales stored above PortCount still sell from the purchase.
    bool referred = false;
    int sold = 0;
    for (int i = 0; i < PortSize; ++i) {
        const PortRec &e = Port[i];
        if (e.Action == QLatin1String("Sell") && e.RefId == Id && e.Symbol == Symbol) {
            referred = true;
            sold += e.Shares;
        }
    }
    if (!referred)
        return 0;
    const int held = Shares - sold;
    return held > 0 ? short(held) : SoldOut;
}

void resetPortfolio()
{
    Port.fill(PortRec{});
    TmpPort.fill(PortRec{});
    PortCount = 0;
}

std::optional<int> tradesInDamagedPortfolio(const QByteArray &bytes)
{
    std::array<PortRec, PortSize> entries;
    if (bytes.isEmpty() || readWholeRecords(bytes, entries, portVisit) == PortSize)
        return std::nullopt;
    return int(std::count_if(entries.begin(), entries.end(), [](const PortRec &e) { return !e.Symbol.isEmpty(); }));
}
