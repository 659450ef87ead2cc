#include "services/ui/GRP.h"

#include "core/DataDir.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/FormInstance.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

namespace {

FormInstance<GRP> g_grp;

// The picture beside the program; a fresh profile gets the one the
// program carries.
QString picturePath()
{
    const QString path = resolvePath(DataDir + QStringLiteral("\\dollar.gif"));
    if (!QFile::exists(path))
        QFile::copy(QStringLiteral(":/relax/dollar.gif"), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return path;
}

} // namespace

GRP::GRP(QWidget *parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("GRP"));
    setWindowTitle(QString());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(247, 247, 247));
    setPalette(p);
    setAutoFillBackground(true);

    Pictbox = new QLabel(this);
    Pictbox->setAlignment(Qt::AlignCenter);
    Pictbox->setMinimumSize(Twips::toPixelsX(5085, this), Twips::toPixelsY(2205, this));
    Slider1 = new QSlider(Qt::Vertical, this);
    Slider1->setRange(0, 20);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(5);
    Slider1->setTickInterval(1);
    Slider1->setTickPosition(QSlider::TicksRight);
    Slider1->setValue(1);
    Command1 = new QPushButton(QStringLiteral("Start"), this);
    Command1->setToolTip(QStringLiteral("Start Relaxation"));
    cmdclose = new QPushButton(QStringLiteral("E&xit"), this);
    cmdclose->setToolTip(QStringLiteral("Close"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(Pictbox, 0, 0, 1, 3);
    grid->addWidget(Slider1, 0, 3);
    grid->addWidget(Command1, 1, 0);
    grid->setColumnStretch(1, 1);
    grid->addWidget(cmdclose, 1, 2, 1, 2, Qt::AlignRight);

    connect(Command1, &QPushButton::clicked, this, &GRP::Command1_Click);
    connect(cmdclose, &QPushButton::clicked, this, &GRP::cmdclose_Click);
    connect(Slider1, &QSlider::actionTriggered, this, [this] { Slider1_Scroll(); });
    connect(Slider1, &QSlider::valueChanged, this, [this] { Slider1_Change(); });
    Form_Load();
}

GRP::~GRP()
{
    // A window that goes mid-animation stops it first.
    if (Effect && Effect->IsPlay() == QLatin1String("False"))
        Effect->DoRipple(RippleFrq);
}

void GRP::Form_Load()
{
    Effect = std::make_unique<ClsManip>();
    RippleFrq = 0.1f;
    Effect->IntCls(this, [this](const QImage &frame) { Pictbox->setPixmap(QPixmap::fromImage(frame)); });
    Effect->IntRipple(picturePath(), RippleFrq);
    Pictbox->setPixmap(QPixmap::fromImage(Effect->destination));
}

void GRP::Command1_Click()
{
    if (Effect->IsPlay() == QLatin1String("True")) {
        Command1->setText(QStringLiteral("Stop"));
        const QPointer<GRP> self(this);
        Effect->DoRipple(RippleFrq);
        // Back from the loop: stopped, a picture it cannot animate, or the
        // window closed (and perhaps gone) meanwhile.
        if (self && !isClosing(self))
            Command1->setText(QStringLiteral("Start"));
    } else {
        Command1->setText(QStringLiteral("Start"));
        Effect->DoRipple(RippleFrq);
    }
}

void GRP::Slider1_Scroll()
{
    if (Effect->IsPlay() == QLatin1String("False")) {
        Command1->setText(QStringLiteral("Start"));
        Effect->DoRipple(RippleFrq);
    }
}

void GRP::Slider1_Change()
{
    RippleFrq = float(Slider1->value()) / 10;
}

void GRP::cmdclose_Click()
{
    if (!beginClosing(this))
        return;
    if (Effect->IsPlay() == QLatin1String("False"))
        Effect->DoRipple(RippleFrq);
    RollWindow(this, 25);
    UnloadGRP();
}

GRP *relaxWindow()
{
    return g_grp.get();
}

void ShowGRP()
{
    g_grp.show();
    DoEvents();
}

void UnloadGRP()
{
    g_grp.unload();
}
