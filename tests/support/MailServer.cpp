#include "support/MailServer.h"

#include <QDir>
#include <QFile>

namespace {

// aiosmtpd's own server with its Mailbox handler, as "python3 -m aiosmtpd
// -c aiosmtpd.handlers.Mailbox" runs it, on the socket made ready.
const char *const Script = R"(
import asyncio
from aiosmtpd.handlers import Mailbox
from aiosmtpd.smtp import SMTP
handler = Mailbox(sys.argv[1])
loop = asyncio.new_event_loop()
loop.run_until_complete(loop.create_server(lambda: SMTP(handler), sock=sock))
ready()
loop.run_forever()
)";

} // namespace

ServerStart MailServer::start(QString *why)
{
    return startPython(QStringLiteral("aiosmtpd"), QStringLiteral("python3-aiosmtpd"), QLatin1String(Script),
                       {m_box.path() + QStringLiteral("/mail")}, why);
}

QStringList MailServer::messages() const
{
    QStringList out;
    const QDir dir(m_box.path() + QStringLiteral("/mail/new"));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Time | QDir::Reversed)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            out << QString::fromLatin1(f.readAll());
    }
    return out;
}
