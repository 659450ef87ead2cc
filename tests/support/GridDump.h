#pragma once

#include <QString>

class FlexGrid;

// A grid as plain text for golden files: its size and layout, each row's
// height, and every cell that holds a text or a format of its own (colours
// in hex, "\r" and "\n" written out). Sheet tests compare it with a file
// under tests/fixtures/golden.
QString dumpGrid(const FlexGrid &grid);

// The path of a file under tests/fixtures.
QString fixturePath(const QString &relative);

// Compares text with tests/fixtures/golden/<name>; on a difference returns
// false and describes the first differing line in *why. With the
// environment variable BW_UPDATE_GOLDEN=1 the file is written instead.
bool matchesGolden(const QString &text, const QString &name, QString *why);

// Fails the test function with the first differing line when text differs
// from tests/fixtures/golden/<name>.
#define QCOMPARE_GOLDEN(text, name)                                                                   \
    do {                                                                                              \
        QString goldenWhy_;                                                                           \
        QVERIFY2(matchesGolden((text), QString::fromLatin1(name), &goldenWhy_), qPrintable(goldenWhy_)); \
    } while (false)
