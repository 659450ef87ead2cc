#include "support/FtpServer.h"

namespace {

const char *const Script = R"(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
authorizer = DummyAuthorizer()
authorizer.add_anonymous(sys.argv[2])
FTPHandler.authorizer = authorizer
FTPServer(("127.0.0.1", int(sys.argv[1])), FTPHandler).serve_forever()
)";

} // namespace

bool FtpServer::start(QString *why)
{
    const QString root = m_root.path();
    return startPython(
        [root](int port) {
            return QStringList{QStringLiteral("-c"), QString::fromLatin1(Script), QString::number(port), root};
        },
        QStringLiteral("python3-pyftpdlib"), why);
}
