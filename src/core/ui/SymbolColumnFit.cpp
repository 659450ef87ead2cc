#include "core/ui/SymbolColumnFit.h"

#include "platform/Twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

bool symbolFitsColumn(const QString &symbol, const QWidget *on)
{
    QFont font = QApplication::font("QLabel");
    font.setPixelSize(SymbolFontPixels);
    font.setBold(true);
    return QFontMetrics(font, on).horizontalAdvance(symbol) <= Twips::toPixelsX(SymbolLabelWidth, on);
}
