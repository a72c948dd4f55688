#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/ControlAccessible.h"

class TCustomListView;
class TListItem;

// A report list as a table: the column headers, then one row per item, each row holding its
// cells. Row nodes are made only for the items a reader asks about and are kept by item, so
// they follow their item through sorting and go with it.
class TListViewAccessible : public TControlAccessible, public TAccTable {
  public:
    explicit TListViewAccessible(TCustomListView& list);
    ~TListViewAccessible() override;

    TAccDescription Describe() const override;
    int ChildCount() const override;
    TAccessible* Child(int index) override;
    TAccTable* Table() override { return this; }

    int RowCount() const override;
    int ColumnCount() const override;
    std::string ColumnHeaderText(int column) const override;
    std::string CellText(int row, int column) const override;
    TAccessible* ColumnHeader(int column) override;
    TAccessible* Row(int row) override;
    TAccessible* Cell(int row, int column) override;
    int SelectedRow() const override;
    bool SelectRow(int row) override;

    // What the list tells of its model.
    void ItemsChanged();
    void ColumnsChanged();
    void ItemRemoving(const TListItem* item);
    void ItemSelected(TListItem* item);

  private:
    class TRowNode;
    class TCellNode;
    class THeaderNode;

    TCustomListView& list_;
    int columns_;
    std::vector<std::unique_ptr<THeaderNode>> headers_;
    std::unordered_map<const TListItem*, std::unique_ptr<TRowNode>> rows_;
};
