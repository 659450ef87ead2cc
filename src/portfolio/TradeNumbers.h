#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Reading the numbers and dates the user types into the trade window, and
// the prices the portfolio values holdings at.
//
// A number is read two ways: as the sheets write it ("1,234.50", "45.375",
// or a fraction as quote pages give it, "45 3/8", "3/8") and as the user's
// regional settings write it ("2,125" in German is 2.125, digits of the
// user's script too). A text read only one way, or alike both ways, has
// that value; one that reads as two different numbers has none, and the
// reader says both.

struct NumberReading
{
    std::optional<double> value; // the one reading
    std::optional<double> sheets, regional; // each way's reading, when it has one
    bool ambiguous() const { return !value && sheets && regional; }
};

NumberReading readNumber(const QString &text);

// A quote text ("45 3/8", "-1 1/2", "12.5") read exactly; nullopt when it
// holds no price.
std::optional<double> exactPrice(const QString &stored);
// The exact price as its shortest decimal text ("45.375"); "" when none.
QString exactPriceText(const QString &stored);

// A date in the forms the user's regional settings write (their digits
// too), or month/day/year, or year-month-day; an invalid date when none.
QDate readDate(const QString &text);
