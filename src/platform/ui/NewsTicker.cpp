#include "platform/ui/NewsTicker.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Gap = 40; // pixels between items
}

NewsTicker::NewsTicker(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NewsTicker1"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    m_scroll.setInterval(30);
    connect(&m_scroll, &QTimer::timeout, this, [this] {
        if (m_total <= 0)
            return;
        m_offset = (m_offset + 1) % (m_total + width());
        update();
    });
    m_scroll.start();
}

void NewsTicker::setText(const QString &text)
{
    m_text = text;
    m_items = text.split(QLatin1Char(';'));
    if (!m_items.isEmpty() && m_items.last().isEmpty())
        m_items.removeLast();
    m_widths.clear();
    m_total = 0;
    const QFontMetrics fm(font());
    for (const QString &item : std::as_const(m_items)) {
        m_widths << fm.horizontalAdvance(item) + Gap;
        m_total += m_widths.last();
    }
    m_offset = 0;
    m_hover = m_clicked = 0;
    update();
}

int NewsTicker::itemLeft(int index) const
{
    int x = width() - m_offset;
    for (int i = 0; i < index && i < m_widths.size(); ++i)
        x += m_widths[i];
    return x;
}

int NewsTicker::itemAt(int x) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        const int left = itemLeft(i);
        if (x >= left && x < left + m_widths[i] - Gap)
            return i + 1;
    }
    return 0;
}

void NewsTicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    for (int i = 0; i < m_items.size(); ++i) {
        const int left = itemLeft(i);
        if (left > width() || left + m_widths[i] < 0)
            continue;
        const int number = i + 1;
        painter.setPen(number == m_clicked ? QColor(255, 0, 0) : number == m_hover ? QColor(0, 0, 255) : QColor(Qt::white));
        painter.drawText(QRect(left, 0, m_widths[i], height()), Qt::AlignVCenter | Qt::AlignLeft, m_items[i]);
    }
}

void NewsTicker::mouseMoveEvent(QMouseEvent *event)
{
    const int item = itemAt(qRound(event->position().x()));
    setCursor(item ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (item != m_hover) {
        m_hover = item;
        update();
    }
}

void NewsTicker::mousePressEvent(QMouseEvent *event)
{
    const int item = itemAt(qRound(event->position().x()));
    if (item == 0)
        return;
    m_clicked = item;
    update();
    emit ItemClick(item);
}

void NewsTicker::leaveEvent(QEvent *)
{
    m_hover = 0;
    update();
}
