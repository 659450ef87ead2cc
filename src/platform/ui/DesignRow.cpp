#include "platform/ui/DesignRow.h"

#include "platform/Twips.h"

#include <QWidget>

int placeRow(const QList<DesignCell> &row, int top, int height)
{
    int right = 0;
    for (const DesignCell &cell : row) {
        QWidget *w = cell.widget;
        const int gap = right ? Twips::toPixelsX(105, w) : 0;
        const int x = qMax(Twips::toPixelsX(cell.left, w), right + gap);
        const int width = qMax(cell.width ? Twips::toPixelsX(cell.width, w) : 0, w->sizeHint().width());
        w->setGeometry(x, Twips::toPixelsY(top, w), width, qMax(Twips::toPixelsY(height, w), w->sizeHint().height()));
        right = x + width;
    }
    return right;
}
