// The Start menu with its Update, Setting and Help submenus.
#include "mainwindow/ui/frmMain.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/ui/DimScreen.h"
#include "core/ui/frmSplash.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "core/Version.h"
#include "retrieval/ui/Options.h"
#include "services/ui/GRP.h"
#include "services/ui/Thanks.h"
#include "services/ui/frmEmail.h"
#include "services/ui/frmSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <QAction>
#include <QMenu>

namespace {
struct HelpTopic
{
    const char *caption;
    int context; // 0: no help page
};
const HelpTopic HelpTopics[] = {{"Documentation", 1001},   {"Getting Started", 1012},
                                {"How To..", 1011},        {"References", 1013},
                                {"Keyboard Shortcut", 1009}, {"Tecnical Support or Questions", 1008},
                                {"-", 0},                  {"Relax", 0}};
const char *const SettingPages[] = {"Daily Consulting", "Stock Data",   "Market Data",            "Funds",
                                    "Voice Option",     "Network Setting", "Brindlewick Preferences"};
} // namespace

void frmMain::createStartMenu()
{
    mnuStart = new QMenu(QStringLiteral("Start"), this);
    mnuStart->setObjectName(QStringLiteral("mnuStarts"));

    mnuUpdateMenu = new QMenu(QStringLiteral("U&pdate"), this);
    mnuUpdateMenu->setObjectName(QStringLiteral("mnuUpdate"));
    const char *const updateCaptions[] = {"Update Selected Group", "Update Selected Stock", nullptr, "-", "Hang-up"};
    for (int i = 0; i < 5; ++i) {
        if (!updateCaptions[i]) {
            mnuUpdate << nullptr; // there is no item 2
            continue;
        }
        QAction *a = i == 3 ? mnuUpdateMenu->addSeparator()
                            : mnuUpdateMenu->addAction(QString::fromLatin1(updateCaptions[i]));
        connect(a, &QAction::triggered, this, [this, i] { mnuUpdate_Click(i); });
        mnuUpdate << a;
    }
    // "Hang-up" is offered only while a connection is up.
    connect(mnuUpdateMenu, &QMenu::aboutToShow, this, [this] { mnuStart_Click(0); });

    mnuEmail = new QMenu(QStringLiteral("&Email"), this);
    const char *const mailItems[] = {"New Massage", "Tell It To Your Friend", "Bug Report",
                                     "Send Error Log To Pellor", "Send Feedback To Pellor", "Technical Support "};
    for (int i = 0; i < 6; ++i) {
        QAction *a = mnuEmail->addAction(QString::fromLatin1(mailItems[i]));
        connect(a, &QAction::triggered, this, [this, i] { mnuEmail_Click(i); });
    }
    mnuSetting = new QMenu(QStringLiteral("&Setting"), this);
    for (int i = 0; i < 7; ++i) {
        QAction *a = mnuSetting->addAction(QString::fromLatin1(SettingPages[i]));
        connect(a, &QAction::triggered, this, [this, i] { mnuSetting_Click(i); });
    }
    mnuHelp = new QMenu(QStringLiteral("&Help"), this);
    for (int i = 0; i < 8; ++i) {
        if (QLatin1String(HelpTopics[i].caption) == QLatin1String("-")) {
            mnuHelp->addSeparator();
            continue;
        }
        QAction *a = mnuHelp->addAction(QString::fromLatin1(HelpTopics[i].caption));
        connect(a, &QAction::triggered, this, [this, i] { mnuHelp_Click(i); });
    }

    mnuStartItems = QList<QAction *>(9, nullptr);
    mnuStartItems[0] = mnuStart->addMenu(mnuUpdateMenu);
    mnuStartItems[1] = mnuStart->addSeparator();
    mnuStartItems[2] = mnuStart->addMenu(mnuEmail);
    mnuStartItems[4] = mnuStart->addMenu(mnuSetting);
    mnuStartItems[5] = mnuStart->addMenu(mnuHelp);
    mnuStartItems[6] = mnuStart->addAction(QStringLiteral("&About Brindlewick"));
    mnuStartItems[7] = mnuStart->addSeparator();
    mnuStartItems[8] = mnuStart->addAction(QStringLiteral("Sh&ut Down  (Alt X)"));
    connect(mnuStartItems[6], &QAction::triggered, this, [this] { mnuStart_Click(6); });
    connect(mnuStartItems[8], &QAction::triggered, this, [this] { mnuStart_Click(8); });
}

void frmMain::mnuStart_Click(int Index)
{
    switch (Index) {
    case 0:
        // There is no dial-up connection here to hang up.
        mnuUpdate[4]->setEnabled(false);
        break;
    case 6:
        // About: the splash window, modal over the main window.
        ShowAbout(this);
        break;
    case 8:
        // Shut down, after the question when the user asked for one.
        if (!(QueryValue(HKEY_CURRENT_USER, QStringLiteral("Software\\Pellor\\Brindlewick5\\"),
                         QStringLiteral("ShutDown"))
              == 0)) {
            DimForm(this);
            const int answer = MsgBox(QStringLiteral("Do you realy want to quit Brindlewick?"),
                                      Msg::YesNo + Msg::Question, QStringLiteral("Shut Down Brindlewick"));
            if (answer != Msg::Yes) {
                ResetScreen();
                return;
            }
        }
        ExitApp();
        break;
    default:
        break;
    }
}

void frmMain::mnuSetting_Click(int Index)
{
    SaveSetting(QStringLiteral("FrmNav"), QString::number(Index));
    emit settingsRequested(Index);
    ShowOptions(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)), Index);
}

void frmMain::mnuHelp_Click(int Index)
{
    if (Index < 0 || Index > 7)
        return;
    if (Index == 7) {
        ShowGRP(); // "Relax"
        return;
    }
    if (HelpTopics[Index].context != 0)
        OpenHelpTopic(HelpTopics[Index].context, DataDir);
}

void frmMain::mnuEmail_Click(int Index)
{
    const int tickerTop = qRound(Twips::fromPixelsY(NewsTicker1->y(), this));
    switch (Index) {
    case 0:
    case 1:
    case 2: {
        frmEmail *mail = ShowEmail(this, tickerTop);
        if (Index == 1) {
            mail->txtSubject->setText(QStringLiteral("You have to try it!"));
            mail->txtBody->setPlainText(
                QStringLiteral("Hi,\r\nI find this private adviser amazing!\r\nYou must try it, download it from: \"")
                + QString::fromLatin1(UpgradeArchiveUrl) + QStringLiteral("\" or, go to \"")
                + QString::fromLatin1(HomePageUrl) + QStringLiteral("\".\r\n\r\nRegards"));
        } else if (Index == 2) {
            mail->txtSubject->setText(QStringLiteral("I would like to report on bug!"));
            mail->txtToEmail->setText(QString::fromLatin1(SupportAddress));
            mail->txtBody->setPlainText(QStringLiteral("Hello, I'm using ") + QString::fromLatin1(TrademarkText)
                                        + QStringLiteral(". \r\n"));
            mail->chkError->setChecked(true);
            mail->chkError->setVisible(true);
        }
        break;
    }
    case 3: SendErrorLog(); break;
    case 4: ShowThanks(); break;
    case 5: ShowSupport(this, tickerTop); break;
    default: break;
    }
}
