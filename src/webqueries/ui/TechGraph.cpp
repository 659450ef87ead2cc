#include "webqueries/ui/TechGraph.h"

#include "core/Connection.h"
#include "core/SharedState.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Sleep.h"
#include "platform/ui/CloseBox.h"
#include "webqueries/QueryWindows.h"
#include "webqueries/TechIndicators.h"
#include "webqueries/ui/BigChart.h"
#include "webqueries/ui/OwnedWindow.h"
#include "webqueries/ui/Reuters.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {
OwnedWindow<TechGraph> g_techGraph;
} // namespace

TechGraph::TechGraph(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("TechGraph"));
    setWindowTitle(QString());

    Label1 = new QLabel(QStringLiteral("Technical Graph Explorer"), this);
    QFont heading(QStringLiteral("Times New Roman"));
    heading.setPointSize(14);
    heading.setBold(true);
    Label1->setFont(heading);

    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    auto *choices = new QVBoxLayout(Frame1);
    for (int i = 0; i < indicators().size(); ++i) {
        auto *option = new QRadioButton(indicators()[i].caption, Frame1);
        option->setObjectName(QStringLiteral("optGraph%1").arg(i));
        choices->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] { optGraph_Click(i); });
        optGraph << option;
    }

    auto *params = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        auto *caption = new QLabel(QStringLiteral("----"), this);
        caption->setObjectName(QStringLiteral("lbl%1").arg(i));
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("D%1").arg(i));
        box->setMaximumWidth(60);
        caption->hide();
        box->hide();
        params->addWidget(caption, i, 0);
        params->addWidget(box, i, 1);
        lbl << caption;
        D << box;
    }
    for (int i = 0; i < 3; ++i) {
        auto *check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("chk%1").arg(i));
        check->hide();
        params->addWidget(check, 5 + i, 0, 1, 2);
        chk << check;
    }
    params->setRowStretch(8, 1);

    Label6 = new QLabel(QStringLiteral("Period"), this);
    Slider1 = new QSlider(Qt::Vertical, this);
    Slider1->setRange(0, 10);
    Slider1->setInvertedAppearance(true); // position 0 at the top
    Slider1->setInvertedControls(true);
    Slider1->setTickPosition(QSlider::TicksRight);
    Slider1->setPageStep(1);
    auto *times = new QVBoxLayout;
    for (const Span &s : spans()) {
        auto *l = new QLabel(s.caption, this);
        l->setObjectName(QStringLiteral("lblTime%1").arg(lblTime.size()));
        times->addWidget(l);
        lblTime << l;
    }
    auto *period = new QGridLayout;
    period->addWidget(Label6, 0, 0, 1, 2);
    period->addWidget(Slider1, 1, 0);
    period->addLayout(times, 1, 1);

    cmdQuery = new QPushButton(QStringLiteral("Query"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdQuery);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);

    auto *middle = new QHBoxLayout;
    middle->addWidget(Frame1);
    middle->addLayout(params);
    middle->addLayout(period);
    auto *all = new QVBoxLayout(this);
    all->addWidget(Label1);
    all->addLayout(middle);
    all->addLayout(buttons);

    // Moves by the user only: a position set from code runs nothing.
    connect(Slider1, &QSlider::actionTriggered, this, [this] {
        QMetaObject::invokeMethod(this, [this] { Slider1_Scroll(); }, Qt::QueuedConnection);
    });
    connect(Slider1, &QSlider::sliderMoved, this, [this] { Slider1_Scroll(); });
    connect(cmdQuery, &QPushButton::clicked, this, &TechGraph::cmdQuery_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &TechGraph::cmdCancel_Click);
    onCloseBox(this, [this] { cmdCancel_Click(); });

    Form_Load();
}

void TechGraph::Form_Load()
{
    IndicatorName = QStringLiteral("Bollinger");
    optGraph[0]->setChecked(true);
    optGraph_Click(0);
    // The span the slider shows from the start (position 0, one day), not 0.
    Slider1_Scroll();
}

void TechGraph::ShowParamBox(short Index, const QString &Value, const QString &Caption)
{
    D[Index]->setText(Value);
    D[Index]->show();
    lbl[Index]->setText(Caption);
    lbl[Index]->show();
}

void TechGraph::ShowParamCheck(short Index, const QString &Caption, int Value)
{
    chk[Index]->setText(Caption);
    chk[Index]->setChecked(Value != 0);
    chk[Index]->show();
}

void TechGraph::optGraph_Click(int Index)
{
    for (int i = 0; i < 4; ++i) {
        D[i]->hide();
        lbl[i]->hide();
    }
    for (QCheckBox *c : chk)
        c->hide();
    if (Index < 0 || Index >= indicators().size())
        return;
    const Indicator &ind = indicators()[Index];
    IndicatorName = ind.name;
    for (const IndicatorParam &p : ind.params) {
        if (p.kind == IndicatorParam::Box)
            ShowParamBox(short(p.index), p.value, p.caption);
        else
            ShowParamCheck(short(p.index), p.caption, p.value.toInt());
    }
}

void TechGraph::Slider1_Scroll()
{
    SliderPos = short(Slider1->value());
    if (SliderPos < 0 || SliderPos >= spans().size())
        return;
    Slider1->setToolTip(spans()[SliderPos].tip);
    SpanDays = spans()[SliderPos].days;
}

QString TechGraph::BuildIndicator() const
{
    QStringList boxes;
    for (int i = 0; i < 3; ++i)
        boxes << D[i]->text();
    QList<int> checks;
    for (QCheckBox *c : chk)
        checks << (c->isChecked() ? 1 : 0);
    return indicatorText(IndicatorName, boxes, checks, CurSymbol);
}

void TechGraph::cmdQuery_Click()
{
    // The page opens while pending events run: the window is closing already.
    ClosingAttempt closing(this);
    if (!closing)
        return;
    OpenUrl(techGraphUrl(BuildIndicator(), SpanDays));
    DoEvents();
    closing.finish(25, UnloadTechGraph);
}

void TechGraph::cmdCancel_Click()
{
    if (ClosingAttempt closing(this); closing)
        closing.finish(25, UnloadTechGraph);
}

TechGraph *techGraphWindow()
{
    return g_techGraph.get();
}

void ShowTechGraphWindow()
{
    g_techGraph.show();
}

void UnloadTechGraph()
{
    g_techGraph.unload();
}

void installQueryWindows()
{
    QueryWindowOpeners openers;
    openers.newsQuery = [](const QString &symbol) { ShowReuters(symbol); };
    openers.techGraph = [] { ShowTechGraphWindow(); };
    openers.bigChart = [] { ShowBigChartWindow(); };
    setQueryWindowOpeners(std::move(openers));
}
