#include "sheets/market/AnalystActions.h"

#include "core/DataDir.h"
#include "core/VbString.h"
#include "core/TextHelpers.h"
#include "sheets/DataSheet.h"

namespace {

struct Member
{
    const char *key;
    const char *heading;
    const char *title;
    int cols;
    QList<int> links;
    QList<Variant> widths;
    const char *noData;
};

// The member's table: the first one after its heading. A page without the
// heading has no such sheet (never another table shown in its place).
QString memberTable(const QString &page, const Member &m, bool coverage)
{
    QString text = page;
    if (coverage) {
        text = keepHtml(replaceAll(text, {{QStringLiteral("HTML"), QStringLiteral("html")},
                                          {QStringLiteral("Html"), QStringLiteral("html")}}));
    }
    text.remove(QLatin1Char('\t'));
    // The tags' letters only: a broker or company name keeps its capitals.
    text = replaceAll(ReplaceInTags(std::move(text), {{QStringLiteral("TH"), QStringLiteral("td")},
                                           {QStringLiteral("Th"), QStringLiteral("td")},
                                           {QStringLiteral("TABLE"), QStringLiteral("table")},
                                           {QStringLiteral("Table"), QStringLiteral("table")},
                                           {QStringLiteral("TR"), QStringLiteral("tr")},
                                           {QStringLiteral("Tr"), QStringLiteral("tr")},
                                           {QStringLiteral("TD"), QStringLiteral("td")},
                                           {QStringLiteral("Td"), QStringLiteral("td")}}),
                      {{QStringLiteral("&#187;"), QString()}});
    const int heading = vb::InStr(text, QLatin1String(m.heading));
    if (heading == 0)
        vb::raise(vb::InvalidCall);
    return cutFrom(vb::Mid(text, heading + 1), QStringLiteral("<table"), QStringLiteral("</table>"));
}

void fill(const Member &m, bool coverage)
{
    SheetSpec s;
    s.key = QLatin1String(m.key);
    s.cachePath = DataDir + QStringLiteral("/Cache/DataSheet/UpDown.Sh");
    s.noDataText = QLatin1String(m.noData);
    s.hourglass = true;
    s.cut = [m, coverage](const QString &page) { return memberTable(page, m, coverage); };
    s.rows = 1;
    s.cols = m.cols;
    s.firstRow = 0;
    s.nextRowHeight = 0;
    // Every cell is written, empty or not; link looks from row 1 on.
    s.cell = [links = m.links](SheetWalk &walk, QStringView cellHtml) {
        walk.write(walk.col, cellTextOf(cellHtml));
        if (walk.row > 0 && links.contains(walk.col))
            walk.linkLook(walk.col);
        ++walk.col;
    };
    s.aligns = QList<Variant>(m.cols, 1);
    for (int c = 0; c < m.cols; ++c)
        s.centredHeaders << c;
    s.title.text = QLatin1String(m.title);
    s.title.col = 0;
    s.title.backColor = 0xFFFFFF;
    s.rowHeights = {{0, 2}, {1, 2}, {-1, 0}};
    s.widths = m.widths;
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}

} // namespace

void FG_Upgrades()
{
    fill({"Upgrade", "<big><b>Upgrades</b></big>", "Upgrades", 6, {1, 5}, {25, 12, 25, 12, 12, 10},
          "Brindlewick do not have additional information for Upgardes"},
         false);
}

void FG_Downgrades()
{
    fill({"Downgrade", "<big><b>Downgrades</b></big>", "Downgrades", 6, {1, 5}, {25, 12, 25, 12, 12, 10},
          "Brindlewick do not have additional information for Downgrades"},
         false);
}

void FG_Coverage()
{
    fill({"Coverage", "<big><b>Coverage Initiated</b></big>", "Coverage Initiated", 5, {1, 4}, {25, 12, 27, 20, 12},
          "Brindlewick do not have additional information for Coverage Initiated"},
         true);
}
