#include "retrieval/ui/NetSetting.h"

#include "core/ui/ClosingGuard.h"
#include "platform/ui/FormInstance.h"
#include "core/Registry.h"
#include "core/ui/WindowEffects.h"
#include "core/ui/frmSplash.h"
#include "platform/Sleep.h"
#include "retrieval/transport/TransferFetch.h"
#include "services/ui/Thanks.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {
FormInstance<NetSetting> g_netSetting;

QString checkValue(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

NetSetting::NetSetting(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("NetSetting"));
    setWindowTitle(QStringLiteral("Brindlewick Setting"));

    Label1 = new QLabel(QStringLiteral("Enter your Email server (ex. mail.example.com):"), this);
    Label2 = new QLabel(QStringLiteral("Enter your news server (ex. news.example.com):"), this);
    Label3 = new QLabel(QStringLiteral("Enter your Email address (ex. you@example.com):"), this);
    for (int i = 0; i < 3; ++i)
        txtData << new QLineEdit(this);
    chkProxy = new QCheckBox(QStringLiteral("Use proxy server:"), this);
    txtProxy = new QLineEdit(this);
    Check1 = new QCheckBox(QStringLiteral("Prompt me to dial when connection is neaded"), this);
    cmdclose = new QPushButton(QStringLiteral("&Close"), this);

    // Design state: both boxes unticked, so the proxy box starts disabled.
    txtProxy->setEnabled(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(txtData[0], 1, 0, 1, 2);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addWidget(txtData[1], 3, 0, 1, 2);
    grid->addWidget(Label3, 4, 0, 1, 2);
    grid->addWidget(txtData[2], 5, 0, 1, 2);
    grid->addWidget(chkProxy, 6, 0);
    grid->addWidget(txtProxy, 6, 1);
    grid->addWidget(Check1, 7, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdclose);
    grid->addLayout(buttons, 8, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(380);

    connect(Check1, &QCheckBox::toggled, this, &NetSetting::Check1_Click);
    connect(chkProxy, &QCheckBox::toggled, this, &NetSetting::chkProxy_Click);
    connect(cmdclose, &QPushButton::clicked, this, &NetSetting::cmdclose_Click);

    adjustSize();
    Form_Load();
}

void NetSetting::Form_Load()
{
    init();
}

void NetSetting::init()
{
    // The splash stays up, painted, for a moment; this dialog is not shown yet.
    PaintedSleep(2000);
    UnloadSplash();
    txtData[1]->setText(QuerySetting(QStringLiteral("NewsServer")).toString());
    txtData[0]->setText(QuerySetting(QStringLiteral("EmailServer")).toString());
    txtData[2]->setText(QuerySetting(QStringLiteral("Email")).toString());
    // Marked at once, so the next start is no first run even if this dialog
    // never closes through its button.
    SaveSetting(QStringLiteral("RunOnce"), QStringLiteral("1"));
    SaveSetting(QStringLiteral("ShutDown"), QStringLiteral("0"));
    DoEvents();
}

void NetSetting::Check1_Click()
{
    SaveSetting(QStringLiteral("Prompt"), checkValue(Check1));
}

void NetSetting::chkProxy_Click()
{
    txtProxy->setEnabled(chkProxy->isChecked());
    SaveSetting(QStringLiteral("ProxyE"), checkValue(chkProxy));
    ApplyStoredProxy();
}

void NetSetting::closeEvent(QCloseEvent *event)
{
    // Closed by the window's own close box: go on as Close does, or the
    // first run would end with no window and a program still running.
    event->ignore();
    cmdclose_Click();
}

void NetSetting::cmdclose_Click()
{
    // The roll-up lets events run; a second click must not start it again.
    if (!beginClosing(this))
        return;
    SaveSetting(QStringLiteral("Prompt"), checkValue(Check1));
    // Empty boxes keep whatever is stored.
    if (!txtData[1]->text().isEmpty())
        SaveSetting(QStringLiteral("NewsServer"), txtData[1]->text());
    if (!txtData[2]->text().isEmpty())
        SaveSetting(QStringLiteral("Email"), txtData[2]->text());
    if (!txtData[0]->text().isEmpty())
        SaveSetting(QStringLiteral("EmailServer"), txtData[0]->text());
    SaveSetting(QStringLiteral("Proxy"), txtProxy->text());
    SaveSetting(QStringLiteral("ProxyE"), checkValue(chkProxy));
    ApplyStoredProxy();

    RollWindow(this, 25);
    UnloadNetSetting();
    DoEvents();
    // From here on this form is on its way out: touch no member.
    ShowThanks();
    DoEvents();
}

NetSetting *netSettingWindow()
{
    return g_netSetting.get();
}

void ShowNetSetting()
{
    g_netSetting.show();
}

void UnloadNetSetting()
{
    g_netSetting.unload();
}
