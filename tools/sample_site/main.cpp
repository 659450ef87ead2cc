// Serves the fixture pages on 127.0.0.1 so that Brindlewick can be tried
// without reaching any outside site.
//
//   sample_site [--root DIR] [--port N] [--point-sites]
//
// Prints the port it listens on as one line, then serves until it is ended.
// --point-sites stores 127.0.0.1:<port> as the host of every site role in
// the settings of the current profile (XDG_CONFIG_HOME).
// --seed-set gives a profile without a first stock set ("Set0.dat") one
// that holds the symbols the sample site serves, so that a first Update
// has stocks to fetch.

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "support/site/FixtureSite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves the fixture pages on 127.0.0.1."));
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

    FixtureSite site(parser.value(rootOption));
    if (!site.start(quint16(parser.value(portOption).toUInt()))) {
        QTextStream(stderr) << "sample_site: cannot listen on 127.0.0.1\n";
        return 1;
    }
    if (parser.isSet(pointOption)) {
        CreateNewKey(HKEY_CURRENT_USER, QString::fromLatin1(ProgramKey));
        setAllSiteHosts(site.host());
    }
    if (parser.isSet(seedOption)) {
        DataDir = defaultDataDir();
        QDir().mkpath(DataDir);
        CurSetNo = 0;
        if (!QFileInfo::exists(DataDir + QStringLiteral("/Set0.dat"))) {
            const char *const sample[][2] = {{"IBM", "International Business Machines"},
                                             {"ACME", "Acme Corp"},
                                             {"BOLT", "Bolt Industries"}};
            for (int i = 0; i < 3; ++i) {
                Sets[size_t(i)].Symbol = QString::fromLatin1(sample[i][0]);
                Sets[size_t(i)].Name = QString::fromLatin1(sample[i][1]);
            }
            SaveStocks();
        }
    }
    QTextStream(stdout) << site.port() << Qt::endl;
    return app.exec();
}
