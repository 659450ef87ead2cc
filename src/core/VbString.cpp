#include "core/VbString.h"

#include <cmath>
#include <limits>

namespace vb {

QString errorDescription(int number)
{
    switch (number) {
    case InvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case DivisionByZero:
        return QStringLiteral("Division by zero");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

void raise(int number)
{
    throw Error{number, errorDescription(number)};
}

namespace {

// Letters a page's markup is full of: a poor letter to look for first.
bool commonInMarkup(char16_t c)
{
    switch (c) {
    case u'<': case u'>': case u'/': case u'"': case u'=': case u' ':
    case u't': case u'd': case u'r': case u'a': case u'e':
        return true;
    default:
        return false;
    }
}

// Where find stands in s at or after from; -1 when nowhere. A short text is
// found by a fast search for one of its letters, the rarest by the look of
// it, then compared whole (the library's own search walks such a text
// letter by letter); longer ones by the library's search.
qsizetype indexIn(const QString &s, const QString &find, qsizetype from)
{
    const qsizetype m = find.size();
    if (m < 2 || m > 5)
        return s.indexOf(find, from);
    qsizetype key = 0;
    while (key < m - 1 && commonInMarkup(find.at(key).unicode()))
        ++key;
    const QStringView text(s), needle(find);
    const qsizetype last = text.size() - m;
    for (qsizetype hit = text.indexOf(needle.at(key), from + key); hit >= 0; hit = text.indexOf(needle.at(key), hit + 1)) {
        const qsizetype at = hit - key;
        if (at > last)
            return -1;
        if (text.sliced(at, m) == needle)
            return at;
    }
    return -1;
}

} // namespace

int InStr(int start, const QString &s, const QString &find)
{
    if (start < 1)
        raise(InvalidCall);
    if (s.isEmpty() || start > s.size())
        return 0;
    if (find.isEmpty())
        return start;
    return int(indexIn(s, find, start - 1)) + 1;
}

int InStrRev(const QString &s, const QString &find, int start)
{
    if (start == 0 || start < -1)
        raise(InvalidCall);
    if (start == -1)
        start = int(s.size());
    if (s.isEmpty() || start > s.size())
        return 0;
    if (find.isEmpty())
        return start;
    if (find.size() > start)
        return 0;
    return int(s.lastIndexOf(find, start - find.size())) + 1;
}

QString Mid(const QString &s, int start, int length)
{
    if (start < 1 || length < 0)
        raise(InvalidCall);
    if (start > s.size())
        return QString();
    return s.mid(start - 1, length);
}

QString Mid(const QString &s, int start)
{
    if (start < 1)
        raise(InvalidCall);
    if (start > s.size())
        return QString();
    return s.mid(start - 1);
}

QString Left(const QString &s, int n)
{
    if (n < 0)
        raise(InvalidCall);
    return s.left(n);
}

QString Right(const QString &s, int n)
{
    if (n < 0)
        raise(InvalidCall);
    return s.right(n);
}

QString Replace(const QString &s, const QString &find, const QString &with)
{
    if (find.isEmpty())
        return s;
    QString out = s;
    return out.replace(find, with, Qt::CaseSensitive);
}

QString LTrim(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString &s)
{
    // One cut for both ends; a text of blanks only goes the long way.
    qsizetype first = 0, end = s.size();
    while (end > 0 && s.at(end - 1) == QLatin1Char(' '))
        --end;
    while (first < end && s.at(first) == QLatin1Char(' '))
        ++first;
    if (first == end)
        return LTrim(RTrim(s));
    return first == 0 && end == s.size() ? s : s.sliced(first, end - first);
}

QStringList Split(const QString &s, const QString &delimiter)
{
    if (s.isEmpty())
        return {};
    if (delimiter.isEmpty())
        return {s};
    return s.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

double Val(const QString &s)
{
    // Drop the blanks first: "1 234" reads as 1234.
    QString t;
    t.reserve(s.size());
    for (QChar c : s)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            t.append(c);

    auto isDigit = [&](qsizetype i) { return i < t.size() && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9'); };
    qsizetype i = 0;
    QString number;
    if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
        number.append(t.at(i++));
    bool digits = false;
    while (isDigit(i)) {
        number.append(t.at(i++));
        digits = true;
    }
    if (i < t.size() && t.at(i) == QLatin1Char('.')) {
        number.append(t.at(i++));
        while (isDigit(i)) {
            number.append(t.at(i++));
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // An exponent counts only when a digit follows it.
    if (i < t.size() && QStringLiteral("EeDd").contains(t.at(i))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < t.size() && (t.at(j) == QLatin1Char('+') || t.at(j) == QLatin1Char('-')))
            exponent.append(t.at(j++));
        if (isDigit(j)) {
            while (isDigit(j))
                exponent.append(t.at(j++));
            number.append(exponent);
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return value;
}

// The whole number of a numeric text, rounded half to even; raises 13 or 6.
static double wholeNumber(const QString &s, double low, double high)
{
    bool ok = false;
    const double value = Trim(s).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        raise(TypeMismatch);
    const double rounded = std::nearbyint(value); // the default mode rounds half to even
    if (rounded < low || rounded > high)
        raise(Overflow);
    return rounded;
}

qint32 CLng(const QString &s)
{
    return qint32(wholeNumber(s, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint16 CInt(const QString &s)
{
    return qint16(wholeNumber(s, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

} // namespace vb
