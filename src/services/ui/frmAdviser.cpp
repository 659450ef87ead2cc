#include "services/ui/frmAdviser.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Help.h"
#include "platform/Latin1File.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/DesignRow.h"
#include "platform/ui/FormInstance.h"
#include "services/Adviser.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QKeyEvent>
#include <QPushButton>

namespace {

QPointer<frmAdviser> g_adviser;

// Controls sit where the window's design puts them (twips).
void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixelsX(left, w), Twips::toPixelsY(top, w), Twips::toPixelsX(width, w),
                   Twips::toPixelsY(height, w));
}

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmAdviser::frmAdviser(const ServiceBox &box, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), m_box(box)
{
    setObjectName(QStringLiteral("frmAdviser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixelsX(7575, this), Twips::toPixelsY(4425, this));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(p);
    setAutoFillBackground(true);

    Label1 = new QLabel(QStringLiteral("...The Brindlewick Adviser..."), this);
    QFont heading(QStringLiteral("Times New Roman"), 11);
    heading.setPointSizeF(11.25);
    heading.setBold(true);
    heading.setItalic(true);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: #0000ff;"));
    place(Label1, 120, 0, 7335, 255);

    Label2 = new QLabel(this);
    Label2->setStyleSheet(QStringLiteral("color: rgb(64, 64, 64);"));
    place(Label2, 120, 360, 7335, 495);

    txtTip = new QPlainTextEdit(this);
    txtTip->setLineWrapMode(QPlainTextEdit::NoWrap);
    place(txtTip, 120, 960, 7335, 2775);

    Check1 = new QCheckBox(QStringLiteral("Weekly adviser service"), this);
    place(Check1, 120, 3840, 2655, 195);

    cmdClose = button(QStringLiteral("&Close"), this);
    cmdClose->setToolTip(QStringLiteral("Close This Window"));

    cmdUpdate = button(QStringLiteral("&Get Free Tip"), this);

    cmdFull = button(QStringLiteral("&Full Service User"), this);
    QFont bold = cmdFull->font();
    bold.setBold(true);
    cmdFull->setFont(bold);
    cmdFull->setStyleSheet(QStringLiteral("QPushButton { background: rgb(192, 192, 255); }"));

    lblInfo = new QLabel(QStringLiteral("------"), this);
    lblInfo->hide();

    cmdHelp = button(QStringLiteral("&Help"), this);
    cmdHelp->setToolTip(QStringLiteral("Click For Help"));
    // The button row; where the style needs wider buttons the window grows.
    const int right = placeRow({{cmdClose, 120, 975}, {cmdUpdate, 1200, 1215}, {cmdFull, 2520, 1815},
                                {lblInfo, 4440, 1935}, {cmdHelp, 6480, 975}},
                               4080, 300);
    const int margin = Twips::toPixelsX(120, this);
    if (right + margin > width()) {
        setFixedSize(right + margin, height() + cmdHelp->height() - Twips::toPixelsY(300, this));
        for (QWidget *w : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2), static_cast<QWidget *>(txtTip)})
            w->resize(right - margin, w->height());
    }

    setTabOrder(cmdFull, cmdClose);
    setTabOrder(cmdClose, cmdHelp);
    setTabOrder(cmdHelp, txtTip);
    setTabOrder(txtTip, cmdUpdate);
    setTabOrder(cmdUpdate, Check1);

    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdclose_Click(); });
    connect(cmdFull, &QPushButton::clicked, this, [] { OpenHelpTopic(1010, DataDir); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { OpenHelpTopic(1007, DataDir); });

    init(); // Form_Load
}

void frmAdviser::init()
{
    Label2->setText(QStringLiteral("Weekly market notes from the Harbour Street Investment Letter,\r\n"
                                   "30 years of proven high quality experienced institute."));
    bool found = false;
    txtTip->setPlainText(cutTip(readLatin1File(tipFilePath()).value_or(QString()), &found));
    // Without a tip the box keeps its unticked look and the settings
    // window's tick is left alone; with one it shows that tick (writing it
    // back is the same value).
    if (found && m_box.ticked) {
        Check1->setChecked(m_box.ticked());
        Check1_Click();
    }
}

void frmAdviser::Check1_Click()
{
    if (m_box.setTicked)
        m_box.setTicked(Check1->isChecked());
}

void frmAdviser::cmdUpdate_Click()
{
    // The tip loads while pending events run: a close meanwhile waits
    // until the fetch is back.
    const QPointer<frmAdviser> self(this);
    const BusyWindow busy(this);
    const bool online = CheckConnection();
    if (!self)
        return;
    if (online) {
        lblInfo->setText(QStringLiteral("Downloading Data.."));
        lblInfo->show();
        cmdUpdate->setEnabled(false);
        const TipFetch result = UpdateAdvise();
        DoEvents();
        if (!self)
            return;
        if (result == TipFetch::Busy)
            lblInfo->setText(QStringLiteral("Update running, try later"));
        else if (result == TipFetch::Failed)
            lblInfo->setText(QStringLiteral("No tip fetched"));
        else
            lblInfo->hide();
    }
    cmdUpdate->setEnabled(true);
}

void frmAdviser::cmdclose_Click()
{
    if (ClosingAttempt closing(this); closing)
        closing.finish(25);
}

void frmAdviser::keyPressEvent(QKeyEvent *event)
{
    // The window has no title bar and no close box: Esc closes it as Close does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdclose_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

frmAdviser *adviserWindow()
{
    return g_adviser.data();
}

void ShowAdviser(QWidget *owner, int tickerTopTwips, const frmAdviser::ServiceBox &box)
{
    // Loaded afresh each time: the tip is read from the file again.
    if (g_adviser)
        delete g_adviser.data();
    g_adviser = new frmAdviser(box, owner);
    g_adviser->setWindowModality(Qt::ApplicationModal);
    frmAdviser *w = g_adviser;
    if (owner) {
        const int left = owner->width() / 2 - w->width() / 2;
        w->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips + 700, owner))));
    } else {
        FormInstance<frmAdviser>::centreOnScreen(w);
    }
    w->show();
    w->raise();
}

void UnloadAdviser()
{
    if (g_adviser)
        g_adviser->close();
}
