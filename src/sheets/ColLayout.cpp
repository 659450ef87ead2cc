#include "sheets/ColLayout.h"

#include "core/DataDir.h"
#include "core/ErrorLog.h"
#include "platform/FlexGrid.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

ColLayoutArray ColLayout;

void resetColLayout()
{
    ColLayout = ColLayoutArray{};
}

QString layoutFilePath()
{
    return DataDir + QStringLiteral("/LayOut.dat");
}

static void appendLe16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

static void appendLe32(QByteArray &out, qint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray encodeColLayout(const ColLayoutArray &layout)
{
    QByteArray out;
    for (const ColLayoutEntry &e : layout) {
        // The length field has two bytes; a longer caption is cut rather
        // than written with a length that does not match.
        const QByteArray caption = toLatin1Bytes(e.Caption).left(0xFFFF);
        appendLe16(out, quint16(caption.size()));
        out.append(caption);
        appendLe32(out, 0); // spare
        appendLe32(out, e.Position);
        appendLe32(out, e.Index);
    }
    return out;
}

std::optional<ColLayoutArray> decodeColLayout(const QByteArray &bytes)
{
    ColLayoutArray layout;
    qsizetype at = 0;
    const auto have = [&](qsizetype n) { return n <= bytes.size() - at; };
    for (ColLayoutEntry &e : layout) {
        if (!have(2))
            return std::nullopt;
        const quint16 len = qFromLittleEndian<quint16>(bytes.constData() + at);
        at += 2;
        if (!have(qsizetype(len) + 12))
            return std::nullopt;
        e.Caption = QString::fromLatin1(bytes.constData() + at, len);
        at += len + 4; // the spare bytes are not read
        e.Position = qFromLittleEndian<qint32>(bytes.constData() + at);
        e.Index = qFromLittleEndian<qint32>(bytes.constData() + at + 4);
        at += 8;
    }
    // Bytes beyond the 21 entries (left by an older, longer file) are not read.
    return layout;
}

bool SaveLayout(QString *why)
{
    const QString path = resolvePath(layoutFilePath());
    QString reason;
    if (saveFileAtomically(path, encodeColLayout(ColLayout), &reason))
        return true;
    ErrorTrap(QStringLiteral("Permission denied"), ErrNo::PermissionDenied, QString::fromLatin1(ErrSource),
              QStringLiteral("frmMain_SaveLayout"), false);
    if (why)
        *why = QDir::toNativeSeparators(path) + QStringLiteral("\r\n(") + reason + QStringLiteral(")");
    return false;
}

void LoadLayout()
{
    resetColLayout();
    const QString path = resolvePath(layoutFilePath());
    if (!QFile::exists(path)) {
        // First start: the file is created empty, as the layout is.
        saveFileAtomically(path, QByteArray());
        return;
    }
    const std::optional<QByteArray> bytes = readBinaryFile(path);
    if (!bytes) {
        ErrorTrap(QStringLiteral("Permission denied"), ErrNo::PermissionDenied, QString::fromLatin1(ErrSource),
                  QStringLiteral("frmMain_LoadLayout"), false);
        return;
    }
    if (bytes->isEmpty())
        return;
    const std::optional<ColLayoutArray> layout = decodeColLayout(*bytes);
    if (!layout) {
        // A cut-off or foreign file: half a layout would move columns to
        // places nobody chose, so the default (empty) layout is kept.
        ErrorTrap(QStringLiteral("Input past end of file"), ErrNo::InputPastEnd, QString::fromLatin1(ErrSource),
                  QStringLiteral("frmMain_LoadLayout"), false);
        return;
    }
    ColLayout = *layout;
}

void FixLayOut(FlexGrid &FG)
{
    for (int i = 1; i <= 20; ++i) {
        if (!FG.isCell(0, i))
            continue;
        const QString caption = FG.TextMatrix(0, i);
        // Entry 20 is never searched.
        for (int j = 0; j < ColLayoutSize - 1; ++j) {
            if (ColLayout[j].Caption == caption) {
                FG.setRedraw(false);
                FG.setColPosition(i, ColLayout[j].Position);
                FG.setRedraw(true);
                break;
            }
        }
    }
}

void RecordLayout(const FlexGrid &FG)
{
    for (int i = 1; i < FG.Cols() && i < ColLayoutSize; ++i)
        ColLayout[size_t(i)] = ColLayoutEntry{FG.TextMatrix(0, i), 0, i, i};
}
