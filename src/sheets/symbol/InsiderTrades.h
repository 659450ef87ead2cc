#pragma once

// The insider-trades sheet of the current symbol (key "IT") from its
// cached page "<symbol>_it.Sh": one row per trade, the insider's name as a
// link whose address stays in the hidden column 1.
void FG_IT();
