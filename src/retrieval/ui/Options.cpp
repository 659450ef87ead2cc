#include "retrieval/ui/Options.h"
#include "platform/ui/WindowPlacement.h"

#include "core/DataDir.h"
#include "core/ErrorLog.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/ui/BarSkin.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "platform/Speech.h"
#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"
#include "retrieval/transport/TransferFetch.h"
#include "retrieval/ui/VersionCheck.h"
#include "sheets/market/PriceSheet.h"
#include "services/ui/frmUpgrade.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QPointer<Options> g_options;
std::function<void(bool)> g_timerHook;
std::function<void()> g_skinHook;

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

int value(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

QLabel *captionLabel(const char *text, QWidget *parent)
{
    return new QLabel(QString::fromLatin1(text), parent);
}

// Boxes in two columns, in the order given.
void addBoxColumns(QGridLayout *grid, const QList<QCheckBox *> &boxes)
{
    const int perColumn = int((boxes.size() + 1) / 2);
    for (int i = 0; i < boxes.size(); ++i)
        grid->addWidget(boxes[i], i % perColumn, i / perColumn);
}

// The page an Alt key opens, -1 for none.
int pageKey(const QKeyEvent *e)
{
    if (e->modifiers() != Qt::AltModifier || e->key() < Qt::Key_A || e->key() > Qt::Key_Z)
        return -1;
    return optionsPageForKey(QLatin1Char(char('A' + (e->key() - Qt::Key_A))));
}

// A field leaves only when the focus moves inside the form, not when
// another window or a popup comes to the front.
bool otherWindowTookFocus(const QFocusEvent *e)
{
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

} // namespace

Options::Options(QWidget *parent) : QDialog(parent), m_version(std::make_shared<VersionCheck>())
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Options"));

    for (int box = 0; box < BatchBoxCount; ++box) {
        chkUpdate[box] = new QCheckBox(updateBoxCaption(box), this);
        chkUpdate[box]->setObjectName(QStringLiteral("chkUpdate%1").arg(box));
    }
    for (int i = 0; i < SelectButtonCount; ++i) {
        cmdSelect[i] = new QPushButton(QString::fromLatin1(selectButton(i).caption), this);
        cmdSelect[i]->setToolTip(QString::fromLatin1(selectButton(i).toolTip));
        cmdSelect[i]->setAutoDefault(false);
        connect(cmdSelect[i], &QPushButton::clicked, this, [this, i] { cmdSelect_Click(i); });
    }
    for (int i = 0; i < 3; ++i) {
        lblExc[i] = new ClickLabel(exchangeLabelCaption(i), this);
        lblExc[i]->setToolTip(QStringLiteral("Click to select / unselect"));
        connect(lblExc[i], &ClickLabel::Click, this, [this, i] { lblExc_Click(i); });
    }

    chkShutDown = new QCheckBox(QStringLiteral("Confirm on exit"), this);
    cmdUpgrade = new QPushButton(QStringLiteral("Check &for Upgrade"), this);
    cobSqd = new QComboBox(this);
    cobSqd->setToolTip(QStringLiteral("Select Update Option"));
    cobStyle = new QComboBox(this);
    cobStyle->setToolTip(QStringLiteral("Select Bar Color"));
    ChkNumeric[1] = new QCheckBox(QStringLiteral("Volume in 100's"), this);
    ChkNumeric[1]->setToolTip(QStringLiteral("Show Volume In 100's"));
    ChkNumeric[0] = new QCheckBox(QStringLiteral("Display as fractions"), this);
    ChkNumeric[0]->setToolTip(QStringLiteral("Show Prices In Fraction / Decimal"));
    Text1 = new QLineEdit(this);
    Text1->setToolTip(QStringLiteral("Splash Delay"));
    Text2 = new QLineEdit(this);
    Text2->setToolTip(QStringLiteral("Activate Screen Saver"));
    cmdEmpty = new QPushButton(QStringLiteral("&Empty Cache"), this);

    chkPrompt = new QCheckBox(QStringLiteral("Prompt me to dial when connection is neaded"), this);
    chkPrompt->setToolTip(QStringLiteral("Prompt For Dial"));
    txtEmailAddress = new QLineEdit(this);
    txtEmailAddress->setToolTip(QStringLiteral("Enter Your Email Address"));
    txtEmailServ = new QLineEdit(this);
    txtEmailServ->setToolTip(QStringLiteral("Enter Email Server"));
    txtNewsServ = new QLineEdit(this);
    txtNewsServ->setToolTip(QStringLiteral("Enter News Server"));
    chkProxy = new QCheckBox(QStringLiteral("Use proxy server:"), this);
    txtProxy = new QLineEdit(this);
    cobVoice = new QComboBox(this);

    cmd_OK = new QPushButton(QStringLiteral("&OK"), this);
    cmd_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    for (QPushButton *b : {cmdUpgrade, cmdEmpty, cmd_OK, cmd_cancel, cmdHelp})
        b->setAutoDefault(false);
    lblInfo = new QLabel(this);

    buildPages();

    m_checkBoxes = findChildren<QCheckBox *>();
    for (QCheckBox *box : m_checkBoxes)
        box->installEventFilter(this);
    for (QGroupBox *frame : Frm) {
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
    }
    for (QLineEdit *field : {Text1, Text2, txtProxy})
        field->installEventFilter(this);

    // The handlers run when loading changes a control, as a user's change does.
    connect(chkPrompt, &QCheckBox::toggled, this, &Options::chkPrompt_Click);
    connect(chkShutDown, &QCheckBox::toggled, this, &Options::chkShutDown_Click);
    connect(chkProxy, &QCheckBox::toggled, this, &Options::chkProxy_Click);
    connect(cobSqd, &QComboBox::currentIndexChanged, this, &Options::cobSqd_Click);
    connect(cobStyle, &QComboBox::currentIndexChanged, this, &Options::cobStyle_Click);
    connect(cobVoice, &QComboBox::currentIndexChanged, this, &Options::cobVoice_Click);
    connect(cmdUpgrade, &QPushButton::clicked, this, &Options::cmdUpgrade_Click);
    connect(cmdEmpty, &QPushButton::clicked, this, &Options::cmdEmpty_Click);
    connect(cmd_OK, &QPushButton::clicked, this, &Options::cmd_OK_Click);
    connect(cmd_cancel, &QPushButton::clicked, this, &Options::cmd_cancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &Options::cmdHelp_Click);

    adjustSize();
    Form_Load();
}

