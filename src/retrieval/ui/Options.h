#pragma once

#include "retrieval/BatchRun.h"
#include "retrieval/OptionsSettings.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class ClickLabel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class SocketControl;
class VersionCheck;

// The settings dialog: the 89 update boxes of the batch run on four pages,
// the voice, the network settings and the general options. Some settings
// are stored the moment they change, the rest by OK. One instance exists;
// the batch run reads its boxes, loading it hidden when it is not open.
class Options : public QDialog
{
    Q_OBJECT

public:
    // Creating the form is loading it: Form_Load runs before it is shown.
    explicit Options(QWidget *parent = nullptr);
    ~Options() override;

    // Fills the voice list once, the stored "VoiceMode" chosen.
    void fillVoices();

    std::array<ClickLabel *, OptionsPageCount> lblNav{};
    std::array<QGroupBox *, OptionsPageCount> Frm{};
    std::array<QCheckBox *, BatchBoxCount> chkUpdate{};
    std::array<QPushButton *, SelectButtonCount> cmdSelect{};
    std::array<ClickLabel *, 3> lblExc{};  // 0 AMEX, 1 NYSE, 2 NASDAQ
    std::array<QCheckBox *, 2> ChkNumeric{};  // 0 fractions, 1 volume
    QCheckBox *chkShutDown = nullptr;
    QPushButton *cmdUpgrade = nullptr;
    QComboBox *cobSqd = nullptr;
    QComboBox *cobStyle = nullptr;
    QLineEdit *Text1 = nullptr;  // splash delay
    QLineEdit *Text2 = nullptr;  // screen saver delay
    QPushButton *cmdEmpty = nullptr;
    QCheckBox *chkPrompt = nullptr;
    QLineEdit *txtEmailAddress = nullptr;
    QLineEdit *txtEmailServ = nullptr;
    QLineEdit *txtNewsServ = nullptr;
    QCheckBox *chkProxy = nullptr;
    QLineEdit *txtProxy = nullptr;
    QComboBox *cobVoice = nullptr;
    QPushButton *cmd_OK = nullptr;
    QPushButton *cmd_cancel = nullptr;
    QPushButton *cmdHelp = nullptr;
    QLabel *lblInfo = nullptr;

    short CurPage = 0;
    short ExcFlag = 0;

    // The form's own socket, used by the version check.
    SocketControl &Winsock1();

    void lblNav_Click(int Index);

    // Handlers, public so that the program's tests can run them as events do.
    void Text1_LostFocus();
    void Text2_LostFocus();
    void txtProxy_LostFocus();
    void lblExc_Click(int Index);
    void cmdSelect_Click(int Index);
    void cmd_OK_Click();
    void cmd_cancel_Click();
    void cmdEmpty_Click();
    void cmdUpgrade_Click();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void reject() override;

private:
    void buildPages();
    void Form_Load();
    bool CheckUpdateSelection();
    void chkPrompt_Click();
    void chkShutDown_Click();
    void chkProxy_Click();
    void cobSqd_Click();
    void cobStyle_Click();
    void cobVoice_Click();
    void cmdHelp_Click();
    void hoverCheckBox(QCheckBox *box);
    void closeForm();

    QStackedWidget *m_pages = nullptr;
    QList<QCheckBox *> m_checkBoxes;
    QCheckBox *m_blueBox = nullptr;
    bool m_voicesFilled = false;
    std::shared_ptr<VersionCheck> m_version;
};

// The one settings form of a run.
Options *optionsWindow();  // nullptr when not loaded
Options &LoadOptions();    // loads it (hidden) when it is not loaded
void UnloadOptions();      // nothing when it is not loaded

// Opens the settings form modal over owner: Left = owner's width / 2 - the
// form's width / 2, Top = tickerTop + 700 (twips, as screen positions). A
// page of 0 to 6 is shown; -1 keeps the form's own page (the stored
// "FrmNav" when it loads). Returns when the form is closed.
void ShowOptions(QWidget *owner, int tickerTop, int page = -1);

// Whether update box 0..88 is ticked now, as the batch run reads it: through
// the form, which is loaded hidden when it is not loaded.
bool OptionsBoxTicked(int box);

// Installed by the main window: runs its update timer exactly when the
// argument is true (the interval chosen is not "Manually").
void setUpdateTimerHook(std::function<void(bool)> hook);
// Installed by the main window: reloads the bar skin of its symbol column
// (LoadBarSkin with its boxes). Without it only the skin's names follow.
void setBarSkinHook(std::function<void()> hook);
