#include "platform/ui/ResourcePictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

// The navigation tree's 29 node pictures, 16 x 16, drawn from a few small
// motifs. Several numbers share a motif in another tint; those the tree
// never shows are still drawn so that every number has a picture.

namespace {

using P = QPainter;

void book(P &p, const QColor &cover, double x = 3, double y = 1.5, double w = 10, double h = 13)
{
    p.setPen(QPen(cover.darker(170), 1));
    p.setBrush(cover);
    p.drawRect(QRectF(x, y, w, h));
    p.fillRect(QRectF(x + 0.5, y + 0.5, 2, h - 0.5), cover.darker(140));
    p.fillRect(QRectF(x + w - 1.5, y + 1.5, 1, h - 2.5), QColor(0xf4efe0));
}

void openBook(P &p)
{
    p.setPen(QPen(QColor(0x6b4a1e), 1));
    p.setBrush(QColor(0xfdfaf0));
    p.drawPolygon(QPolygonF{QPointF(0.5, 3.5), QPointF(7.5, 4.5), QPointF(7.5, 13.5), QPointF(0.5, 12.5)});
    p.drawPolygon(QPolygonF{QPointF(15.5, 3.5), QPointF(8.5, 4.5), QPointF(8.5, 13.5), QPointF(15.5, 12.5)});
    p.setPen(QPen(QColor(0x9a9a9a), 1));
    for (double y = 6.5; y < 12; y += 2) {
        p.drawLine(QPointF(2, y), QPointF(6, y + 0.5));
        p.drawLine(QPointF(10, y + 0.5), QPointF(14, y));
    }
}

void page(P &p, bool lines, double x = 3, double y = 0.5, double w = 10, double h = 15)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 3, y);
    path.lineTo(x + w, y + 3);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(QPen(QColor(0x707070), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    if (!lines)
        return;
    p.setPen(QPen(QColor(0x5a7fb0), 1));
    for (double ly = y + 4.5; ly < y + h - 1; ly += 2)
        p.drawLine(QPointF(x + 2, ly), QPointF(x + w - 2, ly));
}

void newspaper(P &p, bool large)
{
    const QRectF r = large ? QRectF(0.5, 1.5, 15, 13) : QRectF(1.5, 2.5, 13, 11);
    p.setPen(QPen(QColor(0x606060), 1));
    p.setBrush(QColor(0xf7f7f2));
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 1.5, r.top() + 1.5, r.width() - 3, 2), QColor(0x303030));
    p.fillRect(QRectF(r.left() + 1.5, r.top() + 5, 4, 3), QColor(0xb03030));
    p.setPen(QPen(QColor(0x8a8a8a), 1));
    for (double y = r.top() + 5.5; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 6.5, y), QPointF(r.right() - 1.5, y));
}

void bars(P &p, const QList<QColor> &colours, const QList<int> &heights)
{
    p.setPen(QPen(QColor(0x404040), 1));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    for (int i = 0; i < heights.size(); ++i) {
        const QColor c = colours[i % colours.size()];
        p.fillRect(QRectF(3 + i * 3, 14 - heights[i], 2, heights[i]), c);
    }
}

void line(P &p, const QColor &colour, const QPolygonF &points)
{
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
}

void globe(P &p, const QColor &sea, const QColor &land, double cx = 8, double cy = 7, double r = 6)
{
    p.setPen(QPen(sea.darker(160), 1));
    p.setBrush(sea);
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(land);
    p.drawEllipse(QPointF(cx - r * 0.35, cy - r * 0.3), r * 0.35, r * 0.45);
    p.drawEllipse(QPointF(cx + r * 0.4, cy + r * 0.3), r * 0.3, r * 0.35);
}

void stand(P &p)
{
    p.setPen(QPen(QColor(0x7a5a2a), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.5, 0.5, 13, 13), 200 * 16, 140 * 16);
    p.drawLine(QPointF(8, 13.5), QPointF(8, 15));
    p.drawLine(QPointF(5, 15.25), QPointF(11, 15.25));
}

