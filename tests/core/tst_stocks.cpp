#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "support/GoldenFile.h"
#include "support/TempProfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>
#include <sys/stat.h>

namespace {
QByteArray fileBytes(const QString &name)
{
    QFile f(DataDir + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(DataDir + QLatin1Char('/') + name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The file's inode: a new one means the file was written anew.
ino_t inodeOf(const QString &name)
{
    struct stat st;
    return ::stat(QFile::encodeName(DataDir + QLatin1Char('/') + name).constData(), &st) == 0 ? st.st_ino : 0;
}

// Written by another program an hour ago.
void writeOldFile(const QString &name, const QByteArray &bytes)
{
    writeFile(name, bytes);
    QFile f(DataDir + QLatin1Char('/') + name);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

QString errorLog()
{
    QFile f(DataDir + QStringLiteral("/ErrorLog.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

QByteArray text(const QByteArray &latin1)
{
    return QByteArray(1, char(latin1.size())) + QByteArray(1, '\0') + latin1;
}

// Record 0 of the golden file, written out by hand: symbol "AB", name "Café",
// rating 2.5, low target 1.0, last reserved field "z".
QByteArray goldenRecord()
{
    QByteArray r;
    r += text("");                                  // Reserved0
    r += text("AB");                                // Symbol
    r += text("Caf\xe9");                           // Name, Latin-1
    r += QByteArray::fromHex("00002040");           // Rating 2.5f
    for (int i = 0; i < 19; ++i)                    // LastSale .. LastUpdate
        r += text("");
    r += QByteArray::fromHex("0000803f");           // LowTarget 1.0f
    r += QByteArray::fromHex("00000000");           // HighTarget
    r += text("z");                                 // Reserved25
    return r;
}

StockRec goldenStock()
{
    StockRec s;
    s.Symbol = QStringLiteral("AB");
    s.Name = QStringLiteral("Caf\u00e9");
    s.Rating = 2.5f;
    s.LowTarget = 1.0f;
    s.Reserved25 = QStringLiteral("z");
    return s;
}

StockRec fullStock(const QString &symbol)
{
    StockRec s;
    QStringList v;
    for (int i = 0; i < 23; ++i)
        v << symbol + QString::number(i);
    s = StockRec{v[0], symbol, v[1], 4.25f, v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                 v[11], v[12], v[13], v[14], v[15], v[16], v[17], v[18], v[19], v[20], 9.5f, 120.125f, v[21]};
    return s;
}
} // namespace

class TestStocks : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetStocks();
        resetSharedState();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void blankSetFileIs11658ZeroBytes()
    {
        TempProfile profile;
        SaveStocks();
        QCOMPARE(fileBytes(QStringLiteral("Set0.dat")), QByteArray(11658, '\0'));
    }

    void goldenFileWrittenAndRead()
    {
        TempProfile profile;
        CurSetNo = 7;
        Sets[0] = goldenStock();
        SaveStocks();
        const QByteArray expected = goldenRecord() + QByteArray(200 * 58, '\0');
        QCOMPARE(fileBytes(QStringLiteral("Set7.dat")), expected);

        resetStocks();
        CurSetNo = 7;
        writeFile(QStringLiteral("Set7.dat"), expected);
        ReadStocks();
        QCOMPARE(Sets[0], goldenStock());
        QCOMPARE(Sets[1], StockRec{});
        QCOMPARE(SetCount, short(1));
        QCOMPARE(errorLog(), QString());
    }

    // Every field of a record filled, each with its own text, written out
    // by hand in file order: a writer or reader that swaps two fields (Ask
    // and Bid, say) fails here. Alert limits print as the shortest text
    // that reads back to the same bits.
    void everyFieldHasItsPlaceInTheFile()
    {
        TempProfile profile;
        const char *const texts[23] = {"r0", "FULL", "Full Corp", "45 3/8", "+1.25%", "+9/16", "46 1/2", "44 7/8",
                                       "1,234,500", "45 1/2", "45 1/4", "300", "18.2", ".48", "45", "44 13/16",
                                       "52 1/4", "30 1/8", "2.49", "NYSE", "Widgets", "12/09/26 4:00PM", "r25"};
        QByteArray expected;
        for (int i = 0; i < 3; ++i)                           // Reserved0, Symbol, Name
            expected += text(texts[i]);
        expected += QByteArray::fromHex("0000c03f");          // Rating 1.5
        for (int i = 3; i < 22; ++i)                          // LastSale .. LastUpdate
            expected += text(texts[i]);
        expected += QByteArray::fromHex("aee64046");       // LowTarget 12345.67
        expected += QByteArray::fromHex("0000c842");          // HighTarget 100
        expected += text(texts[22]);                          // Reserved25
        StockRec s{texts[0], texts[1], texts[2], 1.5f, texts[3], texts[4], texts[5], texts[6], texts[7],
                   texts[8], texts[9], texts[10], texts[11], texts[12], texts[13], texts[14], texts[15], texts[16],
                   texts[17], texts[18], texts[19], texts[20], texts[21], 12345.67f, 100.0f, texts[22]};
        QCOMPARE(s.Ask, QStringLiteral("45 1/2"));
        QCOMPARE(s.Bid, QStringLiteral("45 1/4"));
        CurSetNo = 3;
        Sets[1] = s;
        QVERIFY(SaveStocks());
        const QByteArray bytes = fileBytes(QStringLiteral("Set3.dat"));
        QCOMPARE(bytes.mid(58, expected.size()), expected);
        QCOMPARE_GOLDEN_FILE(bytes, QStringLiteral("golden/set_full_record.dat"));
        resetStocks();
        CurSetNo = 3;
        ReadStocks();
        QCOMPARE(Sets[1], s);
        QCOMPARE(GetStockLine(QStringLiteral("FULL")).section(QLatin1Char(';'), 6, 7), QStringLiteral("45 1/4;45 1/2"));

        for (const float limit : {12345.67f, 0.1f, 0.0f, 100.0f, 1e-7f, 3.4e38f, 16777217.0f})
            QCOMPARE(limitText(limit).toFloat(), limit);
        QCOMPARE(limitText(12345.67f), QStringLiteral("12345.67"));
        QCOMPARE(limitText(0.0f), QStringLiteral("0"));
    }

    void sparseSetRoundTrips()
    {
        TempProfile profile;
        Sets[3] = fullStock(QStringLiteral("AAA"));
        Sets[150] = fullStock(QStringLiteral("ZZZ"));
        const auto saved = Sets;
        SaveStocks();
        Sets.fill(StockRec{});
        ReadStocks();
        QCOMPARE(SetCount, short(2));
        QVERIFY(Sets == saved);
    }

    void missingFileIsCreatedEmpty()
    {
        TempProfile profile;
        CurSetNo = 4;
        Sets[0] = goldenStock();
        SetCount = 9;
        ReadStocks();
        QCOMPARE(fileBytes(QStringLiteral("Set4.dat")), QByteArray());
        QCOMPARE(Sets[0], StockRec{});
        QCOMPARE(SetCount, short(0));
        QCOMPARE(errorLog(), QString()); // a new set is not an error
    }

    // Damaged files load what is whole, never read past the data, and are logged.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("symbol0");
        QTest::addColumn<QString>("name0");
        QTest::addColumn<bool>("logged");
        const QByteArray golden = goldenRecord();
        QTest::newRow("one whole record") << golden << "AB" << "Caf\u00e9" << true;
        QTest::newRow("cut inside the name") << golden.left(10) << "AB" << "" << true;
        QTest::newRow("cut inside a length") << golden.left(5) << "" << "" << true;
        QTest::newRow("length runs past the end")
            << QByteArray::fromHex("0000ffff4142") << "" << "" << true;
        QTest::newRow("longer than 201 records")
            << golden + QByteArray(200 * 58, '\0') + QByteArray(100, '\xff') << "AB" << "Caf\u00e9" << false;
        QByteArray garbage(5000, '\0');
        QRandomGenerator random(1234);
        for (char &c : garbage)
            c = char(random.bounded(256));
        QTest::newRow("garbage") << garbage << "?" << "?" << true;
    }
    void damagedFiles()
    {
        TempProfile profile;
        QFETCH(QByteArray, bytes);
        QFETCH(QString, symbol0);
        QFETCH(QString, name0);
        QFETCH(bool, logged);
        writeFile(QStringLiteral("Set0.dat"), bytes);
        ReadStocks();
        if (symbol0 != QLatin1String("?")) {
            QCOMPARE(Sets[0].Symbol, symbol0);
            QCOMPARE(Sets[0].Name, name0);
            QCOMPARE(Sets[0].Rating, name0.isEmpty() ? 0.0f : 2.5f);
            QCOMPARE(Sets[200], StockRec{});
        }
        QCOMPARE(errorLog().contains(QStringLiteral("Where: Stocks_ReadStocks\r\n")), logged);
        QVERIFY(SetCount >= 0 && SetCount <= 201);
        // Reading does not repair or rewrite the file.
        QCOMPARE(fileBytes(QStringLiteral("Set0.dat")), bytes);
    }

    // A NaN in a record read from its file is no change: the set is not
    // written again on the next switch.
    void notANumberIsNoChange()
    {
        TempProfile profile;
        Sets[0].Symbol = QStringLiteral("IBM");
        Sets[0].LowTarget = std::numeric_limits<float>::quiet_NaN();
        SaveStocks();
        resetStocks();
        ReadStocks();
        QVERIFY(std::isnan(Sets[0].LowTarget));
        QVERIFY(!SetsChangedSinceRead());
        Sets[0].LowTarget = 12;
        QVERIFY(SetsChangedSinceRead());
    }

    void saveKeepsBytesBeyondTheRecords()
    {
        TempProfile profile;
        const QByteArray tail = QByteArrayLiteral("0123456789OLDTAIL");
        writeFile(QStringLiteral("Set0.dat"), QByteArray(11658, '\0') + tail);
        Sets[0].Symbol = QStringLiteral("AB"); // two bytes longer than before
        SaveStocks();
        const QByteArray bytes = fileBytes(QStringLiteral("Set0.dat"));
        QCOMPARE(bytes.size(), 11658 + tail.size());
        QVERIFY(bytes.endsWith(tail.mid(2)));
        ReadStocks();
        QCOMPARE(SetCount, short(1));
    }

    // The set file as it is on disk counts, also after another program
    // wrote it: its bytes beyond the records are kept from the file now
    // there, and a set read again is read from it. A save that would
    // change nothing leaves the file as it is.
    void savesAndReadsFollowTheFileOnDisk()
    {
        TempProfile profile;
        const QString set0 = QStringLiteral("Set0.dat");
        writeOldFile(set0, QByteArray(11658, '\0') + "FIRSTTAIL");
        ReadStocks();
        Sets[0].Symbol = QStringLiteral("AB");
        SaveStocks();
        QVERIFY(fileBytes(set0).endsWith("RSTTAIL"));

        const ino_t written = inodeOf(set0);
        SaveStocks();
        QCOMPARE(inodeOf(set0), written);

        writeOldFile(set0, QByteArray(11658, '\0') + "SECOND_LONGER_TAIL");
        Sets[1].Symbol = QStringLiteral("CD");
        SaveStocks();
        QVERIFY(fileBytes(set0).endsWith("ND_LONGER_TAIL")); // two records two bytes longer each
        QVERIFY(fileBytes(set0).contains(text("CD")));

        writeOldFile(set0, goldenRecord() + QByteArray(11658 - goldenRecord().size(), '\0'));
        ReadStocks();
        ReadStocks();
        QCOMPARE(Sets[0], goldenStock());
        writeOldFile(set0, QByteArray(11658, '\0'));
        ReadStocks();
        QCOMPARE(SetCount, short(0));
    }

    void lookups()
    {
        StockRec &s = Sets[5];
        s = StockRec{QString(), QStringLiteral("ACME"), QStringLiteral("Name"), 3.5f, QStringLiteral("12 3/8"),
                     QStringLiteral("PctChange"), QStringLiteral("Change"), QStringLiteral("DayHigh"),
                     QStringLiteral("DayLow"), QStringLiteral("Volume"), QStringLiteral("Ask"), QStringLiteral("Bid"),
                     QStringLiteral("LastTradeSize"), QStringLiteral("PERatio"), QStringLiteral("DivPerShare"),
                     QStringLiteral("Open"), QStringLiteral("PrevClose"), QStringLiteral("High52"),
                     QStringLiteral("Low52"), QStringLiteral("EPS"), QStringLiteral("Exchange"),
                     QStringLiteral("Industry"), QStringLiteral("LastUpdate"), 0, 0, QString()};
        Sets[200] = fullStock(QStringLiteral("LAST"));
        Sets[200].Rating = 1.5f;
        SetCount = 2;

        QCOMPARE(GetStockLine(QStringLiteral("ACME")),
                 QStringLiteral("Name;Change;PctChange;Volume;DayHigh;DayLow;Bid;Ask;LastTradeSize;Open;"
                                "PrevClose;High52;Low52;EPS;PERatio;DivPerShare;Exchange;Industry;LastUpdate"));
        QCOMPARE(FoundIndex, short(5));
        // Every lookup walks every record: the last one too.
        QVERIFY(GetStockLine(QStringLiteral("LAST")).startsWith(QLatin1String("LAST1;LAST4;LAST3;")));
        QCOMPARE(FoundIndex, short(200));
        QCOMPARE(GetPriceText(QStringLiteral("LAST")), QStringLiteral("LAST2"));
        QCOMPARE(GetRating(QStringLiteral("LAST")), 1.5f);
        QCOMPARE(StockIndex(QStringLiteral("LAST")), short(200));
        QCOMPARE(StockIndex(QStringLiteral("NONE")), short(-1));
        // A free record is no hit for an empty symbol.
        QCOMPARE(GetStockLine(QString()), QString());
        QCOMPARE(StockIndex(QString()), short(-1));
        QCOMPARE(GetPriceText(QStringLiteral("ACME")), QStringLiteral("12.38"));
        QCOMPARE(GetRating(QStringLiteral("acme")), 0.0f); // case-sensitive
        QCOMPARE(GetStockLine(QStringLiteral("acme")), QString());

        // FindSymbol finds a stock after free records, past SetCount, and
        // answers 0 when absent.
        Sets[2].Symbol = QStringLiteral("TWO");
        QCOMPARE(FindSymbol(QStringLiteral("TWO")), short(2));
        QCOMPARE(FindSymbol(QStringLiteral("NONE")), short(0));
        QCOMPARE(FindSymbol(QStringLiteral("ACME")), short(5));
        // A full set must not search past record 200.
        SetCount = 201;
        QCOMPARE(FindSymbol(QStringLiteral("NONE")), short(0));
        QCOMPARE(FindSymbol(QStringLiteral("ACME")), short(5));
    }

    void displayName_data()
    {
        QTest::addColumn<QString>("curSymbol");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name") << "AB" << "Acme Corp" << 1 << "Acme Corp";
        QTest::newRow("two-character name") << "AB" << "Ac" << 1 << "Ac";
        QTest::newRow("one-character name gives symbol") << "AB" << "X" << 1 << "AB";
        QTest::newRow("no symbol selected") << "" << "Acme" << 1 << "";
        QTest::newRow("absent") << "CD" << "Acme" << 1 << "";
        QTest::newRow("after a free record") << "AB" << "Acme" << 3 << "Acme";
    }
    void displayName()
    {
        QFETCH(QString, curSymbol);
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, expected);
        Sets[index].Symbol = QStringLiteral("AB");
        Sets[index].Name = name;
        SetCount = 2;
        CurSymbol = curSymbol;
        QCOMPARE(GetDisplayName(), expected);
    }

    void compactSetDropsOneCharacterSymbols()
    {
        const QStringList symbols{QStringLiteral("ABC"), QString(), QStringLiteral("Z"), QStringLiteral("WXYZ")};
        for (int i = 0; i < 4; ++i) {
            Sets[i] = fullStock(symbols[i]);
            Sets[i].Symbol = symbols[i];
        }
        Sets[10] = fullStock(QStringLiteral("QQ"));
        const StockRec abc = Sets[0], wxyz = Sets[3], qq = Sets[10];
        SetCount = 5;
        CompactSet();
        QCOMPARE(Sets[0], abc);
        QCOMPARE(Sets[1], wxyz);
        QCOMPARE(Sets[2], qq);
        for (int i = 3; i < SetSize; ++i)
            QCOMPARE(Sets[i], StockRec{});
        QCOMPARE(SetCount, short(5));
        for (const StockRec &t : TmpSets)
            QCOMPARE(t, StockRec{});
    }

    // The saves of an update run: each change of a few records, saved with
    // or without waiting for the disk, leaves the file holding exactly the
    // whole set as a reader takes it apart; a save that changes nothing
    // writes nothing, but a file another program changed is written again;
    // the file keeps its permissions and no temporary file stays beside it;
    // a folder that cannot be written fails the save, says why, and leaves
    // the file as it was.
    void runSavesWriteWhatChanged()
    {
        TempProfile profile;
        const QString set0 = QStringLiteral("Set0.dat");
        QRandomGenerator random(47);
        for (int i = 0; i < SetSize; i += 3)
            Sets[i].Symbol = QStringLiteral("S%1").arg(i);
        QVERIFY(SaveStocks());
        QVERIFY(QFile::setPermissions(DataDir + QLatin1Char('/') + set0, QFile::ReadOwner | QFile::WriteOwner));
        for (int step = 0; step < 40; ++step) {
            for (int k = 0; k < 1 + step % 4; ++k) {
                StockRec &s = Sets[random.bounded(SetSize)];
                s.LastSale = QString::number(random.bounded(1000)) + QStringLiteral(".25");
                s.Name = step % 5 ? s.Name : QString(random.bounded(300), QLatin1Char('n')); // lengths change
                s.Rating = float(random.bounded(5));
            }
            const auto saved = Sets;
            QVERIFY(SaveStocks(nullptr, step % 2 ? DiskSync::Renamed : DiskSync::Synced));
            resetStocks();
            ReadStocks();
            QVERIFY2(Sets == saved, qPrintable(QStringLiteral("step %1").arg(step)));
        }
        QCOMPARE(QFile::permissions(DataDir + QLatin1Char('/') + set0) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(QDir(DataDir).entryList(QDir::Files), QStringList{set0});

        const ino_t written = inodeOf(set0);
        QVERIFY(SaveStocks(nullptr, DiskSync::Renamed));
        QCOMPARE(inodeOf(set0), written);
        const QByteArray filed = fileBytes(set0);
        writeOldFile(set0, QByteArray(11658, '\0'));
        QVERIFY(SaveStocks(nullptr, DiskSync::Renamed));
        QCOMPARE(fileBytes(set0), filed);

        // A folder in the file's place: nothing can be renamed over it.
        Sets[7].LastSale = QStringLiteral("1.50");
        QVERIFY(QFile::rename(DataDir + QLatin1Char('/') + set0, DataDir + QStringLiteral("/kept")));
        QVERIFY(QDir(DataDir).mkpath(set0 + QStringLiteral("/inside")));
        QString why;
        QVERIFY(!SaveStocks(&why, DiskSync::Renamed));
        QVERIFY(!why.isEmpty());
        QVERIFY(errorLog().contains(QStringLiteral("Where: Stocks_SaveStocks\r\n")));
        QVERIFY(QDir(DataDir + QLatin1Char('/') + set0).exists(QStringLiteral("inside")));
        QCOMPARE(QDir(DataDir).entryList(QDir::Files), QStringList({QStringLiteral("ErrorLog.txt"), QStringLiteral("kept")}));
        QVERIFY(QDir(DataDir + QLatin1Char('/') + set0).removeRecursively());
        QVERIFY(QFile::rename(DataDir + QStringLiteral("/kept"), DataDir + QLatin1Char('/') + set0));
        QVERIFY(SaveStocks());
        resetStocks();
        ReadStocks();
        QCOMPARE(Sets[7].LastSale, QStringLiteral("1.50"));
    }

    void usTableRoundTrips()
    {
        TempProfile profile;
        WriteUS();
        QCOMPARE(fileBytes(QStringLiteral("US.dat")), QByteArray(37 * 10, '\0'));
        US[0] = USRec{QStringLiteral("10,512.3"), QStringLiteral("4:01PM"), QStringLiteral("-12.5"),
                      QStringLiteral("-0.12%"), QStringLiteral("Dow")};
        US[36].MoreInfo = QStringLiteral("last");
        const auto saved = US;
        WriteUS();
        US.fill(USRec{});
        ReadUS();
        QVERIFY(US == saved);

        // A short table fills what is whole and logs the rest.
        writeFile(QStringLiteral("US.dat"), fileBytes(QStringLiteral("US.dat")).left(40));
        ReadUS();
        QCOMPARE(US[0], saved[0]);
        QCOMPARE(US[36], USRec{});
        QVERIFY(errorLog().contains(QStringLiteral("Where: Stocks_ReadUS\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestStocks)
#include "tst_stocks.moc"
