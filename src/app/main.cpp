#include "app/Main.h"
#include "platform/FontWarmup.h"
#include "platform/Heap.h"
#include "platform/ui/WidgetDialogs.h"
#include "reports/ui/Zoom.h"
#include "webqueries/ui/TechGraph.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {
// Windows of the start-up chain hand over to each other (a form closes, the
// next one opens), so the program cannot end when "the last window" closes.
// It ends when no window has been visible for two checks in a row instead:
// the user closed the first-run forms by their close box.
void quitWhenNoWindowIsLeft(QApplication &app)
{
    auto *timer = new QTimer(&app);
    auto idleTicks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, &app, [idleTicks] {
        bool visible = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            visible = visible || w->isVisible();
        *idleTicks = visible ? 0 : *idleTicks + 1;
        if (*idleTicks >= 2)
            QApplication::quit();
    });
    timer->start(2000);
}
} // namespace

int main(int argc, char *argv[])
{
    keepMemoryForReuse();
    startFontWarmup(); // while the application object is made and the lock taken
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pellor"));
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setQuitOnLastWindowClosed(false);
    WidgetDialogs dialogs;
    setDialogHandler(&dialogs);
    installZoomWindows();
    installQueryWindows();
    if (!Main())
        return 0;
    quitWhenNoWindowIsLeft(app);
    return app.exec();
}
