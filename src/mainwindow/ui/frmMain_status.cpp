#include "mainwindow/ui/frmMain.h"

#include "platform/ui/PictureBox.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

// An update sends the status panel several texts per page; a new one is
// drawn at most once a frame (25 a second), the last of a burst at the end
// of its frame, which is sooner than the eye tells.
constexpr int FrameMs = 40;

class StatusPacer : public QObject
{
public:
    explicit StatusPacer(ClickLabel *panel) : QObject(panel), m_panel(panel)
    {
        m_flush.setSingleShot(true);
        connect(&m_flush, &QTimer::timeout, this, &StatusPacer::show);
    }

    static StatusPacer *of(ClickLabel *panel)
    {
        auto *pacer = panel->findChild<StatusPacer *>(QString(), Qt::FindDirectChildrenOnly);
        return pacer ? pacer : new StatusPacer(panel);
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

    // The panel shows what fits before the task counter; the whole text is
    // its tooltip while it is cut, and comes back when the window is wider.
    void show()
    {
        m_flush.stop();
        m_shown.start();
        const QString text = m_panel->property("fullText").toString();
        const QString shown =
            m_panel->fontMetrics().elidedText(text, Qt::ElideRight, m_panel->contentsRect().width());
        m_panel->setText(shown);
        m_panel->setToolTip(shown == text ? QStringLiteral("Status") : text);
    }

private:
    ClickLabel *m_panel;
    QTimer m_flush;
    QElapsedTimer m_shown;
};

} // namespace

QString frmMain::caption() const
{
    return windowTitle();
}

void frmMain::setCaption(const QString &text)
{
    setWindowTitle(text);
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
    panel->setProperty("fullText", text);
    StatusPacer::of(panel)->request();
}

void frmMain::endBatchRun()
{
    StopUpdate();
}
