#pragma once

#include "core/MainWindow.h"
#include "platform/ui/NewsTicker.h"
#include "platform/ui/TreeView.h"
#include "retrieval/BatchRun.h"
#include "services/ui/frmAdviser.h"
#include "sheets/HeadingDrag.h"

#include <QList>
#include <QString>
#include <QWidget>

class ClickLabel;

class FlexGrid;
class FlexGridView;
class PictureBox;
class QFrame;
class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QTreeWidget;
class clsFormResize;

// The main window: navigation tree, symbol column with gauges, the data
// grid, the toolbar, the label menu bar and the status panels. Its closing
// ends the program.
class frmMain : public QWidget, public MainWindow, public BatchView
{
    Q_OBJECT

public:
    // The one main window (nullptr until it is first shown).
    static frmMain *instance();
    // Creates and loads the window on first use, then shows it.
    static void Show();
    // Starts creating the missing page-cache folders of the program folder
    // on a worker thread, for the window's load to find them made; the load
    // creates them itself otherwise.
    static void PrepareCacheFolders(const QString &dataDir);

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Controls, by the names every part of the main window uses.
    QTimer *TmrNav = nullptr;
    QTimer *Timer1 = nullptr;
    QFrame *frmButtom = nullptr;
    QList<PictureBox *> Picture1;
    QList<ClickLabel *> lblDesc;
    PictureBox *StatusBar1 = nullptr;
    QFrame *Rect = nullptr;
    QList<ClickLabel *> Panel1;
    PictureBox *PicCont = nullptr;
    PictureBox *picSplit2 = nullptr;
    PictureBox *picSplit = nullptr;
    PictureBox *Splitter = nullptr;
    QList<PictureBox *> img;
    QList<ClickLabel *> lblSbl;
    PictureBox *ImgUp = nullptr;
    PictureBox *ImgDn = nullptr;
    QFrame *Shape1 = nullptr;
    QList<QLabel *> lblDsc;
    TreeView *TreeView1 = nullptr;
    FlexGrid *FGModel = nullptr;
    FlexGridView *FG = nullptr;
    NewsTicker *NewsTicker1 = nullptr;
    QMenu *mnuTickers = nullptr;     // the Ticker menu of the toolbar's "Ticker" button
    QList<QAction *> mnuTicker;
    QStringList TickerLinks;         // the address behind each ticker item ("" none)
    QMenu *mnuStart = nullptr;
    QList<QAction *> mnuStartItems;  // the Start menu's items by index (nullptr: no item)
    QMenu *mnuEmail = nullptr;
    QMenu *mnuSetting = nullptr;
    QMenu *mnuHelp = nullptr;
    QMenu *mnuUpdateMenu = nullptr;  // the Update submenu of the Start menu
    QList<QAction *> mnuUpdate;      // indexes 0, 1, 3 (separator) and 4
    QMenu *mnuConsMenu = nullptr;    // the "Consultation" menu: check marks of the market list shown
    QList<QAction *> mnuCons;
    QMenu *mnuReports = nullptr;     // the Reports menu: the sheet's HTML report and the set's exports
    QList<QAction *> mnuReport;
    QMenu *mnuSets = nullptr;        // the set menu, one item per stock set
    QList<QAction *> mnuSet;
    QSystemTrayIcon *TrayIcon1 = nullptr; // nullptr where the desktop has no tray
    QMenu *mnuTrays = nullptr;
    QList<QAction *> mnuTray;

    // Window fields.
    clsFormResize *FormResizer = nullptr;
    bool ToolbarHot = false;
    qint32 SplitterStartY = 2147483647;
    qint32 TreeSplitStartX = 2147483647;
    quint32 SplitterDragColor = 0x808080;
    short GridTopAtLoad = 0;
    bool ScrollUp = false;

