// The main window's headline ticker: what it shows, its menu and its
// clicks.
#include "mainwindow/ui/frmMain.h"

#include "core/DataDir.h"
#include "core/SharedState.h"
#include "core/Stocks.h"
#include "mainwindow/SpokenSummaries.h"
#include "mainwindow/TickerText.h"
#include "platform/Dialogs.h"
#include "platform/ScreenPointer.h"
#include "platform/Sleep.h"
#include "platform/UrlOpener.h"
#include "platform/ui/NewsTicker.h"

#include <QAction>
#include <QMenu>

void frmMain::createTickerMenu()
{
    const char *const captions[] = {"Selected Stock Headlines", "Selected Stock Prices", "-", "All Stocks Headlines",
                                    "All Stocks Price", "-", "Market Headlines", "-",
                                    "Put on air selected  stock headlines", "Put on air selected stock Prices", "-",
                                    "Put on air all news headlines", "Put on air all stocks Prices"};
    mnuTickers = new QMenu(QStringLiteral("Ticker"), this);
    for (int i = 0; i < 13; ++i) {
        const QString caption = QString::fromLatin1(captions[i]);
        QAction *a = caption == QLatin1String("-") ? mnuTickers->addSeparator() : mnuTickers->addAction(caption);
        a->setCheckable(i <= 7 && caption != QLatin1String("-"));
        connect(a, &QAction::triggered, this, [this, i] { mnuTicker_Click(i); });
        mnuTicker << a;
    }
    mnuTicker[0]->setChecked(true);
}

void frmMain::mnuTicker_Click(int Index)
{
    if (Index < 0 || Index >= mnuTicker.size())
        return;
    if (Index <= 7)
        for (int i = 0; i <= 7; ++i)
            mnuTicker[i]->setChecked(i == Index);
    switch (Index) {
    case 0:
        GetStockLine(CurSymbol);
        Ticker_Sel_Headlines(FoundIndex);
        break;
    case 1:
        GetStockLine(CurSymbol);
        Ticker_Quote(FoundIndex);
        break;
    case 3:
    case 6:
        MsgBox(QStringLiteral("This option will be available in the next coming version, stay tune!"), Msg::Information,
               QStringLiteral(" Coming Soon.."));
        mnuTicker[Index]->setChecked(false);
        mnuTicker[0]->setChecked(true);
        break;
    case 4: Ticker_Quotes(); break;
    case 8: Speak(0); break;
    case 9: Speak(1); break;
    case 11: Speak(2); break;
    case 12: Speak(3); break;
    default: break;
    }
}

void frmMain::Ticker_Sel_Headlines(short index)
{
    const QString recordName = index >= 0 && index < SetSize ? Sets[size_t(index)].Name : QString();
    const QString name = recordName.size() < 2 ? CurSymbol : recordName;
    NewsTicker1->setText(tickerHeadlines(name, ReadHeadlines(CurSymbol), &TickerLinks));
}

void frmMain::Ticker_Quote(short index)
{
    TickerLinks.clear();
    if (index >= 0 && index < SetSize)
        NewsTicker1->setText(tickerQuote(Sets[size_t(index)]));
}

void frmMain::Ticker_Quotes()
{
    TickerLinks.clear();
    NewsTicker1->setText(tickerQuotes());
}

void frmMain::NewsTicker1_ItemClick(int Index)
{
    HourglassPointer hourglass;
    const QString address = TickerLinks.value(Index - 1);
    if (Index < 1 || Index > TickerLinks.size()) {
        setPanelText(6, QStringLiteral("Click on news subjects to review the full story."));
        return;
    }
    if (address.isEmpty()) {
        setPanelText(6, QStringLiteral("Wrong web address, Try updating ugain and click for full story.."));
        return;
    }
    // Addresses from downloaded pages open only as web addresses.
    openExternalUrl(QUrl(address));
    DoEvents();
}
