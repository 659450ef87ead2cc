#pragma once

#include "platform/FileStamp.h"

#include <QString>
#include <optional>

// A per-user store of named string values grouped under key paths, kept as
// INI files in the user's config folder. It stands in for the registry:
// a key path "Software\<Org>\<App>[\Sub...]" lives in the file
// "<config>/<Org>/<App>.conf"; the application key's values sit in its
// [General] section and each subkey is a section of the same file.
//
// Key paths may use "\" or "/" and may end with a separator; letter case of
// key paths is ignored. A value can only be written into a key that was
// created first, as with the registry.
class SettingsStore
{
public:
    // The folder that holds the settings files (XDG config home).
    static QString configRoot();

    // Creates the key (and every key above it up to the application key).
    static bool createKey(const QString &keyPath);
    static bool keyExists(const QString &keyPath);

    // nullopt when the key or the value is absent; "" is a present value.
    static std::optional<QString> value(const QString &keyPath, const QString &name);

    // Stores the text; false (nothing stored, and reading the value gives
    // what it was) when the key was never created or the file could not be
    // written.
    static bool setValue(const QString &keyPath, const QString &name, const QString &text);

    // The settings file behind a key path ("" for a path outside "Software\<Org>\<App>").
    static QString fileFor(const QString &keyPath);
    // fileFor and the stamp of that file (nullopt: no file there yet), in
    // one look at the disk when it exists as named.
    static std::optional<FileStamp> fileStampFor(const QString &keyPath, QString *file);

    // True when a settings file was cut off or garbled: it holds a NUL byte
    // or a line that is neither a [section], a ;comment nor name=value (the
    // next write would drop such lines). A missing file is not damaged.
    static bool fileDamaged(const QString &file);
    // How many values a settings file holds, its record of keys not counted.
    static int valueCount(const QString &file);

    // Counts the writes of this program, so that a value kept from an
    // earlier read is known to be out of date (with the file's stamp for
    // writes from outside).
    static quint64 changes();
};
