#include "services/ui/News.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Utilities.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/CloseBox.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/WindowKeys.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QPointer<News> g_news;

QString serverListPath()
{
    return DataDir + QStringLiteral("\\Server.lst");
}

QLabel *labelButton(const QString &text, const QString &tip, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setToolTip(tip);
    l->setStyleSheet(QStringLiteral("QLabel { color: #0000ff; padding: 2px 8px; } QLabel:disabled { color: #808080; }"));
    return l;
}

void colour(QLabel *label, const char *name)
{
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; padding: 2px 8px; } QLabel:disabled { color: #808080; }")
                             .arg(QLatin1String(name)));
}

} // namespace

News::News(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("News"));
    setWindowTitle(QStringLiteral("Brindlewick Zedero Reader"));

    auto *bar = new QHBoxLayout;
    const char *const nav[][2] = {{"Groups", "List of groups (Alt G)"},
                                  {"Messages", "List of massages (Alt M)"},
                                  {"Options", "Setting (Alt O)"}};
    for (const auto &n : nav) {
        lblNav << labelButton(QString::fromLatin1(n[0]), QString::fromLatin1(n[1]), this);
        bar->addWidget(lblNav.last());
    }
    bar->addStretch();
    cmdConnect = labelButton(QStringLiteral("Connect"), QStringLiteral("Connect to news server (Alt C)"), this);
    cmdDisconnect = labelButton(QStringLiteral("Disconnect"), QStringLiteral("Disconnect from news server (Alt D)"), this);
    cmdclose = labelButton(QStringLiteral("Exit"), QStringLiteral("Exit Zedero Explorer (Alt X)"), this);
    for (QLabel *l : {cmdConnect, cmdDisconnect, cmdclose}) {
        bar->addWidget(l);
        l->installEventFilter(this);
    }
    for (QLabel *l : lblNav)
        l->installEventFilter(this);
    cmdDisconnect->setEnabled(false);

    pages = new QStackedWidget(this);
    for (const char *title : {"Groups", "Massages", "Options"}) {
        Frm << new QGroupBox(QString::fromLatin1(title), pages);
        pages->addWidget(Frm.last());
    }
    // Groups.
    List1 = new QListWidget(Frm[0]);
    List1->setToolTip(QStringLiteral("List Of Groups"));
    cmdRemove = new QPushButton(QStringLiteral("Remove Group"), Frm[0]);
    cmdAdd = new QPushButton(QStringLiteral("Add Group"), Frm[0]);
    cmdListGroup = new QPushButton(QStringLiteral("List Group"), Frm[0]);
    cmdListGroup->setToolTip(QStringLiteral("Get headers from selectd gGroup"));
    cmdServerList = new QPushButton(QStringLiteral("Server List"), Frm[0]);
    cmdServerList->setToolTip(QStringLiteral("Load group list from new server (might take time!)"));
    cmdSave = new QPushButton(QStringLiteral("Save List"), Frm[0]);
    cmdSave->setToolTip(QStringLiteral("Save list to local disk"));
    cmdLocal = new QPushButton(QStringLiteral("Local List"), Frm[0]);
    cmdLocal->setToolTip(QStringLiteral("Load list from locak disk"));
    auto *groupButtons = new QVBoxLayout;
    for (QPushButton *b : {cmdAdd, cmdRemove, cmdListGroup, cmdServerList, cmdSave, cmdLocal})
        groupButtons->addWidget(b);
    groupButtons->addStretch();
    auto *groups = new QHBoxLayout(Frm[0]);
    groups->addWidget(List1, 1);
    groups->addLayout(groupButtons);
    // Messages: the headers over the body, with a divider between them
    // that leaves each at least a few lines.
    FGModel = new FlexGrid(this);
    FG = new FlexGridView(FGModel, Frm[1]);
    FG->setToolTip(QStringLiteral("Click On Header To View Message"));
    // The columns keep their shares of the grid as it is laid out, not of
    // its width when it was made.
    FG->setColumnsFollowWidth(true);
    Text2 = new QPlainTextEdit(Frm[1]);
    Text2->setToolTip(QStringLiteral("Message Body"));
    Text2->setReadOnly(true);
    Split = new QSplitter(Qt::Vertical, Frm[1]);
    Split->addWidget(FG);
    Split->addWidget(Text2);
    Split->setChildrenCollapsible(false);
    FG->setMinimumHeight(Twips::toPixelsY(400, this));
    Text2->setMinimumHeight(Twips::toPixelsY(400, this));
    auto *messages = new QVBoxLayout(Frm[1]);
    messages->addWidget(Split);
    // Options.
    Label1 = new QLabel(QStringLiteral("Enter News Server Name:"), Frm[2]);
    txtServer = new QLineEdit(Frm[2]);
    txtServer->setToolTip(QStringLiteral("Server Name"));
    cmdApply = new QPushButton(QStringLiteral("&Apply"), Frm[2]);
    cmdApply->setToolTip(QStringLiteral("Apply Changes"));
    auto *options = new QVBoxLayout(Frm[2]);
    options->addWidget(Label1);
    options->addWidget(txtServer);
    options->addWidget(cmdApply, 0, Qt::AlignLeft);
    options->addStretch();

    StatusBar1 = new QLabel(this);
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    List2 = new QListWidget(this);
    List2->hide();

    auto *all = new QVBoxLayout(this);
    all->addLayout(bar);
    all->addWidget(pages, 1);
    all->addWidget(StatusBar1);

    connect(cmdAdd, &QPushButton::clicked, this, &News::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &News::cmdRemove_Click);
    connect(cmdListGroup, &QPushButton::clicked, this, &News::cmdListGroup_Click);
    connect(cmdServerList, &QPushButton::clicked, this, &News::cmdServerList_Click);
    connect(cmdSave, &QPushButton::clicked, this, &News::cmdSave_Click);
    connect(cmdLocal, &QPushButton::clicked, this, &News::cmdLocal_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &News::List1_DblClick);
    connect(List2, &QListWidget::itemClicked, this, &News::List2_Click);
    connect(FG, &FlexGridView::Click, this, &News::FG_Click);
    connect(FG, &FlexGridView::DblClick, this, &News::FG_DblClick);
    connect(txtServer, &QLineEdit::textEdited, this, [this] { cmdApply->setEnabled(true); });
    connect(cmdApply, &QPushButton::clicked, this, &News::cmdApply_Click);

    client.view.status = [this](const QString &t) { setStatus(t); };
    client.view.groupAdded = [this](const QString &g) { List1->addItem(g); };
    client.view.listDone = [] { QApplication::beep(); };
    client.view.headerRow = [this](const QStringList &cells) {
        FGModel->AddItem(cells.join(QLatin1Char('\t')));
        FG->viewport()->update();
    };
    client.view.articleEntry = [this](const QString &entry) { List2->addItem(entry); };
    client.view.bodyText = [this](const QString &reply) {
        // The first piece after a body request replaces the text.
        const QString text = QString(reply).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (m_bodyStarted)
            Text2->setPlainText(Text2->toPlainText() + text);
        else
            Text2->setPlainText(text);
        m_bodyStarted = true;
    };
    client.view.connectedChanged = [this](bool on) {
        if (on)
            for (QPushButton *b : {cmdListGroup, cmdServerList, cmdSave, cmdLocal})
                b->setEnabled(true);
        cmdConnect->setEnabled(!on);
        cmdDisconnect->setEnabled(on);
    };

    // The close box unloads the window as Exit does: QUIT, then gone.
    onCloseBox(this, [this] { cmdclose_Click(); });
    // The window sees these keys before its fields do.
    addWindowKeys(this,
                  {Qt::ALT | Qt::Key_G, Qt::ALT | Qt::Key_M, Qt::ALT | Qt::Key_O, Qt::ALT | Qt::Key_C,
                   Qt::ALT | Qt::Key_D, Qt::ALT | Qt::Key_X, QKeyCombination(Qt::Key_Escape), Qt::ALT | Qt::Key_Escape},
                  [this](int key, Qt::KeyboardModifiers modifiers) { Form_KeyDown(key, modifiers); });

    resize(Twips::toPixelsX(9000, this), Twips::toPixelsY(6600, this));
    Form_Load();
}

