#pragma once

#include <QPointer>
#include <functional>
#include <QWidget>

// A window that closes with the roll-up animation (RollWindow) lets pending
// events run while it shrinks, so a second click on OK or Cancel, a key or
// the close box can come in before the window is gone: a trade would be
// stored twice, or a handler would run on a window already deleted.
//
// Such a window begins its closing here before it stores anything or rolls
// up. The first call answers true; while the window is closing every
// further call answers false, and the window and its controls take no more
// mouse or key input, so a queued second click does nothing.
//
// While a window is closing, no close reaches it either (the close box,
// Alt+F4, a close() from elsewhere, Escape in a dialog): the window's own
// closing step closes it, through closeClosingWindow.
bool beginClosing(QWidget *window);
bool isClosing(const QWidget *window);
// The close() that ends a window's own closing.
void closeClosingWindow(QWidget *window);

// Work that lets pending events run while the window stays open (a fetch,
// an animation): for as long as it lasts, a close of the window is held
// back and done once the work is over, so the window is never deleted
// under the code working for it. The work still checks, after each yield,
// that the window exists (another owner may delete it).
class BusyWindow
{
public:
    explicit BusyWindow(QWidget *window);
    ~BusyWindow();
    BusyWindow(const BusyWindow &) = delete;
    BusyWindow &operator=(const BusyWindow &) = delete;

private:
    QPointer<QWidget> m_window;
};

// The closing of a window by a handler that may yet keep it open (an entry
// is refused, a save fails): begun when made, given up again - the window
// takes input as before - unless finish() rolled the window up and closed
// it. False when the window was closing already: the handler does nothing.
class ClosingAttempt
{
public:
    explicit ClosingAttempt(QWidget *window);
    ~ClosingAttempt();
    ClosingAttempt(const ClosingAttempt &) = delete;
    ClosingAttempt &operator=(const ClosingAttempt &) = delete;

    explicit operator bool() const { return m_begun; }

    // The roll-up in steps, then the window closes (close(), or the closer
    // given: a window's own unloading); pending events run before and after.
    // Touch no member of the window afterwards.
    void finish(short steps, const std::function<void()> &closer = {});

private:
    QPointer<QWidget> m_window;
    bool m_begun = false;
    bool m_finished = false;
};
