#pragma once

#include <QString>

class FlexGrid;

// The main window's public operations, as every other part of the program
// reaches them. The main window implements this; lower folders call it
// through mainWindow() so that they never depend on the window itself.
// The order is the window's own; keep it.
class MainWindow
{
public:
    virtual ~MainWindow() = default;

    virtual void FG_Coverage() = 0;
    virtual void FG_ABS() = 0;
    virtual void LoadData() = 0;
    virtual void mnuSet_Click(short index) = 0;
    virtual void Panel7(short Task) = 0;
    virtual void UpdateSurp() = 0;
    virtual void UpdateUpDown() = 0;
    virtual void UpdateWinners() = 0;
    virtual void FG_AIS() = 0;
    virtual void LoadPrices() = 0;
    virtual void UpdateRec() = 0;
    virtual void UpdateIT() = 0;
    virtual void UpdateQR() = 0;
    virtual void UpdateOptions() = 0;
    virtual void ShowRec() = 0;
    virtual void Ticker_Sel_Headlines(short index) = 0;
    virtual void Ticker_Market_News() = 0;
    virtual void initTree() = 0;
    virtual void FixLayOut() = 0;
    virtual void LoadSets() = 0;
    virtual void FG_Portfolio_All() = 0;
    virtual void FG_PortfolioLog() = 0;
    virtual void Parse_US() = 0;
    virtual void FG_EC() = 0;
    virtual void Zoom_FG() = 0;
    virtual void FG_IPO_Price() = 0;
    virtual void FG_IPO_Gain() = 0;
    virtual void FG_IPO_Loss() = 0;
    virtual void Update_IPO_Price() = 0;
    virtual void Pares_BR(const QString &FileName, const QString &Caption) = 0;
    virtual void FG_IPO_Last() = 0;
    virtual void FG_IPO_News() = 0;
    virtual void FG_IPO_With() = 0;
    virtual void FG_WMarket() = 0;
    virtual void UpdateAdvise() = 0;
    virtual void SendErrorLog() = 0;
    virtual void Speak(short Mode) = 0;
    virtual void Update_OptSum() = 0;
    virtual void WinsockWait() = 0;

    // Not an operation of the window: its data grid `FG`, which the sheets'
    // one-cell message always writes to.
    virtual FlexGrid *mainGrid() = 0;

    // The window's caption and its status panels Panel1(0..7) (6 the
    // transfer state, 7 the task counter), as the transports show status.
    virtual QString caption() const = 0;
    virtual void setCaption(const QString &text) = 0;
    virtual void setPanelText(int index, const QString &text) = 0;
    // The window's StopUpdate: ends or aborts the batch run.
    virtual void endBatchRun() = 0;
    // True while a batch run is under way (its fetches write into the
    // current set's records, so the set must not change meanwhile).
    virtual bool runActive() const { return false; }

    // The price sheet ("Current") drawn afresh from the set's records, as
    // the price update does after each stock (the window's FG_Current).
    virtual void FG_Current() {}
    // Selects the first stock node of the tree (key beginning "ID", picture
    // 1) whose text is symbol, and gives the tree the keyboard focus.
    virtual void selectStockNode(const QString &symbol) { Q_UNUSED(symbol); }
    // The tree's portfolio branch lists every symbol now held: a stock
    // bought for the first time gets its node at once.
    virtual void listPortfolioSymbols() {}
    // Moves the check mark of the "Consultation" menu to item index (an
    // index without an item leaves none checked).
    virtual void checkConsultationItem(short index) { Q_UNUSED(index); }
};

// The main window in force (nullptr before it is created).
MainWindow *mainWindow();
void setMainWindow(MainWindow *window);
