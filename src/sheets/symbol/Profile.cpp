#include "sheets/symbol/Profile.h"

#include "core/DataDir.h"
#include "core/GridMessage.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "core/TextHelpers.h"
#include "core/VbString.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"
#include "retrieval/transport/RunState.h"
#include "sheets/DataSheet.h"
#include "sheets/SheetFetch.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

namespace {

QString profilePath(const QString &symbol)
{
    return DataDir + QStringLiteral("\\Cache\\DataSheet\\") + symbol + QStringLiteral("_P.Sh");
}

// From the first "hr" up to the next "<hr".
QString description(const QString &page)
{
    return cutFrom(page, QStringLiteral("hr"), QStringLiteral("<hr"));
}

// The page's source lines run on with a blank between them, as the
// words they end are apart.
QString sourceLinesJoined(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

struct CachedText
{
    QDateTime modified;
    qint64 size = -1;
    QString text;
};

} // namespace

void Update_Profile()
{
    const auto fetch = [](const QString &symbol) {
        if (symbol.size() < 2)
            return;
        // One stock's failed fetch does not end the walk.
        FetchSheetPage(symbol + QStringLiteral("_P.Sh"),
                       siteUrl(Site::CompanyProfile,
                               QStringLiteral("/cgi-bin/brand_newsalert_mlist.cgi?symbol=") + symbol.toUpper()),
                       QStringLiteral("Updating ") + symbol + QStringLiteral(" Profile"), 2500);
        DoEvents();
        DoEvents();
    };
    if (UpdateSelectedOnly) {
        if (!StopFlag)
            fetch(CurSymbol);
        return;
    }
    // Every record holding a stock: one may stand after free records.
    for (int i = 0; i < SetSize && !StopFlag; ++i)
        if (!Sets[size_t(i)].Symbol.isEmpty())
            fetch(Sets[size_t(i)].Symbol);
}

void FG_Profile()
{
    SheetSpec s;
    s.key = QStringLiteral("Profile");
    s.cachePath = profilePath(CurSymbol);
    s.noDataText = QStringLiteral("Brindlewick do not have additional information for ") + GetDisplayName();
    s.hourglass = true;
    s.cut = [](const QString &page) {
        QString text = description(page);
        text.remove(QChar(8));
        text.remove(QLatin1Char('\t'));
        return sourceLinesJoined(text).replace(QStringLiteral(". "), QStringLiteral("\r\n"));
    };
    s.rows = 2;
    s.cols = 3;
    s.walk = [](FlexGrid &grid, const SheetSpec &, const QString &cut) {
        grid.setGridLines(0);
        QString html = cut;
        const QString text = vb::Trim(HtmlText(html, false, true, false));
        if (!text.isEmpty())
            grid.setTextMatrix(1, 1, text);
        grid.setRowHeight(0, BaseRowHeight);
        grid.setRowHeight(1, 7 * BaseRowHeight);
        grid.setColAlignment(0, 0);
        for (int row : {0, 1})
            for (int col = 0; col < 3; ++col) {
                grid.setRow(row);
                grid.setCol(col);
                grid.setCellBackColor(0xFFFFFF);
            }
        grid.setRow(0);
        grid.setCol(1);
        grid.setCellFontBold(true);
        grid.setCellTextStyle(3);
        grid.setCellFontUnderline(false);
        grid.setCellAlignment(4);
        grid.setCellFontWidth(4);
        grid.setRow(1);
        grid.setCellBackColor(0xFFFFFF);
        grid.setCellForeColor(0x404040);
        grid.setCellAlignment(1);
    };
    s.widths = {1, 97, 1};
    s.headers = {"", GetDisplayName() + QStringLiteral(" (") + CurSymbol + QStringLiteral(") Profile")};
    s.onBadPage = SheetFailure::NoData;
    s.onOtherError = SheetFailure::EmptyCell;
    FillSheet(s);
}

QString GetProfileText()
{
    if (CurSymbol.isEmpty())
        return QString();
    // Read again only when the stock's file has changed.
    static QHash<QString, CachedText> cache;
    const QFileInfo info(resolvePath(profilePath(CurSymbol)));
    if (!info.exists())
        return QString();
    CachedText &entry = cache[CurSymbol];
    if (entry.size == info.size() && entry.modified == info.lastModified())
        return entry.text;
    entry.modified = info.lastModified();
    entry.size = info.size();
    entry.text.clear();
    try {
        QString text = sourceLinesJoined(description(readLatin1File(info.filePath()).value_or(QString())));
        entry.text = vb::Trim(HtmlText(text, false, true, false));
    } catch (const vb::Error &) {
    }
    return entry.text;
}
