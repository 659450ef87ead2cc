#include "platform/Dialogs.h"

#include <QList>

namespace {
DialogHandler *g_handler = nullptr;

// Answers of each button set, in button order.
QList<int> answersOf(int buttons)
{
    switch (buttons) {
    case Msg::OKCancel: return {Msg::OK, Msg::Cancel};
    case Msg::AbortRetryIgnore: return {Msg::Abort, Msg::Retry, Msg::Ignore};
    case Msg::YesNoCancel: return {Msg::Yes, Msg::No, Msg::Cancel};
    case Msg::YesNo: return {Msg::Yes, Msg::No};
    case Msg::RetryCancel: return {Msg::Retry, Msg::Cancel};
    default: return {Msg::OK};
    }
}
} // namespace

DialogHandler *setDialogHandler(DialogHandler *handler)
{
    DialogHandler *old = g_handler;
    g_handler = handler;
    return old;
}

DialogHandler *dialogHandler()
{
    return g_handler;
}

int defaultAnswer(int style)
{
    const QList<int> answers = answersOf(style & 0x0F);
    const int index = (style & 0xF00) >> 8;
    return answers.value(index, answers.first());
}

int MsgBox(const QString &prompt, int style, const QString &title)
{
    if (!g_handler)
        return defaultAnswer(style);
    return g_handler->message(prompt, style, title);
}

QString ShowSave(const QString &title, const QString &defaultName, const QString &filterDescription,
                 const QString &extension)
{
    if (!g_handler)
        return QString();
    return g_handler->saveFile(title, defaultName, filterDescription, extension);
}

QString ShowSave(const SaveFileRequest &request)
{
    if (!g_handler)
        return QString();
    return g_handler->saveFileAs(request);
}

QString DialogHandler::saveFileAs(const SaveFileRequest &request)
{
    // "Text File (*.txt)" back into its description and extension.
    QString description, extension = request.defaultExtension;
    if (!request.filters.isEmpty()) {
        const QString &filter = request.filters.constFirst();
        const qsizetype open = filter.lastIndexOf(QStringLiteral(" (*."));
        if (open >= 0 && filter.endsWith(QLatin1Char(')'))) {
            description = filter.left(open);
            extension = filter.mid(open + 4, filter.size() - open - 5);
        } else {
            description = filter;
        }
    }
    return saveFile(request.title, request.defaultName, description, extension);
}

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (!g_handler)
        return QString();
    return g_handler->input(prompt, title, defaultText);
}
