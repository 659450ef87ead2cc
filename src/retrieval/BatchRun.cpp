#include "retrieval/BatchRun.h"

#include "core/ErrorLog.h"
#include "core/MainWindow.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/UpdateGuard.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/SocketControl.h"
#include "platform/TransferControl.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/transport/TransferFetch.h"
#include "services/SmtpClient.h"

#include <QPointer>
#include <QScopeGuard>

short TaskTotal = 0;

namespace {
bool g_runActive = false;
// The feedback mail being sent by the run, which Stop ends.
QPointer<SmtpClient> g_feedbackMail;
// Why the queued feedback did not go this run, and the reason last logged.
QString g_feedbackFailure;
QString g_feedbackLogged;

void panelText(int index, const QString &text)
{
    if (MainWindow *w = mainWindow())
        w->setPanelText(index, text);
}

// A transfer left over from an earlier run is cancelled before anything else.
void cancelTransfer(int timeoutSeconds, const QString &notice)
{
    CurInet = &Inet1();
    CurInet->setRequestTimeout(timeoutSeconds);
    if (CurInet->StillExecuting()) {
        CurInet->Cancel();
        panelText(6, notice);
        DoEvents();
    }
}

// Pages and files the run fetched but could not store (a full disk): each
// in the error log (when it can still be written) and their count said.
void reportFailedStores(QStringList &said)
{
    QList<ErrorRecord> records;
    for (const FailedStore &f : FailedStores)
        records.append({f.why, 0, QString::fromLatin1(ErrSource), QStringLiteral("Store ") + f.file});
    ErrorTrapAll(records);
    const int n = int(FailedStores.size());
    if (n > 0)
        said << (n == 1 ? QStringLiteral("1 page could not be stored")
                        : QStringLiteral("%1 pages could not be stored").arg(n));
    FailedStores.clear();
}

// A run whose pages did not all come says so: the count in the status
// panel and each failure in the error log. A queued feedback mail that
// could not go is said there too, and logged once for the same reason.
void reportFailedFetches()
{
    QStringList said;
    if (!g_feedbackFailure.isEmpty()) {
        if (g_feedbackFailure != g_feedbackLogged)
            ErrorTrap(g_feedbackFailure, 0, QString::fromLatin1(ErrSource), QStringLiteral("Update feedback mail"),
                      false);
        g_feedbackLogged = g_feedbackFailure;
        said << QStringLiteral("Feedback mail not sent (") + g_feedbackFailure + QLatin1Char(')');
        g_feedbackFailure.clear();
    }
    QList<ErrorRecord> records;
    records.reserve(FailedFetches.size());
    for (const FailedFetch &f : FailedFetches)
        records.append({f.why, 0, QString::fromLatin1(ErrSource), QStringLiteral("Update ") + f.url});
    ErrorTrapAll(records);
    const int n = int(FailedFetches.size());
    if (n > 0)
        said << (n == 1 ? QStringLiteral("1 page not fetched") : QStringLiteral("%1 pages not fetched").arg(n));
    FailedFetches.clear();
    reportFailedStores(said);
    if (!said.isEmpty())
        panelText(6, said.join(QStringLiteral(", ")));
}

void closingSteps(BatchView &view)
{
    if (MainWindow *w = mainWindow())
        w->setPanelText(7, QString());
    UpdateSelectedOnly = false;
    StopFlag = true;
    StopUpdate(view);
    reportFailedFetches();
}

// Mails the queued feedback; it stays queued unless the server took it.
void sendQueuedFeedback(const BatchServices &services)
{
    const QString message = QuerySetting(QStringLiteral("Q_Message")).toString();
    if (message.size() <= 2)
        return;
    panelText(6, QStringLiteral("Sending Email.."));
    QString server = QuerySetting(QStringLiteral("EmailServer")).toString();
    if (server.size() < 2) {
        MsgBox(QStringLiteral("Enter mail server in options"), Msg::OKOnly + Msg::Critical,
               QStringLiteral("Missing mail server"));
        panelText(6, QStringLiteral("No Email Server"));
        server = InputBox(QStringLiteral("Please enter your mail server address.\r\nEx.: \"smtp.example.com\""),
                          QStringLiteral("Mail Server"), QString::fromLatin1(ExampleMailServer));
        if (server.size() < 2)
            return;
    }
    QString from = QuerySetting(QStringLiteral("Email")).toString();
    if (from.size() < 2)
        from = QStringLiteral("-");
    const QString failure = services.sendFeedback ? services.sendFeedback(server, from, message)
                                                  : QStringLiteral("No mail sender");
    DoEvents();
    if (!failure.isEmpty()) {
        // It stays queued for the next run; the end of this run says why.
        if (!StopFlag)
            g_feedbackFailure = failure;
        return;
    }
    g_feedbackLogged.clear();
    SaveSetting(QStringLiteral("Q_Message"), QString());
    panelText(6, QStringLiteral("Mail Sent"));
    DoEvents();
}
} // namespace

