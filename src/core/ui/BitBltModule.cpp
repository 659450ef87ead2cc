#include "core/ui/BitBltModule.h"

#include "core/ErrorLog.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <limits>

QList<QPixmap> MemDCs;
short MemDCCount = 0;

static bool validHandle(MemHdc hdc)
{
    return hdc > 0 && hdc <= MemDCs.size();
}

MemHdc CreateMemHdc(short width, short height)
{
    if (MemDCCount == std::numeric_limits<short>::max()) {
        ErrorTrap(QStringLiteral("Overflow"), 6, QString::fromLatin1(ErrSource), QStringLiteral("BitBlt_CreateMemHdc"),
                  false);
        return 0;
    }
    const int n = MemDCCount;
    MemDCs.resize(n + 1);
    MemDCCount = short(n + 1);
    if (width <= 0 || height <= 0)
        return 0;
    QPixmap surface(width, height);
    if (surface.isNull())
        return 0;
    surface.fill(Qt::black); // a new bitmap is black, as a screen-compatible one is
    MemDCs[n] = surface;
    return n + 1;
}

void LoadBmpToHdc(MemHdc hdc, const QString &name)
{
    const QPixmap picture = LoadResPicture(name);
    if (picture.isNull()) {
        ErrorTrap(QStringLiteral("Resource with identifier '%1' not found").arg(name), 326,
                  QString::fromLatin1(ErrSource), QStringLiteral("BitBlt_LoadBmpToHdc"), false);
        return;
    }
    // Only a surface that exists takes the picture.
    if (validHandle(hdc) && !MemDCs[hdc - 1].isNull())
        MemDCs[hdc - 1] = picture;
}

void DestroyHdcs()
{
    for (QPixmap &surface : MemDCs)
        surface = QPixmap();
}

QPixmap memSurface(MemHdc hdc)
{
    return validHandle(hdc) ? MemDCs[hdc - 1] : QPixmap();
}

void BitBlt(PictureBox *dest, int x, int y, int w, int h, MemHdc source, int sx, int sy)
{
    const QPixmap from = memSurface(source);
    if (dest && !from.isNull())
        dest->paintFrom(from, x, y, w, h, sx, sy);
}

void resetBitBltModule()
{
    MemDCs.clear();
    MemDCCount = 0;
}
