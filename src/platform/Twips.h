#pragma once

#include <QPaintDevice>
#include <QtMath>

// Positions and sizes are kept in twips (1/1440 inch) where the program
// works with them; pixels appear only where something is drawn. This is the
// one conversion: the device's logical DPI when a device (a widget) is
// given, else 96 dpi, which makes 15 twips a pixel.
namespace Twips {

inline constexpr double PerInch = 1440.0;
inline constexpr double StandardPerPixel = 15.0;

inline double perPixelX(const QPaintDevice *device = nullptr)
{
    const int dpi = device ? device->logicalDpiX() : 0;
    return dpi > 0 ? PerInch / dpi : StandardPerPixel;
}

inline double perPixelY(const QPaintDevice *device = nullptr)
{
    const int dpi = device ? device->logicalDpiY() : 0;
    return dpi > 0 ? PerInch / dpi : StandardPerPixel;
}

inline double fromPixelsX(double pixels, const QPaintDevice *device = nullptr)
{
    return pixels * perPixelX(device);
}

inline double fromPixelsY(double pixels, const QPaintDevice *device = nullptr)
{
    return pixels * perPixelY(device);
}

// Whole pixels, rounded to the nearest.
inline int toPixelsX(double twips, const QPaintDevice *device = nullptr)
{
    return qRound(twips / perPixelX(device));
}

inline int toPixelsY(double twips, const QPaintDevice *device = nullptr)
{
    return qRound(twips / perPixelY(device));
}

} // namespace Twips
