#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

#include <QNetworkReply>

// The page download control: one blocking GET at a time, the reply body
// returned as bytes. The call runs a nested event loop, so the program's
// other events (Stop, timers) go on while it waits.
class TransferControl : public QObject
{
    Q_OBJECT

public:
    // State codes reported through StateChanged.
    enum StateCode {
        icNone = 0,
        icHostResolvingHost = 1,
        icHostResolved = 2,
        icConnecting = 3,
        icConnected = 4,
        icRequesting = 5,
        icRequestSent = 6,
        icReceivingResponse = 7,
        icResponseReceived = 8,
        icDisconnecting = 9,
        icDisconnected = 10,
        icError = 11,
        icResponseCompleted = 12
    };
    // Access types.
    enum { icUseDefault = 0, icDirect = 1, icNamedProxy = 2 };

    explicit TransferControl(QObject *parent = nullptr);
    ~TransferControl() override;

    // 1 direct, 2 through the proxy named in Proxy ("host:port", port 80
    // when left out).
    int AccessType = icDirect;
    QString Proxy;
    // The largest reply taken (far above any real page); a larger one is
    // given up as soon as it shows and OpenURL reports a failure.
    qint64 maxReplyBytes = 8 * 1024 * 1024;

    // Seconds without any progress before a request gives up.
    int RequestTimeout() const { return (m_timeoutMs + 999) / 1000; }
    void setRequestTimeout(int seconds) { m_timeoutMs = qMax(1, seconds) * 1000; }
    // The same in milliseconds (short waits in tests).
    int requestTimeoutMs() const { return m_timeoutMs; }
    void setRequestTimeoutMs(int ms) { m_timeoutMs = qMax(1, ms); }

    // Fetches the address ("http://" is assumed when no scheme is given).
    // nullopt when the request timed out, failed, was cancelled, came back
    // with an error status or larger than maxReplyBytes, or another request
    // is still executing.
    std::optional<QByteArray> OpenURL(const QString &url);

    // Ends the request in progress; its OpenURL then reports a failure.
    void Cancel();
    bool StillExecuting() const { return m_reply != nullptr; }

    // HTTP status of the last finished request (0 when none came).
    int ResponseCode() const { return m_responseCode; }
    // Why the last request failed ("" after a success).
    QString lastError() const { return m_lastError; }

signals:
    void StateChanged(int State);

private:
    QNetworkAccessManager m_nam;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutMs = 60000;
    int m_responseCode = 0;
    QString m_lastError;
    bool m_cancelled = false;
};
