#include "services/MimeText.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

const char Hex[] = "0123456789ABCDEF";

bool isAscii(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 127)
            return false;
    return true;
}

// Line ends of any kind as LF.
QString withLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The characters 0x80-0x9F of Windows-1252 (0 where it has none).
const char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Quoted-printable back to bytes; underscoreIsBlank for encoded words.
QByteArray fromQuotedPrintable(const QByteArray &in, bool underscoreIsBlank)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '_' && underscoreIsBlank) {
            out += ' ';
        } else if (c != '=') {
            out += c;
        } else if (i + 2 < in.size() && hexValue(in[i + 1]) >= 0 && hexValue(in[i + 2]) >= 0) {
            out += char(hexValue(in[i + 1]) * 16 + hexValue(in[i + 2]));
            i += 2;
        } else if (i + 1 < in.size() && (in[i + 1] == '\n' || in[i + 1] == '\r')) {
            // A soft line break: "=" and the line end go.
            i += (in[i + 1] == '\r' && i + 2 < in.size() && in[i + 2] == '\n') ? 2 : 1;
        } else if (i + 1 == in.size()) {
            // "=" at the very end: a soft break with its line end cut off.
        } else {
            out += c; // not an escape: kept as it came
        }
    }
    return out;
}

} // namespace

bool plainAsciiFits(const QString &text)
{
    if (!isAscii(text))
        return false;
    for (const QString &line : withLf(text).split(QLatin1Char('\n')))
        if (line.size() > MaxMailLineOctets)
            return false;
    return true;
}

QByteArray quotedPrintable(const QString &text)
{
    QByteArray out;
    const QStringList lines = withLf(text).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (n > 0)
            out += "\r\n";
        const QByteArray bytes = lines[n].toUtf8();
        int column = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const uchar b = uchar(bytes[i]);
            const bool last = i + 1 == bytes.size();
            // A blank at a line's end would be lost on the way: it is escaped.
            const bool literal = (b >= 33 && b <= 126 && b != '=') || ((b == ' ' || b == '\t') && !last);
            const int width = literal ? 1 : 3;
            // Room is kept for the soft break's "=" unless this ends the line.
            if (column + width > (last ? 76 : 75)) {
                out += "=\r\n";
                column = 0;
            }
            if (literal) {
                out += char(b);
            } else {
                out += '=';
                out += Hex[b >> 4];
                out += Hex[b & 15];
            }
            column += width;
        }
    }
    return out;
}

QByteArray headerValue(const QString &value)
{
    QString text = value;
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    // "Subject: " and the like stand before it: a plain value stays well
    // inside the line limit.
    if (isAscii(text) && text.size() <= MaxMailLineOctets - 40)
        return text.toLatin1();
    // Whole characters per word: 45 bytes make 60 base64 characters, and
    // "=?UTF-8?B?" with "?=" brings a word to 72.
    QByteArray out;
    QByteArray chunk;
    const auto flush = [&] {
        if (chunk.isEmpty())
            return;
        if (!out.isEmpty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray one = text.mid(i, width).toUtf8();
        if (chunk.size() + one.size() > 45)
            flush();
        chunk += one;
        i += width - 1;
    }
    flush();
    return out;
}

QString decodeCharset(const QByteArray &bytes, const QString &charset)
{
    const QString name = charset.trimmed().toLower();
    if (name == QLatin1String("utf-8") || name == QLatin1String("utf8")) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return utf8(bytes);
    }
    if (name == QLatin1String("windows-1252") || name == QLatin1String("cp1252")) {
        QString out;
        out.reserve(bytes.size());
        for (char c : bytes) {
            const uchar b = uchar(c);
            out += QChar(b >= 0x80 && b < 0xA0 && Cp1252High[b - 0x80] ? Cp1252High[b - 0x80] : char16_t(b));
        }
        return out;
    }
    return QString::fromLatin1(bytes);
}

QString charsetOf(const QString &contentType)
{
    static const QRegularExpression param(QStringLiteral("(?:^|;)\\s*charset\\s*=\\s*\"?([^\";\\s]+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    return param.match(contentType).captured(1).toLower();
}

QString decodeHeaderText(const QString &raw)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?\\s]+)\\?([BbQq])\\?([^?\\s]*)\\?="));
    // Outside the encoded words: UTF-8 when the bytes are UTF-8.
    const auto plain = [](const QString &text) {
        const QByteArray bytes = text.toLatin1();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString asUtf8 = utf8(bytes);
        return utf8.hasError() ? text : asUtf8;
    };
    QString out;
    qsizetype at = 0;
    bool afterWord = false;
    for (QRegularExpressionMatchIterator it = word.globalMatch(raw); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString between = raw.mid(at, m.capturedStart() - at);
        // Blanks between two encoded words are not part of the text.
        if (!(afterWord && between.trimmed().isEmpty()))
            out += plain(between);
        const QByteArray payload = m.captured(3).toLatin1();
        const QByteArray bytes = m.captured(2).compare(QLatin1String("B"), Qt::CaseInsensitive) == 0
                                     ? QByteArray::fromBase64(payload)
                                     : fromQuotedPrintable(payload, true);
        // "charset*language" names a language after the star.
        out += decodeCharset(bytes, m.captured(1).section(QLatin1Char('*'), 0, 0));
        at = m.capturedEnd();
        afterWord = true;
    }
    out += plain(raw.mid(at));
    return out;
}

QString decodeBody(const QString &raw, const QString &contentType, const QString &transferEncoding)
{
    const QString coding = transferEncoding.trimmed().toLower();
    QByteArray bytes = raw.toLatin1();
    if (coding == QLatin1String("quoted-printable"))
        bytes = fromQuotedPrintable(bytes, false);
    else if (coding == QLatin1String("base64"))
        bytes = QByteArray::fromBase64(bytes);
    return decodeCharset(bytes, charsetOf(contentType));
}
