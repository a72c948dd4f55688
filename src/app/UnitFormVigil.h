#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/UsageMap.h"
#include "chart/BarSeries.h"
#include "chart/CustomChart.h"
#include "chart/MarksTipTool.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "history/SessionHistory.h"
#include "history/SessionRecord.h"
#include "widgets/WsClockStatus.h"
#include "widgets/WsListView.h"
#include "widgets/WsPageControl.h"
#include "widgets/WsSpacer.h"
#include "widgets/WsStatusBar.h"
#include "widgets/WsStatusPane.h"
#include "widgets/WsTabSheet.h"
#include "widgets/WsToolButton.h"
#include "widgets/WsToolbar.h"

// The main window: tool bar, the three pages, the uptime label and the status bar. Closing it
// ends the program.
class TFormVigil : public TForm {
  public:
    explicit TFormVigil(TComponent* owner);
    ~TFormVigil() override;

    TWsToolbar* WsToolbar1;
    TWsToolButton* TBRefresh;
    TWsSpacer* WsSpacer1;
    TWsToolButton* TBHelp;
    TWsToolButton* TBAbout;
    TWsSpacer* WsSpacer2;
    TWsToolButton* TBUpdate;
    TWsToolButton* TBHomePage;
    TWsSpacer* WsSpacer3;
    TWsToolButton* TBExit;
    TLabel* LabVer;
    TWsPageControl* WsPageControl1;
    TWsTabSheet* TabSheet1;
    TPanel* Panel1;
    TImage* Image1;
    TLabel* Label1;
    TLabel* LabTime;
    TLabel* LabTimeText;
    // The session rows: fill with Items().Add(caption, {sub-items}, state image) between
    // Items().BeginUpdate() and EndUpdate(), after Items().Clear().
    TWsListView* WsLWMsg;
    // The chart page: a header and the running-time chart.
    TWsTabSheet* TabSheet2;
    TPanel* Panel2;
    TImage* Image2;
    TLabel* Label2;
    TChart* Chart1;
    TBarSeries* Series1;
    TMarksTipTool* ChartTool1;
    // The statistics page: the period's figures as name and value labels in two columns, and
    // the map of the hours of use below its title.
    TWsTabSheet* TabSheet3;
    TLabel* StatNames[8];
    TLabel* StatValues[8];
    TLabel* LabMap;
    TUsageMap* UsageMap1;
    TWsStatusBar* WsStatusBar1;
    TWsClockStatus* WsClockStatus1;
    TWsStatusPane* WsStatusPane1;
    TWsStatusPane* WsStatusPane2;
    TWsStatusPane* WsStatusPane3;
    TWsStatusPane* WsStatusPane4;
    TImageList* ImageList1;
    TTimer* Timer1;
    // Row state images: 0 a green bar (normal session), 1 an orange bar (abnormal).
    TImageList* ImageList2;

    // Milliseconds since the machine started; the boot clock unless replaced (tests do).
    std::function<std::uint64_t()> UptimeClock;

    void Timer1Timer(TObject* sender);
    // One bar per session with a boot time, oldest on the left, its height the running time
    // in hours. Runs on every refresh, after the rows were built.
    void FillChart(const SessionTable& table);
    // The figures and the map of the statistics page, from the history's last refresh.
    void FillStats(const TSessionHistory& history);
    // The web addresses of the maker's home page and of this program's page there.
    std::string HomePageAddress;
    std::string UpdatePageAddress;

    void FormCreate(TObject* sender);
    // The refresh: scan the log, fill the list, the chart and the status panes.
    void TBRefreshClick(TObject* sender);
    void TBHelpClick(TObject* sender);
    // Shows the about box over this window until it is closed.
    void TBAboutClick(TObject* sender);
    void TBUpdateClick(TObject* sender);
    void TBHomePageClick(TObject* sender);
    void TBExitClick(TObject* sender);
    // Whether the last refresh found no user, so that the user column is hidden.
    bool UserColumnHidden() const { return userColumnHidden_; }

  private:
    void BuildToolbar();
    void BuildPages();
    void BuildChartPage(TWinControl& page);
    void BuildStatsPage(TWinControl& page);
    void BuildLogList();
    void BuildStatusBar();
    void BindCommands();
    void FillList(const TSessionHistory& history);
    // The texts of a list row, made from its session when the list reads them.
    void ListRowTexts(const TListItem& item, std::vector<std::string>& texts) const;
    void ShowUserColumn(bool anyUser);

    std::unique_ptr<TSessionHistory> history_;
    bool userColumnHidden_ = false;
    TWsTabSheet* AddPage(const char* name, const char* caption);
};

extern TFormVigil* FormVigil;

// Where the main window reads the power-on history from, set before the window is made; the
// live log when empty.
extern std::function<std::unique_ptr<TSessionHistory>()> FormVigilHistorySource;
