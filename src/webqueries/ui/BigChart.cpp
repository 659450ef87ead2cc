#include "webqueries/ui/BigChart.h"

#include "core/Connection.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Sleep.h"
#include "platform/ui/CloseBox.h"
#include "webqueries/ui/OwnedWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <climits>

namespace {

OwnedWindow<BigChart> g_bigChart;

void fill(QComboBox *box, const ChartList &list)
{
    box->clear();
    for (const ChartChoice &c : list)
        box->addItem(c.text);
    box->setCurrentIndex(-1);
}

} // namespace

BigChart::BigChart(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("BigChart"));
    setWindowTitle(QString());

    lbl1 = new QLabel(QStringLiteral("Chart Explorer"), this);
    QFont heading(QStringLiteral("Times New Roman"));
    heading.setPointSize(14);
    heading.setBold(true);
    lbl1->setFont(heading);

    const auto list = [this](const char *name) {
        auto *box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        connect(box, &QComboBox::currentIndexChanged, this, [this] { cmdSave->setEnabled(true); });
        return box;
    };
    cmdSave = new QPushButton(QStringLiteral("&Save Option"), this);
    cboIndex = list("cboIndex");
    cboDisp = list("cboDisp");
    cboBack = list("cboBack");
    cboSize = list("cboSize");
    cboUp = list("cboUp");
    cboLow = list("cboLow");
    cboMove = list("cboMove");
    cboMove->setEditable(true);
    cboFrq = list("cboFrq");
    txtSbl = new QLineEdit(this);
    txtMaval = new QLineEdit(QStringLiteral("9"), this);
    for (QLineEdit *box : {txtSbl, txtMaval})
        box->installEventFilter(this);

    auto *compare = new QGroupBox(QStringLiteral("CompareTo"), this);
    auto *compareForm = new QFormLayout(compare);
    compareForm->addRow(QStringLiteral("Index:"), cboIndex);
    compareForm->addRow(QStringLiteral("Symbol:"), txtSbl);
    auto *style = new QGroupBox(QStringLiteral("ChartStyle"), this);
    auto *styleForm = new QFormLayout(style);
    styleForm->addRow(QStringLiteral("Price Display:"), cboDisp);
    styleForm->addRow(QStringLiteral("Chart Background:"), cboBack);
    styleForm->addRow(QStringLiteral("Chart Size:"), cboSize);
    auto *indicators = new QGroupBox(QStringLiteral("Indicators"), this);
    auto *indicatorForm = new QFormLayout(indicators);
    indicatorForm->addRow(QStringLiteral("Upper Indicators:"), cboUp);
    indicatorForm->addRow(QStringLiteral("Lower Indicators:"), cboLow);
    indicatorForm->addRow(QStringLiteral("Moving Averages:"), cboMove);
    indicatorForm->addRow(QStringLiteral("Value:"), txtMaval);
    auto *frequency = new QFormLayout;
    frequency->addRow(QStringLiteral("Frequency:"), cboFrq);

    Slider1 = new QSlider(Qt::Vertical, this);
    Slider1->setRange(0, 14);
    Slider1->setInvertedAppearance(true); // position 0 at the top
    Slider1->setInvertedControls(true);
    Slider1->setPageStep(1);
    Slider1->setTickPosition(QSlider::TicksRight);
    Slider1->setToolTip(QStringLiteral("Select Time Period"));
    auto *times = new QVBoxLayout;
    times->setSpacing(0);
    for (const ChartPeriod &p : chartPeriods()) {
        auto *l = new QLabel(p.label, this);
        l->setObjectName(QStringLiteral("lblTime%1").arg(lblTime.size()));
        times->addWidget(l);
        lblTime << l;
    }
    auto *period = new QHBoxLayout;
    period->addWidget(Slider1);
    period->addLayout(times);

    cmdQuery = new QPushButton(QStringLiteral("&Query"), this);
    cmdQuery->setToolTip(QStringLiteral("Qlick To Generate Graph"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setToolTip(QStringLiteral("Close Window"));
    cmdReset = new QPushButton(QStringLiteral("&Reset"), this);

    auto *left = new QVBoxLayout;
    left->addWidget(compare);
    left->addWidget(style);
    left->addWidget(indicators);
    left->addLayout(frequency);
    auto *middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addLayout(period);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdQuery, cmdSave, cmdReset}) {
        b->setMinimumWidth(b->sizeHint().width() + 8);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(lbl1);
    all->addLayout(middle);
    all->addLayout(buttons);

    // A length that is no number goes back to 9 at once.
    connect(txtMaval, &QLineEdit::textChanged, this, [this](const QString &text) {
        bool ok = false;
        text.trimmed().toDouble(&ok);
        if (!ok)
            txtMaval->setText(QStringLiteral("9"));
    });
    // Moves by the user only: a position set from code runs nothing.
    connect(Slider1, &QSlider::actionTriggered, this, [this] {
        QMetaObject::invokeMethod(this, [this] { Slider1_Moved(); }, Qt::QueuedConnection);
    });
    connect(Slider1, &QSlider::sliderMoved, this, [this] { Slider1_Moved(); });
    connect(cmdQuery, &QPushButton::clicked, this, &BigChart::cmdQuery_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &BigChart::cmdCancel_Click);
    // The close box unloads the window at once, without the roll-up.
    onCloseBox(this, [] { UnloadBigChart(); });
    connect(cmdSave, &QPushButton::clicked, this, &BigChart::cmdSave_Click);
    connect(cmdReset, &QPushButton::clicked, this, &BigChart::cmdReset_Click);

    Form_Load();
}

