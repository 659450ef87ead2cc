// The text helpers and the 1-based string steps every parser is built on,
// on any text and any positions.
#include "FuzzProfile.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzProgramFolder();
    if (size < 4)
        return 0;
    // Two small numbers, then the text split in two at its first NUL.
    const int a = int(int8_t(data[0])) * 3;
    const int b = int(int8_t(data[1])) * 3;
    const QByteArray rest = fuzzBytes(data + 2, size - 2);
    const qsizetype cut = rest.indexOf('\0');
    const QString s = QString::fromLatin1(cut < 0 ? rest : rest.left(cut));
    const QString t = QString::fromLatin1(cut < 0 ? QByteArray() : rest.mid(cut + 1));
    try {
        (void)vb::InStr(s, t);
        (void)vb::InStr(a, s, t);
        (void)vb::Mid(s, a, b);
        (void)vb::Mid(s, a);
        (void)vb::Left(s, a);
        (void)vb::Right(s, a);
        (void)vb::Replace(s, t, QStringLiteral("x"));
        (void)vb::Trim(s);
        (void)vb::InStrRev(s, t, b);
        (void)vb::Split(s, t);
        (void)vb::Val(s);
        (void)vb::CLng(s);
        (void)vb::CInt(s);
    } catch (const vb::Error &) {
        // A call the string steps refuse is an error the callers catch.
    }
    (void)FormatP(s, a & 1);
    Variant v(s);
    (void)NumOrZero(v);
    QString cell = s;
    (void)HtmlText(cell, a & 1, b & 1, (a ^ b) & 1);
    QString html = s + t;
    (void)GetTable(html, short(a));
    return 0;
}
