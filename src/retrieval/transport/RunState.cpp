#include "retrieval/transport/RunState.h"

QString BaseCaption;
bool StopFlag = false;
short TasksLeft = 0;
bool UpdateSelectedOnly = false;

void resetRunState()
{
    BaseCaption.clear();
    StopFlag = false;
    TasksLeft = 0;
    UpdateSelectedOnly = false;
}
