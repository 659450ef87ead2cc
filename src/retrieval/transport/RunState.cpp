#include "retrieval/transport/RunState.h"

QString BaseCaption;
bool StopFlag = false;
bool UpdateSelectedOnly = false;

void resetRunState()
{
    BaseCaption.clear();
    StopFlag = false;
    UpdateSelectedOnly = false;
}
