#include "retrieval/transport/SocketFetch.h"

#include "core/MainWindow.h"
#include "core/UpdateGuard.h"
#include "platform/Dialogs.h"
#include "platform/Latin1File.h"
#include "platform/SocketControl.h"
#include "retrieval/transport/RunState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QUrl>

#include <utility>

QString WsUrl;
QString WsFile;
QString WsBuffer;
bool WsBusy = false;

namespace {

int g_waitTimeoutMs = 90000;
// The size rule of the page being fetched, and whether it was written.
qint64 g_minBytes = 0;
bool g_written = false;

// When the headers promise a body longer than what came (the server
// closed in the middle of the page): what happened, in words; "" otherwise.
QString cutShort(const QString &reply)
{
    const int headEnd = reply.indexOf(QLatin1String("\r\n\r\n"));
    if (headEnd < 0)
        return QString();
    static const QRegularExpression lengthLine(QStringLiteral("(?:^|\\r\\n)content-length:[ \\t]*(\\d+)"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = lengthLine.match(reply.left(headEnd));
    if (!m.hasMatch())
        return QString();
    const qint64 promised = m.captured(1).toLongLong();
    const qint64 came = reply.size() - (headEnd + 4);
    if (came >= promised)
        return QString();
    return QStringLiteral("reply cut short: the server closed after %1 of %2 bytes").arg(came).arg(promised);
}

// "HTTP/1.x 200 ..." on the first line: anything else is an error page.
bool statusOk(const QString &reply)
{
    static const QRegularExpression statusLine(QStringLiteral("^HTTP/\\d+\\.\\d+[ \\t]+200(?:[ \\t\\r\\n]|$)"));
    return statusLine.match(reply).hasMatch();
}

} // namespace

SocketControl &Winsock1()
{
    static QPointer<SocketControl> control;
    if (!control) {
        control = new SocketControl(QCoreApplication::instance());
        QObject::connect(control, &SocketControl::Connected, control, [] { Winsock1_Connect(); });
        QObject::connect(control, &SocketControl::DataArrival, control,
                         [](qint64 n) { Winsock1_DataArrival(long(n)); });
        QObject::connect(control, &SocketControl::CloseEvent, control, [] { Winsock1_Close(); });
        QObject::connect(control, &SocketControl::Error, control,
                         [](int number, const QString &text) { Winsock1_Error(number, text); });
    }
    return *control;
}

int winsockWaitTimeout()
{
    return g_waitTimeoutMs;
}

void setWinsockWaitTimeout(int ms)
{
    g_waitTimeoutMs = qMax(1, ms);
}

void WinsockWait()
{
    const bool stoppedAtStart = StopFlag;
    const bool closed = Winsock1().waitUntilClosed(g_waitTimeoutMs, [stoppedAtStart] {
        return !stoppedAtStart && StopFlag;
    });
    if (!closed) {
        WsBusy = false;  // the exchange was given up; nothing is written
        if (!StopFlag)
            noteFailedFetch(WsUrl, QStringLiteral("no answer"));
    }
}

QString httpRequestFor(const QString &url)
{
    return QStringLiteral("GET ") + url + QStringLiteral(" HTTP/1.0\r\nAccept: */*\r\nAccept: text/html\r\n\r\n");
}

bool SocketFetchPage(const QString &File, const QString &Url, const QString &Status, qint64 minBytes)
{
    g_minBytes = minBytes;
    g_written = false;
    SocketFetch(File, Url, Status);
    g_minBytes = 0;
    return std::exchange(g_written, false);
}

void SocketFetch(const QString &File, const QString &Url, const QString &Status)
{
    WinsockWait();
    WsFile = File;
    WsUrl = Url;
    if (MainWindow *w = mainWindow())
        w->setCaption(Status);
    const QUrl url(Url);
    SocketControl &ws = Winsock1();
    ws.RemoteHost = url.host();
    ws.RemotePort = url.port(80);
    ws.Connect();
    WinsockWait();
}

void Winsock1_Connect()
{
    WsBusy = true;
    WsBuffer.clear();
    Winsock1().SendData(httpRequestFor(WsUrl));
}

void Winsock1_DataArrival(long)
{
    WsBuffer += Winsock1().GetData();
    // A reply larger than any page is given up at once: nothing of it is kept.
    if (WsBuffer.size() > MaxReplyBytes) {
        WsBuffer.clear();
        noteFailedFetch(WsUrl, QStringLiteral("reply larger than %1 MB: not stored").arg(MaxReplyBytes >> 20));
        WsBusy = false;
        Winsock1().Close();
    }
}

void Winsock1_Close()
{
    // Only a whole 200 reply replaces the cached page: a server that hung
    // up without a word, cut the page short or answered with an error page
    // leaves the cached one as it was.
    const QString cut = WsBuffer.isEmpty() ? QString() : cutShort(WsBuffer);
    if (!WsBuffer.isEmpty() && statusOk(WsBuffer) && cut.isEmpty()) {
        // A reply below the page's size rule is an error page: not written.
        if (WsBuffer.size() + 2 >= g_minBytes) {
            QString why;
            // The reply as it came and a line end, laid out once.
            QByteArray page(WsBuffer.size() + 2, Qt::Uninitialized);
            toLatin1At(WsBuffer, WsBuffer.size(), page.data());
            page[page.size() - 2] = '\r';
            page[page.size() - 1] = '\n';
            g_written = savePageFile(WsFile, page, &why);
            if (!g_written)
                noteFailedStore(WsFile, why);
        }
    } else
        noteFailedFetch(WsUrl, WsBuffer.isEmpty() ? QStringLiteral("no reply")
                               : !cut.isEmpty()    ? cut
                                                   : WsBuffer.section(QStringLiteral("\r\n"), 0, 0).left(80));
    WsBusy = false;
    Winsock1().Close();
}

void Winsock1_Error(int, const QString &Description)
{
    noteFailedFetch(WsUrl, Description);
    const QString text = QStringLiteral("Error ") + Description;
    // In a run the first failure asks; the rest are counted and said at its end.
    if (updateRunning() && RunErrorBoxShown) {
        if (MainWindow *w = mainWindow())
            w->setPanelText(6, text);
        return;
    }
    if (updateRunning())
        RunErrorBoxShown = true;
    MsgBox(text, Msg::OKOnly);
}

void resetSocketFetch()
{
    Winsock1().Close();
    WsUrl.clear();
    WsFile.clear();
    WsBuffer.clear();
    WsBusy = false;
    g_waitTimeoutMs = 90000;
}
