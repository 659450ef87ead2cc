#include "webqueries/ui/Scr.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Help.h"
#include "platform/Sleep.h"
#include "platform/ui/CloseBox.h"
#include "platform/Twips.h"
#include "platform/UrlOpener.h"
#include "webqueries/Screener.h"
#include "webqueries/ui/OwnedWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace {

OwnedWindow<Scr> g_scr;

const QColor Grey(128, 128, 128);
const QColor Blue(0, 0, 255);

// A light grey stone texture of 100 by 100 pixels, the same every time.
QPixmap stoneTile()
{
    QImage image(100, 100, QImage::Format_RGB32);
    QRandomGenerator random(1999);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const int g = 214 + int(random.bounded(22)) + ((x * 7 + y * 13) % 17 == 0 ? -12 : 0);
            image.setPixel(x, y, qRgb(g, g, g - 4));
        }
    return QPixmap::fromImage(image);
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

} // namespace

Scr::Scr(QWidget *parent) : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Scr"));
    setWindowTitle(QStringLiteral("Brindlewick Screen"));
    m_tile = stoneTile();

    // Three columns of criteria, the industry list under the third.
    auto *columns = new QHBoxLayout;
    QList<QVBoxLayout *> column;
    for (int i = 0; i < 3; ++i) {
        column << new QVBoxLayout;
        columns->addLayout(column.last());
    }
    const int place[] = {0, 0, 0, 1, 1, 1, 2, 2}; // by group, in the table's order
    const QList<ScreenGroup> &groups = screenGroups();
    const int order[] = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int g : order) {
        const ScreenGroup &group = groups[g];
        auto *frame = new QGroupBox(group.caption, this);
        frame->setObjectName(group.name);
        frame->setAutoFillBackground(true);
        auto *buttons = new QVBoxLayout(frame);
        buttons->setSpacing(0);
        QList<QRadioButton *> list;
        for (int b = 0; b < group.buttons.size(); ++b) {
            auto *option = new QRadioButton(group.buttons[b], frame);
            option->setObjectName(group.name + QString::number(b));
            setTextColour(option, Grey);
            buttons->addWidget(option);
            const QString key = group.key;
            connect(option, &QRadioButton::toggled, this, [this, key, b](bool on) {
                if (on)
                    opt_Click(key, b);
            });
            list << option;
        }
        setTextColour(frame, group.key == QLatin1String("peg") ? palette().color(QPalette::WindowText) : Grey);
        frames.insert(group.key, frame);
        options.insert(group.key, list);
        column[place[g]]->addWidget(frame);
    }
    Label1 = new QLabel(QStringLiteral("Industry Group"), this);
    setTextColour(Label1, Grey);
    lstIndestry = new QListWidget(this);
    lstIndestry->setObjectName(QStringLiteral("lstIndestry"));
    lstIndestry->setFixedHeight(Twips::toPixelsY(1035, this));
    column[2]->addWidget(Label1);
    column[2]->addWidget(lstIndestry);
    for (QVBoxLayout *c : column)
        c->addStretch();

    cmdclose = new QPushButton(QStringLiteral("&Close"), this);
    cmdShow = new QPushButton(QStringLiteral("&Query"), this);
    cmdReset = new QPushButton(QStringLiteral("&Reset"), this);
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdclose);
    buttons->addWidget(cmdShow);
    buttons->addWidget(cmdReset);
    buttons->addStretch();
    buttons->addWidget(cmdHelp);

    auto *all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addLayout(buttons);

    setTabOrder(cmdShow, cmdReset);
    setTabOrder(cmdReset, cmdHelp);
    setTabOrder(cmdHelp, cmdclose);
    setTabOrder(cmdclose, lstIndestry);

    connect(cmdShow, &QPushButton::clicked, this, &Scr::cmdShow_Click);
    connect(cmdReset, &QPushButton::clicked, this, &Scr::cmdReset_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &Scr::cmdHelp_Click);
    connect(cmdclose, &QPushButton::clicked, this, &Scr::cmdclose_Click);
    onCloseBox(this, [this] { cmdclose_Click(); });

    Form_Load();
    setFixedSize(sizeHint().expandedTo(QSize(Twips::toPixelsX(8550, this), Twips::toPixelsY(5955, this))));
}

void Scr::Form_Load()
{
    for (const Industry &i : industries())
        lstIndestry->addItem(i.name);
    lstIndestry->setCurrentRow(0);
    for (QList<QRadioButton *> &group : options) {
        // Selected without the highlight: every text starts grey.
        group[0]->blockSignals(true);
        group[0]->setChecked(true);
        group[0]->blockSignals(false);
    }
}

void Scr::opt_Click(const QString &key, int Index)
{
    const QList<QRadioButton *> group = options.value(key);
    for (QRadioButton *b : group)
        setTextColour(b, Grey);
    if (Index >= 0 && Index < group.size())
        setTextColour(group[Index], Blue);
}

int Scr::selected(const QString &key) const
{
    const QList<QRadioButton *> group = options.value(key);
    for (int i = 0; i < group.size(); ++i)
        if (group[i]->isChecked())
            return i;
    return 0;
}

void Scr::cmdShow_Click()
{
    lastQuery.clear();
    if (!CheckConnection())
        return;
    QHash<QString, int> choices;
    for (const ScreenGroup &g : screenGroups())
        choices.insert(g.key, selected(g.key));
    lastQuery = screenUrl(choices, lstIndestry->currentRow());
    openExternalUrl(QUrl(lastQuery), DataDir);
}

void Scr::cmdReset_Click()
{
    options.value(QStringLiteral("analyst"))[0]->setChecked(true);
    lstIndestry->setCurrentRow(0);
    for (const char *key : {"yield", "est", "hist", "book", "peg", "pe"})
        options.value(QLatin1String(key))[0]->setChecked(true);
    options.value(QStringLiteral("sandp"))[1]->setChecked(true);
}

void Scr::cmdHelp_Click()
{
    OpenHelpTopic(1004, DataDir);
}

void Scr::cmdclose_Click()
{
    if (!beginClosing(this))
        return;
    RollWindow(this, 25);
    DoEvents();
    UnloadScr();
    DoEvents();
}

void Scr::keyPressEvent(QKeyEvent *event)
{
    // Esc is the window's cancel key.
    if (event->key() == Qt::Key_Escape) {
        cmdclose_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Scr::paintEvent(QPaintEvent *)
{
    // The stone picture repeated over the whole window, bounds included.
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    for (int x = 0; x <= width(); x += m_tile.width())
        for (int y = 0; y <= height(); y += m_tile.height())
            p.drawPixmap(x, y, m_tile);
}

Scr *screenerWindow()
{
    return g_scr.get();
}

void ShowScr(QWidget *owner, int tickerTopTwips)
{
    Scr *w = g_scr.load();
    if (owner) {
        const int left = (owner->width() - w->width()) / 2;
        w->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips + 700, owner))));
    }
    g_scr.show();
}

void UnloadScr()
{
    g_scr.unload();
}
