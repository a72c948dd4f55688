#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include "chart/ChartTypes.h"

class TChartValueList;

// The series that owns value lists: told when a list's setting or its values change, and asked
// to reorder all its columns when one list is sorted.
class TValueListOwner {
  public:
    virtual void ValueListSettingChanged() = 0;
    virtual void ValueListModified() = 0;
    virtual void SortColumnsBy(TChartValueList& list) = 0;

  protected:
    ~TValueListOwner() = default;
};

// One column of doubles owned by a series. Values live in one contiguous array whose capacity
// is a whole number of GrowthStep elements; ordered insertion scans back from the end, so values
// that arrive in order are appended without a scan. Statistics are computed on the first read after
// a change.
class TChartValueList {
  public:
    static constexpr int GrowthStep = 1000;

    TChartValueList(TValueListOwner* owner, std::string name);
    ~TChartValueList();
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    TValueListOwner* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder order) { order_ = order; }
    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool dateTime);
    const std::string& ValueSource() const { return valueSource_; }
    void SetValueSource(const std::string& source) { valueSource_ = source; }
    // Copies Order, DateTime and ValueSource, not the values.
    void AssignSettings(const TChartValueList& other);

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    // No bounds check: 0 <= i < Count().
    double ValueAt(int i) const { return values_[i]; }
    double operator[](int i) const { return values_[i]; }
    double Last() const { return values_[count_ - 1]; }

    // The value the next InsertOrdered places.
    double StagedValue() const { return staged_; }
    void Stage(double value) { staged_ = value; }
    // Inserts the staged value where Order asks and returns its position.
    int InsertOrdered();
    void InsertAt(int i, double value);
    // Capacity for at least count values, in whole GrowthSteps.
    void Reserve(int count);
    void DeleteAt(int i);
    void EmptyList();
    // Sets value i to i for every i.
    void FillSequence();
    // Sorts every column of the owning series by this list (nothing for loNone).
    void SortByOrder();
    void SetValue(int i, double value) {
        values_[i] = value;
        statsStale_ = true;
    }

    double MinimumValue();
    double MaximumValue();
    double TotalValue();
    double TotalAbsValue();
    double ValueRange() { return MaximumValue() - MinimumValue(); }
    bool StatsStale() const { return statsStale_; }

  private:
    struct TFree {
        void operator()(double* p) const { std::free(p); }
    };
    void Grow();
    void Recalc();

    TValueListOwner* owner_;
    std::string name_;
    TChartListOrder order_ = loNone;
    bool dateTime_ = false;
    std::string valueSource_;
    std::unique_ptr<double[], TFree> values_;
    int count_ = 0;
    int capacity_ = 0;
    double staged_ = 0;
    bool statsStale_ = true;
    double minimum_ = 0;
    double maximum_ = 0;
    double total_ = 0;
    double totalAbs_ = 0;
};
