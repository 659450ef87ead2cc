#include "mainwindow/ui/frmMain.h"

#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "mainwindow/SpokenSummaries.h"
#include "navigation/ZoomDispatch.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/Speech.h"
#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"
#include "portfolio/PortfolioSheets.h"
#include "portfolio/StockSetNames.h"
#include "retrieval/MarketFetch.h"
#include "retrieval/PriceFetch.h"
#include "retrieval/SymbolFetch.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/transport/SocketFetch.h"
#include "retrieval/ui/Options.h"
#include "services/Adviser.h"
#include "services/MailJobs.h"
#include "services/ui/frmSpeech.h"
#include "sheets/ColLayout.h"
#include "sheets/market/AnalystActions.h"
#include "sheets/market/BigMovers.h"
#include "sheets/market/FundPages.h"
#include "sheets/market/IpoCalendars.h"
#include "sheets/market/IpoLists.h"
#include "sheets/market/UsIndices.h"
#include "sheets/market/WorldMarkets.h"
#include "sheets/symbol/EarningsSheets.h"
#include "sheets/symbol/Statements.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

// Operations of the sheets, the set menu and the fetch routines: the window
// answers each through the part of the program that owns it.
void frmMain::FG_Coverage()
{
    ::FG_Coverage();
}
void frmMain::FG_ABS() { ::FG_ABS(); }
void frmMain::mnuSet_Click(short index)
{
    // The fetch routines of a run write into the current set's records:
    // the set stays as it is until the run has ended, whatever asks.
    if (runActive())
        return;
    // A stored set number out of range (a damaged "LastGroup") means set 0.
    if (index < 0 || index >= SetNameCount)
        index = 0;
    // Alert limits typed since the last save belong to the set being left:
    // when they cannot be saved, the set is not left.
    if (QString why; SetsChangedSinceRead() && !SaveStocks(&why)) {
        MsgBox(setNotSavedMessage(why), Msg::OKOnly + Msg::Exclamation, QStringLiteral("Stock group not saved"));
        return;
    }
    for (QAction *a : mnuSet)
        a->setChecked(false);
    mnuSet[index]->setChecked(true);
    // Written only when it changes: every start chooses the stored set.
    // A choice that cannot be kept is said; the set is shown all the same.
    if (QuerySetting(QStringLiteral("LastGroup")).toString() != QString::number(index)
        && !SaveSetting(QStringLiteral("LastGroup"), QString::number(index)))
        MsgBox(settingNotSavedMessage() + QStringLiteral("\r\nThe next start shows the stock group shown before."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Setting not saved"));
    CurSetNo = index;
    ClearSymbols();
    ReadStocks();
    LoadPrices();
    ShowRec();
    if (FormResizer)
        setMinimumSize(smallestLayout()); // the new set's symbols stay whole
    Panel1[1]->setText(mnuSet[index]->data().toString());
    initTree();
    if (CurType == QLatin1String("Current"))
        FG_Current();
}
void frmMain::Panel7(short Task)
{
    ::Panel7(Task);
}
void frmMain::UpdateSurp()
{
    ::UpdateSurp();
}
void frmMain::UpdateUpDown()
{
    ::UpdateUpDown();
}
void frmMain::UpdateWinners()
{
    ::UpdateWinners();
}
void frmMain::FG_AIS() { ::FG_AIS(); }
void frmMain::UpdateRec()
{
    ::UpdateRec();
}
void frmMain::UpdateIT()
{
    ::UpdateIT();
}
void frmMain::UpdateQR()
{
    ::UpdateQR();
}
void frmMain::UpdateOptions()
{
    ::UpdateOptions();
}

void frmMain::mnuUpdate_Click(int Index)
{
    switch (Index) {
    case 0:
        UpdateSelectedOnly = false;
        Picture1_Click(0);
        break;
    case 1:
        UpdateSelectedOnly = true;
        Picture1_Click(0);
        break;
    default:
        // Hang-up: there is no dial-up connection to end here.
        break;
    }
}
void frmMain::Ticker_Market_News() {}
void frmMain::FixLayOut()
{
    ::FixLayOut(*FGModel);
}
void frmMain::LoadSets()
{
    for (int n = 0; n < SetNameCount; ++n) {
        const QString name = StockSetName(n);
        mnuSet[n]->setData(name);
        mnuSet[n]->setText(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
}
void frmMain::FG_Portfolio_All() { ::FG_Portfolio_All(); }
void frmMain::FG_PortfolioLog() { ::FG_PortfolioLog(); }
void frmMain::Parse_US() { ::Parse_US(); }
void frmMain::FG_EC() { ::FG_EC(); }
void frmMain::Zoom_FG()
{
    ZoomSheet(CurType);
}
void frmMain::FG_IPO_Price() { ::FG_IPO_Price(); }
void frmMain::FG_IPO_Gain() { ::FG_IPO_Gain(); }
void frmMain::FG_IPO_Loss() { ::FG_IPO_Loss(); }
void frmMain::Update_IPO_Price() { ::Update_IPO_Price(); }
void frmMain::Pares_BR(const QString &FileName, const QString &Caption) { ::Pares_BR(FileName, Caption); }
void frmMain::FG_IPO_Last() { ::FG_IPO_Last(); }
void frmMain::FG_IPO_News() { ::FG_IPO_News(); }
void frmMain::FG_IPO_With() { ::FG_IPO_With(); }
void frmMain::FG_WMarket() { ::FG_WMarket(); }
void frmMain::UpdateAdvise()
{
    ::UpdateAdvise();
}
void frmMain::SendErrorLog()
{
    ::SendErrorLog([this](const QString &text) { setPanelText(6, text); });
}
void frmMain::Speak(short Mode)
{
    const QString text = SpokenSummary(Mode);
    frmSpeech *speech = LoadSpeech(this);
    speech->lblWait->show();
    const int top = Twips::toPixelsY(Twips::fromPixelsY(NewsTicker1->y(), this) + 700, this);
    speech->move(mapToGlobal(QPoint(width() / 2 - speech->width() / 2, top)));
    speech->show();
    DoEvents();
    // The voice chosen in the settings window (loaded hidden when needed,
    // its list filled so that the stored voice is the one chosen).
    Options &options = LoadOptions();
    options.fillVoices();
    speechEngine().setVoiceMode(options.cobVoice->currentIndex() + 1);
    DoEvents();
    speech->speak(text);
    DoEvents();
    speech->lblWait->hide();
}
void frmMain::Update_OptSum() { ::Update_OptSum(); }
void frmMain::WinsockWait()
{
    ::WinsockWait();
}
FlexGrid *frmMain::mainGrid()
{
    return FGModel;
}
