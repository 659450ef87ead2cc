#pragma once

#include <QString>
#include <functional>

// Minutes counted since the last automatic run.
extern short TimerCount;

// One tick (a minute) of the auto-update timer. updateCaption is the
// toolbar's first caption ("Stop" while a run is active); pressUpdate
// presses that button, which runs a whole update and returns after it.
void AutoUpdateTick(const QString &updateCaption, const std::function<bool()> &checkConnection,
                    const std::function<void()> &pressUpdate);

// The caption's countdown text after the base caption.
QString autoUpdateCaption(short interval, short count);
