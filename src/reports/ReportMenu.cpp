#include "reports/Reports.h"

#include <QHash>

void ReportSheet(QString sheetKey, QString symbol)
{
    Reports report;
    if (sheetKey == QLatin1String("Current"))
        report.H_Current();
    if (symbol.isEmpty())
        return;
    using Member = void (Reports::*)(const QString &);
    static const QHash<QString, Member> members = {
        {"AIS", &Reports::H_AIS}, {"ABS", &Reports::H_ABS}, {"Call", &Reports::H_Calls}, {"Put", &Reports::H_Puts},
        {"IT", &Reports::H_IT},   {"EC", &Reports::H_EC},   {"ER", &Reports::H_ER},     {"EH", &Reports::H_EH},
        {"EG", &Reports::H_EG},   {"QR", &Reports::H_QR},   {"SI", &Reports::H_SI}};
    if (const auto member = members.value(sheetKey))
        (report.*member)(symbol);
}
