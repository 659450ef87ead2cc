#pragma once

#include <QString>

// While a batch Update runs, its fetches write each stock's quote into the
// current set's records and the last sale into the portfolio's trades, and
// they find their records again after every wait. Nothing else may add,
// move or remove a record meanwhile: every such change asks here first.

// Set by the run from its first step to its last (also while a stopped
// run passes its remaining boxes).
void setUpdateRunning(bool running);
bool updateRunning();

// What the user is told when a change waits for the run's end.
QString updateRunningMessage();
inline constexpr const char *UpdateRunningTitle = "Update running";

// "" when no run is under way; otherwise the message above, for callers
// that report failures as text.
QString refusalWhileUpdating();
// When a run is under way, tells the user so in a box and answers true:
// the caller then changes nothing.
bool refusedWhileUpdating();
