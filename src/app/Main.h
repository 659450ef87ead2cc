#pragma once

// The program's start: refuses a second copy, shows the splash, runs the
// first-run set-up, reads the stock set and the portfolio and opens the main
// window. Returns false when another copy already runs (the caller ends
// at once, showing nothing).
bool Main();

// Releases what Main holds (the single-copy lock); for tests.
void resetMain();
