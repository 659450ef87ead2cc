#include "platform/ScreenPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
bool haveGui()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}
} // namespace

void setScreenMousePointer(int pointer)
{
    if (!haveGui())
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (pointer == 11)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

int screenMousePointer()
{
    if (!haveGui())
        return 0;
    const QCursor *c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor ? 11 : 0;
}

HourglassPointer::HourglassPointer()
{
    if (!haveGui())
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_set = true;
}

HourglassPointer::~HourglassPointer()
{
    if (m_set)
        QGuiApplication::restoreOverrideCursor();
}
