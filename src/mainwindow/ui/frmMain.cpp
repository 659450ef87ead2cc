#include "mainwindow/ui/frmMain.h"
#include "reports/ui/SummaryOpt.h"
#include "services/ui/News.h"
#include "webqueries/ui/Scr.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/UpdateGuard.h"
#include "core/ui/BarSkin.h"
#include "core/ui/FormResize.h"
#include "core/ui/DimScreen.h"
#include "core/ui/SymbolColumnFit.h"
#include "core/ui/frmSplash.h"
#include "sheets/ColLayout.h"
#include "mainwindow/Shortcuts.h"
#include "platform/Dialogs.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "portfolio/ui/StkSet.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "portfolio/StockSetNames.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "retrieval/transport/TransferFetch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <future>

namespace {
QPointer<frmMain> g_frmMain;

// The window's client area as designed, in twips; the rescaling keeps every
// control in proportion to it.
constexpr double DesignWidth = 9480;
constexpr double DesignHeight = 6375;

// The page-cache folders, created in this order when missing.
const char *const CacheFolders[] = {
    "\\Cache",
    "\\Cache\\Chart",
    "\\Cache\\News",
    "\\Cache\\DataSheet",
    "\\Cache\\Reports",
    "\\Cache\\Reports\\Annual Balance Sheet",
    "\\Cache\\Reports\\Annual Income statement",
    "\\Cache\\Reports\\Options",
    "\\Cache\\Reports\\Insiders Traders",
    "\\Cache\\Reports\\Quarterly Reports",
    "\\Cache\\Reports\\Earnings",
    "\\Cache\\Reports\\Consultation",
    "\\Cache\\Reports\\Summary",
    "\\Cache\\Reports\\Misc",
};

// The folders PrepareCacheFolders creates, until the load waits for them.
std::future<void> g_cacheFolders;

const char *const ToolbarCaptions[] = {"Update", "Ticker", "Zedero", "Zoom", "Stocks", "Screen", "Setting"};
const char *const ToolbarTips[] = {"Connect to the Internet and update data (Alt U or F4)",
                                   "Ticker (Alt T)",
                                   "Read Latest Zedero (Alt O)",
                                   "Zoom Data Sheet (Alt Z)",
                                   "Manage Stocks (Alt S)",
                                   "Show Screen (Alt C)",
                                   "Stocks and Program Options (Alt N)"};
// The label bar, by index: caption, tooltip, Left and Width in twips inside
// the strip; every label stands at Top 35 and is 195 twips high.
struct BarLabel
{
    const char *caption;
    const char *tip;
    int left;
    int width;
};
const BarLabel BarLabels[] = {
    {"Start", "Click here to begin (Alt S or F3)", 0, 1095},
    {"Groups", "Double click to modify (Alt G or F2)", 1200, 1000},
    {"Chat", "Chat With Other Person (Alt H)", 2280, 1000},
    {"Adviser", "Get up-to-date with Brindlewick analysts Free Tip (Alt A)", 3360, 1000},
    {"Summary", "Generate Stock Summary Report (Alt M)", 4440, 1005},
    {"Reports", "Generate and Export Reports (Alt R)", 5520, 1005},
    {"", "Status", 6885, 2100},
    {"", "Tasks", 8955, 570},
};
// Text (or line) and ground colours, in the palette: a style sheet per
// control costs start-up time. Without a ground the parent's shows through.
void setColors(QWidget *w, const QColor &text, const QColor &ground = QColor())
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    if (ground.isValid())
        p.setColor(QPalette::Window, ground);
    w->setAutoFillBackground(ground.isValid());
    w->setPalette(p);
}

// White on black at rest; the bar's own small font, so a caption fits its label.
void setBarLabelLook(QWidget *label)
{
    setColors(label, Qt::white, Qt::black);
}
constexpr int BarFontPixels = 11;
const char *const ScaleCaptions[] = {"Sell", "Underperform", "Hold", "Buy", "Strong Buy"};
constexpr double ScaleLefts[] = {3120, 3885, 5340, 6225, 6915};

} // namespace

