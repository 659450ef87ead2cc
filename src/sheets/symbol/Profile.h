#pragma once

#include <QString>

// A company's short description from the company-profile site, cached per
// stock as "<symbol>_P.Sh": fetched in the update run, shown as the
// profile sheet ("Profile") and as the tree's tooltip.
void Update_Profile();
void FG_Profile();
// The description of the current stock's cached profile, on one line;
// "" without a stock, a file or a description. Kept per stock until its
// file changes.
QString GetProfileText();
