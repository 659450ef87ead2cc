#include "services/ui/frmUpgrade.h"

#include "core/Connection.h"
#include "core/Sites.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/DesignRow.h"
#include "platform/ui/FormInstance.h"
#include "services/FtpDownload.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

FormInstance<frmUpgrade> g_upgrade;

const char *const NavCaptions[] = {"Start Download", "Get More Information", "Take Me To Download Area", "Close"};
constexpr int NavLeft[] = {120, 1560, 3240, 5520};

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixelsX(left, w), Twips::toPixelsY(top, w), Twips::toPixelsX(width, w),
                   Twips::toPixelsY(height, w));
}

void colour(QLabel *label, const QColor &c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

} // namespace

QString plainNumber(double value)
{
    QString text = QString::number(value, 'g', 15);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

frmUpgrade::frmUpgrade(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmUpgrade"));
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMouseTracking(true);
    resize(Twips::toPixelsX(6030, this), Twips::toPixelsY(1485, this));

    Label1 = new QLabel(QStringLiteral("Pellor is pleased to announced the new version of Brindlewick."), this);
    QFont f(QStringLiteral("Times New Roman"), 12);
    f.setItalic(true);
    Label1->setFont(f);
    Label1->setWordWrap(true);
    colour(Label1, QColor(64, 64, 64));
    place(Label1, 240, 120, 5535, 615);

    QList<DesignCell> row;
    for (int i = 0; i < 4; ++i) {
        auto *nav = new QLabel(QString::fromLatin1(NavCaptions[i]), this);
        QFont u = nav->font();
        u.setUnderline(true);
        nav->setFont(u);
        colour(nav, QColor(0, 0, 255));
        nav->setCursor(Qt::PointingHandCursor);
        nav->setMouseTracking(true);
        nav->installEventFilter(this);
        lblNav << nav;
        row << DesignCell{nav, NavLeft[i], 0};
    }
    const int right = placeRow(row, 1200, 195);
    resize(qMax(width(), right + Twips::toPixelsX(120, this)), height());
    lblNav[0]->setEnabled(false);

    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    place(Text1, 120, 1560, 5775, 855);
    Label2 = new QLabel(this);
    place(Label2, 120, 2520, 1935, 255);
    Label3 = new QLabel(this);
    place(Label3, 2160, 2520, 3135, 255);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();

    ftp = new FtpDownload(this);
    connect(ftp, &FtpDownload::commandSent, this,
            [this](const QString &line) { Text1->moveCursor(QTextCursor::End); Text1->insertPlainText(line + QStringLiteral("\r\n")); });
    connect(ftp, &FtpDownload::unexpectedReply, this, [](const QString &reply) {
        MsgBox(QStringLiteral("Error! ") + reply, Msg::OKOnly | Msg::Critical, QStringLiteral("DOZiva"));
    });
    connect(ftp, &FtpDownload::progress, this, [this](qint64 received, qint64 total) {
        Label1->setText(QString::number(received) + QStringLiteral(" / ") + QString::number(total));
    });
    connect(ftp, &FtpDownload::finished, this, [this](bool complete, const QString &why) { downloadEnded(complete, why); });
}

void frmUpgrade::lblNav_Click(int Index)
{
    if (isClosing(this))
        return;
    switch (Index) {
    case 0:
        if (lblNav[0]->isEnabled())
            StartDownload();
        break;
    case 1:
    case 2:
        OpenUrl(siteUrl(Site::MakerSite, Index == 1 ? QStringLiteral("/brindlewick.htm")
                                                    : QStringLiteral("/brindlewick.htm#download")));
        CloseUpgrade();
        break;
    case 3: {
        const std::function<void()> back = backToSettings;
        CloseUpgrade();
        if (back)
            back();
        break;
    }
    default: break;
    }
}

void frmUpgrade::StartDownload()
{
    if (ftp->active())
        return;
    resize(width(), Twips::toPixelsY(1485 * 2, this));
    if (!CheckConnection())
        return;
    lblNav[0]->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_hourglass = true;

    const QString local = ShowSave(QStringLiteral("Brindlewick Upgrade"), QStringLiteral("Brw504U.zip"),
                                   QStringLiteral("Zip File"), QStringLiteral("zip"));
    if (local.isEmpty()) {
        QApplication::restoreOverrideCursor();
        m_hourglass = false;
        return;
    }
    // "host" or "host:port" of the maker's FTP server.
    const QString host = siteHost(Site::MakerFtp);
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    ftp->FtpHost = colon > 0 ? host.left(colon) : host;
    ftp->FtpPort = colon > 0 ? quint16(host.mid(colon + 1).toUInt()) : quint16(21);
    ftp->LocalFile = local;
    ftp->RemoteFile = QStringLiteral("/pellor/Brw504U.zip");
    m_bytesAtLastTick = 0;
    ftp->start();
}

void frmUpgrade::downloadEnded(bool complete, const QString &why)
{
    if (m_hourglass) {
        QApplication::restoreOverrideCursor();
        m_hourglass = false;
    }
    if (complete) {
        MsgBox(QStringLiteral("Download complate.\r\nClose Brindlewick, unzip Brw504U.zip and run setup.exe"),
               Msg::OKOnly | Msg::Information, QStringLiteral("Done"));
        CloseUpgrade();
        return;
    }
    MsgBox(why + QStringLiteral("\r\nThe upgrade was not downloaded; nothing of it was kept."),
           Msg::OKOnly | Msg::Critical, QStringLiteral("DOZiva"));
}

void frmUpgrade::Timer1_Timer()
{
    const qint64 d = ftp->BytesReceived - m_bytesAtLastTick;
    Label2->setText(plainNumber(double(d) / 1024) + QStringLiteral(" KB/s"));
    if (d < 1)
        Label3->setText(QStringLiteral("Dun"));
    else
        Label3->setText(plainNumber(double(ftp->TotalBytes - ftp->BytesReceived) / double(d)) +
                        QStringLiteral(" Sec left."));
    m_bytesAtLastTick = ftp->BytesReceived;
}

void frmUpgrade::CloseUpgrade()
{
    if (!beginClosing(this))
        return;
    ftp->cancel();
    RollWindow(this, 25);
    DoEvents();
    UnloadUpgrade();
}

bool frmUpgrade::eventFilter(QObject *watched, QEvent *event)
{
    const int index = lblNav.indexOf(qobject_cast<QLabel *>(watched));
    if (index >= 0) {
        if (event->type() == QEvent::MouseMove) {
            if (lblNav[index]->palette().color(QPalette::WindowText) != QColor(255, 0, 0)) {
                for (QLabel *nav : std::as_const(lblNav))
                    colour(nav, QColor(0, 0, 255));
                colour(lblNav[index], QColor(255, 0, 0));
            }
        } else if (event->type() == QEvent::MouseButtonRelease && lblNav[index]->isEnabled()) {
            lblNav_Click(index);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmUpgrade::mouseMoveEvent(QMouseEvent *event)
{
    for (QLabel *nav : std::as_const(lblNav))
        colour(nav, QColor(0, 0, 255));
    QWidget::mouseMoveEvent(event);
}

frmUpgrade *upgradeWindow()
{
    return g_upgrade.get();
}

void ShowUpgrade(std::function<void()> backToSettings)
{
    g_upgrade.show()->backToSettings = std::move(backToSettings);
}

void UnloadUpgrade()
{
    g_upgrade.unload();
}
