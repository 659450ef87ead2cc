#include "platform/PathResolver.h"

#include <QDir>
#include <QFileInfo>

QString resolvePath(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString current = absolute ? QStringLiteral("/") : QString();
    bool onDisk = true; // the folder built so far exists, so its entries can be listed
    for (const QString &part : parts) {
        QString name = part;
        if (onDisk && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QString here = current.isEmpty() ? QStringLiteral(".") : current;
            if (!QFileInfo::exists(here + QLatin1Char('/') + part)) {
                const QStringList entries =
                    QDir(here).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
                name.clear();
                for (const QString &e : entries) {
                    if (e.compare(part, Qt::CaseInsensitive) == 0) {
                        name = e;
                        break;
                    }
                }
                if (name.isEmpty()) {
                    name = part;
                    onDisk = false;
                }
            }
        }
        if (!current.isEmpty() && !current.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
        current += name;
    }
    if (current.isEmpty() && absolute)
        current = QStringLiteral("/");
    return current;
}