News::~News()
{
    client.Disconnect();
}

void News::Form_Load()
{
    cmdListGroup->setEnabled(false);
    cmdSave->setEnabled(false);
    cmdApply->setEnabled(false);
    client.NewsCommand = QStringLiteral("None");
    lblNav_Click(0);
    client.ServerName = QuerySetting(QStringLiteral("NewsServer")).toString();
    cmdLocal_Click();
    resetGrid();
}

void News::setStatus(const QString &text)
{
    StatusBar1->setText(text);
}

void News::lblNav_Click(int Index)
{
    for (QLabel *l : lblNav)
        colour(l, "#0000ff");
    if (Index < 0 || Index > 2)
        return;
    pages->setCurrentIndex(Index);
    colour(lblNav[Index], "#ff0000");
    for (QPushButton *b : {cmdListGroup, cmdServerList, cmdSave, cmdLocal})
        b->setVisible(Index == 0);
    if (Index == 2)
        txtServer->setText(client.ServerName);
}

void News::cmdConnect_Click()
{
    if (client.Connected) {
        client.ConnectToServer(); // says it is connected already
        return;
    }
    if (!client.ConnectToServer()) {
        lblNav_Click(2); // no server name yet
        return;
    }
    cmdConnect->setEnabled(false);
    cmdDisconnect->setEnabled(true);
}

