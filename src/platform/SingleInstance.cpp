#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

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

// True while the copy a lock names may still run: a process of that
// number lives on this machine under the program's name (or the lock was
// taken on another machine, which cannot be asked).
bool holderMayRun(qint64 pid, const QString &host, const QString &app)
{
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    if (pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    // A number handed on to another program since (after a restart, say):
    // not a copy of this one. Names are compared without regard to case.
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (app.isEmpty() || !comm.open(QIODevice::ReadOnly))
        return true;
    const QString name = QString::fromLocal8Bit(comm.readAll()).trimmed();
    const QString exe = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid))).fileName();
    return app.left(15).compare(name, Qt::CaseInsensitive) == 0 || app.compare(exe, Qt::CaseInsensitive) == 0
           || name.isEmpty();
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
        if (m_lock->getLockInfo(&pid, &host, &app)) {
            if (holderMayRun(pid, host, app))
                return HeldByAnother;
            // Left by a copy that was killed, and not taken over (with a
            // full disk the lock's own helper file cannot be written): it
            // goes, and the lock is taken once more.
            if (QFile::remove(m_path) && m_lock->tryLock(0))
                return Taken;
            m_error = whyNotWritable(m_path);
            return NotWritten;
        }
        // A lock that names no copy (left empty by a disk that was full
        // when it was written) holds nobody back: it goes, and once more.
        if (QFileInfo(m_path).isFile() && QFile::remove(m_path) && m_lock->tryLock(0))
            return Taken;
    }
    m_error = whyNotWritable(m_path);
    return NotWritten;
}
