#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The point labels of a series, packed: one buffer of all the texts and the end of each. A
// long log has a label for every bar, and a string object apiece would cost three times the
// text itself.
class TChartLabelList {
  public:
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t from = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(from, ends_[i] - from);
    }

    void Reserve(std::size_t count, std::size_t bytes);
    // Empty labels up to count, or the first count labels.
    void Resize(std::size_t count);
    void Insert(std::size_t i, std::string_view label);
    void Erase(std::size_t i);
    void Set(std::size_t i, std::string_view label);
    void Clear();
    // Label i becomes what label order[i] was.
    void Permute(const std::vector<int>& order);

  private:
    std::string text_;
    std::vector<std::size_t> ends_;
};
