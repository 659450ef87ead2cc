#pragma once

#include <QList>
#include <QString>

// State of the batch update run that every fetch routine shares.

// The main window's caption without a status text; statuses are shown as
// BaseCaption, four blanks and the status.
extern QString BaseCaption;
// True once a run has ended or Stop was asked; false at start and during a run.
extern bool StopFlag;
// Ticked categories of the current run not yet done.
extern short TasksLeft;

// The next run covers the selected stock only (reset at the end of a run).
extern bool UpdateSelectedOnly;

// A page of the run that could not be fetched: its address and why.
struct FailedFetch
{
    QString url;
    QString why;
};
// The run's failed fetches, in order; emptied when a run starts.
extern QList<FailedFetch> FailedFetches;
// Notes a failed fetch; the same address twice in a row counts once.
void noteFailedFetch(const QString &url, const QString &why);

// A socket error of the run has been shown in a box: the later ones of the
// same run go to the status panel (and, with the failed pages, to the
// error log) so that a site that refuses every page asks once, not once
// per page. Cleared when a run starts.
extern bool RunErrorBoxShown;
// A page or file of the run that came but could not be stored (a full
// disk, say): its path and why. The old file stays.
struct FailedStore
{
    QString file;
    QString why;
};
// The run's store failures, in order; emptied when the run's end says them.
extern QList<FailedStore> FailedStores;
void noteFailedStore(const QString &file, const QString &why);

// The largest reply a fetch takes: far above any real page. A larger one
// is not stored and counts as not fetched.
inline constexpr qint64 MaxReplyBytes = 8 * 1024 * 1024;

void resetRunState();
