#include "platform/SettingsStore.h"

#include "platform/PathResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

// Section that records which keys exist: INI files cannot hold an empty section.
const QString kKeysSection = QStringLiteral(".keys");
const QString kSelf = QStringLiteral(".");

quint64 g_changes = 0;

struct Location
{
    QString file;     // settings file
    QString group;    // section path inside it ("" = the application key)
    bool valid = false;
};

QStringList components(const QString &keyPath)
{
    QString p = keyPath;
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return p.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// The settings file of a key, its path not yet resolved.
Location locateAsNamed(const QString &keyPath)
{
    const QStringList parts = components(keyPath);
    Location loc;
    if (parts.size() < 3 || parts.at(0).compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0)
        return loc;
    loc.file = SettingsStore::configRoot() + QLatin1Char('/') + parts.at(1) + QLatin1Char('/') + parts.at(2)
               + QStringLiteral(".conf");
    loc.group = parts.mid(3).join(QLatin1Char('/'));
    loc.valid = true;
    return loc;
}

Location locate(const QString &keyPath)
{
    Location loc = locateAsNamed(keyPath);
    if (loc.valid)
        loc.file = resolvePath(loc.file);
    return loc;
}

QString markerName(const Location &loc)
{
    return loc.group.isEmpty() ? kSelf : loc.group.toLower();
}

// Section and value names are matched without regard to letter case, as
// the registry does; a name not yet present keeps the spelling given.
QString matchName(const QStringList &present, const QString &name)
{
    for (const QString &p : present)
        if (p.compare(name, Qt::CaseInsensitive) == 0)
            return p;
    return name;
}

QString valueKey(QSettings &s, const Location &loc, const QString &name)
{
    QStringList real;
    for (const QString &part : loc.group.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        s.beginGroup(real.join(QLatin1Char('/')));
        real << matchName(s.childGroups(), part);
        s.endGroup();
    }
    const QString group = real.join(QLatin1Char('/'));
    s.beginGroup(group);
    const QString key = matchName(s.childKeys(), name);
    s.endGroup();
    return group.isEmpty() ? key : group + QLatin1Char('/') + key;
}

bool exists(QSettings &s, const Location &loc)
{
    return s.value(kKeysSection + QLatin1Char('/') + markerName(loc)).isValid();
}

} // namespace

QString SettingsStore::configRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SettingsStore::fileFor(const QString &keyPath)
{
    return locate(keyPath).file;
}

std::optional<FileStamp> SettingsStore::fileStampFor(const QString &keyPath, QString *file)
{
    // The file of the key asked for last, kept while the config folder stays
    // the same: the site hosts ask for the program's key on every page.
    static QString lastKey, lastRoot;
    static Location last;
    const QString root = configRoot();
    if (keyPath != lastKey || root != lastRoot) {
        last = locateAsNamed(keyPath);
        lastKey = keyPath;
        lastRoot = root;
    }
    const Location &loc = last;
    struct stat st {};
    if (!loc.valid) {
        file->clear();
        return std::nullopt;
    }
    if (!statResolved(loc.file, file, &st))
        return std::nullopt;
    return stampOf(st);
}

bool SettingsStore::createKey(const QString &keyPath)
{
    const Location loc = locate(keyPath);
    if (!loc.valid)
        return false;
    QDir().mkpath(QFileInfo(loc.file).absolutePath());
    ++g_changes;
    QSettings s(loc.file, QSettings::IniFormat);
    s.setValue(kKeysSection + QLatin1Char('/') + kSelf, QStringLiteral("1"));
    QStringList walked;
    for (const QString &part : loc.group.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked << part.toLower();
        s.setValue(kKeysSection + QLatin1Char('/') + walked.join(QLatin1Char('/')), QStringLiteral("1"));
    }
    s.sync();
    return s.status() == QSettings::NoError;
}

bool SettingsStore::keyExists(const QString &keyPath)
{
    const Location loc = locate(keyPath);
    if (!loc.valid || !QFileInfo::exists(loc.file))
        return false;
    QSettings s(loc.file, QSettings::IniFormat);
    return exists(s, loc);
}

std::optional<QString> SettingsStore::value(const QString &keyPath, const QString &name)
{
    const Location loc = locate(keyPath);
    if (!loc.valid || !QFileInfo::exists(loc.file))
        return std::nullopt;
    QSettings s(loc.file, QSettings::IniFormat);
    if (!exists(s, loc))
        return std::nullopt;
    const QVariant v = s.value(valueKey(s, loc, name));
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

bool SettingsStore::setValue(const QString &keyPath, const QString &name, const QString &text)
{
    const Location loc = locate(keyPath);
    if (!loc.valid || !QFileInfo::exists(loc.file))
        return false;
    QSettings s(loc.file, QSettings::IniFormat);
    if (!exists(s, loc))
        return false;
    ++g_changes;
    const QString key = valueKey(s, loc, name);
    const QVariant before = s.value(key);
    s.setValue(key, text);
    s.sync();
    if (s.status() == QSettings::NoError)
        return true;
    // Not on disk: the program's copy of the file goes back to what the
    // file holds, so that nothing reads the lost value as stored.
    if (before.isValid())
        s.setValue(key, before);
    else
        s.remove(key);
    return false;
}

bool SettingsStore::fileDamaged(const QString &file)
{
    QFile f(resolvePath(file));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    if (bytes.contains('\0'))
        return true;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        const bool section = line.startsWith('[') && line.endsWith(']');
        if (!section && !line.contains('='))
            return true;
    }
    return false;
}

int SettingsStore::valueCount(const QString &file)
{
    QSettings s(resolvePath(file), QSettings::IniFormat);
    int n = 0;
    for (const QString &key : s.allKeys())
        if (!key.startsWith(kKeysSection + QLatin1Char('/')))
            ++n;
    return n;
}

quint64 SettingsStore::changes()
{
    return g_changes;
}
