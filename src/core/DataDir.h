#pragma once

#include <QString>

// The program folder: prefix of every record file, cache, report and log
// path. Here it is the user's data folder ("<data>/Pellor/Brindlewick5"),
// written without a trailing separator.
extern QString DataDir;

QString defaultDataDir();

// Sets DataDir to the user's data folder and creates it when missing.
void InitDataDir();
