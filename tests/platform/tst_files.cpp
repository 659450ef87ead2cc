#include "platform/FileSwap.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/SingleInstance.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <QThread>

#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
        // Separators at the ends: a folder asked for with a trailing one, the root, nothing.
        QCOMPARE(resolvePath(dir.path() + QStringLiteral("\\cache\\DATASHEET\\")), dir.path() + QStringLiteral("/Cache/DataSheet"));
        QCOMPARE(resolvePath(QStringLiteral("\\\\")), QStringLiteral("/"));
        QCOMPARE(resolvePath(QString()), QString());
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

    // The resolver keeps each folder's names, and still answers as a
    // listing would: after a file comes or goes through the program's own
    // helpers, and after one comes from outside them.
    void resolverFollowsTheFolderAsItChanges()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/Cache/DataSheet");
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Cache/DataSheet")));
        const QString asked = dir.path() + QStringLiteral("\\cache\\datasheet\\ibm_it.sh");
        QCOMPARE(resolvePath(asked), folder + QStringLiteral("/ibm_it.sh"));

        // Written by another program under another spelling.
        QFile outside(folder + QStringLiteral("/IBM_it.Sh"));
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.close();
        QCOMPARE(resolvePath(asked), folder + QStringLiteral("/IBM_it.Sh"));

        // Written by the program: into the one file, whatever the spelling.
        QVERIFY(savePageFile(asked, "page"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("IBM_it.Sh")});

        // A second spelling from outside: the one a sorted listing gives
        // first answers, and the other once the program removed the first.
        QFile second(folder + QStringLiteral("/IBM_IT.Sh"));
        QVERIFY(second.open(QIODevice::WriteOnly));
        second.close();
        QCOMPARE(resolvePath(asked), folder + QStringLiteral("/IBM_IT.Sh"));
        QVERIFY(removeFile(asked));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/IBM_IT.Sh")));
        QCOMPARE(resolvePath(asked), folder + QStringLiteral("/IBM_it.Sh"));

        // Removed from outside: the name asked for is kept again.
        QVERIFY(QFile::remove(folder + QStringLiteral("/IBM_it.Sh")));
        QCOMPARE(resolvePath(asked), folder + QStringLiteral("/ibm_it.sh"));
    }

    // A cached page replaces the old one whole, shorter or longer; a write
    // that fails (the disk full) leaves the old page and no part of the new.
    void pageWritesAreWholeOrNone()
    {
        QTemporaryDir dir;
        const QString page = dir.path() + QStringLiteral("/IBM_it.Sh");
        QVERIFY(savePageFile(page, QByteArray(3000, 'a')));
        const auto inode = [&] {
            struct stat st;
            return ::stat(QFile::encodeName(page).constData(), &st) == 0 ? st.st_ino : 0;
        };
        const ino_t first = inode();
        QVERIFY(savePageFile(page, "short"));
        QCOMPARE(readBinaryFile(page).value(), QByteArray("short"));
        QVERIFY(inode() != first); // written beside the old page and renamed over it
        {
            FileSizeLimit full(1024);
            QVERIFY(!savePageFile(page, QByteArray(4096, 'b')));
            QVERIFY(!savePageFile(dir.path() + QStringLiteral("/New.Sh"), QByteArray(4096, 'c')));
        }
        QCOMPARE(readBinaryFile(page).value(), QByteArray("short"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("IBM_it.Sh")});
        QVERIFY(!savePageFile(dir.path() + QStringLiteral("/no/such/folder/x"), "x"));
    }

    // Files replaced again and again in one folder (pages, the set after
    // every stock): each holds exactly its newest bytes whether they grew or
    // shrank, keeps its own permissions, and after the first round the
    // folder's files stay the same files (none made, none freed). A spare
    // that is another file's second name is not written through; a write
    // the disk cannot take, or a folder in the file's place, fails with the
    // reason and leaves the old file as it was.
    void swappedFilesHoldTheirNewestBytes()
    {
        QTemporaryDir dir;
        const QByteArray a = QFile::encodeName(dir.path() + QStringLiteral("/a.Sh"));
        const QByteArray b = QFile::encodeName(dir.path() + QStringLiteral("/b.dat"));
        const auto inode = [](const QByteArray &path) {
            struct stat st;
            return ::stat(path.constData(), &st) == 0 ? st.st_ino : 0;
        };
        const auto mode = [](const QByteArray &path) {
            struct stat st;
            return ::stat(path.constData(), &st) == 0 ? st.st_mode & 07777 : 0;
        };
        QCOMPARE(swapInFile(a, QByteArray(5000, 'a')), 0);
        QCOMPARE(swapInFile(b, "b"), 0);
        QVERIFY(::chmod(a.constData(), 0600) == 0 && ::chmod(b.constData(), 0644) == 0);
        QList<ino_t> files;
        for (int round = 0; round < 8; ++round) {
            const QByteArray toA = QByteArray(round % 2 ? 40 : 7000, char('0' + round));
            const QByteArray toB = QByteArray(round % 3 ? 9000 : 3, char('A' + round));
            QCOMPARE(swapInFile(a, toA, {.reserveRoom = round % 2 == 0}), 0);
            QCOMPARE(swapInFile(b, toB), 0);
            QCOMPARE(readBinaryFile(QString::fromLocal8Bit(a)).value(), toA);
            QCOMPARE(readBinaryFile(QString::fromLocal8Bit(b)).value(), toB);
            QCOMPARE(mode(a), 0600u);
            QCOMPARE(mode(b), 0644u);
            QList<ino_t> now{inode(a), inode(b), inode(spareFileFor(a))};
            std::sort(now.begin(), now.end());
            if (round > 0)
                QCOMPARE(now, files);
            files = now;
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("a.Sh"), QStringLiteral("b.dat")}));

        const QByteArray other = QFile::encodeName(dir.path() + QStringLiteral("/other"));
        QCOMPARE(swapInFile(other, "other's bytes"), 0);
        QVERIFY(::unlink(spareFileFor(a).constData()) == 0 && ::link(other.constData(), spareFileFor(a).constData()) == 0);
        QCOMPARE(swapInFile(a, "through a linked spare"), 0);
        QCOMPARE(readBinaryFile(QString::fromLocal8Bit(a)).value(), QByteArray("through a linked spare"));
        QCOMPARE(readBinaryFile(QString::fromLocal8Bit(other)).value(), QByteArray("other's bytes"));

        const QByteArray kept = readBinaryFile(QString::fromLocal8Bit(b)).value();
        {
            FileSizeLimit full(4096);
            QCOMPARE(swapInFile(b, QByteArray(20000, 'x')), EFBIG);
            QCOMPARE(swapInFile(b, QByteArray(20000, 'x'), {.reserveRoom = true}), EFBIG);
        }
        QCOMPARE(swapInFile(b, "x", {.fault = ENOSPC}), ENOSPC);
        QCOMPARE(readBinaryFile(QString::fromLocal8Bit(b)).value(), kept);

        const QByteArray folder = QFile::encodeName(dir.path() + QStringLiteral("/folder"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder/inside")));
        QVERIFY(swapInFile(folder, "not over a folder") != 0);
        QVERIFY(QDir(QString::fromLocal8Bit(folder)).exists(QStringLiteral("inside")));
        QVERIFY(!QFile::exists(QString::fromLocal8Bit(folder) + QStringLiteral(".part")));
    }

    // A copy killed while it writes a cached page leaves the old page or
    // the whole new one, never a mix of the two or a page padded out.
    void killDuringAPageWriteLeavesAWholePage()
    {
        QTemporaryDir dir;
        const QString page = dir.path() + QStringLiteral("/IBM_it.Sh");
        const QByteArray small(1 << 20, 'a'), large(3 << 20, 'b');
        QVERIFY(savePageFile(page, small));
        for (int kill = 0; kill < 12; ++kill) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (int i = 0;; ++i)
                    savePageFile(page, i % 2 ? small : large);
            }
            // Long enough to be writing, not so long that the writes are many.
            QThread::usleep(20000 + 7000 * kill);
            ::kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            const QByteArray left = readBinaryFile(page).value_or(QByteArray("<missing>"));
            QVERIFY2(left == small || left == large,
                     qPrintable(QStringLiteral("kill %1: %2 bytes").arg(kill).arg(left.size())));
        }
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
        // A page longer than one read, ending inside the last one.
        const QByteArray page = all.repeated(300);
        QVERIFY(saveFileAtomically(path, page));
        QCOMPARE(toLatin1Bytes(readLatin1File(path).value()), page);
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

    // A disk that fills up during the write: the save is refused with the
    // reason, the old file stays byte for byte and no temporary file is left.
    void saveCutShortByAFullDiskKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Set0.dat");
        const QByteArray old(3000, 'o');
        QVERIFY(saveFileAtomically(path, old));
        const QByteArray bigger(16362, 'n');

        const int refused = inChildWithFileLimit(4096, [&] {
            QString why;
            if (saveFileAtomically(path, bigger, &why))
                return 1;
            return why.isEmpty() ? 2 : 0;
        });
        QCOMPARE(refused, 0);
        QCOMPARE(readBinaryFile(path).value(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Set0.dat")});

        // With room enough the same save goes through.
        QCOMPARE(inChildWithFileLimit(65536, [&] { return saveFileAtomically(path, bigger) ? 0 : 1; }), 0);
        QCOMPARE(readBinaryFile(path).value(), bigger);
    }

    // The single-copy lock: a running copy holds it; a lock that cannot be
    // written (a full disk, a folder in its place) is told apart from that,
    // with the reason; one left empty by a copy that died while writing it
    // holds nobody back.
    void lockFileCases()
    {
        QTemporaryDir dir;
        {
            SingleInstance first(dir.path());
            QCOMPARE(first.acquire(), SingleInstance::Taken);
            SingleInstance second(dir.path());
            QCOMPARE(second.acquire(), SingleInstance::HeldByAnother);
        }
        const int full = inChildWithFileLimit(0, [&] {
            SingleInstance lock(dir.path());
            if (lock.acquire() != SingleInstance::NotWritten)
                return 1;
            return lock.error().isEmpty() ? 2 : 0;
        });
        QCOMPARE(full, 0);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Brindlewick.lock"))));

        QFile empty(dir.filePath(QStringLiteral("Brindlewick.lock")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        {
            SingleInstance lock(dir.path());
            QCOMPARE(lock.acquire(), SingleInstance::Taken);
        }
        // A lock left by a copy that was killed holds nobody back, even
        // when the disk is full: the start goes on and says why it could
        // not take the lock; with room again the lock is taken.
        const pid_t killed = fork();
        QVERIFY(killed >= 0);
        if (killed == 0) {
            SingleInstance lock(dir.path());
            lock.acquire();
            ::raise(SIGKILL);
        }
        int status = 0;
        QCOMPARE(waitpid(killed, &status, 0), killed);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Brindlewick.lock"))).size() > 0);
        QCOMPARE(inChildWithFileLimit(0, [&] {
                     SingleInstance lock(dir.path());
                     const SingleInstance::Result r = lock.acquire();
                     return r == SingleInstance::NotWritten ? (lock.error().isEmpty() ? 2 : 0) : 10 + int(r);
                 }),
                 0);
        {
            SingleInstance lock(dir.path());
            QCOMPARE(lock.acquire(), SingleInstance::Taken);
        }
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Brindlewick.lock")));
        SingleInstance blocked(dir.path());
        QCOMPARE(blocked.acquire(), SingleInstance::NotWritten);
        QVERIFY(!blocked.error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
