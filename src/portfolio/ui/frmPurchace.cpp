#include "portfolio/ui/frmPurchace.h"

#include "core/Portfolio.h"
#include "core/Stocks.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "portfolio/TradeNumbers.h"
#include "portfolio/Trades.h"
#include "sheets/market/PriceSheet.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

QPointer<frmPurchace> g_purchase;

QString today()
{
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

// A count of shares the user may still be typing: OK waits while the field
// is empty or holds a number of no shares; any other text is judged on OK.
bool sharesWanted(const QString &text)
{
    bool number = false;
    const double v = text.trimmed().toDouble(&number);
    return !text.trimmed().isEmpty() && !(number && v <= 0);
}

// The stock's price as the sheets show it, exactly: its fraction while
// fractions are shown ("45 3/8"), else every decimal (45.375, never 45.38).
QString offeredPrice(const QString &symbol)
{
    const short k = StockIndex(symbol);
    if (k < 0)
        return GetPriceText(symbol);
    const QString stored = Sets[size_t(k)].LastSale.trimmed();
    const QString exact = exactPriceText(stored);
    if (exact.isEmpty())
        return GetPriceText(symbol);
    return stored.contains(QLatin1Char('/')) && shownPrice(stored) == Sets[size_t(k)].LastSale ? stored : exact;
}

bool wholeNumber(const QString &text, double *value)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    *value = text.trimmed().toDouble();
    return digits.match(text.trimmed()).hasMatch();
}

} // namespace

QList<int> openLots(const QString &symbol)
{
    QList<int> lots;
    for (int i = 0; i < PortSize; ++i)
        if (Port[i].Symbol == symbol && Port[i].Action == QLatin1String("Buy") && SharesHeld(symbol, Port[i].RefId) > 0)
            lots << i;
    return lots;
}

