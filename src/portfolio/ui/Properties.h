#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// A small card of one stock of the set: its quote as it was when the card
// was made, an up or down picture, and its two price alerts. Any number
// may be open. OK writes the alerts to the stock with the card's symbol
// in the set shown at that moment and saves the set; a stock no longer in
// the set is said so and nothing is written.
class Properties : public QWidget
{
    Q_OBJECT

public:
    explicit Properties(const QString &symbol, QWidget *parent = nullptr);

    QString symbol;
    QLabel *lblName = nullptr;
    QLabel *lblTime = nullptr;
    QList<QLabel *> lblData;    // 18 values
    QList<QLineEdit *> txtTarget; // 0 low, 1 high
    QLabel *pic1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;
    QPushButton *Command1 = nullptr; // the top strip: small or full size

    void cmdOK_Click();
    void cmdCancel_Click();
    void ToggleMiniSize();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // Esc is Cancel
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void txtTarget_Change(int Index);
    void showMove();
    QString m_shownLimit[2]; // the limits' texts as the card was filled
};

// A new card for the stock (record 0 of the set when it is not there),
// placed on the owner and shown.
Properties *ShowProperties(QWidget *owner, const QString &symbol);
