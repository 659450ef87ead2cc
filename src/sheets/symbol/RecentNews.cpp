#include "sheets/symbol/RecentNews.h"

#include "core/DataDir.h"
#include "core/MainWindow.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "platform/FlexGrid.h"
#include "platform/Latin1File.h"
#include "platform/Sleep.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// The file's lines as a text reader sees them: a line ends at a CR (a LF
// right after it goes with it); a lone LF stays in the line.
std::optional<QStringList> readLines(const QString &path)
{
    const std::optional<QString> text = readLatin1File(path);
    if (!text)
        return std::nullopt;
    QStringList lines;
    qsizetype start = 0;
    while (start < text->size()) {
        qsizetype cr = text->indexOf(QLatin1Char('\r'), start);
        if (cr < 0)
            cr = text->size();
        lines << text->mid(start, cr - start);
        start = cr + 1;
        if (start < text->size() && text->at(start) == QLatin1Char('\n'))
            ++start;
    }
    return lines;
}

// Runs of blanks become one blank (dropping pairs of blanks would glue the
// words around two blanks together).
QString collapseBlanks(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == QLatin1Char(' ') && out.endsWith(QLatin1Char(' ')))
            continue;
        out.append(c);
    }
    return out;
}

// The tag names given (opening and closing tags) written as "to". Text
// between the tags keeps its letter case ("Thu" is not a header tag).
QString renameTags(const QString &s, const QString &names, const QString &to)
{
    // Made once for each set of names: an update run reads a page for every stock.
    thread_local QHash<QString, QRegularExpression> made;
    auto re = made.constFind(names);
    if (re == made.cend())
        re = made.insert(names, QRegularExpression(QStringLiteral("<(/?)(?:%1)(?![A-Za-z0-9])").arg(names)));
    return QString(s).replace(*re, QStringLiteral("<\\1") + to);
}

} // namespace

QString headlineFilePath(const QString &symbol)
{
    return DataDir + QStringLiteral("\\Cache\\News\\") + symbol + QStringLiteral(".txt");
}

bool ParseRecentNews(const QString &Symbol, const QString &PageFile, const QString &NewsFile)
{
    Q_UNUSED(Symbol);
    const std::optional<QStringList> lines = readLines(PageFile);
    DoEvents();
    if (!lines)
        return true;

    try {
        QString page = renameTags(lines->join(QString()), QStringLiteral("HTML|Html"), QStringLiteral("html"));
        const int htmlStart = vb::InStr(page, QStringLiteral("<html>"));
        if (htmlStart == 0)
            return true;
        const int htmlEnd = vb::InStr(htmlStart, page, QStringLiteral("</html>"));
        if (htmlEnd == 0)
            return true;
        page = vb::Mid(page, htmlStart, htmlEnd - htmlStart);

        page.remove(QLatin1Char('\t'));
        page.remove(QLatin1Char('\n'));
        page = collapseBlanks(page);
        page = renameTags(page, QStringLiteral("TABLE|Table"), QStringLiteral("table"));
        page = renameTags(page, QStringLiteral("TR|Tr"), QStringLiteral("tr"));
        page = renameTags(page, QStringLiteral("TD|Td"), QStringLiteral("td"));
        page = renameTags(page, QStringLiteral("TH|Th"), QStringLiteral("td")); // header cells are cells
        page.remove(QStringLiteral("&#187;"));
        // "Headline - <i>Source</i>": headline and source in two cells.
        page = vb::Replace(page, QStringLiteral(" - <i>"), QStringLiteral("</td><td>"));

        // The headlines are the inner table under the marker. A page without
        // the marker has no recent news: another of its tables is not taken.
        const int marker = vb::InStr(page, QStringLiteral("Recent News"));
        if (marker == 0)
            return true;
        const int outer = vb::InStr(marker + 1, page, QStringLiteral("<table"));
        if (outer == 0)
            return true;
        const int inner = vb::InStr(outer + 1, page, QStringLiteral("<table"));
        if (inner == 0)
            return true;
        const int tableEnd = vb::InStr(inner, page, QStringLiteral("</table>"));
        if (tableEnd == 0)
            return true;
        const QString table = vb::Mid(page, inner, tableEnd - inner);

        int pos = 1;
        for (;;) {
            const int rowStart = vb::InStr(pos, table, QStringLiteral("<tr"));
            if (rowStart == 0)
                break;
            const int rowEnd = vb::InStr(rowStart, table, QStringLiteral("</tr>"));
            if (rowEnd == 0)
                break;
            const QString row = vb::Mid(table, rowStart, rowEnd - rowStart);
            pos = rowEnd;

            QString item;
            int cellIndex = 0;
            int cellPos = 1;
            for (;;) {
                const int cellStart = vb::InStr(cellPos, row, QStringLiteral("<td"));
                if (cellStart == 0)
                    break;
                const int cellEnd = vb::InStr(cellStart, row, QStringLiteral("</td>"));
                if (cellEnd == 0)
                    return true; // an unclosed cell: this row and the rest are not written
                QString cell = vb::Mid(row, cellStart, cellEnd - cellStart);
                cellPos = cellEnd;
                if (cellIndex == 4) {
                    const QString link = HtmlText(cell, false, false, true);
                    if (!link.isEmpty())
                        item += QStringLiteral(" #") + link + QLatin1Char('#');
                }
                item += QLatin1Char(' ') + vb::Trim(HtmlText(cell, false, true, false));
                ++cellIndex;
            }
            const QString line = QLatin1Char('"') + item + QStringLiteral(";\"\r\n");
            if (!appendLatin1File(NewsFile, line))
                return false;
        }
    } catch (const vb::Error &) {
        // Ends quietly; the lines written so far stay.
    }
    return true;
}

void FG_HistoricalData()
{
    MainWindow *window = mainWindow();
    FlexGrid *grid = window ? window->mainGrid() : nullptr;
    QString text;
    if (const std::optional<QStringList> lines =
            readLines(DataDir + QStringLiteral("\\Cache\\DataSheet\\giltf historical data.htm"))) {
        QString page;
        for (const QString &line : *lines)
            page += line + QStringLiteral("\r\n");
        const int open = vb::InStr(page, QStringLiteral("<XMP>"));
        const int close = open > 0 ? vb::InStr(open, page, QStringLiteral("</XMP>")) : 0;
        if (open > 0 && close > 0)
            text = vb::Mid(page, open + 5, close - open - 5);
    }
    if (grid) {
        grid->setRows(2);
        grid->AddItem(text);
    }
}
