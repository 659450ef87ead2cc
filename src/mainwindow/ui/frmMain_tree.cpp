// The navigation tree, the choice of the current stock from the tree and
// the symbol column, and the tree's popup menu.
#include "mainwindow/ui/frmMain.h"
#include "retrieval/transport/RunState.h"
#include "portfolio/ui/Properties.h"
#include "sheets/symbol/AnalystSheets.h"
#include "sheets/symbol/EarningsSheets.h"
#include "sheets/symbol/Profile.h"
#include "sheets/symbol/OptionChains.h"
#include "sheets/symbol/Statements.h"

#include <QHash>

#include "core/SharedState.h"
#include "core/Stocks.h"
#include "navigation/NodeDispatcher.h"
#include "navigation/NodeTable.h"
#include "navigation/TreeEvents.h"
#include "platform/FlexGrid.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"
#include "platform/ui/TreeView.h"
#include "sheets/market/PriceSheet.h"
#include "sheets/symbol/InsiderTrades.h"
#include "sheets/symbol/QuarterlyReports.h"

#include <QAction>
#include <QCursor>
#include <QFrame>
#include <QMenu>
#include <QTimer>

namespace {

constexpr int TreeMenuItems = 12;
const char *const TreeMenuCaptions[TreeMenuItems] = {
    "&Collapse All", "-", "&Buy", "&Sell", "S&plit", "-", "&Delete", "Empty S&tock Cache", "-",
    "&Update Selected Stock", "-", "&Properties",
};

// The current stock's row is bold blue, the others plain black.
void rowLook(QLabel *label, bool current)
{
    QFont f = label->font();
    f.setBold(current);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, current ? QColor(0, 0, 255) : QColor(0, 0, 0));
    label->setPalette(pal);
}

// The sheets that follow the current stock when it changes in the symbol column.
void refillForCurrentStock()
{
    static const QHash<QString, void (*)()> sheets = {
        {QStringLiteral("Profile"), FG_Profile}, {QStringLiteral("Split"), FG_Splits},
        {QStringLiteral("UPH"), FG_UpgradeHistory}, {QStringLiteral("DNH"), FG_DowngradeHistory},
        {QStringLiteral("NMR"), FG_Momentum},
        {QStringLiteral("BRP"), FG_BrokerReports}, {QStringLiteral("SI"), FG_SI},
        {QStringLiteral("QR"), FG_QR},   {QStringLiteral("IT"), FG_IT},       {QStringLiteral("ABS"), FG_ABS},
        {QStringLiteral("AIS"), FG_AIS}, {QStringLiteral("Call"), FG_Calls},  {QStringLiteral("Put"), FG_Puts},
        {QStringLiteral("Options"), FG_Options}, {QStringLiteral("EG"), FG_EG}, {QStringLiteral("EH"), FG_EH},
        {QStringLiteral("ER"), FG_ER},   {QStringLiteral("EC"), FG_EC},
    };
    if (const auto fill = sheets.value(CurType))
        fill();
}

class TreeHost : public NavigationHost
{
public:
    explicit TreeHost(frmMain *window) : m_window(window) {}
    void SelectSymbol(const QString &symbol) override { m_window->SelectSymbol(symbol); }

private:
    frmMain *m_window;
};

} // namespace

