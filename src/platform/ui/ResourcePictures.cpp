#include "platform/ui/ResourcePictures.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>
#include <future>

// Every picture is drawn here at its design size. Skins vary from top to
// bottom only, so a marker block copied from the pressed twin onto the face
// at any column blends in with the bar around it.

namespace {

constexpr int SkinWidth = 305; // the gauge boxes: 4575 x 315 twips
constexpr int SkinHeight = 21;
constexpr int MarkerWidth = 8;
constexpr int MarkerHeight = 10;

enum class Family { Neon, Metal, Glass, Plastic };

struct Skin
{
    const char *name;
    Family family;
    QRgb hue;
};

const Skin skins[] = {
    {"NeonBlue", Family::Neon, 0x38b6ff},       {"NeonGreen", Family::Neon, 0x39f08a},
    {"NeonRed", Family::Neon, 0xff3b5c},        {"GoldMetal", Family::Metal, 0xd4a935},
    {"GreenMetal", Family::Metal, 0x6fa25f},    {"GlassBlue", Family::Glass, 0x2f7fe0},
    {"GlassGreen", Family::Glass, 0x2fb25a},    {"GlassRed", Family::Glass, 0xd63a3a},
    {"PlasticBlue", Family::Plastic, 0x4f86c6}, {"PlasticGreen", Family::Plastic, 0x5aa55a},
    {"PlasticViolet", Family::Plastic, 0x8a63c2},
};

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QPixmap blank(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

// The bar itself, full width; pressed gives the twin's deeper tone.
void drawBarBody(QPainter &p, const QRect &r, Family family, const QColor &hue, bool pressed)
{
    QLinearGradient g(0, r.top(), 0, r.bottom() + 1);
    switch (family) {
    case Family::Neon: {
        const QColor top = pressed ? mix(QColor(0x0c1117), hue, 0.22) : QColor(0x0c1117);
        const QColor bottom = pressed ? mix(QColor(0x161e27), hue, 0.16) : QColor(0x161e27);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.fillRect(r, g);
        // The tube and its glow along the lower half.
        const int centre = r.top() + 14;
        const int alphas[] = {255, 255, 130, 55, 20};
        for (int d = 4; d >= 0; --d) {
            const QColor c = d == 0 ? mix(hue, Qt::white, pressed ? 0.75 : 0.55) : withAlpha(hue, alphas[d]);
            p.fillRect(QRect(r.left(), centre - d, r.width(), 1), c);
            p.fillRect(QRect(r.left(), centre + d, r.width(), 1), c);
        }
        break;
    }
    case Family::Metal: {
        const QColor base = pressed ? hue.darker(118) : hue;
        g.setColorAt(0.0, base.lighter(125));
        g.setColorAt(0.15, mix(base, Qt::white, 0.55));
        g.setColorAt(0.5, base);
        g.setColorAt(0.85, base.darker(145));
        g.setColorAt(1.0, base.darker(115));
        p.fillRect(r, g);
        // Brushed grain: a faint, fixed shade per row.
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const int shade = (y * 37) % 7 - 3;
            p.fillRect(QRect(r.left(), y, r.width(), 1),
                       shade > 0 ? withAlpha(Qt::white, shade * 6) : withAlpha(Qt::black, -shade * 5));
        }
        break;
    }
    case Family::Glass: {
        const QColor base = pressed ? hue.darker(125) : hue;
        g.setColorAt(0.0, base.lighter(150));
        g.setColorAt(0.5, base);
        g.setColorAt(1.0, base.darker(140));
        p.fillRect(r, g);
        QLinearGradient shine(0, r.top() + 1, 0, r.top() + 9);
        shine.setColorAt(0, withAlpha(Qt::white, pressed ? 110 : 160));
        shine.setColorAt(1, withAlpha(Qt::white, 15));
        p.fillRect(QRect(r.left(), r.top() + 1, r.width(), 8), shine);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), base.darker(180));
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), base.darker(180));
        break;
    }
    case Family::Plastic: {
        const QColor base = pressed ? hue.darker(120) : hue;
        g.setColorAt(0.0, base.lighter(125));
        g.setColorAt(1.0, base.darker(115));
        p.fillRect(r, g);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), base.lighter(160));
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), base.darker(150));
        break;
    }
    }
}

