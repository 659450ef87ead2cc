#pragma once

#include <QString>
#include <QStringList>

// The zoom command: the sheet with this key drawn once more, into a new zoom
// window, by running its fill routine with ZoomFlag set. False (and nothing
// done) for a key that cannot be zoomed. ZoomFlag is always clear after.
bool ZoomSheet(const QString &sheetKey);

// The keys of the sheets a zoom redraws (fund lists, "F_" and the list's
// name, besides these), and the fill routine of one ("" none).
QStringList zoomSheetKeys();
using SheetFill = void (*)();
SheetFill zoomSheetFill(const QString &sheetKey);
