#pragma once

#include <QList>
#include <QPixmap>
#include <QString>

class PictureBox;

// Memory drawing surfaces: pictures made on request and kept until the
// program ends. A surface is named by its handle, its number + 1; 0 names
// no surface.
using MemHdc = qint32;

// Surface n (a null pixmap when it could not be made or has been freed).
extern QList<QPixmap> MemDCs;
// Surfaces made so far, which is also the next free number.
extern short MemDCCount;

// A new blank surface of width x height pixels, or 0 when it could not be
// made (a size of 0 or less); either way the number is used up.
MemHdc CreateMemHdc(short width, short height);
// Puts the picture resource of that name into the surface in place of what
// it held; an unknown name is logged and changes nothing.
void LoadBmpToHdc(MemHdc hdc, const QString &name);
// Frees every surface; the count stays.
void DestroyHdcs();

// The picture a surface holds (null for 0, an unknown or a freed surface).
QPixmap memSurface(MemHdc hdc);
// Copies w x h pixels of surface source at (sx, sy) onto the box's drawing
// surface at (x, y).
void BitBlt(PictureBox *dest, int x, int y, int w, int h, MemHdc source, int sx, int sy);

// Back to no surfaces at all (for tests).
void resetBitBltModule();
