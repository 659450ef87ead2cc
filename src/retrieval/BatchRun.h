#pragma once

#include <QString>
#include <array>
#include <functional>

// The batch update run: the program's one way of filling the page cache.
// It walks the 89 update categories in ascending order and calls the fetch
// routine of each ticked one, showing "Stop" and a task counter meanwhile.

inline constexpr int BatchBoxCount = 89;
using BatchRoutine = std::function<void()>;
// The fetch routine of each box; an empty entry is a box without one.
using BatchTable = std::array<BatchRoutine, BatchBoxCount>;

// The main window's side of a run: the toolbar's first caption ("Update" or
// "Stop"), which is how everybody tells a run is under way, and the look
// that goes with it (button picture, tray item, disabled set controls).
class BatchView
{
public:
    virtual ~BatchView() = default;
    virtual QString updateCaption() const = 0;
    virtual void setRunningLook(bool running) = 0;
};

// What a run needs of the rest of the program.
struct BatchServices
{
    std::function<bool()> checkConnection;
    // Whether box i is ticked now (read when its turn comes).
    std::function<bool(int)> boxTicked;
    // Sends the queued feedback mail: "" when the server took it, else why not.
    std::function<QString(const QString &server, const QString &fromAddress, const QString &body)> sendFeedback;
};

// Ticked boxes with a routine, counted at the run's start.
extern short TaskTotal;

// Does nothing while a run is active (also one that Stop has ended but
// that is still passing its remaining boxes).
void UpdateAll(BatchView &view, const BatchTable &table, const BatchServices &services);
// Ends the run: no further fetch starts, and the transfer, socket exchange
// or feedback mail under way ends at once.
void StopUpdate(BatchView &view);
// The feedback mail through the SMTP client (BatchServices::sendFeedback).
QString sendFeedbackMail(const QString &server, const QString &fromAddress, const QString &body);
// Shows "<Task>/<TaskTotal>" in the task counter panel.
void Panel7(short Task);

// Where the feedback mail goes, and the mail server proposed when none is set.
inline constexpr const char *FeedbackAddress = "feedback@pellor.example";
inline constexpr const char *ExampleMailServer = "mail.example.com";

// Whether box i is ticked by its stored "Update<i>" value (missing counts as ticked).
bool storedBoxTicked(int box);
