#pragma once

// The market-list chooser: list index 0 to 30 moves the check mark of the
// main window's "Consultation" menu (items 0 to 15; other indexes leave
// none checked) and shows the list's sheet: the price sheet, the
// surprises, winners, losers, analyst actions or a big-movers list.
void ShowConsultation(short Index);

// The cache file of a big-movers index (4 to 10, 14 to 30); "" for others.
const char *consultationFile(short Index);
