#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The one way the program hands an address to the desktop (browser, mail
// program). Only web and mail addresses and files of the program's own
// folder are opened; anything else is refused. Tests install a recorder.
bool isOpenableUrl(const QUrl &url, const QString &ownFolder);

// Opens the address; false when refused or the desktop could not open it.
bool openExternalUrl(const QUrl &url, const QString &ownFolder = QString());

// Replaces the desktop call (an empty function restores it).
void setUrlOpenerHandler(std::function<bool(const QUrl &)> handler);
