#pragma once

// The main window's keyboard shortcuts. Key codes are the classic virtual
// key codes ('A'..'Z' = 65..90, F1 = 112, Esc = 27); the shift state has
// bit 1 Shift, 2 Ctrl, 4 Alt.
namespace KeyCode {
inline constexpr int Escape = 27;
inline constexpr int F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F9 = 120;
} // namespace KeyCode

namespace ShiftMask {
inline constexpr int Shift = 1, Ctrl = 2, Alt = 4;
} // namespace ShiftMask

struct ShortcutAction
{
    enum Kind {
        None,
        StartMenuItem, // an item of the Start menu (index)
        LabelMenu,     // a label of the label menu bar (index)
        Toolbar,       // a toolbar button (index)
        FocusTree,
        FocusGrid,
        HelpMenuItem,  // an item of the Help menu (index)
        StopUpdate,    // the stop step of the batch run
    };
    Kind kind = None;
    int index = 0;

    friend bool operator==(const ShortcutAction &, const ShortcutAction &) = default;
};

// What a key press does in the main window; the first matching row acts.
ShortcutAction shortcutFor(int keyCode, int shift);
