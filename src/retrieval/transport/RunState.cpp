#include "retrieval/transport/RunState.h"

QString BaseCaption;
bool StopFlag = false;

void resetRunState()
{
    BaseCaption.clear();
    StopFlag = false;
}
