#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QTcpSocket;

// A TCP client socket with the events and state codes the program's socket
// exchanges are written against: set RemoteHost and RemotePort, Connect,
// SendData in the Connect event, GetData in DataArrival, and Close after
// the server's close (CloseEvent) or an error. Text is single-byte: each
// byte is one character. The socket never goes through a proxy.
class SocketControl : public QObject
{
    Q_OBJECT

public:
    enum StateCode {
        sckClosed = 0,
        sckOpen = 1,
        sckListening = 2,
        sckConnectionPending = 3,
        sckResolvingHost = 4,
        sckHostResolved = 5,
        sckConnecting = 6,
        sckConnected = 7,
        sckClosing = 8,  // the server has closed; Close returns to sckClosed
        sckError = 9     // kept until Close
    };

    explicit SocketControl(QObject *parent = nullptr);
    ~SocketControl() override;

    QString RemoteHost;
    int RemotePort = 0;
    // Why the last connection failed, in words a user reads ("Connection
    // refused by 127.0.0.1"); set when Error is raised, "" after Connect.
    QString ErrorReason;

    // Starts connecting to RemoteHost:RemotePort; false (nothing started)
    // unless the socket is closed.
    bool Connect();
    void SendData(const QString &data);
    // Hands what was sent to the system now (before a Close, which drops it).
    void Flush();
    // Everything received and not read yet.
    QString GetData();
    // Drops the connection without raising any event; the state becomes 0.
    void Close();
    int State() const { return m_state; }
    // The words for a server that hung up ("Connection closed by <host>").
    QString hangUpText() const;

    // Lets events run until the socket is closed. Ends early, closing the
    // socket, when it is in the error state, when stop() answers true, or
    // when timeoutMs have passed. True when it ended closed on its own.
    bool waitUntilClosed(int timeoutMs, const std::function<bool()> &stop = {});

signals:
    void Connected();                  // the control's Connect event
    void DataArrival(qint64 bytesTotal);
    void CloseEvent();                 // the server closed the connection
    void Error(int Number, const QString &Description);
    void stateChanged(int state);

private:
    void setState(int state);
    void onError();
    void onDisconnected();

    QTcpSocket *m_socket = nullptr;
    int m_state = sckClosed;
};
