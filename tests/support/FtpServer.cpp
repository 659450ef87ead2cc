#include "support/FtpServer.h"

namespace {

const char *const Script = R"(
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
authorizer = DummyAuthorizer()
authorizer.add_anonymous(sys.argv[1])
FTPHandler.authorizer = authorizer
server = FTPServer(sock, FTPHandler)
ready()
server.serve_forever()
)";

} // namespace

ServerStart FtpServer::start(QString *why)
{
    return startPython(QStringLiteral("pyftpdlib"), QStringLiteral("python3-pyftpdlib"), QLatin1String(Script),
                       {m_root.path()}, why);
}
