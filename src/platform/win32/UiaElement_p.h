#pragma once

#include <cstdint>

#include "framework/Accessible.h"
#include "platform/win32/UiaApi_p.h"

class TUiaBridge;

// One node of the accessibility tree as a UI Automation element: a fragment of its form's
// window, the fragment root for the form itself, with the patterns its description calls for
// (Invoke for what is pressed or opened, SelectionItem for what is selected, Selection and
// Grid/Table for containers, GridItem/TableItem for cells, Value for labels and panes).
//
// The element holds its node without owning it; when the node goes, the bridge detaches the
// element and every call then answers UIA_E_ELEMENTNOTAVAILABLE. Calls arrive on the thread of
// the message loop, through COM's apartment.
class TUiaElement final : public IRawElementProviderSimple,
                          public IRawElementProviderFragment,
                          public IRawElementProviderFragmentRoot,
                          public uia::IInvokeProvider,
                          public uia::ISelectionProvider,
                          public uia::ISelectionItemProvider,
                          public uia::IValueProvider,
                          public uia::IGridProvider,
                          public uia::IGridItemProvider,
                          public uia::ITableProvider,
                          public uia::ITableItemProvider {
  public:
    TUiaElement(TUiaBridge& bridge, TAccessible& node);
    TUiaElement(const TUiaElement&) = delete;
    TUiaElement& operator=(const TUiaElement&) = delete;

    TAccessible* Node() const { return node_; }
    std::uint32_t Id() const { return id_; }
    // The node went away, or the bridge did.
    void Detach();
    // Tells the system's UI Automation of an event of the node.
    void Raise(TAccEvent event);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IRawElementProviderSimple
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* result) override;
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** result) override;
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE
    get_HostRawElementProvider(IRawElementProviderSimple** result) override;

    // IRawElementProviderFragment
    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction,
                                       IRawElementProviderFragment** result) override;
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** result) override;
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* result) override;
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** result) override;
    HRESULT STDMETHODCALLTYPE SetFocus() override;
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** result) override;

    // IRawElementProviderFragmentRoot
    HRESULT STDMETHODCALLTYPE
    ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** result) override;
    HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** result) override;

    // IInvokeProvider
    HRESULT STDMETHODCALLTYPE Invoke() override;

    // ISelectionProvider
    HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY** result) override;
    HRESULT STDMETHODCALLTYPE get_CanSelectMultiple(BOOL* result) override;
    HRESULT STDMETHODCALLTYPE get_IsSelectionRequired(BOOL* result) override;

    // ISelectionItemProvider
    HRESULT STDMETHODCALLTYPE Select() override;
    HRESULT STDMETHODCALLTYPE AddToSelection() override;
    HRESULT STDMETHODCALLTYPE RemoveFromSelection() override;
    HRESULT STDMETHODCALLTYPE get_IsSelected(BOOL* result) override;
    HRESULT STDMETHODCALLTYPE get_SelectionContainer(IRawElementProviderSimple** result) override;

    // IValueProvider
    HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR value) override;
    HRESULT STDMETHODCALLTYPE get_Value(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL* result) override;

    // IGridProvider
    HRESULT STDMETHODCALLTYPE GetItem(int row, int column,
                                      IRawElementProviderSimple** result) override;
    HRESULT STDMETHODCALLTYPE get_RowCount(int* result) override;
    HRESULT STDMETHODCALLTYPE get_ColumnCount(int* result) override;

    // IGridItemProvider
    HRESULT STDMETHODCALLTYPE get_Row(int* result) override;
    HRESULT STDMETHODCALLTYPE get_Column(int* result) override;
    HRESULT STDMETHODCALLTYPE get_RowSpan(int* result) override;
    HRESULT STDMETHODCALLTYPE get_ColumnSpan(int* result) override;
    HRESULT STDMETHODCALLTYPE get_ContainingGrid(IRawElementProviderSimple** result) override;

    // ITableProvider
    HRESULT STDMETHODCALLTYPE GetRowHeaders(SAFEARRAY** result) override;
    HRESULT STDMETHODCALLTYPE GetColumnHeaders(SAFEARRAY** result) override;
    HRESULT STDMETHODCALLTYPE get_RowOrColumnMajor(uia::RowOrColumnMajor* result) override;

    // ITableItemProvider
    HRESULT STDMETHODCALLTYPE GetRowHeaderItems(SAFEARRAY** result) override;
    HRESULT STDMETHODCALLTYPE GetColumnHeaderItems(SAFEARRAY** result) override;

  private:
    ~TUiaElement();

    bool IsRoot() const;
    bool Supports(PATTERNID pattern) const;
    // The node's place in its table as a cell; false for other nodes.
    bool CellPosition(int& row, int& column) const;
    // Hands out the element of node (null stays null) as interface I.
    template <class I>
    HRESULT Hand(TAccessible* node, I** result);

    ULONG refs_ = 1;
    TUiaBridge* bridge_;
    TAccessible* node_;
    std::uint32_t id_;
    // The states last told, so that a change of state raises only what changed.
    TAccStates states_;
};
