#pragma once

#include <QString>

class QWidget;

// The main window's symbol column shows each stock's symbol in a label this
// wide (twips), in bold for the current stock; a longer text is cut off.
inline constexpr int SymbolLabelWidth = 735;

// True when the symbol shows whole in such a label, bold, on the screen of
// the widget given (96 dpi without one).
bool symbolFitsColumn(const QString &symbol, const QWidget *on = nullptr);
