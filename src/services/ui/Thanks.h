#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The feedback message last queued by the questionnaire; the same text as
// the setting "Q_Message" after SendData has stored it.
extern QString QueuedMail;

// The questionnaire shown after the first-run settings and from the mail
// menu. It sends nothing itself: its answers are queued in "Q_Message" for
// the next batch update to mail. Closing it opens the main window.
class Thanks : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit Thanks(QWidget *parent = nullptr);

    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    std::array<QFrame *, 2> Line1{};
    QLabel *Label1 = nullptr;
    QComboBox *cboGroup = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cboGender = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cboCountry = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtZip = nullptr;
    std::array<QLabel *, 4> Label5{}; // indexes 0, 1 and 3
    QComboBox *cboPar = nullptr;
    QComboBox *cboWhere = nullptr;
    QLineEdit *Text1 = nullptr;
    QPlainTextEdit *txtComments = nullptr;
    QLabel *Label6 = nullptr;
    QPlainTextEdit *Text2 = nullptr;
    QCheckBox *chkPrompt = nullptr;
    QPushButton *cmdClose = nullptr;

    // Queues the answers as the feedback message, unless none of gender,
    // country and comments was given or no mail server is known.
    void SendData();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void keepQuestionsWhole();
    void chkPrompt_Click();
    void cmdclose_Click();

};

// The one questionnaire window of a run.
Thanks *thanksWindow(); // nullptr when not loaded
void ShowThanks();      // loads it when needed and shows it modeless
void UnloadThanks();    // nothing when it is not loaded
