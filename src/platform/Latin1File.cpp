#include "platform/Latin1File.h"

#include "platform/PathResolver.h"

#include <QFile>
#include <QSaveFile>

QByteArray toLatin1Bytes(const QString &text)
{
    QByteArray bytes;
    bytes.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        bytes[i] = c < 256 ? char(c) : '?';
    }
    return bytes;
}

std::optional<QByteArray> readBinaryFile(const QString &path)
{
    QFile f(resolvePath(path));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

std::optional<QString> readLatin1File(const QString &path)
{
    const auto bytes = readBinaryFile(path);
    if (!bytes)
        return std::nullopt;
    return QString::fromLatin1(*bytes);
}

bool appendLatin1File(const QString &path, const QString &text)
{
    QFile f(resolvePath(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = toLatin1Bytes(text);
    return f.write(bytes) == bytes.size();
}

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *why)
{
    QSaveFile f(resolvePath(path));
    const auto fail = [&] {
        if (why)
            *why = f.errorString();
        f.cancelWriting();
        return false;
    };
    if (!f.open(QIODevice::WriteOnly))
        return fail();
    // The write is buffered: a full disk shows only when the buffer goes
    // out, and commit() would rename the cut-off file over the old one.
    if (f.write(bytes) != bytes.size() || !f.flush() || f.error() != QFileDevice::NoError)
        return fail();
    if (!f.commit()) {
        if (why)
            *why = f.errorString();
        return false;
    }
    return true;
}

bool saveLatin1File(const QString &path, const QString &text, QString *why)
{
    return saveFileAtomically(path, toLatin1Bytes(text), why);
}
