#pragma once

// The price and recommendation fetches of the batch run. Unlike the other
// fetch routines they parse their page at once and store what it gives.

// For every stock of the set (indices 0 to SetCount), or for the selected
// stock alone when UpdateSelectedOnly is set: fetches the stock's quote
// page into "Cache\DataSheet\quote.Sh", has ParseQuote fill its record and
// saves the set; then copies the last sale into the portfolio entries of
// the stock, and, while the price sheet is shown, redraws it with the
// stock's row selected, and selects the stock's tree node.
void UpdatePrices();

// For every stock of the set (indices 0 to SetCount), or for the selected
// stock alone: fetches the stock's recommendation page into
// "Cache\DataSheet\Rec.Sh", stores the average analyst rating it shows,
// saves the set and redraws the gauges.
void UpdateRec();
