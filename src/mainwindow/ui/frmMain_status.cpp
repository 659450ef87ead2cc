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
    if (index < 0 || index >= Panel1.size() || !Panel1[index])
        return;
    ClickLabel *panel = Panel1[index];
    if (index != 6) {
        panel->setText(text);
        return;
    }
    // The status panel shows what fits before the task counter; the whole
    // text is its tooltip while it is cut, and comes back when the window
    // is wider.
    panel->setProperty("fullText", text);
    const QString shown = panel->fontMetrics().elidedText(text, Qt::ElideRight, panel->contentsRect().width());
    panel->setText(shown);
    panel->setToolTip(shown == text ? QStringLiteral("Status") : text);
}

void frmMain::endBatchRun()
{
    StopUpdate();
}