frmMain *frmMain::instance()
{
    return g_frmMain.data();
}

void frmMain::Show()
{
    if (!g_frmMain) {
        g_frmMain = new frmMain;
        g_frmMain->Form_Load();
    }
    g_frmMain->show();
    g_frmMain->raise();
    g_frmMain->activateWindow();
}

void frmMain::PrepareCacheFolders(const QString &dataDir)
{
    if (g_cacheFolders.valid())
        return;
    // Looked up here, created there, in the same order: the worker touches
    // no state of the program's.
    QStringList missing;
    for (const char *folder : CacheFolders) {
        const QString path = resolvePath(dataDir + QString::fromLatin1(folder));
        if (!QFileInfo(path).isDir())
            missing << path;
    }
    if (missing.isEmpty())
        return;
    g_cacheFolders = std::async(std::launch::async, [missing] {
        for (const QString &path : missing)
            QDir().mkpath(path);
    });
}

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brindlewick"));
    setWindowIcon(ProgramIcon());
    setMouseTracking(true);
    createControls();
    qApp->installEventFilter(this);
    // A new main window is a program that runs (a test may open one after
    // another has quit).
    setProgramEnding(false);
    if (!mainWindow())
        setMainWindow(this);
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
    if (mainWindow() == this)
        setMainWindow(nullptr);
    // The settings form outlives this window: its hooks must not call it.
    setUpdateTimerHook(nullptr);
    setBarSkinHook(nullptr);
    delete FormResizer;
}

void frmMain::place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::toPixelsX(left, this), Twips::toPixelsY(top, this), Twips::toPixelsX(width, this),
                   Twips::toPixelsY(height, this));
}

