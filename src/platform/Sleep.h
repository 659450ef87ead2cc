#pragma once

#include <functional>

// A wait that blocks the calling thread without running events (the splash
// delay, the first-run pause). Tests replace it to record waits instead of
// spending them.
void Sleep(int milliseconds);
// Installs a replacement (an empty function restores the real wait).
void setSleepHandler(std::function<void(int)> handler);

// Lets pending events run, as a long operation does between its steps.
void DoEvents();
