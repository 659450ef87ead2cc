#include "webqueries/NewsQuery.h"

#include "core/Sites.h"
#include "webqueries/QueryWindows.h"

#include <QRegularExpression>

namespace {

std::function<QDate()> g_today;

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The end of the range: the To boxes, an empty one read as today; an
// invalid date when a box does not read as a day or month of this year.
QDate endDate(const NewsDates &d)
{
    const QDate today = newsToday();
    const QString day = d.toDay.isEmpty() ? twoDigits(today.day()) : d.toDay;
    const QString month = d.toMonth.isEmpty() ? twoDigits(today.month()) : d.toMonth;
    if (!readsAsNumber(day) || !readsAsNumber(month))
        return QDate();
    return QDate(today.year(), month.toInt(), day.toInt());
}

void setStart(NewsDates &d, const QDate &from)
{
    d.fromDay = QString::number(from.day());
    d.fromMonth = QString::number(from.month());
}

} // namespace

QStringList newsLengthItems()
{
    return {QStringLiteral("24 Hours"), QStringLiteral("7 Days"), QStringLiteral("30 Dayes")};
}

int newsLengthDays(const QString &item)
{
    return item.left(2).trimmed().toInt();
}

QDate newsToday()
{
    return g_today ? g_today() : QDate::currentDate();
}

void setNewsTodayForTests(std::function<QDate()> today)
{
    g_today = std::move(today);
}

bool readsAsNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    return number.match(text).hasMatch();
}

QString paddedDateText(const QString &text)
{
    if (!readsAsNumber(text))
        return QString();
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

NewsDates newsDatesAtLoad()
{
    const QDate today = newsToday();
    const QDate from = today.addDays(-7);
    NewsDates d;
    d.fromDay = QString::number(from.day());
    d.fromMonth = twoDigits(from.month());
    d.toMonth = twoDigits(today.month());
    d.toDay = twoDigits(today.day());
    return d;
}

void applyNewsLength(int lengthDays, NewsDates &dates)
{
    switch (lengthDays) {
    case 7:
        setStart(dates, newsToday().addDays(-7));
        break;
    case 24:
        if (const QDate end = endDate(dates); end.isValid())
            setStart(dates, end.addDays(-1));
        break;
    case 30: {
        const QString month = dates.toMonth.isEmpty() ? twoDigits(newsToday().month()) : dates.toMonth;
        if (readsAsNumber(month))
            dates.fromMonth = QString::number(month.toInt() == 1 ? 12 : month.toInt() - 1);
        break;
    }
    default:
        break;
    }
    for (QString *box : {&dates.fromDay, &dates.fromMonth})
        if (box->size() == 1)
            box->prepend(QLatin1Char('0'));
}

void fillEmptyNewsDates(NewsDates &dates)
{
    const QDate today = newsToday();
    const QDate from = today.addDays(-7);
    if (dates.fromDay.isEmpty())
        dates.fromDay = QString::number(from.day());
    if (dates.fromMonth.isEmpty())
        dates.fromMonth = twoDigits(from.month());
    if (dates.toMonth.isEmpty())
        dates.toMonth = twoDigits(today.month());
    if (dates.toDay.isEmpty())
        dates.toDay = twoDigits(today.day());
}

QString newsQueryUrl(const QStringList &symbols, int lengthDays, const NewsDates &dates)
{
    QString joined = urlPart(symbols.value(0));
    for (int i = 1; i < symbols.size() && i < 5; ++i)
        if (symbols[i].size() > 2)
            joined += QLatin1Char('+') + urlPart(symbols[i]);
    return siteUrl(Site::NewsQuerySite,
                   QStringLiteral("/content/MONEYNET/News/NewsHeadlines.asp?FLUSH=Y&symbol=") + joined
                       + QStringLiteral("&prev_symbol=&length=") + QString::number(lengthDays)
                       + QStringLiteral("&time=range&month_from=") + urlPart(dates.fromMonth)
                       + QStringLiteral("&day_from=") + urlPart(dates.fromDay) + QStringLiteral("&month_to=")
                       + urlPart(dates.toMonth) + QStringLiteral("&day_to=") + urlPart(dates.toDay));
}
