#pragma once

#include <QString>

// State of the batch update run that every fetch routine shares.

// The main window's caption without a status text; statuses are shown as
// BaseCaption, four blanks and the status.
extern QString BaseCaption;
// True once a run has ended or Stop was asked; false at start and during a run.
extern bool StopFlag;
// Ticked categories of the current run not yet done.
extern short TasksLeft;

// The next run covers the selected stock only (reset at the end of a run).
extern bool UpdateSelectedOnly;

void resetRunState();
