#include "mainwindow/ui/frmMain.h"

#include "platform/ui/PictureBox.h"

QString frmMain::caption() const
{
    return windowTitle();
}

void frmMain::setCaption(const QString &text)
{
    setWindowTitle(text);
}

void frmMain::setPanelText(int index, const QString &text)
{
    if (index >= 0 && index < Panel1.size() && Panel1[index])
        Panel1[index]->setText(text);
}

void frmMain::endBatchRun()
{
    StopUpdate();
}
