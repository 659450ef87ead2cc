#pragma once

#include <QWidget>

class QLabel;

// The upgrade window: tells the user that a newer version of Brindlewick
// exists. The version check opens it modeless and hands nothing over.
class frmUpgrade : public QWidget
{
    Q_OBJECT

public:
    explicit frmUpgrade(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
};

// The one upgrade window of a run.
frmUpgrade *upgradeWindow(); // nullptr when not loaded
void ShowUpgrade();          // loads it when needed and shows it modeless
void UnloadUpgrade();        // nothing when it is not loaded
