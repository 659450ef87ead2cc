#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers message and input boxes from a script, and remembers what was
// shown. Installed for its lifetime. A box with no scripted answer left
// gets the box's default answer and counts as unexpected.
class ScriptedDialogs : public DialogHandler
{
public:
    struct Shown
    {
        QString prompt;
        QString title;
        int style = 0;
        bool input = false;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answer(int msgAnswer) { m_answers << msgAnswer; }
    void answerInput(const QString &text) { m_inputs << text; }
    // The next save dialog answers this path ("" is a cancel).
    void answerSave(const QString &path) { m_saves << path; }
    // What each save dialog with file types was asked to show, in order.
    const QList<SaveFileRequest> &saveRequests() const { return m_saveRequests; }

    const QList<Shown> &shown() const { return m_shown; }
    int unexpected() const { return m_unexpected; }
    void clear() { m_shown.clear(); }

    int message(const QString &prompt, int style, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString saveFile(const QString &title, const QString &defaultName, const QString &filterDescription,
                     const QString &extension) override;
    QString saveFileAs(const SaveFileRequest &request) override;

private:
    DialogHandler *m_previous = nullptr;
    QList<int> m_answers;
    QStringList m_inputs;
    QStringList m_saves;
    QList<Shown> m_shown;
    QList<SaveFileRequest> m_saveRequests;
    int m_unexpected = 0;
};
