#include "platform/SocketControl.h"

#include "platform/Sleep.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {

// The error numbers and texts the program's messages show.
struct ErrorText
{
    int number;
    const char *text;
};

ErrorText errorText(QAbstractSocket::SocketError e)
{
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError: return {10061, "Connection is forcefully rejected"};
    case QAbstractSocket::HostNotFoundError: return {11001, "Authoritative answer: Host not found"};
    case QAbstractSocket::SocketTimeoutError: return {10060, "Connection is aborted due to timeout or other failure"};
    case QAbstractSocket::NetworkError: return {10051, "Network cannot be reached from this host at this time"};
    case QAbstractSocket::SocketAccessError: return {10013, "Permission denied"};
    default: return {10053, "Connection is aborted due to timeout or other failure"};
    }
}

// What the user reads about a connection that failed.
QString readableReason(QAbstractSocket::SocketError e, const QString &host, const QString &fallback)
{
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError: return QStringLiteral("Connection refused by ") + host;
    case QAbstractSocket::HostNotFoundError: return QStringLiteral("Server ") + host + QStringLiteral(" not found");
    case QAbstractSocket::SocketTimeoutError: return QStringLiteral("No answer from ") + host;
    case QAbstractSocket::NetworkError: return host + QStringLiteral(" cannot be reached");
    default: return fallback.isEmpty() ? QStringLiteral("Connection to ") + host + QStringLiteral(" failed") : fallback;
    }
}

} // namespace

SocketControl::SocketControl(QObject *parent) : QObject(parent), m_socket(new QTcpSocket(this))
{
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QAbstractSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) {
        if (m_state == sckError || m_state == sckClosing || m_state == sckClosed)
            return;  // our own state rules once the exchange has ended
        switch (s) {
        case QAbstractSocket::HostLookupState: setState(sckResolvingHost); break;
        case QAbstractSocket::ConnectingState: setState(sckConnecting); break;
        default: break;
        }
    });
    connect(m_socket, &QAbstractSocket::connected, this, [this] {
        setState(sckConnected);
        emit Connected();
    });
    connect(m_socket, &QIODevice::readyRead, this, [this] {
        if (m_socket->bytesAvailable() > 0)
            emit DataArrival(m_socket->bytesAvailable());
    });
    connect(m_socket, &QAbstractSocket::errorOccurred, this, [this] { onError(); });
    connect(m_socket, &QAbstractSocket::disconnected, this, [this] { onDisconnected(); });
}

SocketControl::~SocketControl()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

bool SocketControl::Connect()
{
    if (m_state != sckClosed)
        return false;
    ErrorReason.clear();
    setState(sckConnecting);
    m_socket->connectToHost(RemoteHost, quint16(RemotePort));
    return true;
}

void SocketControl::SendData(const QString &data)
{
    if (m_state == sckConnected)
        m_socket->write(data.toLatin1());
}

void SocketControl::Flush()
{
    m_socket->flush();
}

QString SocketControl::GetData()
{
    return QString::fromLatin1(m_socket->readAll());
}

void SocketControl::Close()
{
    // Closed before the abort: the abort's own disconnect signal must not
    // pass for the server's close (which would store a cut-off reply).
    const bool changed = m_state != sckClosed;
    m_state = sckClosed;
    m_socket->abort();
    if (changed)
        emit stateChanged(sckClosed);
}

QString SocketControl::hangUpText() const
{
    return QStringLiteral("Connection closed by ") + RemoteHost;
}

void SocketControl::setState(int state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void SocketControl::onError()
{
    const auto e = m_socket->error();
    // The server closing its end is the normal end of a reply, not an error.
    if (e == QAbstractSocket::RemoteHostClosedError)
        return;
    if (m_state == sckClosed || m_state == sckError || m_state == sckClosing)
        return;
    const ErrorText t = errorText(e);
    ErrorReason = readableReason(e, RemoteHost, m_socket->errorString());
    setState(sckError);
    emit Error(t.number, QString::fromLatin1(t.text));
}

void SocketControl::onDisconnected()
{
    if (m_state != sckConnected)
        return;
    // Whatever is still buffered arrives before the close.
    if (m_socket->bytesAvailable() > 0)
        emit DataArrival(m_socket->bytesAvailable());
    setState(sckClosing);
    emit CloseEvent();
}

bool SocketControl::waitUntilClosed(int timeoutMs, const std::function<bool()> &stop)
{
    if (m_state == sckClosed)
        return true; // nothing to wait for (a run asks before every exchange)
    QDeadlineTimer deadline(qMax(0, timeoutMs), Qt::PreciseTimer);
    QEventLoop loop;
    QTimer tick;
    // The loop wakes on every state change and at least every few
    // milliseconds to look at the stop condition and the deadline.
    tick.setInterval(10);
    connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &SocketControl::stateChanged, &loop, &QEventLoop::quit);
    tick.start();
    while (m_state != sckClosed) {
        if (m_state == sckError || (stop && stop()) || deadline.hasExpired() || programEnding()) {
            Close();
            return false;
        }
        loop.exec();
    }
    return true;
}
