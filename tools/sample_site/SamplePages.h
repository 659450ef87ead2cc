#pragma once

#include <QByteArray>
#include <QString>

// The pages the sample site makes itself, over the folder of test pages
// (root) it serves. For a request target:
// - the big-mover lists, with each list's columns in the order of the
//   headings the program shows over them;
// - the per-stock pages the program fetches, for any symbol: the page the
//   folder has for ACME, with that stock's symbol and name in place;
// - for an address the program hands to the browser (a chart, a news page,
//   a filing) and the folder lacks: a short page naming what the real site
//   would show there.
// Null when the folder's own page (or its 404, for a fetched page it
// lacks, so that the program reports the missing page) is the answer.
QByteArray samplePageFor(const QString &root, const QString &target);

// What the real page at target is, in a few words ("" when not known).
QString realPageName(const QString &target);
