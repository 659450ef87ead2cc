#include "reports/ui/Zoom.h"

#include "core/MainWindow.h"
#include "core/SharedState.h"
#include "core/TargetGrid.h"
#include "core/Utilities.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/FormResize.h"
#include "core/ui/WindowEffects.h"
#include "platform/FlexGrid.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include <cmath>

short ZoomNormalWidth = 0;
short ZoomNormalHeight = 0;

namespace {

// The zoom window that loaded last: it alone may still correct the normal
// size once its frame is known.
QPointer<Zoom> lastLoaded;

short wholeTwips(double twips)
{
    return short(qBound(-32768.0, std::nearbyint(twips), 32767.0));
}

QList<Variant> repeated(QList<Variant> head, int value, int times)
{
    for (int i = 0; i < times; ++i)
        head << value;
    return head;
}

// The zoom window behind a fill routine's request. A window that never
// got shown goes with the handle.
class ZoomHandle : public ZoomWindowHandle
{
public:
    ZoomHandle() : m_form(new Zoom(dynamic_cast<QWidget *>(mainWindow()))) {}
    ~ZoomHandle() override
    {
        if (!m_shown)
            delete m_form.data();
    }
    FlexGrid *grid() override { return m_form ? m_form->FGModel : nullptr; }
    void show() override
    {
        if (!m_form)
            return;
        m_shown = true;
        m_form->show();
    }

private:
    QPointer<Zoom> m_form;
    bool m_shown = false;
};

} // namespace

Zoom::Zoom(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Zoom"));
    setWindowTitle(QStringLiteral("Zoom"));
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    createControls();
    Form_Load();
}

Zoom::~Zoom() = default;