void frmMain::createControls()
{
    resize(Twips::toPixelsX(DesignWidth, this), Twips::toPixelsY(DesignHeight, this));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x20, 0x24, 0x2c));
    setPalette(pal);

    TmrNav = new QTimer(this);
    TmrNav->setInterval(100);
    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    Timer1->start();

    // Headline ticker strip along the top.
    NewsTicker1 = new NewsTicker(this);
    place(NewsTicker1, 120, 120, 9255, 360);
    connect(NewsTicker1, &NewsTicker::ItemClick, this, [this](int item) { NewsTicker1_ItemClick(item); });
    createTickerMenu();
    createReportsMenu();

    // Working area: tree, symbol column, splitters and grid.
    PicCont = new PictureBox(this);
    PicCont->setObjectName(QStringLiteral("PicCont"));
    PicCont->setBackColor(palette().color(QPalette::Base));
    place(PicCont, 120, 600, 7935, 5415);

    TreeView1 = new TreeView(PicCont);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    place(TreeView1, 0, 0, 2180, 2680);

    picSplit2 = new PictureBox(PicCont);
    picSplit2->setObjectName(QStringLiteral("picSplit2"));
    picSplit2->setBackColor(palette().color(QPalette::Button));
    picSplit2->setMouseIcon(LoadResCursor(103));
    place(picSplit2, 2280, 0, 30, 2895);

    // The arrows are pictures without a ground of their own, under the
    // captions they stand next to.
    ImgUp = new PictureBox(PicCont);
    ImgUp->setObjectName(QStringLiteral("ImgUp"));
    ImgUp->setPicture(LoadResPicture(QStringLiteral("ArrowUp")));
    ImgUp->setBackColor(Qt::transparent);
    place(ImgUp, 2400, 0, 750, 300);
    ImgDn = new PictureBox(PicCont);
    ImgDn->setObjectName(QStringLiteral("ImgDn"));
    ImgDn->setPicture(LoadResPicture(QStringLiteral("ArrowDn")));
    ImgDn->setBackColor(Qt::transparent);
    place(ImgDn, 2400, 2640, 750, 300);

    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(QString::fromLatin1(ScaleCaptions[i]), PicCont);
        l->setObjectName(QStringLiteral("lblDsc%1").arg(i));
        QFont f = l->font();
        f.setPointSizeF(7);
        l->setFont(f);
        l->adjustSize();
        const double w = Twips::fromPixelsX(l->width(), this);
        place(l, ScaleLefts[i], 0, w, 210);
        // Its caption's own size whatever the window's: the gauge's width
        // places it.
        l->setProperty("Tag", QStringLiteral("@TL"));
        lblDsc << l;
    }
    for (int i = 0; i < 7; ++i) {
        auto *label = new ClickLabel(PicCont);
        label->setObjectName(QStringLiteral("lblSbl%1").arg(i));
        label->setText(QStringLiteral(" "));
        QFont font = label->font();
        font.setPixelSize(SymbolFontPixels);
        label->setFont(font);
        place(label, 2520, 240 + 360 * i, SymbolLabelWidth, 255);
        lblSbl << label;
        auto *gauge = new PictureBox(PicCont);
        gauge->setObjectName(QStringLiteral("img%1").arg(i));
        gauge->setScaleMode(PictureBox::Pixels);
        gauge->setToolTip(QStringLiteral("Click For Latest News"));
        // The bar spans the whole box, as the marker's place is reckoned
        // from the box's width, whatever size the window has.
        gauge->setStretch(true);
        place(gauge, 3120, 240 + 360 * i, 4575, 315);
        img << gauge;
    }
    ImgUp->lower();
    ImgDn->lower();
    Shape1 = new QFrame(PicCont);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setVisible(false);
    Shape1->setProperty("ControlType", QStringLiteral("Shape")); // shapes keep their place on a resize
    place(Shape1, 2530, 240, 735, 255);

    Splitter = new PictureBox(PicCont);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setBackColor(palette().color(QPalette::Button));
    place(Splitter, 0, 2880, 7695, 30);

    FGModel = new FlexGrid(this);
    FG = new FlexGridView(FGModel, PicCont);
    FG->setObjectName(QStringLiteral("FG"));
    FG->setColumnsFollowWidth(true);
    FG->setCellsFitTexts(true);
    place(FG, 0, 3130, 7815, 2035);

    picSplit = new PictureBox(PicCont);
    picSplit->setObjectName(QStringLiteral("picSplit"));
    picSplit->setBackColor(QColor(0x80, 0x80, 0x80));
    picSplit->setVisible(false);
    place(picSplit, 0, 3130, 30, 2035);

    // Toolbar to the right of the working area.
    frmButtom = new QFrame(this);
    frmButtom->setObjectName(QStringLiteral("frmButtom"));
    frmButtom->setMouseTracking(true);
    frmButtom->setAutoFillBackground(true);
    QPalette bp = frmButtom->palette();
    bp.setColor(QPalette::Window, QApplication::palette().color(QPalette::Base));
    frmButtom->setPalette(bp);
    place(frmButtom, 8040, 600, 1335, 5415);
    for (int i = 0; i < 7; ++i) {
        auto *button = new PictureBox(frmButtom);
        button->setObjectName(QStringLiteral("Picture1%1").arg(i));
        button->setPicture(LoadResPicture(QStringLiteral("B1")));
        button->setToolTip(QString::fromLatin1(ToolbarTips[i]));
        place(button, 292, 90 + 760 * i, 750, 375);
        Picture1 << button;
        connect(button, &PictureBox::Click, this, [this, i] { Picture1_Click(i); });
        connect(button, &PictureBox::MouseDown, this, [this, i] { Picture1_MouseDown(i); });
        connect(button, &PictureBox::MouseUp, this, [this, i] { Picture1_MouseUp(i); });
        connect(button, &PictureBox::MouseMove, this, [this, i] { Picture1_MouseMove(i); });
        auto *caption = new ClickLabel(frmButtom);
        caption->setObjectName(QStringLiteral("lblDesc%1").arg(i));
        caption->setText(QString::fromLatin1(ToolbarCaptions[i]));
        caption->setAlignment(Qt::AlignCenter);
        setColors(caption, QColor(0x80, 0x80, 0x80));
        place(caption, 0, 90 + 760 * i + 390, 1335, 240);
        lblDesc << caption;
        connect(caption, &ClickLabel::Click, this, [this, i] { Picture1_Click(i); });
    }

    // The black strip along the bottom: label menu bar and status panels.
    StatusBar1 = new PictureBox(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setBackColor(Qt::black);
    place(StatusBar1, 0, 6090, 9480, 285);
    Rect = new QFrame(StatusBar1);
    Rect->setObjectName(QStringLiteral("Rect"));
    Rect->setFrameShape(QFrame::Box);
    setColors(Rect, QColor(0x00, 0xff, 0x00));
    Rect->setVisible(false);
    Rect->setProperty("ControlType", QStringLiteral("Shape"));
    // The frame is only a look: the press and the click go to the label under it.
    Rect->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int i = 0; i < 8; ++i) {
        auto *label = new ClickLabel(StatusBar1);
        label->setObjectName(QStringLiteral("Panel1%1").arg(i));
        label->setText(QString::fromLatin1(BarLabels[i].caption));
        label->setToolTip(QString::fromLatin1(BarLabels[i].tip));
        setBarLabelLook(label);
        QFont font = label->font();
        font.setPixelSize(BarFontPixels);
        label->setFont(font);
        label->setAlignment(i < 6 ? Qt::AlignCenter : Qt::AlignVCenter | Qt::AlignLeft);
        place(label, BarLabels[i].left, 35, BarLabels[i].width, 195);
        label->setProperty("Tag", QStringLiteral("@TLW")); // the text's height whatever the window's
        Panel1 << label;
        connect(label, &ClickLabel::Click, this, [this, i] { Panel1_Click(i); });
        if (i == 1) // the set's label: a double click opens the set editor (not while disabled in a run)
            connect(label, &ClickLabel::DblClick, this, [this] { Picture1_Click(4); });
        if (i <= 5) {
            label->setMouseTracking(true);
            connect(label, &ClickLabel::MouseDown, this, [this, i](int button) { Panel1_MouseDown(i, button); });
            connect(label, &ClickLabel::MouseMove, this, [this, i] { Panel1_MouseMove(i); });
            connect(label, &ClickLabel::MouseUp, this, [this] { Panel1_MouseUp(); });
        }
    }

    createStartMenu();
    createConsultationMenu();
    connectTree();

    mnuSets = new QMenu(QStringLiteral("Sets"), this);
    mnuSets->setObjectName(QStringLiteral("mnuSets"));
    for (int i = 0; i < SetNameCount; ++i) {
        QAction *a = mnuSets->addAction(i == 0 ? QStringLiteral("All Stocks") : QStringLiteral("Group %1").arg(i));
        a->setData(a->text());
        a->setCheckable(true);
        a->setChecked(i == 0);
        connect(a, &QAction::triggered, this, [this, i] { mnuSet_Click(short(i)); });
        mnuSet << a;
    }

    // Splitters, arrows, symbols and the strip.
    connect(Splitter, &PictureBox::MouseDown, this, &frmMain::Splitter_MouseDown);
    connect(Splitter, &PictureBox::MouseMove, this, &frmMain::Splitter_MouseMove);
    connect(Splitter, &PictureBox::MouseUp, this, &frmMain::Splitter_MouseUp);
    connect(Splitter, &PictureBox::DblClick, this, &frmMain::Splitter_DblClick);
    connect(picSplit2, &PictureBox::MouseDown, this, &frmMain::picSplit2_MouseDown);
    connect(picSplit2, &PictureBox::MouseMove, this, &frmMain::picSplit2_MouseMove);
    connect(picSplit2, &PictureBox::MouseUp, this, &frmMain::picSplit2_MouseUp);
    connect(picSplit2, &PictureBox::DblClick, this, &frmMain::picSplit2_DblClick);
    connect(PicCont, &PictureBox::MouseMove, this, [this] { PicCont_MouseMove(); });
    connect(StatusBar1, &PictureBox::MouseMove, this, [this] { StatusBar1_MouseMove(); });
    connect(ImgUp, &PictureBox::MouseMove, this, [this] { ImgUp_MouseMove(); });
    connect(ImgDn, &PictureBox::MouseMove, this, [this] { ImgDn_MouseMove(); });
    for (PictureBox *arrow : {ImgUp, ImgDn}) {
        connect(arrow, &PictureBox::MouseDown, TmrNav, &QTimer::stop);
        connect(arrow, &PictureBox::MouseUp, TmrNav, &QTimer::stop);
    }
    for (ClickLabel *l : lblSbl)
        connect(l, &ClickLabel::MouseMove, this, [this] { lblSbl_MouseMove(); });
    connect(TmrNav, &QTimer::timeout, this, &frmMain::TmrNav_Timer);

    for (QWidget *w : findChildren<QWidget *>())
        w->setMouseTracking(true);
    createTrayIcon();
    wireGridEvents();
    // A running minute goes on: the settings form calls this each time it loads.
    setUpdateTimerHook([this](bool on) {
        if (!on)
            Timer1->stop();
        else if (!Timer1->isActive())
            Timer1->start();
    });
    setBarSkinHook([this] { LoadBarSkin(img); });
}

