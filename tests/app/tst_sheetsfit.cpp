// Every data sheet of the main window, drawn from the pages a full Update
// fetched from the fixture site, read at the window's first size: each
// text of each cell the sheet shows fits its cell as the grid draws it and
// as far as the grid's edge lets it be seen (the cell's own font, the
// grid's padding, line by line: its own line breaks, and where the grid
// wraps a text, its wrapped lines). Cells the sheet hides (a column of
// width 0, a row of height 0) are passed over.
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/TreeModel.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "portfolio/Trades.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "sheets/ColLayout.h"
#include "sheets/market/FundPages.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QLabel>
#include <QTextLayout>
#include <QtTest>

#include <memory>


namespace {

// Where the letters of one line stand, from the left edge of a text area of
// the given width, placed as drawText places them: blanks at either end
// take room but show nothing. Empty for a line of blanks.
std::pair<int, int> letters(const QFontMetrics &metrics, const QString &line, Qt::Alignment align, int width)
{
    const int whole = metrics.horizontalAdvance(line);
    int start = 0; // of the line's box
    if (align & Qt::AlignRight)
        start = width - whole;
    else if (align & Qt::AlignHCenter)
        start = (width - whole) / 2;
    qsizetype lead = 0, trail = line.size();
    while (lead < trail && line.at(lead).isSpace())
        ++lead;
    while (trail > lead && line.at(trail - 1).isSpace())
        --trail;
    if (lead == trail)
        return {0, 0};
    return {start + metrics.horizontalAdvance(line.left(lead)), start + metrics.horizontalAdvance(line.left(trail))};
}

// The lines of a cell's text as the grid draws it in a text area of the
// given width: its own line breaks, and where it wraps, the breaks of a
// word-wrapping layout.
QStringList drawnLines(const QString &shown, const QFont &font, bool wrap, int width)
{
    if (!wrap)
        return shown.split(QLatin1Char('\n'));
    QStringList lines;
    for (const QString &paragraph : shown.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(width);
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i)
            lines << paragraph.mid(layout.lineAt(i).textStart(), layout.lineAt(i).textLength());
    }
    return lines;
}

} // namespace

class TestSheetsFit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    std::unique_ptr<FixtureSite> m_site;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    frmMain *w = nullptr;

    // The node clicked as a user clicks it: its branch opened, scrolled to.
    // "branch/text" names a node by its text under the branch.
    void clickNode(const QString &key)
    {
        TreeModel &nodes = w->TreeView1->Nodes();
        int node = nodes.find(key.section(QLatin1Char('/'), 0, 0));
        if (key.contains(QLatin1Char('/')))
            for (const int child : nodes.children(node))
                if (nodes.Text(child) == key.section(QLatin1Char('/'), 1))
                    node = child;
        QVERIFY2(node, qPrintable(key));
        for (int p = nodes.Parent(node); p; p = nodes.Parent(p))
            nodes.setExpanded(p, true);
        QTreeWidgetItem *item = w->TreeView1->itemOf(node);
        w->TreeView1->scrollToItem(item);
        QTest::mouseClick(w->TreeView1->viewport(), Qt::LeftButton, {}, w->TreeView1->visualItemRect(item).center());
    }

    // The cell's place as the grid draws it, the sheet scrolled to it.
    QRect drawnCell(int row, int col)
    {
        FlexGrid *g = w->FGModel;
        if (row >= g->FixedRows())
            g->setTopRow(row);
        if (col >= g->FixedCols())
            g->setLeftCol(col);
        return w->FG->cellRect(row, col);
    }

    // The texts the sheet shows cut: "row,col "text" ...".
    QStringList cutTexts()
    {
        QStringList cut;
        FlexGrid *g = w->FGModel;
        const int top = g->TopRow(), left = g->LeftCol();
        for (int c = 0; c < g->Cols(); ++c) {
            if (g->ColWidth(c) == 0)
                continue;
            for (int r = 0; r < g->Rows(); ++r) {
                const QString text = g->TextMatrix(r, c);
                if (text.isEmpty() || g->RowHeight(r) == 0)
                    continue;
                const QRect cell = drawnCell(r, c);
                // The grid's padding; what the view's edge leaves of it is seen.
                const QRect area = cell.adjusted(3, 1, -3, -1);
                const QRect seen = area & w->FG->viewport()->rect();
                if (seen.isEmpty()) {
                    cut << QStringLiteral("%1,%2 \"%3\" cannot be scrolled to").arg(r).arg(c).arg(text);
                    continue;
                }
                const FlexGridView::CellStyle style = w->FG->cellStyle(r, c);
                const QFontMetrics metrics(style.font);
                QString shown = text;
                shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
                for (const QString &line : drawnLines(shown, style.font, style.wordWrap, area.width())) {
                    const auto [from, to] = letters(metrics, line, style.alignment, area.width());
                    if (from < seen.left() - area.left() || to > seen.right() + 1 - area.left())
                        cut << QStringLiteral("%1,%2 \"%3\" drawn over %4..%5 px of %6..%7%8")
                                   .arg(r).arg(c).arg(line).arg(from).arg(to).arg(seen.left() - area.left())
                                   .arg(seen.right() + 1 - area.left())
                                   .arg(style.wordWrap ? QStringLiteral(" (wrapped)") : QString());
                }
                const int height = metrics.boundingRect(area, FlexGridView::textFlags(style), shown).height();
                if (height > seen.height())
                    cut << QStringLiteral("%1,%2 \"%3\" needs %4 px high of %5%6")
                               .arg(r).arg(c).arg(QString(shown).replace(QLatin1Char('\n'), QLatin1Char('|')))
                               .arg(height).arg(seen.height()).arg(style.wordWrap ? QStringLiteral(" (wrapped)") : QString());
            }
        }
        g->setTopRow(top);
        g->setLeftCol(left);
        return cut;
    }

