#include "chart/ChartLabelList.h"

#include <utility>

void TChartLabelList::Reserve(std::size_t count, std::size_t bytes) {
    ends_.reserve(count);
    text_.reserve(bytes);
}

void TChartLabelList::Resize(std::size_t count) {
    if (count < ends_.size()) {
        text_.resize(count == 0 ? 0 : ends_[count - 1]);
        ends_.resize(count);
    } else {
        ends_.resize(count, text_.size());
    }
}

void TChartLabelList::Insert(std::size_t i, std::string_view label) {
    const std::size_t at = i == 0 ? 0 : ends_[i - 1];
    text_.insert(at, label);
    ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(i), at + label.size());
    for (std::size_t k = i + 1; k < ends_.size(); ++k) ends_[k] += label.size();
}

void TChartLabelList::Erase(std::size_t i) {
    const std::size_t from = i == 0 ? 0 : ends_[i - 1];
    const std::size_t length = ends_[i] - from;
    text_.erase(from, length);
    ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t k = i; k < ends_.size(); ++k) ends_[k] -= length;
}

void TChartLabelList::Set(std::size_t i, std::string_view label) {
    const std::size_t from = i == 0 ? 0 : ends_[i - 1];
    const std::size_t length = ends_[i] - from;
    text_.replace(from, length, label);
    // Unsigned arithmetic wraps and unwraps: the ends move by the difference either way.
    const std::size_t shift = label.size() - length;
    for (std::size_t k = i; k < ends_.size(); ++k) ends_[k] += shift;
}

void TChartLabelList::Clear() {
    text_ = std::string();
    ends_ = std::vector<std::size_t>();
}

void TChartLabelList::Permute(const std::vector<int>& order) {
    TChartLabelList sorted;
    sorted.Reserve(order.size(), text_.size());
    for (int from : order) {
        const std::string_view label = (*this)[static_cast<std::size_t>(from)];
        sorted.text_.append(label);
        sorted.ends_.push_back(sorted.text_.size());
    }
    *this = std::move(sorted);
}
