#include "core/ui/LineControl.h"

#include "platform/Twips.h"

#include <QPainter>

LineControl::LineControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void LineControl::setX1(double twips)
{
    m_x1 = twips;
    place();
}

void LineControl::setY1(double twips)
{
    m_y1 = twips;
    place();
}

void LineControl::setX2(double twips)
{
    m_x2 = twips;
    place();
}

void LineControl::setY2(double twips)
{
    m_y2 = twips;
    place();
}

void LineControl::setEnds(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    place();
}

void LineControl::place()
{
    const int x1 = Twips::toPixelsX(m_x1, this), y1 = Twips::toPixelsY(m_y1, this);
    const int x2 = Twips::toPixelsX(m_x2, this), y2 = Twips::toPixelsY(m_y2, this);
    setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    update();
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const int x1 = Twips::toPixelsX(m_x1, this), y1 = Twips::toPixelsY(m_y1, this);
    const int x2 = Twips::toPixelsX(m_x2, this), y2 = Twips::toPixelsY(m_y2, this);
    const QPoint origin(std::min(x1, x2), std::min(y1, y2));
    p.drawLine(QPoint(x1, y1) - origin, QPoint(x2, y2) - origin);
}