void Zoom::createControls()
{
    auto px = [this](double twips) { return Twips::toPixelsX(twips, this); };
    auto py = [this](double twips) { return Twips::toPixelsY(twips, this); };
    resize(px(8805), py(5085));

    Shape1 = new QFrame(this);
    Shape1->setProperty("Tag", QStringLiteral("@T,L"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setStyleSheet(QStringLiteral("background-color: #ffff00;"));
    Shape1->setGeometry(px(120), py(40), px(735), py(295));
    Shape1->hide();

    const QStringList captions = {QStringLiteral("Exit"), QStringLiteral("Edit"), QStringLiteral("Export")};
    const QStringList tips = {QStringLiteral("Close (Alt X)"), QStringLiteral("Edit (Alt E)"),
                              QStringLiteral("Make Reports (Alt P)")};
    for (int i = 0; i < 3; ++i) {
        auto *label = new ClickLabel(captions[i], this);
        label->setToolTip(tips[i]);
        label->setProperty("Tag", QStringLiteral("@T,L"));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(px(120 + 735 * i), py(60), px(735), py(255));
        connect(label, &ClickLabel::Click, this, [this, i] { Panel1_Click(i); });
        connect(label, &ClickLabel::MouseDown, this, [this, i] { Panel1_MouseDown(i); });
        connect(label, &ClickLabel::MouseMove, this, [this, i] { Panel1_MouseMove(i); });
        connect(label, &ClickLabel::MouseUp, this, [this, i] { Panel1_MouseUp(i); });
        Panel1 << label;
    }

    cmdMin = new QPushButton(QStringLiteral("_"), this);
    cmdMin->setToolTip(QStringLiteral("Click Here To Minimize"));
    cmdMin->setFocusPolicy(Qt::NoFocus);
    cmdMin->setGeometry(px(8385), py(45), px(330), py(285));
    connect(cmdMin, &QPushButton::clicked, this, &Zoom::cmdMin_Click);

    FGModel = new FlexGrid(this);
    FG = new FlexGridView(FGModel, this);
    FG->setProperty("Tag", QStringLiteral("@W,H"));
    FG->setGeometry(0, py(390), px(8805), py(5085 - 390));
    FGModel->setWidth(qRound(Twips::fromPixelsX(FG->width(), FG)));
    FG->setFocus();
    createMenus();
    wireGridEvents();
}

void Zoom::Form_Load()
{
    if (!FormResize)
        FormResize = std::make_unique<clsFormResize>();
    FormResize->setSourceForm(this);
    ZoomNormalWidth = short(outerWidthTwips());
    ZoomNormalHeight = short(outerHeightTwips());
    lastLoaded = this;
    ZoomType = CurType;
    ZoomSymbol = CurSymbol;
}

void Zoom::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The frame is known only now; the normal size is the outer one.
    if (!m_shownOnce && lastLoaded == this) {
        ZoomNormalWidth = short(outerWidthTwips());
        ZoomNormalHeight = short(outerHeightTwips());
    }
    m_shownOnce = true;
}

void Zoom::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Zoom::Form_Resize()
{
    if (Twips::fromPixelsY(height(), this) < 250)
        return;
    if (!Closing) {
        if (!FormResize) {
            FormResize = std::make_unique<clsFormResize>();
            FormResize->setSourceForm(this);
        }
        FormResize->ScaleControls();
    }
    if (const auto widths = columnWidths(ZoomType)) {
        FGModel->setWidth(qRound(Twips::fromPixelsX(FG->width(), FG)));
        SetColWidths(FGModel, *widths);
    }
}

std::optional<QList<Variant>> Zoom::columnWidths(const QString &key)
{
    if (key.startsWith(QLatin1String("F_")))
        return QList<Variant>{12, 48, 12, 12, 12};
    static const QList<QPair<QStringList, QList<Variant>>> table = {
        {{"WINLOS"}, {2, 10, 48, 12, 12, 12}},
        {{"ABS", "AIS"}, {31, 13, 13, 13, 13, 13}},
        {{"IPO_Price"}, repeated({12, 25, 10, 16, 10}, 9, 9)},
        {{"IPO_Gain", "IPO_Loss"}, repeated({25, 10, 12, 10, 10, 11}, 9, 8)},
        {{"IPO_Reg"}, {12, 25, 10, 9, 12, 15, 12, 9}},
        {{"Coverage"}, {25, 12, 27, 20, 12}},
        {{"Downgrade", "Upgrade"}, {25, 12, 25, 12, 12, 10}},
        {{"QR"}, {15, 15, 66, 0, 0, 0, 0}},
        {{"US"}, {4, 30, 9, 10, 12, 10, 12, 20, 0}},
        {{"WM"}, {4, 20, 10, 10, 9, 12, 12, 12, 10}},
        {{"SUP"}, {10, 32, 18, 18, 18}},
        {{"IT"}, {13, 0, 30, 12, 10, 10, 10, 12}},
        {{"BRP"}, {12, 20, 65}},
        {{"Split"}, {17, 17, 16, 16, 16, 16}},
        {{"UPH"}, {12, 20, 66}},
        {{"NMR"}, {97}},
        {{"IPO_Last"}, repeated({9, 9, 20, 18, 12}, 9, 9)},
        {{"IPO_News"}, {2, 70, 12, 12, 0}},
        {{"IPO_With"}, {12, 25, 10, 10, 18, 12, 10}},
        {{"Port"}, {9, 10, 8, 8, 6, 13, 13, 10, 10, 12, 0}},
        {{"PortLog"}, {12, 10, 15, 12, 12, 12, 15}},
        {{"Profile"}, {1, 97, 1}},
        {{"SI"}, {20, 25, 25, 25}},
        {{"Options"}, {2, 12, 8, 8, 8, 8, 8, 8, 12, 8, 8, 8, 8, 8, 8}},
    };
    for (const auto &row : table)
        if (row.first.contains(key))
            return row.second;
    return std::nullopt;
}

void Zoom::cmdMin_Click()
{
    // Events run between the steps: a close meanwhile waits for the last.
    const QPointer<Zoom> self(this);
    const BusyWindow busy(this);
    ToggleZoomSize();
    QCoreApplication::processEvents();
    if (!self)
        return;
    TileMiniWindows(this);
    QCoreApplication::processEvents();
}

void Zoom::ToggleZoomSize()
{
    if (isMaximized())
        return;
    if (outerWidthTwips() == ZoomNormalWidth) {
        setOuterSizeTwips(1790, 500);
    } else {
        const BusyWindow busy(this);
        setOuterSizeTwips(ZoomNormalWidth, ZoomNormalHeight);
        QCoreApplication::processEvents();
    }
}

int Zoom::outerWidthTwips() const
{
    return wholeTwips(Twips::fromPixelsX(frameGeometry().width(), this));
}

int Zoom::outerHeightTwips() const
{
    return wholeTwips(Twips::fromPixelsY(frameGeometry().height(), this));
}

// Only the inner size can be set; the frame keeps its left and top.
void Zoom::setOuterSizeTwips(int width, int height)
{
    const int extraW = qMax(0, frameGeometry().width() - this->width());
    const int extraH = qMax(0, frameGeometry().height() - this->height());
    resize(qMax(1, Twips::toPixelsX(width, this) - extraW), qMax(1, Twips::toPixelsY(height, this) - extraH));
}

void Zoom::CloseZoom()
{
    if (!beginClosing(this))
        return;
    Closing = true;
    TargetGrid = nullptr;
    QPointer<Zoom> alive(this);
    RollWindow(this, 25);
    if (alive)
        closeClosingWindow(this);
}

void Zoom::SelectAll()
{
    FGModel->selectAllCells();
}

void Zoom::CopyGrid()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(FGModel->Clip());
}

void Zoom::moveMarker(int index)
{
    Shape1->show();
    Shape1->move(Panel1[index]->x(), Shape1->y());
}

bool Zoom::Form_KeyDown(int KeyCode, int Shift)
{
    const bool alt = Shift & VbMouse::AltKey;
    if (KeyCode == 13) {
        Panel1_Click(0);
    } else if (alt && KeyCode == 69) {
        moveMarker(1);
        Panel1_Click(1);
    } else if (alt && KeyCode == 80) {
        moveMarker(2);
        Panel1_Click(2);
    } else if ((alt && KeyCode == 88) || KeyCode == 27) {
        moveMarker(0);
        Panel1_Click(0);
    } else {
        return false;
    }
    return true;
}

// Keys the grid does not use come here, so the commands work while the
// grid has the focus.
void Zoom::keyPressEvent(QKeyEvent *event)
{
    int code = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: code = 13; break;
    case Qt::Key_Escape: code = 27; break;
    default:
        if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
            code = event->key();
    }
    if (code && Form_KeyDown(code, VbMouse::shiftOf(event->modifiers())))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void Zoom::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    Form_MouseMove();
}

void Zoom::Form_MouseMove()
{
    if (Shape1->isVisible())
        Shape1->hide();
}

void installZoomWindows()
{
    setZoomWindowFactory([] { return std::make_unique<ZoomHandle>(); });
}
