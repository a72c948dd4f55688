#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartLabelList.h"
#include "chart/ChartTypes.h"
#include "chart/ChartValueList.h"
#include "framework/Component.h"
#include "graphics/Canvas.h"

class TCustomChart;
class TChartAxis;
class TChartSeries;

// What a series tells the series that take their data from it.
enum class TSeriesChange : std::uint8_t { scClear, scAdd, scDelete, scModify, scRefresh };

// Something that belongs to a chart and can be switched off: series and tools.
class TCustomChartElement : public TComponent {
  public:
    explicit TCustomChartElement(TComponent* owner = nullptr) : TComponent(owner) {}

    bool Active() const { return active_; }
    void SetActive(bool active);
    TCustomChart* ParentChart() const { return chart_; }
    // Marks the chart's picture stale and asks for a paint (nothing without a chart).
    void RequestRepaint() const;

  protected:
    virtual void ActiveChanged() { RequestRepaint(); }

  private:
    friend class TCustomChart;
    TCustomChart* chart_ = nullptr;
    bool active_ = true;
};

// The marks of a series: here only what the mark texts depend on.
class TSeriesMarks {
  public:
    explicit TSeriesMarks(TChartSeries& series) : series_(series) {}

    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle style);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A text of its own for one point, which MarkText returns instead of the computed one.
    const std::string& PointText(int i) const;
    void SetPointText(int i, const std::string& text);

  private:
    friend class TChartSeries;
    TChartSeries& series_;
    TSeriesMarksStyle style_ = smsLabel;
    bool multiLine_ = false;
    bool visible_ = true;
    std::vector<std::string> texts_;
};

using TSeriesNotifyEvent = std::function<void(TChartSeries* series)>;
using TSeriesPointEvent = std::function<void(TChartSeries* series, int index)>;
using TSeriesBeforeAddEvent = std::function<bool(TChartSeries* series)>;
using TSeriesMarkTextEvent =
    std::function<void(TChartSeries* series, int index, std::string& text)>;

// A series: parallel per-point columns (X and Y values, optional labels and colours), the
// rules by which points are inserted, and what the axes and tools read from it.
class TChartSeries : public TCustomChartElement, public TValueListOwner {
  public:
    explicit TChartSeries(TComponent* owner = nullptr);
    ~TChartSeries() override;

    TChartValueList& XValues() { return *xValues_; }
    TChartValueList& YValues() { return *yValues_; }
    const TChartValueList& XValues() const { return *xValues_; }
    const TChartValueList& YValues() const { return *yValues_; }
    // Every value list, XValues first.
    const std::vector<TChartValueList*>& ValueLists() const { return lists_; }
    bool YIsMandatory() const { return yIsMandatory_; }
    TChartValueList& MandatoryList() { return yIsMandatory_ ? *yValues_ : *xValues_; }

    // Adds a point at the next index along the other list; returns its index or -1 when
    // OnBeforeAdd refused it.
    int AddPoint(double value, const std::string& label = "", TColor color = clDefault);
    virtual int AddPointXY(double x, double y, const std::string& label = "",
                           TColor color = clDefault);
    virtual void ClearPoints();
    virtual void DeletePoint(int i);
    int PointCount() const { return xValues_->Count(); }
    // Room for count points with labels of about labelBytes each, so that a long fill does
    // not hold each column twice while it moves to a larger block.
    void ReservePoints(int count, int labelBytes = 0);

    double XValueAt(int i) const { return xValues_->ValueAt(i); }
    double YValueAt(int i) const { return yValues_->ValueAt(i); }
    double MarkValue(int i) const { return yIsMandatory_ ? YValueAt(i) : XValueAt(i); }
    std::string PointLabel(int i) const;
    void SetPointLabel(int i, const std::string& label);
    virtual TColor PointColor(int i) const;
    bool HasColorList() const { return colorsPresent_; }
    bool HasLabels() const { return !labels_.empty(); }

