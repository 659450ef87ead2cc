#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The first-run dialog: mail and news servers, the user's address, the proxy
// and the dial prompt. Loading it marks the first run as done; closing it
// stores the answers and goes on to the questionnaire.
class NetSetting : public QWidget
{
    Q_OBJECT

public:
    // Creating the form is loading it: Form_Load runs before it is shown.
    explicit NetSetting(QWidget *parent = nullptr);

    // 0 mail server, 1 news server, 2 e-mail address.
    QList<QLineEdit *> txtData;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QCheckBox *chkProxy = nullptr;
    QLineEdit *txtProxy = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *cmdclose = nullptr;

    void init();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Check1_Click();
    void chkProxy_Click();
    void cmdclose_Click();

};

// The one dialog of a run.
NetSetting *netSettingWindow(); // nullptr when not loaded
void ShowNetSetting();          // loads it when needed and shows it modeless
void UnloadNetSetting();        // nothing when it is not loaded
