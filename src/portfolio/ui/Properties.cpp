#include "portfolio/ui/Properties.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/DesktopSnapshot.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/ResourcePictures.h"
#include "sheets/market/PriceSheet.h"

#include <QEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int g_fullWidth = 0;  // the card's full size, as loaded last
int g_fullHeight = 0;

const char *const Captions[18] = {"Last Sale:",  "Change:",         "% Change:",      "Volume:",       "Today's High:",
                                  "Today's Low:", "Bid:",           "Ask:",           "Last Trade Size:", "Open:",
                                  "Previous Close:", "52 Week High :", "52 Week Low:", "EPS:",          "P/E Ratio:",
                                  "Dividend Per Share:", "Exchange:", "Industry:"};

QString valueOf(const StockRec &s, int i)
{
    switch (i) {
    case 0: return shownPrice(s.LastSale);
    case 1: return shownPrice(s.Change);
    case 2: return s.PctChange;
    case 3: return shownVolume(s.Volume);
    case 4: return shownPrice(s.DayHigh);
    case 5: return shownPrice(s.DayLow);
    case 6: return shownPrice(s.Bid);
    case 7: return shownPrice(s.Ask);
    case 8: return s.LastTradeSize;
    case 9: return shownPrice(s.Open);
    case 10: return shownPrice(s.PrevClose);
    case 11: return s.High52;
    case 12: return s.Low52;
    case 13: return s.EPS;
    case 14: return s.PERatio;
    case 15: return s.DivPerShare;
    case 16: return s.Exchange;
    default: return s.Industry;
    }
}

bool isNumberText(const QString &text)
{
    bool ok = false;
    text.trimmed().toFloat(&ok);
    return ok;
}

} // namespace

Properties::Properties(const QString &stockSymbol, QWidget *parent)
    : QWidget(parent, Qt::Tool), symbol(stockSymbol)
{
    setObjectName(QStringLiteral("Properties"));
    setAttribute(Qt::WA_DeleteOnClose);
    const short record = FindSymbol(stockSymbol);
    const StockRec &s = Sets[size_t(record)];
    setWindowTitle(s.Name.isEmpty() ? QStringLiteral("Properties") : s.Name);

    Command1 = new QPushButton(this);
    Command1->setToolTip(QStringLiteral("Click To Minimize / Restore"));
    Command1->setFixedHeight(Twips::toPixelsY(120, this));
    lblName = new QLabel(s.Name, this);
    lblTime = new QLabel(s.LastUpdate, this);
    pic1 = new QLabel(this);
    auto *general = new QGroupBox(QStringLiteral("General"), this);
    auto *generalRows = new QGridLayout(general);
    generalRows->addWidget(new QLabel(QStringLiteral("Name:"), general), 0, 0);
    generalRows->addWidget(lblName, 0, 1);
    generalRows->addWidget(new QLabel(QStringLiteral("Last Update:"), general), 1, 0);
    generalRows->addWidget(lblTime, 1, 1);
    generalRows->addWidget(pic1, 0, 2, 2, 1);
    auto *current = new QGroupBox(QStringLiteral("Current Data"), general);
    auto *cells = new QGridLayout(current);
    for (int i = 0; i < 18; ++i) {
        auto *caption = new QLabel(QString::fromLatin1(Captions[i]), current);
        caption->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128);"));
        const QString value = valueOf(s, i);
        auto *data = new QLabel(value.isEmpty() ? QStringLiteral("-") : value, current);
        lblData << data;
        const int column = i < 9 ? 0 : 2;
        cells->addWidget(caption, i % 9, column);
        cells->addWidget(data, i % 9, column + 1);
    }
    generalRows->addWidget(current, 2, 0, 1, 3);
    auto *targets = new QGroupBox(QStringLiteral("Enter Target Prices:"), general);
    auto *targetRow = new QHBoxLayout(targets);
    for (int i = 0; i < 2; ++i) {
        auto *box = new QLineEdit(limitText(i == 0 ? s.LowTarget : s.HighTarget), targets);
        m_shownLimit[i] = box->text();
        box->setToolTip(i == 0 ? QStringLiteral("Enter Low Price Alert") : QStringLiteral("Enter High Price Alert"));
        connect(box, &QLineEdit::textChanged, this, [this, i] { txtTarget_Change(i); });
        targetRow->addWidget(new QLabel(i == 0 ? QStringLiteral("Low") : QStringLiteral("High"), targets));
        targetRow->addWidget(box);
        txtTarget << box;
    }
    generalRows->addWidget(targets, 3, 0, 1, 3);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setToolTip(QStringLiteral("Confirm"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setToolTip(QStringLiteral("Close"));
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(4, 0, 4, 4);
    all->addWidget(Command1);
    all->addWidget(general);
    all->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { OpenHelpTopic(1006, DataDir); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        ToggleMiniSize();
        TileMiniWindows(this);
    });
    adjustSize();
    g_fullWidth = width();
    g_fullHeight = height();
    showMove();
}

