#include "core/Stocks.h"

#include "core/DataDir.h"
#include "core/ErrorLog.h"
#include "core/RecordFile.h"
#include "core/SharedState.h"
#include "core/TextHelpers.h"
#include "core/UpdateGuard.h"

#include "platform/PathResolver.h"

#include <QDir>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <memory>
#include <type_traits>

std::array<StockRec, SetSize> Sets;
std::array<StockRec, SetSize> TmpSets;
short SetCount = 0;
short CurSetNo = 0;
short FoundIndex = 0;
std::array<USRec, USSize> US;

namespace {

// The fields of a stock record in file order.
template <class R, class F>
void stockFields(R &r, F &&f)
{
    f(r.Reserved0);
    f(r.Symbol);
    f(r.Name);
    f(r.Rating);
    f(r.LastSale);
    f(r.PctChange);
    f(r.Change);
    f(r.DayHigh);
    f(r.DayLow);
    f(r.Volume);
    f(r.Ask);
    f(r.Bid);
    f(r.LastTradeSize);
    f(r.PERatio);
    f(r.DivPerShare);
    f(r.Open);
    f(r.PrevClose);
    f(r.High52);
    f(r.Low52);
    f(r.EPS);
    f(r.Exchange);
    f(r.Industry);
    f(r.LastUpdate);
    f(r.LowTarget);
    f(r.HighTarget);
    f(r.Reserved25);
}

template <class R, class F>
void usFields(R &r, F &&f)
{
    f(r.LastTrade);
    f(r.TradeTime);
    f(r.Change);
    f(r.PctChange);
    f(r.MoreInfo);
}

const auto stockVisit = [](auto &rec, auto &&f) { stockFields(rec, f); };
const auto usVisit = [](auto &rec, auto &&f) { usFields(rec, f); };

// Index of symbol among records first to last (inclusive), -1 when absent;
// a free record (no symbol) is never a hit.
int findIn(const QString &symbol, int first, int last)
{
    if (symbol.isEmpty())
        return -1;
    last = qMin(last, SetSize - 1);
    for (int i = qMax(first, 0); i <= last; ++i)
        if (Sets[i].Symbol == symbol)
            return i;
    return -1;
}

// The records read from a record file's bytes: a whole file, an empty one
// (a new set) or one that ran out early, which is logged; true when the
// bytes held them whole (or there were none).
template <class Rec, std::size_t N, class Fields>
bool readBytes(const std::optional<QByteArray> &bytes, std::array<Rec, N> &records, Fields fields,
               const QString &where)
{
    records.fill(Rec{});
    if (!bytes) {
        ErrorTrap(QStringLiteral("Permission denied"), ErrNo::PermissionDenied, ErrSource, where, false);
        return false;
    }
    if (!readRecords(*bytes, records, fields) && !bytes->isEmpty()) {
        ErrorTrap(QStringLiteral("Input past end of file"), ErrNo::InputPastEnd, ErrSource, where, false);
        return false;
    }
    return true;
}

template <class Rec, std::size_t N, class Fields>
void readFile(const QString &path, std::array<Rec, N> &records, Fields fields, const QString &where)
{
    readBytes(loadRecordFile(path), records, fields, where);
}

} // namespace

QString setFilePath()
{
    return setFilePath(CurSetNo);
}

QString setFilePath(short n)
{
    return DataDir + QStringLiteral("\\Set") + QString::number(n) + QStringLiteral(".dat");
}

std::optional<int> stocksInDamagedSetFile(const QByteArray &bytes)
{
    auto records = std::make_unique<std::array<StockRec, SetSize>>();
    if (bytes.isEmpty() || readRecords(bytes, *records, stockVisit))
        return std::nullopt;
    return int(std::count_if(records->begin(), records->end(), [](const StockRec &s) { return !s.Symbol.isEmpty(); }));
}

