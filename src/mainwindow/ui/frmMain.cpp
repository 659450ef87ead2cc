#include "mainwindow/ui/frmMain.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/ui/BarSkin.h"
#include "core/ui/FormResize.h"
#include "core/ui/BitBltModule.h"
#include "core/ui/DimScreen.h"
#include "core/ui/WindowEffects.h"
#include "core/ui/frmSplash.h"
#include "mainwindow/ColLayout.h"
#include "mainwindow/Shortcuts.h"
#include "platform/FlexGrid.h"
#include "platform/Dialogs.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "retrieval/transport/RunState.h"

#include <QApplication>
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

const char *const ToolbarCaptions[] = {"Update", "Ticker", "Zedero", "Zoom", "Stocks", "Screen", "Setting"};
const char *const LabelMenuCaptions[] = {"Start", "Groups", "Chat", "Adviser", "Summary", "Reports", "", ""};
const char *const ScaleCaptions[] = {"Sell", "Underperform", "Hold", "Buy", "Strong Buy"};
constexpr double ScaleLefts[] = {3120, 3885, 5340, 6225, 6915};

// Classic key code of a Qt key (letters and digits keep their codes).
int keyCodeOf(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return KeyCode::F1 + (qtKey - Qt::Key_F1);
    if (qtKey == Qt::Key_Escape)
        return KeyCode::Escape;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    return 0;
}

int shiftOf(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? ShiftMask::Shift : 0) | (m & Qt::ControlModifier ? ShiftMask::Ctrl : 0)
           | (m & Qt::AltModifier ? ShiftMask::Alt : 0);
}
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

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brindlewick"));
    setWindowIcon(ProgramIcon());
    setMouseTracking(true);
    createControls();
    qApp->installEventFilter(this);
    if (!mainWindow())
        setMainWindow(this);
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
    if (mainWindow() == this)
        setMainWindow(nullptr);
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

    // Headline ticker strip along the top.
    NewsTicker1 = new QWidget(this);
    NewsTicker1->setObjectName(QStringLiteral("NewsTicker1"));
    NewsTicker1->setAutoFillBackground(true);
    QPalette tp = NewsTicker1->palette();
    tp.setColor(QPalette::Window, Qt::black);
    NewsTicker1->setPalette(tp);
    place(NewsTicker1, 120, 120, 9255, 360);

    // Working area: tree, symbol column, splitters and grid.
    PicCont = new PictureBox(this);
    PicCont->setObjectName(QStringLiteral("PicCont"));
    PicCont->setBackColor(palette().color(QPalette::Base));
    place(PicCont, 120, 600, 7935, 5415);

    TreeView1 = new QTreeWidget(PicCont);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    place(TreeView1, 0, 0, 2180, 2680);

    picSplit2 = new PictureBox(PicCont);
    picSplit2->setObjectName(QStringLiteral("picSplit2"));
    picSplit2->setBackColor(palette().color(QPalette::Button));
    picSplit2->setMouseIcon(LoadResCursor(103));
    place(picSplit2, 2280, 0, 30, 2895);

    ImgUp = new PictureBox(PicCont);
    ImgUp->setObjectName(QStringLiteral("ImgUp"));
    ImgUp->setPicture(LoadResPicture(QStringLiteral("ArrowUp")));
    place(ImgUp, 2400, 0, 750, 300);
    ImgDn = new PictureBox(PicCont);
    ImgDn->setObjectName(QStringLiteral("ImgDn"));
    ImgDn->setPicture(LoadResPicture(QStringLiteral("ArrowDn")));
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
        lblDsc << l;
    }
    for (int i = 0; i < 7; ++i) {
        auto *label = new ClickLabel(PicCont);
        label->setObjectName(QStringLiteral("lblSbl%1").arg(i));
        label->setText(QStringLiteral(" "));
        place(label, 2520, 240 + 360 * i, 735, 255);
        lblSbl << label;
        auto *gauge = new PictureBox(PicCont);
        gauge->setObjectName(QStringLiteral("img%1").arg(i));
        place(gauge, 3120, 240 + 360 * i, 4575, 315);
        img << gauge;
    }
    Shape1 = new QFrame(PicCont);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setVisible(false);
    place(Shape1, 2530, 240, 735, 255);

    Splitter = new PictureBox(PicCont);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setBackColor(palette().color(QPalette::Button));
    place(Splitter, 0, 2880, 7695, 30);

    FGModel = new FlexGrid(this);
    FG = new FlexGridView(FGModel, PicCont);
    FG->setObjectName(QStringLiteral("FG"));
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
    place(frmButtom, 8040, 600, 1335, 5415);
    for (int i = 0; i < 7; ++i) {
        auto *button = new PictureBox(frmButtom);
        button->setObjectName(QStringLiteral("Picture1%1").arg(i));
        button->setPicture(LoadResPicture(QStringLiteral("B1")));
        place(button, 292, 90 + 760 * i, 750, 375);
        Picture1 << button;
        connect(button, &PictureBox::Click, this, [this, i] { Picture1_Click(i); });
        auto *caption = new ClickLabel(frmButtom);
        caption->setObjectName(QStringLiteral("lblDesc%1").arg(i));
        caption->setText(QString::fromLatin1(ToolbarCaptions[i]));
        caption->setAlignment(Qt::AlignCenter);
        caption->setStyleSheet(QStringLiteral("color: #e8eef6;"));
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
    Rect->setStyleSheet(QStringLiteral("color: #6fa8ff;"));
    Rect->setVisible(false);
    for (int i = 0; i < 8; ++i) {
        auto *label = new ClickLabel(StatusBar1);
        label->setObjectName(QStringLiteral("Panel1%1").arg(i));
        label->setText(QString::fromLatin1(LabelMenuCaptions[i]));
        label->setStyleSheet(QStringLiteral("color: #f0f0f0;"));
        label->setAlignment(i < 6 ? Qt::AlignCenter : Qt::AlignVCenter | Qt::AlignLeft);
        if (i < 6)
            place(label, 60 + 960 * i, 15, 900, 255);
        else if (i == 6)
            place(label, 5880, 15, 2280, 255);
        else
            place(label, 8220, 15, 1200, 255);
        Panel1 << label;
        connect(label, &ClickLabel::Click, this, [this, i] { Panel1_Click(i); });
    }

    mnuStart = new QMenu(QStringLiteral("Start"), this);
    mnuStart->setObjectName(QStringLiteral("mnuStart"));

    for (QWidget *w : findChildren<QWidget *>())
        w->setMouseTracking(true);
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

    Splitter->setMouseIcon(LoadResCursor(103));

    const Variant pos = QuerySetting(QStringLiteral("LastTreePos"));
    if (!pos.toString().isEmpty()) {
        picSplit2->move(Twips::toPixelsX(pos.toDouble(), this), picSplit2->y());
        picSplit2_MouseUp();
    }
}

