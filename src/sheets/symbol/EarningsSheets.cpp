#include "sheets/symbol/EarningsSheets.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/MainWindow.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/Utilities.h"
#include "core/VbString.h"
#include "platform/PathResolver.h"
#include "platform/ScreenPointer.h"
#include "sheets/DataSheet.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

struct Earnings
{
    const char *key;
    const char *marker;     // the header row follows it
    const char *labelsAfter; // "" : the labels are the first values
    int rows, cols;
    int perColumn;           // values per column
    int firstColumn;
    bool parenthesesOnNewLine;
    double rowHeight;        // set in the value loop (0: none)
    int alignUpTo;           // value cells aligned right in columns 1 to this
    QList<Variant> widths;
    const char *title;
    bool replaceTr;          // "Tr" lower-cased too
};

int inStr(int from, const QString &text, const QString &what)
{
    return vb::InStr(from, text, what);
}

QString cut(const QString &text, int from, const QString &end)
{
    const int stop = vb::InStr(from, text, end);
    return vb::Mid(text, from, stop - from);
}

void eachTag(const QString &text, const QString &open, const QString &close, const std::function<void(QString)> &f)
{
    forEachTag(text, open, close, [&](const QString &part) { f(part); });
}

void fill(const Earnings &e)
{
    HourglassPointer hourglass;
    CurType = QLatin1String(e.key);
    MainWindow *window = mainWindow();
    FlexGrid *grid = window ? window->mainGrid() : nullptr;
    if (!grid)
        return;
    const QString path = DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QStringLiteral("_ee.Sh");
    try {
        if (!QFileInfo::exists(resolvePath(path)))
            vb::raise(vb::InvalidCall);
        QString page = ReadFile(path);
        QCoreApplication::processEvents();
        page.replace(QLatin1Char('\t'), QLatin1Char(' '));
        page.replace(QLatin1Char('\n'), QLatin1Char(' '));
        TextReplacements tags = {{QStringLiteral("TR"), QStringLiteral("tr")}};
        if (e.replaceTr)
            tags << TextReplacement{QStringLiteral("Tr"), QStringLiteral("tr")};
        tags << TextReplacement{QStringLiteral("TD"), QStringLiteral("td")} << TextReplacement{QStringLiteral("Td"), QStringLiteral("td")}
             << TextReplacement{QStringLiteral("TH"), QStringLiteral("th")} << TextReplacement{QStringLiteral("Th"), QStringLiteral("th")};
        page = replaceAll(page, tags);

        const int marker = inStr(1, page, QLatin1String(e.marker));
        const int headerStart = inStr(marker, page, QStringLiteral("<tr>"));
        QString header;
        QString labels;
        QString data;
        if (*e.labelsAfter) {
            header = cut(page, headerStart, QStringLiteral("<table"));
            const int labelAt = inStr(inStr(1, page, QLatin1String(e.labelsAfter)), page, QStringLiteral("<table"));
            labels = cut(page, labelAt, QStringLiteral("</table>"));
            const int dataAt = inStr(inStr(labelAt, page, QStringLiteral("</table>")), page, QStringLiteral("</td>"));
            data = cut(page, dataAt, QStringLiteral("</tr>"));
        } else {
            header = cut(page, headerStart, QStringLiteral("</tr>"));
            const int dataAt = inStr(inStr(headerStart, page, QStringLiteral("</tr>")), page, QStringLiteral("<tr>"));
            data = cut(page, dataAt, QStringLiteral("</tr>"));
        }
        if (e.parenthesesOnNewLine)
            header.replace(QStringLiteral("("), QStringLiteral("\r\n("));
        data.replace(QStringLiteral("<br>"), QStringLiteral("</td><td></td><td>"));

        grid->setRedraw(false);
        grid->Clear();
        grid->setRows(e.rows);
        grid->setCols(e.cols);
        grid->setBackColor(0xFFFFFF);
        grid->setGridLines(1);
        const auto put = [&](int row, int col, const QString &text) {
            if (!grid->setTextMatrix(row, col, text))
                vb::raise(381);
        };
        int col = 1;
        eachTag(header, QStringLiteral("<th"), QStringLiteral("</th>"), [&](QString cell) {
            const QString text = HtmlText(cell, false, true, false);
            if (!text.isEmpty())
                put(0, col++, text);
        });
        int row = 1;
        if (*e.labelsAfter)
            eachTag(labels, QStringLiteral("<tr"), QStringLiteral("</tr>"), [&](QString r) {
                const QString text = HtmlText(r, false, true, false);
                if (!text.isEmpty())
                    put(row++, 0, text);
            });
        int c = e.firstColumn;
        int r = 1;
        eachTag(data, QStringLiteral("<td"), QStringLiteral("</td>"), [&](QString cell) {
            const QString text = HtmlText(cell, false, true, false);
            if (text.isEmpty())
                return;
            grid->setCol(c);
            if (r <= e.perColumn)
                put(r, c, text);
            if (r == e.perColumn) {
                ++c;
                r = 0;
            }
            ++r;
            grid->setRow(r);
            if (e.rowHeight > 0)
                grid->setRowHeight(r, qRound(e.rowHeight * BaseRowHeight));
            if (grid->Col() >= 1 && grid->Col() <= e.alignUpTo)
                grid->setCellAlignment(7);
            else if (grid->Col() == 0 && e.rowHeight > 0)
                grid->setCellAlignment(0);
            if (e.rowHeight > 0 && std::string_view(e.key) != "ER")
                QCoreApplication::processEvents();
        });
        grid->setRowHeight(0, qRound(2.0 * BaseRowHeight));
        if (std::string_view(e.key) == "EC") {
            grid->setRowHeight(1, BaseRowHeight);
            grid->setColAlignment(0, 0);
        }
        grid->setRow(0);
        for (int k = 0; k < e.cols; ++k) {
            grid->setCol(k);
            grid->setCellAlignment(3);
        }
        grid->setCol(0);
        grid->setCellFontBold(true);
        grid->setCellTextStyle(3);
        grid->setTextMatrix(0, 0, CurSymbol + QStringLiteral("\r\n") + QLatin1String(e.title));
        grid->setRedraw(true);
        SetColWidths(grid, e.widths);
    } catch (const vb::Error &err) {
        grid->setRedraw(true);
        FG_Message(err.number == vb::InvalidCall
                       ? QStringLiteral("Brindlewick do not have additional information for ") + GetDisplayName()
                       : QString());
    }
}

} // namespace

void FG_EG()
{
    fill({"EG", "Earnings Growth", "", 4, 7, 3, 0, true, 2, 7, {20, 15, 15, 12, 12, 12, 12}, "Earnings Growth", true});
}

void FG_EH()
{
    fill({"EH", "Earnings History", "", 5, 6, 4, 0, false, 1, 6, {22, 15, 15, 15, 15, 15}, "Earnings History", true});
}

void FG_ER()
{
    fill({"ER", "Earnings Estimates &amp;", "Earnings Estimates<br>", 7, 5, 6, 1, true, 1, 7, {28, 17, 17, 17, 17},
          "Earnings Estimates", true});
}

void FG_EC()
{
    fill({"EC", "Earnings Estimates &amp;", "Consensus EPS Trend", 6, 5, 5, 1, true, 0, 4, {28, 17, 17, 17, 17},
          "Consensus EPS Trend", false});
}