// Where the marker of a rating stands on a gauge this wide (its left column).
double markerX(double width, int rating)
{
    return ((5 - rating) * (width - width * 6.5 / 100) + rating * (width * 2.5 / 100)) / 4;
}

QPixmap skinFace(const Skin &skin)
{
    QPixmap pm = blank(SkinWidth, SkinHeight);
    QPainter p(&pm);
    const QRect r = pm.rect();
    const QColor hue(skin.hue);
    if (skin.family == Family::Glass || skin.family == Family::Plastic) {
        QPainterPath round;
        round.addRoundedRect(QRectF(r), 4, 4);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipPath(round);
    }
    drawBarBody(p, r, skin.family, hue, false);
    p.setClipping(false);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Scale ticks under the five marker places.
    const QColor tick = skin.family == Family::Neon ? withAlpha(hue, 150) : withAlpha(Qt::black, 70);
    for (int rating = 1; rating <= 5; ++rating) {
        const int x = qRound(markerX(SkinWidth, rating)) + MarkerWidth / 2;
        p.fillRect(QRect(x, SkinHeight - 4, 1, 3), tick);
    }
    // Square ends for the neon and metal bars.
    if (skin.family == Family::Neon || skin.family == Family::Metal) {
        const QColor edge = skin.family == Family::Neon ? withAlpha(hue, 110) : hue.darker(170);
        p.fillRect(QRect(0, 0, 1, SkinHeight), edge);
        p.fillRect(QRect(SkinWidth - 1, 0, 1, SkinHeight), edge);
    }
    return pm;
}

QPixmap skinPressed(const Skin &skin)
{
    QPixmap pm = blank(SkinWidth, SkinHeight);
    QPainter p(&pm);
    const QColor hue(skin.hue);
    drawBarBody(p, pm.rect(), skin.family, hue, true);
    // The marker: a pointer in the top-left 8 x 10 block.
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF pointer{QPointF(0.5, 0.5), QPointF(MarkerWidth - 0.5, 0.5), QPointF(MarkerWidth / 2.0, MarkerHeight - 0.5)};
    const QColor fill = skin.family == Family::Neon ? mix(hue, Qt::white, 0.6) : QColor(0xfafafa);
    const QColor outline = skin.family == Family::Neon ? hue : QColor(0x202020);
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    p.drawPolygon(pointer);
    return pm;
}

// Toolbar face: a glossy oval.
QPixmap toolbarFace(const QColor &base, bool pressed)
{
    QPixmap pm = blank(50, 25);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1.5, 1.5, 47, 22);
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, pressed ? base.darker(130) : base.lighter(135));
    g.setColorAt(1, pressed ? base.lighter(110) : base.darker(130));
    p.setPen(QPen(base.darker(170), 1));
    p.setBrush(g);
    p.drawEllipse(body);
    p.setPen(Qt::NoPen);
    QRadialGradient glow(25, 20, 14);
    glow.setColorAt(0, withAlpha(base.lighter(170), 90));
    glow.setColorAt(1, withAlpha(base.lighter(170), 0));
    p.setBrush(glow);
    p.drawEllipse(QRectF(10, 13, 30, 9));
    const QRectF shine(7, pressed ? 4 : 2.5, 36, 10);
    QLinearGradient s(0, shine.top(), 0, shine.bottom());
    s.setColorAt(0, withAlpha(Qt::white, pressed ? 90 : 175));
    s.setColorAt(1, withAlpha(Qt::white, 8));
    p.setBrush(s);
    p.drawEllipse(shine);
    return pm;
}

// The symbol column's scroll arrows.
QPixmap columnArrow(bool up)
{
    QPixmap pm = blank(50, 20);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF tri = up ? QPolygonF{QPointF(16.5, 15.5), QPointF(33.5, 15.5), QPointF(25, 4.5)}
                             : QPolygonF{QPointF(16.5, 4.5), QPointF(33.5, 4.5), QPointF(25, 15.5)};
    QLinearGradient g(0, 4, 0, 16);
    g.setColorAt(0, QColor(0x6d92bb));
    g.setColorAt(1, QColor(0x2f4f73));
    p.setPen(QPen(QColor(0x1f3550), 1));
    p.setBrush(g);
    p.drawPolygon(tri);
    return pm;
}