void News::cmdDisconnect_Click()
{
    client.Disconnect();
}

void News::cmdAdd_Click()
{
    const QString group = InputBox(QStringLiteral("Inset new Group"), QStringLiteral("Add Group"));
    if (group.isEmpty())
        return;
    List1->addItem(group);
    cmdSave->setEnabled(true);
}

void News::cmdRemove_Click()
{
    if (QListWidgetItem *item = List1->currentItem()) {
        delete item;
        cmdSave->setEnabled(true);
    }
}

void News::cmdServerList_Click()
{
    const int answer = MsgBox(QStringLiteral("This action will load all groups from the server.\r\nIt's might take time. "
                                             "We recommended using the local list instead.\r\nAre you sure that you "
                                             "want to use server list?"),
                              Msg::YesNo + Msg::Exclamation + Msg::DefaultButton2, QStringLiteral("Load All Groups?"));
    if (answer != Msg::Yes)
        return;
    if (!client.RequestList())
        setStatus(QStringLiteral("To get a list from the server you must connect to news server."));
}

void News::cmdSave_Click()
{
    if (client.Connected && client.NewsCommand == QLatin1String("LIST")) {
        setStatus(QStringLiteral("Can Not save List Until, Server Lists Ends"));
    } else {
        QString text;
        for (int i = 0; i < List1->count(); ++i)
            text += List1->item(i)->text() + QStringLiteral("\r\n");
        // A list that could not be written is said, and can be saved again.
        QString why;
        if (!saveFileAtomically(resolvePath(serverListPath()), toLatin1Bytes(text), &why)) {
            setStatus(QStringLiteral("Can Not save List to Server.lst: ") + why);
            return;
        }
    }
    cmdSave->setEnabled(false);
}

void News::cmdLocal_Click()
{
    const std::optional<QString> text = readLatin1File(resolvePath(serverListPath()));
    if (!text)
        return;
    setStatus(QStringLiteral("Getting list from file"));
    List1->clear();
    for (const QString &line : text->split(QStringLiteral("\n"))) {
        const QString name = QString(line).remove(QLatin1Char('\r'));
        if (!name.isEmpty())
            List1->addItem(name);
    }
    setStatus(QStringLiteral("Finished getting list."));
    QApplication::beep();
}