void magnifier(P &p, double cx, double cy, double r)
{
    p.setPen(QPen(QColor(0x5a3a10), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.7, cy + r * 1.7));
    p.setPen(QPen(QColor(0x303030), 1.2));
    p.setBrush(QColor(180, 220, 255, 160));
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void burst(P &p, double cx, double cy)
{
    QPolygonF star;
    for (int i = 0; i < 16; ++i) {
        const double r = i % 2 ? 2 : 4;
        const double a = i * 3.14159265 / 8;
        star << QPointF(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe02020));
    p.drawPolygon(star);
}

void folder(P &p, double x, double y)
{
    p.setPen(QPen(QColor(0x9a7a10), 1));
    p.setBrush(QColor(0xf2cf4a));
    p.drawRect(QRectF(x, y + 1.5, 8, 5.5));
    p.drawRect(QRectF(x, y, 3.5, 1.5));
}

void aerial(P &p)
{
    p.setPen(QPen(QColor(0x505050), 1));
    p.setBrush(QColor(0xd8d8d8));
    QPainterPath dish;
    dish.moveTo(2, 3);
    dish.quadTo(3, 12, 12, 11);
    dish.closeSubpath();
    p.drawPath(dish);
    p.drawLine(QPointF(6, 9), QPointF(10, 4));
    p.setBrush(QColor(0xd02020));
    p.drawEllipse(QPointF(10.5, 3.5), 1.2, 1.2);
    p.drawLine(QPointF(6, 10), QPointF(5, 15));
    p.drawLine(QPointF(3, 15), QPointF(8, 15));
}

void camera(P &p)
{
    p.setPen(QPen(QColor(0x202020), 1));
    p.setBrush(QColor(0x505860));
    p.drawRoundedRect(QRectF(1.5, 5.5, 10, 7), 1, 1);
    p.drawPolygon(QPolygonF{QPointF(11.5, 8), QPointF(15.5, 5.5), QPointF(15.5, 12.5), QPointF(11.5, 10)});
    p.setBrush(QColor(0x808890));
    p.drawEllipse(QPointF(4, 3.5), 2, 2);
    p.drawEllipse(QPointF(9, 3.5), 2, 2);
    p.setBrush(QColor(0x7fc0ff));
    p.drawEllipse(QPointF(6.5, 9), 1.5, 1.5);
}

void microphone(P &p)
{
    p.setPen(QPen(QColor(0x303030), 1));
    p.setBrush(QColor(0x9098a0));
    p.drawRoundedRect(QRectF(5.5, 0.5, 5, 9), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 3.5, 9, 9), 180 * 16, 180 * 16);
    p.drawLine(QPointF(8, 12.5), QPointF(8, 15));
    p.drawLine(QPointF(5, 15.25), QPointF(11, 15.25));
}

void monitor(P &p)
{
    p.setPen(QPen(QColor(0x303030), 1));
    p.setBrush(QColor(0x203040));
    p.drawRect(QRectF(1.5, 1.5, 13, 10));
    line(p, QColor(0x40e070), QPolygonF{QPointF(3, 7), QPointF(5, 4), QPointF(7, 9), QPointF(9, 5), QPointF(11, 8),
                                        QPointF(13, 6)});
    p.setPen(QPen(QColor(0x303030), 1));
    p.drawLine(QPointF(8, 11.5), QPointF(8, 14));
    p.drawLine(QPointF(4, 14.5), QPointF(12, 14.5));
}

const QColor Sea(0x3a7fd0), Land(0x3aa050), Gold(0xd8a020);

