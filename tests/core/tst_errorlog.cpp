#include "core/DataDir.h"
#include "core/ErrorLog.h"
#include "core/Registry.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
QByteArray logBytes()
{
    QFile f(DataDir + QStringLiteral("/ErrorLog.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record with its time line replaced by "Time: *", so records compare byte for byte.
QByteArray masked(QByteArray bytes)
{
    static const QRegularExpression time(QStringLiteral("Time: [^\r\n]*\r\n"));
    return QString::fromLatin1(bytes).replace(time, QStringLiteral("Time: *\r\n")).toLatin1();
}
} // namespace

class TestErrorLog : public QObject
{
    Q_OBJECT

private slots:
    void twoErrorsAppendTwoExactRecords()
    {
        TempProfile profile;
        ScriptedDialogs dialogs;
        ErrorTrap(QStringLiteral("File not found"), 53, QStringLiteral("Brindlewick"),
                  QStringLiteral("Stocks_ReadStocks"), false);
        ErrorTrap(QStringLiteral("Division by zero"), 11.5f, QStringLiteral("Brindlewick"),
                  QStringLiteral("QueryValueEx"), false);
        const QByteArray expected = "--------------\r\n"
                                    "Time: *\r\n"
                                    "Description:   File not found\r\n"
                                    "Number:        53\r\n"
                                    "Source:         Brindlewick\r\n"
                                    "Where: Stocks_ReadStocks\r\n"
                                    "--------------\r\n"
                                    "Time: *\r\n"
                                    "Description:   Division by zero\r\n"
                                    "Number:        11.5\r\n"
                                    "Source:         Brindlewick\r\n"
                                    "Where: QueryValueEx\r\n";
        const QByteArray bytes = logBytes();
        QVERIFY(bytes.startsWith("--------------\r\n"));
        QCOMPARE(masked(bytes), expected);
        // The time line holds a time of day and no date.
        const QRegularExpression timeLine(QStringLiteral("^Time: \\d{1,2}[:.]\\d{2}[:.]\\d{2}"),
                                          QRegularExpression::MultilineOption);
        QVERIFY(timeLine.match(QString::fromLatin1(bytes)).hasMatch());
        QCOMPARE(dialogs.shown().size(), 0); // silent callers show nothing

        // The same records logged at once are the same bytes.
        QVERIFY(QFile::remove(DataDir + QStringLiteral("/ErrorLog.txt")));
        ErrorTrapAll({{QStringLiteral("File not found"), 53, QStringLiteral("Brindlewick"), QStringLiteral("Stocks_ReadStocks")},
                      {QStringLiteral("Division by zero"), 11.5f, QStringLiteral("Brindlewick"), QStringLiteral("QueryValueEx")}});
        QCOMPARE(masked(logBytes()), expected);
        QCOMPARE(dialogs.shown().size(), 0);
    }

    void messageShowsRecordWithoutWhereLine()
    {
        TempProfile profile;
        profile.createProgramKey();
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::OK);
        ErrorTrap(QStringLiteral("Overflow"), 6, QStringLiteral("Brindlewick"), QStringLiteral("Misc_Main"), true);
        QCOMPARE(dialogs.shown().size(), 1);
        const auto &box = dialogs.shown().first();
        QCOMPARE(box.title, QStringLiteral("Error occur"));
        QCOMPARE(box.style, Msg::OKCancel + Msg::Information);
        QVERIFY(box.prompt.startsWith(
            QStringLiteral("Error occur and logged successfully into a log file\r\n"
                           "If you don't want to see this massages anymore, Click Cancel\r\n"
                           "--------------\r\nTime: ")));
        QVERIFY(box.prompt.endsWith(QStringLiteral("Number:        6\r\nSource:         Brindlewick")));
        QVERIFY(!box.prompt.contains(QStringLiteral("Where:")));
        // OK changes nothing: the next error asks again.
        QVERIFY(QuerySetting(QStringLiteral("ErrorTraping")).isEmpty());
        dialogs.answer(Msg::OK);
        ErrorTrap(QStringLiteral("Overflow"), 6, QStringLiteral("Brindlewick"), QStringLiteral("Misc_Main"), true);
        QCOMPARE(dialogs.shown().size(), 2);
    }

    void cancelStopsFurtherMessages()
    {
        TempProfile profile;
        profile.createProgramKey();
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::Cancel);
        ErrorTrap(QStringLiteral("Overflow"), 6, QStringLiteral("Brindlewick"), QStringLiteral("Misc_Main"), true);
        QCOMPARE(QuerySetting(QStringLiteral("ErrorTraping")).toString(), QStringLiteral("1"));
        ErrorTrap(QStringLiteral("Overflow"), 6, QStringLiteral("Brindlewick"), QStringLiteral("Misc_Main"), true);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.unexpected(), 0);
        // Still logged while silent.
        QCOMPARE(logBytes().count("--------------\r\n"), 2);
    }

    void unwritableLogStillShowsTheMessage()
    {
        TempProfile profile;
        profile.createProgramKey();
        // A folder where the log should be: appending fails.
        QVERIFY(QDir(DataDir).mkdir(QStringLiteral("ErrorLog.txt")));
        ScriptedDialogs dialogs;
        dialogs.answer(Msg::OK);
        ErrorTrap(QStringLiteral("Disk full"), 61, QStringLiteral("Brindlewick"), QStringLiteral("Misc_Main"), true);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(QFileInfo(DataDir + QStringLiteral("/ErrorLog.txt")).isDir());
    }

    void labelIsWrittenAsPassed()
    {
        TempProfile profile;
        ErrorTrap(QString(), 0, QString(), QStringLiteral("QueryValueEx"), false);
        QVERIFY(logBytes().endsWith("Number:        0\r\nSource:         \r\nWhere: QueryValueEx\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
