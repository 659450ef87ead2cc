#include "mainwindow/ui/frmMain.h"

#include "platform/ui/PictureBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace {

// An update sends the status panel several texts per page; a new one is
// drawn at most once a frame (25 a second), the last of a burst at the end
// of its frame, which is sooner than the eye tells.
constexpr int FrameMs = 40;

// Shows a text at most once a frame: a text asked for a frame or more after
// the last one shown is shown at once, one asked sooner at the end of that
// frame (the last of a burst wins).
class Pacer : public QObject
{
public:
    Pacer(QObject *parent, std::function<void()> show) : QObject(parent), m_apply(std::move(show))
    {
        m_flush.setSingleShot(true);
        connect(&m_flush, &QTimer::timeout, this, &Pacer::show);
    }

    void request()
    {
        if (m_flush.isActive())
            return;
        const qint64 since = m_shown.isValid() ? m_shown.elapsed() : FrameMs;
        if (since >= FrameMs)
            show();
        else
            m_flush.start(int(FrameMs - since));
    }

    void show()
    {
        m_flush.stop();
        m_shown.start();
        m_apply();
    }

private:
    std::function<void()> m_apply;
    QTimer m_flush;
    QElapsedTimer m_shown;
};

// The status panel shows what fits before the task counter; the whole text
// is its tooltip while it is cut, and comes back when the window is wider.
Pacer *statusPacer(ClickLabel *panel)
{
    // The last one asked for is kept at hand: a run asks several times a page.
    static QPointer<ClickLabel> lastPanel;
    static QPointer<Pacer> last;
    if (last && lastPanel == panel)
        return last;
    auto *pacer = panel->findChild<Pacer *>(QStringLiteral("statusPacer"), Qt::FindDirectChildrenOnly);
    lastPanel = panel;
    if (pacer)
        return last = pacer;
    pacer = new Pacer(panel, [panel] {
        const QString text = panel->fullText();
        const QString shown = panel->fontMetrics().elidedText(text, Qt::ElideRight, panel->contentsRect().width());
        panel->setText(shown);
        panel->setToolTip(shown == text ? QStringLiteral("Status") : text);
    });
    pacer->setObjectName(QStringLiteral("statusPacer"));
    return last = pacer;
}

// The caption an update sets for every page, paced as the status panel is.
class CaptionPacer : public Pacer
{
public:
    explicit CaptionPacer(QWidget *window) : Pacer(window, [this, window] { window->setWindowTitle(text); }) {}
    QString text;
};

CaptionPacer *captionPacer(QWidget *window)
{
    static QPointer<QWidget> lastWindow;
    static QPointer<CaptionPacer> last;
    if (last && lastWindow == window)
        return last;
    auto *pacer = window->findChild<CaptionPacer *>(QStringLiteral("captionPacer"), Qt::FindDirectChildrenOnly);
    if (!pacer) {
        pacer = new CaptionPacer(window);
        pacer->setObjectName(QStringLiteral("captionPacer"));
        pacer->text = window->windowTitle();
    }
    lastWindow = window;
    return last = pacer;
}

// While a run goes on (the first toolbar caption reads "Stop") the window
// is drawn at most once a frame: its pages, captions, panels, grid rows and
// tree selection change many times a frame, and a yield would draw each.
class PaintPacer : public QObject
{
public:
    PaintPacer(QWidget *window, const QLabel *runCaption) : QObject(window), m_window(window), m_runCaption(runCaption)
    {
        setObjectName(QStringLiteral("paintPacer"));
        m_flush.setSingleShot(true);
        connect(&m_flush, &QTimer::timeout, this, [this] {
            m_passNext = true;
            QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest));
        });
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::UpdateRequest)
            return false;
        if (m_passNext || m_runCaption->text() != QLatin1String("Stop") || !m_drawn.isValid() ||
            m_drawn.elapsed() >= FrameMs) {
            m_passNext = false;
            m_drawn.start();
            return false;
        }
        if (!m_flush.isActive())
            m_flush.start(int(FrameMs - m_drawn.elapsed()));
        return true; // drawn at the end of the frame, with whatever changed meanwhile
    }

private:
    QWidget *m_window;
    const QLabel *m_runCaption;
    QTimer m_flush;
    QElapsedTimer m_drawn;
    bool m_passNext = false;
};

void pacePainting(QWidget *window, const QLabel *runCaption)
{
    static QPointer<QWidget> paced; // the window last found paced
    if (!runCaption || paced == window)
        return;
    if (!window->findChild<PaintPacer *>(QStringLiteral("paintPacer"), Qt::FindDirectChildrenOnly))
        new PaintPacer(window, runCaption);
    paced = window;
}

} // namespace

QString frmMain::caption() const
{
    const auto *pacer = findChild<CaptionPacer *>(QStringLiteral("captionPacer"), Qt::FindDirectChildrenOnly);
    return pacer ? pacer->text : windowTitle();
}

void frmMain::setCaption(const QString &text)
{
    pacePainting(this, lblDesc.value(0));
    CaptionPacer *pacer = captionPacer(this);
    pacer->text = text;
    pacer->request();
}

void frmMain::setPanelText(int index, const QString &text)
{
    if (index < 0 || index >= Panel1.size() || !Panel1[index])
        return;
    ClickLabel *panel = Panel1[index];
    if (index != 6) {
        panel->setText(text);
        return;
    }
    pacePainting(this, lblDesc.value(0));
    panel->setFullText(text);
    statusPacer(panel)->request();
}

void frmMain::endBatchRun()
{
    StopUpdate();
}
