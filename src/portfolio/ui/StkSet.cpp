#include "portfolio/ui/StkSet.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/MainWindow.h"
#include "core/PlainTicker.h"
#include "core/Registry.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/UpdateGuard.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/SymbolColumnFit.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Sleep.h"
#include "platform/ui/WindowPlacement.h"
#include "portfolio/StockSetNames.h"

#include <QCloseEvent>
#include <QEvent>
#include <QTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace {

QPointer<StkSet> g_editor;

void colour(QLabel *label, const QColor &c)
{
    label->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);").arg(c.red()).arg(c.green()).arg(c.blue()));
}

bool isAlertNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toFloat(&ok);
    return ok;
}

} // namespace

StkSet::StkSet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("StkSet"));
    setWindowTitle(QString());
    setAttribute(Qt::WA_DeleteOnClose);
    m_setAtOpening = CurSetNo;

    const auto heading = [this](const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), this);
        l->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128);"));
        return l;
    };
    lstSets = new QListWidget(this);
    lstSets->setToolTip(QStringLiteral("Stock Groups (Double Click To Change Group Name)"));
    lstStk = new QListWidget(this);
    lstStk->setToolTip(QStringLiteral("Stocks"));
    for (int i = 0; i < 2; ++i) {
        auto *box = new QLineEdit(this);
        box->setToolTip(i == 0 ? QStringLiteral("Select Stock Symbol In The Symbol List And Enter Low Price Alert")
                               : QStringLiteral("Select Stock Symbol In The Symbol List And Enter High Price Alert"));
        connect(box, &QLineEdit::textChanged, this, [this, i] { txtAlert_Change(i); });
        txtAlert << box;
    }
    const char *const actions[] = {"Add Stock", "Remove Stock", "Find Stock Symbol", "Rename Stock"};
    const char *const tips[] = {"Click To Add New Stock To Selected Group",
                                "Select Stock Symbol In The Symbol List And Click To Remove Select Stock",
                                "Click To Find Stock Symbol", ""};
    for (int i = 0; i < 4; ++i) {
        auto *l = new QLabel(QString::fromLatin1(actions[i]), this);
        QFont f(QStringLiteral("Times New Roman"));
        l->setFont(f);
        l->setToolTip(QString::fromLatin1(tips[i]));
        l->setCursor(Qt::PointingHandCursor);
        l->setMouseTracking(true);
        l->installEventFilter(this);
        colour(l, QColor(0, 0, 255));
        lblAction << l;
    }
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdApply = new QPushButton(QStringLiteral("Apply"), this);
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);

    auto *grid = new QGridLayout;
    grid->addWidget(heading("Stock Groups (Double Click To Edit)"), 0, 0);
    grid->addWidget(lstSets, 1, 0);
    grid->addWidget(heading("Stocks List"), 0, 1);
    grid->addWidget(lstStk, 1, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(heading("Alerts"));
    auto *boxes = new QGridLayout;
    boxes->addWidget(heading("Low"), 0, 0);
    boxes->addWidget(heading("High"), 0, 1);
    boxes->addWidget(txtAlert[0], 1, 0);
    boxes->addWidget(txtAlert[1], 1, 1);
    right->addLayout(boxes);
    for (int i : {0, 1, 3, 2})
        right->addWidget(lblAction[i]);
    right->addStretch();
    grid->addLayout(right, 1, 2);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdOK, cmdCancel, cmdApply, cmdHelp})
        buttons->addWidget(b);
    auto *all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addLayout(buttons);

    connect(lstSets, &QListWidget::itemClicked, this, [this] { lstSets_Click(); });
    connect(lstSets, &QListWidget::itemDoubleClicked, this, [this] { lstSets_DblClick(); });
    connect(lstStk, &QListWidget::itemClicked, this, [this] { lstStk_Click(); });
    connect(lstStk, &QListWidget::itemDoubleClicked, this, [this] { lblAction_Click(3); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { OpenHelpTopic(1006, DataDir); });

    loadSets();
}

