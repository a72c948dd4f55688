#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "chart/ChartTool.h"

enum TMarkToolMouseAction : std::uint8_t { mtmMove, mtmClick };

class TApplication;
class TMarksTipTool;
using TMarksTipGetText = std::function<void(TMarksTipTool* tool, std::string& text)>;
using TMarksTipNotify = std::function<void(TMarksTipTool* tool)>;

// Shows the mark text of the point under the mouse as the chart's tooltip, through the
// application's hint service: the text goes into the chart's Hint.
class TMarksTipTool : public TChartCustomToolSeries {
  public:
    explicit TMarksTipTool(TComponent* owner = nullptr) : TChartCustomToolSeries(owner) {}

    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle style) { style_ = style; }
    TMarkToolMouseAction MouseAction() const { return mouseAction_; }
    void SetMouseAction(TMarkToolMouseAction action);
    // The hint pause and hide pause of the chart's application: shared by all its controls.
    int MouseDelay() const;
    void SetMouseDelay(int ms);
    int HideDelay() const;
    void SetHideDelay(int ms);

    void CancelTip();

    TMarksTipGetText OnGetText;
    TMarksTipNotify OnCancelHint;

    void ChartMouseEvent(TChartMouseEvent kind, TMouseButton button, TShiftState shift, int x,
                         int y) override;

  protected:
    void ActiveChanged() override;

  private:
    TApplication* App() const;

    TSeriesMarksStyle style_ = smsLabel;
    TMarkToolMouseAction mouseAction_ = mtmMove;
};