void Properties::showMove()
{
    const QString pct = lblData[2]->text();
    if (pct.startsWith(QLatin1Char('+')))
        pic1->setPixmap(LoadResPicture(QStringLiteral("UP")));
    else if (pct.startsWith(QLatin1Char('-')) && pct != QLatin1String("-"))
        pic1->setPixmap(LoadResPicture(QStringLiteral("DN")));
}

void Properties::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showMove();
    QWidget::changeEvent(event);
}

void Properties::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Properties::txtTarget_Change(int Index)
{
    QLineEdit *box = txtTarget[Index];
    if (!box->text().isEmpty() && !isNumberText(box->text())) {
        MsgBox(QStringLiteral("Please type numbers."), Msg::OKOnly + Msg::Information, QStringLiteral("Numbers only"));
        box->setText(QStringLiteral("0"));
        box->setFocus();
    }
}

void Properties::cmdOK_Click()
{
    ClosingAttempt closing(this);
    if (!closing)
        return;
    // The stock as the set holds it now, found by its symbol.
    const short record = StockIndex(symbol);
    if (record < 0) {
        MsgBox(symbol + QStringLiteral(" is not in the stock group shown now; its alerts were not stored."),
               Msg::OKOnly + Msg::Information, windowTitle());
        return;
    }
    // Only a limit the user changed is written: one left as shown keeps
    // its stored value, also when it changed elsewhere while the card was open.
    for (int i = 0; i < 2; ++i) {
        const QString text = txtTarget[i]->text();
        if (text.isEmpty() || text == m_shownLimit[i])
            continue;
        (i == 0 ? Sets[size_t(record)].LowTarget : Sets[size_t(record)].HighTarget) = text.trimmed().toFloat();
    }
    QString why;
    if (!SaveStocks(&why)) {
        // The limits stay in the set in memory; the next save of the set takes them.
        MsgBox(setNotSavedMessage(why), Msg::OKOnly + Msg::Exclamation, windowTitle());
        return;
    }
    closing.finish(10);
}

void Properties::cmdCancel_Click()
{
    if (ClosingAttempt closing(this); closing)
        closing.finish(25);
}

void Properties::ToggleMiniSize()
{
    if (width() != g_fullWidth) {
        resize(g_fullWidth, g_fullHeight);
        return;
    }
    const int a = width() / 10;
    const int b = height() / 10;
    setMinimumSize(0, 0);
    // Events run between the steps: a close meanwhile waits for the last.
    const QPointer<Properties> self(this);
    const BusyWindow busy(this);
    for (int i = 0; i < 9 && self; ++i) {
        resize(width() - a + Twips::toPixelsX(120, this), height() - b);
        DoEvents();
    }
}

void Properties::mouseDoubleClickEvent(QMouseEvent *)
{
    DesktopSnapshot(this, QColor(0, 255, 0));
}

Properties *ShowProperties(QWidget *owner, const QString &symbol)
{
    auto *card = new Properties(symbol, owner);
    if (owner) {
        const QPoint at = owner->mapToGlobal(QPoint(owner->width() / 2 - card->width() / 2, owner->height() / 4));
        card->move(at);
    }
    card->show();
    return card;
}
