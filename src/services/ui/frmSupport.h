#pragma once

#include "services/ui/MailInFlight.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// The technical support request: who, which system, which connection, the
// error seen and a description; Submit mails it (with the error log when
// ticked) to the maker's support address and closes the window. A request
// that could not go keeps the window and what was typed, and says so.
class frmSupport : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit frmSupport(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QList<QLabel *> lbl1;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtEmail = nullptr;
    QComboBox *cboSystem = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QList<QRadioButton *> optConnect;
    QList<QRadioButton *> optProxy;
    QList<QRadioButton *> optError;
    QPlainTextEdit *txtError = nullptr;
    QPlainTextEdit *txtDesc = nullptr;
    QCheckBox *chkError = nullptr;
    QList<QLabel *> Panel1; // Exit, Submit, Reset
    QFrame *Shape1 = nullptr;

    QString ConnectAnswer;
    QString ProxyAnswer;
    QString ErrorAnswer;

    void Panel1_Click(int Index);
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Reset();
    void optConnect_Click(int Index);
    void optProxy_Click(int Index);
    void optError_Click(int Index);
    // The request as it is mailed.
    QString requestText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    friend void UnloadSupport();
    void Form_Load();
    void SendData();
    void CloseSupport();
    void Panel1_MouseMove(int Index);
    MailInFlight m_inFlight;
};

frmSupport *supportWindow(); // nullptr when not loaded
// Loads the window when needed, places it left-centred on owner at
// tickerTop twips, and shows it modal, owned by owner.
void ShowSupport(QWidget *owner, int tickerTopTwips);
void UnloadSupport();
