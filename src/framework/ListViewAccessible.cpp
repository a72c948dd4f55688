#include "framework/ListViewAccessible.h"

#include "framework/ListView.h"

// One column's header cell.
class TListViewAccessible::THeaderNode final : public TAccessible {
  public:
    THeaderNode(TListViewAccessible& table, int column) : table_(table), column_(column) {}

    TAccDescription Describe() const override {
        TAccDescription d;
        d.Role = arColumnHeader;
        d.Name = table_.ColumnHeaderText(column_);
        d.States = asReadOnly | (table_.Describe().States & asInvisible);
        return d;
    }
    TRect ScreenBounds() const override {
        const TCustomListView& list = table_.list_;
        TRect cell = list.CellRect(0, column_);
        TRect header = list.HeaderRect();
        return AccessibleScreenRect(list, {cell.Left, header.Top, cell.Right, header.Bottom});
    }
    TAccessible* Parent() const override { return &table_; }
    int IndexInParent() const override { return column_; }
    int ChildCount() const override { return 0; }
    TAccessible* Child(int) override { return nullptr; }

  private:
    TListViewAccessible& table_;
    int column_;
};

// One cell of a row.
class TListViewAccessible::TCellNode final : public TAccessible {
  public:
    TCellNode(TRowNode& row, int column) : row_(row), column_(column) {}

    TAccDescription Describe() const override;
    TRect ScreenBounds() const override;
    TAccessible* Parent() const override;
    int IndexInParent() const override { return column_; }
    int ChildCount() const override { return 0; }
    TAccessible* Child(int) override { return nullptr; }
    bool TablePosition(int& row, int& column) const override;

  private:
    TRowNode& row_;
    int column_;
};

class TListViewAccessible::TRowNode final : public TAccessible {
  public:
    TRowNode(TListViewAccessible& table, const TListItem& item) : table_(table), item_(item) {}

    int Index() const { return item_.Index(); }
    TListViewAccessible& Table() const { return table_; }

    TAccDescription Describe() const override {
        const TCustomListView& list = table_.list_;
        TAccDescription d;
        d.Role = arRow;
        for (int c = 0; c < table_.ColumnCount(); ++c) {
            if (c) d.Name += ", ";
            d.Name += item_.Text(c);
        }
        d.States = asSelectable | asFocusable | asReadOnly;
        if (item_.Selected()) d.States |= asSelected;
        if (item_.Focused() && list.Focused()) d.States |= asFocused;
        if (ScreenBounds().IsEmpty()) d.States |= asInvisible;
        d.DefaultAction = aaSelect;
        return d;
    }
    TRect ScreenBounds() const override {
        const TCustomListView& list = table_.list_;
        TRect r = list.ItemRect(Index()).Intersect(list.BodyRect());
        return r.IsEmpty() ? TRect{} : AccessibleScreenRect(list, r);
    }
    TAccessible* Parent() const override { return &table_; }
    int IndexInParent() const override { return table_.ColumnCount() + Index(); }
    int ChildCount() const override { return table_.ColumnCount(); }
    TAccessible* Child(int index) override {
        if (index < 0 || index >= ChildCount()) return nullptr;
        if (static_cast<int>(cells_.size()) < ChildCount()) cells_.resize(ChildCount());
        if (!cells_[index]) cells_[index] = std::make_unique<TCellNode>(*this, index);
        return cells_[index].get();
    }
    bool DoDefaultAction() override { return table_.SelectRow(Index()); }
    bool Focus() override { return table_.SelectRow(Index()) && table_.Focus(); }
    bool TablePosition(int& row, int& column) const override {
        row = Index();
        column = -1;
        return true;
    }
    // Columns came or went: cells are made anew when asked for.
    void DropCells() { cells_.clear(); }

  private:
    TListViewAccessible& table_;
    const TListItem& item_;
    std::vector<std::unique_ptr<TCellNode>> cells_;
};

