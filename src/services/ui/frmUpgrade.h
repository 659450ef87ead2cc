#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class FtpDownload;
class QLabel;
class QPlainTextEdit;
class QTimer;

// The upgrade window: tells the user that a newer version of Brindlewick
// exists, and offers the upgrade archive from the maker's FTP server, the
// product page and its download section, or the way back to the settings
// window. "Start Download" opens disabled, as the window was designed.
class frmUpgrade : public QWidget
{
    Q_OBJECT

public:
    explicit frmUpgrade(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QList<QLabel *> lblNav; // Start Download, Get More Information, Take Me To Download Area, Close
    QPlainTextEdit *Text1 = nullptr; // every command sent
    QLabel *Label2 = nullptr;        // transfer rate
    QLabel *Label3 = nullptr;        // time left
    QTimer *Timer1 = nullptr;
    FtpDownload *ftp = nullptr;

    // What "Close" shows after the window has gone (the settings window).
    std::function<void()> backToSettings;

    void lblNav_Click(int Index);
    void StartDownload();
    void CloseUpgrade();
    void Timer1_Timer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void downloadEnded(bool complete, const QString &why);
    qint64 m_bytesAtLastTick = 0;
    bool m_hourglass = false;
};

// Plain decimal text: up to 15 significant digits, no zero before the
// point of a value between -1 and 1 (".5").
QString plainNumber(double value);

// The one upgrade window of a run.
frmUpgrade *upgradeWindow(); // nullptr when not loaded
// Loads it when needed and shows it modeless; backToSettings is what its
// "Close" opens afterwards.
void ShowUpgrade(std::function<void()> backToSettings = {});
void UnloadUpgrade();        // nothing when it is not loaded
