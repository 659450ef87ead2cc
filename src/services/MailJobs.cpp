#include "services/MailJobs.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/TextHelpers.h"
#include "core/Version.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "services/SmtpClient.h"

QString mailServerOrAsk(const std::function<void(const QString &)> &status, bool tellFirst, int shortest)
{
    const QString stored = QuerySetting(QStringLiteral("EmailServer")).toString();
    if (stored.size() >= 2)
        return stored;
    if (tellFirst) {
        MsgBox(QStringLiteral("Missing mail server"), Msg::OKOnly + Msg::Critical,
               QStringLiteral("Enter mail server in options"));
        if (status)
            status(QStringLiteral("No Email Server"));
    }
    const QString answer = InputBox(QStringLiteral("Please enter your mail server address.\r\nEx.: \"")
                                        + QString::fromLatin1(ExampleSmtpServer) + QLatin1Char('"'),
                                    QStringLiteral("Mail Server"), QString::fromLatin1(ProposedSmtpServer));
    return answer.size() >= shortest ? answer : QString();
}

void SendErrorLog(const std::function<void(const QString &)> &status)
{
    const auto say = [&status](const QString &text) {
        if (status)
            status(text);
    };
    if (!CheckConnection())
        return;
    say(QStringLiteral("Sending Error Log.."));
    const QString log = ReadFile(DataDir + QStringLiteral("\\ErrorLog.txt"));
    if (log.isEmpty()) {
        MsgBox(QStringLiteral("Your Error Log is empty.\r\nClick on 'Start' menu, select 'Email' -> 'Bug Report', and "
                              "report on bug."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Empty Error Log"));
        say(QStringLiteral("Error Log Is Empty"));
        return;
    }
    const bool stored = QuerySetting(QStringLiteral("EmailServer")).toString().size() >= 2;
    const QString server = mailServerOrAsk(say, true);
    if (server.isEmpty())
        return;
    // The prompt said "No Email Server"; with a server given the log is on its way.
    if (!stored)
        say(QStringLiteral("Sending Error Log.."));
    QString address = QuerySetting(QStringLiteral("Email")).toString();
    if (address.size() < 2)
        address = QStringLiteral("-");
    SmtpClient mail;
    const bool sent = mail.SendEmail(server, address, address, QStringLiteral("Pellor"),
                                     QString::fromLatin1(SupportAddress), QStringLiteral("Brindlewick User Error Log"), log);
    DoEvents();
    say(sent ? QStringLiteral("Error Log Sent") : QStringLiteral("Error Log Not Sent"));
    if (!sent)
        MsgBox(mail.LastFailure, Msg::OKOnly + Msg::Information);
    DoEvents();
}
