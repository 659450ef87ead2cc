// The export of the current stock set for other investment programs: tab and
// comma separated text, the personal-finance, charting, quote-program and
// online-service price files, the spreadsheet file, XML, or tab separated
// text on the clipboard. The text is built whole from the quotes in memory
// before the save dialog opens, so nothing that happens while the dialog is
// up reaches the file.
#include "reports/Reports.h"

#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "platform/Dialogs.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/SaveDialog.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

const QString CrLf = QStringLiteral("\r\n");

enum Format : short {
    TabText = 0,
    CommaText = 1,
    QuickenPre5 = 2,
    Quicken5 = 3,
    MetaStock = 4,
    QuoteLink = 5,
    Prodigy = 6,
    Excel = 7,
    Clipboard = 14,
    Xml = 15,
};

// What the save dialog proposes for a file format, and how its lines are cut.
struct FileLayout
{
    const char *defaultName;
    const char *defaultExtension;
    const char *filterDescription;
    const char *filterExtension;
    const char *separator;
    const char *lineEnd;
};

std::optional<FileLayout> layoutOf(short format)
{
    switch (format) {
    case TabText: return FileLayout{"Tab-Delimited.txt", "txt", "Text File", "txt", "\t", "\r\n"};
    case CommaText: return FileLayout{"Comma-Delimited", "txt", "Text File", "txt", ",", "\r\n"};
    case QuickenPre5: return FileLayout{"Quicken pre 5.0", "txt", "Text File", "txt", ",", "\r\n"};
    case Quicken5: return FileLayout{"Quicken 5.0 or later", "txt", "Text File", "txt", " ", "\r\n"};
    case MetaStock: return FileLayout{"MetaStock", "txt", "Text File", "txt", ",", "\r\n"};
    case QuoteLink: return FileLayout{"Quote Link", "txt", "Text File", "txt", "        ", "\r\n"};
    case Prodigy: return FileLayout{"Prodigy Quotetrack", "txt", "Text File", "txt", ",", "\r\n"};
    // The spreadsheet reads lines ended by a carriage return alone.
    case Excel: return FileLayout{"Excel", "txt", "Excel File", "csv", ",", "\r"};
    case Clipboard: return FileLayout{"", "", "", "", "\t", "\r\n"};
    case Xml: return FileLayout{"Stocks.XML", "xml", "XML File", "xml", "", "\r\n"};
    default: return std::nullopt; // the Money, Access, Word ... entries have no layout
    }
}

// The 20 fields of the tab, comma, spreadsheet and clipboard lines. The last
// sale is not among them.
QStringList quoteFields(const StockRec &r)
{
    return {r.Symbol, r.Name,    r.Change,      r.PctChange, r.Volume,    r.DayHigh,   r.DayLow,
            r.Bid,    r.Ask,     r.LastTradeSize, r.Open,    r.PrevClose, r.High52,    r.Low52,
            r.EPS,    r.PERatio, r.DivPerShare, r.Exchange,  r.Industry,  r.LastUpdate};
}

