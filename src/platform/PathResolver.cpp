#include "platform/PathResolver.h"

#include "platform/FileStamp.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::optional<FileStamp> folderStamp(const QString &folder)
{
    const std::optional<FileStamp> stamp = fileStamp(folder);
    return stamp && stamp->folder ? stamp : std::nullopt;
}

// A folder's names by their case-folded spelling, so that a name missing
// under the spelling asked for is found under another in one step rather
// than by listing a cache folder of thousands of pages per look-up. An
// index serves while the folder keeps the stamp it was made at (the
// program's own writes keep both up to date, see notePathCreated), and for
// a second at most: another program's change that fell within the file
// system's clock tick would leave the stamp as it was.
struct FolderIndex
{
    FileStamp stamp;
    QElapsedTimer age;
    QHash<QString, QStringList> names; // folded -> the spellings on disk, first as a sorted listing gives them
};

constexpr qint64 IndexLifetimeMs = 1000;
constexpr qsizetype MaxIndexes = 64;

QHash<QString, FolderIndex> &indexes()
{
    static QHash<QString, FolderIndex> all;
    return all;
}

// A listing sorted by name ignoring case, and by the exact spelling among
// names equal but for case.
bool listsBefore(const QString &a, const QString &b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c < 0 || (c == 0 && a < b);
}

void addName(FolderIndex &index, const QString &name)
{
    QStringList &spellings = index.names[name.toCaseFolded()];
    if (spellings.contains(name))
        return;
    spellings.insert(std::lower_bound(spellings.begin(), spellings.end(), name, listsBefore), name);
}

FolderIndex *currentIndex(const QString &folder)
{
    const std::optional<FileStamp> now = folderStamp(folder);
    if (!now)
        return nullptr;
    auto &all = indexes();
    auto found = all.find(folder);
    if (found != all.end() && found->stamp == *now && found->age.elapsed() < IndexLifetimeMs)
        return &*found;
    if (found == all.end()) {
        if (all.size() >= MaxIndexes)
            all.clear();
        found = all.insert(folder, FolderIndex{});
    }
    FolderIndex &index = *found;
    index.names.clear();
    index.stamp = *now;
    index.age.start();
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        addName(index, it.fileName());
    }
    return &index;
}

// The spelling on disk of `name` in the existing folder `here`; "" when no
// entry matches it without regard to case.
QString matchIn(const QString &here, const QString &name)
{
    const FolderIndex *index = currentIndex(here);
    if (!index)
        return QString();
    const auto found = index->names.constFind(name.toCaseFolded());
    return found == index->names.cend() ? QString() : found->constFirst();
}

bool isDots(const QString &part)
{
    return part == QLatin1String(".") || part == QLatin1String("..");
}

// Component after component, each matched in the folder built so far.
QString walk(const QStringList &parts, bool absolute)
{
    QString current = absolute ? QStringLiteral("/") : QString();
    bool onDisk = true; // the folder built so far exists, so its entries can be looked up
    for (const QString &part : parts) {
        QString name = part;
        if (onDisk && !isDots(part)) {
            const QString here = current.isEmpty() ? QStringLiteral(".") : current;
            if (!QFileInfo::exists(here + QLatin1Char('/') + part)) {
                name = matchIn(here, part);
                if (name.isEmpty()) {
                    name = part;
                    onDisk = false;
                }
            }
        }
        if (!current.isEmpty() && !current.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
        current += name;
    }
    return current;
}

// The folder part and the name part of a resolved path.
void split(const QString &realPath, QString &folder, QString &name)
{
    const qsizetype slash = realPath.lastIndexOf(QLatin1Char('/'));
    folder = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : realPath.left(slash);
    name = realPath.mid(slash + 1);
}

// After the program's own change: the index stays, at the folder's new stamp.
void restamp(QHash<QString, FolderIndex> &all, QHash<QString, FolderIndex>::iterator index)
{
    if (const std::optional<FileStamp> now = folderStamp(index.key()))
        index->stamp = *now;
    else
        all.erase(index);
}

} // namespace

