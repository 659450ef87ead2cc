#include "platform/TransferControl.h"

#include "platform/Sleep.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {

QNetworkProxy proxyFor(int accessType, const QString &proxyText)
{
    QString text = proxyText.trimmed();
    if (accessType != TransferControl::icNamedProxy || text.isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    if (text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        text = text.mid(7);
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    quint16 port = 80;
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const uint p = text.mid(colon + 1).toUInt(&ok);
        if (ok && p > 0 && p < 65536)
            port = quint16(p);
        text.truncate(colon);
    }
    return QNetworkProxy(QNetworkProxy::HttpProxy, text, port);
}

} // namespace

TransferControl::TransferControl(QObject *parent) : QObject(parent)
{
    // Redirects are followed as a browser would; nothing is cached between requests.
    m_nam.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    m_nam.setParent(this); // its replies are the control's children while they live
}

TransferControl::~TransferControl()
{
    if (m_reply)
        m_reply->abort();
}

std::optional<QByteArray> TransferControl::OpenURL(const QString &url)
{
    if (m_reply)
        return std::nullopt;  // one request at a time, as the control allows

    QString address = url.trimmed();
    m_lastError = QStringLiteral("not a web address");
    if (address.isEmpty())
        return std::nullopt;
    if (!address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    const QUrl target(address);
    if (!target.isValid() || target.host().isEmpty())
        return std::nullopt;

    m_nam.setProxy(proxyFor(AccessType, Proxy));
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    m_cancelled = false;
    m_responseCode = 0;
    bool timedOut = false;
    bool receiving = false;

    QEventLoop loop;
    QTimer timer;
    // A coarse timer may fire early by several percent; the limit is a promise.
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);

    emit StateChanged(icConnecting);
    QNetworkReply *reply = m_nam.get(request);
    m_reply = reply;

    connect(&timer, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::requestSent, this, [&] {
        emit StateChanged(icConnected);
        emit StateChanged(icRequesting);
        emit StateChanged(icRequestSent);
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [&] {
        timer.start(m_timeoutMs);
        if (!receiving) {
            receiving = true;
            emit StateChanged(icReceivingResponse);
        }
    });
    bool tooLarge = false;
    connect(reply, &QNetworkReply::downloadProgress, &timer, [&](qint64 received, qint64 total) {
        timer.start(m_timeoutMs);
        // A reply larger than any page is given up as soon as it shows.
        if (maxReplyBytes > 0 && (received > maxReplyBytes || total > maxReplyBytes) && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    timer.start(m_timeoutMs);
    if (!reply->isFinished() && !programEnding())
        loop.exec();
    timer.stop();
    // A loop that returned before the reply finished (the program is
    // ending) gives the transfer up: a part of a page is never a page.
    if (!reply->isFinished()) {
        m_cancelled = true;
        reply->abort();
    }

    m_reply = nullptr;
    m_responseCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = !timedOut && !tooLarge && !m_cancelled && reply->error() == QNetworkReply::NoError;
    m_lastError = ok         ? QString()
                  : timedOut ? QStringLiteral("no answer in time")
                  : tooLarge ? QStringLiteral("reply larger than %1 MB: not stored").arg(maxReplyBytes >> 20)
                             : reply->errorString();
    QByteArray body;
    if (ok && reply->isOpen())
        body = reply->readAll();
    reply->disconnect(this);
    // Freed now, not when the handler that asked returns: an update run asks
    // for thousands of pages inside one click.
    delete reply;

    if (m_cancelled)
        return std::nullopt;  // the canceller knows; no state is reported
    if (!ok) {
        emit StateChanged(icError);
        return std::nullopt;
    }
    emit StateChanged(icResponseReceived);
    emit StateChanged(icDisconnecting);
    emit StateChanged(icDisconnected);
    emit StateChanged(icResponseCompleted);
    return body;
}

void TransferControl::Cancel()
{
    if (!m_reply)
        return;
    m_cancelled = true;
    m_reply->abort();
}