void frmMain::Form_Load()
{
    // Centred across the screen, 10 twips below its top edge.
    if (QScreen *s = QGuiApplication::primaryScreen()) {
        const float left = float(s->geometry().width()) / 2.0f - float(width()) / 2.0f;
        move(int(left), Twips::toPixelsY(10, this));
    }
    LoadData();

    SplitterDragColor = 0x808080;
    SplitterStartY = TreeSplitStartX = 2147483647;
    GridTopAtLoad = short(Twips::fromPixelsY(FG->y(), this));
    if (!FormResizer)
        FormResizer = new clsFormResize;
    FormResizer->setSourceForm(this);
    BaseRowHeight = short(FGModel->RowHeight(0));
    setMinimumSize(smallestLayout());

    Splitter->setMouseIcon(LoadResCursor(103));

    // A divider place no screen has is a damaged setting, not a place.
    const int pos = QuerySettingInRange(QStringLiteral("LastTreePos"), 0, 1000000, -1);
    if (pos >= 0) {
        picSplit2->move(Twips::toPixelsX(pos, this), picSplit2->y());
        picSplit2_MouseUp(2, 0, 0, pos);
    }
}

void frmMain::LoadData()
{
    DataDir = defaultDataDir();
    BaseCaption = windowTitle();
    StopFlag = false;
    SetSplashBar(60);

    // Those made ahead are found here; any still missing is made now.
    if (g_cacheFolders.valid())
        g_cacheFolders.get();
    for (const char *folder : CacheFolders) {
        const QString path = DataDir + QString::fromLatin1(folder);
        if (!QFileInfo(resolvePath(path)).isDir()) {
            QDir().mkpath(resolvePath(path));
            DoEvents();
        }
    }

    SetSplashBar(65);
    LoadBarSkin(img);
    SetSplashBar(70);

    ShowFractions = QuerySetting(QStringLiteral("Fractions")).toString();
    ShowVolume = QuerySetting(QStringLiteral("Volume")).toString();

    LoadSets();
    SetSplashBar(75);

    mnuSet_Click(short(QuerySettingInRange(QStringLiteral("LastGroup"), 0, SetNameCount - 1, 0)));

    ApplyStoredProxy();

    UpdateInterval = short(QuerySettingInRange(QStringLiteral("AutoUpdate"), 0, 1440, 0));
    SetSplashBar(80);

    LoadLayout();
    SetSplashBar(85);
    DoEvents();

    LoadPrices();
    SetSplashBar(90);
    ShowRec();
    DoEvents();
    SetSplashBar(100);

    UnloadSplash();
    DoEvents();
}

