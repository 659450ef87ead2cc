#include "portfolio/TradeNumbers.h"

#include "core/Variant.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

// "1,234.50", "45.375", ".5": the sheets' decimal form.
std::optional<double> sheetsDecimal(const QString &t)
{
    static const QRegularExpression form(QStringLiteral("^(\\d*|\\d{1,3}(,\\d{3})+)(\\.\\d*)?$"));
    if (!form.match(t).hasMatch() || !t.contains(QRegularExpression(QStringLiteral("\\d"))))
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(QString(t).remove(QLatin1Char(',')), &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// "45 3/8", "3/8", "-1 1/2" (the whole part's sign covers the fraction).
std::optional<double> fraction(const QString &t, bool signs)
{
    static const QRegularExpression form(QStringLiteral("^(-?)(?:(\\d{1,9}) +)?(\\d{1,9})/(\\d{1,9})$"));
    const QRegularExpressionMatch m = form.match(t);
    if (!m.hasMatch() || (!signs && !m.captured(1).isEmpty()))
        return std::nullopt;
    const double den = m.captured(4).toDouble();
    if (den <= 0)
        return std::nullopt;
    const double v = m.captured(2).toDouble() + m.captured(3).toDouble() / den;
    return m.captured(1).isEmpty() ? v : -v;
}

// The user's regional form: digits (of any script), the decimal and the
// group separator only; no sign, no exponent.
std::optional<double> regionalDecimal(const QString &t)
{
    const QLocale locale;
    const QString point = locale.decimalPoint(), group = locale.groupSeparator();
    bool digit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isDigit()) {
            digit = true;
            continue;
        }
        if (!QStringView(t).mid(i).startsWith(point) && !QStringView(t).mid(i).startsWith(group))
            return std::nullopt;
    }
    bool ok = false;
    const double v = digit ? locale.toDouble(t, &ok) : 0;
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

NumberReading readNumber(const QString &text)
{
    const QString t = text.trimmed();
    NumberReading r;
    r.sheets = sheetsDecimal(t);
    if (!r.sheets)
        r.sheets = fraction(t, false);
    r.regional = regionalDecimal(t);
    if (r.sheets && r.regional) {
        if (*r.sheets == *r.regional)
            r.value = r.sheets;
    } else {
        r.value = r.sheets ? r.sheets : r.regional;
    }
    return r;
}

std::optional<double> exactPrice(const QString &stored)
{
    const QString t = stored.trimmed();
    if (std::optional<double> v = fraction(t, true))
        return v;
    static const QRegularExpression decimal(QStringLiteral("^-?(\\d*|\\d{1,3}(,\\d{3})+)(\\.\\d*)?$"));
    if (!decimal.match(t).hasMatch() || !t.contains(QRegularExpression(QStringLiteral("\\d"))))
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(QString(t).remove(QLatin1Char(',')), &ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

QString exactPriceText(const QString &stored)
{
    const std::optional<double> v = exactPrice(stored);
    return v ? numberText(*v) : QString();
}

QDate readDate(const QString &text)
{
    const QString t = text.trimmed();
    const QLocale locale;
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat, QLocale::NarrowFormat})
        if (const QDate d = locale.toDate(t, type); d.isValid())
            return d;
    for (const char *form : {"M/d/yyyy", "M/d/yy", "yyyy-MM-dd"})
        if (const QDate d = QDate::fromString(t, QLatin1String(form)); d.isValid())
            return d;
    return QDate();
}
