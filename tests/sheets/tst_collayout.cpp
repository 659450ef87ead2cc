#include "core/DataDir.h"
#include "sheets/ColLayout.h"
#include "platform/FlexGrid.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray le16(quint16 v)
{
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8));
}

QByteArray le32(qint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(char((quint32(v) >> (8 * i)) & 0xFF));
    return b;
}

QByteArray entry(const QByteArray &caption, qint32 position, qint32 index)
{
    return le16(quint16(caption.size())) + caption + QByteArray(4, '\0') + le32(position) + le32(index);
}

QByteArray fileBytes()
{
    QFile f(DataDir + QStringLiteral("/LayOut.dat"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QByteArray &bytes)
{
    QFile f(DataDir + QStringLiteral("/LayOut.dat"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString errorLog()
{
    QFile f(DataDir + QStringLiteral("/ErrorLog.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

} // namespace

class TestColLayout : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetColLayout(); }

    void writesTheExactBytes()
    {
        TempProfile profile;
        ColLayout[1] = {QStringLiteral("Symbol"), 0, 1, 1};
        ColLayout[2] = {QStringLiteral("Soci\u00e9t\u00e9"), 0, -2, 70000};
        ColLayout[20] = {QStringLiteral("Last"), 0, 20, 20};
        SaveLayout();

        QByteArray expected = entry("", 0, 0);
        QCOMPARE(expected.size(), 14); // an entry without a caption
        expected += entry("Symbol", 1, 1);
        expected += entry("Soci\xe9t\xe9", -2, 70000);
        for (int i = 3; i < 20; ++i)
            expected += entry("", 0, 0);
        expected += entry("Last", 20, 20);
        QCOMPARE(fileBytes(), expected);

        resetColLayout();
        SaveLayout();
        QCOMPARE(fileBytes(), QByteArray(21 * 14, '\0'));
    }

    void readsBackWhatWasWritten()
    {
        TempProfile profile;
        for (int i = 1; i < ColLayoutSize; ++i)
            ColLayout[i] = {QStringLiteral("Col %1 \u00a3").arg(i), 0, i, i};
        const ColLayoutArray saved = ColLayout;
        SaveLayout();
        resetColLayout();
        LoadLayout();
        QCOMPARE(ColLayout, saved);

        // Bytes an older, longer file left behind the 21 entries are not read.
        writeFile(encodeColLayout(saved) + QByteArray("\x05\x00junkjunk", 10));
        resetColLayout();
        LoadLayout();
        QCOMPARE(ColLayout, saved);
        QVERIFY(errorLog().isEmpty());
    }

    void firstStartCreatesAnEmptyFile()
    {
        TempProfile profile;
        ColLayout[3].Caption = QStringLiteral("stale");
        LoadLayout();
        QCOMPARE(ColLayout, ColLayoutArray{});
        QVERIFY(QFile::exists(DataDir + QStringLiteral("/LayOut.dat")));
        QCOMPARE(fileBytes(), QByteArray());
        // An empty file is the normal state before the first close: no log.
        LoadLayout();
        QVERIFY(errorLog().isEmpty());
    }

    void damagedFileGivesTheEmptyLayout_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = encodeColLayout([] {
            ColLayoutArray l;
            l[1] = {QStringLiteral("Symbol"), 0, 3, 1};
            return l;
        }());
        QTest::newRow("one byte") << QByteArray(1, '\x01');
        QTest::newRow("cut in the last entry") << good.left(good.size() - 1);
        QTest::newRow("cut after ten entries") << good.left(14 * 10 + 6);
        QTest::newRow("caption longer than the file") << (le16(0xFFFF) + QByteArray(200, 'x'));
        QTest::newRow("text file") << QByteArray("Symbol,Last,Change\r\nIBM,100,1\r\n");
    }

    void damagedFileGivesTheEmptyLayout()
    {
        QFETCH(QByteArray, bytes);
        TempProfile profile;
        writeFile(bytes);
        ColLayout[5].Caption = QStringLiteral("stale");
        LoadLayout();
        QCOMPARE(ColLayout, ColLayoutArray{});
        QVERIFY(errorLog().contains(QStringLiteral("Where: frmMain_LoadLayout")));
        QCOMPARE(fileBytes(), bytes); // left for the next save to replace
    }

    void fixLayOutMovesColumnsByCaption_data()
    {
        QTest::addColumn<QStringList>("grid");
        QTest::addColumn<QStringList>("entries"); // "caption=position" for entries 0, 1, ...
        QTest::addColumn<int>("passes");
        QTest::addColumn<QList<int>>("order"); // the columns' first places, left to right

        const QStringList abcd{QStringLiteral("#"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                               QStringLiteral("D")};
        const QList<int> same{0, 1, 2, 3, 4};
        QTest::newRow("empty layout moves nothing") << abcd << QStringList() << 1 << same;
        // A dragged order C, A, D, B: the quote sheet's two passes restore it.
        QTest::newRow("two passes restore a dragged order")
            << abcd
            << QStringList{QStringLiteral("=0"), QStringLiteral("C=1"), QStringLiteral("A=2"), QStringLiteral("D=3"),
                           QStringLiteral("B=4")}
            << 2 << QList<int>{0, 3, 1, 4, 2};
        QTest::newRow("unknown caption is ignored")
            << abcd << QStringList{QStringLiteral("=0"), QStringLiteral("Gone=1")} << 1 << same;
        QTest::newRow("position the grid lacks is refused")
            << abcd << QStringList{QStringLiteral("=0"), QStringLiteral("B=9")} << 1 << same;
        QTest::newRow("empty header goes to position 0")
            << QStringList{QStringLiteral("#"), QStringLiteral("A"), QString(), QStringLiteral("C")} << QStringList()
            << 1 << QList<int>{2, 0, 1, 3};
        QTest::newRow("duplicate captions both take the first entry")
            << QStringList{QStringLiteral("#"), QStringLiteral("X"), QStringLiteral("B"), QStringLiteral("X")}
            << QStringList{QStringLiteral("=0"), QStringLiteral("X=3"), QStringLiteral("X=1")} << 1
            << QList<int>{0, 2, 1, 3};
        QStringList entry20{QStringLiteral("=0")};
        for (int i = 1; i < 20; ++i)
            entry20 << QStringLiteral("z%1=0").arg(i);
        entry20 << QStringLiteral("D=1");
        QTest::newRow("entry 20 is never matched") << abcd << entry20 << 1 << same;
    }

    void fixLayOutMovesColumnsByCaption()
    {
        QFETCH(QStringList, grid);
        QFETCH(QStringList, entries);
        QFETCH(int, passes);
        QFETCH(QList<int>, order);

        FlexGrid g;
        QVERIFY(g.setFixedCols(0));
        QVERIFY(g.setCols(int(grid.size())));
        QVERIFY(g.setRows(3));
        for (int c = 0; c < grid.size(); ++c) {
            g.setTextMatrix(0, c, grid[c]);
            g.setTextMatrix(1, c, QString::number(c));
        }
        for (int j = 0; j < entries.size(); ++j) {
            const qsizetype eq = entries[j].lastIndexOf(QLatin1Char('='));
            ColLayout[j] = {entries[j].left(eq), 0, entries[j].mid(eq + 1).toInt(), j};
        }
        for (int p = 0; p < passes; ++p)
            FixLayOut(g);
        QList<int> got;
        for (int c = 0; c < g.Cols(); ++c) {
            got << g.TextMatrix(1, c).toInt();
            QCOMPARE(g.TextMatrix(0, c), grid[got.last()]); // whole columns move
        }
        QCOMPARE(got, order);
        QVERIFY(g.Redraw());
    }
};

QTEST_GUILESS_MAIN(TestColLayout)
#include "tst_collayout.moc"
