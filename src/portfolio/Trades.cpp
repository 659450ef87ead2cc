#include "portfolio/Trades.h"

#include "core/UpdateGuard.h"
#include "core/Variant.h"
#include "core/VbString.h"
#include "portfolio/TradeNumbers.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

using PortArray = std::array<PortRec, PortSize>;

constexpr double LargestAmount = 1e9;

bool isBuy(const PortRec &e)
{
    return e.Action == QLatin1String("Buy");
}

bool isSell(const PortRec &e)
{
    return e.Action == QLatin1String("Sell");
}

double toCents(double v)
{
    return std::round(v * 100.0) / 100.0;
}

QString today()
{
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

// The date as typed (trimmed) when it reads as a date; "" is today. The
// record file holds Latin-1 text only: a date written in other digits
// (Arabic, Persian, Devanagari) is stored as month/day/year.
bool dateText(const QString &text, QString *out, QString *why)
{
    const QString t = text.trimmed();
    const QDate date = t.isEmpty() ? QDate::currentDate() : readDate(t);
    if (!date.isValid()) {
        *why = QStringLiteral("Date: \"%1\" is not a date.\r\nPlease enter it as month/day/year, for example %2, or as %3.")
                   .arg(t, QDate::currentDate().toString(QStringLiteral("M/d/yyyy")), today());
        return false;
    }
    const QString shown = t.isEmpty() ? today() : t;
    const bool latin1 = std::all_of(shown.cbegin(), shown.cend(), [](QChar c) { return c.unicode() < 256; });
    *out = latin1 ? shown : date.toString(QStringLiteral("M/d/yyyy"));
    return true;
}

// Why a number that reads two ways is refused: both readings, and a way
// to type the one meant (one more 0 after the last digit reads one way).
QString twoReadings(const char *field, const QString &t, const NumberReading &r)
{
    QString why = QStringLiteral("%1: \"%2\" reads as %3 in your regional settings but as %4 the way the sheets write "
                                 "numbers, so it was not taken.")
                      .arg(QLatin1String(field), t, numberText(*r.regional), numberText(*r.sheets));
    const QString longer = t + QLatin1Char('0');
    if (const NumberReading one = readNumber(longer); one.value)
        why += QStringLiteral("\r\nType %1 if you mean %2.").arg(longer, numberText(*one.value));
    return why;
}

// A share count the record's 16-bit field holds: a whole number, 1 to 32,767.
bool shareCount(const QString &text, qint16 *out, QString *why)
{
    const QString t = text.trimmed();
    const NumberReading r = readNumber(t);
    if (r.ambiguous()) {
        *why = twoReadings("Quantity", t, r);
        return false;
    }
    const bool whole = r.value && *r.value == std::trunc(*r.value) && !t.contains(QLatin1Char('/'));
    if (!whole || *r.value < 1 || *r.value > 32767) {
        *why = QStringLiteral("Quantity: \"%1\" is not a number of shares.\r\n"
                              "Please enter a whole number from 1 to 32,767.")
                   .arg(t);
        return false;
    }
    *out = qint16(*r.value);
    return true;
}

// A price or commission: as the sheets write it ("1,234.50", "45 3/8") or
// as the user's regional settings do, from 0 to 1,000,000,000. An empty
// field is 0 where emptyIsZero.
bool amount(const QString &text, const char *field, bool emptyIsZero, float *out, QString *why)
{
    const QString t = text.trimmed();
    if (t.isEmpty() && emptyIsZero) {
        *out = 0;
        return true;
    }
    const NumberReading r = readNumber(t);
    if (r.ambiguous()) {
        *why = twoReadings(field, t, r);
        return false;
    }
    if (!r.value || !std::isfinite(*r.value) || *r.value < 0 || *r.value > LargestAmount) {
        *why = QStringLiteral("%1: \"%2\" is not an amount.\r\nPlease enter a number from 0 to 1,000,000,000.")
                   .arg(QLatin1String(field), t);
        return false;
    }
    *out = float(*r.value);
    return true;
}

// The shortest text that reads back as exactly this single.
QString shortest(float v)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr;
    return QString::fromLatin1(buf, end - buf);
}

// The sale's realized gain against its purchase, to the cent.
double realizedGain(const PortRec &sale, const PortRec &purchase)
{
    const double shares = sale.Shares;
    const double commissionShare = purchase.Shares > 0 ? double(purchase.Commission) * shares / purchase.Shares : 0;
    return toCents(shares * double(sale.Price) - double(sale.Commission) - shares * double(purchase.Price)
                   - commissionShare);
}

// Saves the portfolio; when it cannot be written, nothing was changed.
QString commit(const PortArray &before)
{
    const QString failed = SavePortfolioOrRestore(before);
    return failed.isEmpty() ? failed : failed + QStringLiteral("\r\n\r\nNothing was changed.");
}

// A new trade in the first free entry; ref < 0 makes it its own reference.
QString store(const QString &symbol, const QString &extra, const QString &action, const QString &date, qint16 shares,
              float price, float commission, qint16 ref)
{
    if (const QString refused = refusalWhileUpdating(); !refused.isEmpty())
        return refused;
    const short n = FreePortIndex();
    if (n < 0)
        return QStringLiteral("The portfolio is full: it holds 99 trades. Delete a trade to make room.");
    const PortArray before = Port;
    PortRec &e = Port[n];
    e = PortRec{};
    e.Symbol = symbol;
    e.DateText = date;
    e.Price = price;
    e.Shares = shares;
    e.Commission = commission;
    e.Extra = vb::Val(extra) > 0 ? extra : QString();
    e.Action = action;
    e.RefId = ref < 0 ? n : ref;
    if (isSell(e))
        e.TradeDate = SaleGain(e).value_or(0); // the record's gain field
    return commit(before);
}

