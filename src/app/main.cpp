#include "core/DataDir.h"
#include "platform/ui/WidgetDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pellor"));
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    WidgetDialogs dialogs;
    setDialogHandler(&dialogs);
    InitDataDir();
    return 0;
}
