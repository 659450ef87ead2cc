#include "platform/Latin1File.h"
#include "platform/PathResolver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFiles : public QObject
{
    Q_OBJECT

private slots:
    void resolverMatchesExistingNamesWithoutCase()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Cache/DataSheet")));
        QFile f(dir.path() + QStringLiteral("/Cache/DataSheet/IBM_Abs.Sh"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        const QString real = dir.path() + QStringLiteral("/Cache/DataSheet/IBM_Abs.Sh");
        QCOMPARE(resolvePath(dir.path() + QStringLiteral("\\Cache\\DataSheet\\IBM_ABS.Sh")), real);
        QCOMPARE(resolvePath(dir.path() + QStringLiteral("/cache/datasheet/ibm_abs.sh")), real);
        QCOMPARE(resolvePath(dir.path() + QStringLiteral("\\Cache/DataSheet\\\\IBM_Abs.Sh")), real);
        // A name that does not exist keeps its spelling, below the real folders.
        QCOMPARE(resolvePath(dir.path() + QStringLiteral("\\CACHE\\News\\IBM.txt")),
                 dir.path() + QStringLiteral("/Cache/News/IBM.txt"));
        // An exact match wins over another spelling of the same name.
        QFile g(dir.path() + QStringLiteral("/Cache/DataSheet/IBM_ABS.Sh"));
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.close();
        QCOMPARE(resolvePath(dir.path() + QStringLiteral("/Cache/DataSheet/IBM_ABS.Sh")),
                 dir.path() + QStringLiteral("/Cache/DataSheet/IBM_ABS.Sh"));
    }

    void latin1BytesRoundTrip()
    {
        QTemporaryDir dir;
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b)); // includes NUL and Ctrl-Z
        const QString path = dir.path() + QStringLiteral("\\all.bin");
        QVERIFY(saveFileAtomically(path, all));
        const auto text = readLatin1File(path);
        QVERIFY(text.has_value());
        QCOMPARE(text->size(), 256);
        QCOMPARE(toLatin1Bytes(*text), all);
        QCOMPARE(toLatin1Bytes(QStringLiteral("a\u20acb")), QByteArray("a?b"));
        QVERIFY(!readLatin1File(dir.path() + QStringLiteral("/missing")).has_value());
    }

    void appendAndAtomicSave()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/log.txt");
        QVERIFY(appendLatin1File(path, QStringLiteral("one\r\n")));
        QVERIFY(appendLatin1File(path, QStringLiteral("two\r\n")));
        QCOMPARE(readLatin1File(path).value(), QStringLiteral("one\r\ntwo\r\n"));

        QVERIFY(saveLatin1File(path, QStringLiteral("new")));
        QCOMPARE(readLatin1File(path).value(), QStringLiteral("new"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("log.txt")});
        // A save that cannot happen keeps the old file.
        QVERIFY(!saveLatin1File(dir.path() + QStringLiteral("/no/such/folder/x"), QStringLiteral("x")));
        QCOMPARE(readLatin1File(path).value(), QStringLiteral("new"));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
