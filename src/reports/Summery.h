#pragma once

#include <QString>
#include <QVariant>
#include <functional>

// The one-page HTML summary of the selected stock: profile and chart, the
// analysts' recommendation, the latest prices and up to sixteen tables cut
// from the stock's cached pages, each section switched by its flag (1 on).
// Written under "<DataDir>\Cache\Reports\Summary" and opened in the browser.
//
// Every section builder reads one cached page of CurSymbol, says what it is
// doing through `progress`, and returns its text; a page or marker that is
// missing gives an empty section or a no-data line, never a failed page.
class Summery
{
public:
    // Writes and opens the page. False, after saying so, when the page could
    // not be written (nothing is opened then).
    bool GanarateHTML(quint8 Pr, quint8 AR, quint8 LP, quint8 HAbs, quint8 Ais, quint8 Eg, quint8 EH, quint8 EE,
                      quint8 EC, quint8 IT, quint8 sp, quint8 UP, quint8 Dow, quint8 MOM, quint8 BR, quint8 Calls,
                      quint8 Puts, quint8 QR, quint8 SI);

    // Rows of the call and put halves of the cached option chain.
    QString S_Calls();
    QString S_Puts();
    // Rows of the cached earnings page: the consensus EPS trend, insider
    // trades, the estimates, the history and the growth.
    QString S_EC();
    QString S_IT();
    QString S_EE();
    QString S_EH();
    QString S_EG();

    // "<TABLE WIDTH=.. BORDER=.. CELLSPACING=.. CELLPADDING=..>".
    QString Table(const QString &Width, const QString &Border, const QString &CELLSPACING, const QString &CELLPADDING);
    // One titled section around its rows.
    QString Table1(const QString &Headline, const QString &Data);
    // The "Latest Prices" block of the selected stock's own record; "" when
    // the stock is not in the set.
    QVariant TablePrice();
    // One row of two caption and value pairs.
    QVariant RowPrice(const QString &Caption1, const QString &Data1, const QString &Caption2, const QString &Data2);

    // Rows of the cached filings list and short-interest page.
    QString S_QR();
    QString S_SI();

    // Where each section says what it is doing (the options form's status line).
    std::function<void(const QString &)> progress;

private:
    QString S_ABS();
    QString S_AIS();
    QString S_PR();
    QString S_SP();
    QString S_UP();
    QString S_MOM();
    QString S_DOW();
    QString S_BR();
    QString S_AR();
    QVariant S_ARScale();
    QString S_Chart();

    // What the section builders share.
    struct NoMarker {}; // a marker the section needs is not on the page
    // 1-based position of `what` at or after start; NoMarker when absent
    // (or when start is 0, the position of an earlier failed search).
    static qsizetype need(const QString &text, const QString &what, qsizetype start = 1);
    // The builder's text, or `failed` when a marker was missing.
    static QString orElse(const std::function<QString()> &build, const QString &failed);
    // Says `doing`, reads CurSymbol's cached page and lets events run.
    QString cachePage(const QString &doing, const QString &suffix, bool events = true) const;

    // A section's rows: each source row appends the buffer (its cells)
    // and the row's close to the result; the buffer then starts again.
    struct Rows
    {
        QString out;
        QString buf;
        QString restart = QStringLiteral("<tr>\r\n");
        void cell(const QString &open, const QString &text, const QString &close);
        void end(const QString &close = QStringLiteral("</tr>"));
    };
    // The buffer of a section with a heading row: "<TR>", the heading
    // cells, "</TR>", then the first row's "<TR>".
    static QString headingRow(const QStringList &cells, const QString &open = QStringLiteral("<TR>"));

    void say(const QString &text) const;
};