frmPurchace::frmPurchace(const PurchaseRequest &request, QWidget *parent) : QDialog(parent), m_request(request)
{
    setObjectName(QStringLiteral("frmPurchace"));
    setWindowTitle(QStringLiteral("Buy Stock"));
    setAttribute(Qt::WA_DeleteOnClose);
    const char *const captions[] = {"Purchase Date:", "Quantity:", "Purchase Price:", "Trade Commission:", "Total Price:",
                                    "Symbol:", "Name:", "Current Price:", "ID:"};
    for (const char *c : captions)
        lbl << new QLabel(QString::fromLatin1(c), this);
    lblSymbol = new QLabel(QStringLiteral("-"), this);
    lblName = new QLabel(QStringLiteral("-"), this);
    lblCurrent = new QLabel(QStringLiteral("-"), this);
    lblID = new QLabel(QStringLiteral("-"), this);
    lblTotal = new QLabel(QStringLiteral("---"), this);
    txtDate = new QLineEdit(this);
    txtDate->setToolTip(QStringLiteral("Enter The Parchase Date"));
    txtShares = new QLineEdit(QStringLiteral("0"), this);
    txtShares->setToolTip(QStringLiteral("Shares Quantity"));
    txtPrice = new QLineEdit(QStringLiteral("0"), this);
    txtPrice->setToolTip(QStringLiteral("Cost"));
    txtComm = new QLineEdit(QStringLiteral("0"), this);
    txtComm->setToolTip(QStringLiteral("Commission"));
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setToolTip(QStringLiteral("Confirm"));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setToolTip(QStringLiteral("Cancel Operation And Close Window"));

    auto *symbolBox = new QGroupBox(QStringLiteral("Symbol Information"), this);
    auto *symbolRows = new QFormLayout(symbolBox);
    symbolRows->addRow(lbl[5], lblSymbol);
    symbolRows->addRow(lbl[6], lblName);
    symbolRows->addRow(lbl[7], lblCurrent);
    symbolRows->addRow(lbl[8], lblID);
    auto *tradeBox = new QGroupBox(QStringLiteral("Purchase Information"), this);
    auto *tradeRows = new QFormLayout(tradeBox);
    tradeRows->addRow(lbl[0], txtDate);
    tradeRows->addRow(lbl[1], txtShares);
    tradeRows->addRow(lbl[2], txtPrice);
    tradeRows->addRow(lbl[3], txtComm);
    tradeRows->addRow(lbl[4], lblTotal);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(symbolBox);
    all->addWidget(tradeBox);
    all->addLayout(buttons);

    // Field guards. An emptied date is today's; what is typed into the
    // number fields stays as typed and is judged on OK.
    connect(txtDate, &QLineEdit::textChanged, this, [this] {
        if (txtDate->text().isEmpty())
            txtDate->setText(today());
    });
    connect(txtShares, &QLineEdit::textChanged, this, [this] { txtShares_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    // Form_Load, by mode.
    if (request.mode == PurchaseRequest::Edit) {
        // The trade as its record holds it, never as a sheet shows it.
        if (request.editIndex >= 0 && request.editIndex < PortSize)
            m_request.symbol = Port[request.editIndex].Symbol;
        const TradeFields stored = EditFields(request.editIndex);
        setWindowTitle(QStringLiteral("Edit Transection"));
        lbl[0]->setText(QStringLiteral("Buy Date:"));
        lbl[2]->setText(QStringLiteral("Buy Prices:"));
        lblSymbol->setText(m_request.symbol);
        lblName->setText(DisplayNameOf(m_request.symbol));
        txtDate->setText(stored.date);
        txtShares->setText(stored.shares);
        txtPrice->setText(stored.price);
        txtComm->setText(stored.commission);
        lblID->setText(QString::number(request.editIndex));
        return;
    }
    lblSymbol->setText(request.symbol);
    lblName->setText(DisplayNameOf(request.symbol));
    m_marketPrice = offeredPrice(request.symbol);
    txtDate->setText(today());
    lblCurrent->setText(m_marketPrice);
    txtPrice->setText(m_marketPrice);
    if (request.mode == PurchaseRequest::Sell) {
        setWindowTitle(QStringLiteral("Sell Share"));
        lbl[0]->setText(QStringLiteral("Sell Date:"));
        lbl[2]->setText(QStringLiteral("Sell Prices:"));
        lblID->setText(QString::number(request.lotRef));
        txtShares->setText(QString::number(request.lotShares));
    } else {
        setWindowTitle(QStringLiteral("Parchase Share"));
    }
}

void frmPurchace::txtShares_Change()
{
    double shares = 0;
    if (m_request.mode == PurchaseRequest::Sell && wholeNumber(txtShares->text(), &shares)
        && shares > m_request.lotShares) {
        const QString n = QString::number(m_request.lotShares);
        MsgBox(QStringLiteral("You can not sell more then buying.\r\nPlease sell less then ") + n + QStringLiteral(" shares."),
               Msg::OKOnly + Msg::Information, QStringLiteral("Sell Less Then ") + n);
        txtShares->setText(n);
        txtShares->setFocus();
        return;
    }
    cmdOK->setEnabled(sharesWanted(txtShares->text()));
}

void frmPurchace::cmdOK_Click()
{
    ClosingAttempt closing(this);
    if (!closing)
        return;
    // What the form still lacks is asked for; no answer records nothing.
    if (txtShares->text().isEmpty()) {
        const QString shares = InputBox(QStringLiteral("How many shares do you want to buy?"),
                                        QStringLiteral("Enter the number of shares to buy"),
                                        m_request.mode == PurchaseRequest::Sell ? QString::number(m_request.lotShares)
                                                                                : QStringLiteral("1"));
        if (shares.isEmpty())
            return;
        txtShares->setText(shares);
    }
    if (txtPrice->text().isEmpty()) {
        const QString price =
            InputBox(QStringLiteral("What is purchase price?"), QStringLiteral("Enter shares price"), m_marketPrice);
        if (price.isEmpty())
            return;
        txtPrice->setText(price);
    }
    const TradeFields fields{txtDate->text(), txtShares->text(), txtPrice->text(), txtComm->text()};
    QString refused;
    switch (m_request.mode) {
    case PurchaseRequest::NewStock: refused = BuyStock(m_request.symbol, fields, m_marketPrice); break;
    case PurchaseRequest::Sell: refused = Sell(m_request.symbol, m_request.lotRef, fields, m_marketPrice); break;
    case PurchaseRequest::Edit: refused = EditTransaction(m_request.editIndex, fields); break;
    }
    if (!refused.isEmpty()) {
        // Nothing was stored (the portfolio is as it was); what the user
        // typed stays for another try.
        MsgBox(refused, Msg::OKOnly + Msg::Exclamation, windowTitle());
        return;
    }
    closing.finish(25);
}

void frmPurchace::cmdCancel_Click()
{
    if (ClosingAttempt closing(this); closing)
        closing.finish(25);
}

frmPurchace *purchaseWindow()
{
    return g_purchase.data();
}

void ShowPurchase(QWidget *owner, int tickerTopTwips, const PurchaseRequest &request)
{
    if (g_purchase)
        g_purchase->close();
    g_purchase = new frmPurchace(request, owner);
    g_purchase->setWindowModality(Qt::ApplicationModal);
    g_purchase->adjustSize();
    if (owner) {
        const int left = owner->width() / 2 - g_purchase->width() / 2;
        g_purchase->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips + 700, owner))));
    }
    g_purchase->show();
}
