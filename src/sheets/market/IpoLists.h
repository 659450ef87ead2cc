#pragma once

#include <QList>
#include <QString>

// The finance portal's IPO pages that are not one plain table: the latest
// events ("IPO_Last", three sections in one grid), the IPO news
// ("IPO_News", one headline a row with its article path in the hidden
// column 4) and the withdrawn offerings ("IPO_With").
void Update_IPO_Last();
void Update_IPO_News();
void Update_IPO_With();

void FG_IPO_Last();
void FG_IPO_News();
void FG_IPO_With();

// The news items of a cleaned page: each "<li>" up to the next one, or up
// to the end of its list for the last.
QList<QString> ipoNewsItems(const QString &page);
