// The road of one request, end to end against the fixture web site: the
// insider-trades box ticked, Update, the run ends, a click on the stock's
// "Insider Trade" node draws the sheet, a click on a link cell hands its
// page to the browser.
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/ui/frmMain.h"
#include "navigation/ZoomDispatch.h"
#include "reports/ui/Zoom.h"
#include "core/TargetGrid.h"
#include "sheets/symbol/Statements.h"
#include "sheets/symbol/InsiderTrades.h"
#include "platform/FlexGrid.h"
#include "platform/TreeModel.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TreeView.h"
#include "retrieval/BatchRun.h"
#include "sheets/market/FundPages.h"
#include "sheets/market/UsIndices.h"
#include "retrieval/ui/Options.h"
#include "retrieval/transport/RunState.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QDir>
#include <QFile>
#include <QAction>
#include <QLabel>
#include <QtTest>

class TestEndToEnd : public QObject
{
    Q_OBJECT

    static QStringList cells(const FlexGrid &g)
    {
        QStringList rows;
        for (int r = 0; r < g.Rows(); ++r) {
            QStringList row;
            for (int c = 0; c < g.Cols(); ++c)
                row << g.TextMatrix(r, c);
            rows << row.join(QLatin1Char('\t'));
        }
        return rows;
    }
    static QList<Zoom *> zooms()
    {
        QList<Zoom *> shown;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *z = qobject_cast<Zoom *>(top); z && z->isVisible())
                shown << z;
        return shown;
    }

    // Every sheet the zoom redraws, from the pages of a full run: each zoom
    // a new window with the main grid's cells, the main grid untouched; a
    // zoom of a sheet without its page leaves no window, and the next sheet
    // goes to the main grid.
    void zoomEverySheet(frmMain *w)
    {
        installZoomWindows(); // as the program does at start
        CurSymbol = QStringLiteral("ACME");
        QStringList keys = zoomSheetKeys();
        keys << QStringLiteral("F_Conv");
        for (const QString &key : keys) {
            if (key.startsWith(QLatin1String("F_")))
                FG_Funds(key);
            else
                zoomSheetFill(key)();
            QCOMPARE(CurType, key);
            const QStringList main = cells(*w->FGModel);
            const QList<Zoom *> before = zooms();
            w->Picture1_Click(3);
            QList<Zoom *> made = zooms();
            made.removeIf([&](Zoom *z) { return before.contains(z); });
            QVERIFY2(made.size() == 1, qPrintable(key));
            Zoom *z = made.first();
            QCOMPARE(z->ZoomType, key);
            QCOMPARE(cells(*z->FGModel), main);
            QCOMPARE(cells(*w->FGModel), main);
            QVERIFY(!ZoomFlag);
        }
        for (Zoom *z : zooms())
            z->close();
        QFile::remove(DataDir + QStringLiteral("/Cache/DataSheet/ACME_ABS.Sh"));
        FG_ABS();
        w->Zoom_FG();
        QVERIFY(zooms().isEmpty() && !ZoomFlag);
        FG_IT();
        QCOMPARE(TargetGrid.data(), w->FGModel);
        QCOMPARE(CurType, QStringLiteral("IT"));
        // Keys without a zoom do nothing.
        for (const char *key : {"PortSelected", "OptSum", "EC", "port", ""}) {
            CurType = QLatin1String(key);
            w->Zoom_FG();
            QVERIFY(zooms().isEmpty());
        }
    }

