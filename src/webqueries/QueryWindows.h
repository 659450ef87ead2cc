#pragma once

#include <QString>

#include <functional>

// The query windows (news query, technical-indicator chart) live above this
// library, with the widgets; they install how they are shown, and the link
// openers and the navigation tree show them through these calls. Where
// none is installed nothing is shown.

// A part of an address taken from a text the user or a page gave:
// percent-encoded, so it stays one value.
QString urlPart(const QString &text);

struct QueryWindowOpeners
{
    std::function<void(const QString &symbol)> newsQuery;
    std::function<void()> techGraph;
    std::function<void()> bigChart;
};
void setQueryWindowOpeners(QueryWindowOpeners openers);

// Shows the news query window with symbol in its first box.
void ShowNewsQuery(const QString &symbol);
// Shows the technical-indicator chart window.
void ShowTechGraph();
// Shows the interactive chart query window.
void ShowBigChart();
