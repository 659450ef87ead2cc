#include "mainwindow/SpokenSummaries.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/Latin1File.h"
#include "platform/PathResolver.h"
#include "platform/Sleep.h"

#include <QStringList>

namespace {
const QString CRLF = QStringLiteral("\r\n");

QString headlineSentences(const QString &symbol)
{
    return StripTickerLinks(ReadHeadlines(symbol)).replace(QLatin1Char(';'), QStringLiteral(".") + CRLF);
}

QString quoteSentence(const StockRec &s)
{
    return CRLF + s.Name + QStringLiteral(", Last Price: ") + s.LastSale + QStringLiteral(", change: ") + s.Change
           + QStringLiteral(", ") + s.PctChange + QLatin1Char('.');
}
} // namespace

QString ReadHeadlines(const QString &symbol)
{
    const std::optional<QString> text =
        readLatin1File(resolvePath(DataDir + QStringLiteral("\\Cache\\News\\") + symbol + QStringLiteral(".txt")));
    if (!text)
        return QString();
    QString result;
    QStringList lines = text->split(CRLF);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString &line : lines) {
        if (line.size() < 2)
            return QString();
        result += line.mid(1, line.size() - 2);
    }
    return result;
}

QString StripTickerLinks(const QString &text)
{
    QString kept;
    bool inside = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('#'))
            inside = !inside;
        else if (!inside)
            kept += c;
    }
    return kept;
}

QString SpokenSummary(short mode)
{
    switch (mode) {
    case 0: return headlineSentences(CurSymbol);
    case 1: {
        const QString text = quoteSentence(Sets[size_t(FindSymbol(CurSymbol))]);
        DoEvents();
        return text;
    }
    // Every stock of the set, also those after a free record; free records
    // are not read.
    case 2: {
        QString text;
        for (const StockRec &s : Sets) {
            if (s.Symbol.isEmpty())
                continue;
            text += s.Name + QStringLiteral(" news: ") + headlineSentences(s.Symbol) + CRLF;
            DoEvents();
        }
        return text;
    }
    case 3: {
        QString text;
        for (const StockRec &s : Sets)
            if (!s.Symbol.isEmpty())
                text += quoteSentence(s);
        DoEvents();
        return text;
    }
    default: return QString();
    }
}
