#include "framework/ListItems.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/StoreChanged.h"

namespace {

constexpr int kMaxTexts = std::numeric_limits<std::uint16_t>::max();

// The texts are NUL-separated, so a text ends at its first NUL.
std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Where text number index starts in the joined texts, and how long it is.
std::pair<std::size_t, std::size_t> Locate(std::string_view joined, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) start = joined.find('\0', start) + 1;
    return {start, joined.find('\0', start) - start};
}

// count texts, each ended by a NUL, from their first character on.
std::string_view Joined(const char* texts, int count) {
    std::size_t size = 0;
    for (int i = 0; i < count; ++i) size += std::strlen(texts + size) + 1;
    return {texts, size};
}

}  // namespace

int TListItem::TextCount() const {
    if (!FromSource()) return count_;
    if (!owner_) return 1;
    return std::max<int>(1, static_cast<int>(owner_->SourceTexts(*this).size()));
}

std::string_view TListItem::Text(int column) const {
    if (FromSource()) {
        if (!owner_ || column < 0) return {};
        const auto& texts = owner_->SourceTexts(*this);
        return static_cast<std::size_t>(column) < texts.size()
                   ? CutAtNul(texts[static_cast<std::size_t>(column)])
                   : std::string_view{};
    }
    if (column < 0 || column >= count_ || !texts_) return {};
    auto [start, length] = Locate(Joined(texts_.get(), count_), column);
    return std::string_view(texts_.get() + start, length);
}

std::string TListItem::JoinedTexts() const {
    std::string joined;
    const int count = std::min(TextCount(), kMaxTexts);
    if (FromSource() || !texts_) {
        for (int i = 0; i < count; ++i) joined.append(Text(i)).push_back('\0');
    } else {
        joined = Joined(texts_.get(), count_);
    }
    return joined;
}

void TListItem::StoreTexts(std::string_view joined, int count) {
    count_ = static_cast<std::uint16_t>(count);
    if (joined.size() == static_cast<std::size_t>(count)) {
        texts_.reset();
        return;
    }
    texts_ = std::make_unique_for_overwrite<char[]>(joined.size());
    std::memcpy(texts_.get(), joined.data(), joined.size());
}

void TListItem::SetText(int column, std::string_view text) {
    if (column < 0 || column >= kMaxTexts) return;
    // A copy: text may be a view of this row's texts or of texts the row source made.
    const std::string value(CutAtNul(text));
    if (column < TextCount() && Text(column) == value) return;
    std::string joined = JoinedTexts();
    int count = std::min(TextCount(), kMaxTexts);
    while (count <= column) {
        joined.push_back('\0');
        ++count;
    }
    auto [start, length] = Locate(joined, column);
    joined.replace(start, length, value);
    if (FromSource() && owner_) owner_->ForgetSourceTexts(this);
    StoreTexts(joined, count);
    Changed();
}

void TListItem::SetSubItem(int index, std::string_view text) {
    if (index >= 0) SetText(index + 1, text);
}

void TListItem::ClearSubItems() {
    if (TextCount() == 1 && !FromSource()) return;
    std::string caption(Caption());
    caption.push_back('\0');
    if (FromSource() && owner_) owner_->ForgetSourceTexts(this);
    StoreTexts(caption, 1);
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
    const std::size_t count = std::min<std::size_t>(subItems.size() + 1, kMaxTexts);
    std::size_t size = caption.size() + 1;
    for (const auto& s : subItems) size += s.size() + 1;
    std::string joined;
    joined.reserve(size);
    joined.append(CutAtNul(caption)).push_back('\0');
    for (auto it = subItems.begin();
         it != subItems.end() && it - subItems.begin() + 1 < static_cast<std::ptrdiff_t>(count);
         ++it)
        joined.append(CutAtNul(*it)).push_back('\0');
    item->StoreTexts(joined, static_cast<int>(count));
    item->stateIndex_ = stateIndex;
    item->index_ = Count();
    items_.push_back(std::move(item));
    Structure();
    return items_.back().get();
}

TListItem* TListItems::AddFromSource(void* data, int stateIndex) {
    auto item = std::make_unique<TListItem>(this);
    item->count_ = 0;
    item->data_ = data;
    item->stateIndex_ = stateIndex;
    item->index_ = Count();
    items_.push_back(std::move(item));
    Structure();
    return items_.back().get();
}

void TListItems::SetRowSource(TListRowSource source) {
    source_ = std::move(source);
    ForgetSourceTexts(nullptr);
    Structure();
}

const std::vector<std::string>& TListItems::SourceTexts(const TListItem& item) const {
    for (int i = 0; i < 2; ++i) {
        if (made_[i].Item == &item) {
            newerMade_ = i;
            return made_[i].Texts;
        }
    }
    // The older of the two gives way.
    newerMade_ ^= 1;
    TMadeRow& row = made_[newerMade_];
    row.Item = &item;
    row.Texts.clear();
    if (source_) source_(item, row.Texts);
    return row.Texts;
}

void TListItems::ForgetSourceTexts(const TListItem* item) const {
    for (TMadeRow& row : made_)
        if (!item || row.Item == item) row = {};
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
    ForgetSourceTexts(items_[index].get());
    items_.erase(items_.begin() + index);
    Renumber(index);
    Structure();
}

void TListItems::Clear() {
    if (items_.empty()) return;
    if (events_) events_->ItemRemoving(nullptr);
    ForgetSourceTexts(nullptr);
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
