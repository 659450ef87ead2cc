// The Reports menu: the HTML report of the sheet shown and the exports of
// the stock set.
#include "mainwindow/ui/frmMain.h"

#include "core/SharedState.h"
#include "reports/Reports.h"

#include <QAction>
#include <QMenu>

void frmMain::createReportsMenu()
{
    const char *const captions[] = {"HTML", "Tab Delimited Text", "Comma Delimited Text", "Quicken Pre 5.0",
                                    "Quicken  5.0 Or Later", "MetaStock", "Quote Link", "Prodigy Quotetrack", "Excel",
                                    "Microsoft Money", "Access ", "Word", "Oracle", "SQL Server", "Microsoft Mail",
                                    "Clipboard", "XML"};
    mnuReports = new QMenu(QStringLiteral("Reports"), this);
    for (int i = 0; i < 17; ++i) {
        QAction *a = mnuReports->addAction(QString::fromLatin1(captions[i]));
        a->setEnabled(i == 16);
        connect(a, &QAction::triggered, this, [this, i] { mnuReport_Click(i); });
        mnuReport << a;
    }
    connect(mnuReports, &QMenu::aboutToShow, this, &frmMain::mnuReports_Click);
}

void frmMain::mnuReports_Click()
{
    static const QStringList symbolSheets = {"ABS", "AIS", "QR", "IT", "EC", "ER", "EH", "EG", "Call", "Put", "SI"};
    for (int i = 0; i < mnuReport.size(); ++i) {
        bool on = false;
        if (CurType == QLatin1String("Current"))
            on = i <= 8 || i == 15 || i == 16;
        else if (symbolSheets.contains(CurType))
            on = i == 0;
        mnuReport[i]->setEnabled(on);
    }
}

void frmMain::mnuReport_Click(int Index)
{
    if (Index >= 1 && Index <= 16)
        Reports().Export(short(Index - 1));
    else if (Index == 0)
        ReportSheet(CurType, CurSymbol); // by value: a selection made meanwhile is not followed
}
