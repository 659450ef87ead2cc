// Times the insider-trades sheet filled from a cached page of about 100 KB
// and of about 200 KB into a grid model (no widget), as the main window's
// sheets are drawn; prints min and median, also per 100 KB of page. Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "core/SharedState.h"
#include "core/Stocks.h"
#include "platform/Heap.h"
#include "sheets/symbol/InsiderTrades.h"
#include "support/CachePages.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

// A page of trades rows of about `bytes` bytes.
QByteArray insiderPage(qsizetype bytes)
{
    QByteArray page = "<html><head><title>IBM: Insider Trades</title></head><body>\n"
                      "<table><tr><td>nav</td></tr></table>\n<table><tr><td>quote</td></tr></table>\n"
                      "<table><tr><td><b>Insider Trades</b></td></tr></table>\n"
                      "<table border=0 cellpadding=2 cellspacing=1 width=\"100%\">\n"
                      "<tr bgcolor=\"#dcdcdc\"><th>Date</th><th>Insider</th><th>Transaction</th><th>Shares</th>"
                      "<th>Type</th><th>Price</th><th>Value</th></tr>\n";
    for (int i = 0; page.size() < bytes - 60; ++i)
        page += QStringLiteral("<tr>\n\t<td>%1-Jan-00</td>\n\t<td><a href=\"t/i/ibm/insider%2.html\">INSIDER NUMBER %2</a></td>\n"
                               "\t<td>Sale</td><td>%3</td><td>Direct</td><td>$%4.25</td><td>$%5</td>\n</tr>\n")
                    .arg(i % 28 + 1)
                    .arg(i)
                    .arg(1000 + i * 10)
                    .arg(100 + i % 20)
                    .arg((1000 + i * 10) * (100 + i % 20))
                    .toLatin1();
    return page + "</table>\n<table><tr><td>footer</td></tr></table>\n</body>\n</html>\n";
}

QString ms(double v)
{
    return QString::number(v, 'f', 2);
}

} // namespace

int main(int argc, char **argv)
{
    keepMemoryForReuse(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    TempProfile profile;
    RecordingMainWindow window;
    window.grid.setWidth(12000);
    Sets[0].Symbol = QStringLiteral("IBM");
    Sets[0].Name = QStringLiteral("International Business Machines");
    SetCount = 1;
    CurSymbol = QStringLiteral("IBM");
    QTextStream out(stdout);
    for (const qsizetype size : {100 * 1024, 200 * 1024}) {
        const QByteArray page = insiderPage(size);
        writeCachePage(QStringLiteral("IBM_it.Sh"), page);
        constexpr int Runs = 50;
        std::vector<double> fills;
        for (int i = 0; i < Runs; ++i) {
            QElapsedTimer t;
            t.start();
            FG_IT();
            fills.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::sort(fills.begin(), fills.end());
        const double per100k = 100.0 * 1024 / double(page.size());
        out << "sheet_fill: FG_IT from a cached page of " << page.size() << " bytes, " << Runs << " runs, grid "
            << window.grid.Rows() << " x " << window.grid.Cols() << "\n";
        out << "  read, cut, walk and format: min " << ms(fills.front()) << " ms, median " << ms(fills[Runs / 2])
            << " ms; per 100 KB: min " << ms(fills.front() * per100k) << " ms, median "
            << ms(fills[Runs / 2] * per100k) << " ms\n";
    }
    return 0;
}
