#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

// A scrolling headline strip: the text handed over is a run of items, each
// ended by ";", shown one after the other from right to left on black.
// The item under the pointer is drawn in blue, the one clicked last in red;
// a click reports the item's 1-based number.
class NewsTicker : public QWidget
{
    Q_OBJECT

public:
    explicit NewsTicker(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    const QStringList &items() const { return m_items; }
    // The 1-based item at x (widget coordinates); 0 for none.
    int itemAt(int x) const;
    // Scroll position in pixels (tests).
    int offset() const { return m_offset; }

signals:
    void ItemClick(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int itemLeft(int index) const;
    QString m_text;
    QStringList m_items;
    QList<int> m_widths;
    int m_total = 0;
    int m_offset = 0;
    int m_hover = 0;
    int m_clicked = 0;
    QTimer m_scroll;
};
