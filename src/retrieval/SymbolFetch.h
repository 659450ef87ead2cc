#pragma once

#include <QString>

// The per-stock page fetches of the batch run. Each fetches one page per
// stock of the set (indices 0 to SetCount - 1), or for the selected stock
// alone when UpdateSelectedOnly is set, into the page cache, and deletes a
// page below its size rule as an error page. A stock whose page cannot be
// fetched is passed over; the walk goes on with the next one. Symbols that
// are not plain tickers are passed over too. Nothing is fetched once
// StopFlag is set.

// Insider trades: "\Cache\DataSheet\<symbol>_it.Sh" (under 1000 bytes: deleted).
void UpdateIT();
// Quarterly reports: "\Cache\DataSheet\<symbol>_qr.Sh" (under 1000 bytes: deleted).
void UpdateQR();
// Option chains, over the socket (the request asks for the symbol in
// capitals): "\Cache\DataSheet\<symbol>_op.Sh", headers included (under
// 1000 bytes: deleted).
void UpdateOptions();
// Headlines: the quote page into "\Cache\News\Temp.htm", turned into a new
// "\Cache\News\<symbol>.txt".
void UpdateNews();
// Earnings estimates: "\Cache\DataSheet\<symbol>_ee.Sh" (under 1000 bytes: deleted).
void UpdateEE();
// Annual report Code ("ABS" balance sheet, "AIS" income statement):
// "\Cache\DataSheet\<symbol>_<Code>.Sh" (under 1000 bytes: deleted). Status
// follows the symbol in the caption.
void UpdateReport(const QString &Code, const QString &Status);

// The analyst pages of each stock, over the socket, headers included
// (replies under 2500 bytes are not kept): splits "<symbol>_sp.Sh",
// upgrade and downgrade histories "_uph.Sh" and "_dnh.Sh", momentum
// "_mr.Sh", broker reports "_brp.Sh"; and short interest "_SI.Sh".
void Update_Splits();
void Update_UpgradeHistory();
void Update_DowngradeHistory();
void Update_Momentum();
void Update_BrokerReports();
void Update_SI();
