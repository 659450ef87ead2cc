#include "support/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    m_previous = setDialogHandler(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogHandler(m_previous);
}

int ScriptedDialogs::message(const QString &prompt, int style, const QString &title)
{
    m_shown << Shown{prompt, title, style, false};
    if (m_answers.isEmpty()) {
        ++m_unexpected;
        return defaultAnswer(style);
    }
    return m_answers.takeFirst();
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    m_shown << Shown{prompt, title, 0, true};
    if (m_inputs.isEmpty()) {
        ++m_unexpected;
        return defaultText;
    }
    return m_inputs.takeFirst();
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &defaultName, const QString &, const QString &)
{
    m_shown << Shown{defaultName, title, 0, true};
    if (m_saves.isEmpty()) {
        ++m_unexpected;
        return QString();
    }
    return m_saves.takeFirst();
}

QString ScriptedDialogs::saveFileAs(const SaveFileRequest &request)
{
    m_saveRequests << request;
    if (m_saves.isEmpty()) {
        ++m_unexpected;
        return QString();
    }
    return m_saves.takeFirst();
}
