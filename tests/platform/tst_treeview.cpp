#include "platform/TreeModel.h"
#include "platform/ui/ResourcePictures.h"
#include "platform/ui/TreeView.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Root "A" with "a1" (and its child "a1x"), "a2"; root "B".
void fill(TreeModel &m)
{
    m.Add(QString(), QStringLiteral("A"), QStringLiteral("Alpha"), 1);
    m.Add(QStringLiteral("A"), QStringLiteral("a1"), QStringLiteral("One"), 3);
    m.Add(QStringLiteral("a1"), QStringLiteral("a1x"), QStringLiteral("Deep"), 3);
    m.Add(QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("Two"), 3);
    m.Add(QString(), QStringLiteral("B"), QStringLiteral("Beta"), 7);
}

// The view on screen with the nodes of fill() held back from it.
void showHeld(TreeView &view)
{
    view.setImageList(TreeNodePicture);
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.Nodes().suspendUpdates();
    fill(view.Nodes());
}

QPoint centreOf(TreeView &view, int index)
{
    return view.visualItemRect(view.itemOf(index)).center();
}

} // namespace

class TestTreeView : public QObject
{
    Q_OBJECT

private slots:
    // Keys are unique and matched with their letter case; a taken key or a
    // missing parent adds nothing; Index follows the order of addition.
    void nodeSemantics()
    {
        TreeModel m;
        fill(m);
        QCOMPARE(m.Add(QStringLiteral("A"), QStringLiteral("a1"), QStringLiteral("again")), 0);
        QCOMPARE(m.Add(QStringLiteral("nowhere"), QStringLiteral("z"), QStringLiteral("lost")), 0);
        QCOMPARE(m.Add(QStringLiteral("B"), QStringLiteral("A1"), QStringLiteral("Other case")), 6);
        QCOMPARE(m.Count(), 6);
        QCOMPARE(m.find(QStringLiteral("a1")), 2);
        QCOMPARE(m.find(QStringLiteral("A1")), 6);
        QCOMPARE(m.Text(2), QStringLiteral("One"));
        QCOMPARE(m.Parent(3), 2);
        QCOMPARE(m.Child(1), 2);
        QCOMPARE(m.children(1), (QList<int>{2, 4}));
        QCOMPARE(m.roots(), (QList<int>{1, 5}));
        QCOMPARE(m.Text(99), QString());
        QVERIFY(!m.setImage(0, 4));

        // Expand is sent on the way from collapsed to expanded only; the
        // expanded picture shows while expanded.
        QSignalSpy expand(&m, &TreeModel::Expand);
        m.setExpandedImage(1, 2);
        m.setExpanded(1, true);
        m.setExpanded(1, true);
        QCOMPARE(expand.size(), 1);
        QCOMPARE(m.shownImage(1), 2);
        m.setExpanded(1, false);
        QCOMPARE(m.shownImage(1), 1);

        m.setSelected(2, true);
        m.setSelected(4, true);
        QVERIFY(!m.Selected(2));
        QCOMPARE(m.SelectedItem(), 4);
        m.Clear();
        QCOMPARE(m.Count(), 0);
        QCOMPARE(m.SelectedItem(), 0);
    }

