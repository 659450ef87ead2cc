#include "support/MailServer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

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

// Reads every message of the mailbox's "new" folder, oldest first, as a
// mail reader does, and prints one JSON object per line.
const char *const ReadBack = R"(
import email, email.header, email.policy, json, os, sys
folder = os.path.join(sys.argv[1], 'new')
names = sorted(os.listdir(folder), key=lambda n: os.path.getmtime(os.path.join(folder, n)))
for name in names:
    raw = open(os.path.join(folder, name), 'rb').read()
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    shown = lambda v: str(email.header.make_header(email.header.decode_header(v)))
    print(json.dumps({
        'headers': [[k, shown(v)] for k, v in email.message_from_bytes(raw).items()],
        'body': msg.get_content(),
        'charset': msg.get_content_charset() or '',
        'longestLine': max(len(l) for l in raw.split(b'\n')),
    }))
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

QList<QJsonObject> MailServer::readBack() const
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QLatin1String(ReadBack), m_box.path() + QStringLiteral("/mail")});
    QList<QJsonObject> out;
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        python.kill();
        python.waitForFinished(5000);
        return out;
    }
    for (const QByteArray &line : python.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            out << QJsonDocument::fromJson(line).object();
    return out;
}
