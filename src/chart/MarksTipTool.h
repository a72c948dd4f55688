#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "chart/ChartTool.h"

enum TMarkToolMouseAction : std::uint8_t { mtmMove, mtmClick };

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
    // The application's hint pause and hide pause: shared by every control.
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
    TSeriesMarksStyle style_ = smsLabel;
    TMarkToolMouseAction mouseAction_ = mtmMove;
};