bool storedBoxTicked(int box)
{
    const Variant v = QuerySetting(QStringLiteral("Update%1").arg(box));
    return v.toString().isEmpty() || !(v == 0);
}

void Panel7(short Task)
{
    panelText(7, QString::number(Task) + QLatin1Char('/') + QString::number(TaskTotal));
}

QString sendFeedbackMail(const QString &server, const QString &fromAddress, const QString &body)
{
    SmtpClient mail;
    g_feedbackMail = &mail;
    const bool sent = mail.SendEmail(server, fromAddress, fromAddress, QStringLiteral("Pellor"),
                                     QString::fromLatin1(FeedbackAddress), QStringLiteral("Brindlewick User Feedback"),
                                     body);
    g_feedbackMail = nullptr;
    return sent ? QString() : mail.LastFailure;
}

void UpdateAll(BatchView &view, const BatchTable &table, const BatchServices &services)
{
    // One run at a time: a press of Update while a stopped run is still
    // passing its last boxes starts nothing.
    // Nor does a program that is ending.
    if (g_runActive || programEnding())
        return;
    g_runActive = true;
    setUpdateRunning(true);
    const auto ended = qScopeGuard([] {
        g_runActive = false;
        setUpdateRunning(false);
    });
    if (!services.checkConnection || !services.checkConnection()) {
        closingSteps(view);
        return;
    }
    cancelTransfer(30, QStringLiteral("Please Wait.."));
    CurInet->setRequestTimeout(90);

    view.setRunningLook(true);
    StopFlag = false;
    FailedFetches.clear();
    RunErrorBoxShown = false;
    FailedStores.clear();

    if (UpdateSelectedOnly && CurSymbol.isEmpty()) {
        MsgBox(QStringLiteral("You have to select one stock."), Msg::OKOnly + Msg::Information,
               QStringLiteral("Select stock and try again"));
        closingSteps(view);
        return;
    }

    sendQueuedFeedback(services);

    // Only boxes that have a routine count, so the counter reaches 0.
    const auto ticked = [&](int box) { return services.boxTicked ? services.boxTicked(box) : storedBoxTicked(box); };
    TaskTotal = 0;
    for (int box = 0; box < BatchBoxCount; ++box)
        if (table[box] && ticked(box))
            ++TaskTotal;
    TasksLeft = TaskTotal;
    Panel7(TasksLeft);
    DoEvents();

    for (int box = 0; box < BatchBoxCount; ++box) {
        if (!table[box] || !ticked(box))
            continue;
        // After Stop no further fetch starts; the counter still counts down.
        if (!StopFlag)
            table[box]();
        --TasksLeft;
        Panel7(TasksLeft);
        DoEvents();
    }
    closingSteps(view);
}

void StopUpdate(BatchView &view)
{
    StopFlag = true;
    if (g_feedbackMail)
        g_feedbackMail->abort();
    cancelTransfer(1, QStringLiteral("Please Wait.."));
    CurInet->setRequestTimeout(1);
    CurInet = nullptr;
    if (WsBusy) {
        Winsock1().Close();
        WsBusy = false;
    }
    view.setRunningLook(false);
    panelText(6, QString());
    if (MainWindow *w = mainWindow())
        w->setCaption(BaseCaption);
    UpdateSelectedOnly = false;
}
