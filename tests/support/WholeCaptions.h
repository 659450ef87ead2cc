#pragma once

#include <QStringList>

class QWidget;

// The captions of a window that do not fit their control: every shown
// label, check box, option button and push button under top whose text
// is wider than the room the control gives it, or that reaches past the
// visible part of its parent. Each as "name: text (needs N px, has M)".
// Word-wrapped labels and pictures are not captions here.
QStringList clippedCaptions(QWidget *top);
