#include "services/SpokenText.h"

#include <QRegularExpression>

void SpokenText::setText(const QString &text)
{
    m_sentences.clear();
    m_current = 0;
    // A sentence ends at ". ", "! ", "? " or a line break, which stay with it.
    static const QRegularExpression end(QStringLiteral("(?<=[.!?])\\s+|(?<=\\n)"));
    for (const QString &part : text.split(end, Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty())
            m_sentences << part;
}

QString SpokenText::fromCurrent() const
{
    return m_sentences.mid(m_current).join(QLatin1Char(' '));
}

void SpokenText::rewind()
{
    if (m_current > 0)
        --m_current;
}

void SpokenText::forward()
{
    if (m_current < m_sentences.size() - 1)
        ++m_current;
}
