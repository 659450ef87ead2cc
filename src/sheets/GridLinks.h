#pragma once

#include <QString>
#include <QUrl>

class FlexGrid;

// The link columns of the main grid's sheets: what a click on a cell opens
// and where the pointer turns into the link pointer, by sheet key and
// column. The grid keeps no addresses (except the hidden columns some
// sheets fill); each address is put together from the clicked row's cells
// when the click comes. Rows 0 and 1 never hold links.


// What a click does.
struct GridLink
{
    enum Action { Nothing, Open, MarkRed };
    Action action = Nothing;
    QUrl url; // for Open: always http or https
};

// The click on (row, col) of a sheet with this key. Texts taken from
// cells are percent-encoded where they go into a query; an address that
// a cell holds whole opens only when it is http or https.
GridLink gridLinkAt(const QString &sheetKey, const FlexGrid &grid, int row, int col);

// Whether the pointer over column col shows the link pointer (any row).
bool isLinkPointerColumn(const QString &sheetKey, int col);

// The grid's click: the link of the current column in the selection's
// end row is opened in the browser, or, for the statement sheets, the
// current cell turns red. Pending events run once after a link.
void clickGridLink(const QString &sheetKey, FlexGrid &grid);
