#include "support/GridDump.h"

#include "platform/FlexGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

QString quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString formatText(const FlexCellFormat &f)
{
    QStringList parts;
    if (f.foreColor)
        parts << QStringLiteral("fore=%1").arg(f.foreColor, 6, 16, QLatin1Char('0'));
    if (f.backColor)
        parts << QStringLiteral("back=%1").arg(f.backColor, 6, 16, QLatin1Char('0'));
    if (f.alignment >= 0)
        parts << QStringLiteral("align=%1").arg(f.alignment);
    if (f.bold)
        parts << QStringLiteral("bold");
    if (f.underline)
        parts << QStringLiteral("underline");
    if (f.textStyle)
        parts << QStringLiteral("style=%1").arg(f.textStyle);
    if (f.fontWidth != 0)
        parts << QStringLiteral("fontwidth=%1").arg(double(f.fontWidth));
    if (!f.picture.isEmpty())
        parts << QStringLiteral("picture=%1/%2").arg(f.picture).arg(f.pictureAlignment);
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString dumpGrid(const FlexGrid &g)
{
    QStringList lines;
    lines << QStringLiteral("rows=%1 cols=%2 fixed=%3,%4 toprow=%5 back=%6 gridlines=%7 redraw=%8")
                 .arg(g.Rows())
                 .arg(g.Cols())
                 .arg(g.FixedRows())
                 .arg(g.FixedCols())
                 .arg(g.TopRow())
                 .arg(g.BackColor(), 6, 16, QLatin1Char('0'))
                 .arg(g.GridLines())
                 .arg(int(g.Redraw()));
    QStringList widths, aligns;
    for (int c = 0; c < g.Cols(); ++c) {
        widths << QString::number(g.ColWidth(c));
        aligns << QString::number(g.ColAlignment(c));
    }
    lines << QStringLiteral("widths=") + widths.join(QLatin1Char(','));
    lines << QStringLiteral("aligns=") + aligns.join(QLatin1Char(','));
    for (int r = 0; r < g.Rows(); ++r) {
        lines << QStringLiteral("row %1 height=%2").arg(r).arg(g.RowHeight(r));
        for (int c = 0; c < g.Cols(); ++c) {
            const QString text = g.TextMatrix(r, c);
            const QString look = formatText(g.cellFormat(r, c));
            if (text.isEmpty() && look.isEmpty())
                continue;
            QString line = QStringLiteral("  %1: %2").arg(c).arg(quoted(text));
            if (!look.isEmpty())
                line += QLatin1Char(' ') + look;
            lines << line;
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString fixturePath(const QString &relative)
{
    QString root = qEnvironmentVariable("BW_SOURCE_DIR");
    if (root.isEmpty())
        root = QStringLiteral(".");
    return QDir(root).filePath(QStringLiteral("tests/fixtures/") + relative);
}

bool matchesGolden(const QString &text, const QString &name, QString *why)
{
    const QString path = fixturePath(QStringLiteral("golden/") + name);
    if (qEnvironmentVariable("BW_UPDATE_GOLDEN") == QLatin1String("1")) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(text.toUtf8());
        return true;
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        if (why)
            *why = QStringLiteral("no golden file %1 (BW_UPDATE_GOLDEN=1 writes it)").arg(path);
        return false;
    }
    const QStringList expected = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    const QStringList actual = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < qMax(expected.size(), actual.size()); ++i) {
        const QString e = expected.value(i, QStringLiteral("<end>"));
        const QString a = actual.value(i, QStringLiteral("<end>"));
        if (e != a) {
            if (why)
                *why = QStringLiteral("%1 line %2:\n  expected: %3\n  actual:   %4").arg(name).arg(i + 1).arg(e, a);
            return false;
        }
    }
    return true;
}
