#include "chart/ChartValueList.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "base/StoreChanged.h"

TChartValueList::TChartValueList(TValueListOwner* owner, std::string name)
    : owner_(owner), name_(std::move(name)) {}

TChartValueList::~TChartValueList() = default;

void TChartValueList::SetDateTime(bool dateTime) {
    if (StoreChanged(dateTime_, dateTime) && owner_) owner_->ValueListSettingChanged();
}

void TChartValueList::AssignSettings(const TChartValueList& other) {
    order_ = other.order_;
    dateTime_ = other.dateTime_;
    valueSource_ = other.valueSource_;
}

// Capacity grows in whole steps of GrowthStep, but by at least half of what is held, so that
// filling a long series point by point costs a constant number of copies per value: growing
// by one fixed step would copy the whole array every thousand points.
void TChartValueList::Grow() {
    if (capacity_ == INT32_MAX) throw std::bad_alloc();
    const long long extra = std::max<long long>(GrowthStep, capacity_ / 2);
    Reserve(static_cast<int>(std::min<long long>(capacity_ + extra, INT32_MAX)));
}

void TChartValueList::Reserve(int count) {
    long long capacity = (static_cast<long long>(count) + GrowthStep - 1) / GrowthStep * GrowthStep;
    if (capacity > INT32_MAX) capacity = INT32_MAX;
    if (capacity <= capacity_) return;
    void* p = std::realloc(values_.get(), sizeof(double) * static_cast<std::size_t>(capacity));
    if (!p) throw std::bad_alloc();
    (void)values_.release();
    values_.reset(static_cast<double*>(p));
    capacity_ = static_cast<int>(capacity);
}

int TChartValueList::InsertOrdered() {
    const double v = staged_;
    int at = count_;
    if (count_ > 0) {
        if (order_ == loAscending && !(v >= Last())) {
            int a = count_ - 1;
            while (a >= 0 && values_[a] > v) --a;
            at = a + 1;
        } else if (order_ == loDescending && !(v <= Last())) {
            int a = count_ - 1;
            while (a >= 0 && values_[a] < v) --a;
            at = a + 1;
        }
    }
    InsertAt(at, v);
    return at;
}

void TChartValueList::InsertAt(int i, double value) {
    if (count_ == capacity_) Grow();
    if (i < count_)
        std::memmove(&values_[i + 1], &values_[i],
                     sizeof(double) * static_cast<std::size_t>(count_ - i));
    values_[i] = value;
    ++count_;
    statsStale_ = true;
}

void TChartValueList::DeleteAt(int i) {
    std::memmove(&values_[i], &values_[i + 1],
                 sizeof(double) * static_cast<std::size_t>(count_ - i - 1));
    --count_;
    statsStale_ = true;
}

void TChartValueList::EmptyList() {
    values_.reset();
    count_ = capacity_ = 0;
    statsStale_ = true;
}

void TChartValueList::FillSequence() {
    for (int i = 0; i < count_; ++i) values_[i] = i;
    statsStale_ = true;
    if (owner_) owner_->ValueListModified();
}

void TChartValueList::SortByOrder() {
    if (order_ == loNone || !owner_) return;
    owner_->SortColumnsBy(*this);
}

void TChartValueList::Recalc() {
    const int n = std::min(count_, capacity_);
    if (n == 0) {
        minimum_ = maximum_ = total_ = totalAbs_ = 0;
    } else {
        minimum_ = maximum_ = total_ = values_[0];
        totalAbs_ = std::fabs(values_[0]);
        for (int i = 1; i < n; ++i) {
            const double v = values_[i];
            if (v < minimum_)
                minimum_ = v;
            else if (v > maximum_)
                maximum_ = v;
            total_ += v;
            totalAbs_ += std::fabs(v);
        }
    }
    statsStale_ = false;
}

double TChartValueList::MinimumValue() {
    if (statsStale_) Recalc();
    return minimum_;
}

double TChartValueList::MaximumValue() {
    if (statsStale_) Recalc();
    return maximum_;
}

double TChartValueList::TotalValue() {
    if (statsStale_) Recalc();
    return total_;
}

double TChartValueList::TotalAbsValue() {
    if (statsStale_) Recalc();
    return totalAbs_;
}
