#pragma once

#include <functional>

// A wait that blocks the calling thread without running events (the splash
// delay, the first-run pause). Tests replace it to record waits instead of
// spending them.
void Sleep(int milliseconds);
// A wait during which the windows on screen keep being painted while the
// user's input waits until it ends (the splash delay: the splash shows its
// picture and progress, the program takes no clicks). Tests replace it with
// the same handler as Sleep.
void PaintedSleep(int milliseconds);
// Installs a replacement of both waits (an empty function restores the
// real ones).
void setSleepHandler(std::function<void(int)> handler);

// Lets pending events run, as a long operation does between its steps.
void DoEvents();

// The program is ending (the user quit): the event loop no longer waits for
// events, so every wait that runs it ends at once instead of spinning to
// its time limit, and a transfer under way is given up.
void setProgramEnding(bool ending);
bool programEnding();