    // A branch added whole answers as the same nodes added one by one:
    // Indexes, keys, texts, pictures, parents and children, a search by key,
    // a key it holds refused to a later node, and a node added under its
    // root after it. Collapsing or asking about it makes nothing; a change
    // of one of its nodes or a list of children makes it.
    void branchAnswersAsNodesAddedOneByOne()
    {
        TreeBranch pages;
        pages.add(-1, QStringLiteral("AR"), QStringLiteral("Profile"), 9);
        pages.add(-1, QStringLiteral("News"), QStringLiteral("News"), 4);
        pages.add(1, QStringLiteral("RM"), QStringLiteral("Reuters"), 4);
        pages.add(-1, QStringLiteral("C"), QStringLiteral("Charts"), 5);
        pages.add(3, QStringLiteral("3m"), QStringLiteral("3 Months"), 5);
        TreeModel lazy, eager;
        for (TreeModel *m : {&lazy, &eager})
            m->Add(QString(), QStringLiteral("All"), QStringLiteral("Stocks"), 14);
        for (const int stock : {0, 12}) {
            const QString n = QString::number(stock);
            QVERIFY(lazy.AddBranch(1, QStringLiteral("ID") + n, QStringLiteral("S") + n, 1, &pages, n));
            const int id = eager.AddUnder(1, QStringLiteral("ID") + n, QStringLiteral("S") + n, 1);
            eager.AddUnder(id, QStringLiteral("AR") + n, QStringLiteral("Profile"), 9);
            const int news = eager.AddUnder(id, QStringLiteral("News") + n, QStringLiteral("News"), 4);
            eager.AddUnder(news, QStringLiteral("RM") + n, QStringLiteral("Reuters"), 4);
            const int charts = eager.AddUnder(id, QStringLiteral("C") + n, QStringLiteral("Charts"), 5);
            eager.AddUnder(charts, QStringLiteral("3m") + n, QStringLiteral("3 Months"), 5);
        }
        QCOMPARE(lazy.Count(), eager.Count());
        for (int i = 1; i <= eager.Count(); ++i) {
            QCOMPARE(lazy.Key(i), eager.Key(i));
            QCOMPARE(lazy.Text(i), eager.Text(i));
            QCOMPARE(lazy.shownImage(i), eager.shownImage(i));
            QCOMPARE(lazy.Parent(i), eager.Parent(i));
            QCOMPARE(lazy.hasChildren(i), !eager.children(i).isEmpty());
            QCOMPARE(lazy.find(eager.Key(i)), i);
            lazy.setExpanded(i, false);
        }
        QCOMPARE(lazy.find(QStringLiteral("RM1")), 0);
        QCOMPARE(lazy.find(QStringLiteral("XX12")), 0);
        QVERIFY(!lazy.isMade(lazy.find(QStringLiteral("3m12"))));
        QCOMPARE(lazy.AddUnder(1, QStringLiteral("News12"), QStringLiteral("Again")), 0);

        // Under the root, after the branch's own nodes.
        const int later = lazy.AddUnder(2, QStringLiteral("Late0"), QStringLiteral("Late"), 3);
        eager.AddUnder(2, QStringLiteral("Late0"), QStringLiteral("Late"), 3);
        QCOMPARE(lazy.children(2), eager.children(2));
        QCOMPARE(lazy.children(2).last(), later);
        QVERIFY(lazy.isMade(3));

        const int deep = lazy.find(QStringLiteral("RM12"));
        QSignalSpy expand(&lazy, &TreeModel::Expand);
        QVERIFY(lazy.setExpanded(lazy.Parent(deep), true));
        QCOMPARE(expand.size(), 1);
        QVERIFY(lazy.isMade(deep));
        for (int i = 1; i <= eager.Count(); ++i)
            QCOMPARE(lazy.children(i), eager.children(i));
    }

    // A branch's items are made when the user first opens it; until then
    // its arrow shows all the same. Opened by a click on the arrow or by
    // the Right key, it shows its nodes with their pictures, nodes added to
    // it later included; an item asked for by its index is made at once.
    void branchesAreFilledWhenOpened()
    {
        TreeView view;
        showHeld(view);
        TreeModel &m = view.Nodes();
        m.resumeUpdates();
        QTreeWidgetItem *alpha = view.topLevelItem(0);
        QCOMPARE(alpha->childCount(), 0);
        QVERIFY(view.model()->hasChildren(view.model()->index(0, 0)));
        QVERIFY(!view.model()->hasChildren(view.model()->index(1, 0)));
        m.Add(QStringLiteral("A"), QStringLiteral("a3"), QStringLiteral("Three"), 3);

        QSignalSpy expands(&view, &TreeView::Expand);
        const QRect row = view.visualItemRect(alpha);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(row.left() - view.indentation() / 2, row.center().y()));
        QCOMPARE(expands.size(), 1);
        QVERIFY(m.Expanded(1));
        QCOMPARE(alpha->childCount(), 3);
        QCOMPARE(alpha->child(2)->text(0), QStringLiteral("Three"));
        QVERIFY(!alpha->child(0)->icon(0).isNull());
        QCOMPARE(view.itemOf(6), alpha->child(2));

