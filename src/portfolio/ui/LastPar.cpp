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

LastPar::LastPar(const QString &symbol, int tickerTopTwips, qint16 chosenRef, QWidget *parent)
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
        const QStringList cells{e.DateText, QString::number(SharesHeld(symbol, e.RefId)), numberText(e.Price),
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
    // OK sells from the chosen row only, and no row is chosen until the
    // user picks one (or the opener names one).
    cmdOK->setEnabled(false);
    connect(FG->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { cmdOK->setEnabled(FG->selectionModel()->hasSelection()); });
    for (int row = 0; row < FG->rowCount(); ++row)
        if (chosenRef >= 0 && FG->item(row, 3)->text() == QString::number(chosenRef))
            FG->selectRow(row);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { close(); });
}

void LastPar::cmdOK_Click()
{
    // Everything the sale needs is taken before the chooser goes.
    const QModelIndexList chosen = FG->selectionModel()->selectedRows();
    if (chosen.isEmpty())
        return;
    const int row = chosen.first().row();
    PurchaseRequest request;
    request.mode = PurchaseRequest::Sell;
    request.symbol = m_symbol;
    request.lotRef = qint16(FG->item(row, 3)->text().toInt());
    request.lotShares = SharesHeld(m_symbol, request.lotRef);
    QWidget *owner = parentWidget();
    const int tickerTop = m_tickerTop;
    close();
    DoEvents();
    ShowPurchase(owner, tickerTop, request);
}

LastPar *lotChooser()
{
    return g_chooser.data();
}

void ShowLotChooser(QWidget *owner, int tickerTopTwips, const QString &symbol, qint16 chosenRef)
{
    if (g_chooser)
        g_chooser->close();
    g_chooser = new LastPar(symbol, tickerTopTwips, chosenRef, owner);
    g_chooser->setWindowModality(Qt::ApplicationModal);
    if (owner) {
        const int left = owner->width() / 2 - g_chooser->width() / 2;
        g_chooser->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips + 700, owner))));
    }
    g_chooser->show();
}