void StkSet::loadSets()
{
    lstSets->clear();
    for (int n = 0; n < SetNameCount; ++n)
        lstSets->addItem(StockSetName(n));
    lstSets->setCurrentRow(0);
    lstSets_Click();
    cmdApply->setEnabled(false);
}

void StkSet::lstSets_Click()
{
    // A run writes quotes into the current set's records as it goes: the
    // set stays as it is until the run has ended.
    const MainWindow *w = mainWindow();
    if (w && w->runActive() && lstSets->currentRow() != m_set) {
        lstSets->setCurrentRow(m_set);
        MsgBox(updateRunningMessage(), Msg::OKOnly + Msg::Information, QString::fromLatin1(UpdateRunningTitle));
        return;
    }
    m_set = short(qMax(0, lstSets->currentRow()));
    CurSetNo = m_set;
    ReadStocks();
    lstStk->clear();
    for (int i = 0; i < SetSize; ++i)
        if (!Sets[size_t(i)].Symbol.isEmpty())
            lstStk->addItem(Sets[size_t(i)].Symbol);
}

void StkSet::lstSets_DblClick()
{
    const int n = lstSets->currentRow();
    if (n < 0)
        return;
    const QString name = InputBox(QStringLiteral("Enter New Name For This Set"), QStringLiteral("New Set Name"),
                                  lstSets->item(n)->text());
    if (name.isEmpty())
        return;
    if (!SetKeyValue(HKEY_CURRENT_USER, QString::fromLatin1(GroupsKey), QStringLiteral("Group%1").arg(n), name, REG_SZ)) {
        // The set keeps the name it has on disk, and the list shows that one.
        MsgBox(settingNotSavedMessage(), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Set name not saved"));
        lstSets->item(n)->setText(StockSetName(n));
        return;
    }
    lstSets->item(n)->setText(StockSetName(n));
    lstSets->setCurrentRow(n);
    lstSets_Click();
    cmdApply->setEnabled(false);
}

void StkSet::lstStk_Click()
{
    QListWidgetItem *item = lstStk->currentItem();
    if (!item)
        return;
    m_alertSymbol = item->text();
    const short record = FindSymbol(m_alertSymbol);
    const StockRec &s = Sets[size_t(record)];
    const bool found = s.Symbol == m_alertSymbol;
    txtAlert[0]->setText(found ? limitText(s.LowTarget) : QStringLiteral("0"));
    txtAlert[1]->setText(found ? limitText(s.HighTarget) : QStringLiteral("0"));
    m_shownAlert[0] = txtAlert[0]->text();
    m_shownAlert[1] = txtAlert[1]->text();
}

QString StkSet::askSymbol(const QString &prompt, const QString &title, const QString &current)
{
    const QString typed = InputBox(prompt, title, current).trimmed().toUpper();
    if (typed.isEmpty())
        return QString();
    QString refused;
    if (!isPlainTicker(typed))
        refused = QStringLiteral("A stock symbol holds letters, digits, \".\", \"-\" and \"^\" only.");
    else if (typed.size() < 2)
        // The symbol column, the updates and the set's clean-up all pass them by.
        refused = QStringLiteral("A one-letter symbol is never shown in the symbol column nor updated.");
    else if (!symbolFitsColumn(typed, this))
        refused = typed + QStringLiteral(" is too long for the symbol column, which would cut it off.");
    if (!refused.isEmpty()) {
        MsgBox(refused + QStringLiteral(" Please try again."), Msg::OKOnly + Msg::Information,
               QStringLiteral("Stock symbol"));
        return QString();
    }
    return typed;
}

bool StkSet::listsAlready(const QString &symbol, const QListWidgetItem *besides)
{
    for (int i = 0; i < lstStk->count(); ++i)
        if (lstStk->item(i) != besides && lstStk->item(i)->text() == symbol) {
            MsgBox(QStringLiteral("You already have this symbol, Please try again"), Msg::OKOnly + Msg::Information,
                   QStringLiteral("Duplicate stock symbol"));
            return true;
        }
    return false;
}

void StkSet::lblAction_Click(int Index)
{
    // Adding, removing and renaming change the set's records, which a run
    // writes into meanwhile.
    if ((Index == 0 || Index == 1 || Index == 3) && refusedWhileUpdating())
        return;
    switch (Index) {
    case 0: {
        if (lstStk->count() >= SetSize) {
            MsgBox(QStringLiteral("A stock group holds at most %1 stocks. Remove one before you add another.").arg(SetSize),
                   Msg::OKOnly + Msg::Information, QStringLiteral("Stock group full"));
            return;
        }
        const QString symbol = askSymbol(QStringLiteral("Type Stock Symbol"), QStringLiteral("Stock Symbol"), QString());
        if (symbol.isEmpty() || listsAlready(symbol, nullptr))
            return;
        lstStk->addItem(symbol);
        cmdApply->setEnabled(true);
        break;
    }
    case 1:
        if (QListWidgetItem *item = lstStk->currentItem())
            delete item;
        cmdApply->setEnabled(true);
        break;
    case 2: {
        const QString name = InputBox(QStringLiteral("Insert a company name or any part of it."), QStringLiteral("Finding Symbol"));
        if (name.isEmpty())
            return;
        QUrl url(siteUrl(Site::FinancePortal, QStringLiteral("/l")));
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("s"), name);
        url.setQuery(query);
        OpenUrl(url.toString(QUrl::FullyEncoded));
        DoEvents();
        break;
    }
    case 3: {
        QListWidgetItem *item = lstStk->currentItem();
        if (!item)
            return;
        const QString symbol = askSymbol(QStringLiteral("Enter New Name For This Symbol"), QStringLiteral("New Stock Symbol"),
                                         item->text());
        // A set holds each stock once, whichever way it comes in.
        if (symbol.isEmpty() || listsAlready(symbol, item))
            return;
        item->setText(symbol);
        cmdApply->setEnabled(true);
        break;
    }
    default: break;
    }
}

