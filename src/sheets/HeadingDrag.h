#pragma once

class FlexGrid;

// Moving a sheet's column by dragging its heading, as the main grid and the
// zoom windows do: a press marks the pressed heading blue (the others
// black) and, on the heading row, arms the drag; a move of 50 twips or more
// over the heading row starts it; a drop on another heading moves the
// column there. Column 0 of a grid with one fixed column never moves.
struct HeadingDrag
{
    bool armed = false; // a heading was pressed and not yet released
    short col = -1;     // the column being dragged; -1 while none is
    short startX = 0;   // where the press was, in twips
    short startY = 0;

    // The left (or middle) button went down at (X, Y). Returns whether a
    // drag was armed (the press was on a movable heading).
    bool press(FlexGrid &grid, float X, float Y);
    // A move with the left button down: true when the drag starts now.
    bool move(FlexGrid &grid, int Button, float X, float Y);
    void release() { armed = false; }
    // The drop over the grid: true when a column was moved.
    bool drop(FlexGrid &grid);
};
