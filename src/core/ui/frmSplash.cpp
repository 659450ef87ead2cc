#include "core/ui/frmSplash.h"

#include "core/DataDir.h"
#include "core/Version.h"
#include "platform/FontWarmup.h"
#include "platform/Sleep.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FormInstance.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>
#include <future>

namespace {
FormInstance<frmSplash> g_splash;
std::function<void(double)> g_observer;

// The picture, drawn on an image so that a worker thread may draw it.
QImage drawSplashPicture(QImage pm)
{
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0, QColor(12, 34, 74));
    g.setColorAt(1, QColor(4, 10, 28));
    p.fillRect(pm.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    // A rising price line over a faint grid.
    p.setPen(QPen(QColor(40, 70, 120), 1));
    for (int x = 0; x < pm.width(); x += 30)
        p.drawLine(x, 0, x, pm.height());
    for (int y = 0; y < pm.height(); y += 30)
        p.drawLine(0, y, pm.width(), y);
    QPolygonF line;
    const double pts[] = {120, 112, 118, 96, 104, 88, 92, 70, 78, 64, 50, 42, 36};
    for (int i = 0; i < 13; ++i)
        line << QPointF(i * 35.0, pts[i]);
    p.setPen(QPen(QColor(90, 200, 255), 3));
    p.drawPolyline(line);
    QFont f = p.font();
    f.setPointSize(26);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect().adjusted(0, 0, -14, -10), Qt::AlignRight | Qt::AlignBottom,
               QString::fromLatin1(ProductName));
    p.end();
    return pm;
}

// Opaque, as a screen's pixmap is.
QImage splashCanvas()
{
    return QImage(420, 150, QImage::Format_RGB32);
}

// The picture drawn ahead by PrepareSplash, until the splash takes it.
std::future<QImage> g_picture;

QPixmap splashPicture()
{
    if (g_picture.valid())
        return QPixmap::fromImage(g_picture.get());
    return QPixmap::fromImage(drawSplashPicture(splashCanvas()));
}
} // namespace

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmSplash"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    Image2 = new QLabel(this);
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    lblEmail = new QLabel(this);
    pb1 = new QProgressBar(this);
    pb1->setRange(0, 100);
    pb1->setTextVisible(false);
    pb1->setFixedHeight(10);
    // At start-up its room is kept while it is hidden: the window does not
    // grow (and paint whole again) when the bar comes.
    QSizePolicy barPolicy = pb1->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    pb1->setSizePolicy(barPolicy);
    pb1->setVisible(false);
    Label2->setCursor(Qt::PointingHandCursor);
    lblEmail->setCursor(Qt::PointingHandCursor);
    lblEmail->setText(QString::fromLatin1(SupportMailUrl).mid(7));
    // Light text on the dark ground (painted by paintEvent); the progress
    // bar keeps the usual colours.
    QPalette light = Label1->palette();
    light.setColor(QPalette::WindowText, QColor(0xd8, 0xe4, 0xf0));
    for (QLabel *l : {Label1, Label2, lblEmail}) {
        l->setContentsMargins(12, 0, 12, 0);
        l->setPalette(light);
    }
    layout->addWidget(Image2);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(lblEmail);
    layout->addWidget(pb1);
    for (QLabel *l : {Image2, Label2, lblEmail})
        l->installEventFilter(this);
    Form_Load();
    // The texts are measured while the picture may still be drawn on its
    // worker thread; the sizes they hint at are kept for the layout.
    ensurePolished();
    for (QLabel *l : {Label1, Label2, lblEmail})
        l->sizeHint();
    Image2->setPixmap(splashPicture());
    adjustSize();
}

void frmSplash::Form_Load()
{
    Label1->setText(QString::fromUtf8(TrademarkText));
    Label2->setText(QString::fromUtf8(CopyrightText));
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), QColor(0x04, 0x10, 0x1c));
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Label2)
            Label2_MouseDown();
        else if (watched == lblEmail)
            lblEmail_Click();
        else if (watched == Image2)
            Image2_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::Image2_Click()
{
    UnloadSplash();
}

void frmSplash::Label2_MouseDown()
{
    openExternalUrl(QUrl(QString::fromLatin1(HomePageUrl)), DataDir);
    DoEvents();
}

void frmSplash::lblEmail_Click()
{
    openExternalUrl(QUrl(QString::fromLatin1(SupportMailUrl)), DataDir);
}

void PrepareSplash()
{
    if (g_picture.valid() || g_splash.get())
        return;
    // The canvas is made here: its resolution is the screen's.
    g_picture = std::async(std::launch::async, [canvas = splashCanvas()] {
        finishFontWarmup();
        return drawSplashPicture(canvas);
    });
}

frmSplash *splashWindow()
{
    return g_splash.get();
}

void LoadSplash()
{
    g_splash.load();
}

void ShowSplash()
{
    g_splash.show()->repaint();
}

void ShowAbout(QWidget *owner)
{
    frmSplash *s = g_splash.get();
    if (s && s->isVisible() && !s->AboutBox)
        UnloadSplash(); // the start-up splash gives way
    s = g_splash.get();
    if (!s) {
        // Owned by the main window: a dialog above it, modal before it shows.
        s = new frmSplash(owner);
        s->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        s->setWindowModality(Qt::ApplicationModal);
        s->AboutBox = true;
        // Never a bar here: no room is kept for it.
        QSizePolicy barPolicy = s->pb1->sizePolicy();
        barPolicy.setRetainSizeWhenHidden(false);
        s->pb1->setSizePolicy(barPolicy);
        s->adjustSize();
        g_splash.adopt(s);
    }
    g_splash.show()->repaint();
}

void UnloadStartupSplash()
{
    if (frmSplash *s = g_splash.get(); s && !s->AboutBox)
        UnloadSplash();
}

void UnloadSplash()
{
    if (g_picture.valid())
        g_picture.wait(); // drawn for a splash that is not shown
    g_picture = {};
    g_splash.unload();
}

void SetSplashBar(double value)
{
    if (frmSplash *s = g_splash.get()) {
        // Drawn with the next events let through, not at once: a progress
        // bar repaints itself on every step otherwise.
        s->pb1->setUpdatesEnabled(false);
        s->pb1->setValue(int(value));
        s->pb1->setUpdatesEnabled(true);
    }
    if (g_observer)
        g_observer(value);
}

void setSplashBarObserver(std::function<void(double)> observer)
{
    g_observer = std::move(observer);
}
