#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

// The purchase, sale and edit window. Its opener says what it records:
// a purchase of a symbol, a sale from one purchase (never more than that
// purchase still holds), or new values for one trade. A trade the
// portfolio refuses keeps the window open and says why.
struct PurchaseRequest
{
    enum Mode { NewStock, Sell, Edit } mode = NewStock;
    QString symbol;
    qint16 lotRef = 0;    // the purchase a sale sells from
    int lotShares = 0;    // what it still holds
    qint16 editIndex = 0; // Edit: the trade's entry, whose record fills the window
};

class frmPurchace : public QDialog
{
    Q_OBJECT

public:
    explicit frmPurchace(const PurchaseRequest &request, QWidget *parent = nullptr);

    QList<QLabel *> lbl; // 0 date, 1 quantity, 2 price, 3 commission, 4 total, 5-8 symbol rows
    QLabel *lblSymbol = nullptr;
    QLabel *lblName = nullptr;
    QLabel *lblCurrent = nullptr;
    QLabel *lblID = nullptr;
    QLabel *lblTotal = nullptr;
    QLineEdit *txtDate = nullptr;
    QLineEdit *txtShares = nullptr;
    QLineEdit *txtPrice = nullptr;
    QLineEdit *txtComm = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void txtShares_Change();
    PurchaseRequest m_request;
    QString m_marketPrice;
};

frmPurchace *purchaseWindow(); // nullptr when not open
// Opens the window for the request, modal, placed on the owner below its
// ticker (tickerTopTwips).
void ShowPurchase(QWidget *owner, int tickerTopTwips, const PurchaseRequest &request);

// The purchases of symbol that still hold shares: their entries in Port.
// A sale counts only against a purchase of its own symbol.
QList<int> openLots(const QString &symbol);
