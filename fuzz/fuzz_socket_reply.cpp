// What a server sends back to the socket fetch, whole or cut, and the
// settings file as anybody may have edited it.
#include "FuzzProfile.h"
#include "core/Registry.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString dir = fuzzProgramFolder();
    const QByteArray bytes = fuzzBytes(data, size);
    if (size && data[0] % 2) {
        // The reply as the socket gathered it; the page is written only
        // when it is a whole 200 reply.
        const QString page = dir + QStringLiteral("/Cache/DataSheet/X_sp.Sh");
        fuzzWrite(page, "old page");
        WsFile = page;
        WsUrl = QStringLiteral("http://127.0.0.1/x");
        WsBuffer = QString::fromLatin1(bytes);
        Winsock1_Close();
        FailedFetches.clear();
        return 0;
    }
    // A settings file of any content, read as the program reads it.
    const QString conf = dir + QStringLiteral("/config/Pellor/Brindlewick5.conf");
    QDir().mkpath(dir + QStringLiteral("/config/Pellor"));
    fuzzWrite(conf, bytes);
    for (const char *name : {"LastGroup", "AutoUpdate", "SplashDelay", "LastTreePos", "Fractions", "ProxyE"}) {
        (void)QuerySetting(QLatin1String(name)).toDouble();
        (void)QuerySettingInRange(QLatin1String(name), 0, 20, 5);
    }
    return 0;
}
