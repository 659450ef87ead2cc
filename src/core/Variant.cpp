#include "core/Variant.h"

#include <cmath>

QString numberText(double number)
{
    if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15)
        return QString::number(qint64(number));
    return QString::number(number, 'g', 15);
}

static bool parseNumber(const QString &text, double *out)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (ok && out)
        *out = d;
    return ok;
}

QString Variant::toString() const
{
    if (const auto *s = std::get_if<QString>(&m_value))
        return *s;
    if (const auto *d = std::get_if<double>(&m_value))
        return numberText(*d);
    return QString();
}

double Variant::toDouble() const
{
    if (const auto *d = std::get_if<double>(&m_value))
        return *d;
    double v = 0;
    if (const auto *s = std::get_if<QString>(&m_value))
        parseNumber(*s, &v);
    return v;
}

bool Variant::isNumeric() const
{
    if (const auto *s = std::get_if<QString>(&m_value))
        return parseNumber(*s, nullptr);
    return true;
}

bool operator==(const Variant &a, const Variant &b)
{
    if (a.isEmpty() || b.isEmpty()) {
        // Empty equals "" and 0, and another Empty.
        const Variant &other = a.isEmpty() ? b : a;
        if (other.isEmpty())
            return true;
        if (other.isString())
            return other.toString().isEmpty();
        return other.toDouble() == 0;
    }
    if (a.isString() && b.isString())
        return a.toString() == b.toString();
    // A text against a number compares as numbers when the text is one.
    if (!a.isNumeric() || !b.isNumeric())
        return false;
    return a.toDouble() == b.toDouble();
}