void frmMain::Form_Activate()
{
    UnloadStartupSplash();
}

void frmMain::Form_KeyDown(int &KeyCode, int &Shift)
{
    const ShortcutAction action = shortcutFor(KeyCode, Shift);
    switch (action.kind) {
    case ShortcutAction::StartMenuItem: mnuStart_Click(action.index); break;
    case ShortcutAction::LabelMenu: Panel1_Click(action.index); break;
    case ShortcutAction::Toolbar: Picture1_Click(action.index); break;
    case ShortcutAction::FocusTree:
        TreeView1->setFocus();
        emit focusMoved(TreeView1);
        break;
    case ShortcutAction::FocusGrid:
        FG->setFocus();
        emit focusMoved(FG);
        break;
    case ShortcutAction::HelpMenuItem: mnuHelp_Click(action.index); break;
    case ShortcutAction::StopUpdate: StopUpdate(); break;
    case ShortcutAction::None: break;
    }
}

void frmMain::Form_MouseMove()
{
    if (TmrNav->isActive())
        TmrNav->stop();
    if (!ToolbarHot)
        return;
    const int first = lblDesc[0]->text() == QLatin1String("Stop") ? 1 : 0;
    for (int i = first; i <= 6; ++i)
        Picture1[i]->setPicture(LoadResPicture(QStringLiteral("B1")));
    ToolbarHot = false;
}

