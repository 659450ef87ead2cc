#include "reports/ui/SummaryOpt.h"

#include "core/Registry.h"
#include "core/ui/ClosingGuard.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "reports/Summery.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<SummaryOpt> g_form;

struct Box
{
    const char *caption;
    bool ticked; // as the form comes when nothing is stored
    int column;
    int row;
};

// In box order; "*" marks the sections that take long.
const Box Boxes[19] = {{"Profile", true, 0, 1},
                       {"Analyst's Recommandation ", true, 0, 2},
                       {"Latest Prices", true, 0, 3},
                       {"Annual Balance Sheet ", true, 0, 4},
                       {"Annual Income Statement ", true, 0, 5},
                       {"Earning Growth ", true, 0, 6},
                       {"Earning History ", true, 0, 7},
                       {"Earning Estimates ", true, 0, 8},
                       {"Consensus EPS Trade ", true, 0, 9},
                       {"Insider Trader *", false, 1, 1},
                       {"Upgrades History  ", true, 1, 2},
                       {"Downgrades History ", true, 1, 3},
                       {"Momentum Rating ", true, 1, 4},
                       {"Broker Reports ", true, 1, 6},
                       {"Calls *", false, 1, 7},
                       {"Puts *", false, 1, 8},
                       {"Split History", true, 1, 5},
                       {"Quarterly Reports *", false, 1, 9},
                       {"Short Interest", false, 0, 10}};

// The box feeding each section flag of the page, in flag order: the split
// history's box stands apart.
const int FlagBoxes[19] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 10, 11, 12, 13, 14, 15, 17, 18};

} // namespace

SummaryOpt::SummaryOpt(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SummaryOpt"));
    setWindowTitle(QString());
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = new QLabel(QStringLiteral("What do you want to see?"), this);
    QFont heading(QStringLiteral("Times New Roman"));
    heading.setPointSize(12);
    Label1->setFont(heading);
    auto *grid = new QGridLayout;
    for (int i = 0; i < 19; ++i) {
        auto *box = new QCheckBox(QString::fromLatin1(Boxes[i].caption), this);
        box->setChecked(Boxes[i].ticked);
        grid->addWidget(box, Boxes[i].row, Boxes[i].column);
        chk << box;
    }
    lbl1 = new QLabel(QStringLiteral("* It might take time, please be patiant.."), this);
    cndGenerate = new QPushButton(QStringLiteral("Generate"), this);
    cndGenerate->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cndGenerate);
    buttons->addWidget(cmdCancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(Label1);
    all->addLayout(grid);
    all->addWidget(lbl1);
    all->addLayout(buttons);
    connect(cndGenerate, &QPushButton::clicked, this, [this] { cndGenerate_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    LoadSummaryOpt();
}

SummaryOpt::~SummaryOpt() = default;

int SummaryOpt::value(int box) const
{
    switch (chk[box]->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void SummaryOpt::setValue(int box, int v)
{
    if (v == 2)
        chk[box]->setTristate(true);
    chk[box]->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

// The stored ticks: a comma, then each box's value and a comma. Only the
// character after each comma is read; a box the text does not reach, or
// whose character is no value, keeps its state.
void SummaryOpt::LoadSummaryOpt()
{
    const QString s = QuerySetting(QStringLiteral("SummaryOpt")).toString();
    qsizetype p = 0;
    for (int i = 0; i < chk.size(); ++i) {
        const qsizetype a = s.indexOf(QLatin1Char(','), p);
        if (a < 0)
            break;
        p = s.indexOf(QLatin1Char(','), a + 1);
        if (p < 0)
            break;
        const QChar c = s.at(a + 1);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('2'))
            setValue(i, c.digitValue());
    }
}

void SummaryOpt::SaveSummaryOpt()
{
    QString s = QStringLiteral(",");
    for (int i = 0; i < chk.size(); ++i)
        s += QString::number(value(i)) + QLatin1Char(',');
    SaveSetting(QStringLiteral("SummaryOpt"), s);
}

bool SummaryOpt::ValidateSummaryOpt()
{
    int sum = 0;
    for (int i = 0; i < chk.size(); ++i)
        sum += value(i);
    if (sum != 0)
        return true;
    chk[0]->setChecked(true);
    MsgBox(QStringLiteral("You have to select at least one option."), Msg::OKOnly + Msg::Information, QString());
    return false;
}

void SummaryOpt::cndGenerate_Click()
{
    // The page is built while pending events run: the form takes no clicks
    // meanwhile (a Cancel would pull the page out from under its builder),
    // and it closes once the page is written.
    ClosingAttempt closing(this);
    if (!closing || !ValidateSummaryOpt())
        return;
    SaveSummaryOpt();
    quint8 f[19];
    for (int i = 0; i < 19; ++i)
        f[i] = quint8(value(FlagBoxes[i]));
    if (!m_summary)
        m_summary = std::make_shared<Summery>();
    // The builder outlives the form should the form go meanwhile, and
    // reports into it only while it is there.
    const std::shared_ptr<Summery> summary = m_summary;
    const QPointer<SummaryOpt> self(this);
    summary->progress = [self](const QString &text) {
        if (self)
            self->lbl1->setText(text);
        DoEvents();
    };
    // A page that could not be written was said so: the form stays.
    const bool written = summary->GanarateHTML(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11],
                                               f[12], f[13], f[14], f[15], f[16], f[17], f[18]);
    summary->progress = {};
    if (!self || !written)
        return;
    m_summary.reset();
    closing.finish(25);
}

void SummaryOpt::cmdCancel_Click()
{
    if (ClosingAttempt closing(this); closing) {
        m_summary.reset();
        closing.finish(25);
    }
}

SummaryOpt *summaryOptions()
{
    return g_form.data();
}

void ShowSummaryOpt(QWidget *owner, const QPoint &at)
{
    if (g_form)
        g_form->close();
    g_form = new SummaryOpt(owner);
    g_form->setWindowModality(Qt::ApplicationModal);
    g_form->adjustSize();
    g_form->move(at - QPoint(0, g_form->frameGeometry().height()));
    g_form->show();
}
