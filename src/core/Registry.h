#pragma once

#include "core/Variant.h"

#include <QString>

// The program's settings: string values under one per-user key, and the
// stock-set names under its "Groups" subkey. Each call opens the key, acts
// and lets it go; nothing is cached.

enum class RootKey { CurrentUser };
inline constexpr RootKey HKEY_CURRENT_USER = RootKey::CurrentUser;

inline constexpr const char *ProgramKey = "Software\\Pellor\\Brindlewick5";
inline constexpr const char *GroupsKey = "Software\\Pellor\\Brindlewick5\\Groups";

// Value types: only text values exist in this store; numbers are written as
// their decimal text.
inline constexpr int REG_SZ = 1;
inline constexpr int REG_DWORD = 4;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_INVALID_PARAMETER = 87;

// An open key.
struct RegKey
{
    QString path;
};

// Creates (or opens) the key; failures are not reported.
void CreateNewKey(RootKey root, const QString &keyPath);

// Writes a value into an existing key; a key never created stores nothing.
// False when nothing was stored (the failure is logged); callers the user
// started tell the user with settingNotSavedMessage.
bool SetKeyValue(RootKey root, const QString &keyPath, const QString &valueName, const Variant &value, int valueType);

// What the user is told when a setting could not be written.
QString settingNotSavedMessage();

// Stores the value as text for REG_SZ; any other type stores nothing.
// Returns 0 on success.
long SetValueEx(const RegKey &key, const QString &valueName, int valueType, const Variant &value);

// Sets value to the stored text and returns 0; leaves value untouched and
// returns -1 when the value is absent.
long QueryValueEx(const RegKey &key, const QString &valueName, Variant &value);

// The stored text, or Empty when the key or value is absent.
Variant QueryValue(RootKey root, const QString &keyPath, const QString &valueName);

// Shorthands for the program key used all over the program.
inline Variant QuerySetting(const QString &name) { return QueryValue(HKEY_CURRENT_USER, ProgramKey, name); }
inline bool SaveSetting(const QString &name, const Variant &value)
{
    return SetKeyValue(HKEY_CURRENT_USER, ProgramKey, name, value, REG_SZ);
}

// A stored number of the program key, rounded to a whole number, when it
// lies within [lo, hi]; fallback when it is absent, no number, or outside
// the range (a damaged or hand-edited settings file), so nothing out of
// range is ever converted.
int QuerySettingInRange(const QString &name, int lo, int hi, int fallback);
