#pragma once

#include "platform/Dialogs.h"

// The message and input boxes of the running program, on QMessageBox and
// QInputDialog. An empty title shows the application's name. The save
// dialog opens in the user's home folder unless a folder is asked for.
class WidgetDialogs : public DialogHandler
{
public:
    int message(const QString &prompt, int style, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString saveFile(const QString &title, const QString &defaultName, const QString &filterDescription,
                     const QString &extension) override;
    QString saveFileAs(const SaveFileRequest &request) override;
};
