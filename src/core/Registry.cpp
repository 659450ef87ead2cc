#include "core/Registry.h"

#include <cmath>

#include "core/ErrorLog.h"
#include "platform/SettingsStore.h"

#include <QDir>

void CreateNewKey(RootKey, const QString &keyPath)
{
    SettingsStore::createKey(keyPath);
}

bool SetKeyValue(RootKey, const QString &keyPath, const QString &valueName, const Variant &value, int valueType)
{
    if (!SettingsStore::keyExists(keyPath))
        return false;
    if (SetValueEx(RegKey{keyPath}, valueName, valueType, value) == ERROR_SUCCESS)
        return true;
    ErrorTrap(QStringLiteral("Permission denied"), ErrNo::PermissionDenied, ErrSource,
              QStringLiteral("mdlRegistry_SetKeyValue"), false);
    return false;
}

QString settingNotSavedMessage()
{
    return QStringLiteral("The setting could not be saved to\r\n")
           + QDir::toNativeSeparators(SettingsStore::fileFor(QString::fromLatin1(ProgramKey)))
           + QStringLiteral("\r\n(the file could not be written: the disk may be full or the file read-only).\r\n\r\n"
                            "The change is not kept. Make room on the disk and try again.");
}

long SetValueEx(const RegKey &key, const QString &valueName, int valueType, const Variant &value)
{
    if (valueType != REG_SZ)
        return ERROR_INVALID_PARAMETER;
    return SettingsStore::setValue(key.path, valueName, value.toString()) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

long QueryValueEx(const RegKey &key, const QString &valueName, Variant &value)
{
    const auto text = SettingsStore::value(key.path, valueName);
    if (!text)
        return -1;
    value = Variant(*text);
    return ERROR_SUCCESS;
}

Variant QueryValue(RootKey, const QString &keyPath, const QString &valueName)
{
    Variant v;
    QueryValueEx(RegKey{keyPath}, valueName, v);
    return v;
}

int QuerySettingInRange(const QString &name, int lo, int hi, int fallback)
{
    const Variant v = QuerySetting(name);
    if (v.toString().trimmed().isEmpty() || !v.isNumeric())
        return fallback;
    const double d = std::nearbyint(v.toDouble());
    if (!std::isfinite(d) || d < lo || d > hi)
        return fallback;
    return int(d);
}
