#include "core/Registry.h"
#include "support/TempProfile.h"

#include <QFile>
#include <QtTest>

Q_DECLARE_METATYPE(Variant)

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void absentValuesReadEmpty()
    {
        TempProfile profile;
        // Before the first run nothing exists: every read is Empty, never an error.
        const Variant v = QueryValue(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("RunOnce"));
        QVERIFY(v.isEmpty());
        QVERIFY(v == QString());
        QVERIFY(v == 0);
        QVERIFY(!(v == 1));
        // Empty is not the text "0", though it equals the number 0.
        QVERIFY(!(v == QStringLiteral("0")));

        profile.createProgramKey();
        QVERIFY(QuerySetting(QStringLiteral("NoSuchValue")).isEmpty());
        QVERIFY(QuerySetting(QStringLiteral("NoSuchValue")) == 0);
    }

    void writesIntoMissingKeyStoreNothing()
    {
        TempProfile profile;
        SetKeyValue(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("Path"), QStringLiteral("/x"), REG_SZ);
        QVERIFY(QuerySetting(QStringLiteral("Path")).isEmpty());
        QVERIFY(!QFile::exists(profile.settingsFile()));

        // The program key alone does not create the Groups subkey.
        CreateNewKey(HKEY_CURRENT_USER, ProgramKey);
        SetKeyValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group0"), QStringLiteral("Tech"), REG_SZ);
        QVERIFY(QueryValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group0")).isEmpty());
    }

    void valuesRoundTripAsText_data()
    {
        QTest::addColumn<Variant>("written");
        QTest::addColumn<QString>("read");
        QTest::newRow("integer") << Variant(1) << QStringLiteral("1");
        QTest::newRow("empty text") << Variant(QString()) << QString();
        QTest::newRow("blanks") << Variant(QStringLiteral("  a b  ")) << QStringLiteral("  a b  ");
        QTest::newRow("zero text") << Variant(QStringLiteral("007")) << QStringLiteral("007");
        QTest::newRow("comma list") << Variant(QStringLiteral("1,0,1")) << QStringLiteral("1,0,1");
        QTest::newRow("backslash path") << Variant(QStringLiteral("C:\\Brw\\")) << QStringLiteral("C:\\Brw\\");
        QTest::newRow("at sign") << Variant(QStringLiteral("@home")) << QStringLiteral("@home");
        QTest::newRow("latin1") << Variant(QStringLiteral("Soci\u00e9t\u00e9 \u00a3")) << QStringLiteral("Soci\u00e9t\u00e9 \u00a3");
    }

    void valuesRoundTripAsText()
    {
        QFETCH(Variant, written);
        QFETCH(QString, read);
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("V"), written);
        const Variant back = QuerySetting(QStringLiteral("V"));
        QVERIFY(back.isString()); // present, even when ""
        QCOMPARE(back.toString(), read);
    }

    void emptyTextIsPresentOnDisk()
    {
        TempProfile profile;
        profile.createProgramKey();
        SaveSetting(QStringLiteral("Q_Message"), QString());
        QFile f(profile.settingsFile());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("Q_Message="));
        QVERIFY(!QuerySetting(QStringLiteral("Q_Message")).isEmpty());
    }

    void trailingBackslashNamesTheSameKey()
    {
        TempProfile profile;
        CreateNewKey(HKEY_CURRENT_USER, QStringLiteral("Software\\Pellor\\Brindlewick5\\"));
        SetKeyValue(HKEY_CURRENT_USER, QStringLiteral("Software\\Pellor\\Brindlewick5\\"), QStringLiteral("LastGroup"),
                    QStringLiteral("3"), REG_SZ);
        QCOMPARE(QuerySetting(QStringLiteral("LastGroup")).toString(), QStringLiteral("3"));
        SaveSetting(QStringLiteral("LastGroup"), 4);
        QCOMPARE(QueryValue(HKEY_CURRENT_USER, QStringLiteral("Software\\Pellor\\Brindlewick5\\"),
                            QStringLiteral("LastGroup")).toString(),
                 QStringLiteral("4"));
    }

    void groupsAreSeparateFromTheProgramKey()
    {
        TempProfile profile;
        profile.createProgramKey();
        SetKeyValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group0"), QStringLiteral("Tech"), REG_SZ);
        SaveSetting(QStringLiteral("Group0"), QStringLiteral("NotAGroup"));
        QCOMPARE(QueryValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group0")).toString(), QStringLiteral("Tech"));
        QCOMPARE(QuerySetting(QStringLiteral("Group0")).toString(), QStringLiteral("NotAGroup"));
        QVERIFY(QueryValue(HKEY_CURRENT_USER, GroupsKey, QStringLiteral("Group1")).isEmpty());
        // Key paths ignore letter case, as the registry does.
        QCOMPARE(QueryValue(HKEY_CURRENT_USER, QStringLiteral("software\\pellor\\brindlewick5\\GROUPS\\"),
                            QStringLiteral("Group0")).toString(),
                 QStringLiteral("Tech"));
    }

    void onlyTextValuesAreStored()
    {
        TempProfile profile;
        profile.createProgramKey();
        QCOMPARE(SetValueEx(RegKey{ProgramKey}, QStringLiteral("N"), REG_DWORD, 5), ERROR_INVALID_PARAMETER);
        QVERIFY(QuerySetting(QStringLiteral("N")).isEmpty());
        QCOMPARE(SetValueEx(RegKey{ProgramKey}, QStringLiteral("N"), REG_SZ, 5), ERROR_SUCCESS);

        Variant untouched(QStringLiteral("keep"));
        QCOMPARE(QueryValueEx(RegKey{ProgramKey}, QStringLiteral("Missing"), untouched), -1L);
        QCOMPARE(untouched.toString(), QStringLiteral("keep"));
        QCOMPARE(QueryValueEx(RegKey{ProgramKey}, QStringLiteral("N"), untouched), 0L);
        QVERIFY(untouched == 5);
        QVERIFY(untouched == QStringLiteral("5"));
    }

    void profilesDoNotSeeEachOther()
    {
        {
            TempProfile a;
            a.createProgramKey();
            SaveSetting(QStringLiteral("RunOnce"), 1);
        }
        TempProfile b;
        QVERIFY(QuerySetting(QStringLiteral("RunOnce")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
