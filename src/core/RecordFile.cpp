#include "core/RecordFile.h"

#include "platform/Latin1File.h"
#include "platform/PathResolver.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

void RecordWriter::write(const QString &text)
{
    const QByteArray bytes = toLatin1Bytes(text.left(0xFFFF));
    char length[2];
    qToLittleEndian<quint16>(quint16(bytes.size()), length);
    m_bytes.append(length, 2);
    m_bytes.append(bytes);
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

std::optional<QByteArray> loadRecordFile(const QString &path)
{
    const QString real = resolvePath(path);
    if (!QFileInfo::exists(real)) {
        QFile create(real);
        if (!create.open(QIODevice::WriteOnly))
            return std::nullopt;
        return QByteArray();
    }
    return readBinaryFile(real);
}

bool saveRecordFile(const QString &path, const QByteArray &records, QString *why)
{
    QByteArray bytes = records;
    if (const auto old = readBinaryFile(path); old && old->size() > bytes.size())
        bytes.append(old->constData() + bytes.size(), old->size() - bytes.size());
    return saveFileAtomically(path, bytes, why);
}
