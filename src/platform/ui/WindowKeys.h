#pragma once

#include <QKeyCombination>
#include <QList>
#include <functional>

class QWidget;

// Keys a window sees before its fields: each acts wherever the focus is in
// the window (a text box, a list, a disabled label button), and the field
// never gets the key. act receives the key and its modifiers.
void addWindowKeys(QWidget *window, const QList<QKeyCombination> &keys,
                   const std::function<void(int key, Qt::KeyboardModifiers modifiers)> &act);
