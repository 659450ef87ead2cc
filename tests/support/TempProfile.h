#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh user profile for one test: its own data and config folders
// (XDG_DATA_HOME, XDG_CONFIG_HOME) and DataDir pointing into them. The
// previous environment and DataDir come back when it goes out of scope.
class TempProfile
{
public:
    TempProfile();
    ~TempProfile();
    TempProfile(const TempProfile &) = delete;
    TempProfile &operator=(const TempProfile &) = delete;

    QString root() const { return m_dir.path(); }
    QString dataDir() const;    // the program folder of this profile
    QString configDir() const;  // XDG config home of this profile
    QString settingsFile() const;

    // Creates the program key and its "Groups" subkey, as the first run does.
    void createProgramKey() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldData, m_oldConfig;
    bool m_hadData = false, m_hadConfig = false;
    QString m_oldDataDir;
};
