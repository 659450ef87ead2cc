#include "support/WholeCaptions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The widest line of a caption, without the mnemonic marks of buttons.
int textWidth(const QWidget *w, QString text, bool mnemonic)
{
    if (mnemonic) {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    }
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line.trimmed()));
    return widest;
}

// Room a button leaves its text: the box or the bevel and its margins.
int buttonRoom(const QAbstractButton *b)
{
    QStyleOptionButton option;
    option.initFrom(b);
    const QStyle *s = b->style();
    if (qobject_cast<const QCheckBox *>(b))
        return b->width() - s->pixelMetric(QStyle::PM_IndicatorWidth, &option, b)
               - s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, b);
    if (qobject_cast<const QRadioButton *>(b))
        return b->width() - s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, b)
               - s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, b);
    return b->width();
}

// Whether the control's right edge lies inside its parent's visible width.
bool insideParent(const QWidget *w)
{
    const QWidget *p = w->parentWidget();
    return !p || w->geometry().right() < p->width() + 1;
}

// The part of a control its caption is drawn in, in its parent's terms.
QRect textArea(const QWidget *w, int textWidth, Qt::Alignment align)
{
    const QRect g = w->geometry();
    int left = g.left();
    if (align & Qt::AlignHCenter)
        left = g.center().x() - textWidth / 2;
    else if (align & Qt::AlignRight)
        left = g.right() - textWidth;
    return QRect(left, g.top(), std::min(textWidth, g.width()), g.height());
}

// A shown sibling that lies above the control (made after it) and covers
// part of its caption.
const QWidget *coveringSibling(const QWidget *w, const QRect &text)
{
    const QWidget *p = w->parentWidget();
    if (!p)
        return nullptr;
    bool above = false;
    for (const QObject *o : p->children()) {
        if (o == w) {
            above = true;
            continue;
        }
        const auto *s = qobject_cast<const QWidget *>(o);
        if (above && s && !s->isWindow() && s->isVisible() && s->geometry().intersects(text.adjusted(0, 2, 0, -2)))
            return s;
    }
    return nullptr;
}

} // namespace

QStringList clippedCaptions(QWidget *top)
{
    QStringList found;
    const auto report = [&](const QWidget *w, const QString &text, int needs, int has) {
        found << QStringLiteral("%1: %2 (needs %3 px, has %4)")
                     .arg(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                    : w->objectName(),
                          text)
                     .arg(needs)
                     .arg(has);
    };
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(top))
            continue;
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->wordWrap() || l->text().trimmed().isEmpty() || l->textFormat() == Qt::RichText)
                continue;
            const int needs = textWidth(l, l->text(), false);
            const int has = l->contentsRect().width() - 2 * l->margin() - 2 * l->indent() * (l->indent() > 0);
            if (needs > has || !insideParent(l))
                report(l, l->text(), needs, has);
            else if (const QWidget *s = coveringSibling(l, textArea(l, needs, l->alignment())))
                report(l, l->text() + QStringLiteral(" under ") + s->objectName(), needs, has);
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            if (b->text().trimmed().isEmpty())
                continue;
            // A push button is whole at the size its style asks for.
            const bool push = qobject_cast<QPushButton *>(b) != nullptr;
            const int needs = push ? b->sizeHint().width() : textWidth(b, b->text(), true);
            const int has = push ? b->width() : buttonRoom(b);
            if (needs > has || !insideParent(b))
                report(b, b->text(), needs, has);
        }
    }
    return found;
}
