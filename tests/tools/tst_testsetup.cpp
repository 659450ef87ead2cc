// The ground the tests and the first ./run stand on: every test program
// has folders of its own, a test server that does not come up fails its
// test, the news server sets its own limits, a build without a type is an
// optimised one, and ./run builds the program and the sample site only.
#include "support/LoopbackServer.h"
#include "support/NewsServer.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Runs a command to its end; its output, or a null array on failure.
QByteArray output(const QString &program, const QStringList &arguments, const QString &dir = QString(),
                  const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    // Configuring a build tree takes a while on a loaded machine.
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << arguments.join(' ') << "failed:" << p.readAll();
        return QByteArray();
    }
    return p.readAll();
}

QString cacheValue(const QString &buildDir, const QString &name)
{
    QFile cache(buildDir + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly))
        return QStringLiteral("<no cache>");
    for (const QByteArray &line : cache.readAll().split('\n'))
        if (line.startsWith(name.toLatin1() + ':'))
            return QString::fromLatin1(line.mid(line.indexOf('=') + 1)).trimmed();
    return QString();
}

// A server whose script is given by the test.
class ScriptServer : public LoopbackServer
{
public:
    ServerStart start(const QString &module, const QString &script, QString *why)
    {
        return startPython(module, QStringLiteral("the test's server"), script, {}, why);
    }
};

} // namespace

class TestTestSetup : public QObject
{
    Q_OBJECT

private slots:
    // Temporary and runtime folders are each test program's own.
    void everyTestHasFoldersOfItsOwn()
    {
        const QByteArray json = output(QStringLiteral("ctest"), {QStringLiteral("--show-only=json-v1")},
                                       QStringLiteral(BW_BINARY_DIR));
        QVERIFY(!json.isNull());
        const QJsonArray tests = QJsonDocument::fromJson(json).object().value(QStringLiteral("tests")).toArray();
        QVERIFY(tests.size() > 50);
        QHash<QString, QString> tmp, run;
        for (const QJsonValue &t : tests) {
            const QString name = t[QStringLiteral("name")].toString();
            for (const QJsonValue &p : t[QStringLiteral("properties")].toArray()) {
                if (p[QStringLiteral("name")].toString() != QLatin1String("ENVIRONMENT"))
                    continue;
                for (const QJsonValue &v : p[QStringLiteral("value")].toArray()) {
                    const QString setting = v.toString();
                    const QString value = setting.section(QLatin1Char('='), 1);
                    if (setting.startsWith(QLatin1String("TMPDIR=")))
                        tmp.insert(value, name);
                    if (setting.startsWith(QLatin1String("XDG_RUNTIME_DIR=")))
                        run.insert(value, name);
                    if (setting.startsWith(QLatin1String("XDG_RUNTIME_DIR=")))
                        QCOMPARE(QFileInfo(value).permissions() & 0x0077, QFileDevice::Permissions());
                }
            }
        }
        QCOMPARE(tmp.size(), tests.size());
        QCOMPARE(run.size(), tests.size());
        QVERIFY(QFileInfo(qEnvironmentVariable("TMPDIR")).isDir());
    }

