#pragma once

#include "services/NntpClient.h"

#include <QList>
#include <QWidget>

class FlexGrid;
class FlexGridView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStackedWidget;

// The newsgroup reader: a list of groups (typed in, from the server, or
// kept in "Server.lst"), a group's article headers in a sortable grid, an
// article's body under it, and the news server's name. Three pages chosen
// from a bar of label buttons, and a status line.
class News : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit News(QWidget *parent = nullptr);
    ~News() override;

    NntpClient client;

    QList<QLabel *> lblNav; // Groups, Messages, Options
    QLabel *cmdConnect = nullptr;
    QLabel *cmdDisconnect = nullptr;
    QLabel *cmdclose = nullptr;
    QStackedWidget *pages = nullptr;
    QList<QGroupBox *> Frm;
    QListWidget *List1 = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdListGroup = nullptr;
    QPushButton *cmdServerList = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdLocal = nullptr;
    FlexGrid *FGModel = nullptr;
    FlexGridView *FG = nullptr;
    QSplitter *Split = nullptr;
    QPlainTextEdit *Text2 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtServer = nullptr;
    QPushButton *cmdApply = nullptr;
    QLabel *StatusBar1 = nullptr;
    QListWidget *List2 = nullptr; // the hidden list of article entries

    void lblNav_Click(int Index);
    void cmdConnect_Click();
    void cmdDisconnect_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdServerList_Click();
    void cmdSave_Click();
    void cmdLocal_Click();
    void cmdListGroup_Click();
    void List1_DblClick();
    void FG_Click();
    void FG_DblClick();
    void List2_Click();
    void cmdApply_Click();
    void cmdclose_Click();
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void resetGrid();
    void openGroup(const QString &group);
    void setStatus(const QString &text);
    bool m_bodyStarted = false;
};

News *newsWindow(); // nullptr when not loaded
// Loads the window when needed and shows it modeless: left-centred on
// owner, 300 twips below the owner's top.
void ShowNews(QWidget *owner);
void UnloadNews();