void frmMain::connectTree()
{
    TreeView1->setImageList(TreeNodePicture);
    TreeModel &nodes = TreeView1->Nodes();
    connect(TreeView1, &TreeView::NodeClick, this, &frmMain::TreeView1_NodeClick);
    connect(TreeView1, &TreeView::Expand, this, [&nodes](int index) { TreeView1_Expand(nodes, index); });
    connect(TreeView1, &TreeView::KeyDown, this, [&nodes](int KeyCode, int) { TreeView1_KeyDown(nodes, KeyCode); });
    connect(TreeView1, &TreeView::MouseDown, this,
            [this](int Button, int, double X, double Y) { TreeView1_MouseDown(Button, X, Y); });
    connect(TreeView1, &TreeView::MouseMove, this, [this] { TreeView1_MouseMove(); });
    // The current stock's profile, read when the tooltip is asked for.
    TreeView1->setToolTipSource([] { return GetProfileText(); });

    for (int i = 0; i < int(img.size()); ++i) {
        connect(img[i], &PictureBox::Click, this, [this, i] { img_Click(i); });
        connect(img[i], &PictureBox::MouseDown, this, [this, i](int Button) { img_MouseDown(i, Button); });
        connect(img[i], &PictureBox::MouseUp, this, [this, i] { img_MouseUp(i); });
        connect(img[i], &PictureBox::DblClick, this, [this, i] { img_DblClick(i); });
    }
    for (int i = 0; i < int(lblSbl.size()); ++i) {
        connect(lblSbl[i], &ClickLabel::Click, this, [this, i] { lblSbl_Click(i); });
        connect(lblSbl[i], &ClickLabel::MouseDown, this, [this, i] { lblSbl_MouseDown(i); });
        connect(lblSbl[i], &ClickLabel::MouseUp, this, [this, i] { lblSbl_MouseUp(i); });
    }

    mnuTrees = new QMenu(QStringLiteral("Tree"), this);
    mnuTrees->setObjectName(QStringLiteral("mnuTrees"));
    for (int i = 0; i < TreeMenuItems; ++i) {
        const QString caption = QString::fromLatin1(TreeMenuCaptions[i]);
        QAction *a = caption == QLatin1String("-") ? mnuTrees->addSeparator() : mnuTrees->addAction(caption);
        // Selling and splitting wait for a purchase of the stock.
        a->setEnabled(i != 3 && i != 4);
        connect(a, &QAction::triggered, this, [this, i] { mnuTree_Click(i); });
        mnuTree << a;
    }
}

void frmMain::initTree()
{
    buildNavigationTree(TreeView1->Nodes(), Panel1[1]->text());
}

void frmMain::listPortfolioSymbols()
{
    addPortfolioSymbolNodes(TreeView1->Nodes());
}

void frmMain::FG_Current()
{
    ::FG_Current();
}

void frmMain::selectStockNode(const QString &symbol)
{
    TreeModel &nodes = TreeView1->Nodes();
    if (const int node = findStockNode(nodes, symbol)) {
        nodes.setSelected(node, true);
        TreeView1->setFocus();
    }
}

void frmMain::TreeView1_NodeClick(int index)
{
    TreeHost host(this);
    ::TreeView1_NodeClick(TreeView1->Nodes(), index, host);
}

void frmMain::TreeView1_MouseDown(int Button, double X, double Y)
{
    if (Button != VbMouse::Right)
        return;
    // The node under the pointer becomes the current one first, so that
    // the menu acts on the stock right-clicked, not the one chosen before.
    TreeModel &nodes = TreeView1->Nodes();
    const QPoint at = TreeView1->viewport()->mapFrom(
        TreeView1, QPoint(Twips::toPixelsX(int(X), TreeView1), Twips::toPixelsY(int(Y), TreeView1)));
    QTreeWidgetItem *item = TreeView1->itemAt(at);
    if (const int node = item && TreeView1->visualItemRect(item).contains(at) ? TreeView1->indexOf(item) : 0) {
        nodes.setSelected(node, true);
        NodeIndex = short(node);
        if (isStockNode(nodes, node) && nodes.Text(node) != CurSymbol)
            SelectSymbol(nodes.Text(node));
    }
    mnuTree[0]->setVisible(true);
    mnuTrees_Click();
    const bool stock = treeMenuIsForStock(nodes);
    for (int i = 1; i < TreeMenuItems; ++i)
        mnuTree[i]->setVisible(stock);
    mnuTrees->popup(QCursor::pos());
}

void frmMain::TreeView1_MouseMove()
{
    if (TmrNav->isActive())
        TmrNav->stop();
}