void frmMain::Form_Resize()
{
    if (!FormResizer)
        FormResizer = new clsFormResize;
    FormResizer->ScaleControls();

    const short L = short(qRound(Twips::fromPixelsX(img[0]->x(), this)));
    const short W = short(qRound(Twips::fromPixelsX(img[0]->width(), this)));
    placeScaleLabels(L, W, L);
    Shape1->move(picSplit2->x() + Twips::toPixelsX(250, this), Shape1->y());

    // The toolbar's pictures keep their size: each stays in the middle of
    // the scaled bar with its caption right under it.
    for (int i = 0; i < Picture1.size(); ++i) {
        PictureBox *button = Picture1[i];
        const QSize face = button->picture().isNull() ? button->size() : button->picture().size();
        button->setGeometry((frmButtom->width() - face.width()) / 2, button->y(), face.width(), face.height());
        lblDesc[i]->setGeometry(0, button->y() + button->height() + 1, frmButtom->width(),
                                lblDesc[i]->fontMetrics().height());
    }
    // The rows that have room at the new size show, the others hide.
    showRowsWithRoom();
    setPanelText(6, Panel1[6]->property("fullText").toString());
}

QSize frmMain::smallestLayout() const
{
    // The designed layout scaled down as far as the tightest caption allows,
    // in pixels at the designed size.
    double rx = 0, ry = 0;
    const auto atLeast = [](double &ratio, double needed, double designed) { ratio = std::max(ratio, needed / designed); };
    const auto textWidth = [](const QLabel *l, const QString &text) { return l->fontMetrics().horizontalAdvance(text) + 2.0; };
    const auto pxX = [this](double twips) { return twips / Twips::perPixelX(this); };
    const auto pxY = [this](double twips) { return twips / Twips::perPixelY(this); };

    // Each menu label of the bar holds its caption; the strip holds the labels.
    for (int i = 0; i < 6; ++i)
        atLeast(rx, textWidth(Panel1[i], QString::fromLatin1(BarLabels[i].caption)), pxX(BarLabels[i].width));
    atLeast(ry, Panel1[0]->y() + Panel1[0]->height(), pxY(285));

    // The scale over a gauge G wide: "Sell" from its left, "Underperform"
    // centred at a fifth, "Hold" ending at the middle, "Buy" centred at two
    // thirds, "Strong Buy" ending at its right edge; none may reach the next.
    const auto w = [this](int k) { return double(lblDsc[k]->width()); };
    const double G = pxX(4575);
    atLeast(rx, 5 * (w(0) + w(1) / 2), G);
    atLeast(rx, (w(1) / 2 + w(2)) / 0.3, G);
    atLeast(rx, 3 * w(3), G);
    atLeast(rx, 3 * (w(3) / 2 + w(4)), G);

    // The arrows' pictures end left of the gauges, the up arrow's above the
    // first symbol's caption (centred in its row).
    const QRect arrow = ImgUp->drawnPictureRect();
    atLeast(rx, arrow.right() + 1, pxX(3120 - 2400));
    const double symbolHeight = lblSbl[0]->fontMetrics().height();
    atLeast(ry, arrow.bottom() + 1 + symbolHeight / 2, pxY(240 + 255 / 2.0));
    // A symbol row holds its caption, which ends before the gauge: the
    // widest symbol of the set, bold as the current one is drawn.
    atLeast(ry, symbolHeight, pxY(255));
    QFont bold = lblSbl[0]->font();
    bold.setBold(true);
    const QFontMetrics symbolMetrics(bold);
    int widest = 0;
    for (const StockRec &stock : Sets)
        widest = std::max(widest, symbolMetrics.horizontalAdvance(stock.Symbol));
    atLeast(rx, widest + 2.0, pxX(3120 - 2520));

    // Each toolbar picture and the caption under it fit the step to the next.
    atLeast(ry, Picture1[0]->picture().height() + 1 + lblDesc[0]->fontMetrics().height(), pxY(760));
    for (const ClickLabel *caption : lblDesc)
        atLeast(rx, textWidth(caption, caption->text()), pxX(1335));

    return QSize(int(std::ceil(rx * pxX(DesignWidth))), int(std::ceil(ry * pxY(DesignHeight))));
}

