#pragma once

#include <QString>
#include <QVariant>
#include <functional>

// The one-page HTML summary of the selected stock: profile and chart, the
// analysts' recommendation, the latest prices and up to sixteen tables cut
// from the stock's cached pages, each section switched by its flag (1 on).
// Written under "<DataDir>\Cache\Reports\Summary" and opened in the browser.
class Summery
{
public:
    // Writes and opens the page. False, after saying so, when the page could
    // not be written (nothing is opened then).
    bool GanarateHTML(quint8 Pr, quint8 AR, quint8 LP, quint8 HAbs, quint8 Ais, quint8 Eg, quint8 EH, quint8 EE,
                      quint8 EC, quint8 IT, quint8 sp, quint8 UP, quint8 Dow, quint8 MOM, quint8 BR, quint8 Calls,
                      quint8 Puts, quint8 QR, quint8 SI);

    // Where each section says what it is doing (the options form's status line).
    std::function<void(const QString &)> progress;
};
