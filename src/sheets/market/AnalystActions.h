#pragma once

// The day's analyst actions, three sheets cut from one cached portal page
// ("UpDown.Sh") by their headings: upgrades ("Upgrade"), downgrades
// ("Downgrade") and coverage initiated ("Coverage").
void FG_Upgrades();
void FG_Downgrades();
void FG_Coverage();