Options::~Options() = default;

void Options::buildPages()
{
    m_pages = new QStackedWidget(this);
    auto *nav = new QVBoxLayout;
    for (int i = 0; i < OptionsPageCount; ++i) {
        const OptionsPageInfo &page = optionsPage(i);
        lblNav[i] = new ClickLabel(QString::fromLatin1(page.label), this);
        lblNav[i]->setToolTip(QString::fromLatin1(page.toolTip));
        connect(lblNav[i], &ClickLabel::Click, this, [this, i] { lblNav_Click(i); });
        nav->addWidget(lblNav[i]);
        Frm[i] = new QGroupBox(QString::fromLatin1(page.frame), m_pages);
        m_pages->addWidget(Frm[i]);
    }
    nav->addStretch();

    auto boxesOn = [this](int page) {
        QList<QCheckBox *> boxes;
        for (int box = 0; box < BatchBoxCount; ++box) {
            if (updateBoxPage(box) == page && !(box >= 20 && box <= 49))
                boxes << chkUpdate[box];
        }
        return boxes;
    };
    auto selectRow = [this](int first, int second) {
        auto *row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(cmdSelect[first]);
        row->addWidget(cmdSelect[second]);
        return row;
    };

    // Daily consultation: five boxes, then the big-movers grid whose
    // columns are NASDAQ, NYSE and AMEX.
    {
        auto *v = new QVBoxLayout(Frm[0]);
        auto *top = new QGridLayout;
        addBoxColumns(top, boxesOn(0));
        v->addLayout(top);
        auto *grid = new QGridLayout;
        grid->addWidget(lblExc[2], 0, 0);
        grid->addWidget(lblExc[1], 0, 1);
        grid->addWidget(lblExc[0], 0, 2);
        for (int row = 0; row < 10; ++row) {
            for (int column = 0; column < 3; ++column)
                grid->addWidget(chkUpdate[20 + 3 * row + column], row + 1, column);
        }
        grid->setColumnStretch(2, 1);
        v->addLayout(grid);
        v->addLayout(selectRow(2, 3));
    }
    const std::array<std::pair<int, int>, 4> selects = {{{2, 3}, {0, 1}, {5, 4}, {7, 6}}};
    for (int page = 1; page <= 3; ++page) {
        auto *v = new QVBoxLayout(Frm[page]);
        auto *grid = new QGridLayout;
        addBoxColumns(grid, boxesOn(page));
        v->addLayout(grid);
        v->addStretch();
        v->addLayout(selectRow(selects[page].first, selects[page].second));
    }
    {
        auto *g = new QGridLayout(Frm[4]);
        g->addWidget(captionLabel("Select Broadcaster:", Frm[4]), 0, 0);
        g->addWidget(cobVoice, 0, 1);
        g->setRowStretch(1, 1);
        g->setColumnStretch(1, 1);
    }
    {
        auto *g = new QGridLayout(Frm[5]);
        g->addWidget(chkPrompt, 0, 0, 1, 2);
        g->addWidget(captionLabel("Email:", Frm[5]), 1, 0);
        g->addWidget(txtEmailAddress, 1, 1);
        g->addWidget(captionLabel("Email server address:", Frm[5]), 2, 0);
        g->addWidget(txtEmailServ, 2, 1);
        g->addWidget(captionLabel("News server address:", Frm[5]), 3, 0);
        g->addWidget(txtNewsServ, 3, 1);
        g->addWidget(chkProxy, 4, 0);
        g->addWidget(txtProxy, 4, 1);
        g->setRowStretch(5, 1);
        g->setColumnStretch(1, 1);
    }
    {
        auto *g = new QGridLayout(Frm[6]);
        g->addWidget(chkShutDown, 0, 0);
        g->addWidget(cmdUpgrade, 0, 1);
        g->addWidget(captionLabel("Update Prices Every:", Frm[6]), 1, 0);
        g->addWidget(cobSqd, 1, 1);
        g->addWidget(captionLabel("Select Bar Style:", Frm[6]), 2, 0);
        g->addWidget(cobStyle, 2, 1);
        g->addWidget(ChkNumeric[1], 3, 0);
        g->addWidget(ChkNumeric[0], 3, 1);
        g->addWidget(captionLabel("Set Splash Delay:", Frm[6]), 4, 0);
        g->addWidget(Text1, 4, 1);
        g->addWidget(captionLabel("Set Screen Saver Delay:", Frm[6]), 5, 0);
        g->addWidget(Text2, 5, 1);
        g->addWidget(cmdEmpty, 6, 1);
        g->setRowStretch(7, 1);
    }

    auto *body = new QHBoxLayout;
    body->addLayout(nav);
    body->addWidget(m_pages, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblInfo, 1);
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_cancel);
    buttons->addWidget(cmdHelp);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(body);
    outer->addLayout(buttons);
}