void frmMain::mnuTree_Click(int Index)
{
    switch (Index) {
    case 0: CollapseAll(TreeView1->Nodes()); break;
    case 2: buyCurrentStock(); break;
    case 3: sellCurrentStock(); break;
    case 6: removeCurrentStock(); break;
    case 7: emptyCurrentStockCache(); break;
    case 9:
        UpdateSelectedOnly = true;
        Picture1_Click(0);
        break;
    case 11:
        for (int i = 0; i < int(lblSbl.size()); ++i)
            if (lblSbl[i]->text() == CurSymbol && !CurSymbol.isEmpty())
                img_DblClick(i);
        break;
    default: break;
    }
}

void frmMain::SelectSymbol(const QString &Symbol)
{
    CurSymbol = Symbol;
    for (ClickLabel *label : lblSbl)
        rowLook(label, false);
    int first = -1;
    for (int i = 0; i < SetSize; ++i) {
        if (!Symbol.isEmpty() && Sets[size_t(i)].Symbol == Symbol) {
            first = i;
            break;
        }
    }
    if (first >= 0) {
        // The chosen stock goes to the top row, the records after it below.
        for (int k = 0, j = first; k < int(lblSbl.size()); ++k, ++j) {
            const QString symbol = j < SetSize ? Sets[size_t(j)].Symbol : QString();
            lblSbl[k]->setText(symbol);
            if (symbol.isEmpty()) {
                // A row past the last stock has no gauge left on screen.
                img[k]->setPicture(QPixmap());
                img[k]->hide();
            } else {
                ShowRec();
            }
        }
        // The ticker follows the stock: its prices when they are shown,
        // else its headlines.
        mnuTicker_Click(mnuTicker[1]->isChecked() ? 1 : 0);
    }
    rowLook(lblSbl[0], true);
    DoEvents();
}

void frmMain::img_Click(int Index)
{
    if (Index < 0 || Index >= int(img.size()) || !img[Index]->hasPicture())
        return;
    CurSymbol = lblSbl[Index]->text();
    CollapseStocks(TreeView1->Nodes());
    selectStockNode(CurSymbol);
    for (int i = 0; i < int(lblSbl.size()); ++i)
        rowLook(lblSbl[i], i == Index);
    // The ticker follows the stock as after a tree click: its prices when
    // they are shown, else its headlines.
    mnuTicker_Click(mnuTicker[1]->isChecked() ? 1 : 0);
    if (CurType == QLatin1String("Current"))
        selectPriceRow(*FGModel, GetDisplayName());
    else
        refillForCurrentStock();
}

void frmMain::lblSbl_Click(int Index)
{
    img_Click(Index);
}

void frmMain::img_MouseDown(int Index, int Button)
{
    if (Button == VbMouse::Right) {
        // The stock's own items only, for this gauge's stock: it becomes
        // the current stock first, as a click makes it.
        if (lblSbl[Index]->text() != CurSymbol)
            img_Click(Index);
        if (lblSbl[Index]->text() != CurSymbol)
            return;
        mnuTree[0]->setVisible(false);
        mnuTree[1]->setVisible(false);
        for (int i = 2; i < TreeMenuItems; ++i)
            mnuTree[i]->setVisible(true);
        mnuTrees_Click();
        mnuTrees->popup(QCursor::pos());
        return;
    }
    lblSbl_MouseDown(Index);
}

void frmMain::img_DblClick(int Index)
{
    if (Index < 0 || Index >= int(lblSbl.size()) || lblSbl[Index]->text().isEmpty())
        return;
    ShowProperties(this, lblSbl[Index]->text());
}

void frmMain::img_MouseUp(int Index)
{
    lblSbl_MouseUp(Index);
}

void frmMain::lblSbl_MouseDown(int Index)
{
    if (Index < 0 || Index >= int(img.size()))
        return;
    img[Index]->setBorderStyle(1);
    if (!lblSbl[Index]->text().isEmpty()) {
        Shape1->move(Shape1->x(), lblSbl[Index]->y() - Twips::toPixelsY(20, this));
        Shape1->show();
    }
}

void frmMain::lblSbl_MouseUp(int Index)
{
    if (Index < 0 || Index >= int(img.size()))
        return;
    img[Index]->setBorderStyle(0);
    Shape1->hide();
}
