#pragma once

#include "support/SheetBench.h"

#include <QStringList>

// What the report, summary and export tests stand on: a sheet bench with
// ACME ("Acme Widgets Inc") selected, the reports' clock fixed at
// 9 December 2026 10:30 in US English, and the browser replaced by a list
// of the local files handed to it. Everything is put back afterwards.
class ReportBench : public SheetBench
{
public:
    ReportBench();
    ~ReportBench();

    QStringList opened;
};

// The pictures a written page shows (each "src" and "background" address,
// taken relative to the page's folder), as absolute paths in page order.
QStringList picturesOfPage(const QString &pageFile);