void Options::Form_Load()
{
    HourglassPointer busy;
    ExcFlag = 0;

    Text1->setText(loadDelay(SplashDelayRule));
    Text2->setText(loadDelay(SaverDelayRule));
    chkPrompt->setChecked(checkValueFromStore(QuerySetting(QStringLiteral("Prompt"))) == 1);
    for (int box = 0; box < BatchBoxCount; ++box)
        chkUpdate[box]->setChecked(checkValueFromStore(QuerySetting(updateSettingName(box))) == 1);
    ChkNumeric[0]->setChecked(checkValueFromStore(QuerySetting(QStringLiteral("Fractions"))) == 1);
    ChkNumeric[1]->setChecked(checkValueFromStore(QuerySetting(QStringLiteral("Volume"))) == 1);
    chkShutDown->setChecked(checkValueFromStore(QuerySetting(QStringLiteral("ShutDown"))) == 1);

    {
        // Filling a list is no choice of the user's.
        const QSignalBlocker quiet(cobStyle);
        for (int i = 0; i < BarStyleCount; ++i)
            cobStyle->addItem(barStyleCaption(i));
        cobStyle->setCurrentIndex(-1);
    }
    cobStyle->setCurrentIndex(barStyleIndexFor(QuerySetting(QStringLiteral("PicBar"))));
    {
        const QSignalBlocker quiet(cobSqd);
        for (int i = 0; i < IntervalChoiceCount; ++i)
            cobSqd->addItem(QString::fromLatin1(intervalChoice(i).caption));
        cobSqd->setCurrentIndex(-1);
    }
    cobSqd->setCurrentIndex(intervalIndexFor(QuerySetting(QStringLiteral("AutoUpdate"))));
    // The voices are filled when the voice page is first shown, so that
    // the speech engine starts only for a user who looks at them.

    CurPage = short(pageFor(QuerySetting(QStringLiteral("FrmNav"))));
    txtNewsServ->setText(QuerySetting(QStringLiteral("NewsServer")).toString());
    txtEmailServ->setText(QuerySetting(QStringLiteral("EmailServer")).toString());
    txtEmailAddress->setText(QuerySetting(QStringLiteral("Email")).toString());

    bool ok = false;
    const bool proxy = proxyEnabledFromStore(QuerySetting(QStringLiteral("ProxyE")), &ok);
    if (!ok) {
        ErrorTrap(QStringLiteral("Type mismatch"), ErrNo::TypeMismatch, QString::fromLatin1(ErrSource),
                  QStringLiteral("Option_Form_Load"), false);
        return;
    }
    chkProxy->setChecked(proxy);
    txtProxy->setEnabled(proxy);
    txtProxy->setText(QuerySetting(QStringLiteral("Proxy")).toString());

    lblNav_Click(CurPage);
}

