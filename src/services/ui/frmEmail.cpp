#include "services/ui/frmEmail.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/TextHelpers.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "platform/ui/CloseBox.h"
#include "platform/ui/FormInstance.h"
#include "services/MailJobs.h"
#include "services/SmtpClient.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<frmEmail> g_email;
} // namespace

frmEmail::frmEmail(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("frmEmail"));
    setWindowTitle(QStringLiteral("New Massage"));

    const auto field = [this](const char *name, const char *tip) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        if (tip)
            box->setToolTip(QLatin1String(tip));
        return box;
    };
    txtFromEmail = field("txtFromEmail", "Email");
    txtFromName = field("txtFromName", "Name");
    txtToEmail = field("txtToEmail", "Recipient Email");
    txtToName = field("txtToName", nullptr);
    txtSubject = field("txtSubject", nullptr);
    txtBody = new QPlainTextEdit(this);
    txtBody->setObjectName(QStringLiteral("txtBody"));
    txtServer = field("txtServer", nullptr);
    chkError = new QCheckBox(QStringLiteral("Send Errors Log"), this);
    cmdSend = new QPushButton(QStringLiteral("&Send"), this);
    cmdSend->setToolTip(QStringLiteral("Send Email"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setToolTip(QStringLiteral("Close Window"));
    StatusTxt = new QLabel(this);
    StatusTxt->setFrameShape(QFrame::StyledPanel);
    StatusTxt->setFrameShadow(QFrame::Sunken);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("From:"), txtFromEmail);
    form->addRow(QStringLiteral("Name:"), txtFromName);
    form->addRow(QStringLiteral("To:"), txtToEmail);
    form->addRow(QStringLiteral("Recipient's Name:"), txtToName);
    form->addRow(QStringLiteral("Subject:"), txtSubject);
    form->addRow(QStringLiteral("Body:"), txtBody);
    form->addRow(QStringLiteral("E-Mail Server:"), txtServer);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkError);
    buttons->addStretch();
    buttons->addWidget(cmdSend);
    buttons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addLayout(buttons);
    all->addWidget(StatusTxt);

    connect(cmdSend, &QPushButton::clicked, this, &frmEmail::cmdSend_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmEmail::cmdclose_Click);
    // The close box unloads the window as Close does: a new message starts empty.
    onCloseBox(this, [this] { cmdclose_Click(); });
    resize(Twips::toPixelsX(6600, this), Twips::toPixelsY(5400, this));
    Form_Load();
}

void frmEmail::Form_Load()
{
    txtServer->setText(QuerySetting(QStringLiteral("EmailServer")).toString());
    txtFromEmail->setText(QuerySetting(QStringLiteral("Email")).toString());
}

void frmEmail::cmdSend_Click()
{
    if (m_inFlight.busy() || isClosing(this))
        return; // one mail at a time
    if (!CheckConnection())
        return;
    const auto missing = [](const QString &text, QLineEdit *box) {
        MsgBox(text, Msg::OKOnly + Msg::Critical, QStringLiteral("Please fill empty fileds"));
        box->setFocus();
    };
    if (txtServer->text().isEmpty()) {
        missing(QStringLiteral("You must enter your Email server (Ex.: \"") + QString::fromLatin1(ExampleSmtpServer)
                    + QStringLiteral("\")"),
                txtServer);
        return;
    }
    if (txtToEmail->text().isEmpty()) {
        missing(QStringLiteral("You must enter Recipient's E-mail address (Ex.: \"friend@example.com\")"), txtToEmail);
        return;
    }
    // A mail needs a sender: a name alone or an address alone fills the
    // "From:" header, with neither it would hold nothing.
    if (txtFromEmail->text().trimmed().isEmpty() && txtFromName->text().trimmed().isEmpty()) {
        missing(QStringLiteral("You must enter your E-mail address (Ex.: \"you@example.com\")"), txtFromEmail);
        return;
    }
    if (!CheckConnection())
        return;
    const QString log = chkError->isChecked() ? ReadFile(DataDir + QStringLiteral("\\ErrorLog.txt")) : QString();
    SmtpClient mail;
    mail.statusChanged = [this](const QString &s) { StatusTxt->setText(s); };
    const bool sent = m_inFlight.run(mail, [&] {
        return mail.SendEmail(txtServer->text(), txtFromName->text(), txtFromEmail->text(), txtToName->text(),
                              txtToEmail->text(), txtSubject->text(),
                              txtBody->toPlainText() + QStringLiteral("\r\n") + log);
    });
    if (m_inFlight.released())
        return; // closed while it was sent
    if (!sent) {
        // What was typed stays for another try.
        StatusTxt->setText(QStringLiteral("Mail Not Sent"));
        MsgBox(mail.LastFailure, Msg::OKOnly + Msg::Information);
        return;
    }
    StatusTxt->setText(QStringLiteral("Mail Sent"));
    QApplication::beep();
    cmdclose_Click();
}

void frmEmail::cmdclose_Click()
{
    if (!beginClosing(this))
        return;
    m_inFlight.abort();
    RollWindow(this, 25);
    UnloadEmail();
}

frmEmail *emailWindow()
{
    return g_email.data();
}

frmEmail *ShowEmail(QWidget *owner, int tickerTopTwips)
{
    if (!g_email) {
        g_email = new frmEmail(owner);
        g_email->setWindowModality(Qt::ApplicationModal);
    }
    frmEmail *w = g_email;
    if (owner) {
        const int left = owner->width() / 2 - w->width() / 2;
        w->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips + 700, owner))));
    } else {
        FormInstance<frmEmail>::centreOnScreen(w);
    }
    w->show();
    w->raise();
    return w;
}

void UnloadEmail()
{
    frmEmail *w = g_email;
    if (!w)
        return;
    g_email.clear();
    w->hide();
    w->m_inFlight.release(w);
}
