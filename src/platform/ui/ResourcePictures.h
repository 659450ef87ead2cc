#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The program's own pictures, drawn in code and looked up by name without
// regard to letter case: the bar skins ("NeonBlue" ... "PlasticViolet" and
// their pressed twins ending in "B"; the 8 x 10 pixels at the top-left
// corner of a pressed twin are the gauge marker), the toolbar faces "B1" to
// "B4", the symbol column's arrows "ArrowUp" and "ArrowDn", the grid's cell
// pictures "UP", "DN", "LOW" and "HIGH", the set editor's "Investor" and the
// program's icon "AppIcon". An unknown name gives a null pixmap.
QPixmap LoadResPicture(const QString &name);

// The navigation tree's node pictures by number, 1 to 29, 16 x 16 pixels
// (1 a closed book, 2 an open book, 3 a page of text, 4 a newspaper, ...);
// any other number gives a null pixmap.
inline constexpr int TreeNodePictureCount = 29;
QPixmap TreeNodePicture(int number);

// Every name LoadResPicture knows, in the spelling of the resources.
QStringList resPictureNames();

// Cursor resources by number: 102 a splitter bar while dragged, 103 a
// splitter bar at rest. An unknown number gives the arrow (with no pixmap).
QCursor LoadResCursor(int id);

// The program's icon in the sizes a window frame and the tray ask for.
QIcon ProgramIcon();
// Starts drawing the icon's pictures on a worker thread, for the first
// ProgramIcon() to take; the icon is the same either way.
void PrepareProgramIcon();
