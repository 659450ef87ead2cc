#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// The technical-indicator chart window: one of eleven indicators with its
// parameters and a time span; Query opens the chart site's page for the
// current stock and closes the window.
class TechGraph : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit TechGraph(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QList<QRadioButton *> optGraph;
    QList<QLineEdit *> D;
    QList<QLabel *> lbl;
    QList<QCheckBox *> chk;
    QSlider *Slider1 = nullptr;
    QLabel *Label6 = nullptr;
    QList<QLabel *> lblTime;
    QPushButton *cmdQuery = nullptr;
    QPushButton *cmdCancel = nullptr;

    QString IndicatorName;
    short SliderPos = 0;
    int SpanDays = 0;

    void optGraph_Click(int Index);
    // The slider moved by the user (mouse or keys).
    void Slider1_Scroll();
    QString BuildIndicator() const;
    void ShowParamBox(short Index, const QString &Value, const QString &Caption);
    void ShowParamCheck(short Index, const QString &Caption, int Value);
    void cmdQuery_Click();
    void cmdCancel_Click();

private:
    void Form_Load();
};

TechGraph *techGraphWindow(); // nullptr when not loaded
// Loads the window when needed and shows it modeless, owned by the main
// window; an open window comes forward and keeps what it shows.
void ShowTechGraphWindow();
void UnloadTechGraph();

// Installs the news query and technical chart windows as the windows the
// link openers and the navigation tree show.
void installQueryWindows();
