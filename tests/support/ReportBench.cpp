#include "support/ReportBench.h"

#include "core/SharedState.h"
#include "platform/UrlOpener.h"
#include "reports/Reports.h"

#include <QLocale>

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
