#pragma once

#include "services/ui/MailInFlight.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The send-mail window: server, sender, recipient, subject and body, and
// optionally the error log after the body. Send mails it through the SMTP
// client and closes the window once the server took it; a mail that did
// not go keeps the window and all that was typed.
class frmEmail : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit frmEmail(QWidget *parent = nullptr);

    QLineEdit *txtFromEmail = nullptr;
    QLineEdit *txtFromName = nullptr;
    QLineEdit *txtToEmail = nullptr;
    QLineEdit *txtToName = nullptr;
    QLineEdit *txtSubject = nullptr;
    QPlainTextEdit *txtBody = nullptr;
    QLineEdit *txtServer = nullptr;
    QCheckBox *chkError = nullptr;
    QPushButton *cmdSend = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *StatusTxt = nullptr; // the status bar's first panel

    void cmdSend_Click();
    void cmdclose_Click();

private:
    friend void UnloadEmail();
    void Form_Load();
    MailInFlight m_inFlight;
};

frmEmail *emailWindow(); // nullptr when not loaded
// Loads the window when needed (its load step fills server and sender),
// places it left-centred on owner, top tickerTop + 700 twips, and shows it
// modal, owned by owner. The caller fills fields through emailWindow()
// before or after.
frmEmail *ShowEmail(QWidget *owner, int tickerTopTwips);
void UnloadEmail();
