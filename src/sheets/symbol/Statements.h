#pragma once

// The current stock's annual statements as the research site prints them:
// the balance sheet ("ABS", "<symbol>_Abs.Sh") and the income statement
// ("AIS", "<symbol>_Ais.Sh"), six columns, formatted by fixed rows.
void FG_ABS();
void FG_AIS();
