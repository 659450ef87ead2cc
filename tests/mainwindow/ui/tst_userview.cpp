// What the user sees follow what the user does, with the pointer and the
// window's own resize: the ticker and the sheet after a click in the symbol
// column, the dividers and the rows after a resize, the frames that stay
// where they were drawn, one stock's trades, the voice and the speech
// window, the links of the IPO and world-market sheets, the names of the
// insider sheet, and sheet texts that are whole at the window's first size.
#include "FreshMainWindow.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/ui/DesktopSnapshot.h"
#include "mainwindow/TickerText.h"
#include "mainwindow/ui/frmMain.h"
#include "navigation/NodeDispatcher.h"
#include "platform/FlexGrid.h"
#include "platform/Speech.h"
#include "platform/Twips.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/NewsTicker.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "portfolio/Trades.h"
#include "services/ui/frmSpeech.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/TreeClicks.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QtTest>

namespace {

class VoiceEngine : public SpeechEngine
{
public:
    QList<int> modes;
    QStringList said;
    QStringList voiceNames() override { return {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}; }
    bool isSpeaking() override { return false; }
    void stop() override {}
    void setVoiceMode(int mode) override { modes << mode; }
    void say(const QString &text) override { said << text; }
    bool available() override { return false; } // no sound output
};

void addStock(int i, const char *symbol, const char *name)
{
    Sets[size_t(i)].Symbol = QLatin1String(symbol);
    Sets[size_t(i)].Name = QLatin1String(name);
    Sets[size_t(i)].LastSale = QStringLiteral("10 1/2");
    Sets[size_t(i)].Change = QStringLiteral("+1/4");
    Sets[size_t(i)].PctChange = QStringLiteral("+1%");
    Sets[size_t(i)].LastUpdate = QStringLiteral("4:00PM");
    Sets[size_t(i)].Rating = 2;
}

void click(QWidget *w)
{
    QTest::mouseMove(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

} // namespace

class TestUserView : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    frmMain *w = nullptr;
    QStringList opened;

    TreeModel &nodes() { return w->TreeView1->Nodes(); }
    void clickNode(const QString &key)
    {
        const int index = nodes().find(key);
        QVERIFY2(index, qPrintable(key));
        clickTreeNode(w->TreeView1, index);
    }
    QString gridText()
    {
        QStringList cells;
        for (int r = 0; r < w->FGModel->Rows(); ++r)
            for (int c = 0; c < w->FGModel->Cols(); ++c)
                cells << w->FGModel->TextMatrix(r, c);
        return cells.join(QLatin1Char('|'));
    }
    double twY(int px) { return Twips::fromPixelsY(px, w); }
    // Every symbol row shows exactly when it has room above the down arrow.
    bool rowsShowWhereTheyHaveRoom()
    {
        bool ok = true;
        for (int i = 0; i < 7; ++i) {
            const bool room = twY(w->ImgDn->y()) - 60 >= twY(w->lblSbl[i]->y());
            if (room == w->lblSbl[i]->isHidden()) {
                qWarning() << "row" << i << (room ? "hidden with room" : "shown without room");
                ok = false;
            }
        }
        return ok;
    }
    void resizeBy(double rx, double ry)
    {
        const QSize to(qRound(w->width() * rx), qRound(w->height() * ry));
        w->resize(to);
        QTRY_COMPARE(w->size(), to);
    }
    // A left-button drag on a bar by (dx, dy) pixels: pressed at its corner,
    // the pointer moved to (dx, dy) in the bar, which follows it there.
    void drag(QWidget *bar, int dx, int dy)
    {
        QTest::mouseMove(bar, QPoint(0, 0));
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(0, 0));
        QTest::mouseMove(bar, QPoint(dx, dy));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(dx, dy));
    }
    // A click on a grid cell at its place.
    void clickCell(int row, int col)
    {
        w->FGModel->setTopRow(qMax(2, row));
        if (w->FG->cellRect(row, col).isEmpty()) // scrolled to, as the user scrolls
            w->FGModel->setLeftCol(qMax(w->FGModel->FixedCols(), col));
        const QRect cell = w->FG->cellRect(row, col);
        QVERIFY2(!cell.isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(row).arg(col)));
        QTest::mouseMove(w->FG->viewport(), cell.center());
        QTest::mouseClick(w->FG->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void cacheSitePage(const char *cache, const char *page)
    {
        QFile f(fixturePath(QStringLiteral("site/") + QLatin1String(page)));
        QVERIFY(f.open(QIODevice::ReadOnly));
        writeCachePage(QLatin1String(cache), f.readAll());
    }

private slots:
    void init()
    {
        m_profile = freshMainWindowProfile();
        resetNavigation();
        resetStocks();
        CurSetNo = 0;
        addStock(0, "ACME", "Acme Corp");
        addStock(1, "BOLT", "Bolt Industries");
        addStock(2, "CRAN", "Crane & Co");
        SaveStocks();
        resetStocks();
        resetPortfolio();
        QCOMPARE(BuyStock(QStringLiteral("BOLT"), {"10 Dec 2026", "100", "12.5", "10"}, QStringLiteral("13")), QString());
        opened.clear();
        setUrlOpenerHandler([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        frmMain::Show();
        w = frmMain::instance();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        UnloadSpeech();
        delete frmMain::instance();
        w = nullptr;
        setSpeechEngine(nullptr);
        setUrlOpenerHandler({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_profile.reset();
    }

    // A click on a stock's gauge shows its prices in the ticker while
    // "Selected Stock Prices" is chosen, its headlines otherwise; the
    // downgrades history follows the click as the other stock sheets do.
    void gaugeClickFollowsTheTickerAndTheSheet()
    {
        w->mnuTicker[1]->trigger();
        click(w->img[1]);
        QCOMPARE(CurSymbol, QStringLiteral("BOLT"));
        QCOMPARE(w->NewsTicker1->text(), tickerQuote(Sets[1]));
        w->mnuTicker[0]->trigger();
        click(w->lblSbl[2]);
        QCOMPARE(CurSymbol, QStringLiteral("CRAN"));
        QVERIFY2(w->NewsTicker1->text().startsWith(QLatin1String("... Latest Crane & Co News ...;")),
                 qPrintable(w->NewsTicker1->text()));

        clickNode(QStringLiteral("DN1"));
        QCOMPARE(CurType, QStringLiteral("DNH"));
        QVERIFY2(gridText().contains(QLatin1String("Bolt Industries")), qPrintable(gridText()));
        QCOMPARE(w->lblSbl[1]->text(), QStringLiteral("CRAN"));
        click(w->img[1]);
        QCOMPARE(CurType, QStringLiteral("DNH"));
        QVERIFY2(gridText().contains(QLatin1String("Crane & Co")) && !gridText().contains(QLatin1String("Bolt")),
                 qPrintable(gridText()));
    }

    // The dividers stay where the user left them through later resizes, and
    // the rows show wherever they have room.
    void resizeKeepsTheDividersAndShowsRowsWithRoom()
    {
        QVERIFY(rowsShowWhereTheyHaveRoom());
        // The horizontal bar dragged to its top hides the rows...
        drag(w->Splitter, 0, -w->Splitter->y() + 3);
        QCOMPARE(w->Splitter->y(), Twips::toPixelsY(400, w));
        for (QLabel *row : w->lblSbl)
            QVERIFY(row->isHidden());
        // ...and stays there when the window grows, the rows still hidden.
        int top = w->Splitter->y();
        resizeBy(1.25, 1.25);
        QVERIFY2(qAbs(w->Splitter->y() - top * 1.25) <= 2, qPrintable(QString::number(w->Splitter->y())));
        QVERIFY(rowsShowWhereTheyHaveRoom());
        // Dragged down again the rows come back, and stay through a resize.
        drag(w->Splitter, 0, Twips::toPixelsY(2400, w));
        QVERIFY(!w->lblSbl[0]->isHidden());
        QVERIFY(rowsShowWhereTheyHaveRoom());
        top = w->Splitter->y();
        const int oldHeight = w->height();
        resizeBy(0.9, 0.9);
        QVERIFY2(qAbs(w->Splitter->y() - top * double(w->height()) / oldHeight) <= 2,
                 qPrintable(QString::number(w->Splitter->y())));
        QVERIFY(rowsShowWhereTheyHaveRoom());
        QVERIFY(!w->lblSbl[0]->isHidden());

        // A row just short of room shows once a larger window gives it room.
        drag(w->Splitter, 0, Twips::toPixelsY(400, w) - w->Splitter->y());
        while (w->lblSbl[3]->isHidden() && w->Splitter->y() < w->FG->y())
            drag(w->Splitter, 0, 1);
        drag(w->Splitter, 0, -1);
        QVERIFY(w->lblSbl[3]->isHidden() && !w->lblSbl[2]->isHidden());
        resizeBy(1.5, 1.5);
        QVERIFY(!w->lblSbl[3]->isHidden());
        QVERIFY(rowsShowWhereTheyHaveRoom());

        // The tree's divider dragged to the right stays right of its
        // designed place through a resize, as "LastTreePos" keeps it.
        drag(w->picSplit2, 120, 0);
        const int stored = QuerySetting(QStringLiteral("LastTreePos")).toString().toInt();
        QCOMPARE(w->picSplit2->x(), Twips::toPixelsX(stored, w));
        const int left = w->picSplit2->x(), oldWidth = w->width();
        resizeBy(1.2, 1.0);
        const double ratio = double(w->width()) / oldWidth;
        QVERIFY2(qAbs(w->picSplit2->x() - left * ratio) <= 2, qPrintable(QString::number(w->picSplit2->x())));
        QVERIFY(qAbs(w->lblSbl[0]->x() - (left + Twips::toPixelsX(250, w)) * ratio) <= 3);
    }

    // The hover frame of the label bar and the pressed row's frame stay
    // where they were drawn when the window is resized.
    void framesKeepTheirPlaceOnResize()
    {
        QTest::mouseMove(w->Panel1[2], w->Panel1[2]->rect().center());
        QVERIFY(w->Rect->isVisible());
        QCOMPARE(w->Rect->geometry(), w->Panel1[2]->geometry());
        const QRect hover = w->Rect->geometry();
        QTest::mousePress(w->lblSbl[1], Qt::LeftButton, {}, w->lblSbl[1]->rect().center());
        QVERIFY(w->Shape1->isVisible());
        const QRect pressed = w->Shape1->geometry();
        resizeBy(1.3, 1.3);
        QCOMPARE(w->Rect->geometry(), hover);
        QCOMPARE(w->Shape1->height(), pressed.height());
        QCOMPARE(w->Shape1->y(), pressed.y());
        QTest::mouseRelease(w->lblSbl[1], Qt::LeftButton, {}, w->lblSbl[1]->rect().center());
    }

    // One stock's trades write the commission as plain number text, like
    // the sheet's other figures.
    void oneStocksTradesShowPlainCommission()
    {
        int node = 0;
        for (int i = 1; i <= nodes().Count() && !node; ++i)
            if (nodes().Key(i).startsWith(QLatin1String("TID")) && nodes().Text(i) == QLatin1String("BOLT"))
                node = i;
        QVERIFY(node);
        clickTreeNode(w->TreeView1, node);
        QCOMPARE(CurType, QStringLiteral("PortSelected"));
        QCOMPARE(w->FGModel->TextMatrix(2, 0), QStringLiteral("BOLT"));
        QCOMPARE(w->FGModel->TextMatrix(2, 3), QStringLiteral("12.5"));
        QCOMPARE(w->FGModel->TextMatrix(2, 4), QStringLiteral("10"));
    }

    // A spoken quote after a restart speaks with the stored voice; with no
    // sound output the window says speech is unavailable and offers no
    // Pause; moved over the main window, its backdrop shows what lies under
    // it now.
    void speechUsesTheStoredVoiceAndSaysWhenItCannot()
    {
        VoiceEngine engine;
        setSpeechEngine(&engine);
        SaveSetting(QStringLiteral("VoiceMode"), 2);
        click(w->img[0]);
        w->mnuTicker[9]->trigger(); // "Put on air selected stock Prices"
        QVERIFY(!engine.modes.isEmpty());
        QCOMPARE(engine.modes.last(), 3);
        QVERIFY(engine.said.last().contains(QLatin1String("Acme Corp, Last Price: 10 1/2")));
        frmSpeech *speech = speechWindow();
        QVERIFY(speech && speech->isVisible());
        QVERIFY(speech->lblUnavailable->isVisible());
        QVERIFY(!speech->lblNav[1]->isEnabled()); // Pause
        QVERIFY(!speech->lblNav[0]->isEnabled()); // Resume
        QVERIFY(speech->lblNav[5]->isEnabled());  // Close

        // Dragged by its background to stand over the gauges.
        const QPoint grip(4, 4);
        const QPoint target = w->img[0]->mapToGlobal(QPoint(-20, -10));
        QTest::mousePress(speech, Qt::LeftButton, {}, grip);
        QTest::mouseMove(speech, grip + (target - speech->pos()));
        QTest::mouseRelease(speech, Qt::LeftButton, {}, grip);
        QTRY_COMPARE(speech->pos(), target);
        const QImage backdrop = speech->property("backdrop").value<QPixmap>().toImage();
        const QImage under = w->grab().toImage();
        const QPoint origin = w->mapToGlobal(QPoint(0, 0));
        int compared = 0, differing = 0;
        for (int y = 0; y < backdrop.height(); y += 7) {
            for (int x = 0; x < backdrop.width(); x += 7) {
                const QPoint at = speech->pos() + QPoint(x, y) - origin;
                if (!under.rect().contains(at))
                    continue;
                ++compared;
                const QRgb expected = tintedByAnd(under.copy(QRect(at, QSize(1, 1))), QColor(129, 217, 239)).pixel(0, 0);
                if ((backdrop.pixel(x, y) & 0xffffff) != (expected & 0xffffff))
                    ++differing;
            }
        }
        QVERIFY(compared > 100);
        QCOMPARE(differing, 0);
    }

    // The links of the latest-IPO and world-market sheets open pages of the
    // row's own symbol.
    void linksOpenTheRowsSymbol()
    {
        cacheSitePage("IPO_lts.sh", "ipo/index.html");
        clickNode(QStringLiteral("ipo_last"));
        QCOMPARE(CurType, QStringLiteral("IPO_Last"));
        QCOMPARE(w->FGModel->TextMatrix(2, 1), QStringLiteral("BRCD"));
        clickCell(2, 6); // "Chart"
        clickCell(2, 1);
        cacheSitePage("Market.Sh", "m2/u.html");
        clickNode(QStringLiteral("W_Market"));
        QCOMPARE(CurType, QStringLiteral("WM"));
        QCOMPARE(w->FGModel->TextMatrix(4, 3), QStringLiteral("^GSPTSE"));
        clickCell(4, 8); // "Chart"
        clickCell(3, 9); // "News" of ^BVSP
        const auto page = [](Site site, const char *path) { return QUrl(siteUrl(site, QLatin1String(path))).toString(); };
        QCOMPARE(opened, (QStringList{page(Site::QuotePortal, "/q?s=BRCD&d=3m"), page(Site::QuotePortal, "/q?s=BRCD&d=t"),
                                      page(Site::QuotePortal, "/q?s=%5EGSPTSE&d=3m"),
                                      page(Site::FinancePortal, "/n/i/^BVSP.html")}));
    }

    // Names on the insider sheet are shown as the page writes them.
    void insiderNamesKeepTheirLetters()
    {
        QByteArray page = fixturePage(QStringLiteral("IBM_it.Sh"));
        page.replace("YORK JEROME B", "SMITH &amp; JONES TRUST");
        writeCachePage(QStringLiteral("ACME_it.Sh"), page);
        clickNode(QStringLiteral("IT0"));
        QCOMPARE(CurType, QStringLiteral("IT"));
        QStringList names;
        for (int r = 2; r < w->FGModel->Rows(); ++r)
            names << w->FGModel->TextMatrix(r, 2);
        QVERIFY2(names.contains(QLatin1String("THOMPSON JOHN M")), qPrintable(names.join(QLatin1Char('|'))));
        QVERIFY2(names.contains(QLatin1String("SMITH & JONES TRUST")), qPrintable(names.join(QLatin1Char('|'))));
    }

    // At the window's first size no text of the trade log or of the latest
    // IPO events is cut.
    void sheetTextsAreWholeAtTheFirstSize()
    {
        const auto cutCells = [this] {
            QStringList cut;
            FlexGrid *g = w->FGModel;
            for (int r = 0; r < g->Rows(); ++r) {
                for (int c = 0; c < g->Cols(); ++c) {
                    const QString text = g->TextMatrix(r, c);
                    if (text.isEmpty() || g->RowHeight(r) == 0 || g->ColWidth(c) == 0)
                        continue;
                    g->setTopRow(qMax(g->FixedRows(), r));
                    g->setLeftCol(qMax(g->FixedCols(), c));
                    const QRect cell = w->FG->cellRect(r, c);
                    const QFontMetrics metrics(w->FG->cellStyle(r, c).font);
                    for (const QString &line : text.split(QStringLiteral("\r\n")))
                        if (metrics.horizontalAdvance(line) > cell.width() - 6)
                            cut << QStringLiteral("%1 (column %2, %3 for %4)").arg(line).arg(c).arg(metrics.horizontalAdvance(line) + 6).arg(cell.width());
                }
            }
            return cut;
        };
        clickNode(QStringLiteral("PortLog"));
        QCOMPARE(CurType, QStringLiteral("PortLog"));
        QCOMPARE(w->FGModel->TextMatrix(2, 2), QStringLiteral("10 Dec 2026"));
        QStringList cut = cutCells();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        cacheSitePage("IPO_lts.sh", "ipo/index.html");
        clickNode(QStringLiteral("ipo_last"));
        cut = cutCells();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestUserView)
#include "tst_userview.moc"