// A field of a comma file in double quotes when it holds a comma, a quote or
// a line break, its own quotes doubled, so that "Smith, Jones & Co" stays
// one field.
QString csvField(const QString &field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\r')) &&
        !field.contains(QLatin1Char('\n')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString quotedField(const QString &field)
{
    return QLatin1Char('"') + field + QLatin1Char('"');
}

// The quote's date as the price files want it, "07/21/99" (month, day and
// year of two digits each), from the quote's own last update: "Jul 21
// 4:00PM", "Dec 3 1999", "12/08/99 4:01PM". A month and day without a year
// are the latest such day not after today; a time alone, or a text that
// names no date, is today.
QString dateField(const QString &lastUpdate)
{
    static const std::array<const char *, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate today = reportClock().date();
    const auto twoDigitYear = [&today](int y) {
        // "99" is 1999 and "03" 2003: the century that puts it nearest today.
        const int century = today.year() / 100 * 100;
        int full = century + y;
        if (full > today.year() + 50)
            full -= 100;
        return full;
    };
    const QStringList words = lastUpdate.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QDate date;
    if (!words.isEmpty()) {
        const QStringList slashed = words.first().split(QLatin1Char('/'));
        int month = 0;
        for (size_t m = 0; m < months.size(); ++m)
            if (words.first().compare(QLatin1String(months[m]), Qt::CaseInsensitive) == 0)
                month = int(m) + 1;
        bool dayOk = false, yearOk = false;
        if (month && words.size() > 1) {
            const int day = words.at(1).toInt(&dayOk);
            const QString yearWord = words.value(2);
            int year = yearWord.size() == 4 || yearWord.size() == 2 ? yearWord.toInt(&yearOk) : 0;
            if (yearOk && yearWord.size() == 2)
                year = twoDigitYear(year);
            if (dayOk && yearOk) {
                date = QDate(year, month, day);
            } else if (dayOk) {
                date = QDate(today.year(), month, day);
                if (date.isValid() && date > today)
                    date = QDate(today.year() - 1, month, day);
            }
        } else if (slashed.size() == 3) {
            bool mOk = false, yOk = false;
            const int m = slashed[0].toInt(&mOk);
            const int d = slashed[1].toInt(&dayOk);
            int y = slashed[2].toInt(&yOk);
            if (yOk && slashed[2].size() <= 2)
                y = twoDigitYear(y);
            if (mOk && dayOk && yOk)
                date = QDate(y, m, d);
        }
    }
    if (!date.isValid())
        date = today;
    return date.toString(QStringLiteral("MM/dd/yy"));
}

// The volume in hundreds of shares, whole, without separators ("98,700"
// gives "987"); empty when that rounds to nothing and when the stored
// volume is no number at all ("N/A"), so the stock keeps its line.
QString volumeField(const QString &volume)
{
    // The quote pages write "98,700"; a volume in the user's notation is read too.
    bool ok = false;
    double value = QLocale::c().toDouble(volume.trimmed(), &ok);
    if (!ok)
        value = QLocale().toDouble(volume.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e17)
        return QString();
    const qint64 hundreds = std::llround(value / 100.0);
    return hundreds == 0 ? QString() : QString::number(hundreds);
}

QString price4(const QString &text)
{
    return FormatP(text, true);
}

QString price2(const QString &text)
{
    return FormatP(text, false);
}

// A field of a text format: a tab, a line break or another control
// character taken from a page would shift the columns or cut the line, so
// each becomes a blank.
QString plainField(QString field)
{
    for (QChar &c : field)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return field;
}

// The record with every field a line can hold made plain.
StockRec plainRecord(StockRec r)
{
    static constexpr QString StockRec::*fields[] = {
        &StockRec::Symbol, &StockRec::Name,    &StockRec::LastSale,      &StockRec::PctChange, &StockRec::Change,
        &StockRec::DayHigh, &StockRec::DayLow, &StockRec::Volume,        &StockRec::Ask,       &StockRec::Bid,
        &StockRec::LastTradeSize, &StockRec::PERatio, &StockRec::DivPerShare, &StockRec::Open, &StockRec::PrevClose,
        &StockRec::High52, &StockRec::Low52,   &StockRec::EPS,           &StockRec::Exchange,  &StockRec::Industry,
        &StockRec::LastUpdate};
    for (QString StockRec::*f : fields)
        r.*f = plainField(r.*f);
    return r;
}

// One stock's line in a text format, without its line end.
QString recordLine(short format, const StockRec &raw, const QString &sep)
{
    const StockRec r = plainRecord(raw);
    switch (format) {
    case CommaText:
    case Excel: {
        QStringList fields = quoteFields(r);
        for (QString &f : fields)
            f = csvField(f);
        return fields.join(sep);
    }
    case QuickenPre5:
        return QStringList{quotedField(r.Symbol), quotedField(price4(r.LastSale)), quotedField(dateField(r.LastUpdate))}
            .join(sep);
    case Quicken5:
        return QStringList{r.Symbol,           volumeField(r.Volume), price4(r.DayHigh), price4(r.DayLow),
                           price4(r.LastSale), price4(r.Change),      dateField(r.LastUpdate)}
            .join(sep);
    case MetaStock:
        return QStringList{r.Symbol,          QStringLiteral("d"), dateField(r.LastUpdate),
                           price4(r.Open),    price4(r.DayHigh),   price4(r.DayLow),
                           price4(r.LastSale), volumeField(r.Volume), QStringLiteral("0")}
            .join(sep);
    case QuoteLink:
        return r.Symbol + sep + price2(r.LastSale);
    case Prodigy:
        return QStringList{quotedField(r.Symbol), quotedField(dateField(r.LastUpdate)), quotedField(price2(r.LastSale))}
            .join(sep);
    default: // tab separated, in a file or on the clipboard
        return quoteFields(r).join(sep);
    }
}

// Element text for the XML file, which must stay well formed whatever the
// quote page wrote: markup characters as entities, and characters beyond
// plain ASCII as character references (the file is written 8-bit).
QString xmlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        default:
            // Control characters cannot stand in XML 1.0, not even as
            // references: they are left out.
            if (c.unicode() > 127)
                out += QStringLiteral("&#%1;").arg(c.unicode());
            else if (c.unicode() >= 0x20)
                out += c;
        }
    }
    return out;
}

