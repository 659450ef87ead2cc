#pragma once

#include "core/MainWindow.h"
#include "platform/FlexGrid.h"

#include <QStringList>

// A main window that only records which of its operations were called, in
// order ("LoadPrices", "mnuSet_Click(3)"). Installed as the main window for
// its lifetime.
class RecordingMainWindow : public MainWindow
{
public:
    RecordingMainWindow();
    ~RecordingMainWindow() override;

    QStringList calls;

#define BW_RECORD(name) \
    void name() override { calls << QStringLiteral(#name); }
#define BW_RECORD_ARG(name, type) \
    void name(type a) override { calls << QStringLiteral(#name "(%1)").arg(a); }

    BW_RECORD(FG_Coverage)
    BW_RECORD(FG_ABS)
    BW_RECORD(LoadData)
    BW_RECORD_ARG(mnuSet_Click, short)
    BW_RECORD_ARG(Panel7, short)
    BW_RECORD(UpdateSurp)
    BW_RECORD(UpdateUpDown)
    BW_RECORD(UpdateWinners)
    BW_RECORD(FG_AIS)
    BW_RECORD(LoadPrices)
    BW_RECORD(UpdateRec)
    BW_RECORD(UpdateIT)
    BW_RECORD(UpdateQR)
    BW_RECORD(UpdateOptions)
    BW_RECORD(ShowRec)
    BW_RECORD_ARG(Ticker_Sel_Headlines, short)
    BW_RECORD(Ticker_Market_News)
    BW_RECORD(initTree)
    BW_RECORD(FixLayOut)
    BW_RECORD(LoadSets)
    BW_RECORD(FG_Portfolio_All)
    BW_RECORD(FG_PortfolioLog)
    BW_RECORD(Parse_US)
    BW_RECORD(FG_EC)
    BW_RECORD(Zoom_FG)
    BW_RECORD(FG_IPO_Price)
    BW_RECORD(FG_IPO_Gain)
    BW_RECORD(FG_IPO_Loss)
    BW_RECORD(Update_IPO_Price)
    void Pares_BR(const QString &FileName, const QString &Caption) override
    {
        calls << QStringLiteral("Pares_BR(%1,%2)").arg(FileName, Caption);
    }
    BW_RECORD(FG_IPO_Last)
    BW_RECORD(FG_IPO_News)
    BW_RECORD(FG_IPO_With)
    BW_RECORD(FG_WMarket)
    BW_RECORD(UpdateAdvise)
    BW_RECORD(SendErrorLog)
    BW_RECORD_ARG(Speak, short)
    BW_RECORD(Update_OptSum)
    BW_RECORD(WinsockWait)
    BW_RECORD_ARG(checkConsultationItem, short)

    // The window's grid; reaching it is not recorded as a call.
    FlexGrid grid;
    FlexGrid *mainGrid() override { return &grid; }

    // The caption and the eight status panels, kept as last set.
    QString windowCaption;
    QStringList panels = QStringList(8, QString());
    QString caption() const override { return windowCaption; }
    void setCaption(const QString &text) override { windowCaption = text; }
    void setPanelText(int index, const QString &text) override
    {
        if (index >= 0 && index < panels.size())
            panels[index] = text;
    }
    void endBatchRun() override { calls << QStringLiteral("endBatchRun"); }

    BW_RECORD(FG_Current)
    BW_RECORD_ARG(selectStockNode, const QString &)

#undef BW_RECORD
#undef BW_RECORD_ARG

private:
    MainWindow *m_previous = nullptr;
};