void frmMain::PicCont_MouseMove()
{
    if (TmrNav->isActive())
        TmrNav->stop();
}

void frmMain::StatusBar1_MouseMove()
{
    Rect->hide();
}

// The label bar's looks: black on green while pressed, the frame over the
// label under the pointer, white on black again on release.
void frmMain::Panel1_MouseDown(int Index, int Button)
{
    if (Button != VbMouse::Right && Index <= 5)
        setColors(Panel1[Index], Qt::black, QColor(0x00, 0xff, 0x00));
}

void frmMain::Panel1_MouseMove(int Index)
{
    if (Index > 5 || (Rect->isVisible() && Rect->x() == Panel1[Index]->x()))
        return;
    Rect->setGeometry(Panel1[Index]->geometry());
    Rect->show();
    Rect->raise();
    Panel1[Index]->unsetCursor();
}

void frmMain::Panel1_MouseUp()
{
    Rect->hide();
    ResetPanelColors();
}

void frmMain::ResetPanelColors()
{
    for (ClickLabel *label : std::as_const(Panel1))
        setBarLabelLook(label);
}

void frmMain::ExitApp()
{
    if (m_exiting)
        return;
    m_exiting = true;
    // An Update under way ends first, as Stop ends it; the wait it is in,
    // and any it still starts, end at once now that the program ends.
    setProgramEnding(true);
    if (updateRunning())
        StopUpdate();
    SaveLayout();
    DoEvents();
    ResetScreen();
    DoEvents();
    DestroyHdcs();
    DoEvents();
    QCoreApplication::quit();
}

