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
    // Sends the queued feedback mail; true only when the server took it.
    std::function<bool(const QString &server, const QString &fromAddress, const QString &body)> sendFeedback;
};

// Ticked boxes with a routine, counted at the run's start.
extern short TaskTotal;

void UpdateAll(BatchView &view, const BatchTable &table, const BatchServices &services);
void StopUpdate(BatchView &view);
// Shows "<Task>/<TaskTotal>" in the task counter panel.
void Panel7(short Task);

// Where the feedback mail goes, and the mail server proposed when none is set.
inline constexpr const char *FeedbackAddress = "feedback@pellor.example";
inline constexpr const char *ExampleMailServer = "mail.example.com";

// Whether box i is ticked by its stored "Update<i>" value (missing counts as ticked).
bool storedBoxTicked(int box);
