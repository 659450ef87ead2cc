#include "core/MainWindow.h"

namespace {
MainWindow *g_mainWindow = nullptr;
}

MainWindow *mainWindow()
{
    return g_mainWindow;
}

void setMainWindow(MainWindow *window)
{
    g_mainWindow = window;
}
