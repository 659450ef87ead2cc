// The summary page's frame, its table builders, the profile, chart and
// recommendation sections, and what the section builders share.
#include "core/Sites.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/clsRAS.h"
#include "core/DataDir.h"
#include "platform/Latin1File.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "reports/ReportFrame.h"
#include "reports/Reports.h"
#include "reports/Summery.h"

#include <cmath>

using namespace report;

namespace {

const QString SectionFont = QStringLiteral(R"(<B><FONT SIZE="+1" FACE="Times New Roman" color="#009999"><U>)");

QString scaleCells(const char *const aligns[5])
{
    static const char *const words[5] = {"Sell", "Underpreform", "Hold", "Buy", "Strong Buy"};
    QString s;
    for (int i = 0; i < 5; ++i)
        s += QStringLiteral(R"(<td width="20%" align=")") + QLatin1String(aligns[i]) +
             QStringLiteral(R"("><small><strong><font face="Times New Roman" color="#808080"><em>)") +
             QLatin1String(words[i]) + QStringLiteral("</em></font></strong></small></td>") + LB;
    return s;
}

} // namespace

// ---- shared by the section builders ----

qsizetype Summery::need(const QString &text, const QString &what, qsizetype start)
{
    const qsizetype at = start ? find(text, what, start) : 0;
    if (at == 0)
        throw NoMarker{};
    return at;
}

QString Summery::orElse(const std::function<QString()> &build, const QString &failed)
{
    try {
        return build();
    } catch (const NoMarker &) {
        return failed;
    }
}

QString Summery::cachePage(const QString &doing, const QString &suffix, bool events) const
{
    say(doing);
    const QString page = cachedPage(CurSymbol + suffix);
    if (events)
        DoEvents();
    return page;
}

void Summery::Rows::cell(const QString &open, const QString &text, const QString &close)
{
    buf += open + text + close + LB;
}

void Summery::Rows::end(const QString &close)
{
    out += buf + close + LB;
    buf = restart;
}

QString Summery::headingRow(const QStringList &cells, const QString &open)
{
    QString s = open;
    for (const QString &c : cells)
        s += c + LB;
    return s + QStringLiteral("</TR>") + LB + QStringLiteral("<TR>");
}

void Summery::say(const QString &text) const
{
    if (progress)
        progress(text);
}

// ---- the page ----

bool Summery::GanarateHTML(quint8 Pr, quint8 AR, quint8 LP, quint8 HAbs, quint8 Ais, quint8 Eg, quint8 EH, quint8 EE,
                           quint8 EC, quint8 IT, quint8 sp, quint8 UP, quint8 Dow, quint8 MOM, quint8 BR, quint8 Calls,
                           quint8 Puts, quint8 QR, quint8 SI)
{
    HourglassPointer busy;
    const QString file = reportPath(QStringLiteral("Summary\\") + CurSymbol + QStringLiteral(".htm"));
    const QString name = GetDisplayName();
    QString page = QStringLiteral("<HTML><HEAD><TITLE>") + name +
                   QStringLiteral(R"( Summary</TITLE></HEAD><BODY BGCOLOR="#ffffff">)") + LB +
                   QStringLiteral(R"(<P><CENTER><B><U><FONT SIZE="+3" FACE="Times New Roman">)") + name +
                   QStringLiteral(R"(</FONT></U></B></CENTER></P><P><CENTER><FONT SIZE="+1" FACE="Times New Roman"><B>Summary</B></FONT></CENTER></P><P ALIGN=RIGHT>)") +
                   LB +
                   QStringLiteral(R"(<TABLE BORDER="0" CELLSPACING="0" CELLPADDING="0"><TR><TD WIDTH="50%">&nbsp;<I><FONT SIZE="-1">Last Update:</FONT></I></TD><TD WIDTH="50%">&nbsp;)") +
                   stamp() + QStringLiteral("</TD></TR></TABLE></P>");

    // Only a ticked box (1) switches a section on; a greyed one (2) does not.
    if (Pr == 1) {
        page += LB + QStringLiteral("<P><CENTER>") + Table(QStringLiteral("100%"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")) +
                QStringLiteral(R"(<TR><TD WIDTH="70%">)") + SectionFont +
                QStringLiteral(R"(Profile:</U></FONT></B></TD><TD WIDTH="30%">)") + SectionFont +
                QStringLiteral("Chart:</U></FONT></B>&nbsp;</TD></TR>") + LB +
                QStringLiteral(R"(<TR><TD WIDTH="70%" BGCOLOR="#fffddd"><FONT SIZE=-1 Face="Times New Roman">&nbsp;)") + S_PR() +
                QStringLiteral("</FONT></TD>") + LB + QStringLiteral(R"(<TD WIDTH="30%" ALIGN="CENTER" BGCOLOR="#fffddd">)") +
                S_Chart() + QStringLiteral("&nbsp;</TD></TR></TABLE></CENTER></P>");
    }
    if (AR == 1)
        page += LB + S_AR();
    if (LP == 1)
        page += LB + TablePrice().toString();
    // The page's order, which is not the order of the flags.
    const struct
    {
        quint8 flag;
        const char *heading;
        QString (Summery::*build)();
    } sections[] = {
        {HAbs, "Annual Balance Sheet", &Summery::S_ABS},  {Ais, "Annual Income Statement", &Summery::S_AIS},
        {Eg, "Earning Growth", &Summery::S_EG},           {EH, "Earning History", &Summery::S_EH},
        {EE, "Earning Estimates", &Summery::S_EE},        {EC, "Consensus EPS Trade", &Summery::S_EC},
        {sp, "Split History", &Summery::S_SP},            {UP, "Upgrades History", &Summery::S_UP},
        {Dow, "Downgrades History", &Summery::S_DOW},     {MOM, "Momentum Rating", &Summery::S_MOM},
        {BR, "Broker Reports", &Summery::S_BR},           {IT, "Insider Trader", &Summery::S_IT},
        {QR, "Quarterly Reports", &Summery::S_QR},        {Calls, "Calls", &Summery::S_Calls},
        {Puts, "Puts", &Summery::S_Puts},                 {SI, "Short Interest", &Summery::S_SI},
    };
    for (const auto &s : sections)
        if (s.flag == 1)
            page += LB + Table1(QLatin1String(s.heading), (this->*s.build)());

    return publish(file, page + LB + pageEnd());
}

QString Summery::Table(const QString &Width, const QString &Border, const QString &CELLSPACING, const QString &CELLPADDING)
{
    return QStringLiteral("<TABLE WIDTH=") + Width + QStringLiteral(" BORDER=") + Border + QStringLiteral(" CELLSPACING=") +
           CELLSPACING + QStringLiteral(" CELLPADDING=") + CELLPADDING + QStringLiteral(">");
}

QString Summery::Table1(const QString &Headline, const QString &Data)
{
    return QStringLiteral("<P><CENTER>") + SectionFont + Headline + QStringLiteral("</U></FONT></B> ") + QStringLiteral("<CENTER>") +
           Table(QStringLiteral("100%"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")) + LB + Data + LB +
           QStringLiteral("</TABLE></CENTER></P><BR>");
}

QVariant Summery::RowPrice(const QString &Caption1, const QString &Data1, const QString &Caption2, const QString &Data2)
{
    return QStringLiteral(R"(<TR><TD WIDTH="25%" nowrap><b><FONT COLOR="#000080" face="Arial" size="2">&nbsp;)") + Caption1 +
           QStringLiteral(R"(</FONT></b></TD><TD WIDTH="25%" nowrap><Font face="Arial" size="2">&nbsp;)") + Data1 +
           QStringLiteral(R"(</Font></TD><TD WIDTH="25%"><b><Font color="#000080" face="Arial" size="2">&nbsp;)") + Caption2 +
           QStringLiteral(R"(</Font><b></td><td WIDTH="25%"><Font face="Arial" size="2">&nbsp;)") + Data2 +
           QStringLiteral("</Font></td></TR>") + LB;
}

QVariant Summery::TablePrice()
{
    // The selected stock's own record, whatever the last lookup found.
    const StockRec *r = nullptr;
    for (const StockRec &s : Sets)
        if (!CurSymbol.isEmpty() && s.Symbol == CurSymbol) {
            r = &s;
            break;
        }
    if (!r)
        return QString();
    const auto row = [this](const char *c1, const QString &d1, const char *c2, const QString &d2) {
        return RowPrice(QLatin1String(c1), d1, QLatin1String(c2), d2).toString();
    };
    return QStringLiteral("<P><CENTER>") + Table(QStringLiteral("100%"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")) +
           QStringLiteral(R"(<TR><TD COLSPAN="2" align="CENTER">)") + SectionFont +
           QStringLiteral(R"(Latest Prices</U></FONT></B></TD></TR><TR><TD COLSPAN="2"><P><CENTER><TABLE BORDER="1" CELLSPACING="0" CELLPADDING="0">)") +
           row("Symbol:", r->Symbol, "", QString()) + row("Last Update:", r->LastUpdate, "Open:", r->Open) +
           row("Last Sale:", r->LastSale, "Previous Close:", r->PrevClose) +
           row("Change:", r->Change, "$ Change :", r->PctChange) + row("Today High:", r->DayHigh, "Today Low:", r->DayLow) +
           row("Volume:", r->Volume, "EPS:", r->EPS) + row("Ask:", r->Ask, "Bid:", r->Bid) +
           row("52 Week High:", r->High52, "52 Week Low:", r->Low52) +
           row("Last Trade Size:", r->LastTradeSize, "Dividend Per Share:", r->DivPerShare) +
           row("Industry:", r->Industry, "Exchange:", r->Exchange) + row("P/E Ratio:", r->PERatio, "", QString()) +
           QStringLiteral("</TABLE></CENTER></TD></TR></TABLE></CENTER></P><BR>");
}

// ---- profile, chart and recommendation ----

QString Summery::S_PR()
{
    say(QStringLiteral("Processing stock profile report, please wait.."));
    const std::optional<QString> whole = readLatin1File(DataDir + QStringLiteral("\\Cache\\DataSheet\\") + CurSymbol + QStringLiteral("_P.Sh"));
    DoEvents();
    if (!whole)
        return QStringLiteral("No Data Available.");
    // The page once more, its lines run together.
    QString text = *whole + QString(*whole).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    DoEvents();
    return orElse(
        [&] {
            const qsizetype from = need(text, QStringLiteral("hr"));
            const qsizetype to = need(text, QStringLiteral("<hr"), from + 1);
            const QString profile = cellValue(piece(text, from, to));
            return profile.isEmpty() ? QString() : QString(profile).replace(QStringLiteral(". "), QStringLiteral(".<BR>"));
        },
        QString());
}

QString Summery::S_Chart()
{
    // The picture comes from the chart site, so it shows only when the
    // program can reach the network.
    if (RasConnected() >= 1)
        return QStringLiteral(R"(<img border="0" src="http://)") + siteHost(Site::ChartImages) + QStringLiteral("/c/3m/") +
               CurSymbol.left(1).toLower() + QLatin1Char('/') + CurSymbol + QStringLiteral(R"(.gif">)");
    return QStringLiteral("<FONT Size=-2>Connect to the Internet to view ") + CurSymbol + QStringLiteral(" chart</FONT>");
}

QString Summery::S_AR()
{
    // Halves go to the even number: 2.5 is drawn as 2.
    const int r = int(std::nearbyint(double(GetRating(CurSymbol))));
    if (r == 0)
        return QString();
    const int p = qRound(((100.0 - 650.0 / 100) * (5 - r) + (250.0 / 100) * r) / 4);
    static const char *const aligns[5] = {"LEFT", "LEFT", "center", "center", "RIGHT"};
    const auto bar = [](int width) {
        return QStringLiteral(R"(<td width=")") + QString::number(width) +
               QStringLiteral(R"(%" bgcolor="#0000FF" background="../../../bar.jpg">&nbsp;</td>)");
    };
    return QStringLiteral("<P><CENTER>") + SectionFont + QStringLiteral("Analyst's Recommendation</U></FONT></B> ") + LB +
           QStringLiteral(R"(<table border="0" width="100%"><tr>)") + LB + scaleCells(aligns) + QStringLiteral("</tr></table>") +
           Table(QStringLiteral("100%"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0")) + LB + QStringLiteral("<tr>") +
           bar(p + 10) +
           QStringLiteral(R"(<td width="1%" bgcolor="#FF0000" valign="middle" align="center" background="../../../gmb.jpg">&nbsp;</td>)") +
           bar(100 - p) + QStringLiteral("</tr></TABLE></CENTER></P><BR>");
}

QVariant Summery::S_ARScale()
{
    static const char *const aligns[5] = {"center", "center", "center", "center", "center"};
    return QStringLiteral(R"(<table border="0" width="100%"><tr>)") + LB + scaleCells(aligns) + QStringLiteral("</tr></table>");
}
