#include "portfolio/Trades.h"

#include "core/Portfolio.h"
#include "core/VbString.h"

#include <QDate>
#include <QLocale>

#include <cmath>
#include <limits>

namespace {

QString dateOrToday(const QString &text)
{
    const QString t = text.trimmed();
    for (const QString &form : {QLocale().dateFormat(QLocale::ShortFormat), QStringLiteral("M/d/yyyy"),
                                QStringLiteral("M/d/yy"), QStringLiteral("yyyy-MM-dd")})
        if (QDate::fromString(t, form).isValid())
            return t;
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

// A share count the record's 16-bit field can hold, above 0; -1 otherwise.
int shareCount(const QString &text, QString *why)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v <= 0) {
        *why = QStringLiteral("Please enter the number of shares.");
        return -1;
    }
    const double rounded = std::nearbyint(v);
    if (rounded > std::numeric_limits<qint16>::max()) {
        *why = QStringLiteral("The portfolio holds at most 32,767 shares in one trade.");
        return -1;
    }
    return int(rounded);
}

bool number(const QString &text, double *value)
{
    if (text.trimmed().isEmpty()) {
        *value = 0;
        return true;
    }
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && *value >= 0;
}

void save()
{
    // UpdatePurchase with nothing to change: read back and redraw the sheet.
    UpdatePurchase(QString(), QString(), 0, 0, QString(), 0, QString(), 0, 0, -1);
}

} // namespace

namespace {

// The typed fields as a trade's figures; "" when they hold one.
QString parsed(const TradeFields &f, int *shares, double *price, double *commission)
{
    QString why;
    *shares = shareCount(f.shares, &why);
    if (*shares < 0)
        return why;
    if (!number(f.price, price) || !number(f.commission, commission))
        return QStringLiteral("Please enter the price and the commission as numbers.");
    return QString();
}

// A new trade in the first free entry; ref < 0 makes it its own reference.
QString store(const QString &symbol, const TradeFields &f, const QString &extra, const QString &action, int shares,
              double price, double commission, qint16 ref, double gain)
{
    const short n = FreePortIndex();
    if (n < 0)
        return QStringLiteral("The portfolio is full: it holds 99 trades. Delete a trade to make room.");
    PortRec &e = Port[n];
    e = PortRec{};
    e.Symbol = symbol;
    e.DateText = dateOrToday(f.date);
    e.Price = float(price);
    e.Shares = qint16(shares);
    e.Commission = float(commission);
    e.Extra = vb::Val(extra) > 0 ? extra : QString();
    e.Action = action;
    e.TradeDate = gain > 0 ? gain : 0; // the stored gain figure of a sale, as files have it
    e.RefId = ref < 0 ? n : ref;
    save();
    return QString();
}

} // namespace

QString BuyStock(const QString &symbol, const TradeFields &f, const QString &extra)
{
    int shares = 0;
    double price = 0, commission = 0;
    const QString refused = parsed(f, &shares, &price, &commission);
    if (!refused.isEmpty())
        return refused;
    return store(symbol, f, extra, QStringLiteral("Buy"), shares, price, commission, -1, 0);
}

int SharesHeld(qint16 lotRef)
{
    for (int i = 0; i < PortSize; ++i) {
        const PortRec &e = Port[i];
        if (e.Action == QLatin1String("Buy") && e.RefId == lotRef && !e.Symbol.isEmpty()) {
            const short held = CheckSold(lotRef, e.Shares);
            return held == SoldOut ? 0 : (held > 0 ? held : e.Shares);
        }
    }
    return 0;
}

QString Sell(const QString &symbol, qint16 lotRef, const TradeFields &f, const QString &extra)
{
    int shares = 0;
    double price = 0, commission = 0;
    const QString refused = parsed(f, &shares, &price, &commission);
    if (!refused.isEmpty())
        return refused;
    const int held = SharesHeld(lotRef);
    if (held <= 0)
        return QStringLiteral("Nothing of this purchase is held any more.");
    if (shares > held)
        return QStringLiteral("You can not sell more then buying.\r\nPlease sell less then %1 shares.").arg(held);
    double lotPrice = 0;
    for (int i = 0; i < PortSize; ++i)
        if (Port[i].Action == QLatin1String("Buy") && Port[i].RefId == lotRef)
            lotPrice = Port[i].Price;
    return store(symbol, f, extra, QStringLiteral("Sell"), shares, price, commission, lotRef,
                 shares * (commission + lotPrice - price));
}

QString EditTransaction(qint16 index, const TradeFields &f)
{
    if (index < 0 || index >= PortSize || Port[index].Symbol.isEmpty())
        return QStringLiteral("There is no such trade.");
    int shares = 0;
    double price = 0, commission = 0;
    const QString refused = parsed(f, &shares, &price, &commission);
    if (!refused.isEmpty())
        return refused;
    PortRec &e = Port[index];
    e.DateText = dateOrToday(f.date);
    e.Shares = qint16(shares);
    e.Price = float(price);
    e.Commission = float(commission);
    save();
    return QString();
}

void DeleteTrade(qint16 index)
{
    if (index < 0 || index >= PortSize)
        return;
    const PortRec trade = Port[index];
    Port[index] = PortRec();
    if (trade.Action == QLatin1String("Buy"))
        for (PortRec &e : Port)
            if (e.Action == QLatin1String("Sell") && e.Symbol == trade.Symbol && e.RefId == trade.RefId)
                e = PortRec();
    CleanPortfolio();
    WritePortfolio();
    ReadPortfolio();
}
