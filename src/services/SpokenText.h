#pragma once

#include <QString>
#include <QStringList>

// A text being read aloud, as sentences: the engine speaks from one
// sentence to the end, and rewind and forward move that start one sentence
// back or on (the engine itself has no such call).
class SpokenText
{
public:
    void setText(const QString &text);
    // The text from the current sentence to the end.
    QString fromCurrent() const;
    // One sentence back (not before the first) or on (not past the last).
    void rewind();
    void forward();
    int current() const { return m_current; }
    int count() const { return int(m_sentences.size()); }
    const QStringList &sentences() const { return m_sentences; }

private:
    QStringList m_sentences;
    int m_current = 0;
};