void Options::fillVoices()
{
    if (m_voicesFilled)
        return;
    m_voicesFilled = true;
    const QStringList voices = speechEngine().voiceNames();
    {
        const QSignalBlocker quiet(cobVoice);
        cobVoice->addItems(voices);
        cobVoice->setCurrentIndex(-1);
    }
    cobVoice->setCurrentIndex(voiceIndexFor(QuerySetting(QStringLiteral("VoiceMode")), int(voices.size())));
}

SocketControl &Options::Winsock1()
{
    return m_version->Winsock1();
}

void Options::lblNav_Click(int Index)
{
    if (Index < 0 || Index >= OptionsPageCount)
        return;
    for (ClickLabel *label : lblNav)
        setTextColour(label, Blue);
    m_pages->setCurrentIndex(Index);
    setTextColour(lblNav[Index], Red);
    CurPage = short(Index);
    if (Index == 4 && isVisible())
        fillVoices();
}

void Options::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (CurPage == 4)
        fillVoices();
}

bool Options::event(QEvent *e)
{
    // The page keys come before the buttons' own Alt keys.
    if (e->type() == QEvent::ShortcutOverride && pageKey(static_cast<QKeyEvent *>(e)) >= 0) {
        e->accept();
        return true;
    }
    return QDialog::event(e);
}

void Options::keyPressEvent(QKeyEvent *e)
{
    const int page = pageKey(e);
    if (page >= 0) {
        lblNav_Click(page);
        return;
    }
    QDialog::keyPressEvent(e);
}

