#pragma once

// The quarterly-reports sheet of the current symbol (key "QR") from its
// cached filings page "<symbol>_qr.Sh": date, form (a link whose address
// stays in the hidden column 4) and description of each filing.
void FG_QR();
