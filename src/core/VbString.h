#pragma once

#include <QString>
#include <QStringList>

// String primitives with the semantics the page parsers were written for:
// positions are 1-based character indexes, 0 means "not found", and every
// search is case-sensitive. Texts are Latin-1 (one byte = one character), so
// a position is also the byte offset + 1 in the cached page.
//
// Arguments that are invalid for these primitives (a start below 1, a
// negative length) raise vb::Error 5, as the parsers expect: a search that
// found nothing gives 0, and cutting from there is how a page without its
// content reports itself. Callers that must not fail catch vb::Error.
namespace vb {

// A run-time error: its number and the standard description.
struct Error
{
    int number = 0;
    QString description;
};

enum : int {
    InvalidCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

// The standard description of an error number ("Type mismatch" for 13).
QString errorDescription(int number);
[[noreturn]] void raise(int number);

// Position of the first find in s at or after start (1-based); 0 when absent,
// when s is empty or when start is past the end. An empty find gives start.
// start < 1 raises error 5.
int InStr(int start, const QString &s, const QString &find);
inline int InStr(const QString &s, const QString &find) { return InStr(1, s, find); }

// Position of the last find that lies wholly within the first start
// characters of s (start = -1: the whole of s); 0 when absent or when start
// is past the end. An empty find gives start. start 0 or below -1 raises 5.
int InStrRev(const QString &s, const QString &find, int start = -1);

// length characters from start (1-based); fewer at the end of s, "" when
// start is past it. start < 1 or length < 0 raises error 5.
QString Mid(const QString &s, int start, int length);
// From start to the end of s.
QString Mid(const QString &s, int start);

// The first / last n characters (all of s when it is shorter). n < 0 raises 5.
QString Left(const QString &s, int n);
QString Right(const QString &s, int n);

inline int Len(const QString &s) { return int(s.size()); }

// Every occurrence of find replaced, left to right, case-sensitive. An empty
// find leaves s as it is.
QString Replace(const QString &s, const QString &find, const QString &with);

// Blanks (spaces only, not tabs or line breaks) removed from the ends.
QString Trim(const QString &s);
QString LTrim(const QString &s);
QString RTrim(const QString &s);

// The pieces between the delimiters, empty ones kept. An empty s gives an
// empty list (not one empty piece); an empty delimiter gives s whole.
QStringList Split(const QString &s, const QString &delimiter);

// The number at the start of s: blanks, tabs and line feeds are skipped
// wherever they stand, then an optional sign, digits, one "." and an optional
// exponent (E or D) are read up to the first other character. 0 when no
// digit is found. Never fails.
double Val(const QString &s);

// s as a whole number, rounded to even at .5: the text must read as a number
// (blanks around it allowed). Raises 13 when it does not, 6 when the value
// does not fit (32-bit for CLng, 16-bit for CInt).
qint32 CLng(const QString &s);
qint16 CInt(const QString &s);

} // namespace vb
