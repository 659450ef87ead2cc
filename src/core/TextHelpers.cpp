#include "core/TextHelpers.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/ErrorLog.h"
#include "core/ReplaceChain.h"
#include "core/VbString.h"
#include "platform/Latin1File.h"

#include <QLocale>
#include <QVarLengthArray>

#include <cmath>

namespace {

// value with the given decimals in the locale's notation, rounded half away
// from zero as a decimal number would be (0.125 gives 0.13).
QString formatNumber(double value, int decimals, bool groupThousands)
{
    const QLocale locale;
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::fabs(value) * scale;
    // The small nudge lets a binary value just under a decimal tie round up.
    const qint64 units = qint64(std::floor(scaled + 0.5 + scaled * 1e-12));
    const qint64 whole = units / qint64(scale);
    const qint64 fraction = units % qint64(scale);

    QString digits = QString::number(whole);
    if (groupThousands)
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, locale.groupSeparator());
    QString text = digits;
    if (decimals > 0)
        text += locale.decimalPoint() + QStringLiteral("%1").arg(fraction, decimals, 10, QLatin1Char('0'));
    if (value < 0 && units != 0)
        text.prepend(locale.negativeSign());
    return text;
}

qint32 ratioPart(const QString &text)
{
    return vb::CLng(text);
}

double divide(qint32 num, qint32 den)
{
    if (den == 0)
        vb::raise(vb::DivisionByZero);
    return double(num) / double(den);
}

} // namespace

QString FormatP(const QString &s, bool FourDecimals)
{
    QString result;
    try {
        const int decimals = FourDecimals ? 4 : 2;
        const QChar last = s.isEmpty() ? QChar() : s.back();
        if (s.isEmpty() || last < QLatin1Char('0') || last > QLatin1Char('9')) {
            result = QStringLiteral("0");
        } else if (const int p = vb::InStr(s, QStringLiteral("/")); p == 0) {
            result = s;
        } else {
            const qint32 den = ratioPart(vb::Mid(s, p + 1));
            const int b = vb::InStr(s, QStringLiteral(" "));
            if (b == 0) {
                const qint32 num = ratioPart(vb::Left(s, p - 1));
                result = formatNumber(divide(num, den), decimals, true);
            } else {
                // "12 3/8": the whole part, then the blank and the numerator.
                const QString wholeText = vb::Trim(vb::Left(s, b));
                const qint32 whole = ratioPart(wholeText);
                const double fraction = divide(ratioPart(vb::Mid(s, b, p - b)), den);
                // The whole part's sign covers the fraction too: "-1 3/8" is -1.375.
                const bool negative = wholeText.startsWith(QLatin1Char('-'));
                result = formatNumber(negative ? whole - fraction : whole + fraction, decimals, false);
            }
        }
        if (result.startsWith(QLatin1Char('.'))) {
            bool ok = false;
            const double value = QLocale::c().toDouble(QStringLiteral("0") + result, &ok);
            // A number too large for a price (".9E30") keeps its text.
            result = ok && std::fabs(value) < 1e15 ? formatNumber(value, 2, false) : QStringLiteral("0") + result;
        }
    } catch (const vb::Error &e) {
        ErrorTrap(e.description, float(e.number), ErrSource, QStringLiteral("Misc_FormatP"), false);
    }
    return result;
}

QString HtmlText(QString &s, bool BrToCrLf, bool AmpToChar, bool GetLink)
{
    // A fragment without the text is left as it is, with no replace pass.
    if (BrToCrLf && s.contains(QLatin1String("<br>")))
        s = vb::Replace(s, QStringLiteral("<br>"), QStringLiteral("\r\n"));
    if (AmpToChar && s.contains(QLatin1String("&amp;")))
        s = vb::Replace(s, QStringLiteral("&amp;"), QStringLiteral("&"));

    if (GetLink) {
        static const ReplaceChain forms({{QStringLiteral("A HREF"), QStringLiteral("A href")},
                                         {QStringLiteral("A Href"), QStringLiteral("A href")},
                                         {QStringLiteral("a href"), QStringLiteral("A href")}});
        const QString t = forms.apply(s);
        try {
            const int p = vb::InStr(t, QStringLiteral("<A href=\""));
            if (p > 0) {
                const int q = vb::InStr(p, t, QStringLiteral("\">"));
                // <A href=">... has no target: the cut is invalid and gives "".
                if (q > 0)
                    return vb::Mid(t, p + 9, q - p - 9);
            }
        } catch (const vb::Error &) {
        }
        return QString();
    }

    // Written into a buffer of the fragment's size, never outgrown.
    QVarLengthArray<QChar, 256> text(s.size());
    qsizetype length = 0;
    bool outsideTag = false;
    for (QChar c : std::as_const(s)) {
        if (c == QLatin1Char('<'))
            outsideTag = false;
        if (c == QLatin1Char('>'))
            outsideTag = true;
        else if (outsideTag)
            text[length++] = c;
    }
    return length ? QString(text.constData(), length) : QString();
}

QString ReadFile(const QString &path)
{
    return readLatin1File(path).value_or(QString());
}