bool Options::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        if (auto *box = qobject_cast<QCheckBox *>(watched))
            hoverCheckBox(box);
        else if (qobject_cast<QGroupBox *>(watched))
            hoverCheckBox(nullptr);
    } else if (e->type() == QEvent::FocusOut && !otherWindowTookFocus(static_cast<QFocusEvent *>(e))) {
        if (watched == Text1)
            Text1_LostFocus();
        else if (watched == Text2)
            Text2_LostFocus();
        else if (watched == txtProxy)
            txtProxy_LostFocus();
    }
    return QDialog::eventFilter(watched, e);
}

// The caption under the pointer turns blue, all others black.
void Options::hoverCheckBox(QCheckBox *box)
{
    if (box && box == m_blueBox)
        return;
    if (!box && !m_blueBox)
        return;
    for (QCheckBox *b : m_checkBoxes)
        setTextColour(b, Qt::black);
    if (box)
        setTextColour(box, Blue);
    m_blueBox = box;
}

void Options::chkPrompt_Click()
{
    SaveSetting(QStringLiteral("Prompt"), value(chkPrompt));
}

void Options::chkShutDown_Click()
{
    SaveSetting(QStringLiteral("ShutDown"), value(chkShutDown));
}

void Options::chkProxy_Click()
{
    txtProxy->setEnabled(chkProxy->isChecked());
    SaveSetting(QStringLiteral("ProxyE"), value(chkProxy));
    ApplyStoredProxy();
}

void Options::txtProxy_LostFocus()
{
    SaveSetting(QStringLiteral("Proxy"), txtProxy->text());
    ApplyStoredProxy();
}

void Options::cobSqd_Click()
{
    const int index = cobSqd->currentIndex();
    if (index < 0)
        return;
    UpdateInterval = intervalChoice(index).minutes;
    SaveSetting(QStringLiteral("AutoUpdate"), int(UpdateInterval));
    if (g_timerHook)
        g_timerHook(UpdateInterval != 0);
}

void Options::cobStyle_Click()
{
    const int index = cobStyle->currentIndex();
    if (index < 0)
        return;
    SaveSetting(QStringLiteral("PicBar"), index);
    if (g_skinHook)
        g_skinHook();
    else
        LoadBarSkin({});
    DoEvents();
}

void Options::cobVoice_Click()
{
    const int index = cobVoice->currentIndex();
    if (index < 0)
        return;
    HourglassPointer busy;
    SpeechEngine &speech = speechEngine();
    if (speech.isSpeaking())
        speech.stop();
    speech.setVoiceMode(index + 1);
    SaveSetting(QStringLiteral("VoiceMode"), index);
    DoEvents();
    DoEvents();
}

void Options::cmdSelect_Click(int Index)
{
    if (Index < 0 || Index >= SelectButtonCount)
        return;
    const bool tick = selectButton(Index).ticks;
    for (int box : selectButtonBoxes(Index))
        chkUpdate[box]->setChecked(tick);
}

void Options::lblExc_Click(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    // One flag for the three labels.
    ExcFlag = ExcFlag == 1 ? 0 : 1;
    for (int box : exchangeColumnBoxes(Index))
        chkUpdate[box]->setChecked(ExcFlag == 1);
}

void Options::Text1_LostFocus()
{
    QString text = Text1->text();
    if (!CheckDelay(text, SplashDelayRule))
        Text1->setText(text);
}

void Options::Text2_LostFocus()
{
    QString text = Text2->text();
    if (!CheckDelay(text, SaverDelayRule))
        Text2->setText(text);
}

bool Options::CheckUpdateSelection()
{
    for (QCheckBox *box : chkUpdate) {
        if (box->isChecked())
            return true;
    }
    chkUpdate[0]->setChecked(true);
    MsgBox(QStringLiteral("You have to select at least one option"), Msg::OKOnly + Msg::Information, QString());
    return false;
}

