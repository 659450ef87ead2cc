#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

SingleInstance::SingleInstance(const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("Brindlewick.lock")))
{
}

SingleInstance::~SingleInstance() = default;

namespace {

// Why a file cannot be written at path: the system's own words, found by
// trying (the lock file itself gives no reason). The trial leaves nothing.
QString whyNotWritable(const QString &path)
{
    QFile probe(path);
    if (probe.exists()) {
        if (!probe.open(QIODevice::ReadWrite))
            return probe.errorString();
        return QStringLiteral("the old lock file could not be replaced");
    }
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    const bool written = probe.write(QByteArray(64, ' ')) == 64 && probe.flush();
    const QString why = probe.errorString();
    probe.close();
    QFile::remove(path);
    return written ? QStringLiteral("the lock could not be taken") : why;
}

} // namespace

SingleInstance::Result SingleInstance::acquire()
{
    if (m_lock && m_lock->isLocked())
        return Taken;
    m_error.clear();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a copy that crashed is taken over (its process is gone).
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Taken;
    if (m_lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        if (m_lock->getLockInfo(&pid, &host, &app))
            return HeldByAnother;
        // A lock that names no copy (left empty by a disk that was full
        // when it was written) holds nobody back: it goes, and once more.
        if (QFileInfo(m_path).isFile() && QFile::remove(m_path) && m_lock->tryLock(0))
            return Taken;
    }
    m_error = whyNotWritable(m_path);
    return NotWritten;
}