namespace {

// "<TABLE" or "<Table" at each position of text to "<table".
void lowerTableOpenings(QString &text)
{
    const char16_t *t = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype at = 0, last = text.size() - 6; at <= last; ++at) {
        if (t[at] != u'<' || t[at + 1] != u'T')
            continue;
        const std::u16string_view rest(t + at + 2, 4);
        if (rest == u"ABLE" || rest == u"able") {
            text.replace(at + 1, 5, QStringLiteral("table"));
            t = reinterpret_cast<const char16_t *>(text.constData());
        }
    }
}

// "<table" at i as the text reads once its "<TABLE" and "<Table" are "<table".
bool tableOpensAt(QStringView text, qsizetype i)
{
    if (text.size() - i < 6 || text[i] != u'<')
        return false;
    const QStringView rest = text.sliced(i + 1, 5);
    return rest == u"table" || rest == u"TABLE" || rest == u"Table";
}

} // namespace

QString GetTable(QString &html, short n)
{
    lowerTableOpenings(html);
    return GetTableOf(html, n);
}

namespace {

// Where GetTableOf's table starts and ends in html; nothing when absent.
std::optional<std::pair<qsizetype, qsizetype>> tableSpan(QStringView html, short n)
{
    // From the nth "<table" up to the "</table" after it, each opening
    // searched from the closing before it.
    int count = 0;
    qsizetype p = -1, q = 0;
    while (count != n) {
        p = html.indexOf(u'<', q);
        while (p >= 0 && !tableOpensAt(html, p))
            p = html.indexOf(u'<', p + 1);
        if (p < 0)
            return std::nullopt;
        q = html.indexOf(u"</table", p);
        if (q < 0)
            return std::nullopt;
        ++count;
    }
    if (p < 0)
        return std::nullopt;
    return std::pair{p, q};
}

} // namespace

QString GetTableOf(QStringView html, short n)
{
    const auto span = tableSpan(html, n);
    if (!span)
        return QString();
    QString table = html.sliced(span->first, span->second - span->first).toString();
    lowerTableOpenings(table);
    return table;
}

QString GetTableOf(QString &&html, short n)
{
    const auto span = tableSpan(html, n);
    if (!span)
        return QString();
    QString table = std::move(html);
    table.truncate(span->second);
    table.remove(0, span->first);
    lowerTableOpenings(table);
    return table;
}

QString ReplaceFromArray(QString &s, const QList<Variant> &list)
{
    for (const Variant &v : list) {
        const QString text = v.toString();
        s = vb::Replace(s, text, text.toLower());
    }
    return s;
}

double NumOrZero(Variant &v)
{
    if (!v.isNumeric())
        v = Variant(0.0);
    return v.isEmpty() ? 0.0 : v.toDouble();
}

QString ReplaceInTags(QString text, const QList<std::pair<QString, QString>> &steps)
{
    const ReplaceChain chain(steps);
    if (chain.keepsLength()) {
        // Each tag changed where it stands: in one walk over the text where
        // the chain is one pass, the text itself written where no step
        // finds or writes a "<" or ">" (the tags then end where they did).
        const bool tagsStay = std::none_of(steps.cbegin(), steps.cend(), [](const auto &step) {
            const auto bracket = [](const QString &t) { return t.contains(u'<') || t.contains(u'>'); };
            return bracket(step.first) || bracket(step.second);
        });
        const auto tagEnd = [](QStringView t, qsizetype at) -> qsizetype {
            qsizetype k = at;
            while (k >= 0 && t[k] != u'<' && (k == at || t[k] != u'>'))
                --k;
            if (k < 0 || t[k] != u'<')
                return -1;
            // The tag's end is mostly a few letters on: looked for by hand
            // that far, then by the library's search.
            const qsizetype n = t.size(), near = qMin(n, at + 64);
            qsizetype close = at;
            while (close < near && t[close] != u'>')
                ++close;
            if (close == near)
                close = close < n ? t.indexOf(u'>', close) : -1;
            return close < 0 ? n : close + 1;
        };
        if (tagsStay && chain.applyWithin(text, tagEnd, true))
            return text;
        QString out = text;
        if (chain.applyWithin(out, tagEnd))
            return out;
        const char16_t *t = QStringView(text).utf16();
        QChar *data = nullptr;
        const qsizetype n = text.size();
        for (qsizetype open = 0; open < n; ++open) {
            if (t[open] != u'<')
                continue;
            qsizetype end = open + 1;
            while (end < n && t[end] != u'>')
                ++end;
            end = qMin(end + 1, n);
            if (!data)
                data = out.data();
            chain.applyInPlace(data + open, end - open);
            open = end - 1;
        }
        return out;
    }
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (qsizetype open = text.indexOf(u'<'); open >= 0; open = text.indexOf(u'<', copied)) {
        const qsizetype close = text.indexOf(u'>', open);
        const qsizetype end = close < 0 ? text.size() : close + 1;
        out.append(QStringView(text).sliced(copied, open - copied));
        chain.appendTo(out, QStringView(text).sliced(open, end - open));
        copied = end;
    }
    out.append(QStringView(text).sliced(copied));
    return out;
}

short NoOp()
{
    return 0;
}