    // Panes and splitters.
    void Splitter_MouseDown(int Button, int Shift, double X, double Y);
    void Splitter_MouseMove(int Button, int Shift, double X, double Y);
    void Splitter_MouseUp(int Button, int Shift, double X, double Y);
    void Splitter_DblClick();
    void picSplit2_MouseDown(int Button, int Shift, double X, double Y);
    void picSplit2_MouseMove(int Button, int Shift, double X, double Y);
    void picSplit2_MouseUp(int Button, int Shift, double X, double Y);
    void picSplit2_DblClick();
    void PicCont_MouseMove();
    void StatusBar1_MouseMove();

    // Symbol column.
    void ClearSymbols();
    void ScrollSymbols(short Up);
    void TmrNav_Timer();
    void ImgUp_MouseMove();
    void ImgDn_MouseMove();
    void lblSbl_MouseMove();

    // Update and set menus.
    void mnuUpdate_Click(int Index);

    // Grid links (frmMain_grid.cpp): a click on a link cell opens its page,
    // the pointer shows where the links are. wireGridEvents connects FG.
    void wireGridEvents();
    void FG_Click();
    void FG_MouseMove(int Button, int Shift, float X, float Y);
    // Sorting, column drag, keys and clipboard (frmMain_grid.cpp).
    HeadingDrag Drag; // moving a column by its heading
    void FG_DblClick();
    void FG_MouseDown(int Button, int Shift, float X, float Y);
    void FG_MouseUp(int Button, int Shift, float X, float Y);
    void FG_DragOver(float X, float Y);
    void FG_DragDrop(float X, float Y);
    void FG_KeyDown(int KeyCode, int Shift);
    void FG_SelectAll();
    void FG_Copy();
    // The grid's popup menu (frmMain_gridmenu.cpp): items 0 to 9, separators
    // included, offered by the sheet shown.
    QMenu *mnuEdits = nullptr;
    QList<QAction *> mnuEdit;
    void createGridMenu();
    // The row the right button was pressed on, its cells as they were then
    // and the record it carries (-1, none and -1 off the data rows): the
    // menu's commands act on that record.
    int GridMenuRow = -1;
    QStringList GridMenuCells;
    qint64 GridMenuRecord = -1;
    void pointGridMenuAt(int row, int col);
    void showGridMenu();
    void mnuEdit_Click(int Index);
    void deleteShareRow();
    void sellHoldingRow();
    void editTransactionRow();
    void deleteTransactionRow();
    void dropStock(short index);

    // Toolbar, batch run, auto-update timer and tray.
    void Picture1_MouseDown(int Index);
    void Picture1_MouseUp(int Index);
    void Picture1_MouseMove(int Index);
    void UpdateAll();
    void Timer1_Timer();
    void TrayIcon1_Event10();
    void TrayIcon1_Event13();
    void TrayIcon1_Event14();
    void mnuTray_Click(int Index);
    QString updateCaption() const override;
    void setRunningLook(bool running) override;
    // The fetch routine of each update box, and what a run needs besides.
    BatchTable batchTable() const;
    BatchServices batchServices() const;
    void createTrayIcon();
    void createStartMenu();
    // Navigation tree, symbol selection and the tree's popup menu (frmMain_tree.cpp).
    QMenu *mnuTrees = nullptr;
    QList<QAction *> mnuTree; // items 0 to 11; separators are items too
    void connectTree();
    void FG_Current() override;
    void selectStockNode(const QString &symbol) override;
    void SelectSymbol(const QString &Symbol);
    void TreeView1_NodeClick(int index);
    void TreeView1_MouseDown(int Button, double X = 0, double Y = 0);
    void TreeView1_MouseMove();
    void img_Click(int Index);
    void img_DblClick(int Index); // the stock's properties card
    void lblSbl_Click(int Index);
    void img_MouseDown(int Index, int Button);
    void img_MouseUp(int Index);
    void lblSbl_MouseDown(int Index);
    void lblSbl_MouseUp(int Index);
    void mnuTree_Click(int Index);
    // The popup's state: selling waits for a purchase still held.
    void mnuTrees_Click();
    void buyCurrentStock();
    void sellCurrentStock();
    void removeCurrentStock();
    void emptyCurrentStockCache();

