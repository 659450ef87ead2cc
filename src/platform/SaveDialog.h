#pragma once

#include <QString>
#include <QStringList>

// The save-as dialog of the exports. The caller proposes a file name, an
// extension and the file types, calls ShowSave and reads the chosen file
// back whole and split into folder, name and extension. One object per use.
// The dialog itself is the installed DialogHandler's (see Dialogs.h); with
// none installed ShowSave is a cancel.
class clsSaveDialog
{
public:
    // The name shown in the dialog's name box.
    QString DefaultFileName() const { return m_defaultFileName; }
    void setDefaultFileName(const QString &name) { m_defaultFileName = name; }
    // Added to a name typed without an extension; it also picks the first
    // file type that holds it.
    QString DefaultExtension() const { return m_defaultExtension; }
    void setDefaultExtension(const QString &extension) { m_defaultExtension = extension; }
    // "Save As..." unless set.
    QString DialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString &title) { m_dialogTitle = title; }
    // The folder the dialog opens in; "" lets the dialog choose (the user's
    // home folder).
    QString InitialFolder() const { return m_initialFolder; }
    void setInitialFolder(const QString &folder) { m_initialFolder = folder; }

    // Adds the file type "Description (*.Extension)" after those already
    // added. A second type with an extension already listed (in any letter
    // case) is not added.
    void AddFilter(const QString &Description, const QString &Extension);
    QStringList Filters() const { return m_filters; }
    // Drops the file type of this extension (any letter case); an unknown
    // one is ignored.
    void RemoveFilter(const QString &Extension);
    void ClearAllFilters();

    // Shows the dialog. When a file is chosen the results below are set; a
    // cancel leaves them as they were, so on a fresh object FileName stays
    // "" (which is how callers tell a cancel).
    void ShowSave();

    QString PathFile() const { return m_pathFile; }   // the whole path
    QString Path() const { return m_path; }           // the folder, with its trailing "/"
    QString FileName() const { return m_fileName; }   // name and extension
    QString Extension() const { return m_extension; } // without the point; "" when there is none
    // The name as the dialog titles it (name and extension); set by the
    // caller, replaced by a choice.
    QString FileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString &title) { m_fileTitle = title; }
    // Files here have no separate short names: the short forms read as the
    // names themselves.
    QString ShortFileName() const { return m_pathFile; }
    QString ShortFileTitle() const { return m_fileTitle; }
    // The dialog shows no read-only box.
    bool ReadOnly() const { return false; }

private:
    QString m_defaultFileName;
    QString m_defaultExtension;
    QString m_dialogTitle = QStringLiteral("Save As...");
    QString m_initialFolder;
    QStringList m_filters;
    QStringList m_filterKeys; // the extensions of m_filters, upper case
    QString m_pathFile, m_path, m_fileName, m_extension, m_fileTitle;
};