    virtual double XMinimum() { return xValues_->MinimumValue(); }
    virtual double XMaximum() { return xValues_->MaximumValue(); }
    virtual double YMinimum() { return yValues_->MinimumValue(); }
    virtual double YMaximum() { return yValues_->MaximumValue(); }

    std::string MarkText(int i);
    TSeriesMarks& Marks() { return marks_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    bool ColorEachPoint() const { return colorEachPoint_; }
    virtual void SetColorEachPoint(bool value);
    // The working colour: the chart's pick while the stored one is clDefault.
    TColor SeriesColor() const { return workingColor_; }
    virtual void SetSeriesColor(TColor color);
    const std::string& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const std::string& format);
    const std::string& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const std::string& format);

    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis axis);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis axis);
    // The axes the series draws against (null without a chart).
    TChartAxis* GetHorizAxis() const;
    TChartAxis* GetVertAxis() const;
    // Whether the series is laid against this axis on its side.
    bool AssociatedToAxis(const TChartAxis& axis) const;
    virtual bool UsesAxes() const { return true; }

    int FirstShownIndex() const { return firstShown_; }
    int LastShownIndex() const { return lastShown_; }

    int UpdateDepth() const { return updateDepth_; }
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();

    // Drawing and hit testing, called by the chart in its draw sequence.
    virtual void HorizontalMargins(int& left, int& right) { left = right = 0; }
    virtual void VerticalMargins(int& top, int& bottom) { top = bottom = 0; }
    virtual void PrepareForDraw() {}
    virtual void ComputeShownRange();
    virtual void DrawAllPoints(TCanvas& canvas);
    virtual void DrawPoint(TCanvas&, int) {}
    virtual int XPosition(int i) const;
    virtual int YPosition(int i) const;
    // The point under a client pixel, or -1.
    virtual int HitTestPoint(int, int) const { return -1; }
    virtual bool DrawsForward() const { return true; }

    void NotifyLinked(TSeriesChange change, int index);

    TSeriesBeforeAddEvent OnBeforeAdd;
    TSeriesPointEvent OnAfterAdd;
    TSeriesNotifyEvent OnClearValues;
    TSeriesMarkTextEvent OnGetMarkText;
    // Series taking their data from this one receive its changes here.
    std::function<void(TSeriesChange change, int index)> OnDataChange;

  protected:
    // The series was just put on a chart.
    virtual void AddedToChart() {}
    virtual void PointAdded(int index);
    virtual void ClearLists();
    // Stored colour value, clDefault while the chart picks one.
    TColor StoredColor() const { return storedColor_; }
    void SetFirstShown(int first, int last) {
        firstShown_ = first;
        lastShown_ = last;
    }

  private:
    friend class TCustomChart;
    void SetWorkingColor(TColor c) { workingColor_ = c; }
    void ValueListSettingChanged() override { RequestRepaint(); }
    void ValueListModified() override { NotifyLinked(TSeriesChange::scModify, -1); }
    // Exchanges every column by the order of one list (SortByOrder of that list).
    void SortColumnsBy(TChartValueList& list) override;
    std::string FormatMarkValue(double v) const;

    std::unique_ptr<TChartValueList> xValues_;
    std::unique_ptr<TChartValueList> yValues_;
    std::vector<TChartValueList*> lists_;
    bool yIsMandatory_ = true;
    TChartLabelList labels_;
    std::vector<TColor> colors_;
    bool colorsPresent_ = false;
    TSeriesMarks marks_;
    std::string title_;
    bool colorEachPoint_ = false;
    TColor storedColor_ = clDefault;
    TColor workingColor_ = clDefault;
    std::string valueFormat_ = "#,##0.###";
    std::string percentFormat_ = "##0.## %";
    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    int firstShown_ = -1;
    int lastShown_ = -1;
    int updateDepth_ = 0;
};