void StkSet::txtAlert_Change(int Index)
{
    cmdApply->setEnabled(true);
    QLineEdit *box = txtAlert[Index];
    if (!box->text().isEmpty() && !isAlertNumber(box->text())) {
        MsgBox(QStringLiteral("Please type numbers."), Msg::OKOnly + Msg::Information, QStringLiteral("Numbers only"));
        box->clear();
        box->setFocus();
    }
}

bool StkSet::UpdateINI()
{
    // Always the set the lists show, whatever is current meanwhile.
    const short shown = CurSetNo;
    // During a run its fetches find the records where they stand: only the
    // alert limits are stored then, and a changed list waits for its end.
    const bool running = updateRunning();
    if (running && !listMatchesSet()) {
        refusedWhileUpdating();
        return false;
    }
    if (running)
        return storeAlerts();
    CurSetNo = m_set;
    ReadStocks();
    // Each listed stock keeps its record (quotes and alerts) wherever it
    // moves; a new one starts blank.
    const std::array<StockRec, SetSize> before = Sets;
    for (int i = 0; i < SetSize; ++i) {
        const QString symbol = i < lstStk->count() ? lstStk->item(i)->text() : QString();
        StockRec rec;
        if (!symbol.isEmpty()) {
            for (const StockRec &old : before)
                if (old.Symbol == symbol) {
                    rec = old;
                    break;
                }
            rec.Symbol = symbol;
        }
        Sets[size_t(i)] = rec;
    }
    return storeAlerts(shown);
}

bool StkSet::listMatchesSet() const
{
    QStringList held, listed;
    for (const StockRec &s : Sets)
        if (!s.Symbol.isEmpty())
            held << s.Symbol;
    for (int i = 0; i < lstStk->count(); ++i)
        listed << lstStk->item(i)->text();
    return m_set == CurSetNo && listed == held;
}

