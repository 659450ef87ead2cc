#pragma once

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// The stock screener window: eight groups of criteria and an industry;
// Query opens the screening site's result page in the browser.
class Scr : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit Scr(QWidget *parent = nullptr);

    // The groups by query key ("book", "analyst", ...), their frames and buttons.
    QHash<QString, QGroupBox *> frames;
    QHash<QString, QList<QRadioButton *>> options;
    QLabel *Label1 = nullptr;
    QListWidget *lstIndestry = nullptr;
    QPushButton *cmdclose = nullptr;
    QPushButton *cmdShow = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdHelp = nullptr;

    // The address the last query opened ("" before any).
    QString lastQuery;

    void cmdShow_Click();
    void cmdReset_Click();
    void cmdHelp_Click();
    void cmdclose_Click();
    // The highlight of a group: every button grey, the chosen one blue.
    void opt_Click(const QString &key, int Index);
    // No effect: kept as the window's public members.
    void ScreenHtml() {}
    QString Update(QString &WebAdd)
    {
        Q_UNUSED(WebAdd);
        return QString();
    }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    int selected(const QString &key) const;
    QPixmap m_tile;
};

Scr *screenerWindow(); // nullptr when not loaded
// Loads the window when needed and shows it modeless: left centred on the
// owner's width, top tickerTop + 700 twips of the owner.
void ShowScr(QWidget *owner, int tickerTopTwips);
void UnloadScr();
