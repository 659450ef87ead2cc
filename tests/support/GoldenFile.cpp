#include "support/GoldenFile.h"

#include "support/GridDump.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {

// Lines cut after each LF, or after a CR that no LF follows, keeping the ends.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool end = bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
        if (end) {
            lines << bytes.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

QString shown(QByteArray line)
{
    line.replace('\\', "\\\\").replace('\r', "\\r").replace('\n', "\\n").replace('\t', "\\t");
    return QString::fromLatin1(line);
}

} // namespace

bool matchesGoldenFile(const QByteArray &actual, const QString &relative, QString *why)
{
    const QString path = fixturePath(relative);
    if (qEnvironmentVariable("BW_UPDATE_GOLDEN") == QLatin1String("1")) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(actual);
        return true;
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        if (why)
            *why = QStringLiteral("no golden file %1 (BW_UPDATE_GOLDEN=1 writes it)").arg(path);
        return false;
    }
    const QByteArray expected = in.readAll();
    if (expected == actual)
        return true;
    const QList<QByteArray> e = linesOf(expected), a = linesOf(actual);
    for (qsizetype i = 0; i < qMax(e.size(), a.size()); ++i) {
        if (e.value(i) != a.value(i) || i >= e.size() || i >= a.size()) {
            if (why)
                *why = QStringLiteral("%1 line %2:\n  expected: %3\n  actual:   %4")
                           .arg(relative)
                           .arg(i + 1)
                           .arg(i < e.size() ? shown(e.at(i)) : QStringLiteral("<end>"),
                                i < a.size() ? shown(a.at(i)) : QStringLiteral("<end>"));
            return false;
        }
    }
    return false;
}
