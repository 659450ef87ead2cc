#include "support/RecordingMainWindow.h"

RecordingMainWindow::RecordingMainWindow() : m_previous(mainWindow())
{
    setMainWindow(this);
}

RecordingMainWindow::~RecordingMainWindow()
{
    setMainWindow(m_previous);
}