QString xmlStock(const StockRec &r)
{
    // Element names in the order of quoteFields.
    static const std::array<const char *, 20> elements = {
        "Symbol", "Name",     "DChange", "PChange", "Volume", "TodayHigh", "TodayLow", "Bid",      "Ask",      "LTS",
        "Opens",  "PreClose", "High52",  "Low52",   "EPS",    "pe",        "DPS",      "Exchange", "industry", "LastUpdate"};
    const QStringList fields = quoteFields(r);
    const QString indent(16, QLatin1Char(' '));
    QString block = QString(8, QLatin1Char(' ')) + QStringLiteral("<Stock>") + CrLf;
    for (size_t e = 0; e < elements.size(); ++e) {
        const QString name = QLatin1String(elements[e]);
        // The industry reads "Oil  and  Gas", in double quotes.
        const QString value =
            name == QLatin1String("industry")
                ? QLatin1Char('"') + xmlText(vb::Replace(r.Industry, QStringLiteral("&"), QStringLiteral(" and "))) +
                      QLatin1Char('"')
                : xmlText(fields.at(qsizetype(e)));
        block += indent + QLatin1Char('<') + name + QLatin1Char('>') + value + QStringLiteral("</") + name +
                 QLatin1Char('>') + CrLf;
    }
    return block + QString(8, QLatin1Char(' ')) + QStringLiteral("</Stock>") + CrLf;
}

// The quote program's list also writes the empty records among the stocks
// ("        0"); it runs over every record below the set's count and on to
// the last stock, so a stock after a gap is never left out.
int quoteLinkEnd()
{
    const int count = std::clamp(int(SetCount), 0, SetSize);
    for (int i = SetSize - 1; i >= count; --i)
        if (!Sets[size_t(i)].Symbol.isEmpty())
            return i + 1;
    return count;
}

QString exportText(short format, const FileLayout &layout)
{
    const QString sep = QString::fromLatin1(layout.separator);
    const QString lineEnd = QString::fromLatin1(layout.lineEnd);
    QString text;
    if (format == QuoteLink) {
        // Today's date first, written the American way the quote program reads.
        text = reportClock().date().toString(QStringLiteral("MM/dd/yy")) + CrLf;
        const int end = quoteLinkEnd();
        for (int i = 0; i < end; ++i)
            text += recordLine(format, Sets[size_t(i)], sep) + lineEnd;
        return text;
    }
    if (format == Xml)
        text = QStringLiteral("<?xml version=\"1.0\"?>") + CrLf + QStringLiteral("<!-- Made By Brindlewick 5.01 - ") +
               siteUrl(Site::MakerSite, QStringLiteral("/")) + QStringLiteral(" -->") + CrLf +
               QStringLiteral("    <Stocks>") + CrLf;
    // Every record: a set may have free records between its stocks.
    for (const StockRec &r : Sets) {
        if (r.Symbol.isEmpty())
            continue;
        text += format == Xml ? xmlStock(r) : recordLine(format, r, sep) + lineEnd;
    }
    if (format == Xml)
        text += QStringLiteral("</Stocks>") + CrLf;
    return text;
}

} // namespace

void Reports::Export(short Format)
{
    const std::optional<FileLayout> layout = layoutOf(Format);
    if (!layout)
        return;
    if (Format == Xml)
        setScreenMousePointer(11);

    clsSaveDialog dialog;
    if (Format != Clipboard) {
        dialog.setDefaultFileName(QString::fromLatin1(layout->defaultName));
        dialog.setDefaultExtension(QString::fromLatin1(layout->defaultExtension));
        dialog.AddFilter(QString::fromLatin1(layout->filterDescription), QString::fromLatin1(layout->filterExtension));
    }

    const QString text = exportText(Format, *layout);

    if (Format == Clipboard) {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::clipboard()->setText(text);
        return;
    }

    dialog.ShowSave();
    if (dialog.FileName().isEmpty()) {
        setScreenMousePointer(0);
        return;
    }
    const QString target = dialog.PathFile();
    DoEvents();
    const bool written = saveLatin1File(target, text + CrLf);
    DoEvents();
    setScreenMousePointer(0);
    if (!written)
        MsgBox(QStringLiteral("The export could not be written to ") + QDir::toNativeSeparators(resolvePath(target)) +
                   QStringLiteral(".") + CrLf + QStringLiteral("Check that the folder can be written to and try again."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Export"));
}
