#pragma once

// Four sheets of the current stock cut from its cached earnings page
// "<symbol>_ee.Sh": growth ("EG"), history ("EH"), estimates ("ER") and
// the consensus EPS trend ("EC"). The values fill a block column by
// column; they always draw into the main grid.
void FG_EG();
void FG_EH();
void FG_ER();
void FG_EC();
