#include "support/TempProfile.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "platform/SettingsStore.h"

#include <QDir>

TempProfile::TempProfile()
{
    m_hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_oldData = qgetenv("XDG_DATA_HOME");
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    m_oldDataDir = DataDir;

    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configDir().toLocal8Bit());
    InitDataDir();
}

TempProfile::~TempProfile()
{
    if (m_hadData)
        qputenv("XDG_DATA_HOME", m_oldData);
    else
        qunsetenv("XDG_DATA_HOME");
    if (m_hadConfig)
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
    DataDir = m_oldDataDir;
}

QString TempProfile::dataDir() const
{
    return DataDir;
}

QString TempProfile::configDir() const
{
    return m_dir.path() + QStringLiteral("/config");
}

QString TempProfile::settingsFile() const
{
    return SettingsStore::fileFor(QString::fromLatin1(ProgramKey));
}

void TempProfile::createProgramKey() const
{
    CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(ProgramKey));
    CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey));
}
