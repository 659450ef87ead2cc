#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>

// The binary layout of the program's record files ("Set<n>.dat",
// "Portfolio.dat", "US.dat"): records back to back, no header; inside a
// record each field in order with no padding, all little-endian:
//   text     2-byte unsigned length + that many Latin-1 bytes
//   single   4-byte IEEE float
//   integer  2-byte two's complement
//   date     8-byte IEEE double (days since 30 December 1899)
// Other installs and old files rely on this layout byte for byte.

class RecordWriter
{
public:
    // Texts longer than 65,535 characters are cut there (the length field's limit).
    void write(const QString &text);
    void write(float single);
    void write(qint16 integer);
    void write(double date);

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads fields from a byte buffer and never reads past its end. A field that
// does not fit in what is left is not stored, and from then on every read
// fails, so a damaged file fills its records only as far as it is whole.
class RecordReader
{
public:
    explicit RecordReader(const QByteArray &data) : m_data(data) {}

    bool read(QString &text);
    bool read(float &single);
    bool read(qint16 &integer);
    bool read(double &date);

    // True once a field ran past the end of the data.
    bool failed() const { return m_failed; }

private:
    const char *take(qsizetype n);

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

// Serialises the records in index order; fields(record, visit) must call
// visit on each field of a record in file order.
template <class Rec, std::size_t N, class Fields>
QByteArray recordBytes(const std::array<Rec, N> &records, Fields fields)
{
    RecordWriter writer;
    for (const Rec &rec : records)
        fields(rec, [&](const auto &field) { writer.write(field); });
    return writer.bytes();
}

// Fills the records (which the caller has blanked) from data, in index
// order. True when every record was whole; false when the data ran out
// first, the fields read up to that point being kept.
template <class Rec, std::size_t N, class Fields>
bool readRecords(const QByteArray &data, std::array<Rec, N> &records, Fields fields)
{
    RecordReader reader(data);
    for (Rec &rec : records) {
        fields(rec, [&](auto &field) { reader.read(field); });
        if (reader.failed())
            return false;
    }
    return true;
}

// As readRecords, but a record the data ran out in is left blank (a record
// cut off mid-way is no record). The number of whole records read.
template <class Rec, std::size_t N, class Fields>
int readWholeRecords(const QByteArray &data, std::array<Rec, N> &records, Fields fields)
{
    RecordReader reader(data);
    int whole = 0;
    for (Rec &rec : records) {
        fields(rec, [&](auto &field) { reader.read(field); });
        if (reader.failed()) {
            rec = Rec{};
            break;
        }
        ++whole;
    }
    return whole;
}

// The bytes of a record file; a missing file is created empty first (and
// reads as no bytes). nullopt when the file cannot be read.
std::optional<QByteArray> loadRecordFile(const QString &path);

// How a record file's save waits for the disk. Either way the new bytes go
// to a temporary file renamed over the old one, so the file is always whole
// (the old bytes or the new). Synced waits until they are on the disk;
// Renamed leaves that to the system, for the update run's save after every
// stock, which the next stock's save soon repeats.
enum class DiskSync { Synced, Renamed };

// Writes the records from offset 0 over the file's old content: when the old
// file was longer, its bytes beyond the new records stay in place (readers
// ignore them). The file is replaced through a temporary file, so a crash
// never leaves half of it; a file that already holds exactly these bytes is
// left as it is. False when it could not be written, the system's reason in
// *why when asked for.
bool saveRecordFile(const QString &path, const QByteArray &records, QString *why = nullptr,
                    DiskSync sync = DiskSync::Synced);

// True when the file is as the program last read or wrote it (nothing
// else changed it since).
bool recordFileUnchanged(const QString &path);
