#include "platform/Latin1File.h"

#include "platform/PathResolver.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

QByteArray toLatin1Bytes(const QString &text)
{
    QByteArray bytes;
    bytes.resize(text.size());
    toLatin1At(text, text.size(), bytes.data());
    return bytes;
}

void toLatin1At(const QString &text, qsizetype count, char *out)
{
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t c = in[i].unicode();
        out[i] = c < 256 ? char(c) : '?';
    }
}

std::optional<QByteArray> readBinaryFile(const QString &path)
{
    QFile f(resolvePath(path));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

std::optional<QString> readLatin1File(const QString &path)
{
    const auto bytes = readBinaryFile(path);
    if (!bytes)
        return std::nullopt;
    return QString::fromLatin1(*bytes);
}

bool appendLatin1File(const QString &path, const QString &text)
{
    QFile f(resolvePath(path));
    const bool created = !f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    if (created)
        notePathCreated(f.fileName());
    const QByteArray bytes = toLatin1Bytes(text);
    return f.write(bytes) == bytes.size();
}

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *why)
{
    QSaveFile f(resolvePath(path));
    const auto failed = [&] {
        if (why)
            *why = f.errorString();
        f.cancelWriting();
        return false;
    };
    // Unbuffered: a buffered write fails only when flushed, which commit()
    // can miss. A short write is followed by another, which fails with the
    // system's reason (a full disk, a size limit).
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return failed();
        done += n;
    }
    if (!f.commit()) {
        if (why)
            *why = f.errorString();
        return false;
    }
    notePathCreated(f.fileName());
    return true;
}

namespace {

// All the bytes into fd from its first byte; false on any failure.
bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return false;
    }
    return true;
}

// A new page beside the old one, renamed over it.
bool replaceByRename(const QByteArray &target, const QByteArray &bytes)
{
    const QByteArray temporary = target + ".part";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes);
    if (::close(fd) != 0 || !written || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

} // namespace

bool savePageFile(const QString &path, const QByteArray &bytes)
{
    const QString real = resolvePath(path);
    const QByteArray target = QFile::encodeName(real);
    // A page written before is written over where it stands (a new file
    // each time costs the file system far more than the writing). The room
    // for the new page is taken first, so a full disk or a size limit stops
    // the write before the old page is touched.
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            return false;
        const int created = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (created < 0)
            return false;
        const bool written = writeAll(created, bytes);
        if (::close(created) != 0 || !written) {
            ::unlink(target.constData()); // no page rather than half of one
            return false;
        }
        notePathCreated(real);
        return true;
    }
    const int room = bytes.isEmpty() || ::fallocate(fd, 0, 0, off_t(bytes.size())) == 0 ? 0 : errno;
    if (room == EOPNOTSUPP || room == ENOSYS) {
        ::close(fd);
        return replaceByRename(target, bytes); // a file system that cannot take room first
    }
    if (room != 0) {
        ::close(fd);
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(target.constData()); // no page rather than a damaged one
        notePathRemoved(real);
        return false;
    }
    return true;
}

bool removeFile(const QString &path)
{
    const QString real = resolvePath(path);
    if (!QFile::remove(real))
        return false;
    notePathRemoved(real);
    return true;
}

bool saveLatin1File(const QString &path, const QString &text)
{
    return saveFileAtomically(path, toLatin1Bytes(text));
}
