#include "retrieval/transport/RunState.h"

QString BaseCaption;
bool StopFlag = false;
short TasksLeft = 0;
bool UpdateSelectedOnly = false;
QList<FailedFetch> FailedFetches;
bool RunErrorBoxShown = false;
QList<FailedStore> FailedStores;

void noteFailedStore(const QString &file, const QString &why)
{
    FailedStores.append({file, why});
}

void noteFailedFetch(const QString &url, const QString &why)
{
    if (!FailedFetches.isEmpty() && FailedFetches.constLast().url == url)
        return;
    FailedFetches.append({url, why});
}

void resetRunState()
{
    BaseCaption.clear();
    StopFlag = false;
    TasksLeft = 0;
    UpdateSelectedOnly = false;
    FailedFetches.clear();
    RunErrorBoxShown = false;
    FailedStores.clear();
}
