// The stored adviser tip and FTP server replies, from any bytes.
#include "FuzzProfile.h"
#include "services/Adviser.h"
#include "services/FtpDownload.h"

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
    return 0;
}
