#pragma once

#include <cstdint>
#include <functional>

#include "chart/BarSeries.h"
#include "chart/CustomChart.h"
#include "chart/MarksTipTool.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "history/SessionRecord.h"
#include "widgets/WsListView.h"
#include "widgets/WsPageControl.h"
#include "widgets/WsTabSheet.h"

// The main window: tool bar, the two pages, the uptime label and the status bar. Closing it
// ends the program. The tool bar and the status bar stand here as plain panels at their
// places until their widgets replace them.
class TFormVigil : public TForm {
  public:
    explicit TFormVigil(TComponent* owner);
    ~TFormVigil() override;

    TPanel* WsToolbar1;
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
    TPanel* WsStatusBar1;
    TTimer* Timer1;
    // Row state images: 0 a green bar (normal session), 1 an orange bar (abnormal).
    TImageList* ImageList2;

    // Milliseconds since the machine started; the boot clock unless replaced (tests do).
    std::function<std::uint64_t()> UptimeClock;

    void Timer1Timer(TObject* sender);
    // One bar per session with a boot time, oldest on the left, its height the running time
    // in hours. Runs on every refresh, after the rows were built.
    void FillChart(const SessionTable& table);

  private:
    void BuildPages();
    void BuildChartPage(TWinControl& page);
    void BuildLogList();
    TWsTabSheet* AddPage(const char* name, const char* caption);
};

extern TFormVigil* FormVigil;