// Cell pictures: 11 x 13 arrows; the alert marks add a floor or a ceiling.
QPixmap cellArrow(bool up, const QColor &fill, bool bar)
{
    QPixmap pm = blank(11, 13);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow;
    if (!bar) {
        arrow << QPointF(5.5, 0.5) << QPointF(10.5, 6) << QPointF(7.5, 6) << QPointF(7.5, 12.5) << QPointF(3.5, 12.5)
              << QPointF(3.5, 6) << QPointF(0.5, 6);
    } else {
        arrow << QPointF(5.5, 3) << QPointF(10.5, 8) << QPointF(7.5, 8) << QPointF(7.5, 12.5) << QPointF(3.5, 12.5)
              << QPointF(3.5, 8) << QPointF(0.5, 8);
    }
    if (!up) {
        for (QPointF &pt : arrow)
            pt.setY(13 - pt.y());
    }
    p.setPen(QPen(fill.darker(170), 1));
    p.setBrush(fill);
    p.drawPolygon(arrow);
    if (bar) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(up ? QRect(0, 0, 11, 2) : QRect(0, 11, 11, 2), fill.darker(130));
    }
    return pm;
}

// The set editor's strip along its left edge.
QPixmap investor()
{
    const int w = 120, h = 360;
    QPixmap pm = blank(w, h);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0x0f2a4a));
    g.setColorAt(1, QColor(0x1f6e8c));
    p.fillRect(pm.rect(), g);
    for (int y = 30; y < h; y += 30)
        p.fillRect(QRect(0, y, w, 1), withAlpha(Qt::white, 22));
    p.setRenderHint(QPainter::Antialiasing);
    const int heights[] = {40, 64, 52, 88, 110};
    for (int i = 0; i < 5; ++i)
        p.fillRect(QRectF(12 + i * 20, h - 20 - heights[i], 14, heights[i]), withAlpha(Qt::white, 60));
    const QPointF line[] = {{10, 300}, {34, 262}, {56, 278}, {80, 214}, {108, 150}};
    p.setPen(QPen(QColor(0xf2c14e), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line, 5);
    p.setBrush(QColor(0xf2c14e));
    p.setPen(Qt::NoPen);
    for (const QPointF &pt : line)
        p.drawEllipse(pt, 3.5, 3.5);
    // A rising arrow head at the end of the line.
    p.drawPolygon(QPolygonF{QPointF(100, 146), QPointF(114, 138), QPointF(110, 154)});
    return pm;
}