void frmMain::Panel1_Click(int index)
{
    emit labelMenuRun(index);
    const QPoint at = Panel1[qBound(0, index, 7)]->mapToGlobal(QPoint(0, 0));
    if (index == 0)
        mnuStart->popup(at);
    else if (index == 1 && !runActive())
        mnuSets->popup(at);
    else if (index == 2)
        MsgBox(QStringLiteral("This option will be available in the next coming version, stay tune!"),
               Msg::Information, QStringLiteral(" Coming Soon.."));
    else if (index == 3)
        ShowAdviser(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)), adviserServiceBox());
    else if (index == 5)
        mnuReports->popup(Panel1[5]->mapToGlobal(QPoint(0, 0)));
    else if (index == 4 && CurSymbol.isEmpty())
        MsgBox(QStringLiteral("You have to select stock first.\r\n(Select one of the symbols in the upper tree, under the first item.)"),
               Msg::Information, QStringLiteral("Unselected Stock"));
    else if (index == 4)
        ShowSummaryOpt(this, Panel1[4]->mapToGlobal(QPoint(0, 0)));
}

void frmMain::createConsultationMenu()
{
    // The items carry check marks only: choosing one runs nothing.
    const char *const captions[] = {"Stock Prices", "Top 25  Earnings Surprises", "Percentage Winners",
                                    "Percentage Losers ", "Largest % Gain In Price ", "Largest % Loss In Price",
                                    "Largest % Gain In Volume", "Largest % Loss In Volume", "52 Week Price Highs ",
                                    "52 Week Price Lows", "Most Actives Stock  ", "Upgrades", "Downgrades",
                                    "Coverage Initiated", "Broad Market Overviews ",
                                    "Most Recent Corporate Earnings Releases "};
    mnuConsMenu = new QMenu(QStringLiteral("Consultation"), this);
    for (int i = 0; i < 16; ++i) {
        QAction *a = mnuConsMenu->addAction(QString::fromLatin1(captions[i]));
        a->setCheckable(true);
        a->setVisible(i < 14);
        mnuCons << a;
    }
}

void frmMain::checkConsultationItem(short index)
{
    for (int i = 0; i < mnuCons.size(); ++i)
        mnuCons[i]->setChecked(i == index);
}

frmAdviser::ServiceBox frmMain::adviserServiceBox()
{
    // The settings window's box of the weekly adviser service.
    constexpr int AdviserBox = 19;
    return {[] { return LoadOptions().chkUpdate[AdviserBox]->isChecked(); },
            [](bool ticked) { LoadOptions().chkUpdate[AdviserBox]->setChecked(ticked); }};
}

void frmMain::Picture1_Click(int index)
{
    emit toolbarRun(index);
    switch (index) {
    case 0:
        // The caption is the only test of whether a run is under way.
        if (lblDesc[0]->text() == QLatin1String("Update"))
            UpdateAll();
        else
            StopUpdate();
        break;
    case 1:
        mnuTickers->popup(Picture1[1]->mapToGlobal(QPoint(0, Picture1[1]->height())));
        break;
    case 2:
        ShowNews(this);
        break;
    case 3:
        Zoom_FG();
        break;
    case 4:
        if (!runActive())
            ShowStkSet(this);
        break;
    case 5:
        ShowScr(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)));
        break;
    case 6:
        ShowOptions(this, qRound(Twips::fromPixelsY(NewsTicker1->y(), this)));
        break;
    default:
        break;
    }
}

bool frmMain::runActive() const
{
    // A stopped run still passing its last boxes is under way too.
    return lblDesc[0]->text() == QLatin1String("Stop") || updateRunning();
}

void frmMain::StopUpdate()
{
    ::StopUpdate(*this);
    emit stopRequested();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this && !m_exiting) {
            auto *ke = static_cast<QKeyEvent *>(event);
            int code = VbMouse::keyCodeOf(ke->key());
            int shift = VbMouse::shiftOf(ke->modifiers());
            if (code != 0 && shortcutFor(code, shift).kind != ShortcutAction::None) {
                Form_KeyDown(code, shift);
                return true;
            }
        }
    } else if (event->type() == QEvent::MouseMove && (watched == this || watched == frmButtom)) {
        Form_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    ExitApp();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (FormResizer)
        Form_Resize();
}

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
}

void frmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(event);
}
