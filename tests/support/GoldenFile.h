#pragma once

#include <QByteArray>
#include <QString>

// Compares the bytes of a written file with tests/fixtures/<relative>, byte
// for byte (line ends included); on a difference returns false and
// describes the first differing line in *why, with CR, LF and tab written
// out. With the environment variable BW_UPDATE_GOLDEN=1 the file is written
// instead.
bool matchesGoldenFile(const QByteArray &actual, const QString &relative, QString *why);

#define QCOMPARE_GOLDEN_FILE(bytes, relative)                                                          \
    do {                                                                                               \
        QString goldenWhy_;                                                                            \
        QVERIFY2(matchesGoldenFile((bytes), (relative), &goldenWhy_), qPrintable(goldenWhy_));         \
    } while (false)
