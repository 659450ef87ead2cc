#pragma once

// The font configuration (every configuration file of the system's font
// service, read and parsed once per process) is the longest single step
// before the first text can be drawn. startFontWarmup() reads it on a worker
// thread while the application object is made; finishFontWarmup() waits for
// that thread. Call both from one thread (or finish from the one thread that
// draws first); either may be called more than once. Without the font
// service's library they do nothing.
void startFontWarmup();
void finishFontWarmup();
