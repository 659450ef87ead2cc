#pragma once

#include "webqueries/ChartQuery.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The interactive chart query window: period, sampling, price display,
// background, size, indicators and a comparison; Query opens the chart in
// the browser. Its choices can be saved ("ChartOpt") and are restored when
// it opens.
class BigChart : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit BigChart(QWidget *parent = nullptr);

    QLabel *lbl1 = nullptr;
    QComboBox *cboIndex = nullptr;
    QLineEdit *txtSbl = nullptr;
    QComboBox *cboDisp = nullptr;
    QComboBox *cboBack = nullptr;
    QComboBox *cboSize = nullptr;
    QComboBox *cboUp = nullptr;
    QComboBox *cboLow = nullptr;
    QComboBox *cboMove = nullptr;
    QLineEdit *txtMaval = nullptr;
    QComboBox *cboFrq = nullptr;
    QSlider *Slider1 = nullptr;
    QList<QLabel *> lblTime;
    QPushButton *cmdQuery = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdReset = nullptr;

    // The period position the query sends.
    short TimePeriod = 0;

    void FillChartCombos();
    void FillFrequencies(bool Intraday);
    void LoadChartOptions();
    void ResetChartOptions();
    QString ChartUrl() const;
    void BuildChartUrl();
    // The slider moved by the user (mouse or keys).
    void Slider1_Moved();
    void cmdQuery_Click();
    void cmdCancel_Click();
    void cmdSave_Click();
    void cmdReset_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    // The period of a position: what the query sends and its sampling list.
    void takePeriod(int position);
};

BigChart *chartQueryWindow(); // nullptr when not loaded
// Loads the window when needed and shows it modeless, owned by the main
// window; an open window comes forward.
void ShowBigChartWindow();
void UnloadBigChart();
