#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The stock-set editor: the 21 named sets, the symbols of the one
// selected, two price alerts per stock. Apply writes the list into the
// set it shows (records keep their stock wherever it moves in the list,
// alerts go to the stock they were typed for) and OK makes it the main
// window's set. Modal: the main window cannot switch sets under it.
class StkSet : public QDialog
{
    Q_OBJECT

public:
    explicit StkSet(QWidget *parent = nullptr);

    QListWidget *lstSets = nullptr;
    QListWidget *lstStk = nullptr;
    QList<QLineEdit *> txtAlert; // 0 low, 1 high
    QList<QLabel *> lblAction;   // 0 add, 1 remove, 2 find, 3 rename
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdHelp = nullptr;

    void lstSets_Click();
    void lstSets_DblClick();
    void lstStk_Click();
    void lblAction_Click(int Index);
    // False when the set file could not be written (the user was told; the
    // lists and the set in memory keep the change).
    bool UpdateINI();
    // Whether the stock list shows the set's stocks as they stand, in order.
    bool listMatchesSet() const;
    // Stores the typed alert limits and saves the set; shown is the set to
    // make current again afterwards (-1: the records stay as they are).
    bool storeAlerts(short shown = -1);
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // Escape and the close box: what Cancel does.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void loadSets();
    void txtAlert_Change(int Index);
    QString askSymbol(const QString &prompt, const QString &title, const QString &current);
    // True (and the user told) when another row than besides lists symbol.
    bool listsAlready(const QString &symbol, const class QListWidgetItem *besides);
    short m_set = 0;          // the set the lists show
    short m_setAtOpening = 0; // the main window's set when the editor opened
    QString m_alertSymbol;    // the stock the alert boxes belong to
    QString m_shownAlert[2];  // their texts as filled from its record
};

StkSet *setEditor(); // nullptr when not open
void ShowStkSet(QWidget *owner);
