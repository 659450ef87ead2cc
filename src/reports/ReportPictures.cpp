#include "reports/ReportPictures.h"

#include "core/DataDir.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"

#include <QFile>
#include <QFileInfo>

void InstallReportPictures()
{
    for (const char *name : {"up.gif", "dn.gif", "bar.jpg", "gmb.jpg"}) {
        const QString target = resolvePath(DataDir + QLatin1Char('\\') + QLatin1String(name));
        if (QFileInfo::exists(target))
            continue;
        QFile picture(QStringLiteral(":/report/") + QLatin1String(name));
        // A picture that cannot be written leaves the page without it; the
        // report itself is written all the same.
        if (picture.open(QIODevice::ReadOnly))
            saveFileAtomically(target, picture.readAll());
    }
}
