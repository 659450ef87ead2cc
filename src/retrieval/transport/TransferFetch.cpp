#include "retrieval/transport/TransferFetch.h"

#include "core/MainWindow.h"
#include "core/Registry.h"
#include "platform/Latin1File.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "platform/TransferControl.h"
#include "retrieval/transport/RunState.h"

#include <QCoreApplication>
#include <QPointer>

TransferControl *CurInet = nullptr;

TransferControl &Inet1()
{
    static QPointer<TransferControl> control;
    if (!control) {
        // Owned by the application so that it goes before the event system does.
        control = new TransferControl(QCoreApplication::instance());
        QObject::connect(control, &TransferControl::StateChanged, control,
                         [](int state) { Inet1_StateChanged(short(state)); });
    }
    return *control;
}

void ApplyStoredProxy()
{
    Inet1().AccessType = QuerySetting(QStringLiteral("ProxyE")) == 1 ? TransferControl::icNamedProxy
                                                                     : TransferControl::icDirect;
    Inet1().Proxy = QuerySetting(QStringLiteral("Proxy")).toString();
}

void GetUrlToFile(const QString &File, const QString &Url, const QString &Status)
{
    GetUrlToPage(File, Url, Status, 0);
}

bool GetUrlToPage(const QString &File, const QString &Url, const QString &Status, qint64 minBytes)
{
    if (MainWindow *w = mainWindow())
        w->setCaption(Status);
    if (StopFlag || !CurInet)
        return false;
    const std::optional<QByteArray> bytes = CurInet->OpenURL(Url);
    if (!bytes || bytes->isEmpty()) {
        // A Stop is no failure of the page.
        if (!StopFlag && CurInet)
            noteFailedFetch(Url, !bytes ? CurInet->lastError() : QStringLiteral("empty reply"));
        return false;
    }
    bool written = false;
    if (bytes->size() >= minBytes) {
        QString why;
        written = savePageFile(File, *bytes, &why);
        if (!written)
            noteFailedStore(File, why);
    }
    DoEvents();
    return written;
}

QString transferStateText(int State)
{
    switch (State) {
    case TransferControl::icConnecting: return QStringLiteral("Connecting...");
    case TransferControl::icConnected: return QStringLiteral("connected");
    case TransferControl::icRequesting: return QStringLiteral("request Data");
    case TransferControl::icReceivingResponse: return QStringLiteral("Downloading Data...");
    case TransferControl::icDisconnecting: return QStringLiteral("Disconnecting...");
    case TransferControl::icDisconnected: return QStringLiteral("Disconnected from the host.");
    case TransferControl::icError: return QStringLiteral("An error occurred in communicating.");
    case TransferControl::icResponseCompleted:
        return QStringLiteral("The request has completed and all data has been received.");
    default: return QString();
    }
}

void Inet1_StateChanged(short State)
{
    MainWindow *w = mainWindow();
    // The actions come first and the panel text last, so that a run ended
    // here still shows why.
    switch (State) {
    case TransferControl::icReceivingResponse:
        DoEvents();
        break;
    case TransferControl::icDisconnecting:
        if (w)
            w->setCaption(BaseCaption);
        break;
    case TransferControl::icError:
        if (w)
            w->setCaption(BaseCaption);
        if (TasksLeft == 0) {
            if (w)
                w->endBatchRun();
            setScreenMousePointer(0);
            DoEvents();
        }
        break;
    case TransferControl::icResponseCompleted:
        if (TasksLeft == 0) {
            if (w)
                w->endBatchRun();
            setScreenMousePointer(0);
        }
        break;
    default:
        break;
    }
    if ((w = mainWindow()))
        w->setPanelText(6, transferStateText(State));
}
