#pragma once

#include "core/Variant.h"

#include <QList>
#include <QString>

#include <utility>

// Text, file and HTML helpers of the page parsers and sheet fillers. Every
// search here is case-sensitive, and the parsers depend on these exact rules.

// A price text of the quote service as decimals: a whole number or decimal
// is returned as it is ("45.5"), a fraction ("3/8") or mixed number
// ("12 3/8") becomes 0.38 / 12.38 (four decimals when asked; fractions alone
// with thousands separators), a text starting with "." gets a leading 0 and
// two decimals. "" and texts not ending in a digit ("N/A", "12.5%") give "0".
// The locale's separators are used. A negative mixed number keeps its sign
// on the fraction ("-1 3/8" is -1.38). A part that is not a whole number or
// a zero denominator is logged as "Misc_FormatP" and gives "".
QString FormatP(const QString &s, bool FourDecimals);

// The text of an HTML cell fragment. In s (which the caller sees changed),
// BrToCrLf turns "<br>" into CR LF and AmpToChar "&amp;" into "&". GetLink
// returns the double-quoted target of the first <A href="..."> (written
// A HREF, A Href, a href or A href), "" when there is none. Otherwise the
// tags are stripped: text before the first ">" is dropped (the callers pass
// fragments that start inside an opening tag) and nothing is decoded or
// trimmed ("&nbsp;" stays).
QString HtmlText(QString &s, bool BrToCrLf, bool AmpToChar, bool GetLink);

// The whole file as Latin-1 text; "" when it is missing or unreadable.
QString ReadFile(const QString &path);

// The n-th table of a page (1 = the first), from its "<table" up to but not
// including its first "</table"; an inner table counts as a table of its own.
// "<TABLE" and "<Table" in html are rewritten to "<table" (the caller sees
// that). "" when there are fewer than n tables or n < 1.
QString GetTable(QString &html, short n);
// The same table from a text left as it is (its "<TABLE" and "<Table" read
// as "<table"), for a caller that has no more use for the text.
QString GetTableOf(QStringView html, short n);
// The same table cut out of html where it stands, with no copy.
QString GetTableOf(QString &&html, short n);

// Every occurrence of each listed text in s replaced by its lower-case form,
// in list order; s is changed in place and returned.
QString ReplaceFromArray(QString &s, const QList<Variant> &list);

// v as a number: a v that is not numeric is first set to 0 (the caller sees
// that); Empty gives 0.
double NumOrZero(Variant &v);

// Each (from, to) pair applied in order inside the tags of text only (a tag
// runs from a "<" to the next ">"; an unclosed one to the end); the text
// between tags is kept as the page has it.
QString ReplaceInTags(QString text, const QList<std::pair<QString, QString>> &steps);

// Does nothing; the adviser window calls it.
short NoOp();
