#pragma once

#include <QString>

// The program's help: short pages of its own, written into the program
// folder's "help" folder and opened in the browser at a topic's page.
// Topics are the help context numbers the menus pass (1001 Documentation,
// 1002 settings, 1004 stock screen, 1006 stock groups, 1007 adviser, 1008 support, 1010 full adviser service, 1009 keys, 1011 how-to, 1012 getting started, 1013 references).
QString helpPagePath(int contextId, const QString &programFolder);

// Writes the pages (when missing or changed) and opens the topic; false
// when the topic has no page or nothing could open it.
bool OpenHelpTopic(int contextId, const QString &programFolder);