        QTreeWidgetItem *one = alpha->child(0);
        QCOMPARE(one->childCount(), 0);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(one).center());
        QTest::keyClick(&view, Qt::Key_Right);
        QVERIFY(m.Expanded(2));
        QCOMPARE(one->childCount(), 1);
        QCOMPARE(view.itemOf(3)->text(0), QStringLiteral("Deep"));

        // Asked for by index under a branch never opened.
        m.Add(QStringLiteral("B"), QStringLiteral("b1"), QStringLiteral("Under Beta"), 3);
        QTreeWidgetItem *underBeta = view.itemOf(m.find(QStringLiteral("b1")));
        QVERIFY(underBeta);
        QCOMPARE(underBeta->parent(), view.topLevelItem(1));
        QVERIFY(!m.Expanded(5));
    }

    // The view follows the model (also after a held rebuild) and writes
    // what the user does back to it: a left click is a NodeClick, the
    // right button only a MouseDown, a selection from code nothing.
    void viewAndModelAgree()
    {
        TreeView view;
        showHeld(view);
        TreeModel &m = view.Nodes();
        QCOMPARE(view.topLevelItemCount(), 0);
        m.resumeUpdates();
        QCOMPARE(view.topLevelItemCount(), 2);
        QCOMPARE(view.itemOf(3)->parent(), view.itemOf(2));
        QCOMPARE(view.itemOf(5)->text(0), QStringLiteral("Beta"));

        QSignalSpy clicks(&view, &TreeView::NodeClick);
        QSignalSpy expands(&view, &TreeView::Expand);
        QSignalSpy downs(&view, &TreeView::MouseDown);
        view.itemOf(1)->setExpanded(true); // as the user opens it
        QVERIFY(m.Expanded(1));
        QCOMPARE(expands.size(), 1);
        m.setExpanded(2, true);
        QVERIFY(view.itemOf(2)->isExpanded());
        QCOMPARE(expands.size(), 2);

        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(view, 4));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.at(0).at(0).toInt(), 4);
        QVERIFY(m.Selected(4));

        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, centreOf(view, 5));
        QCOMPARE(downs.last().at(0).toInt(), 2);
        QCOMPARE(clicks.size(), 1);
        QVERIFY(m.Selected(4));

        m.setSelected(3, true);
        QCOMPARE(view.currentItem(), view.itemOf(3));
        QCOMPARE(clicks.size(), 1);

        // Moving with the keyboard chooses the node it moves to.
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(clicks.last().at(0).toInt(), 4);
    }

    // A key handler that moves the selection itself has the last word.
    void keyHandlerMayTakeTheKey()
    {
        TreeView view;
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        TreeModel &m = view.Nodes();
        fill(m);
        m.setSelected(1, true);
        QList<int> codes;
        connect(&view, &TreeView::KeyDown, &view, [&](int code) {
            codes << code;
            if (code == 'P')
                m.setSelected(5, true);
        });
        QTest::keyClick(&view, Qt::Key_P);
        QCOMPARE(m.SelectedItem(), 5);
        QTest::keyClick(&view, Qt::Key_Up);
        QCOMPARE(codes, (QList<int>{80, 38}));
        QCOMPARE(m.SelectedItem(), 1);
    }

    // Every number has a picture of its own.
    void nodePictures()
    {
        QSet<QByteArray> distinct;
        for (int n = 1; n <= TreeNodePictureCount; ++n) {
            const QImage image = TreeNodePicture(n).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(16, 16));
            distinct.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(distinct.size(), TreeNodePictureCount);
        QVERIFY(TreeNodePicture(0).isNull());
        QVERIFY(TreeNodePicture(30).isNull());
    }
};

QTEST_MAIN(TestTreeView)
#include "tst_treeview.moc"
