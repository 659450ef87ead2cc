#pragma once

#include "webqueries/NewsQuery.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The news query window: up to five symbols, a length and a range of days;
// Query opens the headline page in the browser and closes the window.
class Reuters : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit Reuters(QWidget *parent = nullptr);

    QList<QLineEdit *> txtSymbol;
    QList<QLabel *> Label1;
    QGroupBox *Frame1 = nullptr;
    QComboBox *cboLength = nullptr;
    QLineEdit *txtFromDay = nullptr;
    QLineEdit *txtFromMonth = nullptr;
    QLineEdit *txt_ToDay = nullptr;
    QLineEdit *txt_ToMonth = nullptr;
    QPushButton *cmdQuery = nullptr;
    QPushButton *cmdCancel = nullptr;

    // The chosen length in days (24, 7 or 30).
    int LengthDays = 7;

    void cboLength_Click();
    void BuildNewsUrl();
    void cmdQuery_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    NewsDates dates() const;
    void setDates(const NewsDates &d);
};

Reuters *newsQueryWindow(); // nullptr when not loaded
// Loads the window when needed, puts symbol into the first box and shows it
// modeless, owned by the main window; an open window keeps its other boxes.
void ShowReuters(const QString &symbol);
void UnloadReuters();
