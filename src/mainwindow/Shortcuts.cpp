#include "mainwindow/Shortcuts.h"

ShortcutAction shortcutFor(int keyCode, int shift)
{
    using A = ShortcutAction;
    const bool alt = shift & ShiftMask::Alt;
    const bool shiftHeld = shift & ShiftMask::Shift;
    // A letter acts only with Alt; the other modifiers are not looked at.
    const auto letter = [&](char c) { return alt && keyCode == c; };

    if (letter('X'))
        return {A::StartMenuItem, 8};
    if (letter('S') || keyCode == KeyCode::F3 || (keyCode == KeyCode::Escape && shiftHeld))
        return {A::LabelMenu, 0};
    if (letter('G') || keyCode == KeyCode::F2)
        return {A::LabelMenu, 1};
    if (letter('H'))
        return {A::LabelMenu, 2};
    if (letter('A'))
        return {A::LabelMenu, 3};
    if (letter('M'))
        return {A::LabelMenu, 4};
    if (letter('R'))
        return {A::LabelMenu, 5};
    if (letter('U') || keyCode == KeyCode::F4)
        return {A::Toolbar, 0};
    if (keyCode == KeyCode::F5)
        return {A::FocusTree, 0};
    if (keyCode == KeyCode::F6)
        return {A::FocusGrid, 0};
    if (keyCode == KeyCode::F9)
        return {A::HelpMenuItem, 7};
    if (letter('T'))
        return {A::Toolbar, 1};
    if (letter('O'))
        return {A::Toolbar, 2};
    if (letter('Z'))
        return {A::Toolbar, 3};
    if (letter('C'))
        return {A::Toolbar, 5};
    if (letter('N'))
        return {A::Toolbar, 6};
    if (keyCode == KeyCode::Escape)
        return {A::StopUpdate, 0};
    return {};
}
