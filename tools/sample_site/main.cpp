// Serves sample pages on 127.0.0.1 so that Brindlewick can be tried
// without reaching any outside site.
//
//   sample_site [--root DIR] [--port N] [--point-sites] [--seed-set]
//
// Prints the port it listens on as one line, then serves until it is ended.
// The pages are the test pages (tests/fixtures/site) and those the sample
// site makes over them (SamplePages.h).
// --point-sites stores 127.0.0.1:<port> as the host of every site role in
// the settings of the current profile (XDG_CONFIG_HOME).
// --seed-set gives a profile without a first stock set ("Set0.dat") one
// that holds the symbols the sample site serves, so that a first Update
// has stocks to fetch.
// Both change the profile only while Brindlewick does not run on it: when
// it does, the sample site says so and ends with status 3.

#include "SamplePages.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "platform/SingleInstance.h"
#include "support/site/FixtureSite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

bool seedSet()
{
    DataDir = defaultDataDir();
    QDir().mkpath(DataDir);
    CurSetNo = 0;
    const QString file = DataDir + QStringLiteral("/Set0.dat");
    if (QFileInfo::exists(file))
        return true;
    const char *const sample[][2] = {{"IBM", "International Business Machines"},
                                     {"ACME", "Acme Corp"},
                                     {"BOLT", "Bolt Industries"}};
    for (int i = 0; i < 3; ++i) {
        Sets[size_t(i)].Symbol = QString::fromLatin1(sample[i][0]);
        Sets[size_t(i)].Name = QString::fromLatin1(sample[i][1]);
    }
    SaveStocks();
    return QFileInfo::exists(file);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves the sample pages on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Folder of the pages."),
                                        QStringLiteral("dir"), FixtureSite::defaultRoot());
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port (0: any free port)."),
                                        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption pointOption(QStringLiteral("point-sites"),
                                         QStringLiteral("Point every site role of the profile at this server."));
    const QCommandLineOption seedOption(QStringLiteral("seed-set"),
                                        QStringLiteral("Give a profile without stocks the sample symbols."));
    parser.addOptions({rootOption, portOption, pointOption, seedOption});
    parser.process(app);

    const QString root = parser.value(rootOption);
    FixtureSite site(root);
    site.setPageMaker([root](const QString &target) { return samplePageFor(root, target); });
    if (!site.start(quint16(parser.value(portOption).toUInt()))) {
        QTextStream(stderr) << "sample_site: cannot listen on 127.0.0.1\n";
        return 1;
    }
    if (parser.isSet(pointOption) || parser.isSet(seedOption)) {
        // Held while the profile changes: the program takes the same lock
        // for its whole run.
        SingleInstance running(defaultDataDir());
        const SingleInstance::Result lock = running.acquire();
        if (lock == SingleInstance::HeldByAnother) {
            QTextStream(stderr) << "Brindlewick is already running on this profile; its sites stay as they are.\n";
            return 3;
        }
        if (lock == SingleInstance::NotWritten) {
            QTextStream(stderr) << "sample_site: the lock file " << running.lockPath()
                                << " cannot be written: " << running.error() << "\n";
            return 1;
        }
        if (parser.isSet(pointOption)) {
            CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(ProgramKey));
            setAllSiteHosts(site.host());
        }
        if (parser.isSet(seedOption) && !seedSet()) {
            QTextStream(stderr) << "sample_site: cannot write the sample stock set\n";
            return 1;
        }
    }
    QTextStream(stdout) << site.port() << Qt::endl;
    return app.exec();
}