private slots:
    // One full Update over three stocks, with trades in the portfolio.
    void initTestCase()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetColLayout();
        resetRunState();
        resetSharedState();
        m_site = std::make_unique<FixtureSite>();
        QVERIFY(m_site->start());
        setAllSiteHosts(m_site->host());
        resetStocks();
        const QStringList symbols = {QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT")};
        for (int i = 0; i < symbols.size(); ++i)
            Sets[size_t(i)].Symbol = symbols[i];
        SaveStocks();
        resetStocks();
        QCOMPARE(BuyStock(QStringLiteral("ACME"), {"10 Dec 2026", "1500", "112.375", "29.95"}, QStringLiteral("13")),
                 QString());
        QCOMPARE(BuyStock(QStringLiteral("IBM"), {"28 Sep 2026", "250", "1024.5", "9.99"}, QStringLiteral("13")),
                 QString());
        qint16 lot = -1;
        for (int i = 0; i < int(Port.size()); ++i)
            if (Port[size_t(i)].Symbol == QLatin1String("IBM"))
                lot = Port[size_t(i)].RefId;
        QCOMPARE(Sell(QStringLiteral("IBM"), lot, {"30 Nov 2026", "100", "1100.25", "9.99"}, QStringLiteral("13")),
                 QString());
        UnloadOptions(); // its boxes are read afresh from this profile
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_dialogs = std::make_unique<ScriptedDialogs>();
        frmMain::Show();
        w = frmMain::instance();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QSize first = w->size();
        w->Picture1_Click(0); // Update: the run ends before this returns
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        QCOMPARE(w->size(), first);
    }
    void cleanupTestCase()
    {
        delete w;
        w = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_dialogs.reset();
        m_site.reset();
        m_profile.reset();
    }

    void sheetTextsFit_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("sheet"); // the key the sheet draws under
        const auto row = [](const QString &node, const QString &sheet) {
            QTest::newRow(qPrintable(node)) << node << sheet;
        };
        row(QStringLiteral("ID0"), QStringLiteral("Current"));
        const char *const lists[][2] = {
            {"sup", "SUP"},   {"win", "WINLOS"}, {"los", "WINLOS"}, {"pg", "BR"},     {"pl", "BR"},
            {"vg", "BR"},     {"vl", "BR"},      {"52h", "BR"},     {"52l", "BR"},    {"mas", "BR"},
            {"up", "Upgrade"}, {"down", "Downgrade"}, {"ci", "Coverage"}, {"pg_N", "BR"}, {"pl_N", "BR"},
            {"vg_N", "BR"},   {"vl_N", "BR"},    {"52h_N", "BR"},   {"52l_N", "BR"},  {"mas_N", "BR"},
            {"pg_A", "BR"},   {"pl_A", "BR"},    {"vg_A", "BR"},    {"vl_A", "BR"},   {"52h_A", "BR"},
            {"52l_A", "BR"},  {"mas_A", "BR"},   {"lmm", "BR"},     {"lmm_N", "BR"},  {"lmm_A", "BR"}};
        for (const auto &list : lists)
            row(QLatin1String(list[0]), QLatin1String(list[1]));
        for (const char *key : {"OptSum_D", "OptSum_G", "OptSum_L"})
            row(QLatin1String(key), QStringLiteral("OptSum"));
        row(QStringLiteral("US"), QStringLiteral("US"));
        row(QStringLiteral("W_Market"), QStringLiteral("WM"));
        const char *const ipo[][2] = {{"ipo_last", "IPO_Last"}, {"ipo_news", "IPO_News"}, {"ipo_price", "IPO_Price"},
                                      {"ipo_gain", "IPO_Gain"}, {"ipo_Loss", "IPO_Loss"}, {"ipo_reg", "IPO_Reg"},
                                      {"ipo_with", "IPO_With"}};
        for (const auto &sheet : ipo)
            row(QLatin1String(sheet[0]), QLatin1String(sheet[1]));
        const char *const splits[] = {"SP_T", "SP_W", "SP_N", "SP_R", "SP_C"};
        for (int i = 0; i < 5; ++i)
            row(QLatin1String(splits[i]), QStringLiteral("FMS%1").arg(i));
        for (const QString &key : fundKeys())
            row(key, key);
        row(QStringLiteral("PortLog"), QStringLiteral("PortLog"));
        row(QStringLiteral("PortDetail"), QStringLiteral("Port"));
        row(QStringLiteral("PortDetail/ACME"), QStringLiteral("PortSelected"));
        // The sheets of one stock.
        const char *const leaves[][2] = {
            {"AR1", "Profile"}, {"ABS1", "ABS"}, {"AIS1", "AIS"},   {"EG1", "EG"},          {"EH1", "EH"},
            {"ER1", "ER"},      {"EC1", "EC"},   {"IT1", "IT"},     {"QR1", "QR"},          {"SPL1", "Split"},
            {"UP1", "UPH"},     {"DN1", "DNH"},  {"BR1", "BRP"},    {"NMR1", "NMR"},        {"Puts1", "Call"},
            {"Calls1", "Put"},  {"Options1", "Options"},            {"SI1", "SI"}};
        for (const auto &leaf : leaves)
            row(QLatin1String(leaf[0]), QLatin1String(leaf[1]));
    }
    void sheetTextsFit()
    {
        QFETCH(QString, node);
        QFETCH(QString, sheet);
        CurType.clear();
        clickNode(node);
        QCoreApplication::processEvents(); // as they run before the user can look
        QCOMPARE(CurType, sheet);
        const FlexGrid *g = w->FGModel;
        // A sheet, not a notice of a missing page.
        QVERIFY2(g->Rows() >= 3 || CurType == QLatin1String("Profile"), qPrintable(g->TextMatrix(0, 0)));
        // BW_SHEET_PICTURES=folder keeps a picture of each sheet as shown.
        if (const QString folder = qEnvironmentVariable("BW_SHEET_PICTURES"); !folder.isEmpty())
            w->grab().save(folder + QLatin1Char('/') + QString(node).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".png"));
        const QStringList cut = cutTexts();
        QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("\n") + cut.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestSheetsFit)
#include "tst_sheetsfit.moc"
