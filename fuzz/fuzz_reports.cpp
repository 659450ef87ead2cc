// Cached pages as any server might send them, turned into HTML reports:
// statements, insider trades, filings, short interest, option chains and
// earnings tables.
#include "FuzzProfile.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/UrlOpener.h"
#include "reports/Reports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString dir = fuzzProgramFolder();
    setUrlOpenerHandler([](const QUrl &) { return true; });
    const QByteArray page = fuzzBytes(data, size);
    const QString sheets = dir + QStringLiteral("/Cache/DataSheet/IBM");
    Sets[0].Symbol = QStringLiteral("IBM");
    SetCount = 1;
    CurSymbol = QStringLiteral("IBM");
    const QString ibm = CurSymbol;
    Reports r;
    switch (size ? data[0] % 8 : 0) {
    case 0: fuzzWrite(sheets + QStringLiteral("_ABS.Sh"), page); r.H_ABS(ibm); break;
    case 1: fuzzWrite(sheets + QStringLiteral("_AIS.Sh"), page); r.H_AIS(ibm); break;
    case 2: fuzzWrite(sheets + QStringLiteral("_it.Sh"), page); r.H_IT(ibm); break;
    case 3: fuzzWrite(sheets + QStringLiteral("_qr.Sh"), page); r.H_QR(ibm); break;
    case 4: fuzzWrite(sheets + QStringLiteral("_SI.Sh"), page); r.H_SI(ibm); break;
    case 5: fuzzWrite(sheets + QStringLiteral("_op.Sh"), page); r.H_Calls(ibm), r.H_Puts(ibm); break;
    case 6: fuzzWrite(sheets + QStringLiteral("_ee.Sh"), page); r.H_EC(ibm), r.H_ER(ibm); break;
    default: fuzzWrite(sheets + QStringLiteral("_ee.Sh"), page); r.H_EH(ibm), r.H_EG(ibm); break;
    }
    return 0;
}