bool StkSet::storeAlerts(short shown)
{
    // The alerts go to the stock they were typed for, found by its symbol.
    if (!m_alertSymbol.isEmpty())
        for (int i = 0; i < SetSize; ++i)
            if (Sets[size_t(i)].Symbol == m_alertSymbol) {
                // A box left as shown keeps the stored limit to the bit.
                for (int b = 0; b < 2; ++b) {
                    const QString text = txtAlert[b]->text();
                    if (!text.isEmpty() && text != m_shownAlert[b])
                        (b == 0 ? Sets[size_t(i)].LowTarget : Sets[size_t(i)].HighTarget) = text.trimmed().toFloat();
                }
                break;
            }
    QString why;
    if (!SaveStocks(&why)) {
        // The set in memory and the lists keep the change; the file is as it was.
        MsgBox(setNotSavedMessage(why), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Stock group not saved"));
        return false;
    }
    if (shown < 0)
        return true; // a run's records stay as they are in memory
    if (shown != m_set)
        CurSetNo = shown;
    ReadStocks();
    return true;
}

void StkSet::cmdApply_Click()
{
    cmdApply->setEnabled(false);
    if (!UpdateINI())
        cmdApply->setEnabled(true);
}

void StkSet::cmdOK_Click()
{
    ClosingAttempt closing(this);
    if (!closing || !UpdateINI())
        return;
    const short set = m_set;
    if (MainWindow *w = mainWindow())
        w->mnuSet_Click(set);
    DoEvents();
    closing.finish(25);
    if (MainWindow *w = mainWindow())
        w->LoadSets();
}

void StkSet::cmdCancel_Click()
{
    ClosingAttempt closing(this);
    if (!closing)
        return;
    // Nothing applied: the main window's set is current again - unless a
    // run is writing quotes into the set now current.
    const MainWindow *w = mainWindow();
    if (!w || !w->runActive()) {
        CurSetNo = m_setAtOpening;
        ReadStocks();
    }
    closing.finish(25);
}

void StkSet::reject()
{
    // The closing step's own close ends here; any other way out is Cancel.
    if (isClosing(this))
        QDialog::reject();
    else
        cmdCancel_Click();
}

void StkSet::closeEvent(QCloseEvent *event)
{
    if (isClosing(this)) {
        QDialog::closeEvent(event);
        return;
    }
    // The close box: Cancel, once this close has returned (its own closing
    // step closes the window again).
    event->ignore();
    QTimer::singleShot(0, this, [this] { cmdCancel_Click(); });
}

bool StkSet::eventFilter(QObject *watched, QEvent *event)
{
    const int index = lblAction.indexOf(qobject_cast<QLabel *>(watched));
    if (index >= 0) {
        switch (event->type()) {
        case QEvent::Enter:
            for (QLabel *l : std::as_const(lblAction))
                colour(l, QColor(0, 0, 255));
            colour(lblAction[index], QColor(255, 0, 0));
            break;
        case QEvent::MouseButtonPress:
            for (QLabel *l : std::as_const(lblAction))
                colour(l, QColor(0, 0, 255));
            colour(lblAction[index], QColor(0, 255, 0));
            return true;
        case QEvent::MouseButtonRelease:
            for (QLabel *l : std::as_const(lblAction))
                colour(l, QColor(0, 0, 255));
            lblAction_Click(index);
            return true;
        case QEvent::Leave: colour(lblAction[index], QColor(0, 0, 255)); break;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

StkSet *setEditor()
{
    return g_editor.data();
}

void ShowStkSet(QWidget *owner)
{
    if (g_editor) {
        g_editor->raise();
        g_editor->activateWindow();
        return;
    }
    g_editor = new StkSet(owner);
    g_editor->setWindowModality(Qt::ApplicationModal);
    // Measured as it will be shown, no larger than the screen, centred and
    // wholly on it.
    g_editor->ensurePolished();
    g_editor->adjustSize();
    if (QScreen *screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize frame = g_editor->frameGeometry().size() - g_editor->size();
        g_editor->resize(g_editor->size().boundedTo(area.size() - frame));
        QRect placed = g_editor->frameGeometry();
        placed.moveCenter(area.center());
        placeOnScreen(g_editor, placed.topLeft());
    }
    g_editor->show();
}
