#pragma once

#include <QCursor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

class QMouseEvent;

// Mouse arguments as the forms' handlers take them: Button 1 left, 2 right,
// 4 middle (for a move: the buttons held); Shift 1 Shift, 2 Ctrl, 4 Alt.
namespace VbMouse {
inline constexpr int Left = 1, Right = 2, Middle = 4;
inline constexpr int ShiftKey = 1, CtrlKey = 2, AltKey = 4;
int buttonOf(Qt::MouseButton button);
int buttonsOf(Qt::MouseButtons buttons);
int shiftOf(Qt::KeyboardModifiers modifiers);
// Classic virtual key code of a Qt key (65 = A, 112 = F1, 27 = Esc); 0 for
// keys the program never asks about.
int keyCodeOf(int key);
} // namespace VbMouse

// Mouse pointers by their classic numbers: 0 default, 1 arrow, 2 cross,
// 3 I-beam, 5 size all, 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E, 10 up arrow,
// 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question
// mark, 15 size all, 99 the widget's own MouseIcon.
namespace Pointer {
inline constexpr int Default = 0, Arrow = 1, Hourglass = 11, Custom = 99;
}
QCursor cursorForPointer(int mousePointer, const QCursor &mouseIcon);

// A picture box: a picture (shown at its own size from the top-left corner,
// or stretched over the box), a drawing surface that keeps what is drawn on
// it until Cls, a back colour, an optional single-line border, a custom
// pointer, and the click and mouse events with positions in the box's
// scale unit (twips unless set to pixels).
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    enum ScaleMode { Twips = 1, Pixels = 3 };

    explicit PictureBox(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    bool hasPicture() const { return !m_picture.isNull(); }
    // Where the picture is drawn within the box, its transparent margin left
    // out (an empty rectangle for no picture).
    QRect drawnPictureRect() const;

    bool stretch() const { return m_stretch; }
    void setStretch(bool on);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    // 0 none, 1 single line.
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    int scaleMode() const { return m_scaleMode; }
    void setScaleMode(int mode);
    // The inner size in the scale unit.
    double scaleWidth() const;
    double scaleHeight() const;

    // The persistent drawing surface, the box's size in pixels; transparent
    // where nothing is drawn. Draw on it, then call update().
    QPixmap &surface();
    // Copies w x h pixels of source at (sx, sy) onto the surface at (x, y).
    void paintFrom(const QPixmap &source, int x, int y, int w, int h, int sx = 0, int sy = 0);
    // Clears the surface: the picture and back colour show again.
    void Cls();

    QCursor mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QCursor &icon);
    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

signals:
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    double toScaleX(double px) const;
    double toScaleY(double px) const;
    void fitSurface();

    QPixmap m_picture;
    QPixmap m_surface;
    QColor m_backColor;
    QCursor m_mouseIcon;
    int m_mousePointer = Pointer::Default;
    int m_borderStyle = 0;
    int m_scaleMode = Twips;
    bool m_stretch = false;
    bool m_pressed = false;
};

// A label that reports clicks and mouse movement like a picture box.
class ClickLabel : public QLabel
{
    Q_OBJECT
    // The whole text of a label that shows only what fits of it.
    Q_PROPERTY(QString fullText READ fullText WRITE setFullText)

public:
    explicit ClickLabel(QWidget *parent = nullptr);
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

    QString fullText() const { return m_fullText; }
    void setFullText(const QString &text) { m_fullText = text; }

signals:
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
    QString m_fullText;
};