void BigChart::Form_Load()
{
    FillChartCombos();
    cmdSave->setEnabled(false);
}

void BigChart::FillChartCombos()
{
    fill(cboDisp, priceDisplays());
    fill(cboBack, backgrounds());
    fill(cboSize, chartSizes());
    fill(cboLow, lowerIndicators());
    fill(cboMove, movingAverages());
    fill(cboUp, upperIndicators());
    fill(cboIndex, compareIndexes());
    FillFrequencies(true);
    LoadChartOptions();
}

void BigChart::FillFrequencies(bool Intraday)
{
    fill(cboFrq, Intraday ? minuteFrequencies() : dailyFrequencies());
}

void BigChart::takePeriod(int position)
{
    if (position < 0 || position >= chartPeriods().size())
        return;
    TimePeriod = short(position);
    Slider1->setToolTip(chartPeriods()[position].tip);
    FillFrequencies(chartPeriods()[position].intraday);
}

void BigChart::Slider1_Moved()
{
    takePeriod(Slider1->value());
    cboFrq->setCurrentIndex(0);
    cmdSave->setEnabled(true);
}

void BigChart::LoadChartOptions()
{
    const QString stored = QuerySetting(QStringLiteral("ChartOpt")).toString();
    if (stored.isEmpty()) {
        ResetChartOptions();
        return;
    }
    const QList<int> f = parseChartOpt(stored).values;
    const auto field = [&f](int k) { return k <= f.size() ? f[k - 1] : INT_MIN; };
    QComboBox *lists[] = {cboBack, cboDisp, nullptr, cboIndex, cboLow, cboMove, cboSize, cboUp};
    for (int k = 1; k <= 8; ++k)
        if (lists[k - 1] && field(k) != INT_MIN)
            lists[k - 1]->setCurrentIndex(field(k) < lists[k - 1]->count() ? field(k) : -1);
    if (field(9) != INT_MIN)
        txtMaval->setText(QString::number(field(9)));
    // What the window shows is what the query sends: the restored period
    // takes its own sampling list before the saved sampling is chosen.
    if (field(10) != INT_MIN) {
        Slider1->setValue(field(10));
        takePeriod(Slider1->value());
    }
    if (field(3) != INT_MIN)
        cboFrq->setCurrentIndex(field(3) < cboFrq->count() ? field(3) : -1);
}

void BigChart::ResetChartOptions()
{
    cboDisp->setCurrentIndex(2);
    cboBack->setCurrentIndex(0);
    cboSize->setCurrentIndex(1);
    cboLow->setCurrentIndex(0);
    cboMove->setCurrentIndex(0);
    cboUp->setCurrentIndex(0);
    Slider1->setValue(0);
    takePeriod(0);
    cboFrq->setCurrentIndex(0);
    cboIndex->setCurrentIndex(3);
    txtMaval->setText(QStringLiteral("9"));
}

QString BigChart::ChartUrl() const
{
    ChartQuery q;
    q.symbol = CurSymbol;
    q.time = chartPeriods().value(TimePeriod).time;
    const ChartList &frequencies = chartPeriods().value(TimePeriod).intraday ? minuteFrequencies() : dailyFrequencies();
    q.freq = chartCode(frequencies, cboFrq->currentText(), QString());
    q.compidx = chartCode(compareIndexes(), cboIndex->currentText(), QString());
    q.comp = txtSbl->text();
    q.uf = chartCode(upperIndicators(), cboUp->currentText(), QStringLiteral("0"));
    q.lf = chartCode(lowerIndicators(), cboLow->currentText(), QStringLiteral("0"));
    q.ma = chartCode(movingAverages(), cboMove->currentText(), QStringLiteral("0"));
    q.maval = chartWholeNumber(txtMaval->text());
    q.type = chartCode(priceDisplays(), cboDisp->currentText(), QStringLiteral("0"));
    q.style = chartCode(backgrounds(), cboBack->currentText(), QStringLiteral("0"));
    q.size = chartCode(chartSizes(), cboSize->currentText(), QStringLiteral("0"));
    return chartUrl(q);
}

void BigChart::BuildChartUrl()
{
    OpenUrl(ChartUrl());
    DoEvents();
}

void BigChart::cmdQuery_Click()
{
    // The page opens while pending events run: the window is closing already.
    ClosingAttempt closing(this);
    if (!closing)
        return;
    BuildChartUrl();
    closing.finish(25, UnloadBigChart);
}

void BigChart::cmdCancel_Click()
{
    if (ClosingAttempt closing(this); closing)
        closing.finish(25, UnloadBigChart);
}

void BigChart::cmdSave_Click()
{
    ChartOptions o;
    o.back = cboBack->currentIndex();
    o.disp = cboDisp->currentIndex();
    o.frq = cboFrq->currentIndex();
    o.index = cboIndex->currentIndex();
    o.low = cboLow->currentIndex();
    o.move = cboMove->currentIndex();
    o.size = cboSize->currentIndex();
    o.up = cboUp->currentIndex();
    o.maval = txtMaval->text();
    o.slider = Slider1->value();
    SaveSetting(QStringLiteral("ChartOpt"), composeChartOpt(o));
    cmdSave->setEnabled(false);
}

void BigChart::cmdReset_Click()
{
    ResetChartOptions();
    cmdSave->setEnabled(true);
}

bool BigChart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && (watched == txtSbl || watched == txtMaval))
        cmdSave->setEnabled(true);
    return QWidget::eventFilter(watched, event);
}

BigChart *chartQueryWindow()
{
    return g_bigChart.get();
}

void ShowBigChartWindow()
{
    g_bigChart.show();
}

void UnloadBigChart()
{
    g_bigChart.unload();
}
