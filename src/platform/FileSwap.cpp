#include "platform/FileSwap.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// All the bytes into fd from its first byte; false (errno set) on any failure.
bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
    }
    return true;
}

// The spare opened for writing over: a plain file of its own (not linked
// under another name), else made anew; *st tells what it is now. -1 (errno
// set) when it cannot be.
int openSpare(const QByteArray &spare, struct stat *st)
{
    int fd = ::open(spare.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 && ::fstat(fd, st) == 0 && S_ISREG(st->st_mode) && st->st_nlink == 1)
        return fd;
    if (fd >= 0)
        ::close(fd);
    ::unlink(spare.constData());
    fd = ::open(spare.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 && ::fstat(fd, st) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

QByteArray spareFileFor(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return (slash < 0 ? QByteArray() : target.left(slash + 1)) + ".spare";
}

int swapInFile(const QByteArray &target, const QByteArray &bytes, const SwapOptions &options)
{
    struct stat old {};
    // Only a plain file trades places; anything else (a folder, a link) is
    // renamed over, or refuses it, as before.
    const bool swap = ::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    // A file new to the folder takes a new file of its own, with the
    // permissions any new file gets.
    const QByteArray path = swap ? spareFileFor(target) : target + ".part";
    struct stat spare {}; // a new part is empty
    const int fd = swap ? openSpare(path, &spare)
                        : ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    const off_t size = off_t(bytes.size());
    int error = options.fault;
    // Room the spare holds already is not taken again.
    if (error == 0 && options.reserveRoom && size > spare.st_size && ::fallocate(fd, 0, 0, size) != 0
        && errno != EOPNOTSUPP && errno != ENOSYS)
        error = errno; // a file system that cannot take room first is written all the same
    if (error == 0 && !writeAll(fd, bytes))
        error = errno;
    if (error == 0 && spare.st_size > size && ::ftruncate(fd, size) != 0)
        error = errno;
    if (error == 0 && swap && (spare.st_mode & 07777) != (old.st_mode & 07777))
        ::fchmod(fd, old.st_mode & 07777);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && swap) {
        if (::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            error = errno;
    }
    if (error == 0 && ::rename(path.constData(), target.constData()) != 0)
        error = errno;
    // A spare that could not be written stays for the next write; a new
    // file's part does not.
    if (error != 0 && !swap)
        ::unlink(path.constData());
    return error;
}
