#include "core/SharedState.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenPointer.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FlexGridView.h"
#include "support/TempProfile.h"

#include <QTimer>
#include <QtTest>

// The main window's grid events reach the link table: a click opens the
// row's page with the hourglass shown meanwhile, and the pointer turns
// into the link pointer over a link column.
class TestGridClick : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempProfile> m_profile;
    QStringList opened;
    QList<int> pointerWhileOpening;

private slots:
    void init()
    {
        m_profile = std::make_unique<TempProfile>();
        m_profile->createProgramKey();
        resetSharedState();
        setUrlOpenerHandler([this](const QUrl &url) {
            opened << url.toString();
            pointerWhileOpening << screenMousePointer();
            return true;
        });
    }
    void cleanup()
    {
        setUrlOpenerHandler({});
        delete frmMain::instance();
        m_profile.reset();
    }

    void clickAndPointer()
    {
        frmMain::Show();
        frmMain *w = frmMain::instance();
        QVERIFY(w);
        w->wireGridEvents();
        w->wireGridEvents(); // wiring twice still opens one page per click
        FlexGrid *g = w->FGModel;
        CurType = QStringLiteral("IT");
        g->setCols(8);
        g->setRows(4);
        g->setTextMatrix(2, 1, QStringLiteral("t/i/ibm/doej.html"));
        g->setRow(2);
        g->setCol(2);
        emit w->FG->Click();
        QCOMPARE(opened, QStringList{"http://finance.example.com/t/i/ibm/doej.html"});
        QCOMPARE(pointerWhileOpening, QList<int>{11});
        QCOMPARE(screenMousePointer(), 0);

        w->TmrNav->start();
        g->setMouseCell(3, 2);
        emit w->FG->MouseMove(0, 0, 0, 0);
        QCOMPARE(g->MousePointer(), 99);
        QVERIFY(!w->TmrNav->isActive());
        g->setMouseCell(3, 3);
        emit w->FG->MouseMove(0, 0, 0, 0);
        QCOMPARE(g->MousePointer(), 0);
    }
};

QTEST_MAIN(TestGridClick)
#include "tst_gridclick.moc"
