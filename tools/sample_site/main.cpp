// Serves the fixture pages on 127.0.0.1 so that Brindlewick can be tried
// without reaching any outside site.
//
//   sample_site [--root DIR] [--port N] [--point-sites]
//
// Prints the port it listens on as one line, then serves until it is ended.
// --point-sites stores 127.0.0.1:<port> as the host of every site role in
// the settings of the current profile (XDG_CONFIG_HOME).

#include "core/Registry.h"
#include "core/Sites.h"
#include "support/site/FixtureSite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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
    parser.addOptions({rootOption, portOption, pointOption});
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
    QTextStream(stdout) << site.port() << Qt::endl;
    return app.exec();
}
