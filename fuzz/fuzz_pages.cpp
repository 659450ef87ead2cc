// Cached pages as any server might send them: the quote parser, the
// insider-trades and filings sheets, and the headline extractor.
#include "FuzzProfile.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "sheets/market/QuoteParser.h"
#include "sheets/symbol/InsiderTrades.h"
#include "sheets/symbol/QuarterlyReports.h"
#include "sheets/symbol/RecentNews.h"
#include "support/RecordingMainWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString dir = fuzzProgramFolder();
    static RecordingMainWindow window;
    window.grid.setWidth(12000);
    const QByteArray page = fuzzBytes(data, size);
    const QString sheets = dir + QStringLiteral("/Cache/DataSheet/");
    Sets[0].Symbol = QStringLiteral("IBM");
    SetCount = 1;
    CurSymbol = QStringLiteral("IBM");
    switch (size ? data[0] % 4 : 0) {
    case 0: {
        fuzzWrite(sheets + QStringLiteral("quote.Sh"), page);
        short index = 0;
        ParseQuote(index);
        break;
    }
    case 1:
        fuzzWrite(sheets + QStringLiteral("IBM_it.Sh"), page);
        FG_IT();
        break;
    case 2:
        fuzzWrite(sheets + QStringLiteral("IBM_qr.Sh"), page);
        FG_QR();
        break;
    default: {
        const QString news = dir + QStringLiteral("/Cache/News/");
        fuzzWrite(news + QStringLiteral("Temp.htm"), page);
        QFile::remove(news + QStringLiteral("IBM.txt"));
        ParseRecentNews(QStringLiteral("IBM"), news + QStringLiteral("Temp.htm"), news + QStringLiteral("IBM.txt"));
        break;
    }
    }
    return 0;
}
