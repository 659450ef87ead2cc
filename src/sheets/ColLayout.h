#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

class FlexGrid;

// The user's arrangement of the quote table's columns, matched by header
// caption so that it survives a change in the number of columns. Kept in
// "LayOut.dat" in the program folder as 21 entries back to back:
// caption length (2 bytes), caption, 4 spare zero bytes, position and index
// (4 bytes each, all little-endian).
struct ColLayoutEntry
{
    QString Caption;
    qint32 Spare = 0; // never written; always 0 on disk
    qint32 Position = 0;
    qint32 Index = 0; // written, never used

    friend bool operator==(const ColLayoutEntry &, const ColLayoutEntry &) = default;
};

inline constexpr int ColLayoutSize = 21;
using ColLayoutArray = std::array<ColLayoutEntry, ColLayoutSize>;

extern ColLayoutArray ColLayout;

// Every entry empty (for tests and for a damaged file).
void resetColLayout();

// The file's bytes for a layout, and the layout a file's bytes hold
// (nullopt when the bytes are not 21 whole entries).
QByteArray encodeColLayout(const ColLayoutArray &layout);
std::optional<ColLayoutArray> decodeColLayout(const QByteArray &bytes);

QString layoutFilePath();

// Writes ColLayout to "LayOut.dat".
// False when LayOut.dat could not be written (why says why; the error log has it).
bool SaveLayout(QString *why = nullptr);
// Empties ColLayout and reads it from "LayOut.dat"; a missing file is
// created empty, a damaged one is logged and leaves every entry empty.
void LoadLayout();

// Re-applies ColLayout to the grid: each column 1 to 20, in turn, whose
// header (row 0) equals the caption of one of the entries 0 to 19 is moved
// to the first such entry's position. Columns the grid lacks and positions
// it refuses are passed over. The quote sheet runs it twice in a row.
void FixLayOut(FlexGrid &FG);

// Records the grid's column order after the user moved a column: entry i
// (1 to 20) takes the heading of column i, with Position = Index = i.
// Columns past 20 are not recorded; the other entries keep what they held.
void RecordLayout(const FlexGrid &FG);
