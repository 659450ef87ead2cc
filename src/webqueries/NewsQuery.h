#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// The news query: the headlines of up to five symbols over a length (24
// hours, 7 or 30 days) and a range of days given as day and month texts,
// without a year. The window keeps the texts in its boxes; these steps
// compute them and the address. Ranges borrow from the month and the
// year: a start before the 1st lands in the month before.

struct NewsDates
{
    QString fromDay;
    QString fromMonth;
    QString toDay;
    QString toMonth;
};

// The items of the length list, in order; "7 Days" is chosen at load.
QStringList newsLengthItems();
// The number in the first two characters of a length item (24, 7, 30).
int newsLengthDays(const QString &item);

// Today, as the query sees it (the system date unless a test set another).
QDate newsToday();
void setNewsTodayForTests(std::function<QDate()> today);

// The boxes as the window opens: the end today, the start seven days back
// (the From Day without a leading zero).
NewsDates newsDatesAtLoad();
// The start box(es) after a length is chosen, from the end boxes (empty
// ones read as today); a one-character start text gets a leading "0". An
// end that does not read as a date leaves the start as it was.
void applyNewsLength(int lengthDays, NewsDates &dates);
// Empty boxes filled for the query, written back: the start seven days
// before today, the end today.
void fillEmptyNewsDates(NewsDates &dates);
// A day or month box as it reads after losing the focus: "" when it does
// not read as a number, a single character with a leading "0".
QString paddedDateText(const QString &text);
// Whether the text reads as a number (an optional sign and digits).
bool readsAsNumber(const QString &text);

// The headline page's address: the first symbol as it is, each further one
// of three characters or more after a "+", every value percent-encoded.
QString newsQueryUrl(const QStringList &symbols, int lengthDays, const NewsDates &dates);
