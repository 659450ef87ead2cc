#pragma once

#include <functional>

// Start-up passes through windows of several folders (the network settings
// form, the questionnaire, the main window). The lower ones open the main
// window through this hook, which the program installs at start.
void setMainFormOpener(std::function<void()> opener);
// Shows the main window (created and loaded on first use); nothing when no
// opener is installed.
void ShowMainForm();