void drawAppIcon(QPainter &p, int size)
{
    const double s = size;
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, s, s);
    g.setColorAt(0, QColor(0x1d4e89));
    g.setColorAt(1, QColor(0x2a9d8f));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, s * 0.2);
    p.setBrush(withAlpha(Qt::white, 70));
    const double bars[] = {0.25, 0.38, 0.52};
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(s * (0.18 + i * 0.2), s * (0.85 - bars[i]), s * 0.13, s * bars[i]));
    p.setPen(QPen(Qt::white, qMax(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF line[] = {{s * 0.16, s * 0.7}, {s * 0.4, s * 0.48}, {s * 0.58, s * 0.58}, {s * 0.8, s * 0.3}};
    p.drawPolyline(line, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{QPointF(s * 0.88, s * 0.18), QPointF(s * 0.86, s * 0.42), QPointF(s * 0.68, s * 0.28)});
}

QPixmap appIcon(int size)
{
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    drawAppIcon(p, size);
    return pm;
}

// A splitter cursor: two double arrows across a grip; the dragged one has
// the grip filled.
QPixmap splitterCursor(bool dragged)
{
    QPixmap pm = blank(32, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const auto arrows = [&](const QColor &c, double width) {
        p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(15.5, 6), QPointF(15.5, 25));
        p.drawLine(QPointF(6, 15.5), QPointF(25, 15.5));
        p.setBrush(c);
        p.setPen(QPen(c, width - 2));
        p.drawPolygon(QPolygonF{QPointF(15.5, 1.5), QPointF(20, 7), QPointF(11, 7)});
        p.drawPolygon(QPolygonF{QPointF(15.5, 29.5), QPointF(20, 24), QPointF(11, 24)});
        p.drawPolygon(QPolygonF{QPointF(1.5, 15.5), QPointF(7, 11), QPointF(7, 20)});
        p.drawPolygon(QPolygonF{QPointF(29.5, 15.5), QPointF(24, 11), QPointF(24, 20)});
    };
    arrows(Qt::white, 4);
    arrows(Qt::black, 2);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(dragged ? QBrush(QColor(0x404040)) : QBrush(Qt::white));
    p.drawRect(QRectF(11.5, 11.5, 8, 8));
    return pm;
}

using Painter = std::function<QPixmap()>;

const QHash<QString, std::pair<QString, Painter>> &pictureTable()
{
    static const QHash<QString, std::pair<QString, Painter>> table = [] {
        QHash<QString, std::pair<QString, Painter>> t;
        const auto add = [&t](const QString &name, Painter painter) { t.insert(name.toLower(), {name, painter}); };
        for (const Skin &skin : skins) {
            const QString name = QString::fromLatin1(skin.name);
            add(name, [skin] { return skinFace(skin); });
            add(name + QLatin1Char('B'), [skin] { return skinPressed(skin); });
        }
        add(QStringLiteral("B1"), [] { return toolbarFace(QColor(0x2a6fdb), false); });
        add(QStringLiteral("B2"), [] { return toolbarFace(QColor(0x1a4594), true); });
        add(QStringLiteral("B3"), [] { return toolbarFace(QColor(0xd93030), false); });
        add(QStringLiteral("B4"), [] { return toolbarFace(QColor(0x2aa84a), false); });
        add(QStringLiteral("ArrowUp"), [] { return columnArrow(true); });
        add(QStringLiteral("ArrowDn"), [] { return columnArrow(false); });
        add(QStringLiteral("UP"), [] { return cellArrow(true, QColor(0x1f9d3a), false); });
        add(QStringLiteral("DN"), [] { return cellArrow(false, QColor(0xd62f2f), false); });
        add(QStringLiteral("HIGH"), [] { return cellArrow(true, QColor(0xe0861a), true); });
        add(QStringLiteral("LOW"), [] { return cellArrow(false, QColor(0x2d6fd0), true); });
        add(QStringLiteral("Investor"), [] { return investor(); });
        add(QStringLiteral("AppIcon"), [] { return appIcon(32); });
        return t;
    }();
    return table;
}

} // namespace

QPixmap LoadResPicture(const QString &name)
{
    static QHash<QString, QPixmap> cache;
    const QString key = name.toLower();
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    const auto entry = pictureTable().constFind(key);
    if (entry == pictureTable().constEnd())
        return QPixmap();
    const QPixmap pm = entry->second();
    cache.insert(key, pm);
    return pm;
}

QStringList resPictureNames()
{
    QStringList names;
    for (const auto &entry : pictureTable())
        names << entry.first;
    names.sort();
    return names;
}

QCursor LoadResCursor(int id)
{
    // Drawn once each: both splitters of the main window show the one at rest.
    if (id == 102) {
        static const QCursor dragged(splitterCursor(true), 15, 15);
        return dragged;
    }
    if (id == 103) {
        static const QCursor atRest(splitterCursor(false), 15, 15);
        return atRest;
    }
    return QCursor(Qt::ArrowCursor);
}

namespace {
constexpr int ProgramIconSizes[] = {16, 24, 32, 48, 64, 128};
bool g_programIconMade = false;
// The icon's pictures drawn ahead by PrepareProgramIcon, until the icon takes them.
std::future<QList<QImage>> g_programIconImages;

// The same picture as appIcon, on an image so that a worker thread may draw it.
QImage appIconImage(int size)
{
    QImage im(size, size, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::transparent);
    QPainter p(&im);
    drawAppIcon(p, size);
    return im;
}
} // namespace

void PrepareProgramIcon()
{
    if (g_programIconMade || g_programIconImages.valid())
        return;
    g_programIconImages = std::async(std::launch::async, [] {
        QList<QImage> images;
        for (int size : ProgramIconSizes)
            images << appIconImage(size);
        return images;
    });
}

QIcon ProgramIcon()
{
    // Drawn once: the main window, the tray and every zoom window share it.
    static const QIcon icon = [] {
        g_programIconMade = true;
        QIcon drawn;
        if (g_programIconImages.valid()) {
            for (const QImage &image : g_programIconImages.get())
                drawn.addPixmap(QPixmap::fromImage(image));
        } else {
            for (int size : ProgramIconSizes)
                drawn.addPixmap(appIcon(size));
        }
        return drawn;
    }();
    return icon;
}
