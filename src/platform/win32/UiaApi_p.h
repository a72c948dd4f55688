#pragma once

// UI Automation as the system defines it. The cross-compiler's headers declare only the element
// interfaces; the pattern interfaces, the identifiers below and the functions of
// uiautomationcore.dll are declared here, in a namespace of their own so that fuller system
// headers cannot clash with them. The library is loaded at run time.

#include <ole2.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include "platform/win32/Windows_p.h"

namespace uia {

enum : CONTROLTYPEID {
    kButtonControl = 50000,
    kHyperlinkControl = 50005,
    kImageControl = 50006,
    kScrollBarControl = 50014,
    kStatusBarControl = 50017,
    kTabControl = 50018,
    kTabItemControl = 50019,
    kTextControl = 50020,
    kToolBarControl = 50021,
    kDataGridControl = 50028,
    kDataItemControl = 50029,
    kWindowControl = 50032,
    kPaneControl = 50033,
    kHeaderItemControl = 50035,
};

enum : EVENTID {
    kFocusChangedEvent = 20005,
    kInvokedEvent = 20009,
    kElementSelectedEvent = 20012,
};

inline constexpr HRESULT kElementNotEnabled = static_cast<HRESULT>(0x80040200);
inline constexpr HRESULT kElementNotAvailable = static_cast<HRESULT>(0x80040201);
inline constexpr HRESULT kInvalidOperation = static_cast<HRESULT>(0x80131509);

// WM_GETOBJECT's object id that asks for the window's UI Automation provider.
inline constexpr long kRootObjectId = -25;
// The first part of a runtime id that the system completes with the hosting window's.
inline constexpr int kAppendRuntimeId = 3;
inline constexpr int kChildrenInvalidated = 2;  // StructureChangeType
enum RowOrColumnMajor : int { kRowMajor = 0 };

struct IInvokeProvider : IUnknown {
    static constexpr IID kIid{
        0x54fcb24b, 0xe18e, 0x47a2, {0xb4, 0xd3, 0xec, 0xcb, 0xe7, 0x75, 0x99, 0xa2}};
    virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};

struct ISelectionProvider : IUnknown {
    static constexpr IID kIid{
        0xfb8b03af, 0x3bdf, 0x48d4, {0xbd, 0x36, 0x1a, 0x65, 0x79, 0x3b, 0xe1, 0x68}};
    virtual HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CanSelectMultiple(BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsSelectionRequired(BOOL* result) = 0;
};

struct ISelectionItemProvider : IUnknown {
    static constexpr IID kIid{
        0x2acad808, 0xb2d4, 0x452d, {0xa4, 0x07, 0x91, 0xff, 0x1a, 0xd1, 0x67, 0xb2}};
    virtual HRESULT STDMETHODCALLTYPE Select() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddToSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveFromSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsSelected(BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    get_SelectionContainer(IRawElementProviderSimple** result) = 0;
};

struct IValueProvider : IUnknown {
    static constexpr IID kIid{
        0xc7935180, 0x6fb3, 0x4201, {0xb1, 0x74, 0x7d, 0xf7, 0x3a, 0xdb, 0xf6, 0x4a}};
    virtual HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Value(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL* result) = 0;
};

struct IGridProvider : IUnknown {
    static constexpr IID kIid{
        0xb17d6187, 0x0907, 0x464b, {0xa1, 0x68, 0x0e, 0xf1, 0x7a, 0x15, 0x72, 0xb1}};
    virtual HRESULT STDMETHODCALLTYPE GetItem(int row, int column,
                                              IRawElementProviderSimple** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowCount(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColumnCount(int* result) = 0;
};

struct IGridItemProvider : IUnknown {
    static constexpr IID kIid{
        0xd02541f1, 0xfb81, 0x4d64, {0xae, 0x32, 0xf5, 0x20, 0xf8, 0xa6, 0xdb, 0xd1}};
    virtual HRESULT STDMETHODCALLTYPE get_Row(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Column(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowSpan(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColumnSpan(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContainingGrid(IRawElementProviderSimple** result) = 0;
};

struct ITableProvider : IUnknown {
    static constexpr IID kIid{
        0x9c860395, 0x97b3, 0x490a, {0xb5, 0x2a, 0x85, 0x8c, 0xc2, 0x2a, 0xf1, 0x66}};
    virtual HRESULT STDMETHODCALLTYPE GetRowHeaders(SAFEARRAY** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColumnHeaders(SAFEARRAY** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowOrColumnMajor(RowOrColumnMajor* result) = 0;
};

struct ITableItemProvider : IUnknown {
    static constexpr IID kIid{
        0xb9734fa6, 0x771f, 0x4d78, {0x9c, 0x90, 0x25, 0x17, 0x99, 0x93, 0x49, 0xcd}};
    virtual HRESULT STDMETHODCALLTYPE GetRowHeaderItems(SAFEARRAY** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColumnHeaderItems(SAFEARRAY** result) = 0;
};

// The functions of uiautomationcore.dll the program uses. A function the system lacks is null
// (UiaDisconnectProvider came with Windows 8).
struct TCore {
    LRESULT(WINAPI* ReturnRawElementProvider)
    (HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
    HRESULT(WINAPI* HostProviderFromHwnd)(HWND, IRawElementProviderSimple**) = nullptr;
    HRESULT(WINAPI* RaiseAutomationEvent)(IRawElementProviderSimple*, EVENTID) = nullptr;
    HRESULT(WINAPI* RaisePropertyChangedEvent)
    (IRawElementProviderSimple*, PROPERTYID, VARIANT, VARIANT) = nullptr;
    HRESULT(WINAPI* RaiseStructureChangedEvent)
    (IRawElementProviderSimple*, int, int*, int) = nullptr;
    BOOL(WINAPI* ClientsAreListening)() = nullptr;
    HRESULT(WINAPI* DisconnectProvider)(IRawElementProviderSimple*) = nullptr;
};

// The system's UI Automation, loaded on first use from the system folder; null when the system
// has none. Tests may replace the functions to see what the program tells it.
TCore* Core();

}  // namespace uia
