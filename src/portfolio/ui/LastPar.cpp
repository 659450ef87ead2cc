#include "portfolio/ui/LastPar.h"

#include "core/Portfolio.h"
#include "core/Variant.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "portfolio/Trades.h"
#include "portfolio/ui/frmPurchace.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QPointer<LastPar> g_chooser;
}

LastPar::LastPar(const QString &symbol, int tickerTopTwips, QWidget *parent)
    : QDialog(parent), m_symbol(symbol), m_tickerTop(tickerTopTwips)
{
    setObjectName(QStringLiteral("LastPar"));
    setWindowTitle(QStringLiteral("Select Parchase"));
    setAttribute(Qt::WA_DeleteOnClose);
    FG = new QTableWidget(0, 4, this);
    FG->setToolTip(QStringLiteral("Select Transection"));
    FG->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Shares"), QStringLiteral("Cost"), QString()});
    FG->setColumnHidden(3, true); // the purchase's reference number
    FG->setSelectionBehavior(QAbstractItemView::SelectRows);
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FG->verticalHeader()->hide();
    FG->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Only the purchases that still hold shares can be sold from.
    for (int i : openLots(symbol)) {
        const PortRec &e = Port[i];
        const int row = FG->rowCount();
        FG->insertRow(row);
        const QStringList cells{e.DateText, QString::number(SharesHeld(e.RefId)), numberText(e.Price),
                                QString::number(e.RefId)};
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignCenter);
            FG->setItem(row, c, item);
        }
    }
    cmdOK = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOK->setToolTip(QStringLiteral("Confirm"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setToolTip(QStringLiteral("Close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(FG);
    all->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { close(); });
}

void LastPar::cmdOK_Click()
{
    // Everything the sale needs is taken before the chooser goes.
    const int row = FG->currentRow();
    PurchaseRequest request;
    request.mode = PurchaseRequest::Sell;
    request.symbol = m_symbol;
    if (row >= 0) {
        request.lotRef = qint16(FG->item(row, 3)->text().toInt());
        request.lotShares = FG->item(row, 1)->text().toInt();
    }
    QWidget *owner = parentWidget();
    const int tickerTop = m_tickerTop;
    close();
    DoEvents();
    if (row < 0)
        return; // no purchase chosen, no sale
    ShowPurchase(owner, tickerTop, request);
}

LastPar *lotChooser()
{
    return g_chooser.data();
}

void ShowLotChooser(QWidget *owner, int tickerTopTwips, const QString &symbol)
{
    if (g_chooser)
        g_chooser->close();
    g_chooser = new LastPar(symbol, tickerTopTwips, owner);
    g_chooser->setWindowModality(Qt::ApplicationModal);
    if (owner) {
        const int left = owner->width() / 2 - g_chooser->width() / 2;
        g_chooser->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips + 700, owner))));
    }
    g_chooser->show();
}
