#include "platform/ui/PictureBox.h"

#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

int VbMouse::buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return Left;
    case Qt::RightButton:
        return Right;
    case Qt::MiddleButton:
        return Middle;
    default:
        return 0;
    }
}

int VbMouse::buttonsOf(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? Left : 0) | (buttons & Qt::RightButton ? Right : 0)
           | (buttons & Qt::MiddleButton ? Middle : 0);
}

// Classic virtual key code of a Qt key; 0 for keys the program never asks about.
int VbMouse::keyCodeOf(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Asterisk: return 106;
    default: return 0;
    }
}

int VbMouse::shiftOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftKey : 0) | (modifiers & Qt::ControlModifier ? CtrlKey : 0)
           | (modifiers & Qt::AltModifier ? AltKey : 0);
}

QCursor cursorForPointer(int mousePointer, const QCursor &mouseIcon)
{
    switch (mousePointer) {
    case 1:
        return Qt::ArrowCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    case 99:
        return mouseIcon;
    default:
        return Qt::ArrowCursor;
    }
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true); // moves are reported without a button held, too
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void PictureBox::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

void PictureBox::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void PictureBox::setScaleMode(int mode)
{
    m_scaleMode = mode == Pixels ? Pixels : Twips;
}

double PictureBox::toScaleX(double px) const
{
    return m_scaleMode == Pixels ? px : Twips::fromPixelsX(px, this);
}

double PictureBox::toScaleY(double px) const
{
    return m_scaleMode == Pixels ? px : Twips::fromPixelsY(px, this);
}

double PictureBox::scaleWidth() const
{
    return toScaleX(width());
}

double PictureBox::scaleHeight() const
{
    return toScaleY(height());
}

void PictureBox::fitSurface()
{
    if (m_surface.size() == size())
        return;
    QPixmap grown(size().expandedTo(QSize(1, 1)));
    grown.fill(Qt::transparent);
    if (!m_surface.isNull()) {
        QPainter p(&grown);
        p.drawPixmap(0, 0, m_surface);
    }
    m_surface = grown;
}

QPixmap &PictureBox::surface()
{
    fitSurface();
    return m_surface;
}

void PictureBox::paintFrom(const QPixmap &source, int x, int y, int w, int h, int sx, int sy)
{
    if (source.isNull() || w <= 0 || h <= 0)
        return;
    fitSurface();
    QPainter p(&m_surface);
    p.setCompositionMode(QPainter::CompositionMode_Source); // a plain copy
    p.drawPixmap(x, y, source, sx, sy, w, h);
    p.end();
    update();
}

void PictureBox::Cls()
{
    if (!m_surface.isNull())
        m_surface.fill(Qt::transparent);
    update();
}

void PictureBox::setMouseIcon(const QCursor &icon)
{
    m_mouseIcon = icon;
    if (m_mousePointer == Pointer::Custom)
        setCursor(icon);
}

void PictureBox::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (pointer == Pointer::Default)
        unsetCursor();
    else
        setCursor(cursorForPointer(pointer, m_mouseIcon));
}

QRect PictureBox::drawnPictureRect() const
{
    const QImage image = m_picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                drawn |= QRect(x, y, 1, 1);
    if (m_stretch && !image.isNull()) {
        const double sx = double(width()) / image.width(), sy = double(height()) / image.height();
        drawn = QRectF(drawn.x() * sx, drawn.y() * sy, drawn.width() * sx, drawn.height() * sy).toAlignedRect();
    }
    return drawn & rect();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_backColor.isValid() ? m_backColor : palette().color(QPalette::Window));
    if (!m_picture.isNull()) {
        if (m_stretch)
            p.drawPixmap(rect(), m_picture);
        else
            p.drawPixmap(0, 0, m_picture);
    }
    if (!m_surface.isNull())
        p.drawPixmap(0, 0, m_surface);
    if (m_borderStyle == 1) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    if (!m_surface.isNull())
        fitSurface();
    QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    const QPointF at = event->position();
    emit MouseDown(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()), toScaleX(at.x()),
                   toScaleY(at.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit MouseMove(VbMouse::buttonsOf(event->buttons()), VbMouse::shiftOf(event->modifiers()), toScaleX(at.x()),
                   toScaleY(at.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const bool click = event->button() == Qt::LeftButton && m_pressed && rect().contains(at.toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QPointer<PictureBox> alive(this);
    emit MouseUp(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()), toScaleX(at.x()),
                 toScaleY(at.y()));
    if (click && alive)
        emit Click();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double click is no new press: the release that
    // follows reports MouseUp but no second Click.
    m_pressed = false;
    emit DblClick();
}

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setMouseTracking(true);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    const QPointF at = event->position();
    emit MouseDown(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()),
                   Twips::fromPixelsX(at.x(), this), Twips::fromPixelsY(at.y(), this));
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit MouseMove(VbMouse::buttonsOf(event->buttons()), VbMouse::shiftOf(event->modifiers()),
                   Twips::fromPixelsX(at.x(), this), Twips::fromPixelsY(at.y(), this));
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const bool click = event->button() == Qt::LeftButton && m_pressed && rect().contains(at.toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QPointer<ClickLabel> alive(this);
    emit MouseUp(VbMouse::buttonOf(event->button()), VbMouse::shiftOf(event->modifiers()),
                 Twips::fromPixelsX(at.x(), this), Twips::fromPixelsY(at.y(), this));
    if (click && alive)
        emit Click();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_pressed = false;
    emit DblClick();
}
