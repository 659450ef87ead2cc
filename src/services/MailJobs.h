#pragma once

#include <QString>

#include <functional>

// The mails the program sends without a composing window: the error log
// to the maker, and the mail server asked for when none is set.

// The stored mail server ("EmailServer"); when it is shorter than two
// characters the user is told and asked for one (status shows "No Email
// Server" meanwhile). "" when the user gives none or an answer shorter
// than shortest characters.
QString mailServerOrAsk(const std::function<void(const QString &)> &status, bool tellFirst, int shortest = 2);

// Mails "ErrorLog.txt" whole to the support address, showing its progress
// through status: "Sending Error Log.." while it goes, then "Error Log
// Sent" only when the server took it ("Error Log Not Sent" and a box
// saying why when not, "Error Log Is Empty" for an empty log, "No Email
// Server" when no server was given).
void SendErrorLog(const std::function<void(const QString &)> &status);

// The example and proposed mail servers of the prompts.
inline constexpr const char *ExampleSmtpServer = "smtp.example.com";
inline constexpr const char *ProposedSmtpServer = "mail.example.com";
