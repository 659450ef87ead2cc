#pragma once

#include <QString>

// Asked before anything goes on line. True when no question is needed:
// "Prompt" is off (absent, empty or 0) or a connection is active. Otherwise
// asks whether to connect now and answers false, whatever the answer.
bool CheckConnection();

// Offers the system's dial-up (nothing to dial here) and lets events run.
void DialIsp();

// Opens the address in the default browser after CheckConnection, with the
// hourglass pointer while it runs. Only http, https and mailto addresses,
// and files under the program folder, are opened.
void OpenUrl(const QString &url);