namespace {

// The path with '/' between its names: backslashes turned, repeated and
// trailing separators dropped (a leading one kept), nothing else changed.
QString plainPath(const QString &path)
{
    QString plain(path.size(), Qt::Uninitialized);
    QChar *out = plain.data();
    qsizetype n = 0;
    for (QChar c : path) {
        if (c == QLatin1Char('\\'))
            c = QLatin1Char('/');
        if (c == QLatin1Char('/') && n > 0 && out[n - 1] == QLatin1Char('/'))
            continue;
        out[n++] = c;
    }
    if (n > 1 && out[n - 1] == QLatin1Char('/'))
        --n;
    plain.truncate(n);
    return plain;
}

// Something is at the path (a link is followed).
bool existsAt(const QString &plain)
{
    if (plain.startsWith(QLatin1Char(':')))
        return QFileInfo::exists(plain); // a resource, not a file on disk
    struct stat st;
    return ::stat(QFile::encodeName(plain).constData(), &st) == 0;
}

} // namespace

QString resolvePath(const QString &path)
{
    const QString plain = plainPath(path);
    if (plain.isEmpty() || plain == QLatin1String("/"))
        return plain;
    const bool absolute = plain.startsWith(QLatin1Char('/'));

    // A path that exists as written is spelled as on disk all through.
    if (existsAt(plain))
        return plain;
    // Most often only the last name is new and its folder exists as written.
    const qsizetype slash = plain.lastIndexOf(QLatin1Char('/'));
    const QString last = plain.mid(slash + 1);
    if (slash > 0 && !isDots(last)) {
        const QString folder = plain.left(slash);
        if (QFileInfo(folder).isDir()) {
            const QString name = matchIn(folder, last);
            return folder + QLatin1Char('/') + (name.isEmpty() ? last : name);
        }
    }
    return walk(plain.split(QLatin1Char('/'), Qt::SkipEmptyParts), absolute);
}

namespace {

// A path that cannot be looked at as written without resolving it first.
bool needsResolving(const QString &plain)
{
    return plain.isEmpty() || plain == QLatin1String("/") || plain.startsWith(QLatin1Char(':'));
}

} // namespace

bool statResolved(const QString &path, QString *real, struct stat *st)
{
    const QString plain = plainPath(path);
    // What exists as written is spelled as on disk all through.
    if (!needsResolving(plain) && ::stat(QFile::encodeName(plain).constData(), st) == 0) {
        *real = plain;
        return true;
    }
    *real = resolvePath(path);
    return !real->startsWith(QLatin1Char(':')) && ::stat(QFile::encodeName(*real).constData(), st) == 0;
}

int openResolved(const QString &path, int flags, QString *real)
{
    const QString plain = plainPath(path);
    if (!needsResolving(plain)) {
        const int fd = ::open(QFile::encodeName(plain).constData(), flags);
        if (fd >= 0) {
            *real = plain;
            return fd;
        }
    }
    *real = resolvePath(path);
    if (real->startsWith(QLatin1Char(':'))) {
        errno = ENOENT;
        return -1;
    }
    return ::open(QFile::encodeName(*real).constData(), flags);
}

namespace {

// After the program's own change of one name in a folder with an index:
// the index changed by it and kept at the folder's new stamp.
template <class Change>
void noteChange(const QString &realPath, Change change)
{
    QString folder, name;
    split(realPath, folder, name);
    auto &all = indexes();
    const auto found = all.find(folder);
    if (found == all.end())
        return;
    change(*found, name);
    restamp(all, found);
}

} // namespace

void notePathCreated(const QString &realPath)
{
    noteChange(realPath, [](FolderIndex &index, const QString &name) { addName(index, name); });
}

void notePathRemoved(const QString &realPath)
{
    noteChange(realPath, [](FolderIndex &index, const QString &name) {
        if (auto spellings = index.names.find(name.toCaseFolded()); spellings != index.names.end()) {
            spellings->removeOne(name);
            if (spellings->isEmpty())
                index.names.erase(spellings);
        }
    });
}