// The typed fields of a new trade as its figures; false with why when a
// field holds no valid entry.
bool parsed(const TradeFields &f, QString *date, qint16 *shares, float *price, float *commission, QString *why)
{
    return dateText(f.date, date, why) && shareCount(f.shares, shares, why)
           && amount(f.price, "Price", false, price, why) && amount(f.commission, "Commission", true, commission, why);
}

QString sellLimit(int held)
{
    return QStringLiteral("You can not sell more then buying.\r\nPlease sell less then %1 shares.").arg(held);
}

} // namespace

QString BuyStock(const QString &symbol, const TradeFields &f, const QString &extra)
{
    QString date, why;
    qint16 shares = 0;
    float price = 0, commission = 0;
    if (!parsed(f, &date, &shares, &price, &commission, &why))
        return why;
    return store(symbol, extra, QStringLiteral("Buy"), date, shares, price, commission, -1);
}

int PurchaseSlot(const QString &symbol, qint16 ref)
{
    for (int i = 0; i < PortSize; ++i)
        if (!symbol.isEmpty() && Port[i].Symbol == symbol && isBuy(Port[i]) && Port[i].RefId == ref)
            return i;
    return -1;
}

QList<int> SalesOf(int index)
{
    QList<int> sales;
    if (index < 0 || index >= PortSize || !isBuy(Port[index]) || Port[index].Symbol.isEmpty())
        return sales;
    for (int i = 0; i < PortSize; ++i)
        if (isSell(Port[i]) && Port[i].Symbol == Port[index].Symbol && Port[i].RefId == Port[index].RefId)
            sales << i;
    return sales;
}

int SharesHeld(const QString &symbol, qint16 lotRef)
{
    const int lot = PurchaseSlot(symbol, lotRef);
    if (lot < 0)
        return 0;
    const short held = CheckSold(lotRef, Port[lot].Shares, symbol);
    return held == SoldOut ? 0 : (held > 0 ? held : std::max<int>(0, Port[lot].Shares));
}

QString Sell(const QString &symbol, qint16 lotRef, const TradeFields &f, const QString &extra)
{
    QString date, why;
    qint16 shares = 0;
    float price = 0, commission = 0;
    if (!parsed(f, &date, &shares, &price, &commission, &why))
        return why;
    const int held = SharesHeld(symbol, lotRef);
    if (held <= 0)
        return QStringLiteral("Nothing of this purchase is held any more.");
    if (shares > held)
        return sellLimit(held);
    return store(symbol, extra, QStringLiteral("Sell"), date, shares, price, commission, lotRef);
}

std::optional<double> SaleGain(const PortRec &sale)
{
    const int lot = PurchaseSlot(sale.Symbol, sale.RefId);
    if (!isSell(sale) || lot < 0)
        return std::nullopt;
    return realizedGain(sale, Port[lot]);
}

TradeFields EditFields(qint16 index)
{
    if (index < 0 || index >= PortSize)
        return {};
    const PortRec &e = Port[index];
    return {e.DateText, QString::number(e.Shares), shortest(e.Price), shortest(e.Commission)};
}

QString EditTransaction(qint16 index, const TradeFields &f)
{
    if (index < 0 || index >= PortSize || Port[index].Symbol.isEmpty())
        return QStringLiteral("There is no such trade.");
    const TradeFields shown = EditFields(index);
    PortRec e = Port[index];
    QString why;
    // Only what the user changed is read; the rest stays byte for byte.
    if (f.date != shown.date && !dateText(f.date, &e.DateText, &why))
        return why;
    if (f.shares != shown.shares && !shareCount(f.shares, &e.Shares, &why))
        return why;
    if (f.price != shown.price && !amount(f.price, "Price", false, &e.Price, &why))
        return why;
    if (f.commission != shown.commission && !amount(f.commission, "Commission", true, &e.Commission, &why))
        return why;

    const PortRec &was = Port[index];
    const QList<int> sales = SalesOf(index);
    if (isBuy(e)) {
        int sold = 0;
        for (int s : sales)
            sold += Port[s].Shares;
        if (e.Shares < was.Shares && e.Shares < sold)
            return QStringLiteral("Quantity: %1 shares of this purchase are sold.\r\n"
                                  "It can not hold fewer than %1 shares.")
                .arg(sold);
    } else if (isSell(e)) {
        const int lot = PurchaseSlot(e.Symbol, e.RefId);
        if (lot >= 0 && e.Shares > was.Shares) {
            const int room = SharesHeld(e.Symbol, e.RefId) + was.Shares;
            if (e.Shares > room)
                return sellLimit(room);
        }
    }
    const bool figures = e.Shares != was.Shares || e.Price != was.Price || e.Commission != was.Commission;
    const PortArray before = Port;
    Port[index] = e;
    if (figures) {
        // The stored gains follow the figures they come from.
        if (isSell(e))
            Port[index].TradeDate = SaleGain(e).value_or(e.TradeDate);
        for (int s : sales)
            Port[s].TradeDate = SaleGain(Port[s]).value_or(Port[s].TradeDate);
    }
    return commit(before);
}

QString DeleteTrade(qint16 index)
{
    if (index < 0 || index >= PortSize || Port[index].Symbol.isEmpty())
        return QString();
    if (const QString refused = refusalWhileUpdating(); !refused.isEmpty())
        return refused;
    const PortArray before = Port;
    for (int s : SalesOf(index))
        Port[s] = PortRec();
    Port[index] = PortRec();
    return commit(before);
}
