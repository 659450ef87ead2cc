#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The adviser window: the weekly tip cut from the stored reply, a box
// that mirrors the batch update's "Weekly adviser service" box, a button
// that fetches the tip now and two help topics. Loaded afresh each time
// it is shown; modal, owned by the main window.
class frmAdviser : public QWidget
{
    Q_OBJECT

public:
    // The settings window's "Weekly adviser service" box, as the main
    // window hands it over (loading the settings window hidden when needed).
    struct ServiceBox
    {
        std::function<bool()> ticked;
        std::function<void(bool)> setTicked;
    };

    explicit frmAdviser(const ServiceBox &box, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPlainTextEdit *txtTip = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *cmdClose = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdFull = nullptr;
    QLabel *lblInfo = nullptr;
    QPushButton *cmdHelp = nullptr;

    void init();
    void Check1_Click();
    void cmdUpdate_Click();
    void cmdclose_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override; // Esc is Close

private:
    ServiceBox m_box;
};

frmAdviser *adviserWindow(); // nullptr when not loaded
// Loads the window afresh, places it (centred on the owner, its top at
// tickerTopTwips in the owner) and shows it modal.
void ShowAdviser(QWidget *owner, int tickerTopTwips, const frmAdviser::ServiceBox &box);
void UnloadAdviser();
