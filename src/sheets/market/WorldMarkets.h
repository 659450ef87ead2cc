#pragma once

// The world's stock market indices in four regions, from the quote
// portal's international page ("Market.Sh", key "WM").
void Update_WMarket();
void FG_WMarket();
