#pragma once

#include <QString>

// The quarterly-reports sheet of the current symbol (key "QR") from its
// cached filings page "<symbol>_qr.Sh": date, form (a link whose address
// stays in the hidden column 4) and description of each filing.
void FG_QR();

// The cached filings page (from "Sort By" on, say) with its tags in one
// case, every colon separating cells (so a time of day takes two), and a
// link read afterwards as an empty tag, the quoted address and its text.
QString filingsText(const QString &part);
