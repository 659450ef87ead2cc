#pragma once

#include <QString>

class QWidget;

// The main window's symbol column shows each stock's symbol in a label this
// wide (twips), in a font of this many pixels (the size of the label bar's),
// bold for the current stock; a longer text is cut off.
inline constexpr int SymbolLabelWidth = 735;
inline constexpr int SymbolFontPixels = 11;

// True when the symbol shows whole in such a label, bold, on the screen of
// the widget given (96 dpi without one).
bool symbolFitsColumn(const QString &symbol, const QWidget *on = nullptr);
