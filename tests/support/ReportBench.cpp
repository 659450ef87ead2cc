#include "support/ReportBench.h"

#include "core/SharedState.h"
#include "platform/UrlOpener.h"
#include "reports/Reports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

ReportBench::ReportBench()
{
    addStock(0, QStringLiteral("ACME"), QStringLiteral("Acme Widgets Inc"));
    CurSymbol = QStringLiteral("ACME");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setReportClock([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 30)); });
    setUrlOpenerHandler([this](const QUrl &u) {
        opened << u.toLocalFile();
        return true;
    });
}

ReportBench::~ReportBench()
{
    setUrlOpenerHandler({});
    setReportClock({});
}

QStringList picturesOfPage(const QString &pageFile)
{
    QFile f(pageFile);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString page = QString::fromLatin1(f.readAll());
    const QDir folder = QFileInfo(pageFile).absoluteDir();
    QStringList pictures;
    static const QRegularExpression address(QStringLiteral(R"re((?:src|background)="([^"]+)")re"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (auto it = address.globalMatch(page); it.hasNext();)
        pictures << QDir::cleanPath(folder.absoluteFilePath(it.next().captured(1)));
    return pictures;
}
