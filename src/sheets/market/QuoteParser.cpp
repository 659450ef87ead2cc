#include "sheets/market/QuoteParser.h"

#include "core/DataDir.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "platform/Latin1File.h"
#include "platform/Sleep.h"

#include <QRegularExpression>

namespace {

const QString StartMarker = QStringLiteral("<!-- SECTION: single stock quote -->");
const QString EndMarker = QStringLiteral("!--END: of insert");

// The page read line by line and joined with nothing between the lines: a
// line ends at a CR (a LF right after it goes with it); a lone LF stays.
// Events run after every line, as the page is read.
QString joinLines(const QString &text)
{
    QString joined;
    joined.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype cr = text.indexOf(QLatin1Char('\r'), start);
        if (cr < 0)
            cr = text.size();
        joined += QStringView(text).mid(start, cr - start);
        start = cr + 1;
        if (start < text.size() && text.at(start) == QLatin1Char('\n'))
            ++start;
        DoEvents();
    }
    return joined;
}

// The record field of a value cell; nullptr for labels and cells past 37.
QString *fieldOfCell(StockRec &r, int cell)
{
    switch (cell) {
    case 0: return &r.Name;
    case 1: return &r.LastUpdate;
    case 3: return &r.LastSale;
    case 5: return &r.Open;
    case 7: return &r.Change;
    case 9: return &r.PrevClose;
    case 11: return &r.PctChange;
    case 13: return &r.High52;
    case 15: return &r.Volume;
    case 17: return &r.Low52;
    case 19: return &r.DayHigh;
    case 21: return &r.EPS;
    case 23: return &r.DayLow;
    case 25: return &r.PERatio;
    case 27: return &r.Bid;
    case 29: return &r.DivPerShare;
    case 31: return &r.Ask;
    case 33: return &r.Exchange;
    case 35: return &r.LastTradeSize;
    case 37: return &r.Industry;
    default: return nullptr;
    }
}

} // namespace

QString quoteCachePath()
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\quote.Sh");
}

namespace {

// With a symbol, the record is the symbol's, found once the page is read.
QString parseQuote(short &Index, const QString *symbol)
{
    const std::optional<QString> file = readLatin1File(quoteCachePath());
    if (!file)
        return QString();
    const QString page = joinLines(*file);
    DoEvents();

    // Positions are not limited to 16 bits: a long page before the quote
    // section must not lose the quote.
    const int start = vb::InStr(page, StartMarker);
    if (start == 0)
        return QString();
    const int end = vb::InStr(start, page, EndMarker);
    if (end == 0)
        return QString();
    QString section = vb::Mid(page, start, end - start);
    if (symbol) {
        Index = -1;
        for (int i = 0; i < SetSize; ++i)
            if (Sets[size_t(i)].Symbol == *symbol) {
                Index = short(i);
                break;
            }
    }

    section.remove(QLatin1Char('\t'));
    section.remove(QLatin1Char('\n'));
    // Cell tags in lower case; the cell texts keep their letter case ("LTD").
    static const QRegularExpression cellTag(QStringLiteral("<(/?)(?:TD|Td)(?![A-Za-z0-9])"));
    section.replace(cellTag, QStringLiteral("<\\1td"));
    section = vb::Replace(section, QStringLiteral("<SUP>"), QStringLiteral(" "));

    StockRec *record = (Index >= 0 && Index < SetSize) ? &Sets[size_t(Index)] : nullptr;
    QString name;
    int pos = 1;
    int counter = 0;
    for (int pass = 0; pass < section.size(); ++pass) {
        const int open = vb::InStr(pos, section, QStringLiteral("<td"));
        if (open == 0)
            break;
        const int close = vb::InStr(open, section, QStringLiteral("</td>"));
        if (close == 0)
            break;
        QString cell = vb::Mid(section, open, close - open);
        pos = close;

        QString text = vb::Trim(HtmlText(cell, false, true, false));
        text.remove(QStringLiteral("&nbsp;"));
        if (text.isEmpty())
            continue;
        if (counter == 0)
            name = text;
        if (record) {
            if (QString *field = fieldOfCell(*record, counter))
                *field = text;
        }
        ++counter;
    }
    return name;
}

} // namespace

QString ParseQuote(short &Index)
{
    return parseQuote(Index, nullptr);
}

QString ParseQuote(short &Index, const QString &symbol)
{
    Index = -1;
    return parseQuote(Index, &symbol);
}
