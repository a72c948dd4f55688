#include "chart/MarksTipTool.h"

#include "chart/CustomChart.h"
#include "framework/Application.h"

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction action) {
    mouseAction_ = action;
    CancelTip();
}

TApplication* TMarksTipTool::App() const {
    const TCustomChart* chart = ParentChart();
    return TApplication::Of(chart ? static_cast<const TComponent*>(chart) : this);
}

int TMarksTipTool::MouseDelay() const {
    const TApplication* app = App();
    return app ? app->HintPause() : 500;
}

void TMarksTipTool::SetMouseDelay(int ms) {
    if (TApplication* app = App()) app->SetHintPause(ms);
}

int TMarksTipTool::HideDelay() const {
    const TApplication* app = App();
    return app ? app->HintHidePause() : 2500;
}

void TMarksTipTool::SetHideDelay(int ms) {
    if (TApplication* app = App()) app->SetHintHidePause(ms);
}

void TMarksTipTool::ActiveChanged() {
    CancelTip();
}

void TMarksTipTool::CancelTip() {
    TCustomChart* chart = Series() ? Series()->ParentChart() : ParentChart();
    if (!chart) return;
    if (OnCancelHint) OnCancelHint(this);
    const std::string old = chart->Hint();
    chart->SetHint("");
    if (TApplication* app = chart->Application(); app && !old.empty()) app->CancelHint();
}

void TMarksTipTool::ChartMouseEvent(TChartMouseEvent kind, TMouseButton, TShiftState, int x,
                                    int y) {
    if (!((mouseAction_ == mtmMove && kind == cmeMove) ||
          (mouseAction_ == mtmClick && kind == cmeDown)))
        return;
    TCustomChart* chart = ParentChart();
    if (!chart) return;
    TChartSeries* found = nullptr;
    int index = -1;
    if (Series()) {
        index = Series()->HitTestPoint(x, y);
        if (index >= 0) found = Series();
    } else {
        for (int i = chart->SeriesCount() - 1; i >= 0 && !found; --i) {
            TChartSeries& s = chart->Series(i);
            if (!s.Active()) continue;
            index = s.HitTestPoint(x, y);
            if (index >= 0) found = &s;
        }
    }
    if (!found) {
        // With several tip tools the one that found a point keeps its tip.
        int tips = 0;
        for (int i = 0; i < chart->ToolCount(); ++i)
            if (dynamic_cast<TMarksTipTool*>(&chart->Tools(i))) ++tips;
        if (tips <= 1) CancelTip();
        return;
    }
    std::string text;
    {
        // The text is built with the tool's style; neither the change nor its undoing may
        // repaint the chart.
        TCustomChart* owner = found->ParentChart() ? found->ParentChart() : chart;
        const TSeriesMarksStyle oldStyle = found->Marks().Style();
        const bool oldRepaint = owner->AutoRepaint();
        owner->SetAutoRepaint(false);
        struct TRestore {
            TChartSeries& s;
            TCustomChart& c;
            TSeriesMarksStyle style;
            bool repaint;
            ~TRestore() {
                s.Marks().SetStyle(style);
                c.SetAutoRepaint(repaint);
            }
        } restore{*found, *owner, oldStyle, oldRepaint};
        found->Marks().SetStyle(style_);
        text = found->MarkText(index);
    }
    if (OnGetText) OnGetText(this, text);
    if (text == chart->Hint()) return;
    TApplication* app = chart->Application();
    if (app) app->CancelHint();
    chart->SetShowHint(true);
    chart->SetHint(text);
    if (app) app->ActivateHint(chart->ClientToScreen({x, y}));
}