    // Only a missing package lets a test skip; a server that is there but
    // ends before it serves fails the test.
    void serverThatDiesIsAFailure()
    {
        QString why;
        ScriptServer missing;
        QCOMPARE(missing.start(QStringLiteral("no_such_module_here"), QString(), &why), ServerStart::NotInstalled);
        ScriptServer dying;
        QCOMPARE(dying.start(QStringLiteral("json"), QStringLiteral("raise SystemExit('cannot serve')"), &why),
                 ServerStart::Failed);
        QVERIFY2(why.contains(QLatin1String("cannot serve")), qPrintable(why));
        // A server that serves names the port it took itself.
        ScriptServer serving;
        QCOMPARE(serving.start(QStringLiteral("json"), QStringLiteral("import time\nready()\ntime.sleep(60)"), &why),
                 ServerStart::Running);
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, quint16(serving.port()));
        QVERIFY(s.waitForConnected(30000));
    }

    // CI installs every package, so there a skipped test function fails
    // the suite; elsewhere it is listed.
    void skippedTestsAreCounted()
    {
        QTemporaryDir dir;
        QFile tests(dir.filePath(QStringLiteral("CTestTestfile.cmake")));
        QVERIFY(tests.open(QIODevice::WriteOnly));
        tests.write("add_test(passes /bin/true)\n"
                    "add_test(skips /bin/echo \"SKIP   : TestX::needsAServer() python3-aiosmtpd is not installed\")\n");
        tests.close();
        const auto suite = [&](const char *noSkips, QByteArray *out) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("BW_NO_SKIPS"), QLatin1String(noSkips));
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(QStringLiteral(BW_SOURCE));
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral(". tools/setup.sh && run_suite \"$1\""),
                                             QStringLiteral("suite"), dir.path()});
            p.waitForFinished(120000);
            *out = p.readAll();
            return p.exitCode();
        };
        QByteArray out;
        QCOMPARE(suite("0", &out), 0);
        QVERIFY2(out.contains("needsAServer"), out.constData());
        QVERIFY(suite("1", &out) != 0);
        QVERIFY2(out.contains("needsAServer"), out.constData());
    }

    // The private news server takes readers however busy the machine is:
    // its load limit is its own, not the system's; and it starts wherever
    // the test's temporary folder is, however long that folder's path.
    void newsServerSetsItsOwnLimits()
    {
        QTemporaryDir deep(QDir::tempPath() + QLatin1Char('/') + QString(60, QLatin1Char('d')) + QStringLiteral("-XXXXXX"));
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", deep.path().toLocal8Bit());
        auto restore = qScopeGuard([&] { qputenv("TMPDIR", tmp); });
        NewsServer news;
        START_TEST_SERVER(news);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("INNCONF"), news.folder() + QStringLiteral("/etc/inn.conf"));
        QCOMPARE(output(QStringLiteral("/usr/lib/news/bin/innconfval"), {QStringLiteral("nnrpdloadlimit")}, QString(),
                        env)
                     .trimmed(),
                 QByteArray("0"));
    }

    // A build without a type is optimised and keeps its debug information;
    // a sanitizer build keeps its own type. ./run builds the program and
    // the sample site, and nothing of the tests or benchmarks.
    void buildTypeAndWhatRunBuilds()
    {
        QTemporaryDir dir;
        const QString plain = dir.path() + QStringLiteral("/plain");
        const QString asan = dir.path() + QStringLiteral("/asan");
        const QString source = QStringLiteral(BW_SOURCE);
        QVERIFY(!output(QStringLiteral("cmake"), {QStringLiteral("-S"), source, QStringLiteral("-B"), plain,
                                                  QStringLiteral("-G"), QStringLiteral("Ninja")})
                     .isNull());
        QCOMPARE(cacheValue(plain, QStringLiteral("CMAKE_BUILD_TYPE")), QStringLiteral("RelWithDebInfo"));
        QVERIFY(!output(QStringLiteral("cmake"), {QStringLiteral("-S"), source, QStringLiteral("-B"), asan,
                                                  QStringLiteral("-G"), QStringLiteral("Ninja"),
                                                  QStringLiteral("-DBW_SANITIZE=ON")})
                     .isNull());
        QCOMPARE(cacheValue(asan, QStringLiteral("CMAKE_BUILD_TYPE")), QStringLiteral("Debug"));

        // What ./run builds: the targets it names, and all they are made of.
        const QByteArray targets = output(QStringLiteral("bash"),
                                          {QStringLiteral("-c"), QStringLiteral(". tools/setup.sh && echo ${PROGRAM_TARGETS[@]}")},
                                          source);
        QStringList arguments{QStringLiteral("-C"), plain, QStringLiteral("-t"), QStringLiteral("inputs")};
        arguments << QString::fromLatin1(targets).simplified().split(QLatin1Char(' '));
        const QByteArray inputs = output(QStringLiteral("ninja"), arguments).replace(plain.toLocal8Bit(), "");
        QVERIFY(inputs.contains("src/app/CMakeFiles/brindlewick.dir/main.cpp.o"));
        QVERIFY(inputs.contains("tools/sample_site/CMakeFiles/sample_site.dir/main.cpp.o"));
        QVERIFY2(!inputs.contains("tst_") && !inputs.contains("benchmarks/"), inputs.constData());
    }
};

QTEST_GUILESS_MAIN(TestTestSetup)
#include "tst_testsetup.moc"
