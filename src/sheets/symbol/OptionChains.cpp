#include "sheets/symbol/OptionChains.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/TargetGrid.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

enum class Half { Calls, Puts, Both };

// The position just after the nth comma of line (1-based), -1 when the
// line has fewer.
int afterComma(const QString &line, int n)
{
    int at = -1;
    for (int i = 0; i < n; ++i) {
        at = line.indexOf(QLatin1Char(','), at + 1);
        if (at < 0)
            return -1;
    }
    return at + 1;
}

// One chain line (it begins with the CR LF of the line before) as the
// sheet's tab-separated row; "" when the line is too short for the sheet.
QString rowOf(const QString &line, Half half)
{
    QString cut;
    switch (half) {
    case Half::Calls: {
        const int end = afterComma(line, 8);
        if (end < 0)
            return QString();
        cut = line.left(end);
        break;
    }
    case Half::Puts: {
        const int start = afterComma(line, 7);
        if (start < 0)
            return QString();
        cut = line.mid(start);
        break;
    }
    case Half::Both: {
        // Fourteen fields: with a comma after the last, or closed by the
        // line's end.
        const int end = afterComma(line, 14);
        if (end >= 0)
            cut = line.left(end);
        else if (afterComma(line, 13) >= 0)
            cut = line + QLatin1Char(',');
        else
            return QString();
        break;
    }
    }
    cut.replace(QLatin1Char(','), QLatin1Char('\t'));
    cut.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    if (half == Half::Both) {
        cut.prepend(QLatin1Char('\t'));
        cut.replace(QStringLiteral("("), QStringLiteral("\r\n("));
    }
    return cut;
}

struct Chain
{
    const char *key;
    Half half;
    int cols;
    int titleCol;
    const char *loading;
    const char *word;
    QList<Variant> headers;
    QList<Variant> widths;
    QList<Variant> aligns;
    QList<int> links;
};

void fill(const Chain &c)
{
    HourglassPointer hourglass;
    CurType = QLatin1String(c.key);
    SheetTarget target;
    FlexGrid *grid = target.grid();
    if (!grid)
        return;
    const QString path = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QStringLiteral("_op.Sh");
    grid->Clear();
    grid->setRows(3);
    grid->setCols(c.cols);
    grid->setRow(0);
    grid->setBackColor(0xFFFFFF);
    grid->setGridLines(1);
    grid->setRowHeight(0, BaseRowHeight);
    grid->setRowHeight(1, qRound(2.0 * BaseRowHeight));
    grid->setRowHeight(2, 0);
    grid->setTextMatrix(1, c.titleCol, QLatin1String(c.loading));
    grid->setRow(1);
    grid->setCol(c.titleCol);
    grid->setCellFontBold(true);
    grid->setCellTextStyle(3);
    grid->setCellBackColor(0xFFFFFF);
    SetColWidths(grid, c.widths);
    SetHeaders(grid, c.headers);
    SetColAlign(grid, c.aligns);
    QCoreApplication::processEvents();
    grid->setRedraw(false);
    if (!QFileInfo::exists(resolvePath(path))) {
        grid->setRedraw(true);
        FG_Message(QStringLiteral("Data is not available, connect to Internet, and update again ."));
        return;
    }
    const QString text = ReadFile(path);
    QCoreApplication::processEvents();

    // The lines after the header's "Open Int", each taken with the line end
    // before it and only when a line end follows it.
    const int puts = text.indexOf(QStringLiteral("Puts"));
    const int intAt = puts < 0 ? -1 : text.indexOf(QStringLiteral("Int"), puts + 1);
    const QString body = intAt < 0 ? text : text.mid(intAt + 1);
    int a = body.indexOf(QStringLiteral("\r\n"));
    while (a >= 0) {
        const int b = body.indexOf(QStringLiteral("\r\n"), a + 1);
        if (b < 0)
            break;
        const QString row = rowOf(body.mid(a, b - a), c.half);
        if (!row.isEmpty())
            grid->AddItem(row);
        a = b;
    }
    grid->setRow(0);
    for (int col = 0; col < c.cols; ++col) {
        grid->setCol(col);
        grid->setCellAlignment(4);
    }
    grid->setRedraw(true);
    for (int row = 2; row < grid->Rows(); ++row)
        for (int col : c.links) {
            grid->setRow(row);
            grid->setCol(col);
            grid->setCellFontUnderline(true);
            grid->setCellForeColor(0xFF0000);
        }
    grid->setTextMatrix(1, c.titleCol, CurSymbol + QLatin1String(c.word));
    target.showZoom();
}

} // namespace

void FG_Calls()
{
    fill({"Call", Half::Calls, 7, 0, "Loading Calls, please wait..", " Calls",
          {"Calls", "Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"}, {27, 12, 9, 12, 12, 12, 12},
          {1, 7, 7, 7, 7, 7, 7}, {0}});
}

void FG_Puts()
{
    fill({"Put", Half::Puts, 7, 0, "Loading Puts, please wait..", " Puts",
          {"Puts", "Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int"}, {24, 12, 12, 12, 12, 12, 12},
          {1, 7, 7, 7, 7, 7, 7}, {0}});
}

void FG_Options()
{
    fill({"Options", Half::Both, 15, 1, "Loading Options, please wait..", " Options",
          {"", "Calls", "Last Sale", "Net", "Bid", "Ask", "Vol", "Open Int", "Puts", "Last Sale", "Net", "Bid", "Ask",
           "Vol", "Open Int"},
          {2, 12, 8, 8, 8, 8, 8, 8, 12, 8, 8, 8, 8, 8, 8}, {1, 1, 7, 4, 7, 7, 7, 7, 1, 7, 4, 7, 7, 7, 7}, {1, 8}});
}