    // Event handlers.
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int &KeyCode, int &Shift);
    void Form_MouseMove();
    void Form_Resize();
    void ExitApp();
    void Panel1_Click(int index);
    void Panel1_MouseDown(int Index, int Button);
    void Panel1_MouseMove(int Index);
    void Panel1_MouseUp();
    void ResetPanelColors();
    static frmAdviser::ServiceBox adviserServiceBox();
    void checkConsultationItem(short index) override;
    void listPortfolioSymbols() override;
    void createConsultationMenu();
    void Picture1_Click(int index);
    void mnuStart_Click(int Index);
    void mnuSetting_Click(int Index);
    void mnuHelp_Click(int Index);
    void mnuEmail_Click(int Index);
    void StopUpdate();
    // A batch run is under way (the toolbar's first caption reads "Stop").
    bool runActive() const override;

    // The main window's public operations.
    void FG_Coverage() override;
    void FG_ABS() override;
    void LoadData() override;
    void mnuSet_Click(short index) override;
    void Panel7(short Task) override;
    void UpdateSurp() override;
    void UpdateUpDown() override;
    void UpdateWinners() override;
    void FG_AIS() override;
    void LoadPrices() override;
    void UpdateRec() override;
    void UpdateIT() override;
    void UpdateQR() override;
    void UpdateOptions() override;
    void ShowRec() override;
    void Ticker_Sel_Headlines(short index) override;
    void Ticker_Quote(short index);
    void Ticker_Quotes();
    void mnuTicker_Click(int Index);
    void NewsTicker1_ItemClick(int Index);
    void createTickerMenu();
    void createReportsMenu();
    void mnuReports_Click();
    void mnuReport_Click(int Index);
    void Ticker_Market_News() override;
    void initTree() override;
    void FixLayOut() override;
    void LoadSets() override;
    void FG_Portfolio_All() override;
    void FG_PortfolioLog() override;
    void Parse_US() override;
    void FG_EC() override;
    void Zoom_FG() override;
    void FG_IPO_Price() override;
    void FG_IPO_Gain() override;
    void FG_IPO_Loss() override;
    void Update_IPO_Price() override;
    void Pares_BR(const QString &FileName, const QString &Caption) override;
    void FG_IPO_Last() override;
    void FG_IPO_News() override;
    void FG_IPO_With() override;
    void FG_WMarket() override;
    void UpdateAdvise() override;
    void SendErrorLog() override;
    void Speak(short Mode) override;
    void Update_OptSum() override;
    void WinsockWait() override;
    FlexGrid *mainGrid() override;
    // Caption, status panels and the end of a run (frmMain_status.cpp).
    QString caption() const override;
    void setCaption(const QString &text) override;
    void setPanelText(int index, const QString &text) override;
    void endBatchRun() override;

signals:
    // A label of the label menu bar or a toolbar button was run.
    void labelMenuRun(int index);
    void toolbarRun(int index);
    void stopRequested();
    // The settings form is asked for, on a page.
    void settingsRequested(int page);
    void focusMoved(QWidget *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void place(QWidget *w, double left, double top, double width, double height);
    void placeScaleLabels(qint32 L, qint32 W, double sellLeft);
    int gaugeWidth() const;
    // The smallest inner size at which every fixed caption is whole and
    // clear of the others and of the pictures beside it.
    QSize smallestLayout() const;
    void drawGauge(int i, int W);
    // The symbol rows that have room above the down arrow show, with their
    // gauges; the others hide.
    void showRowsWithRoom();
    // The layout the user left (dividers and panes) becomes the one later
    // resizes scale from.
    void keepLayout();
    void setSymbolRow(int k, const QString &symbol);
    double tw(int pixels, bool vertical = false) const;
    int px(double twips, bool vertical = false) const;
    bool m_exiting = false;
};
