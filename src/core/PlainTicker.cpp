#include "core/PlainTicker.h"

bool isPlainTicker(const QString &symbol)
{
    if (symbol.isEmpty() || symbol.contains(QLatin1String("..")))
        return false;
    for (const QChar c : symbol) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '.' ||
                        u == '-' || u == '^';
        if (!ok)
            return false;
    }
    return true;
}
