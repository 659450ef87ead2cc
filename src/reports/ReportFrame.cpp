#include "reports/ReportFrame.h"
#include "reports/ReportPictures.h"

#include "core/DataDir.h"
#include "core/TextHelpers.h"
#include "platform/Dialogs.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "platform/UrlOpener.h"
#include "reports/Reports.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {
std::function<QDateTime()> &clockHook()
{
    static std::function<QDateTime()> clock;
    return clock;
}
} // namespace

QDateTime reportClock()
{
    return clockHook() ? clockHook()() : QDateTime::currentDateTime();
}

void setReportClock(std::function<QDateTime()> clock)
{
    clockHook() = std::move(clock);
}

namespace report {

QString cachedPage(const QString &name)
{
    return ReadFile(DataDir + QStringLiteral("\\Cache\\DataSheet\\") + name);
}

SymbolPage::SymbolPage(const QString &symbol, const QString &suffix) : skip(symbol.isEmpty())
{
    if (skip)
        return;
    page = cachedPage(symbol + suffix);
    DoEvents();
}

QString reportPath(const QString &relative)
{
    return DataDir + QStringLiteral("\\Cache\\Reports\\") + relative;
}

QString replaced(QString text, const Replacements &steps)
{
    for (const auto &[from, to] : steps)
        if (!from.isEmpty())
            text.replace(from, to, Qt::CaseSensitive);
    return text;
}

qsizetype find(const QString &text, const QString &what, qsizetype start)
{
    if (start < 1 || start > text.size())
        return 0;
    const qsizetype at = text.indexOf(what, start - 1, Qt::CaseSensitive);
    return at < 0 ? 0 : at + 1;
}

QString piece(const QString &text, qsizetype from, qsizetype to)
{
    if (from < 1 || to < from)
        return QString();
    return text.mid(from - 1, to - from);
}

QString tableAfter(const QString &text, const QString &anchor)
{
    const qsizetype at = find(text, anchor);
    const qsizetype open = at ? find(text, QStringLiteral("<table"), at) : 0;
    const qsizetype close = open ? find(text, QStringLiteral("</table>"), open) : 0;
    return close ? piece(text, open, close) : QString();
}

QString partOrWhole(const QString &text, const QString &start, const QString &end)
{
    const qsizetype from = find(text, start);
    const qsizetype to = from ? find(text, end, from) : 0;
    return to ? piece(text, from, to) : text;
}

void forEachPiece(const QString &text, const QString &open, const QString &close,
                  const std::function<void(const QString &)> &f)
{
    qsizetype pos = 1;
    while (true) {
        const qsizetype start = find(text, open, pos);
        if (start == 0)
            return;
        const qsizetype stop = find(text, close, start);
        if (stop == 0)
            return;
        f(piece(text, start, stop));
        pos = stop; // the close is at least one character past the start
    }
}

QString cellValue(const QString &cellHtml, bool trim)
{
    QString html = cellHtml;
    const QString text = HtmlText(html, false, true, false);
    if (!trim)
        return text;
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == QLatin1Char(' '))
        ++b;
    while (e > b && text[e - 1] == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

QString stamp()
{
    const QDateTime now = reportClock();
    const QLocale locale;
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(now.time(), QLocale::ShortFormat);
}

QString pageEnd()
{
    return QStringLiteral("<P><CENTER><FONT SIZE=\"-1\">Written by Brindlewick on ") + stamp() +
           QStringLiteral("</FONT></CENTER>") + LB + QStringLiteral("</BODY></HTML>");
}

QString footer()
{
    return QStringLiteral("</TABLE></CENTER>") + LB + pageEnd();
}

QString head(const QString &bgColor, const QString &title, const QString &subTitle, const QStringList &table)
{
    return Reports::PageHead(bgColor, title, subTitle) +
           Reports::TableHead(table.value(0), table.value(1), table.value(2), table.value(3), table.value(4));
}

bool publish(const QString &path, const QString &page)
{
    const QString file = resolvePath(path);
    DoEvents();
    const bool written = QDir().mkpath(QFileInfo(file).absolutePath()) && saveLatin1File(file, page + LB);
    DoEvents();
    if (!written) {
        MsgBox(QStringLiteral("The report could not be written to ") + QDir::toNativeSeparators(file) +
                   QStringLiteral(".") + LB + QStringLiteral("Check that the folder can be written to and try again."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Reports"));
        return false;
    }
    InstallReportPictures();
    openExternalUrl(QUrl::fromLocalFile(file), resolvePath(DataDir));
    DoEvents();
    return true;
}

QString optionCode(const QString &name)
{
    const qsizetype open = name.indexOf(QLatin1Char('('));
    const qsizetype close = open >= 0 ? name.indexOf(QLatin1Char(')'), open) : -1;
    return close > open ? name.mid(open + 1, close - open - 1).trimmed() : QString();
}

QString shortInterestText(const QString &page)
{
    return replaced(page, {{QStringLiteral("TR"), QStringLiteral("tr")},
                           {QStringLiteral("Tr"), QStringLiteral("tr")},
                           {QStringLiteral("TD"), QStringLiteral("td")},
                           {QStringLiteral("Td"), QStringLiteral("td")},
                           {QStringLiteral("Th"), QStringLiteral("th")},
                           {QStringLiteral("TABLE"), QStringLiteral("table")}});
}

QString filingLink(const QString &value)
{
    const qsizetype q1 = value.indexOf(QLatin1Char('"'));
    const qsizetype q2 = q1 >= 0 ? value.indexOf(QLatin1Char('"'), q1 + 1) : -1;
    if (q2 < 0)
        return value;
    return QStringLiteral("<A HREF=\"") + value.mid(q1 + 1, q2 - q1 - 1) + QStringLiteral("\">") + value.mid(q2 + 1) +
           QStringLiteral("</a>");
}

QString insiderTable(QString part)
{
    // The tags' letters in lower case; a name in a cell stays as written.
    const QString table = ReplaceInTags(replaced(GetTable(part, 4), {{QStringLiteral("\t"), QStringLiteral(" ")}}),
                                        {{QStringLiteral("TD"), QStringLiteral("td")},
                                         {QStringLiteral("Td"), QStringLiteral("td")},
                                         {QStringLiteral("TR"), QStringLiteral("tr")},
                                         {QStringLiteral("TH"), QStringLiteral("th")}});
    return replaced(table, {{QStringLiteral("<td><a href=\""), QStringLiteral("<td>")},
                                        {QStringLiteral(".html\">"), QStringLiteral(".html></td><td>")}});
}

QStringList insiderHeadings()
{
    QStringList headings;
    for (const auto &[width, text] : {std::pair{"13%", "Date"}, {"20%", "Name"}, {"15%", "Action"}, {"13%", "Shares"},
                                      {"13%", "Type"}, {"15%", "Price"}, {"15%", "Value Int"}})
        headings << QStringLiteral("<TH ALIGN=\"CENTER\" WIDTH=\"") + QLatin1String(width) + QStringLiteral("\">") +
                        QLatin1String(text) + QStringLiteral("<HR></th>");
    return headings;
}

QString earningsRows(const QString &values, int rows, int perRow, bool labelsFirst,
                     const std::function<QString(const QString &)> &labelCell,
                     const std::function<QString(const QString &)> &valueCell, QStringList labels)
{
    labels.resize(rows);
    QStringList cells(rows);
    const int first = labelsFirst ? rows : 0;
    const int limit = first + rows * perRow;
    int k = 0;
    forEachCell(values, [&](const QString &html) {
        const QString text = cellValue(html, false);
        if (labelsFirst)
            DoEvents();
        if (text.isEmpty())
            return;
        if (k < first)
            labels[k] = labelCell(text);
        else if (k < limit)
            cells[(k - first) % rows] += valueCell(text);
        ++k;
    });
    QString out;
    for (int r = 0; r < rows; ++r)
        out += (r == 0 ? QStringLiteral("<tr>") : QStringLiteral("</tr><tr>")) + labels[r] + cells[r];
    return out + QStringLiteral("</tr>") + LB;
}

} // namespace report

QString Reports::PageHead(const QString &BgColor, const QString &Title, const QString &SubTitle)
{
    using report::LB;
    QString s = QStringLiteral("<HTML>") + LB + QStringLiteral("<HEAD>") + LB +
                QStringLiteral("<TITLE>Brindlewick</TITLE></HEAD>") + LB + QStringLiteral("<BODY");
    if (!BgColor.isEmpty())
        s += QStringLiteral(" BGCOLOR=\"") + BgColor + QStringLiteral("\" ");
    s += QStringLiteral(">") + LB;
    s += QStringLiteral("<P><CENTER><FONT SIZE=\"+1\" FACE=\"Times New Roman\"><H2>") + Title + QStringLiteral("</H2>") + LB;
    s += QStringLiteral("<U><B>") + SubTitle + QStringLiteral("</B></U></FONT></CENTER>");
    return s;
}

QString Reports::TableHead(const QString &Border, const QString &CellSpacing, const QString &CellPadding,
                           const QString &Width, const QString &Height)
{
    QString s = QStringLiteral("<P><CENTER><TABLE ");
    const std::pair<const char *, const QString *> attributes[] = {
        {"BORDER", &Border}, {"CELLSPACING", &CellSpacing}, {"CELLPADDING", &CellPadding},
        {"WIDTH", &Width},   {"HEIGHT", &Height}};
    for (const auto &[name, value] : attributes)
        if (!value->isEmpty())
            s += QStringLiteral(" ") + QLatin1String(name) + QStringLiteral("=\"") + *value + QStringLiteral("\" ");
    return s + QStringLiteral(">") + report::LB;
}
