#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>

SingleInstance::SingleInstance(const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("Brindlewick.lock")))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_lock && m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a copy that crashed is taken over (its process is gone).
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
