#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;

// The start-up window: the product's name and version, a clickable
// copyright line (the maker's home page), a mail link and the progress bar
// that start-up moves at fixed steps.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    QLabel *Image2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblEmail = nullptr;
    QProgressBar *pb1 = nullptr;
    // Shown as the About window: it stays until its picture is clicked.
    bool AboutBox = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void Image2_Click();
    void Label2_MouseDown();
    void lblEmail_Click();
};

// Starts drawing the splash's picture on a worker thread, for the next
// splash made to take; the application object must live until the splash
// takes it or UnloadSplash drops it.
void PrepareSplash();
// The one splash window of a run.
frmSplash *splashWindow(); // nullptr when not loaded
// Creates it without showing it; it reads no file and no setting.
void LoadSplash();
void ShowSplash();         // creates it, shows it modeless and paints it
// The About window: the splash shown modal over owner; the main window's
// activation does not close it (UnloadStartupSplash leaves it).
void ShowAbout(QWidget *owner);
// The start-up splash goes; an About window stays.
void UnloadStartupSplash();
void UnloadSplash();       // nothing when it is not loaded (a picture drawn ahead is dropped)

// Moves the progress bar (when the splash is loaded) and tells the observer.
void SetSplashBar(double value);
void setSplashBarObserver(std::function<void(double)> observer);