namespace {
// The set as last read from or written to its file, to tell unsaved changes.
std::array<StockRec, SetSize> g_setOnDisk;
// The file the set was last read from whole, and its bytes then, as long
// as nothing was saved since.
QString g_setReadFrom;
QByteArray g_setReadBytes;
// Each record of g_setOnDisk as it is filed, while g_setFileBytesValid; so a
// save lays out only the records that changed.
std::array<QByteArray, SetSize> g_setRecordBytes;
bool g_setFileBytesValid = false;
// The file the set was last saved to whole, as long as g_setOnDisk is what it holds.
QString g_setSavedTo;

// The records of Sets that differ from those last filed, in index order.
using ChangedRecords = QVarLengthArray<short, SetSize>;
// Fields alike as StockRec's == tells them; a text copied from the other and
// not changed since shares its bytes, and is known alike without reading them.
bool alike(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

bool alike(float a, float b)
{
    return a == b;
}

// a == b, field by field in file order, stopping at the first that differs.
bool sameRecord(const StockRec &a, const StockRec &b)
{
    bool same = true;
    const char *const base = reinterpret_cast<const char *>(&a);
    stockFields(a, [&](const auto &field) {
        if (!same)
            return;
        using Field = std::remove_cvref_t<decltype(field)>;
        const auto offset = reinterpret_cast<const char *>(&field) - base;
        same = alike(field, *reinterpret_cast<const Field *>(reinterpret_cast<const char *>(&b) + offset));
    });
    return same;
}

ChangedRecords changedRecords()
{
    ChangedRecords changed;
    for (short i = 0; i < SetSize; ++i)
        if (!sameRecord(Sets[size_t(i)], g_setOnDisk[size_t(i)]))
            changed.append(i);
    return changed;
}

void layOut(size_t i)
{
    RecordWriter writer;
    stockFields(Sets[i], [&](const auto &field) { writer.write(field); });
    g_setRecordBytes[i] = writer.bytes();
}

// The records of Sets as they are filed: only the changed ones laid out
// anew while g_setRecordBytes holds the others; afterwards it holds Sets'.
QByteArray setBytes(const ChangedRecords &changed)
{
    if (g_setFileBytesValid) {
        for (const short i : changed)
            layOut(size_t(i));
    } else {
        for (size_t i = 0; i < SetSize; ++i)
            layOut(i);
    }
    g_setFileBytesValid = true;
    qsizetype total = 0;
    for (const QByteArray &record : g_setRecordBytes)
        total += record.size();
    QByteArray bytes;
    bytes.reserve(total);
    for (const QByteArray &record : g_setRecordBytes)
        bytes += record;
    return bytes;
}
} // namespace

void ReadStocks()
{
    // The same bytes read into a set unchanged since give the same records:
    // they are not taken apart again (start-up reads the set twice).
    const QString path = setFilePath();
    const std::optional<QByteArray> bytes = loadRecordFile(path);
    if (!bytes || path != g_setReadFrom || *bytes != g_setReadBytes || Sets != g_setOnDisk) {
        const bool whole = readBytes(bytes, Sets, stockVisit, QStringLiteral("Stocks_ReadStocks"));
        g_setReadFrom = whole ? path : QString();
        g_setReadBytes = whole ? *bytes : QByteArray();
        g_setOnDisk = Sets;
        g_setFileBytesValid = false;
    }
    SetCount = 0;
    for (const StockRec &s : Sets)
        if (!s.Symbol.isEmpty())
            ++SetCount;
}

bool SaveStocks(QString *why, DiskSync sync)
{
    const QString path = setFilePath();
    // One look over the records (the update run saves after every stock).
    const ChangedRecords changed = changedRecords();
    // Nothing changed since the set was filed, and the file is as it was then.
    // (Records alike field by field are filed alike.)
    if (g_setFileBytesValid && path == g_setSavedTo && changed.isEmpty() && recordFileUnchanged(path))
        return true;
    g_setReadFrom.clear(); // what is filed may read back otherwise (a text past Latin-1)
    QString reason;
    const QByteArray bytes = setBytes(changed);
    g_setSavedTo.clear();
    if (!saveRecordFile(path, bytes, &reason, sync)) {
        g_setFileBytesValid = false; // the records laid out are not those filed
        ErrorTrap(reason, ErrNo::PermissionDenied, ErrSource, QStringLiteral("Stocks_SaveStocks"), false);
        if (why)
            *why = reason;
        return false;
    }
    for (const short i : changed)
        g_setOnDisk[size_t(i)] = Sets[size_t(i)];
    g_setSavedTo = path;
    return true;
}

QString setNotSavedMessage(const QString &why)
{
    return QStringLiteral("The stock group could not be saved to\r\n") + QDir::toNativeSeparators(resolvePath(setFilePath())) +
           QStringLiteral("\r\n(") + why +
           QStringLiteral(").\r\n\r\nYour changes are kept while Brindlewick runs. Make room on the disk and try again.");
}

bool SetsChangedSinceRead()
{
    // Records alike field by field are filed alike; else they are compared
    // as they are filed: a NaN read from a file equals itself.
    return Sets != g_setOnDisk && recordBytes(Sets, stockVisit) != recordBytes(g_setOnDisk, stockVisit);
}

QString GetStockLine(const QString &symbol)
{
    // Every record: a stock after free records, or in the last one, is still in the set.
    const int i = findIn(symbol, 0, SetSize - 1);
    if (i < 0)
        return QString();
    FoundIndex = short(i);
    const StockRec &s = Sets[i];
    return QStringList{s.Name, s.Change, s.PctChange, s.Volume, s.DayHigh, s.DayLow, s.Bid,
                       s.Ask, s.LastTradeSize, s.Open, s.PrevClose, s.High52, s.Low52, s.EPS,
                       s.PERatio, s.DivPerShare, s.Exchange, s.Industry, s.LastUpdate}
        .join(QLatin1Char(';'));
}

short FindSymbol(const QString &symbol)
{
    return short(qMax(findIn(symbol, 0, SetSize - 1), 0));
}

short StockIndex(const QString &symbol)
{
    return short(findIn(symbol, 0, SetSize - 1));
}

QString GetPriceText(const QString &symbol)
{
    const int i = findIn(symbol, 0, SetSize - 1);
    return i < 0 ? QString() : FormatP(Sets[i].LastSale, false);
}

float GetRating(const QString &symbol)
{
    const int i = findIn(symbol, 0, 200);
    return i < 0 ? 0.0f : Sets[i].Rating;
}

QString DisplayNameOf(const QString &symbol)
{
    if (symbol.isEmpty())
        return QString();
    // Every record: a stock after a free record is still in the set.
    const int i = findIn(symbol, 0, SetSize - 1);
    if (i < 0)
        return QString();
    return Sets[i].Name.size() >= 2 ? Sets[i].Name : symbol;
}

QString GetDisplayName()
{
    return DisplayNameOf(CurSymbol);
}

QString limitText(float limit)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, limit).ptr;
    return QString::fromLatin1(buf, end - buf);
}

