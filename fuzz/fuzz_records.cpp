// The record files (a stock set, the portfolio, the US indicators) and the
// grid layout file: any bytes are read without harm, and what is saved
// reads back and saves again to the same bytes.
#include "FuzzProfile.h"
#include "core/Portfolio.h"
#include "core/Stocks.h"
#include "sheets/ColLayout.h"

#include <cstdlib>
#include <functional>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Read, save, read, save: both saves must give the same file.
void roundTrip(const QString &path, const QByteArray &bytes, const std::function<void()> &read,
               const std::function<void()> &save)
{
    fuzzWrite(path, bytes);
    read();
    save();
    const QByteArray first = fileBytes(path);
    read();
    save();
    if (fileBytes(path) != first)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString dir = fuzzProgramFolder();
    const QByteArray bytes = fuzzBytes(data, size);
    switch (size ? data[0] % 4 : 0) {
    case 0:
        CurSetNo = 0;
        // What start-up tells of a damaged file is found without harm too.
        (void)stocksInDamagedSetFile(bytes);
        roundTrip(dir + QStringLiteral("/Set0.dat"), bytes, ReadStocks, [] { SaveStocks(); });
        if (SetsChangedSinceRead())
            std::abort();
        break;
    case 1:
        (void)tradesInDamagedPortfolio(bytes);
        roundTrip(dir + QStringLiteral("/Portfolio.dat"), bytes, ReadPortfolio, [] { WritePortfolio(); });
        break;
    case 2:
        roundTrip(dir + QStringLiteral("/US.dat"), bytes, ReadUS, WriteUS);
        break;
    default:
        if (const auto layout = decodeColLayout(bytes)) {
            const auto again = decodeColLayout(encodeColLayout(*layout));
            if (!again || !(*again == *layout))
                std::abort();
        }
        break;
    }
    return 0;
}
