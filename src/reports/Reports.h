#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// The HTML reports of the sheet shown and the export of the stock set. One
// object serves one menu command and keeps nothing between calls. Every
// report is read from the page cache (or from the stock set), written whole
// under "<DataDir>\Cache\Reports" as 8-bit text and handed to the browser.
class Reports
{
public:
    void H_ABS(const QString &Symbol);
    void H_Calls(const QString &Symbol);
    void H_Puts(const QString &Symbol);
    void H_SP();
    void H_IT(const QString &Symbol);
    void H_AIS(const QString &Symbol);
    void H_EC(const QString &Symbol);
    void H_ER(const QString &Symbol);
    void H_EH(const QString &Symbol);
    void H_EG(const QString &Symbol);
    void H_Current();
    void H_Los();
    void H_QR(const QString &Symbol);
    void H_Downgrade();
    // Writes the stock set in layout `Format` (0 tab, 1 comma, ... 15 XML).
    void Export(short Format);
    void H_SI(const QString &Symbol);

    // The page head: "<HTML>" .. the sub-title line.
    static QString PageHead(const QString &BgColor, const QString &Title, const QString &SubTitle);
    // The opening table tag with the attributes that are given.
    static QString TableHead(const QString &Border, const QString &CellSpacing, const QString &CellPadding,
                             const QString &Width, const QString &Height);
};

// The "HTML" item of the report menus: the quote table for the price sheet,
// then, when a symbol is given, the report of the symbol's sheet with this
// key (none for a key without one).
void ReportSheet(QString sheetKey, QString symbol);

// The time the reports' footers and the export's date lines carry; tests fix it.
QDateTime reportClock();
void setReportClock(std::function<QDateTime()> clock);
