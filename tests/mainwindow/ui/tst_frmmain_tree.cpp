#include "FreshMainWindow.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "sheets/ColLayout.h"
#include "mainwindow/ui/frmMain.h"
#include "navigation/NodeDispatcher.h"
#include "navigation/NodeTable.h"
#include "platform/FlexGrid.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FlexGridView.h"
#include "core/Sites.h"
#include "retrieval/transport/RunState.h"
#include "support/CachePages.h"
#include "support/GridDump.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/TreeClicks.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QHelpEvent>
#include "core/Portfolio.h"
#include "portfolio/PortfolioSheets.h"
#include "portfolio/ui/LastPar.h"
#include "portfolio/ui/Properties.h"
#include "portfolio/ui/StkSet.h"
#include "portfolio/ui/frmPurchace.h"
#include "reports/ui/SummaryOpt.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QtTest>

namespace {

void addStock(int i, const char *symbol, const char *name)
{
    Sets[size_t(i)].Symbol = QLatin1String(symbol);
    Sets[size_t(i)].Name = QLatin1String(name);
    Sets[size_t(i)].LastSale = QStringLiteral("10 1/2");
    Sets[size_t(i)].PctChange = QStringLiteral("+1%");
    Sets[size_t(i)].Rating = 2;
}

// Set 0 holds three stocks, set 1 one.
void writeSets()
{
    resetStocks();
    CurSetNo = 1;
    addStock(0, "DYNE", "Dyne Labs");
    SaveStocks();
    resetStocks();
    CurSetNo = 0;
    addStock(0, "ACME", "Acme Corp");
    addStock(1, "BOLT", "Bolt Industries");
    addStock(2, "CRAN", "Crane & Co");
    SaveStocks();
    resetStocks();
}

} // namespace

class TestFrmMainTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    frmMain *w = nullptr;

    TreeModel &nodes() { return w->TreeView1->Nodes(); }
    int node(const char *key) { return nodes().find(QLatin1String(key)); }

    // A left click on the node, as the user makes it (its branch opened first).
    void clickNode(const char *key)
    {
        const int index = node(key);
        QVERIFY2(index, key);
        clickTreeNode(w->TreeView1, index);
    }

    QPoint nodeCentre(const char *key)
    {
        return w->TreeView1->visualItemRect(w->TreeView1->itemOf(node(key))).center();
    }

    QStringList visibleMenuItems()
    {
        QStringList out;
        for (QAction *a : w->mnuTree)
            if (a->isVisible())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

private slots:
    void init()
    {
        m_profile = freshMainWindowProfile();
        resetNavigation();
        writeSets();
        SetKeyValue(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey), QStringLiteral("Group0"),
                    QStringLiteral("All Stocks"), REG_SZ);
        frmMain::Show();
        w = frmMain::instance();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        delete frmMain::instance();
        w = nullptr;
        m_profile.reset();
    }

    // The set chosen at start builds the tree.
    void theSetBuildsTheTree()
    {
        QCOMPARE(nodes().Count(), FixedNodeCount + 3 * StockSubtreeSize);
        QCOMPARE(nodes().Text(1), QStringLiteral("Stocks-All Stocks"));
        QCOMPARE(w->TreeView1->topLevelItemCount(), 5);
        QVERIFY(!w->TreeView1->itemOf(node("ID1"))->icon(0).isNull());
    }

    // The last stock clicked in the tree goes to the top of the symbol
    // column: the rows below it list nothing and show no gauge, the up arrow
    // leaves the scale's captions clear.
    void onlyListedStocksHaveGauges()
    {
        for (int i = 0; i < 3; ++i)
            QVERIFY(w->img[i]->isVisible());
        clickNode("ID2");
        QCOMPARE(w->lblSbl[0]->text(), QStringLiteral("CRAN"));
        QVERIFY(w->img[0]->isVisible());
        for (int i = 1; i < 7; ++i) {
            QCOMPARE(w->lblSbl[i]->text(), QString());
            QVERIFY2(!w->img[i]->isVisible(), qPrintable(QString::number(i)));
        }
        // Not a pixel of a caption changes with the arrows taken away.
        const QImage with = w->PicCont->grab().toImage();
        w->ImgUp->hide(), w->ImgDn->hide();
        const QImage without = w->PicCont->grab().toImage();
        w->ImgUp->show(), w->ImgDn->show();
        QList<QLabel *> captions(w->lblDsc.begin(), w->lblDsc.end());
        captions << w->lblSbl[0];
        for (QLabel *caption : captions) {
            const QRect text = QStyle::alignedRect(Qt::LeftToRight, caption->alignment(),
                                                   caption->fontMetrics().size(Qt::TextSingleLine, caption->text()),
                                                   caption->geometry());
            QVERIFY2(with.copy(text) == without.copy(text), qPrintable(caption->text()));
        }
    }

    // A stock node shows the price sheet with the stock's row selected and
    // puts the stock at the top of the symbol column.
    void stockNodeSelectsItsRow()
    {
        clickNode("ID1");
        QCOMPARE(CurSymbol, QStringLiteral("BOLT"));
        QCOMPARE(CurType, QStringLiteral("Current"));
        FlexGrid *g = w->FGModel;
        QCOMPARE(g->TextMatrix(3, 1), QStringLiteral("Bolt Industries"));
        QCOMPARE(QList<int>({g->Row(), g->Col(), g->RowSel(), g->ColSel()}), QList<int>({3, 0, 3, 1}));
        QCOMPARE(w->lblSbl[0]->text(), QStringLiteral("BOLT"));
        QCOMPARE(w->lblSbl[1]->text(), QStringLiteral("CRAN"));
        QVERIFY(w->lblSbl[0]->font().bold());
        QCOMPARE(NodeIndex, short(node("ID1")));
    }

    // The road of one request: "Insider Trade" under a stock that is not
    // current makes it current and draws its insider trades from the cache.
    void insiderTradeLeafDrawsItsStocksSheet()
    {
        clickNode("ID0");
        QCOMPARE(CurSymbol, QStringLiteral("ACME"));
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("CRAN_it.Sh"));
        clickNode("IT2");
        QCOMPARE(CurSymbol, QStringLiteral("CRAN"));
        QCOMPARE(CurType, QStringLiteral("IT"));
        FlexGrid *g = w->FGModel;
        QCOMPARE(g->TextMatrix(1, 2), QStringLiteral("Crane & Co\r\nInsider Trades"));
        QCOMPARE(g->TextMatrix(2, 2), QStringLiteral("PALMISANO SAMUEL J"));
        QCOMPARE(w->lblSbl[0]->text(), QStringLiteral("CRAN"));

        // A click in the symbol column draws the same sheet for that row's stock.
        clickNode("IT0");
        QCOMPARE(CurType, QStringLiteral("IT"));
        QCOMPARE(w->lblSbl[1]->text(), QStringLiteral("BOLT"));
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("BOLT_it.Sh"));
        w->img_Click(1);
        QCOMPARE(CurSymbol, QStringLiteral("BOLT"));
        QCOMPARE(nodes().SelectedItem(), node("ID1"));
        QCOMPARE(g->TextMatrix(1, 2), QStringLiteral("Bolt Industries\r\nInsider Trades"));
        QVERIFY(w->lblSbl[1]->font().bold() && !w->lblSbl[0]->font().bold());
        // A row without a gauge changes nothing.
        w->img_Click(5);
        QCOMPARE(CurSymbol, QStringLiteral("BOLT"));
    }

    // With a profile shown, clicking another stock shows that stock's profile.
    void stockNodeWhileAProfileIsShown()
    {
        writeCachePage(QStringLiteral("ACME_P.Sh"), "<html><hr>Acme makes anvils. Mostly.<hr></html>");
        writeCachePage(QStringLiteral("CRAN_P.Sh"), "<html><hr>Crane lifts things. Heavy ones.<hr></html>");
        clickNode("AR0");
        QCOMPARE(CurType, QStringLiteral("Profile"));
        clickNode("ID2");
        QCOMPARE(CurSymbol, QStringLiteral("CRAN"));
        QCOMPARE(CurType, QStringLiteral("Profile"));
        QCOMPARE(w->FGModel->TextMatrix(0, 1), QStringLiteral("Crane & Co (CRAN) Profile"));
        QCOMPARE(w->FGModel->TextMatrix(1, 1), QStringLiteral("Crane lifts things\r\nHeavy ones."));
        QCOMPARE(w->lblSbl[0]->text(), QStringLiteral("CRAN"));
    }

    // With the price sheet shown, a change of set shows the new set's prices.
    void ipoNodesDrawTheirSheets()
    {
        const struct { const char *key, *type, *cache, *page; } ipo[] = {
            {"ipo_price", "IPO_Price", "IPO_Prc.sh", "ipo/prc_cal.html"},
            {"ipo_gain", "IPO_Gain", "IPO_G3.sh", "ipo/perf_g3.html"},
            {"ipo_Loss", "IPO_Loss", "IPO_L3.sh", "ipo/perf_l3.html"},
            {"ipo_reg", "IPO_Reg", "IPO_Reg.sh", "ipo/reg_cal.html"},
            {"ipo_last", "IPO_Last", "IPO_lts.sh", "ipo/index.html"},
            {"ipo_news", "IPO_News", "IPO_News.sh", "reports/ipo.html"},
            {"ipo_with", "IPO_With", "IPO_wp.sh", "ipo/wp.html"},
        };
        for (const auto &sheet : ipo) {
            QFile page(fixturePath(QStringLiteral("site/") + QLatin1String(sheet.page)));
            QVERIFY(page.open(QIODevice::ReadOnly));
            writeCachePage(QLatin1String(sheet.cache), page.readAll());
            clickNode(sheet.key);
            QCOMPARE(CurType, QLatin1String(sheet.type));
            QVERIFY2(w->FGModel->Rows() > 4, sheet.key);
        }
        // A headline of the news sheet opens its article.
        clickNode("ipo_news");
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toString();
            return true;
        });
        w->FGModel->setRow(2);
        w->FGModel->setCol(1);
        emit w->FG->Click();
        setUrlOpenerHandler({});
        QCOMPARE(opened, QStringList{siteUrl(Site::FinancePortal, QStringLiteral("/n/000614/brcd.html"))});
    }

    // Section and region nodes scroll their row to the top.
    void sectionNodesScrollToTheirRow()
    {
        clickNode("US_SP");
        QCOMPARE(CurType, QStringLiteral("US"));
        QCOMPARE(w->FGModel->TopRow(), 17);
        QFile page(fixturePath(QStringLiteral("site/m2/u.html")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        writeCachePage(QStringLiteral("Market.Sh"), page.readAll());
        clickNode("mkt_E");
        QCOMPARE(CurType, QStringLiteral("WM"));
        QCOMPARE(w->FGModel->TextMatrix(w->FGModel->TopRow(), 1), QStringLiteral("Europe"));
    }

    // The tooltip over the tree: the current stock's profile, one line.
    void profileTooltip()
    {
        clickNode("ID0");
        writeCachePage(CurSymbol + QStringLiteral("_P.Sh"), "<html><hr>It makes computers. It sells services.<hr></html>");
        const QRect at = w->TreeView1->visualItemRect(w->TreeView1->itemOf(node("ID0")));
        QHelpEvent help(QEvent::ToolTip, at.center(), w->TreeView1->viewport()->mapToGlobal(at.center()));
        QApplication::sendEvent(w->TreeView1->viewport(), &help);
        QCOMPARE(w->TreeView1->ToolTipText(), QStringLiteral("It makes computers. It sells services."));
    }

    // Buying and selling through the popup menu and the real windows.
    void buyAndSellThroughTheMenus()
    {
        resetPortfolio();
        WritePortfolio();
        clickNode("ID0");
        const QString symbol = CurSymbol;
        const auto buy = [&](const char *shares, const char *price) {
            w->mnuTree_Click(2);
            frmPurchace *p = purchaseWindow();
            QVERIFY(p);
            QCOMPARE(p->windowTitle(), QStringLiteral("Parchase Share"));
            QVERIFY(!p->cmdOK->isEnabled());
            p->txtShares->selectAll();
            QTest::keyClicks(p->txtShares, QLatin1String(shares));
            p->txtPrice->setText(QLatin1String(price));
            QVERIFY(p->cmdOK->isEnabled());
            QTest::mouseClick(p->cmdOK, Qt::LeftButton);
            QTRY_VERIFY(!purchaseWindow());
        };
        buy("100", "10");
        buy("50", "12");
        QCOMPARE(Port[1].Symbol, symbol);
        QCOMPARE(Port[2].Shares, qint16(50));
        ::FG_Portfolio_All();
        QCOMPARE(w->FGModel->TextMatrix(2, 0), symbol);
        QCOMPARE(w->FGModel->TextMatrix(3, 2), QStringLiteral("50"));

        // Two lots: the chooser; the first lot sold whole.
        w->mnuTrees_Click();
        QVERIFY(w->mnuTree[3]->isEnabled());
        w->mnuTree_Click(3);
        QVERIFY(lotChooser());
        QCOMPARE(lotChooser()->FG->rowCount(), 2);
        // Nothing is sold until a lot is chosen, by OK or by Enter.
        QVERIFY(!lotChooser()->cmdOK->isEnabled());
        QTest::keyClick(lotChooser(), Qt::Key_Return);
        QVERIFY(lotChooser() && !purchaseWindow());
        QTableWidget *lots = lotChooser()->FG;
        QTest::mouseClick(lots->viewport(), Qt::LeftButton, {}, lots->visualItemRect(lots->item(0, 0)).center());
        QTest::mouseClick(lotChooser()->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(purchaseWindow());
        QCOMPARE(purchaseWindow()->windowTitle(), QStringLiteral("Sell Share"));
        QCOMPARE(purchaseWindow()->txtShares->text(), QStringLiteral("100"));
        QTest::mouseClick(purchaseWindow()->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(!purchaseWindow());
        // One lot left: the sale opens at once, for what it holds.
        w->mnuTree_Click(3);
        QVERIFY(!lotChooser());
        QVERIFY(purchaseWindow());
        QCOMPARE(purchaseWindow()->txtShares->text(), QStringLiteral("50"));
        purchaseWindow()->close();
        QTRY_VERIFY(!purchaseWindow());
    }

    // A stock bought for the first time is listed under "Portfolio Detail"
    // at once, with no restart; the trade is in Portfolio.dat.
    void aFirstPurchaseJoinsThePortfolioBranch()
    {
        const auto branch = [this] {
            QStringList texts;
            for (const int child : nodes().children(node("PortDetail")))
                texts << nodes().Text(child);
            return texts;
        };
        QVERIFY(!branch().contains(QStringLiteral("BOLT")));
        clickNode("ID1");
        QTest::mouseClick(w->TreeView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(w->mnuTrees->isVisible());
        QAction *buy = w->mnuTree[2];
        QCOMPARE(buy->text(), QStringLiteral("&Buy"));
        QTest::mouseClick(w->mnuTrees, Qt::LeftButton, {}, w->mnuTrees->actionGeometry(buy).center());
        QTRY_VERIFY(purchaseWindow());
        frmPurchace *p = purchaseWindow();
        p->txtShares->setFocus();
        p->txtShares->selectAll();
        QTest::keyClicks(p->txtShares, QStringLiteral("30"));
        p->txtPrice->setFocus();
        p->txtPrice->selectAll();
        QTest::keyClicks(p->txtPrice, QStringLiteral("20.5"));
        QTest::mouseClick(p->cmdOK, Qt::LeftButton);
        QTRY_VERIFY(!purchaseWindow());
        QCOMPARE(branch().count(QStringLiteral("BOLT")), 1);
        ReadPortfolio();
        QVERIFY(std::any_of(Port.begin(), Port.end(),
                            [](const PortRec &e) { return e.Symbol == QLatin1String("BOLT") && e.Shares == 30; }));
    }

    // The ticker follows the selected stock; a click opens the headline's
    // own page; the menu reads it aloud.
    void headlineTicker()
    {
        clickNode("ID0");
        QDir().mkpath(DataDir + QStringLiteral("/Cache/News"));
        QFile news(DataDir + QStringLiteral("/Cache/News/") + CurSymbol + QStringLiteral(".txt"));
        QVERIFY(news.open(QIODevice::WriteOnly));
        news.write("\" Contract won #http://n.example/1# ;\"\r\n\" Shares rise;\"\r\n");
        news.close();
        w->SelectSymbol(CurSymbol);
        QCOMPARE(w->NewsTicker1->items().size(), 3);
        QTRY_VERIFY(w->NewsTicker1->offset() > 0); // it scrolls
        QVERIFY(w->NewsTicker1->items().first().contains(QLatin1String("News")));
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toString();
            return true;
        });
        emit w->NewsTicker1->ItemClick(2);
        emit w->NewsTicker1->ItemClick(3);
        setUrlOpenerHandler({});
        QCOMPARE(opened, QStringList{"http://n.example/1"});
        QCOMPARE(w->Panel1[6]->property("fullText").toString().isEmpty() ? w->Panel1[6]->text() : w->Panel1[6]->property("fullText").toString(),
                 QStringLiteral("Wrong web address, Try updating ugain and click for full story.."));
        // Prices, then "All Stocks Headlines" (coming soon) puts the check back on item 0.
        w->mnuTicker_Click(1);
        QVERIFY(w->NewsTicker1->text().contains(QLatin1String("Last Price:")));
        ScriptedDialogs dialogs;
        w->mnuTicker_Click(3);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(w->mnuTicker[0]->isChecked());
        QVERIFY(!w->mnuTicker[3]->isChecked());
    }

    // Building a set in the editor from the toolbar, alerts that stay with
    // their stocks, and a set switch that cannot mix two sets' files.
    void setEditor()
    {
        ScriptedDialogs dialogs;
        w->mnuSet_Click(4); // an empty set to start from
        w->Picture1_Click(4);
        StkSet *editor = ::setEditor();
        QVERIFY(editor);
        editor->lstSets->setCurrentRow(4);
        editor->lstSets_Click();
        dialogs.answerInput(QStringLiteral("Watch list"));
        editor->lstSets_DblClick();
        for (const char *typed : {"aaa", " bbb ", "ccc", "b/d"})
            dialogs.answerInput(QLatin1String(typed)), editor->lblAction_Click(0);
        QCOMPARE(editor->lstStk->count(), 3); // "b/d" refused with a message
        QVERIFY(dialogs.shown().last().prompt.contains(QLatin1String("letters, digits")));
        editor->lstStk->setCurrentRow(2);
        editor->lstStk_Click();
        editor->txtAlert[1]->setText(QStringLiteral("12.5"));
        editor->cmdApply_Click();
        QCOMPARE(QueryValue(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey), QStringLiteral("Group4")).toString(),
                 QStringLiteral("Watch list"));
        // The main window switches sets meanwhile: Apply still writes set 4.
        w->mnuSet_Click(0);
        editor->lstStk->setCurrentRow(1);
        editor->lblAction_Click(1); // remove BBB
        editor->cmdApply_Click();
        CurSetNo = 4;
        ReadStocks();
        QCOMPARE(QStringList({Sets[0].Symbol, Sets[1].Symbol, Sets[2].Symbol}), (QStringList{"AAA", "CCC", ""}));
        QCOMPARE(Sets[1].HighTarget, 12.5f); // CCC kept its alert
        CurSetNo = 0;
        ReadStocks();
        QVERIFY(Sets[0].Symbol != QLatin1String("AAA")); // set 0 untouched
        editor->cmdOK_Click();
        QTRY_VERIFY(!::setEditor());
        QCOMPARE(CurSetNo, short(4));
        QCOMPARE(w->lblSbl[0]->text(), QStringLiteral("AAA"));
        QVERIFY(nodes().find(QStringLiteral("ID1")));
        QCOMPARE(nodes().Text(nodes().find(QStringLiteral("ID1"))), QStringLiteral("CCC"));
    }

    // Two cards for two stocks: OK writes only its own stock's alert, found
    // by its symbol, and saves the set; a card whose stock has left the set
    // stores nothing.
    void propertiesCards()
    {
        ScriptedDialogs dialogs;
        w->img_DblClick(0);
        w->img_DblClick(1);
        const QList<Properties *> cards = w->findChildren<Properties *>();
        QCOMPARE(cards.size(), 2);
        Properties *first = cards[0]->symbol == w->lblSbl[0]->text() ? cards[0] : cards[1];
        Properties *second = first == cards[0] ? cards[1] : cards[0];
        QVERIFY(!first->pic1->pixmap().isNull()); // "+1%": the up arrow
        // OK closes the card, which deletes itself: keep what is read after.
        const QString firstSymbol = first->symbol;
        const QString secondSymbol = second->symbol;
        first->txtTarget[0]->setText(QStringLiteral("x"));
        QCOMPARE(first->txtTarget[0]->text(), QStringLiteral("0"));
        first->txtTarget[0]->setText(QStringLiteral("7.25"));
        const float otherLow = Sets[size_t(FindSymbol(secondSymbol))].LowTarget;
        first->cmdOK_Click();
        QCOMPARE(Sets[size_t(FindSymbol(firstSymbol))].LowTarget, 7.25f);
        QCOMPARE(Sets[size_t(FindSymbol(secondSymbol))].LowTarget, otherLow);
        ReadStocks(); // saved at once
        QCOMPARE(Sets[size_t(FindSymbol(firstSymbol))].LowTarget, 7.25f);
        // The second card's stock leaves the set: nothing is written.
        const short gone = FindSymbol(secondSymbol);
        Sets[size_t(gone)].Symbol = QStringLiteral("ZZZ");
        second->txtTarget[1]->setText(QStringLiteral("99"));
        second->cmdOK_Click();
        QVERIFY(dialogs.shown().last().prompt.contains(QLatin1String("not in the stock group")));
        QCOMPARE(Sets[size_t(gone)].HighTarget, 0.0f);
        second->close();
    }

    // The Reports label: what the menu offers for the sheet shown, and its
    // HTML item writing the insider report of the selected stock.
    void reportsMenu()
    {
        const auto enabled = [this] {
            emit w->mnuReports->aboutToShow();
            QList<int> on;
            for (int i = 0; i < w->mnuReport.size(); ++i)
                if (w->mnuReport[i]->isEnabled())
                    on << i;
            return on;
        };
        clickNode("All");
        QCOMPARE(enabled(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16}));
        {
            // "Comma Delimited Text": the save dialog, then the set's file.
            ScriptedDialogs dialogs;
            const QString file = m_profile->root() + QStringLiteral("/set.txt");
            dialogs.answerSave(file);
            w->mnuReport[2]->trigger();
            QCOMPARE(dialogs.saveRequests().size(), 1);
            QFile exported(file);
            QVERIFY(exported.open(QIODevice::ReadOnly) && exported.readAll().startsWith("ACME,Acme Corp,"));
        }
        clickNode("PortDetail");
        QCOMPARE(enabled(), QList<int>{});
        copyFixturePage(QStringLiteral("IBM_it.Sh"), QStringLiteral("CRAN_it.Sh"));
        clickNode("IT2");
        QCOMPARE(enabled(), QList<int>{0});
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toLocalFile();
            return true;
        });
        w->Panel1_Click(5);
        QVERIFY(w->mnuReports->isVisible());
        w->mnuReports->hide();
        w->mnuReport[0]->trigger();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].endsWith(QLatin1String("/Cache/Reports/Insiders Traders/CRAN.htm")));
        QFile report(opened[0]);
        QVERIFY(report.open(QIODevice::ReadOnly) && report.readAll().contains("PALMISANO SAMUEL J"));
        // A report folder that cannot be written: a message, nothing opened.
        ScriptedDialogs dialogs;
        QDir(QFileInfo(opened[0]).absolutePath()).removeRecursively();
        QFile blocker(QFileInfo(opened[0]).absolutePath());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w->mnuReport[0]->trigger();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(dialogs.shown().size(), 1);
        setUrlOpenerHandler({});
        // The Summary label with a stock selected: the options form.
        w->Panel1_Click(4);
        QVERIFY(summaryOptions() && summaryOptions()->isVisible());
        summaryOptions()->cmdCancel_Click();
    }

    void aNewSetRedrawsThePriceSheet()
    {
        clickNode("All");
        QCOMPARE(w->FGModel->TextMatrix(2, 1), QStringLiteral("Acme Corp"));
        w->mnuSet_Click(1);
        QCOMPARE(w->FGModel->Rows(), 3);
        QCOMPARE(w->FGModel->TextMatrix(2, 1), QStringLiteral("Dyne Labs"));
        QCOMPARE(nodes().Text(node("ID0")), QStringLiteral("DYNE"));
    }

    // The right button opens the popup menu of the node pressed; P on a
    // collapsed stock node opens it at its profile page.
    void popupMenuAndKeys()
    {
        clickNode("ID2");
        QTest::mouseClick(w->TreeView1->viewport(), Qt::RightButton, {}, nodeCentre("ID1"));
        QCOMPARE(visibleMenuItems().size(), 12);
        w->mnuTrees->hide();
        QCOMPARE(nodes().SelectedItem(), node("ID1"));
        QCOMPARE(CurSymbol, nodes().Text(node("ID1")));

        clickNode("QR1");
        QTest::mouseClick(w->TreeView1->viewport(), Qt::RightButton, {}, nodeCentre("QR1"));
        QCOMPARE(visibleMenuItems(), QStringList{"&Collapse All"});
        w->mnuTrees->hide();

        w->img_MouseDown(0, 2);
        QCOMPARE(visibleMenuItems().size(), 10);
        w->mnuTrees->hide();

        clickNode("ID2");
        nodes().setExpanded(node("ID1"), false);
        const QString sheet = CurType;
        w->TreeView1->setFocus();
        QTest::keyClick(w->TreeView1, Qt::Key_P);
        QVERIFY(nodes().Expanded(node("ID2")));
        QCOMPARE(nodes().SelectedItem(), node("AR2"));
        QCOMPARE(CurType, sheet);

        w->mnuTree[0]->trigger();
        QVERIFY(!nodes().Expanded(node("ID2")) && !nodes().Expanded(node("All")));
    }
};

QTEST_MAIN(TestFrmMainTree)
#include "tst_frmmain_tree.moc"
