#pragma once

#include <QDialog>
#include <QList>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class Summery;

// The choice of the summary page's sections: nineteen boxes remembered in
// the settings ("SummaryOpt"), Generate writes and opens the page.
class SummaryOpt : public QDialog
{
    Q_OBJECT

public:
    explicit SummaryOpt(QWidget *parent = nullptr);
    ~SummaryOpt() override;

    QLabel *Label1 = nullptr;
    QList<QCheckBox *> chk;
    QLabel *lbl1 = nullptr;
    QPushButton *cndGenerate = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cndGenerate_Click();
    void cmdCancel_Click();

    // A box's value: 0 clear, 1 ticked, 2 greyed.
    int value(int box) const;
    void setValue(int box, int value);

private:
    void LoadSummaryOpt();
    void SaveSummaryOpt();
    bool ValidateSummaryOpt();

    std::shared_ptr<Summery> m_summary;
};

SummaryOpt *summaryOptions(); // nullptr when not open
// Opens the form modal over the owner, its bottom left corner at `at`.
void ShowSummaryOpt(QWidget *owner, const QPoint &at);