void BlankStockRec(short index)
{
    if (index >= 0 && index < SetSize)
        Sets[index] = StockRec{};
}

void CompactSet()
{
    TmpSets.fill(StockRec{});
    int j = 0;
    for (const StockRec &s : Sets)
        if (s.Symbol.size() >= 1)
            TmpSets[j++] = s;
    Sets.fill(StockRec{});
    j = 0;
    for (const StockRec &s : TmpSets)
        if (s.Symbol.size() >= 2)
            Sets[j++] = s;
    TmpSets.fill(StockRec{});
}

QString RemoveStock(short index)
{
    if (const QString refused = refusalWhileUpdating(); !refused.isEmpty())
        return refused;
    if (index < 0 || index >= SetSize)
        return QString();
    BlankStockRec(index);
    CompactSet();
    QString why;
    if (!SaveStocks(&why))
        return setNotSavedMessage(why);
    ReadStocks();
    CompactSet();
    return QString();
}

void WriteUS()
{
    // A failed write is skipped silently: the table is parsed again on the next update.
    saveRecordFile(DataDir + QStringLiteral("\\US.dat"), recordBytes(US, usVisit));
}

void ReadUS()
{
    readFile(DataDir + QStringLiteral("\\US.dat"), US, usVisit, QStringLiteral("Stocks_ReadUS"));
}

void resetStocks()
{
    Sets.fill(StockRec{});
    g_setOnDisk.fill(StockRec{});
    g_setReadFrom.clear();
    g_setReadBytes.clear();
    g_setFileBytesValid = false;
    g_setSavedTo.clear();
    TmpSets.fill(StockRec{});
    US.fill(USRec{});
    SetCount = 0;
    CurSetNo = 0;
    FoundIndex = 0;
}