TAccDescription TListViewAccessible::TCellNode::Describe() const {
    TAccDescription d;
    d.Role = arCell;
    d.Name = row_.Table().CellText(row_.Index(), column_);
    d.States = row_.Describe().States & (asSelected | asInvisible | asReadOnly);
    return d;
}

TRect TListViewAccessible::TCellNode::ScreenBounds() const {
    const TCustomListView& list = row_.Table().list_;
    TRect r = list.CellRect(row_.Index(), column_).Intersect(list.BodyRect());
    return r.IsEmpty() ? TRect{} : AccessibleScreenRect(list, r);
}

TAccessible* TListViewAccessible::TCellNode::Parent() const {
    return &row_;
}

bool TListViewAccessible::TCellNode::TablePosition(int& row, int& column) const {
    row = row_.Index();
    column = column_;
    return true;
}

TListViewAccessible::TListViewAccessible(TCustomListView& list)
    : TControlAccessible(list), list_(list), columns_(list.Columns().Count()) {}

TListViewAccessible::~TListViewAccessible() = default;

TAccDescription TListViewAccessible::Describe() const {
    TAccDescription d = TControlAccessible::Describe();
    d.Role = arTable;
    d.States |= asReadOnly;
    return d;
}

int TListViewAccessible::ChildCount() const {
    return ColumnCount() + RowCount();
}

TAccessible* TListViewAccessible::Child(int index) {
    return index < ColumnCount() ? ColumnHeader(index) : Row(index - ColumnCount());
}

int TListViewAccessible::RowCount() const {
    return list_.Items().Count();
}

int TListViewAccessible::ColumnCount() const {
    return list_.Columns().Count();
}

std::string TListViewAccessible::ColumnHeaderText(int column) const {
    TListColumn* c = list_.Columns().Item(column);
    return c ? AccessibleCaption(c->Caption()) : std::string();
}

std::string TListViewAccessible::CellText(int row, int column) const {
    TListItem* item = list_.Items().Item(row);
    if (!item || column < 0 || column >= ColumnCount()) return {};
    return std::string(item->Text(column));
}

TAccessible* TListViewAccessible::ColumnHeader(int column) {
    if (column < 0 || column >= ColumnCount()) return nullptr;
    if (static_cast<int>(headers_.size()) < ColumnCount()) headers_.resize(ColumnCount());
    if (!headers_[column]) headers_[column] = std::make_unique<THeaderNode>(*this, column);
    return headers_[column].get();
}

TAccessible* TListViewAccessible::Row(int row) {
    TListItem* item = list_.Items().Item(row);
    if (!item) return nullptr;
    auto& node = rows_[item];
    if (!node) node = std::make_unique<TRowNode>(*this, *item);
    return node.get();
}

TAccessible* TListViewAccessible::Cell(int row, int column) {
    TAccessible* r = Row(row);
    return r ? r->Child(column) : nullptr;
}

int TListViewAccessible::SelectedRow() const {
    return list_.ItemIndex();
}

bool TListViewAccessible::SelectRow(int row) {
    TListItem* item = list_.Items().Item(row);
    if (!item || !list_.Enabled()) return false;
    list_.SetSelected(item);
    return true;
}

void TListViewAccessible::ItemsChanged() {
    Raise(aeChildren);
}

void TListViewAccessible::ColumnsChanged() {
    // Widths change on every layout; only a change in number changes the tree.
    if (ColumnCount() == columns_) return;
    columns_ = ColumnCount();
    headers_.clear();
    for (auto& [item, row] : rows_) row->DropCells();
    Raise(aeChildren);
}

void TListViewAccessible::ItemRemoving(const TListItem* item) {
    if (item)
        rows_.erase(item);
    else
        rows_.clear();
}

void TListViewAccessible::ItemSelected(TListItem* item) {
    TAccessible* row = Row(item->Index());
    row->Raise(aeSelection);
    if (list_.Focused()) row->Raise(aeFocus);
}
