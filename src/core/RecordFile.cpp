#include "core/RecordFile.h"

#include "platform/FileStamp.h"
#include "platform/FileSwap.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtEndian>

#include <cstring>


void RecordWriter::write(const QString &text)
{
    const qsizetype n = qMin<qsizetype>(text.size(), 0xFFFF);
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + 2 + n);
    char *out = m_bytes.data() + at;
    qToLittleEndian<quint16>(quint16(n), out);
    toLatin1At(text, n, out + 2);
}

void RecordWriter::write(float single)
{
    char bytes[4];
    qToLittleEndian<float>(single, bytes);
    m_bytes.append(bytes, 4);
}

void RecordWriter::write(qint16 integer)
{
    char bytes[2];
    qToLittleEndian<qint16>(integer, bytes);
    m_bytes.append(bytes, 2);
}

void RecordWriter::write(double date)
{
    char bytes[8];
    qToLittleEndian<double>(date, bytes);
    m_bytes.append(bytes, 8);
}

const char *RecordReader::take(qsizetype n)
{
    if (m_failed || n > m_data.size() - m_pos) {
        m_failed = true;
        return nullptr;
    }
    const char *p = m_data.constData() + m_pos;
    m_pos += n;
    return p;
}

bool RecordReader::read(QString &text)
{
    // Length and bytes are one field: a length whose text runs past the end
    // stores nothing.
    const qsizetype start = m_pos;
    const char *length = take(2);
    if (!length)
        return false;
    const char *bytes = take(qFromLittleEndian<quint16>(length));
    if (!bytes) {
        m_pos = start;
        return false;
    }
    text = QString::fromLatin1(bytes, qFromLittleEndian<quint16>(length));
    return true;
}

bool RecordReader::read(float &single)
{
    const char *p = take(4);
    if (p)
        single = qFromLittleEndian<float>(p);
    return p != nullptr;
}

bool RecordReader::read(qint16 &integer)
{
    const char *p = take(2);
    if (p)
        integer = qFromLittleEndian<qint16>(p);
    return p != nullptr;
}

bool RecordReader::read(double &date)
{
    const char *p = take(8);
    if (p)
        date = qFromLittleEndian<double>(p);
    return p != nullptr;
}

namespace {

// Each record file as the program last read or wrote it, with the stamp the
// file had then: a save takes the old bytes from here rather than reading
// the file again, and writes nothing when the file would stay the same.
struct KnownFile
{
    FileStamp stamp;
    QByteArray bytes;
};

QHash<QString, KnownFile> &knownFiles()
{
    static QHash<QString, KnownFile> known;
    return known;
}

void remember(const QString &real, const QByteArray &bytes)
{
    if (const std::optional<FileStamp> stamp = fileStamp(real))
        knownFiles().insert(real, {*stamp, bytes});
    else
        knownFiles().remove(real);
}

// The file's bytes; read only when it changed since the program knew it.
std::optional<QByteArray> currentBytes(const QString &real)
{
    const auto known = knownFiles().constFind(real);
    if (known != knownFiles().cend()) {
        if (const std::optional<FileStamp> stamp = fileStamp(real); stamp && *stamp == known->stamp)
            return known->bytes;
    }
    return readBinaryFile(real);
}

// The bytes put in place of the old file in one step, without waiting for
// the disk; the file keeps its permissions.
bool replaceUnsynced(const QString &real, const QByteArray &bytes, QString *why)
{
    if (const int error = swapInFile(QFile::encodeName(real), bytes)) {
        if (why)
            *why = QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    notePathCreated(real);
    return true;
}

} // namespace

bool recordFileUnchanged(const QString &path)
{
    const QString real = resolvePath(path);
    const auto known = knownFiles().constFind(real);
    if (known == knownFiles().cend())
        return false;
    const std::optional<FileStamp> stamp = fileStamp(real);
    return stamp && *stamp == known->stamp;
}

std::optional<QByteArray> loadRecordFile(const QString &path)
{
    const QString real = resolvePath(path);
    if (!QFileInfo::exists(real)) {
        QFile create(real);
        if (!create.open(QIODevice::WriteOnly))
            return std::nullopt;
        notePathCreated(real);
        remember(real, QByteArray());
        return QByteArray();
    }
    std::optional<QByteArray> bytes = readBinaryFile(real);
    if (bytes)
        remember(real, *bytes);
    return bytes;
}

bool saveRecordFile(const QString &path, const QByteArray &records, QString *why, DiskSync sync)
{
    const QString real = resolvePath(path);
    QByteArray bytes = records;
    const std::optional<QByteArray> old = currentBytes(real);
    if (old && old->size() > bytes.size())
        bytes.append(old->constData() + bytes.size(), old->size() - bytes.size());
    if (old && *old == bytes) {
        remember(real, bytes);
        return true; // the file holds these very bytes already
    }
    if (!(sync == DiskSync::Synced ? saveFileAtomically(real, bytes, why) : replaceUnsynced(real, bytes, why)))
        return false;
    remember(real, bytes);
    return true;
}
