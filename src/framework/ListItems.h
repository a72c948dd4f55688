#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Control.h"

class TListItem;
class TListItems;
class TListColumns;

// What a list's owner hears of changes to its items and columns.
class TListModelEvents {
  public:
    virtual ~TListModelEvents() = default;
    // Items were added, removed or reordered.
    virtual void ItemsChanged() = 0;
    // One item's texts or images changed.
    virtual void ItemChanged(int index) = 0;
    // One item's selected, focused or checked flag is about to become on; false keeps it.
    virtual bool ItemStateChanging(TListItem* item, std::uint8_t flag, bool on) = 0;
    // One item's selected, focused or checked flag (the bits in changed) flipped.
    virtual void ItemStateChanged(TListItem* item, std::uint8_t changed) = 0;
    // An item is about to go; null when all of them go.
    virtual void ItemRemoving(const TListItem* item) = 0;
    // A column's caption, width or limits changed.
    virtual void ColumnsChanged() = 0;
};

// One row of a list: a caption, sub-item texts for the further columns, an image, a state
// image and the selection state. The texts live in one buffer, one after another, so a row
// costs one allocation for all of them and none while they are all empty. A text is cut at an
// embedded NUL. A row added by TListItems::AddFromSource keeps no texts: the list's row source
// makes them when they are read, until the row is given texts of its own.
class TListItem {
  public:
    explicit TListItem(TListItems* owner) : owner_(owner) {}

    std::string_view Caption() const { return Text(0); }
    void SetCaption(std::string_view caption) { SetText(0, caption); }
    int SubItemCount() const { return TextCount() - 1; }
    // Empty beyond the sub-items the item has.
    std::string_view SubItem(int index) const {
        return index < 0 ? std::string_view{} : Text(index + 1);
    }
    // Fills any gap before index with empty texts.
    void SetSubItem(int index, std::string_view text);
    void AddSubItem(std::string_view text) { SetSubItem(SubItemCount(), text); }
    void ClearSubItems();
    // The text shown in a column: the caption in column 0, sub-item k - 1 in column k. A text
    // the row source made stays valid until the texts of two other rows have been read.
    std::string_view Text(int column) const;
    void SetText(int column, std::string_view text);

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // The state image's index in the state image list; -1 shows none.
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int index);
    bool Checked() const { return flags_ & kChecked; }
    void SetChecked(bool checked);
    bool Selected() const { return flags_ & kSelected; }
    void SetSelected(bool selected);
    bool Focused() const { return flags_ & kFocused; }
    void SetFocused(bool focused);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    int Index() const { return index_; }
    TListItems* Owner() const { return owner_; }

    static constexpr std::uint8_t kSelected = 1;
    static constexpr std::uint8_t kFocused = 2;
    static constexpr std::uint8_t kChecked = 4;

  private:
    friend class TListItems;

    bool FromSource() const { return count_ == 0; }
    int TextCount() const;
    // Every text, each ended by a NUL; the row source's texts for a row that has none.
    std::string JoinedTexts() const;
    void StoreTexts(std::string_view joined, int count);
    void SetFlag(std::uint8_t flag, bool on);
    void Changed();

    TListItems* owner_;
    std::unique_ptr<char[]> texts_;  // null while every text is empty
    void* data_ = nullptr;
    int index_ = 0;
    int imageIndex_ = 0;
    int stateIndex_ = -1;
    std::uint16_t count_ = 1;  // 0: the row source makes the texts
    std::uint8_t flags_ = 0;
};

// Makes the texts of a row that keeps none, column 0 first, into texts (handed in empty).
using TListRowSource = std::function<void(const TListItem& item, std::vector<std::string>& texts)>;

// The rows of a list, in display order. Between BeginUpdate and EndUpdate changes are
// collected and the list repaints once at the end.
class TListItems {
  public:
    explicit TListItems(TListModelEvents* events) : events_(events) {}

    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    // An item with its caption, sub-items and state image in one step (the fast fill).
    TListItem* Add(std::string_view caption, std::initializer_list<std::string_view> subItems,
                   int stateIndex = -1);
    // An item whose texts the row source makes from data when they are read: a long list
    // made from its owner's records need not hold every text.
    TListItem* AddFromSource(void* data, int stateIndex = -1);
    // Where rows added by AddFromSource get their texts; setting it forgets the texts made.
    void SetRowSource(TListRowSource source);
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    void Reserve(int count);
    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    bool Updating() const { return updating_ > 0; }
    // Stable sort by a three-way comparison (negative: a before b).
    void Sort(const std::function<int(const TListItem& a, const TListItem& b)>& compare);

  private:
    friend class TListItem;
    void Renumber(int from);
    void Structure();
    void Changed(int index);
    bool StateChanging(TListItem* item, std::uint8_t flag, bool on);
    void StateChanged(TListItem* item, std::uint8_t changed);
    // The texts the source made for item; the last two rows read are kept.
    const std::vector<std::string>& SourceTexts(const TListItem& item) const;
    void ForgetSourceTexts(const TListItem* item) const;

    struct TMadeRow {
        const TListItem* Item = nullptr;
        std::vector<std::string> Texts;
    };

    TListModelEvents* events_;
    std::vector<std::unique_ptr<TListItem>> items_;
    TListRowSource source_;
    mutable TMadeRow made_[2];
    mutable int newerMade_ = 0;
    int updating_ = 0;
    bool structurePending_ = false;
};

// One column of a report list. Setting Width clamps it by the limits in force at that
// moment: a width below MinWidth becomes MinWidth, otherwise one above a positive MaxWidth
// becomes MaxWidth; a negative width asks for an automatic one (-1 the widest text, -2 the
// caption). Setting a limit does not change the width.
class TListColumn {
  public:
    explicit TListColumn(TListColumns* owner) : owner_(owner) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int width);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width);
    // The width after the limits: what a finished divider drag keeps.
    int Clamped(int width) const;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int Index() const;

    static constexpr int AutoSizeToContent = -1;
    static constexpr int AutoSizeToCaption = -2;

  private:
    friend class TListColumns;
    void Changed();

    TListColumns* owner_;
    std::string caption_;
    int width_ = 50;
    int minWidth_ = 0;
    int maxWidth_ = 0;
    bool autoSize_ = false;
    TAlignment alignment_ = taLeftJustify;
    int imageIndex_ = -1;
};

class TListColumns {
  public:
    // resolveWidth turns an automatic (negative) width into pixels for a column.
    TListColumns(TListModelEvents* events, std::function<int(int column, int request)> resolveWidth)
        : events_(events), resolveWidth_(std::move(resolveWidth)) {}

    int Count() const { return static_cast<int>(columns_.size()); }
    TListColumn* Item(int index) const;
    TListColumn* operator[](int index) const { return Item(index); }
    TListColumn* Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TListColumn* column) const;

  private:
    friend class TListColumn;
    std::vector<std::unique_ptr<TListColumn>> columns_;
    TListModelEvents* events_;
    std::function<int(int, int)> resolveWidth_;
};
