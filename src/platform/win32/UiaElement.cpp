#include <vector>

#include "platform/win32/UiaBridge_p.h"
#include "platform/win32/UiaElement_p.h"
#include "platform/win32/UiaTree_p.h"
#include "platform/win32/WinText.h"

namespace {

CONTROLTYPEID ControlType(TAccRole role) {
    switch (role) {
        case arWindow:
        case arDialog:
            return uia::kWindowControl;
        case arToolBar:
            return uia::kToolBarControl;
        case arPushButton:
            return uia::kButtonControl;
        case arPageTabList:
            return uia::kTabControl;
        case arPageTab:
            return uia::kTabItemControl;
        case arTable:
            return uia::kDataGridControl;
        case arColumnHeader:
            return uia::kHeaderItemControl;
        case arRow:
            return uia::kDataItemControl;
        case arCell:
        case arLabel:
        case arText:
            return uia::kTextControl;
        case arStatusBar:
            return uia::kStatusBarControl;
        case arLink:
            return uia::kHyperlinkControl;
        case arScrollBar:
            return uia::kScrollBarControl;
        case arChart:
            return uia::kImageControl;
        default:
            return uia::kPaneControl;
    }
}

BSTR Bstr(const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void SetText(VARIANT& v, const std::string& text) {
    v.vt = VT_BSTR;
    v.bstrVal = Bstr(text);
}

void SetBool(VARIANT& v, bool value) {
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

// An array of elements as UI Automation takes it: VT_UNKNOWN items, each holding a reference.
HRESULT ElementArray(TUiaBridge& bridge, const std::vector<TAccessible*>& nodes,
                     SAFEARRAY** result) {
    *result = SafeArrayCreateVector(VT_UNKNOWN, 0, static_cast<ULONG>(nodes.size()));
    if (!*result) return E_OUTOFMEMORY;
    for (LONG i = 0; i < static_cast<LONG>(nodes.size()); ++i) {
        TUiaElement* element = bridge.ElementFor(*nodes[i]);
        IUnknown* item = static_cast<IRawElementProviderSimple*>(element);
        // The array takes its own reference.
        SafeArrayPutElement(*result, &i, item);
        element->Release();
    }
    return S_OK;
}

}  // namespace

#define VIGIL_NEED_NODE(result)                       \
    do {                                              \
        if (!(result)) return E_INVALIDARG;           \
        if (!node_) return uia::kElementNotAvailable; \
    } while (false)

TUiaElement::TUiaElement(TUiaBridge& bridge, TAccessible& node)
    : bridge_(&bridge), node_(&node), id_(node.Id()), states_(node.Describe().States) {}

TUiaElement::~TUiaElement() {
    if (bridge_) bridge_->ElementGone(id_);
}

void TUiaElement::Detach() {
    node_ = nullptr;
    bridge_ = nullptr;
}

bool TUiaElement::IsRoot() const {
    return node_ && node_->Parent() == AccessibleRoot();
}

bool TUiaElement::CellPosition(int& row, int& column) const {
    return node_ && node_->TablePosition(row, column) && column >= 0;
}

bool TUiaElement::Supports(PATTERNID pattern) const {
    if (!node_) return false;
    const TAccDescription d = node_->Describe();
    int row = 0, column = 0;
    switch (pattern) {
        case UIA_InvokePatternId:
            return d.DefaultAction == aaPress || d.DefaultAction == aaOpenLink;
        case UIA_SelectionItemPatternId:
            return d.DefaultAction == aaSelect;
        case UIA_SelectionPatternId:
            return node_->Table() || d.Role == arPageTabList;
        case UIA_GridPatternId:
        case UIA_TablePatternId:
            return node_->Table() != nullptr;
        case UIA_GridItemPatternId:
        case UIA_TableItemPatternId:
            return CellPosition(row, column);
        case UIA_ValuePatternId:
            return d.Role == arLabel || d.Role == arText;
        default:
            return false;
    }
}

template <class I>
HRESULT TUiaElement::Hand(TAccessible* node, I** result) {
    *result = nullptr;
    if (!node || !bridge_) return S_OK;
    TUiaElement* element = bridge_->ElementFor(*node);
    *result = static_cast<I*>(element);
    return S_OK;
}

// ---- IUnknown

HRESULT TUiaElement::QueryInterface(REFIID iid, void** result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple)) {
        *result = static_cast<IRawElementProviderSimple*>(this);
    } else if (iid == __uuidof(IRawElementProviderFragment)) {
        *result = static_cast<IRawElementProviderFragment*>(this);
    } else if (iid == __uuidof(IRawElementProviderFragmentRoot)) {
        if (IsRoot()) *result = static_cast<IRawElementProviderFragmentRoot*>(this);
    } else if (iid == uia::IInvokeProvider::kIid) {
        if (Supports(UIA_InvokePatternId)) *result = static_cast<uia::IInvokeProvider*>(this);
    } else if (iid == uia::ISelectionProvider::kIid) {
        if (Supports(UIA_SelectionPatternId)) *result = static_cast<uia::ISelectionProvider*>(this);
    } else if (iid == uia::ISelectionItemProvider::kIid) {
        if (Supports(UIA_SelectionItemPatternId))
            *result = static_cast<uia::ISelectionItemProvider*>(this);
    } else if (iid == uia::IValueProvider::kIid) {
        if (Supports(UIA_ValuePatternId)) *result = static_cast<uia::IValueProvider*>(this);
    } else if (iid == uia::IGridProvider::kIid) {
        if (Supports(UIA_GridPatternId)) *result = static_cast<uia::IGridProvider*>(this);
    } else if (iid == uia::ITableProvider::kIid) {
        if (Supports(UIA_TablePatternId)) *result = static_cast<uia::ITableProvider*>(this);
    } else if (iid == uia::IGridItemProvider::kIid) {
        if (Supports(UIA_GridItemPatternId)) *result = static_cast<uia::IGridItemProvider*>(this);
    } else if (iid == uia::ITableItemProvider::kIid) {
        if (Supports(UIA_TableItemPatternId)) *result = static_cast<uia::ITableItemProvider*>(this);
    }
    if (!*result) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG TUiaElement::AddRef() {
    return InterlockedIncrement(&refs_);
}

ULONG TUiaElement::Release() {
    const ULONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

// ---- IRawElementProviderSimple

HRESULT TUiaElement::get_ProviderOptions(ProviderOptions* result) {
    if (!result) return E_INVALIDARG;
    // Calls come through COM's apartment, so they reach the tree on its own thread.
    *result = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                           ProviderOptions_UseComThreading);
    return S_OK;
}

HRESULT TUiaElement::GetPatternProvider(PATTERNID pattern, IUnknown** result) {
    VIGIL_NEED_NODE(result);
    *result = nullptr;
    if (!Supports(pattern)) return S_OK;
    static const struct {
        PATTERNID Pattern;
        const IID& Iid;
    } kPatterns[] = {
        {UIA_InvokePatternId, uia::IInvokeProvider::kIid},
        {UIA_SelectionPatternId, uia::ISelectionProvider::kIid},
        {UIA_SelectionItemPatternId, uia::ISelectionItemProvider::kIid},
        {UIA_ValuePatternId, uia::IValueProvider::kIid},
        {UIA_GridPatternId, uia::IGridProvider::kIid},
        {UIA_GridItemPatternId, uia::IGridItemProvider::kIid},
        {UIA_TablePatternId, uia::ITableProvider::kIid},
        {UIA_TableItemPatternId, uia::ITableItemProvider::kIid},
    };
    for (const auto& p : kPatterns) {
        if (p.Pattern == pattern) return QueryInterface(p.Iid, reinterpret_cast<void**>(result));
    }
    return S_OK;
}

HRESULT TUiaElement::GetPropertyValue(PROPERTYID property, VARIANT* result) {
    VIGIL_NEED_NODE(result);
    VariantInit(result);
    const TAccDescription d = node_->Describe();
    switch (property) {
        case UIA_ControlTypePropertyId:
            result->vt = VT_I4;
            result->lVal = ControlType(d.Role);
            break;
        case UIA_NamePropertyId:
            SetText(*result, d.Name);
            break;
        case UIA_HelpTextPropertyId:
        case UIA_FullDescriptionPropertyId:
            if (!d.Description.empty()) SetText(*result, d.Description);
            break;
        case UIA_AccessKeyPropertyId:
            if (!d.Shortcut.empty()) SetText(*result, d.Shortcut);
            break;
        case UIA_IsEnabledPropertyId:
            SetBool(*result, !(d.States & asDisabled));
            break;
        case UIA_IsKeyboardFocusablePropertyId:
            SetBool(*result, d.States & asFocusable);
            break;
        case UIA_HasKeyboardFocusPropertyId:
            SetBool(*result, d.States & asFocused);
            break;
        case UIA_IsOffscreenPropertyId:
            SetBool(*result, d.States & asInvisible);
            break;
        case UIA_IsDialogPropertyId:
            SetBool(*result, d.Role == arDialog);
            break;
        case UIA_ValueValuePropertyId:
            if (Supports(UIA_ValuePatternId)) SetText(*result, d.Value.empty() ? d.Name : d.Value);
            break;
        default:
            break;
    }
    return S_OK;
}

HRESULT TUiaElement::get_HostRawElementProvider(IRawElementProviderSimple** result) {
    VIGIL_NEED_NODE(result);
    *result = nullptr;
    // Only the form has a window of its own; the system's provider for it adds the frame's
    // properties and patterns (title bar, move, close).
    if (!IsRoot() || !bridge_) return S_OK;
    HWND window = bridge_->WindowOf(*node_);
    uia::TCore* core = uia::Core();
    if (window && core && core->HostProviderFromHwnd)
        return core->HostProviderFromHwnd(window, result);
    return S_OK;
}

// ---- IRawElementProviderFragment

HRESULT TUiaElement::Navigate(NavigateDirection direction, IRawElementProviderFragment** result) {
    VIGIL_NEED_NODE(result);
    TAccessible* target = nullptr;
    TAccessible* parent = IsRoot() ? nullptr : node_->Parent();
    switch (direction) {
        case NavigateDirection_Parent:
            target = parent;
            break;
        case NavigateDirection_NextSibling:
        case NavigateDirection_PreviousSibling:
            if (parent) {
                const int index = node_->IndexInParent();
                const int step = direction == NavigateDirection_NextSibling ? 1 : -1;
                if (index >= 0) target = ExposedChild(*parent, index + step, step);
            }
            break;
        case NavigateDirection_FirstChild:
            target = ExposedChild(*node_, 0, 1);
            break;
        case NavigateDirection_LastChild:
            target = ExposedChild(*node_, node_->ChildCount() - 1, -1);
            break;
    }
    return Hand(target, result);
}

HRESULT TUiaElement::GetRuntimeId(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    *result = nullptr;
    // The form's id is its window's, which the system supplies.
    if (IsRoot()) return S_OK;
    const int parts[] = {uia::kAppendRuntimeId, static_cast<int>(id_)};
    *result = SafeArrayCreateVector(VT_I4, 0, 2);
    if (!*result) return E_OUTOFMEMORY;
    for (LONG i = 0; i < 2; ++i) SafeArrayPutElement(*result, &i, const_cast<int*>(&parts[i]));
    return S_OK;
}

HRESULT TUiaElement::get_BoundingRectangle(UiaRect* result) {
    VIGIL_NEED_NODE(result);
    const TRect r = node_->ScreenBounds();
    *result = {static_cast<double>(r.Left), static_cast<double>(r.Top),
               static_cast<double>(r.Width()), static_cast<double>(r.Height())};
    return S_OK;
}

HRESULT TUiaElement::GetEmbeddedFragmentRoots(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    *result = nullptr;
    return S_OK;
}

HRESULT TUiaElement::SetFocus() {
    if (!node_) return uia::kElementNotAvailable;
    if (node_->Describe().States & asDisabled) return uia::kElementNotEnabled;
    return node_->Focus() ? S_OK : uia::kInvalidOperation;
}

HRESULT TUiaElement::get_FragmentRoot(IRawElementProviderFragmentRoot** result) {
    VIGIL_NEED_NODE(result);
    return Hand(FormNodeOf(*node_), result);
}

// ---- IRawElementProviderFragmentRoot

HRESULT TUiaElement::ElementProviderFromPoint(double x, double y,
                                              IRawElementProviderFragment** result) {
    VIGIL_NEED_NODE(result);
    return Hand(node_->NodeAt({static_cast<int>(x), static_cast<int>(y)}), result);
}

HRESULT TUiaElement::GetFocus(IRawElementProviderFragment** result) {
    VIGIL_NEED_NODE(result);
    return Hand(FocusedNodeIn(*node_), result);
}

// ---- IInvokeProvider

HRESULT TUiaElement::Invoke() {
    if (!node_ || !bridge_) return uia::kElementNotAvailable;
    if (node_->Describe().States & asDisabled) return uia::kElementNotEnabled;
    // The action may open a modal dialog; performed later from the message loop, so that the
    // client's call returns at once.
    return bridge_->PostAction(*node_) ? S_OK : uia::kInvalidOperation;
}

// ---- ISelectionProvider

HRESULT TUiaElement::GetSelection(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    std::vector<TAccessible*> selected;
    if (TAccTable* table = node_->Table()) {
        if (TAccessible* row = table->Row(table->SelectedRow())) selected.push_back(row);
    } else {
        for (int i = 0, n = node_->ChildCount(); i < n; ++i) {
            TAccessible* child = node_->Child(i);
            if (child && (child->Describe().States & asSelected)) selected.push_back(child);
        }
    }
    return bridge_ ? ElementArray(*bridge_, selected, result) : uia::kElementNotAvailable;
}

HRESULT TUiaElement::get_CanSelectMultiple(BOOL* result) {
    VIGIL_NEED_NODE(result);
    *result = FALSE;
    return S_OK;
}

HRESULT TUiaElement::get_IsSelectionRequired(BOOL* result) {
    VIGIL_NEED_NODE(result);
    // A tab strip always shows one page; a list may have no row selected.
    *result = node_->Table() ? FALSE : TRUE;
    return S_OK;
}

// ---- ISelectionItemProvider

HRESULT TUiaElement::Select() {
    if (!node_) return uia::kElementNotAvailable;
    if (node_->Describe().States & asDisabled) return uia::kElementNotEnabled;
    return node_->DoDefaultAction() ? S_OK : uia::kInvalidOperation;
}

HRESULT TUiaElement::AddToSelection() {
    if (!node_) return uia::kElementNotAvailable;
    if (node_->Describe().States & asSelected) return S_OK;
    // One selected item at most: adding is selecting only while nothing else is.
    SAFEARRAY* selection = nullptr;
    TAccessible* container = SelectionContainerOf(*node_);
    if (!container || !bridge_) return uia::kInvalidOperation;
    TUiaElement* element = bridge_->ElementFor(*container);
    HRESULT hr = element->GetSelection(&selection);
    element->Release();
    if (FAILED(hr)) return hr;
    const bool empty = selection->rgsabound[0].cElements == 0;
    SafeArrayDestroy(selection);
    return empty ? Select() : uia::kInvalidOperation;
}

HRESULT TUiaElement::RemoveFromSelection() {
    if (!node_) return uia::kElementNotAvailable;
    return node_->Describe().States & asSelected ? uia::kInvalidOperation : S_OK;
}

HRESULT TUiaElement::get_IsSelected(BOOL* result) {
    VIGIL_NEED_NODE(result);
    *result = node_->Describe().States & asSelected ? TRUE : FALSE;
    return S_OK;
}

HRESULT TUiaElement::get_SelectionContainer(IRawElementProviderSimple** result) {
    VIGIL_NEED_NODE(result);
    return Hand(SelectionContainerOf(*node_), result);
}

// ---- IValueProvider

HRESULT TUiaElement::SetValue(LPCWSTR) {
    // Every value here is read-only.
    return node_ ? uia::kInvalidOperation : uia::kElementNotAvailable;
}

HRESULT TUiaElement::get_Value(BSTR* result) {
    VIGIL_NEED_NODE(result);
    const TAccDescription d = node_->Describe();
    *result = Bstr(d.Value.empty() ? d.Name : d.Value);
    return S_OK;
}

HRESULT TUiaElement::get_IsReadOnly(BOOL* result) {
    VIGIL_NEED_NODE(result);
    // Labels and panes show what the program says; nothing here takes typed text.
    *result = TRUE;
    return S_OK;
}

// ---- IGridProvider

HRESULT TUiaElement::GetItem(int row, int column, IRawElementProviderSimple** result) {
    VIGIL_NEED_NODE(result);
    TAccTable* table = node_->Table();
    TAccessible* cell = table ? table->Cell(row, column) : nullptr;
    if (!cell) {
        *result = nullptr;
        return E_INVALIDARG;
    }
    return Hand(cell, result);
}

HRESULT TUiaElement::get_RowCount(int* result) {
    VIGIL_NEED_NODE(result);
    TAccTable* table = node_->Table();
    *result = table ? table->RowCount() : 0;
    return S_OK;
}

HRESULT TUiaElement::get_ColumnCount(int* result) {
    VIGIL_NEED_NODE(result);
    TAccTable* table = node_->Table();
    *result = table ? table->ColumnCount() : 0;
    return S_OK;
}

// ---- IGridItemProvider

HRESULT TUiaElement::get_Row(int* result) {
    VIGIL_NEED_NODE(result);
    int column = 0;
    return CellPosition(*result, column) ? S_OK : uia::kInvalidOperation;
}

HRESULT TUiaElement::get_Column(int* result) {
    VIGIL_NEED_NODE(result);
    int row = 0;
    return CellPosition(row, *result) ? S_OK : uia::kInvalidOperation;
}

HRESULT TUiaElement::get_RowSpan(int* result) {
    VIGIL_NEED_NODE(result);
    *result = 1;
    return S_OK;
}

HRESULT TUiaElement::get_ColumnSpan(int* result) {
    VIGIL_NEED_NODE(result);
    *result = 1;
    return S_OK;
}

HRESULT TUiaElement::get_ContainingGrid(IRawElementProviderSimple** result) {
    VIGIL_NEED_NODE(result);
    return Hand(TableOf(*node_), result);
}

// ---- ITableProvider

HRESULT TUiaElement::GetRowHeaders(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    return bridge_ ? ElementArray(*bridge_, {}, result) : uia::kElementNotAvailable;
}

HRESULT TUiaElement::GetColumnHeaders(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    std::vector<TAccessible*> headers;
    if (TAccTable* table = node_->Table()) {
        for (int c = 0; c < table->ColumnCount(); ++c) {
            if (TAccessible* header = table->ColumnHeader(c)) headers.push_back(header);
        }
    }
    return bridge_ ? ElementArray(*bridge_, headers, result) : uia::kElementNotAvailable;
}

HRESULT TUiaElement::get_RowOrColumnMajor(uia::RowOrColumnMajor* result) {
    VIGIL_NEED_NODE(result);
    *result = uia::kRowMajor;
    return S_OK;
}

// ---- ITableItemProvider

HRESULT TUiaElement::GetRowHeaderItems(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    return bridge_ ? ElementArray(*bridge_, {}, result) : uia::kElementNotAvailable;
}

HRESULT TUiaElement::GetColumnHeaderItems(SAFEARRAY** result) {
    VIGIL_NEED_NODE(result);
    std::vector<TAccessible*> headers;
    int row = 0, column = 0;
    TAccessible* tableNode = TableOf(*node_);
    if (CellPosition(row, column) && tableNode) {
        if (TAccessible* header = tableNode->Table()->ColumnHeader(column))
            headers.push_back(header);
    }
    return bridge_ ? ElementArray(*bridge_, headers, result) : uia::kElementNotAvailable;
}

// ---- Events

void TUiaElement::Raise(TAccEvent event) {
    uia::TCore* core = uia::Core();
    if (!node_ || !core) return;
    auto* self = static_cast<IRawElementProviderSimple*>(this);
    auto propertyChanged = [&](PROPERTYID property) {
        if (!core->RaisePropertyChangedEvent) return;
        VARIANT before, now;
        VariantInit(&before);
        GetPropertyValue(property, &now);
        core->RaisePropertyChangedEvent(self, property, before, now);
        VariantClear(&now);
    };
    switch (event) {
        case aeFocus:
            if (core->RaiseAutomationEvent)
                core->RaiseAutomationEvent(self, uia::kFocusChangedEvent);
            break;
        case aeSelection:
            if (core->RaiseAutomationEvent)
                core->RaiseAutomationEvent(self, uia::kElementSelectedEvent);
            break;
        case aeName:
            propertyChanged(UIA_NamePropertyId);
            if (Supports(UIA_ValuePatternId)) propertyChanged(UIA_ValueValuePropertyId);
            break;
        case aeDescription:
            propertyChanged(UIA_HelpTextPropertyId);
            break;
        case aeValue:
            propertyChanged(UIA_ValueValuePropertyId);
            break;
        case aeState: {
            const TAccStates now = node_->Describe().States;
            const TAccStates changed = now ^ states_;
            states_ = now;
            if (changed & asDisabled) propertyChanged(UIA_IsEnabledPropertyId);
            if (changed & asInvisible) propertyChanged(UIA_IsOffscreenPropertyId);
            break;
        }
        case aeChildren:
            if (core->RaiseStructureChangedEvent) {
                int runtimeId[] = {uia::kAppendRuntimeId, static_cast<int>(id_)};
                core->RaiseStructureChangedEvent(self, uia::kChildrenInvalidated, runtimeId, 2);
            }
            break;
        default:
            break;
    }
}
