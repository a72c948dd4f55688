#include "framework/ListItems.h"

#include <algorithm>
#include <limits>

#include "base/StoreChanged.h"

namespace {

// The texts are NUL-separated, so a text ends at its first NUL.
std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Where text number index starts in the joined string, and how long it is.
std::pair<std::size_t, std::size_t> Locate(const std::string& joined, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) start = joined.find('\0', start) + 1;
    return {start, joined.find('\0', start) - start};
}

}  // namespace

std::string_view TListItem::Text(int column) const {
    if (column < 0 || column >= count_) return {};
    auto [start, length] = Locate(texts_, column);
    return std::string_view(texts_).substr(start, length);
}

void TListItem::SetText(int column, std::string_view text) {
    constexpr int kMaxTexts = std::numeric_limits<std::uint16_t>::max();
    if (column < 0 || column >= kMaxTexts) return;
    text = CutAtNul(text);
    if (column < count_ && Text(column) == text) return;
    while (count_ <= column) {
        texts_.push_back('\0');
        ++count_;
    }
    auto [start, length] = Locate(texts_, column);
    texts_.replace(start, length, text);
    Changed();
}

void TListItem::SetSubItem(int index, std::string_view text) {
    if (index >= 0) SetText(index + 1, text);
}

void TListItem::ClearSubItems() {
    if (count_ == 1) return;
    texts_.resize(texts_.find('\0') + 1);
    count_ = 1;
    Changed();
}

void TListItem::SetImageIndex(int index) {
    if (StoreChanged(imageIndex_, index)) Changed();
}

void TListItem::SetStateIndex(int index) {
    if (StoreChanged(stateIndex_, index)) Changed();
}

void TListItem::SetFlag(std::uint8_t flag, bool on) {
    auto flags = static_cast<std::uint8_t>(on ? flags_ | flag : flags_ & ~flag);
    if (flags == flags_) return;
    if (owner_ && !owner_->StateChanging(this, flag, on)) return;
    flags_ = flags;
    if (owner_) owner_->StateChanged(this, flag);
}

void TListItem::SetChecked(bool checked) {
    SetFlag(kChecked, checked);
}
void TListItem::SetSelected(bool selected) {
    SetFlag(kSelected, selected);
}
void TListItem::SetFocused(bool focused) {
    SetFlag(kFocused, focused);
}

void TListItem::Changed() {
    if (owner_) owner_->Changed(index_);
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return items_[index].get();
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Add(std::string_view caption,
                           std::initializer_list<std::string_view> subItems, int stateIndex) {
    auto item = std::make_unique<TListItem>(this);
    std::string& texts = item->texts_;
    texts.clear();
    std::size_t size = caption.size() + 1;
    for (const auto& s : subItems) size += s.size() + 1;
    texts.reserve(size);
    texts.append(CutAtNul(caption)).push_back('\0');
    std::size_t count = std::min<std::size_t>(subItems.size() + 1, UINT16_MAX);
    for (auto it = subItems.begin();
         it != subItems.end() && it - subItems.begin() + 1 < static_cast<std::ptrdiff_t>(count);
         ++it)
        texts.append(CutAtNul(*it)).push_back('\0');
    item->count_ = static_cast<std::uint16_t>(count);
    item->stateIndex_ = stateIndex;
    item->index_ = Count();
    items_.push_back(std::move(item));
    Structure();
    return items_.back().get();
}

TListItem* TListItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>(this);
    TListItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    Renumber(index);
    Structure();
    return raw;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    if (events_) events_->ItemRemoving(items_[index].get());
    items_.erase(items_.begin() + index);
    Renumber(index);
    Structure();
}

void TListItems::Clear() {
    if (items_.empty()) return;
    if (events_) events_->ItemRemoving(nullptr);
    items_.clear();
    Structure();
}

void TListItems::Reserve(int count) {
    if (count > 0) items_.reserve(static_cast<std::size_t>(count));
}

void TListItems::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    if (structurePending_) {
        structurePending_ = false;
        if (events_) events_->ItemsChanged();
    }
}

void TListItems::Sort(const std::function<int(const TListItem&, const TListItem&)>& compare) {
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const auto& a, const auto& b) { return compare(*a, *b) < 0; });
    Renumber(0);
    Structure();
}

void TListItems::Renumber(int from) {
    for (int i = from; i < Count(); ++i) items_[i]->index_ = i;
}

void TListItems::Structure() {
    if (updating_ > 0) {
        structurePending_ = true;
        return;
    }
    if (events_) events_->ItemsChanged();
}

void TListItems::Changed(int index) {
    if (updating_ > 0) {
        structurePending_ = true;
        return;
    }
    if (events_) events_->ItemChanged(index);
}

bool TListItems::StateChanging(TListItem* item, std::uint8_t flag, bool on) {
    return !events_ || events_->ItemStateChanging(item, flag, on);
}

void TListItems::StateChanged(TListItem* item, std::uint8_t changed) {
    if (events_) events_->ItemStateChanged(item, changed);
}

void TListColumn::SetCaption(const std::string& caption) {
    if (StoreChanged(caption_, caption)) Changed();
}

int TListColumn::Clamped(int width) const {
    if (width >= 0 && width < minWidth_) return minWidth_;
    if (maxWidth_ > 0 && width > maxWidth_) return maxWidth_;
    return width;
}

void TListColumn::SetWidth(int width) {
    if (width < 0 && owner_ && owner_->resolveWidth_) width = owner_->resolveWidth_(Index(), width);
    width = std::max(0, Clamped(width));
    if (StoreChanged(width_, width)) Changed();
}

void TListColumn::SetMinWidth(int width) {
    width = std::max(width, 0);
    if (StoreChanged(minWidth_, width)) Changed();
}

void TListColumn::SetMaxWidth(int width) {
    width = std::max(width, 0);
    if (StoreChanged(maxWidth_, width)) Changed();
}

void TListColumn::SetAutoSize(bool autoSize) {
    if (StoreChanged(autoSize_, autoSize)) Changed();
}

void TListColumn::SetAlignment(TAlignment alignment) {
    if (StoreChanged(alignment_, alignment)) Changed();
}

void TListColumn::SetImageIndex(int index) {
    if (StoreChanged(imageIndex_, index)) Changed();
}

int TListColumn::Index() const {
    return owner_ ? owner_->IndexOf(this) : -1;
}

void TListColumn::Changed() {
    if (owner_ && owner_->events_) owner_->events_->ColumnsChanged();
}

TListColumn* TListColumns::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return columns_[index].get();
}

TListColumn* TListColumns::Add() {
    columns_.push_back(std::make_unique<TListColumn>(this));
    if (events_) events_->ColumnsChanged();
    return columns_.back().get();
}

void TListColumns::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    columns_.erase(columns_.begin() + index);
    if (events_) events_->ColumnsChanged();
}

void TListColumns::Clear() {
    if (columns_.empty()) return;
    columns_.clear();
    if (events_) events_->ColumnsChanged();
}

int TListColumns::IndexOf(const TListColumn* column) const {
    for (int i = 0; i < Count(); ++i)
        if (columns_[i].get() == column) return i;
    return -1;
}
