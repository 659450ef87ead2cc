#pragma once

#include <QString>
#include <QStringList>

// Message and input boxes. The program asks through MsgBox and InputBox;
// whoever installs a DialogHandler answers: the widget boxes in the running
// program, a script in tests. Button sets, icons and answers keep the
// classic numeric codes the program's logic compares against.
namespace Msg {
// Button sets
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
// Icons
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// Default button
inline constexpr int DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512;
// Answers
inline constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
} // namespace Msg

// What a save dialog is asked to show. A filter is written "Description
// (*.ext)"; the default extension is added to a name typed without one and
// picks the first filter that holds it.
struct SaveFileRequest
{
    QString title;
    QString defaultName;
    QString folder; // "" = the handler's own choice
    QStringList filters;
    QString defaultExtension;
};

class DialogHandler
{
public:
    virtual ~DialogHandler() = default;
    // style = buttons + icon + default button; answers one of the Msg answers.
    virtual int message(const QString &prompt, int style, const QString &title) = 0;
    // The text entered, or "" when the box was cancelled.
    virtual QString input(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // The save dialog: the full path chosen, or "" when it was cancelled.
    virtual QString saveFile(const QString &title, const QString &defaultName, const QString &filterDescription,
                             const QString &extension)
    {
        Q_UNUSED(title) Q_UNUSED(defaultName) Q_UNUSED(filterDescription) Q_UNUSED(extension)
        return QString();
    }
    // The save dialog with any number of filters. A handler that knows only
    // the one-filter dialog gets the first filter (or none) and the default
    // extension through it.
    virtual QString saveFileAs(const SaveFileRequest &request);
};

// The handler in force (nullptr: none). Returns the one it replaces.
DialogHandler *setDialogHandler(DialogHandler *handler);
DialogHandler *dialogHandler();

// With no handler installed the box cannot be shown: MsgBox answers the
// default button without asking and InputBox answers "".
int MsgBox(const QString &prompt, int style = Msg::OKOnly, const QString &title = QString());
QString InputBox(const QString &prompt, const QString &title = QString(), const QString &defaultText = QString());
// The save dialog with one filter ("Zip File", "zip"); "" when cancelled
// or when no dialog can be shown.
QString ShowSave(const QString &title, const QString &defaultName, const QString &filterDescription,
                 const QString &extension);
QString ShowSave(const SaveFileRequest &request);

// The answer a box gives when nobody is there to press a button.
int defaultAnswer(int style);