void Options::cmd_OK_Click()
{
    if (isClosing(this))
        return;
    {
        HourglassPointer busy;
        if (!CheckUpdateSelection())
            return;
        // A delay that is no whole number in its range is never stored.
        QString splash = Text1->text();
        QString saver = Text2->text();
        const bool splashOk = CheckDelay(splash, SplashDelayRule);
        Text1->setText(splash);
        if (!splashOk)
            return;
        const bool saverOk = CheckDelay(saver, SaverDelayRule);
        Text2->setText(saver);
        if (!saverOk)
            return;

        OptionsValues values;
        values.splashDelay = splash;
        values.saverDelay = saver;
        for (int box = 0; box < BatchBoxCount; ++box)
            values.update[box] = value(chkUpdate[box]);
        values.fractions = value(ChkNumeric[0]);
        values.volume = value(ChkNumeric[1]);
        values.page = CurPage;
        values.newsServer = txtNewsServ->text();
        values.emailServer = txtEmailServ->text();
        values.email = txtEmailAddress->text();
        const QString fractionsWere = ShowFractions, volumeWas = ShowVolume;
        StoreOptions(values);
        // Prices and volumes are shown the new way at once.
        if ((ShowFractions != fractionsWere || ShowVolume != volumeWas) && CurType == QLatin1String("Current"))
            FG_Current();
    }
    closeForm();
}

void Options::cmd_cancel_Click()
{
    closeForm();
}

void Options::reject()
{
    // Esc and the close box leave as Cancel does.
    cmd_cancel_Click();
}

void Options::closeForm()
{
    if (!beginClosing(this))
        return;
    RollWindow(this, 25);
    DoEvents();
    if (g_options == this) {
        UnloadOptions();
    } else {
        hide();
        deleteLater();
    }
    DoEvents();
}

void Options::cmdHelp_Click()
{
    OpenHelpTopic(1002, DataDir);
}

void Options::cmdEmpty_Click()
{
    EmptyCache();
}

void Options::cmdUpgrade_Click()
{
    // The check outlives this form should it be closed during the wait.
    const std::shared_ptr<VersionCheck> check = m_version;
    QPointer<Options> self(this);
    cmdUpgrade->setEnabled(false);
    const bool newer = check->run([self](const QString &status) {
        if (self)
            self->lblInfo->setText(status);
    });
    if (self && !isClosing(self))
        cmdUpgrade->setEnabled(true);
    if (newer) {
        UnloadOptions();
        ShowUpgrade([] { LoadOptions().show(); });
    }
}

Options *optionsWindow()
{
    return g_options.data();
}

Options &LoadOptions()
{
    if (!g_options)
        g_options = new Options;
    return *g_options;
}

void UnloadOptions()
{
    Options *form = g_options;
    if (!form)
        return;
    g_options.clear();
    form->hide();
    form->deleteLater();
}

void ShowOptions(QWidget *owner, int tickerTop, int page)
{
    Options &form = LoadOptions();
    if (page >= 0)
        form.lblNav_Click(page);
    if (form.isVisible()) {
        // Already open: its own modal loop is running.
        form.raise();
        form.activateWindow();
        return;
    }
    if (owner)
        form.setParent(owner, form.windowFlags() | Qt::Dialog);
    // Measured as it will be shown: centred on the main window, 700 twips
    // below its ticker, and wholly on the screen even where the main window
    // is narrower than the form or stands at the screen's edge.
    form.ensurePolished();
    form.adjustSize();
    if (owner) {
        const int left = (owner->width() - form.frameGeometry().width()) / 2;
        placeOnScreen(&form, owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTop + 700.0, owner))));
    }
    form.setModal(true);
    form.exec();
}

bool OptionsBoxTicked(int box)
{
    if (box < 0 || box >= BatchBoxCount)
        return false;
    return LoadOptions().chkUpdate[box]->isChecked();
}

void setUpdateTimerHook(std::function<void(bool)> hook)
{
    g_timerHook = std::move(hook);
}

void setBarSkinHook(std::function<void()> hook)
{
    g_skinHook = std::move(hook);
}