void News::resetGrid()
{
    FGModel->Clear();
    FGModel->setRows(2);
    FGModel->setCols(6);
    FGModel->setFixedRows(1);
    FGModel->setFixedCols(0);
    FGModel->setRowHeight(1, 0); // no article row shows before the first comes
    SetHeaders(FGModel, {"", "Subject", "Date", "From", "Lines", "ID"});
    FGModel->setWidth(qRound(Twips::fromPixelsX(FG->width(), FG)));
    SetColWidths(FGModel, {3, 58, 15, 15, 8, 0});
    SetColAlign(FGModel, {Variant(), 1, 1, 1, 4, 4});
}

void News::openGroup(const QString &group)
{
    // Article numbers belong to their group: the old rows go.
    lblNav_Click(1);
    resetGrid();
    List2->clear();
    client.OpenGroup(group);
}

void News::List1_DblClick()
{
    if (!client.Connected) {
        setStatus(QStringLiteral("You have to connect to the news server."));
        resetGrid();
        return;
    }
    if (QListWidgetItem *item = List1->currentItem())
        openGroup(item->text());
}

void News::cmdListGroup_Click()
{
    if (!client.Connected) {
        setStatus(QStringLiteral("Must Connect to News Server"));
        return;
    }
    if (QListWidgetItem *item = List1->currentItem())
        openGroup(item->text());
}

void News::FG_Click()
{
    const int row = FGModel->Row();
    if (row < 2)
        return; // the header and the empty placeholder row are no articles
    const QString article = FGModel->TextMatrix(row, 5);
    if (article.isEmpty())
        return;
    m_bodyStarted = false;
    if (!client.RequestBody(article))
        setStatus(QStringLiteral("Must Connect to News Server"));
}

void News::FG_DblClick()
{
    SortOrder = SortOrder == 1 ? 2 : 1;
    // Only article rows: the placeholder row stays first.
    if (FGModel->Rows() > 2 && FGModel->RowSel() >= 1) {
        if (FGModel->Row() < 2)
            FGModel->setRow(2);
        FGModel->setRowSel(FGModel->Rows() - 1);
        FGModel->setSort(SortOrder);
    }
}

void News::List2_Click()
{
    if (QListWidgetItem *item = List2->currentItem()) {
        m_bodyStarted = false;
        if (!client.RequestBody(item->text().section(QLatin1Char(' '), 0, 0)))
            setStatus(QStringLiteral("Must Connect to News Server"));
    }
}

void News::cmdApply_Click()
{
    client.ServerName = txtServer->text();
    lblNav_Click(0);
    SaveSetting(QStringLiteral("NewsServer"), txtServer->text());
    cmdApply->setEnabled(false);
}

void News::cmdclose_Click()
{
    if (!beginClosing(this))
        return;
    client.Disconnect();
    DoEvents();
    RollWindow(this, 25);
    UnloadNews();
    DoEvents();
}

void News::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Escape) {
        cmdclose_Click();
        return;
    }
    if (!(modifiers & Qt::AltModifier))
        return;
    switch (key) {
    case Qt::Key_G: lblNav_Click(0); break;
    case Qt::Key_M: lblNav_Click(1); break;
    case Qt::Key_O: lblNav_Click(2); break;
    case Qt::Key_C: cmdConnect_Click(); break;
    case Qt::Key_D: cmdDisconnect_Click(); break;
    case Qt::Key_X: cmdclose_Click(); break;
    default: break;
    }
}

bool News::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto *l = qobject_cast<QLabel *>(watched); l && l->isEnabled()) {
            if (const int i = lblNav.indexOf(l); i >= 0)
                lblNav_Click(i);
            else if (l == cmdConnect)
                cmdConnect_Click();
            else if (l == cmdDisconnect)
                cmdDisconnect_Click();
            else if (l == cmdclose)
                cmdclose_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

News *newsWindow()
{
    return g_news.data();
}

void ShowNews(QWidget *owner)
{
    if (!g_news)
        g_news = new News(owner);
    News *w = g_news;
    if (owner)
        w->move(owner->mapToGlobal(QPoint((owner->width() - w->width()) / 2, Twips::toPixelsY(300, owner))));
    w->show();
    w->raise();
    DoEvents();
}

void UnloadNews()
{
    News *w = g_news;
    if (!w)
        return;
    g_news.clear();
    w->hide();
    w->deleteLater();
}
