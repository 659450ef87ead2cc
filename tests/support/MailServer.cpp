#include "support/MailServer.h"

#include <QDir>
#include <QFile>

bool MailServer::start(QString *why)
{
    const QString box = m_box.path() + QStringLiteral("/mail");
    return startPython(
        [box](int port) {
            return QStringList{QStringLiteral("-m"), QStringLiteral("aiosmtpd"), QStringLiteral("-n"),
                               QStringLiteral("-l"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("-c"),
                               QStringLiteral("aiosmtpd.handlers.Mailbox"), box};
        },
        QStringLiteral("python3-aiosmtpd"), why);
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