private slots:
    void updateThenTreeThenLink()
    {
        TempProfile profile;
        profile.createProgramKey();
        FixtureSite site;
        QVERIFY(site.start());
        setAllSiteHosts(site.host());
        for (int box = 0; box < BatchBoxCount; ++box)
            SaveSetting(QStringLiteral("Update%1").arg(box), box == 7 ? 1 : 0);
        resetStocks();
        Sets[0].Symbol = QStringLiteral("IBM");
        Sets[1].Symbol = QStringLiteral("ACME");
        SaveStocks();
        resetStocks();
        resetRunState();

        ScriptedDialogs dialogs;
        frmMain::Show();
        frmMain *w = frmMain::instance();
        QVERIFY(w);

        w->Picture1_Click(0); // Update: the run ends before this returns
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        QVERIFY(QFile::exists(DataDir + QStringLiteral("/Cache/DataSheet/IBM_it.Sh")));
        QVERIFY(site.requests().size() >= 2);

        // The "Insider Trade" leaf of the first stock.
        TreeModel &nodes = w->TreeView1->Nodes();
        const int leaf = nodes.find(QStringLiteral("IT0"));
        QVERIFY(leaf);
        for (int p = nodes.Parent(leaf); p; p = nodes.Parent(p))
            nodes.setExpanded(p, true);
        QTreeWidgetItem *item = w->TreeView1->itemOf(leaf);
        w->TreeView1->scrollToItem(item);
        QTest::mouseClick(w->TreeView1->viewport(), Qt::LeftButton, {}, w->TreeView1->visualItemRect(item).center());
        QCOMPARE(CurSymbol, QStringLiteral("IBM"));
        QCOMPARE(CurType, QStringLiteral("IT"));
        FlexGrid *g = w->FGModel;
        QVERIFY(g->Rows() > 2);

        // A link cell of the sheet opens its page in the browser.
        QStringList opened;
        setUrlOpenerHandler([&](const QUrl &u) {
            opened << u.toString();
            return true;
        });
        int linkRow = -1;
        for (int r = 2; r < g->Rows() && linkRow < 0; ++r)
            if (!g->TextMatrix(r, 1).isEmpty())
                linkRow = r;
        QVERIFY(linkRow > 0);
        g->setRow(linkRow);
        g->setCol(2);
        emit w->FG->Click();
        setUrlOpenerHandler({});
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().startsWith(QStringLiteral("http://")));
        delete w;
    }

    // Every box ticked over five stocks: the run ends and every page the
    // fixture site can supply is in the cache.
    void fullRunOverFiveStocks()
    {
        TempProfile profile;
        profile.createProgramKey();
        FixtureSite site;
        QVERIFY(site.start());
        setAllSiteHosts(site.host());
        resetStocks();
        const QStringList symbols = {QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT"),
                                     QStringLiteral("CRWN"), QStringLiteral("ZZZZ")};
        for (int i = 0; i < symbols.size(); ++i)
            Sets[i].Symbol = symbols[i];
        SaveStocks();
        resetStocks();
        resetRunState();
        UnloadOptions(); // its boxes are read afresh from this profile
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ScriptedDialogs dialogs;
        frmMain::Show();
        frmMain *w = frmMain::instance();
        w->Picture1_Click(0);
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        QVERIFY(StopFlag);
        QCOMPARE(w->Panel1[7]->text(), QString());
        const QString cache = DataDir + QStringLiteral("/Cache/DataSheet/");
        for (const char *file : {"IBM_it.Sh", "ACME_it.Sh", "BOLT_it.Sh", "ACME_qr.Sh", "ACME_ee.Sh"})
            QVERIFY2(QFile::exists(cache + QLatin1String(file)), file);
        QVERIFY(!QFile::exists(cache + QStringLiteral("ZZZZ_it.Sh"))); // no page for it
        // Each IPO page once.
        for (const char *file : {"IPO_Prc.sh", "IPO_G3.sh", "IPO_L3.sh", "IPO_Reg.sh", "IPO_lts.sh", "IPO_News.sh", "IPO_wp.sh"})
            QVERIFY2(QFile::exists(cache + QLatin1String(file)), file);
        for (const char *path : {"/ipo/prc_cal.html", "/ipo/perf_g3.html", "/ipo/perf_l3.html", "/ipo/reg_cal.html",
                                 "/ipo/index.html", "/reports/ipo.html", "/ipo/wp.html"}) {
            int asked = 0;
            for (const QByteArray &head : site.requests())
                asked += head.contains(QByteArray(path) + " HTTP/");
            QVERIFY2(asked == 1, path);
        }
        // The market data pages, each once; the US sheet shows what came.
        QStringList dataFiles = {"US.Sh", "Market.Sh", "OptSum.Sh", "FMS_Today.Sh", "FMS_Week.Sh", "FMS_Next.Sh",
                                 "FMS_Rec.Sh", "FMS_Tech.Sh"};
        for (const QString &key : fundKeys())
            dataFiles << key + QStringLiteral(".Sh");
        for (const QString &file : dataFiles)
            QVERIFY2(QFile::exists(cache + file), qPrintable(file));
        for (const char *path : {"/m1?u", "/m2?u", "/splits.asp", "/mostsplits.asp", "optiont.html?SOURCE=blq/ASK",
                                 "Ssgcmmt.htmls?SOURCE=blq/ASK"}) {
            int asked = 0;
            for (const QByteArray &head : site.requests())
                asked += head.contains(QByteArray(path) + " HTTP/");
            QVERIFY2(asked == 1, path);
        }
        FG_US();
        QCOMPARE(w->FGModel->TextMatrix(3, 1), QStringLiteral("30 Industrials"));
        QVERIFY(!w->FGModel->TextMatrix(3, 4).isEmpty());
        // Every market list of the tree draws its sheet from the pages the
        // run fetched, and the "Consultation" menu marks the list shown.
        const char *const lists[] = {"sup", "win", "los", "pg", "pl", "vg", "vl", "52h", "52l", "mas", "up",
                                     "down", "ci", "pg_N", "pl_N", "vg_N", "vl_N", "52h_N", "52l_N", "mas_N",
                                     "pg_A", "pl_A", "vg_A", "vl_A", "52h_A", "52l_A", "mas_A", "lmm",
                                     "lmm_N", "lmm_A"};
        TreeModel &nodes = w->TreeView1->Nodes();
        // The sheets under ACME (record 1), each drawn from what the run fetched.
        const char *const leaves[][2] = {{"ABS1", "ABS"}, {"AIS1", "AIS"}, {"EG1", "EG"}, {"EH1", "EH"}, {"ER1", "ER"},
                                         {"EC1", "EC"}, {"Puts1", "Call"}, {"Calls1", "Put"}, {"Options1", "Options"},
                                         {"SPL1", "Split"}, {"UP1", "UPH"}, {"DN1", "DNH"}, {"NMR1", "NMR"},
                                         {"BR1", "BRP"}, {"AR1", "Profile"}, {"SI1", "SI"}};
        for (const auto &leaf : leaves) {
            const int node = nodes.find(QLatin1String(leaf[0]));
            QVERIFY2(node, leaf[0]);
            for (int p = nodes.Parent(node); p; p = nodes.Parent(p))
                nodes.setExpanded(p, true);
            QTreeWidgetItem *item = w->TreeView1->itemOf(node);
            w->TreeView1->scrollToItem(item);
            QTest::mouseClick(w->TreeView1->viewport(), Qt::LeftButton, {}, w->TreeView1->visualItemRect(item).center());
            QCOMPARE(CurSymbol, QStringLiteral("ACME"));
            QCOMPARE(CurType, QLatin1String(leaf[1]));
            QVERIFY2(w->FGModel->Rows() >= 3 || CurType == QLatin1String("Profile"), leaf[0]);
            QVERIFY2(!w->FGModel->TextMatrix(0, 0).startsWith(QLatin1String("No ")), leaf[0]);
        }
        for (int i = 0; i < int(std::size(lists)); ++i) {
            const int node = nodes.find(QLatin1String(lists[i]));
            QVERIFY2(node, lists[i]);
            for (int p = nodes.Parent(node); p; p = nodes.Parent(p))
                nodes.setExpanded(p, true);
            QTreeWidgetItem *item = w->TreeView1->itemOf(node);
            w->TreeView1->scrollToItem(item);
            QTest::mouseClick(w->TreeView1->viewport(), Qt::LeftButton, {}, w->TreeView1->visualItemRect(item).center());
            QVERIFY2(w->FGModel->Rows() > 3, lists[i]); // a sheet, not a one-cell notice
            if (i + 1 < w->mnuCons.size())
                QVERIFY2(w->mnuCons[i + 1]->isChecked(), lists[i]);
        }
        // Quotes reached the records.
        QVERIFY(!Sets[1].LastSale.isEmpty());
        zoomEverySheet(w);
        delete w;
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
