#include "webqueries/ui/Reuters.h"

#include "core/Connection.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Sleep.h"
#include "platform/ui/CloseBox.h"
#include "webqueries/ui/OwnedWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
OwnedWindow<Reuters> g_reuters;
} // namespace

Reuters::Reuters(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("Reuters"));
    setWindowTitle(QString());

    auto *symbols = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(QStringLiteral("Stock %1:").arg(i + 1), this);
        label->setObjectName(QStringLiteral("Label1%1").arg(i));
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtSymbol%1").arg(i));
        box->setToolTip(QStringLiteral("Enter Stock Symbol"));
        box->installEventFilter(this);
        symbols->addWidget(label, i, 0);
        symbols->addWidget(box, i, 1);
        Label1 << label;
        txtSymbol << box;
    }

    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    cboLength = new QComboBox(Frame1);
    txtFromDay = new QLineEdit(Frame1);
    txtFromMonth = new QLineEdit(Frame1);
    txt_ToDay = new QLineEdit(Frame1);
    txt_ToMonth = new QLineEdit(Frame1);
    for (QLineEdit *box : {txtFromDay, txtFromMonth, txt_ToDay, txt_ToMonth}) {
        box->setMaximumWidth(48);
        box->installEventFilter(this);
    }
    auto *options = new QGridLayout(Frame1);
    options->addWidget(new QLabel(QStringLiteral("Length:"), Frame1), 0, 0);
    options->addWidget(cboLength, 0, 1, 1, 3);
    options->addWidget(new QLabel(QStringLiteral("From Day:"), Frame1), 1, 0);
    options->addWidget(txtFromDay, 1, 1);
    options->addWidget(new QLabel(QStringLiteral("Month:"), Frame1), 1, 2);
    options->addWidget(txtFromMonth, 1, 3);
    options->addWidget(new QLabel(QStringLiteral("To Day:"), Frame1), 2, 0);
    options->addWidget(txt_ToDay, 2, 1);
    options->addWidget(new QLabel(QStringLiteral("Month:"), Frame1), 2, 2);
    options->addWidget(txt_ToMonth, 2, 3);

    cmdQuery = new QPushButton(QStringLiteral("Query"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdQuery);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);

    auto *top = new QHBoxLayout;
    top->addLayout(symbols);
    top->addWidget(Frame1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);

    connect(cboLength, &QComboBox::activated, this, [this] { cboLength_Click(); });
    // A month box that does not read as a number is emptied at once.
    for (QLineEdit *month : {txtFromMonth, txt_ToMonth})
        connect(month, &QLineEdit::textChanged, this, [month](const QString &text) {
            if (!text.isEmpty() && !readsAsNumber(text))
                month->clear();
        });
    connect(cmdQuery, &QPushButton::clicked, this, &Reuters::cmdQuery_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &Reuters::cmdCancel_Click);
    onCloseBox(this, [this] { cmdCancel_Click(); });

    Form_Load();
}

void Reuters::Form_Load()
{
    cboLength->addItems(newsLengthItems());
    cboLength->setCurrentIndex(1);
    cboLength_Click();
    LengthDays = newsLengthDays(cboLength->currentText());
    setDates(newsDatesAtLoad());
}

NewsDates Reuters::dates() const
{
    return {txtFromDay->text(), txtFromMonth->text(), txt_ToDay->text(), txt_ToMonth->text()};
}

void Reuters::setDates(const NewsDates &d)
{
    txtFromDay->setText(d.fromDay);
    txtFromMonth->setText(d.fromMonth);
    txt_ToDay->setText(d.toDay);
    txt_ToMonth->setText(d.toMonth);
}

void Reuters::cboLength_Click()
{
    LengthDays = newsLengthDays(cboLength->currentText());
    NewsDates d = dates();
    applyNewsLength(LengthDays, d);
    setDates(d);
}

bool Reuters::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (auto *box = qobject_cast<QLineEdit *>(watched)) {
            if (txtSymbol.contains(box))
                box->setText(box->text().toUpper());
            else if (box == txtFromDay || box == txt_ToDay || box == txtFromMonth || box == txt_ToMonth)
                box->setText(paddedDateText(box->text()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Reuters::BuildNewsUrl()
{
    NewsDates d = dates();
    fillEmptyNewsDates(d);
    setDates(d);
    QStringList symbols;
    for (QLineEdit *box : txtSymbol)
        symbols << box->text();
    if (CheckConnection())
        OpenUrl(newsQueryUrl(symbols, LengthDays, d));
}

void Reuters::cmdQuery_Click()
{
    // The page opens while pending events run: the window is closing already.
    ClosingAttempt closing(this);
    if (!closing)
        return;
    BuildNewsUrl();
    closing.finish(25, UnloadReuters);
}

void Reuters::cmdCancel_Click()
{
    if (ClosingAttempt closing(this); closing)
        closing.finish(25, UnloadReuters);
}

Reuters *newsQueryWindow()
{
    return g_reuters.get();
}

void ShowReuters(const QString &symbol)
{
    Reuters *w = g_reuters.load();
    w->txtSymbol[0]->setText(symbol);
    g_reuters.show();
}

void UnloadReuters()
{
    g_reuters.unload();
}
