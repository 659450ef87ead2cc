#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text as mail and news carry it: the forms a plain-text message needs
// beyond ASCII (UTF-8 sent quoted-printable, header words encoded), and
// the reading back of what other programs send.

// The longest line a mail may carry on the wire, its CR LF not counted.
inline constexpr int MaxMailLineOctets = 998;

// True when the text can go as it is: ASCII only and no line longer than
// MaxMailLineOctets (lines end at CR, LF or CR LF).
bool plainAsciiFits(const QString &text);

// The UTF-8 bytes of text, quoted-printable: lines of at most 76
// characters (soft breaks "=" where a line is longer), line ends CR LF.
QByteArray quotedPrintable(const QString &text);

// A header value: as it is when plainAsciiFits, otherwise UTF-8 encoded
// words ("=?UTF-8?B?...?="), each at most 75 characters, folded onto
// lines of their own. Line breaks in the value are dropped first.
QByteArray headerValue(const QString &value);

// Header text as received (one byte a character): its encoded words
// decoded; bytes outside them read as UTF-8 when they are valid UTF-8,
// else as Latin-1.
QString decodeHeaderText(const QString &raw);

// The charset parameter of a Content-Type value, lower case ("" when none).
QString charsetOf(const QString &contentType);

// A body as received (one byte a character) in its declared transfer
// encoding (quoted-printable, base64, or none) and charset (Latin-1 when
// none or not known here).
QString decodeBody(const QString &raw, const QString &contentType, const QString &transferEncoding);

// Bytes in a named charset; Latin-1 for a charset not known here.
QString decodeCharset(const QByteArray &bytes, const QString &charset);
