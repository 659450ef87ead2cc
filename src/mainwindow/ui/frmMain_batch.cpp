// The main window's part in the batch update: the toolbar's faces and its
// first button, the auto-update timer, the tray icon, and the table that
// ties each update box to its fetch routine.
#include "mainwindow/ui/frmMain.h"

#include "core/Connection.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "navigation/NodeDispatcher.h"
#include "retrieval/transport/RunState.h"
#include "sheets/market/PriceSheet.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "retrieval/AutoUpdate.h"
#include "retrieval/MarketFetch.h"
#include "retrieval/PriceFetch.h"
#include "retrieval/SymbolFetch.h"
#include "retrieval/ui/Options.h"
#include "services/Adviser.h"
#include "sheets/market/FundPages.h"
#include "sheets/symbol/Profile.h"
#include "sheets/market/IpoCalendars.h"
#include "sheets/market/SplitCalendars.h"
#include "sheets/market/UsIndices.h"
#include "sheets/market/WorldMarkets.h"
#include "sheets/market/IpoLists.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

void frmMain::Picture1_MouseDown(int Index)
{
    Picture1[Index]->setPicture(LoadResPicture(QStringLiteral("B2")));
}

void frmMain::Picture1_MouseUp(int Index)
{
    Picture1[Index]->setPicture(LoadResPicture(QStringLiteral("B1")));
}

void frmMain::Picture1_MouseMove(int Index)
{
    if (Index == 0 && lblDesc[0]->text() == QLatin1String("Stop"))
        return;
    if (!ToolbarHot) {
        Picture1[Index]->setPicture(LoadResPicture(QStringLiteral("B3")));
        ToolbarHot = true;
    }
}

QString frmMain::updateCaption() const
{
    return lblDesc[0]->text();
}

void frmMain::setRunningLook(bool running)
{
    const QString caption = running ? QStringLiteral("Stop") : QStringLiteral("Update");
    lblDesc[0]->setText(caption);
    if (!mnuTray.isEmpty())
        mnuTray[0]->setText(caption);
    Panel1[1]->setEnabled(!running);
    mnuSets->setEnabled(!running);
    Picture1[4]->setEnabled(!running);
    Picture1[0]->setPicture(LoadResPicture(running ? QStringLiteral("B4") : QStringLiteral("B1")));
}

void frmMain::UpdateAll()
{
    ::UpdateAll(*this, batchTable(), batchServices());
}

BatchServices frmMain::batchServices() const
{
    BatchServices services;
    services.checkConnection = [] { return CheckConnection(); };
    services.boxTicked = OptionsBoxTicked;
    services.sendFeedback = sendFeedbackMail;
    return services;
}

BatchTable frmMain::batchTable() const
{
    // Boxes whose fetch routine is not part of this build stay empty and
    // are not counted.
    BatchTable table;
    table[0] = [] { ::UpdateRec(); };
    table[1] = [this] {
        UpdatePrices();
        // The selected stock alone: its quote shows on the price sheet at
        // once, a stock just added getting its row.
        if (UpdateSelectedOnly && CurType == QLatin1String("Current") && !CurSymbol.isEmpty()) {
            ::FG_Current();
            selectPriceRow(*FGModel, GetDisplayName());
        }
    };
    table[2] = [] { UpdateNews(); };
    table[3] = [] { UpdateReport(QStringLiteral("ABS"), QStringLiteral("   Updating Annual Balance Sheet...")); };
    table[4] = [] { UpdateReport(QStringLiteral("AIS"), QStringLiteral("   Updating Annual Income Statement...")); };
    table[5] = [] { UpdateEE(); };
    table[6] = [] { ::UpdateQR(); };
    table[7] = [] { ::UpdateIT(); };
    table[8] = [] { ::UpdateOptions(); };
    table[9] = [] { Update_Splits(); };
    table[10] = [] { Update_UpgradeHistory(); };
    table[11] = [] { Update_DowngradeHistory(); };
    table[12] = [] { Update_Momentum(); };
    table[13] = [] { Update_BrokerReports(); };
    table[14] = [] { Update_Profile(); };
    table[88] = [] { Update_SI(); };
    table[15] = [] { ::UpdateSurp(); };
    table[16] = [] { ::UpdateWinners(); };
    table[17] = [] { UpdateLosers(); };
    table[18] = [] { ::UpdateUpDown(); };
    table[19] = [] { ::UpdateAdvise(); };
    table[50] = [] { Update_US(); };
    table[51] = [] { Update_WMarket(); };
    table[52] = [] { Update_IPO_Last(); };
    table[53] = [] { Update_IPO_News(); };
    table[54] = [] { Update_IPO_Gain(); };
    table[55] = [] { Update_IPO_Loss(); };
    table[56] = [] { Update_IPO_Reg(); };
    table[57] = [] { ::Update_IPO_Price(); };
    table[58] = [] { Update_IPO_With(); };
    table[60] = [] { ::Update_OptSum(); };
    for (int i = 0; i < fundKeys().size(); ++i) {
        const QString key = fundKeys()[i];
        table[61 + i] = [key] { Update_Funds(key); };
    }
    for (short i = 0; i < 5; ++i)
        table[83 + i] = [i] { Update_SplitCal(i); };
    for (int box = FirstBigMoversBox; box <= LastBigMoversBox; ++box) {
        const BigMoversReport r = bigMoversReportOfBox(box);
        table[box] = [r] { UpdateBigMovers(r.report, r.code, r.exchange, r.title); };
    }
    return table;
}

void frmMain::Timer1_Timer()
{
    AutoUpdateTick(lblDesc[0]->text(), [] { return CheckConnection(); }, [this] { Picture1_Click(0); });
}

void frmMain::createTrayIcon()
{
    mnuTrays = new QMenu(QStringLiteral("Tray"), this);
    const char *const captions[] = {"Update", "-", "New Massage", "Tell It To Your Friend", "-",
                                    "Help", "About", "-", "Shut Down Brindlewick"};
    for (int i = 0; i < 9; ++i) {
        QAction *a = QLatin1String(captions[i]) == QLatin1String("-")
                         ? mnuTrays->addSeparator()
                         : mnuTrays->addAction(QString::fromLatin1(captions[i]));
        connect(a, &QAction::triggered, this, [this, i] { mnuTray_Click(i); });
        mnuTray << a;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    TrayIcon1 = new QSystemTrayIcon(ProgramIcon(), this);
    TrayIcon1->setToolTip(QStringLiteral("Double Click To Update"));
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::DoubleClick: TrayIcon1_Event10(); break;
        case QSystemTrayIcon::Trigger: TrayIcon1_Event13(); break;
        case QSystemTrayIcon::Context: TrayIcon1_Event14(); break;
        default: break;
        }
    });
    TrayIcon1->show();
}

void frmMain::TrayIcon1_Event10()
{
    Picture1_Click(0);
}

void frmMain::TrayIcon1_Event13()
{
    if (isMinimized())
        showNormal();
}

void frmMain::TrayIcon1_Event14()
{
    mnuTrays->popup(QCursor::pos());
}

void frmMain::mnuTray_Click(int Index)
{
    switch (Index) {
    case 0: Picture1_Click(0); break;
    case 2: mnuEmail_Click(0); break;
    case 3: mnuEmail_Click(1); break;
    case 5: mnuHelp_Click(0); break;
    case 6: mnuStart_Click(6); break;
    case 8: mnuStart_Click(8); break;
    default: break;
    }
}
