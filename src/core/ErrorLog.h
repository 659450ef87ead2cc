#pragma once

#include <QList>
#include <QString>

// Appends a record of a failure to "ErrorLog.txt" in the program folder and,
// when asked and not switched off by the user ("ErrorTraping"), tells the
// user in a message box whose Cancel switches such messages off for good.
// Never fails itself: a log that cannot be written loses the record.
void ErrorTrap(const QString &Description, float Number, const QString &Source, const QString &Where,
               bool ShowMessage);

// Many records logged silently at once: one write to the log, one yield.
struct ErrorRecord
{
    QString description;
    float number = 0;
    QString source;
    QString where;
};
void ErrorTrapAll(const QList<ErrorRecord> &records);

// The source name recorded for the program's own errors.
inline constexpr const char *ErrSource = "Brindlewick";

// Error numbers recorded for the failures the program logs itself.
namespace ErrNo {
inline constexpr int InvalidCall = 5;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int InputPastEnd = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathNotFound = 76;
} // namespace ErrNo

// The text of the time line of a record: the time of day, without a date.
QString errorLogTime();
