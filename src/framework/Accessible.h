#pragma once

#include <cstdint>
#include <string>

#include "graphics/Geometry.h"

// The accessibility tree: how the self-drawn controls describe themselves to assistive
// technology (screen readers, magnifiers, test robots). It knows no platform; a platform's
// bridge (AT-SPI on Linux, UI Automation on Windows) walks it, asks the nodes what they are,
// performs their actions and listens to their events through the one TAccEventSink.
//
// Nodes are made only when a bridge asks for them, so a program that nobody reads pays
// nothing. Every call happens on the thread that runs the message loop.

enum TAccRole : std::uint8_t {
    arApplication,
    arWindow,
    arDialog,
    arPane,  // a panel grouping other controls
    arToolBar,
    arPushButton,
    arPageTabList,
    arPageTab,
    arPropertyPage,  // the sheet a page tab shows
    arTable,
    arColumnHeader,
    arRow,
    arCell,
    arStatusBar,
    arLabel,  // static text; a status pane is a label whose value is its text
    arLink,
    arText,  // read-only text that can be selected and copied
    arScrollBar,
    arChart,  // a picture of a chart; its description reads the figures
};

// What a node is at the moment; a set of bits.
using TAccStates = std::uint16_t;
inline constexpr TAccStates asFocusable = 1 << 0;
inline constexpr TAccStates asFocused = 1 << 1;
inline constexpr TAccStates asSelectable = 1 << 2;
inline constexpr TAccStates asSelected = 1 << 3;
inline constexpr TAccStates asCheckable = 1 << 4;
inline constexpr TAccStates asChecked = 1 << 5;
inline constexpr TAccStates asDisabled = 1 << 6;
inline constexpr TAccStates asInvisible = 1 << 7;  // not showing (hidden, or a hidden page)
inline constexpr TAccStates asReadOnly = 1 << 8;
inline constexpr TAccStates asPressed = 1 << 9;   // a button held down
inline constexpr TAccStates asDefault = 1 << 10;  // the button Enter presses

// The one thing a node does when asked (a button's press, a tab's or row's selection, a
// link's opening).
enum TAccAction : std::uint8_t { aaNone, aaPress, aaSelect, aaOpenLink };

struct TAccDescription {
    TAccRole Role = arPane;
    // The caption without its "&"; for a row the texts of its cells.
    std::string Name;
    // A hint; for the chart its figures.
    std::string Description;
    // A live text: a status pane's text, a label that counts.
    std::string Value;
    TAccStates States = 0;
    TAccAction DefaultAction = aaNone;
    // The key that reaches the node from anywhere in its window ("Alt+R"), or empty.
    std::string Shortcut;
};

enum TAccEvent : std::uint8_t {
    aeFocus,        // the node took the keyboard focus
    aeSelection,    // the node became the selected one among its siblings
    aeName,         // Name changed
    aeDescription,  // Description changed
    aeValue,        // Value changed
    aeState,        // States changed (shown, hidden, enabled, disabled, checked)
    aeChildren,     // children came or went; indices and counts must be asked again
    aeBounds,       // the node moved or changed size
    aeDestroyed,    // the node is going away; forget it (raised by ~TAccessible)
};

class TAccTable;

class TAccessible {
  public:
    TAccessible();
    virtual ~TAccessible();
    TAccessible(const TAccessible&) = delete;
    TAccessible& operator=(const TAccessible&) = delete;

    // Unique among all nodes of the process, never reused: a bridge's runtime identity.
    std::uint32_t Id() const { return id_; }

    virtual TAccDescription Describe() const = 0;
    // On the screen; empty while not showing.
    virtual TRect ScreenBounds() const = 0;
    // Null for the application.
    virtual TAccessible* Parent() const = 0;
    virtual int ChildCount() const = 0;
    // Null when index is out of range. May make the child on first request.
    virtual TAccessible* Child(int index) = 0;
    // The node's place among its parent's children; -1 without a parent.
    virtual int IndexInParent() const;
    // The deepest node whose bounds hold a screen point; this node when no child does, null
    // when the point is outside.
    virtual TAccessible* NodeAt(TPoint screen);
    // Performs Describe().DefaultAction; false when there is none or it cannot now.
    virtual bool DoDefaultAction() { return false; }
    // Gives the keyboard focus to the node; false when it cannot take it.
    virtual bool Focus() { return false; }
    // The table interface of a table node, else null.
    virtual TAccTable* Table() { return nullptr; }
    // The place of a row (column -1) or cell in its table; false for other nodes.
    virtual bool TablePosition(int& row, int& column) const {
        (void)row;
        (void)column;
        return false;
    }

    // Hands an event about this node to the sink, when there is one.
    void Raise(TAccEvent event);

  private:
    std::uint32_t id_;
};

// A table: rows and columns with header cells. Rows and cells are made only when asked for,
// so a list of 100 000 rows keeps objects for the few a reader visits.
class TAccTable {
  public:
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    // Texts without making nodes.
    virtual std::string ColumnHeaderText(int column) const = 0;
    virtual std::string CellText(int row, int column) const = 0;
    // Null when out of range.
    virtual TAccessible* ColumnHeader(int column) = 0;
    virtual TAccessible* Row(int row) = 0;
    virtual TAccessible* Cell(int row, int column) = 0;
    // -1 when no row is selected.
    virtual int SelectedRow() const = 0;
    // Selects the row and scrolls it into view; false when out of range.
    virtual bool SelectRow(int row) = 0;

  protected:
    ~TAccTable() = default;
};

// Where the events go: the platform's bridge.
class TAccEventSink {
  public:
    virtual void AccessibleEvent(TAccessible& node, TAccEvent event) = 0;

  protected:
    ~TAccEventSink() = default;
};

// The process's one sink; null (the start) while no assistive technology listens.
void SetAccEventSink(TAccEventSink* sink);
TAccEventSink* AccEventSink();

// The root of the tree: the application, named by its title, with its shown forms as children.
// Needs the Application object.
TAccessible* AccessibleRoot();

// A caption as it is read: without the "&" that marks its accelerator ("&&" reads "&"), and
// without a trailing "(&R)" that only shows the key.
std::string AccessibleCaption(const std::string& caption);
// The key that reaches a caption's accelerator ("Alt+R"), or empty when it has none.
std::string AccessibleShortcut(const std::string& caption);
