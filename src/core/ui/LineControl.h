#pragma once

#include <QWidget>

// A line drawn on its container from (X1, Y1) to (X2, Y2), in twips of the
// container's coordinates. The widget covers just the line's bounding box
// and lets the mouse through.
class LineControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double X1 READ X1 WRITE setX1)
    Q_PROPERTY(double Y1 READ Y1 WRITE setY1)
    Q_PROPERTY(double X2 READ X2 WRITE setX2)
    Q_PROPERTY(double Y2 READ Y2 WRITE setY2)

public:
    explicit LineControl(QWidget *parent = nullptr);

    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    void setX1(double twips);
    void setY1(double twips);
    void setX2(double twips);
    void setY2(double twips);
    void setEnds(double x1, double y1, double x2, double y2);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
};
