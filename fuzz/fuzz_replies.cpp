// The stored adviser tip, FTP server replies and the text of mail and news
// articles, from any bytes.
#include "FuzzProfile.h"
#include "services/Adviser.h"
#include "services/FtpDownload.h"
#include "services/MimeText.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzProgramFolder();
    const QByteArray bytes = fuzzBytes(data, size);
    (void)cutTip(QString::fromLatin1(bytes));
    // The replies arrive in two pieces cut at the first byte's value.
    const qsizetype cut = size ? qsizetype(data[0]) % (bytes.size() + 1) : 0;
    QByteArray pending = bytes.left(cut);
    QString openCode;
    (void)takeFtpReplies(pending, openCode);
    pending += bytes.mid(cut);
    for (const FtpReply &r : takeFtpReplies(pending, openCode))
        if (r.code < 0 || r.code > 999)
            __builtin_trap();

    // Article headers and bodies as they come; typed text there and back.
    const QString raw = QString::fromLatin1(bytes);
    (void)decodeHeaderText(raw);
    (void)decodeBody(raw, QStringLiteral("text/plain; charset=windows-1252"), QStringLiteral("base64"));
    (void)charsetOf(raw);
    const QString typed = QString::fromUtf8(bytes);
    QString expected = typed;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray wire = quotedPrintable(typed);
    for (const QByteArray &line : wire.split('\n'))
        if (line.size() > 77)
            __builtin_trap();
    if (decodeBody(QString::fromLatin1(wire), QStringLiteral("text/plain; charset=UTF-8"),
                   QStringLiteral("quoted-printable"))
        != expected)
        __builtin_trap();
    // Text beyond ASCII goes wholly as encoded words, and comes back whole.
    const bool ascii = std::all_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.unicode() < 128; });
    if (!ascii
        && decodeHeaderText(QString::fromLatin1(headerValue(typed)))
               != QString(typed).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')))
        __builtin_trap();
    return 0;
}
