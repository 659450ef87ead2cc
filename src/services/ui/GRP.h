#pragma once

#include "services/Ripple.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QSlider;

// The "Relax" window: "dollar.gif" from the program folder with a water
// ripple that runs while Start is pressed; the slider sets the waves'
// frequency for the next start.
class GRP : public QWidget
{
    Q_OBJECT

public:
    // Creating the window is loading it: Form_Load runs before it is shown.
    explicit GRP(QWidget *parent = nullptr);
    ~GRP() override;

    QLabel *Pictbox = nullptr;
    QSlider *Slider1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdclose = nullptr;

    std::unique_ptr<ClsManip> Effect;
    float RippleFrq = 0.1f;

    void Command1_Click();
    void Slider1_Scroll();
    void Slider1_Change();
    void cmdclose_Click();

private:
    void Form_Load();
};

GRP *relaxWindow(); // nullptr when not loaded
// Loads the window when needed (the picture is written into the program
// folder when it is missing there) and shows it modeless.
void ShowGRP();
void UnloadGRP();
