#include "platform/Latin1File.h"

#include "platform/FileSwap.h"
#include "platform/PathResolver.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<int(const QString &)> &writeFault()
{
    static std::function<int(const QString &)> fault;
    return fault;
}

// The error a test makes writes to this file fail with; 0 when none.
int injectedWriteFault(const QString &realPath)
{
    return writeFault() ? writeFault()(realPath) : 0;
}

} // namespace

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
    QFile f(resolvePath(path));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    // Widened a piece at a time straight into the text, so a big page is
    // never held as its bytes and its text at once.
    QString text(qsizetype(qMax<qint64>(f.size(), 0)), Qt::Uninitialized);
    QStringDecoder latin1(QStringDecoder::Latin1);
    char piece[32 * 1024];
    qsizetype filled = 0;
    for (qint64 got; (got = f.read(piece, sizeof piece)) > 0; filled += got) {
        if (filled + got > text.size()) // the file grew while it was read
            text.resize(filled + got);
        latin1.appendToBuffer(text.data() + filled, QByteArrayView(piece, got));
    }
    if (!filled)
        return QString();
    text.truncate(filled);
    return text;
}

bool appendLatin1File(const QString &path, const QString &text)
{
    QFile f(resolvePath(path));
    const bool created = !f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    if (created)
        notePathCreated(f.fileName());
    if (injectedWriteFault(f.fileName()) != 0)
        return false;
    const QByteArray bytes = toLatin1Bytes(text);
    return f.write(bytes) == bytes.size() && f.flush();
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
    if (const int fault = injectedWriteFault(f.fileName())) {
        if (why)
            *why = QString::fromLocal8Bit(std::strerror(fault));
        f.cancelWriting();
        return false;
    }
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
// Whether the file open at fd (-1: none could be opened) already holds
// exactly these bytes (a page that did not change since it was last
// fetched): it is then left as it stands. fd is closed.
bool holdsAlready(int fd, const QByteArray &bytes)
{
    if (fd < 0)
        return false;
    struct stat st {};
    bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == off_t(bytes.size());
    if (same) {
        QByteArray old(bytes.size(), Qt::Uninitialized);
        qsizetype got = 0;
        while (got < old.size()) {
            const ssize_t n = ::read(fd, old.data() + got, size_t(old.size() - got));
            if (n <= 0)
                break;
            got += n;
        }
        same = got == old.size() && old == bytes;
    }
    ::close(fd);
    return same;
}
} // namespace

bool savePageFile(const QString &path, const QByteArray &bytes, QString *why)
{
    QString real;
    const int fd = openResolved(path, O_RDONLY | O_CLOEXEC, &real);
    if (holdsAlready(fd, bytes))
        return true;
    const QByteArray target = QFile::encodeName(real);
    // Written beside the old page and put in its place in one step, so the
    // file under the page's name is always the old page or the whole new
    // one, whenever the program stops. Its room is taken first, so a full
    // disk stops the write before it starts.
    if (const int error = swapInFile(target, bytes, {.reserveRoom = true, .fault = injectedWriteFault(real)})) {
        if (why)
            *why = QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    notePathCreated(real);
    return true;
}

void setWriteFault(std::function<int(const QString &realPath)> fault)
{
    writeFault() = std::move(fault);
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
