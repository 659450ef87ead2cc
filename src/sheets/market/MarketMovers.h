#pragma once

#include <QString>

// The broker's percentage winners or losers ("mwwinners.Sh" or
// "mwlosers.Sh", key "WINLOS"): three exchange blocks, each under its
// title; and the research site's top 25 earnings surprises ("25_surp.Sh",
// key "SUP").
void FG_WinLos(const QString &FileName);
void FG_Surp();
