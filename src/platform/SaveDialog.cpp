#include "platform/SaveDialog.h"

#include "platform/Dialogs.h"

#include <QDir>

void clsSaveDialog::AddFilter(const QString &Description, const QString &Extension)
{
    const QString key = Extension.toUpper();
    if (m_filterKeys.contains(key))
        return;
    m_filterKeys << key;
    m_filters << Description + QStringLiteral(" (*.") + Extension + QLatin1Char(')');
}

void clsSaveDialog::RemoveFilter(const QString &Extension)
{
    const qsizetype i = m_filterKeys.indexOf(Extension.toUpper());
    if (i < 0)
        return;
    m_filterKeys.removeAt(i);
    m_filters.removeAt(i);
}

void clsSaveDialog::ClearAllFilters()
{
    m_filterKeys.clear();
    m_filters.clear();
}

void clsSaveDialog::ShowSave()
{
    const QString chosen =
        ::ShowSave(SaveFileRequest{m_dialogTitle, m_defaultFileName, m_initialFolder, m_filters, m_defaultExtension});
    if (chosen.isEmpty())
        return;
    m_pathFile = QDir::fromNativeSeparators(chosen);
    const qsizetype slash = m_pathFile.lastIndexOf(QLatin1Char('/'));
    m_path = m_pathFile.left(slash + 1);
    m_fileName = m_pathFile.mid(slash + 1);
    const qsizetype dot = m_fileName.lastIndexOf(QLatin1Char('.'));
    m_extension = dot < 0 ? QString() : m_fileName.mid(dot + 1);
    m_fileTitle = m_fileName;
}