void drawPicture(P &p, int number)
{
    switch (number) {
    case 1: book(p, QColor(0x2a58a8)); break;
    case 2: openBook(p); break;
    case 3: page(p, true); break;
    case 4: newspaper(p, false); break;
    case 5:
        bars(p, {QColor(0x9ab0c8)}, {4, 7, 5, 9});
        line(p, QColor(0xd03030), QPolygonF{QPointF(2, 10), QPointF(6, 6), QPointF(9, 8), QPointF(14, 3)});
        break;
    case 6: bars(p, {QColor(0xd03030), QColor(0x30a040), QColor(0x3060d0), QColor(0xe0a020)}, {6, 10, 4, 8}); break;
    case 7:
        globe(p, Sea, Land);
        stand(p);
        break;
    case 8: globe(p, QColor(0x2a9ad0), QColor(0xd8c060), 8, 8, 7); break;
    case 9: magnifier(p, 6, 6, 4.5); break;
    case 10:
        page(p, true, 1, 0.5, 10, 13);
        magnifier(p, 10, 10, 3);
        break;
    case 11: page(p, false); break;
    case 12:
        book(p, QColor(0xb03030), 1, 10.5, 14, 4);
        book(p, QColor(0x2a7a3a), 2, 6.5, 12, 4);
        book(p, QColor(0x2a58a8), 1, 2.5, 14, 4);
        break;
    case 13:
        book(p, QColor(0x8a3aa0), 1, 2.5, 4, 12);
        book(p, QColor(0x2a58a8), 6, 1.5, 4, 13);
        book(p, QColor(0xb06a20), 11, 3.5, 4, 11);
        break;
    case 14: bars(p, {QColor(0x3060d0)}, {5, 9, 7, 11}); break;
    case 15:
    case 16:
    case 17: {
        const QColor tint = number == 15 ? QColor(0x5a7fb0) : number == 16 ? QColor(0x30a040) : QColor(0xb05a20);
        page(p, false, 2, 0.5, 11, 14);
        p.setPen(QPen(tint, 1));
        for (double y = 4.5; y < 13; y += 2)
            p.drawLine(QPointF(4, y), QPointF(11, y));
        magnifier(p, 6.5, 6.5, 3.5);
        break;
    }
    case 18:
        globe(p, Sea, Land);
        folder(p, 7, 9);
        break;
    case 19:
        globe(p, Sea, Land);
        p.setPen(QPen(Gold, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(7.5, 10.5, 4, 3));
        p.drawEllipse(QRectF(10.5, 10.5, 4, 3));
        break;
    case 20:
        globe(p, Sea, Land, 7, 7, 6);
        magnifier(p, 10, 10, 2.5);
        break;
    case 21:
        globe(p, Sea, Land);
        line(p, QColor(0xd03030), QPolygonF{QPointF(2, 14), QPointF(14, 14)});
        line(p, QColor(0xd03030), QPolygonF{QPointF(11, 12), QPointF(14, 14), QPointF(11, 16)});
        break;
    case 22:
        book(p, QColor(0x2a58a8));
        burst(p, 11, 5);
        break;
    case 23:
        page(p, true);
        globe(p, Sea, Land, 10, 11, 4);
        break;
    case 24: aerial(p); break;
    case 25: newspaper(p, true); break;
    case 26:
        p.setPen(QPen(QColor(0x404040), 1));
        p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
        line(p, QColor(0x2a58a8), QPolygonF{QPointF(2, 12), QPointF(5, 8), QPointF(8, 10), QPointF(11, 4), QPointF(14, 6)});
        break;
    case 27: camera(p); break;
    case 28: microphone(p); break;
    case 29: monitor(p); break;
    default: break;
    }
}

} // namespace

QPixmap TreeNodePicture(int number)
{
    static QHash<int, QPixmap> cache;
    if (number < 1 || number > TreeNodePictureCount)
        return QPixmap();
    const auto found = cache.constFind(number);
    if (found != cache.constEnd())
        return *found;
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        drawPicture(p, number);
    }
    cache.insert(number, pm);
    return pm;
}
