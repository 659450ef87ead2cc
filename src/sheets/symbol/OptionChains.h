#pragma once

// The current stock's option chain from the comma-separated file
// "<symbol>_op.Sh": the calls ("Call"), the puts ("Put") and both side by
// side ("Options"); one strike a line, the option's exchange code in
// parentheses.
void FG_Calls();
void FG_Puts();
void FG_Options();
