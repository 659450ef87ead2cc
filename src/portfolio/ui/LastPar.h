#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// The chooser of the purchase a sale sells from: the purchases of the
// symbol that still hold shares; OK opens the sale for the one chosen, and
// waits (with Enter) until a row is chosen.
class LastPar : public QDialog
{
    Q_OBJECT

public:
    // chosenRef, when not -1, is the purchase shown chosen at opening.
    LastPar(const QString &symbol, int tickerTopTwips, qint16 chosenRef = -1, QWidget *parent = nullptr);

    QTableWidget *FG = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOK_Click();

private:
    QString m_symbol;
    int m_tickerTop = 0;
};

LastPar *lotChooser(); // nullptr when not open
void ShowLotChooser(QWidget *owner, int tickerTopTwips, const QString &symbol, qint16 chosenRef = -1);