void frmMain::LoadData()
{
    DataDir = defaultDataDir();
    BaseCaption = windowTitle();
    StopFlag = false;
    SetSplashBar(60);

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

    const Variant group = QuerySetting(QStringLiteral("LastGroup"));
    mnuSet_Click(group.toString().isEmpty() ? 0 : short(group.toDouble()));

    UpdateInterval = short(QuerySetting(QStringLiteral("AutoUpdate")).toDouble());
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
    UnloadSplash();
}

void frmMain::Form_KeyDown(int &KeyCode, int &Shift)
{
    const ShortcutAction action = shortcutFor(KeyCode, Shift);
    switch (action.kind) {
    case ShortcutAction::StartMenuItem: mnuStartItem_Click(action.index); break;
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
    case ShortcutAction::HelpMenuItem: mnuHelpItem_Click(action.index); break;
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
}

void frmMain::picSplit2_MouseUp()
{
    // Lays out the upper pane for the divider's position, within its limits.
    picSplit2->setMouseIcon(LoadResCursor(103));
    picSplit2->setBackColor(palette().color(QPalette::Button));
    TreeSplitStartX = 2147483647;
    const double inner = Twips::fromPixelsX(PicCont->width(), this);
    double p = Twips::fromPixelsX(picSplit2->x(), this);
    if (p < 400)
        p = 400;
    else if (p > inner - 500)
        p = inner - 500;
    const qint32 P = qint32(qRound(p));
    picSplit2->move(Twips::toPixelsX(P, this), picSplit2->y());
    SaveSetting(QStringLiteral("LastTreePos"), QString::number(P));
    ImgDn->move(Twips::toPixelsX(P + 50, this), ImgDn->y());
    ImgUp->move(Twips::toPixelsX(P + 50, this), ImgUp->y());
    TreeView1->resize(Twips::toPixelsX(P - 100, this), TreeView1->height());
    for (int i = 0; i < 7; ++i) {
        lblSbl[i]->move(Twips::toPixelsX(P + 250, this), lblSbl[i]->y());
        img[i]->move(Twips::toPixelsX(P + 850, this), img[i]->y());
    }
    Shape1->move(Twips::toPixelsX(P + 250, this), Shape1->y());
    placeScaleLabels(qRound(Twips::fromPixelsX(img[0]->x(), this)), qRound(Twips::fromPixelsX(img[0]->width(), this)),
                     P + 850);
}

void frmMain::placeScaleLabels(qint32 L, qint32 W, double sellLeft)
{
    // "Sell" at the gauge's left, "Strong Buy" ending at its right edge.
    const auto w = [this](int k) { return Twips::fromPixelsX(lblDsc[k]->width(), this); };
    const auto setLeft = [this](QLabel *l, double left) { l->move(Twips::toPixelsX(left, this), l->y()); };
    setLeft(lblDsc[0], sellLeft);
    setLeft(lblDsc[1], W / 5.0 - w(1) / 2 + L);
    setLeft(lblDsc[2], W / 2.0 + L - w(2));
    setLeft(lblDsc[3], W / 1.5 + L - w(3) / 2);
    setLeft(lblDsc[4], short(W + L) - w(4));
}

void frmMain::ExitApp()
{
    if (m_exiting)
        return;
    m_exiting = true;
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
}

void frmMain::Picture1_Click(int index)
{
    emit toolbarRun(index);
}

void frmMain::mnuStartItem_Click(int index)
{
    if (index != 8)
        return;
    // Shut down, after the question when the user asked for one.
    if (!(QuerySetting(QStringLiteral("ShutDown")) == 0)) {
        DimForm(this);
        const int answer = MsgBox(QStringLiteral("Do you realy want to quit Brindlewick?"), Msg::YesNo + Msg::Question,
                                  QStringLiteral("Shut Down Brindlewick"));
        ResetScreen();
        if (answer == Msg::No)
            return;
    }
    ExitApp();
}

void frmMain::mnuHelpItem_Click(int)
{
}

void frmMain::StopUpdate()
{
    StopFlag = true;
    emit stopRequested();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this && !m_exiting) {
            auto *ke = static_cast<QKeyEvent *>(event);
            int code = keyCodeOf(ke->key());
            int shift = shiftOf(ke->modifiers());
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

// Operations of the sheets, the set menu and the fetch routines: the window
// answers each through the part of the program that owns it.
void frmMain::FG_Coverage() {}
void frmMain::FG_ABS() {}
void frmMain::mnuSet_Click(short index)
{
    CurSetNo = index;
    ReadStocks();
}
void frmMain::Panel7(short) {}
void frmMain::UpdateSurp() {}
void frmMain::UpdateUpDown() {}
void frmMain::UpdateWinners() {}
void frmMain::FG_AIS() {}
void frmMain::LoadPrices() {}
void frmMain::UpdateRec() {}
void frmMain::UpdateIT() {}
void frmMain::UpdateQR() {}
void frmMain::UpdateOptions() {}
void frmMain::ShowRec() {}
void frmMain::Ticker_Sel_Headlines(short) {}
void frmMain::Ticker_Market_News() {}
void frmMain::initTree() {}
void frmMain::FixLayOut()
{
    ::FixLayOut(*FGModel);
}
void frmMain::LoadSets() {}
void frmMain::FG_Portfolio_All() {}
void frmMain::FG_PortfolioLog() {}
void frmMain::Parse_US() {}
void frmMain::FG_EC() {}
void frmMain::Zoom_FG() {}
void frmMain::FG_IPO_Price() {}
void frmMain::FG_IPO_Gain() {}
void frmMain::FG_IPO_Loss() {}
void frmMain::Update_IPO_Price() {}
void frmMain::Pares_BR(const QString &, const QString &) {}
void frmMain::FG_IPO_Last() {}
void frmMain::FG_IPO_News() {}
void frmMain::FG_IPO_With() {}
void frmMain::FG_WMarket() {}
void frmMain::UpdateAdvise() {}
void frmMain::SendErrorLog() {}
void frmMain::Speak(short) {}
void frmMain::Update_OptSum() {}
void frmMain::WinsockWait() {}
FlexGrid *frmMain::mainGrid()
{
    return FGModel;
}
