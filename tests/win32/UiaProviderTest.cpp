#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/FormHistory.h"
#include "app/UnitFormAbout.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "framework/Timer.h"
#include "platform/win32/UiaApi_p.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Window_p.h"
#include "platform/win32/WinText.h"

// The main window's UI Automation provider, called in-process as a client would call it through
// the system (wine's own client side is too incomplete to go through).

namespace {

// Holds one COM reference.
template <class I>
class TRef {
  public:
    TRef() = default;
    explicit TRef(I* p) : p_(p) {}
    TRef(const TRef& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    TRef& operator=(TRef o) {
        std::swap(p_, o.p_);
        return *this;
    }
    ~TRef() {
        if (p_) p_->Release();
    }
    I* operator->() const { return p_; }
    I* get() const { return p_; }
    I** put() { return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

    template <class J>
    TRef<J> As(const IID& iid) const {
        TRef<J> out;
        if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(out.put()));
        return out;
    }

  private:
    I* p_ = nullptr;
};

using TElement = TRef<IRawElementProviderSimple>;
using TFragment = TRef<IRawElementProviderFragment>;

TFragment Fragment(const TElement& e) {
    return e.As<IRawElementProviderFragment>(__uuidof(IRawElementProviderFragment));
}

TElement Simple(const TFragment& f) {
    return f.As<IRawElementProviderSimple>(__uuidof(IRawElementProviderSimple));
}

// Identity as COM defines it: the same IUnknown.
bool Same(const TElement& a, const TElement& b) {
    return a && b &&
           a.As<IUnknown>(__uuidof(IUnknown)).get() == b.As<IUnknown>(__uuidof(IUnknown)).get();
}

std::string Text(const TElement& e, PROPERTYID property) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(e->GetPropertyValue(property, &v), S_OK);
    std::string out = v.vt == VT_BSTR ? Utf8FromWide(v.bstrVal) : std::string();
    VariantClear(&v);
    return out;
}

std::string Name(const TElement& e) {
    return Text(e, UIA_NamePropertyId);
}

int Type(const TElement& e) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(e->GetPropertyValue(UIA_ControlTypePropertyId, &v), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    return v.lVal;
}

bool Flag(const TElement& e, PROPERTYID property) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(e->GetPropertyValue(property, &v), S_OK);
    EXPECT_EQ(v.vt, VT_BOOL);
    return v.boolVal == VARIANT_TRUE;
}

TElement Go(const TElement& e, NavigateDirection direction) {
    TFragment f = Fragment(e), out;
    EXPECT_TRUE(f);
    if (f) {
        EXPECT_EQ(f->Navigate(direction, out.put()), S_OK);
    }
    return Simple(out);
}

template <class P>
TRef<P> Pattern(const TElement& e, PATTERNID pattern) {
    TRef<IUnknown> unknown;
    EXPECT_EQ(e->GetPatternProvider(pattern, unknown.put()), S_OK);
    return unknown.template As<P>(P::kIid);
}

// Every element under e, depth first, as a reader walking the tree finds them.
void Walk(const TElement& e, std::vector<TElement>& out) {
    for (TElement c = Go(e, NavigateDirection_FirstChild); c;
         c = Go(c, NavigateDirection_NextSibling)) {
        out.push_back(c);
        Walk(c, out);
    }
}

std::vector<TElement> ArrayElements(SAFEARRAY* array) {
    std::vector<TElement> out;
    if (!array) return out;
    for (LONG i = 0; i < static_cast<LONG>(array->rgsabound[0].cElements); ++i) {
        IUnknown* item = nullptr;
        SafeArrayGetElement(array, &i, &item);
        TRef<IUnknown> held(item);
        out.push_back(held.As<IRawElementProviderSimple>(__uuidof(IRawElementProviderSimple)));
    }
    SafeArrayDestroy(array);
    return out;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The fixture's application needs its host from the start; without one nothing here means anything.
std::unique_ptr<TWin32Host> OpenHost() {
    TResult<std::unique_ptr<TWin32Host>> opened = TWin32Host::Open();
    if (!opened.Ok()) {
        std::fprintf(stderr, "no Windows host: %s\n", opened.Error().c_str());
        std::abort();
    }
    return std::move(opened).Value();
}

class UiaProvider : public ::testing::Test {
  protected:
    TScopedFormHistory log{SampleLog(false)};
    std::unique_ptr<TWin32Host> host = OpenHost();
    TApplication app{*host};
    TFormVigil* form = nullptr;
    TElement root;

    void SetUp() override {
        app.CreateForm(FormVigil);
        form = FormVigil;
        form->Show();
        Pump();
        root = TElement(static_cast<TWin32Window*>(form->HostWindow())->AutomationProvider());
        ASSERT_TRUE(root) << "no UI Automation provider";
    }

    std::vector<TElement> All() {
        std::vector<TElement> all;
        Walk(root, all);
        return all;
    }
    std::vector<std::string> NamesOf(int controlType) {
        std::vector<std::string> names;
        for (const TElement& e : All())
            if (Type(e) == controlType) names.push_back(Name(e));
        return names;
    }
    TElement Find(int controlType, const std::string& name) {
        for (const TElement& e : All())
            if (Type(e) == controlType && Name(e) == name) return e;
        ADD_FAILURE() << "no element " << name << " of type " << controlType;
        return {};
    }
    TElement Table() {
        for (const TElement& e : All())
            if (Type(e) == uia::kDataGridControl) return e;
        ADD_FAILURE() << "no table";
        return {};
    }
    int Rows() {
        int rows = -1;
        Pattern<uia::IGridProvider>(Table(), UIA_GridPatternId)->get_RowCount(&rows);
        return rows;
    }
};

TEST_F(UiaProvider, TheFormIsTheRootOfItsWindow) {
    EXPECT_EQ(Name(root), "Vigil");
    EXPECT_EQ(Type(root), uia::kWindowControl);
    EXPECT_FALSE(Flag(root, UIA_IsDialogPropertyId));
    EXPECT_TRUE(
        root.As<IRawElementProviderFragmentRoot>(__uuidof(IRawElementProviderFragmentRoot)));
    EXPECT_FALSE(Go(root, NavigateDirection_Parent)) << "the window's own provider is its parent";
    EXPECT_FALSE(Go(root, NavigateDirection_NextSibling));
    SAFEARRAY* id = reinterpret_cast<SAFEARRAY*>(1);
    EXPECT_EQ(Fragment(root)->GetRuntimeId(&id), S_OK);
    EXPECT_EQ(id, nullptr) << "the window supplies the root's id";
    TElement host;
    EXPECT_EQ(root->get_HostRawElementProvider(host.put()), S_OK);
    EXPECT_TRUE(host) << "the system's provider of the window frames the form";
    ProviderOptions options{};
    root->get_ProviderOptions(&options);
    EXPECT_TRUE(options & ProviderOptions_ServerSideProvider);
    EXPECT_TRUE(options & ProviderOptions_UseComThreading) << "calls must reach the loop's thread";

    // The window's bounds, on the screen.
    UiaRect r{};
    EXPECT_EQ(Fragment(root)->get_BoundingRectangle(&r), S_OK);
    const TRect b = form->BoundsRect();
    EXPECT_EQ(r.left, b.Left);
    EXPECT_EQ(r.top, b.Top);
    EXPECT_EQ(r.width, b.Width());
    EXPECT_EQ(r.height, b.Height());

    // The window answers the system's question with the same element.
    const LRESULT answer = SendMessageW(static_cast<TWin32Window*>(form->HostWindow())->Handle(),
                                        WM_GETOBJECT, 0, static_cast<LPARAM>(uia::kRootObjectId));
    EXPECT_NE(answer, 0);
}

TEST_F(UiaProvider, ADialogFormSaysItIsADialog) {
    TForm box(nullptr);
    box.SetBorderStyle(bsDialog);
    box.SetCaption("Box");
    box.Show();
    TElement element(static_cast<TWin32Window*>(box.HostWindow())->AutomationProvider());
    ASSERT_TRUE(element);
    EXPECT_EQ(Name(element), "Box");
    EXPECT_EQ(Type(element), uia::kWindowControl);
    EXPECT_TRUE(Flag(element, UIA_IsDialogPropertyId));
}

TEST_F(UiaProvider, ControlsAreNamedByTheirCaptionsWithTheirRoles) {
    // The hidden help button is left out, as a hidden window would be.
    EXPECT_EQ(NamesOf(uia::kButtonControl),
              (std::vector<std::string>{"刷新", "关于", "升级", "主页", "退出"}));
    EXPECT_EQ(NamesOf(uia::kTabItemControl), (std::vector<std::string>{"日志", "图表", "统计"}));
    EXPECT_EQ(NamesOf(uia::kToolBarControl).size(), 1u);
    EXPECT_EQ(NamesOf(uia::kTabControl).size(), 1u);
    EXPECT_EQ(NamesOf(uia::kStatusBarControl).size(), 1u);
    EXPECT_EQ(NamesOf(uia::kDataGridControl).size(), 1u);
    TElement refresh = Find(uia::kButtonControl, "刷新");
    EXPECT_EQ(Text(refresh, UIA_AccessKeyPropertyId), "Alt+R");
    EXPECT_TRUE(Flag(refresh, UIA_IsEnabledPropertyId));
    // Only the form is a fragment root.
    EXPECT_FALSE(
        refresh.As<IRawElementProviderFragmentRoot>(__uuidof(IRawElementProviderFragmentRoot)));
    TElement none;
    EXPECT_EQ(refresh->get_HostRawElementProvider(none.put()), S_OK);
    EXPECT_FALSE(none);

    // Status panes and labels give their texts as values.
    std::vector<std::string> values;
    for (const TElement& e : All()) {
        if (Type(e) != uia::kTextControl) continue;
        if (auto value = Pattern<uia::IValueProvider>(e, UIA_ValuePatternId)) {
            BSTR text = nullptr;
            EXPECT_EQ(value->get_Value(&text), S_OK);
            values.push_back(Utf8FromWide(text));
            SysFreeString(text);
            BOOL readOnly = FALSE;
            value->get_IsReadOnly(&readOnly);
            EXPECT_TRUE(readOnly);
            EXPECT_EQ(value->SetValue(L"x"), uia::kInvalidOperation);
        }
    }
    EXPECT_NE(std::find(values.begin(), values.end(), form->WsStatusPane1->Caption()),
              values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), form->WsStatusPane2->Caption()),
              values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), "开机/关机日志"), values.end());
    // A button is pressed, not read as a value, nor selected.
    EXPECT_FALSE(Pattern<uia::IValueProvider>(refresh, UIA_ValuePatternId));
    EXPECT_FALSE(Pattern<uia::ISelectionItemProvider>(refresh, UIA_SelectionItemPatternId));
}

TEST_F(UiaProvider, NavigationAgreesInEveryDirection) {
    const std::vector<TElement> all = All();
    ASSERT_GT(all.size(), 20u);
    for (const TElement& e : all) {
        SCOPED_TRACE(Name(e));
        if (TElement first = Go(e, NavigateDirection_FirstChild)) {
            EXPECT_TRUE(Same(Go(first, NavigateDirection_Parent), e));
            EXPECT_FALSE(Go(first, NavigateDirection_PreviousSibling));
            TElement last = Go(e, NavigateDirection_LastChild);
            EXPECT_TRUE(Same(Go(last, NavigateDirection_Parent), e));
            EXPECT_FALSE(Go(last, NavigateDirection_NextSibling));
        }
        if (TElement next = Go(e, NavigateDirection_NextSibling)) {
            EXPECT_TRUE(Same(Go(next, NavigateDirection_PreviousSibling), e));
        }
        TRef<IRawElementProviderFragmentRoot> top;
        EXPECT_EQ(Fragment(e)->get_FragmentRoot(top.put()), S_OK);
        EXPECT_TRUE(
            Same(top.As<IRawElementProviderSimple>(__uuidof(IRawElementProviderSimple)), root));
        // Runtime ids tell elements apart.
        SAFEARRAY* id = nullptr;
        ASSERT_EQ(Fragment(e)->GetRuntimeId(&id), S_OK);
        ASSERT_NE(id, nullptr);
        EXPECT_EQ(id->rgsabound[0].cElements, 2u);
        SafeArrayDestroy(id);
    }
    // The element at a point is the deepest one there: the middle of the refresh button.
    TElement refresh = Find(uia::kButtonControl, "刷新");
    UiaRect r{};
    Fragment(refresh)->get_BoundingRectangle(&r);
    EXPECT_GT(r.width, 0);
    TFragment hit;
    auto fragmentRoot =
        root.As<IRawElementProviderFragmentRoot>(__uuidof(IRawElementProviderFragmentRoot));
    EXPECT_EQ(fragmentRoot->ElementProviderFromPoint(r.left + r.width / 2, r.top + r.height / 2,
                                                     hit.put()),
              S_OK);
    EXPECT_TRUE(Same(Simple(hit), refresh));
}

TEST_F(UiaProvider, InvokingRefreshRereadsTheLog) {
    std::vector<TWtmpEntry> more = SampleLog(false);
    more.push_back(ShutdownEntry(UtcSeconds(2024, 5, 3, 18, 0, 0)));
    more.push_back(BootEntry(UtcSeconds(2024, 5, 4, 8, 0, 0)));
    log.Rewrite(more);
    ASSERT_EQ(Rows(), 3);

    TElement refresh = Find(uia::kButtonControl, "刷新");
    auto invoke = Pattern<uia::IInvokeProvider>(refresh, UIA_InvokePatternId);
    ASSERT_TRUE(invoke);
    ASSERT_EQ(invoke->Invoke(), S_OK);
    // The client's call returns before the action: it runs from the window's messages, even
    // when the client has let go of the element by then.
    EXPECT_EQ(Rows(), 3);
    invoke = {};
    refresh = {};
    Pump();
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(form->WsLWMsg->Items().Count(), 4);

    // A disabled button says so and does nothing.
    form->TBExit->SetEnabled(false);
    TElement exit = Find(uia::kButtonControl, "退出");
    EXPECT_FALSE(Flag(exit, UIA_IsEnabledPropertyId));
    EXPECT_EQ(Pattern<uia::IInvokeProvider>(exit, UIA_InvokePatternId)->Invoke(),
              uia::kElementNotEnabled);
    Pump();
    EXPECT_TRUE(form->Visible());
}

TEST_F(UiaProvider, InvokingAboutOpensADialogWhileTheClientGoesOn) {
    ASSERT_EQ(Pattern<uia::IInvokeProvider>(Find(uia::kButtonControl, "关于"), UIA_InvokePatternId)
                  ->Invoke(),
              S_OK);
    // Read from inside the dialog's modal loop, then closed.
    std::string name, link;
    bool window = false, linkInvokes = false;
    TTimer reader(form);
    reader.SetInterval(50);
    reader.OnTimer = [&](TObject*) {
        reader.SetEnabled(false);
        for (TForm* f : app.Forms()) {
            auto* about = dynamic_cast<TFormAbout*>(f);
            if (!about) continue;
            TElement box(static_cast<TWin32Window*>(about->HostWindow())->AutomationProvider());
            name = Name(box);
            window = Type(box) == uia::kWindowControl;
            std::vector<TElement> inside;
            Walk(box, inside);
            for (const TElement& e : inside) {
                if (Type(e) != uia::kHyperlinkControl) continue;
                if (link.empty()) link = Name(e);
                linkInvokes =
                    Pattern<uia::IInvokeProvider>(e, UIA_InvokePatternId).get() != nullptr;
            }
            about->Close();
        }
    };
    Pump();
    EXPECT_EQ(name, "关于");
    EXPECT_TRUE(window);
    EXPECT_FALSE(link.empty());
    EXPECT_TRUE(linkInvokes);
}

TEST_F(UiaProvider, TheListIsATableWithHeadersRowsAndCells) {
    TElement table = Table();
    auto grid = Pattern<uia::IGridProvider>(table, UIA_GridPatternId);
    ASSERT_TRUE(grid);
    TWsListView& list = *form->WsLWMsg;
    int rows = 0, columns = 0;
    grid->get_RowCount(&rows);
    grid->get_ColumnCount(&columns);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(columns, list.Columns().Count());

    TElement cell;
    ASSERT_EQ(grid->GetItem(0, 1, cell.put()), S_OK);
    EXPECT_EQ(Name(cell), std::string(list.Items()[0]->Text(1)));
    auto item = Pattern<uia::IGridItemProvider>(cell, UIA_GridItemPatternId);
    ASSERT_TRUE(item);
    int row = -1, column = -1;
    item->get_Row(&row);
    item->get_Column(&column);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 1);
    TElement containing;
    item->get_ContainingGrid(containing.put());
    EXPECT_TRUE(Same(containing, table));
    // The cell's column header is the header element of its column.
    SAFEARRAY* array = nullptr;
    ASSERT_EQ(Pattern<uia::ITableItemProvider>(cell, UIA_TableItemPatternId)
                  ->GetColumnHeaderItems(&array),
              S_OK);
    std::vector<TElement> headerOfCell = ArrayElements(array);
    ASSERT_EQ(headerOfCell.size(), 1u);
    EXPECT_EQ(Type(headerOfCell[0]), uia::kHeaderItemControl);
    EXPECT_EQ(Name(headerOfCell[0]), list.Columns()[1]->Caption());

    ASSERT_EQ(Pattern<uia::ITableProvider>(table, UIA_TablePatternId)->GetColumnHeaders(&array),
              S_OK);
    std::vector<TElement> headers = ArrayElements(array);
    ASSERT_EQ(static_cast<int>(headers.size()), columns);
    EXPECT_TRUE(Same(headers[1], headerOfCell[0]));

    // A row is a data item named by its cells, whose children are those cells.
    TElement firstRow = Go(cell, NavigateDirection_Parent);
    EXPECT_EQ(Type(firstRow), uia::kDataItemControl);
    EXPECT_NE(Name(firstRow).find(std::string(list.Items()[0]->Text(1))), std::string::npos);
    EXPECT_TRUE(
        Same(Go(Go(firstRow, NavigateDirection_FirstChild), NavigateDirection_NextSibling), cell));

    TElement outside;
    EXPECT_EQ(grid->GetItem(3, 0, outside.put()), E_INVALIDARG);
    EXPECT_EQ(grid->GetItem(0, columns, outside.put()), E_INVALIDARG);
    EXPECT_FALSE(outside);
}

TEST_F(UiaProvider, TabsAndRowsAreSelected) {
    TElement chart = Find(uia::kTabItemControl, "图表");
    auto tab = Pattern<uia::ISelectionItemProvider>(chart, UIA_SelectionItemPatternId);
    ASSERT_TRUE(tab);
    BOOL selected = TRUE;
    tab->get_IsSelected(&selected);
    EXPECT_FALSE(selected);
    // With one page shown, another tab cannot be added to the selection.
    EXPECT_EQ(tab->AddToSelection(), uia::kInvalidOperation);
    ASSERT_EQ(tab->Select(), S_OK);
    EXPECT_EQ(form->WsPageControl1->ActivePage(), form->TabSheet2);
    tab->get_IsSelected(&selected);
    EXPECT_TRUE(selected);
    EXPECT_EQ(tab->AddToSelection(), S_OK);
    EXPECT_EQ(tab->RemoveFromSelection(), uia::kInvalidOperation);

    TElement tabs;
    tab->get_SelectionContainer(tabs.put());
    EXPECT_EQ(Type(tabs), uia::kTabControl);
    auto selection = Pattern<uia::ISelectionProvider>(tabs, UIA_SelectionPatternId);
    SAFEARRAY* array = nullptr;
    ASSERT_EQ(selection->GetSelection(&array), S_OK);
    std::vector<TElement> chosen = ArrayElements(array);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_TRUE(Same(chosen[0], chart));
    BOOL required = FALSE;
    selection->get_IsSelectionRequired(&required);
    EXPECT_TRUE(required);

    // The log page went behind its tab: the list is out of the tree until it shows again.
    EXPECT_TRUE(NamesOf(uia::kDataGridControl).empty());
    ASSERT_EQ(Pattern<uia::ISelectionItemProvider>(Find(uia::kTabItemControl, "日志"),
                                                   UIA_SelectionItemPatternId)
                  ->Select(),
              S_OK);

    TElement table = Table();
    TElement secondRow =
        Go(Go(table, NavigateDirection_LastChild), NavigateDirection_PreviousSibling);
    EXPECT_EQ(Type(secondRow), uia::kDataItemControl);
    ASSERT_EQ(Pattern<uia::ISelectionItemProvider>(secondRow, UIA_SelectionItemPatternId)->Select(),
              S_OK);
    EXPECT_EQ(form->WsLWMsg->ItemIndex(), 1);
    ASSERT_EQ(Pattern<uia::ISelectionProvider>(table, UIA_SelectionPatternId)->GetSelection(&array),
              S_OK);
    chosen = ArrayElements(array);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_TRUE(Same(chosen[0], secondRow));
}

TEST_F(UiaProvider, ElementsOfGoneRowsSayTheyAreGone) {
    TElement cell;
    ASSERT_EQ(Pattern<uia::IGridProvider>(Table(), UIA_GridPatternId)->GetItem(0, 0, cell.put()),
              S_OK);
    TElement row = Go(cell, NavigateDirection_Parent);
    ASSERT_TRUE(row);
    // Refreshing makes the rows anew.
    form->TBRefresh->Click();
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(row->GetPropertyValue(UIA_NamePropertyId, &v), uia::kElementNotAvailable);
    EXPECT_EQ(cell->GetPropertyValue(UIA_NamePropertyId, &v), uia::kElementNotAvailable);
    TFragment none;
    EXPECT_EQ(Fragment(row)->Navigate(NavigateDirection_Parent, none.put()),
              uia::kElementNotAvailable);
}

// What the program tells the system's UI Automation, recorded in place of the library.
struct TRecorded {
    // The event and the name and type of its element when it was raised.
    struct TEvent {
        EVENTID Id;
        std::string Name;
        int Type;
    };
    std::vector<TEvent> Events;
    std::vector<std::pair<PROPERTYID, std::string>> Properties;
    std::vector<IRawElementProviderSimple*> Disconnected;
};
TRecorded* gRecorded = nullptr;

HRESULT WINAPI RecordEvent(IRawElementProviderSimple* e, EVENTID id) {
    e->AddRef();
    TElement element(e);
    gRecorded->Events.push_back({id, Name(element), Type(element)});
    return S_OK;
}
HRESULT WINAPI RecordChange(IRawElementProviderSimple*, PROPERTYID id, VARIANT, VARIANT now) {
    gRecorded->Properties.emplace_back(id, now.vt == VT_BSTR ? Utf8FromWide(now.bstrVal) : "");
    return S_OK;
}
HRESULT WINAPI RecordDisconnect(IRawElementProviderSimple* e) {
    gRecorded->Disconnected.push_back(e);
    return S_OK;
}
BOOL WINAPI Listening() {
    return TRUE;
}

class UiaEvents : public UiaProvider {
  protected:
    uia::TCore saved_;
    TRecorded recorded;

    void SetUp() override {
        UiaProvider::SetUp();
        saved_ = *uia::Core();
        gRecorded = &recorded;
        uia::Core()->RaiseAutomationEvent = RecordEvent;
        uia::Core()->RaisePropertyChangedEvent = RecordChange;
        uia::Core()->DisconnectProvider = RecordDisconnect;
        uia::Core()->ClientsAreListening = Listening;
    }
    void TearDown() override {
        *uia::Core() = saved_;
        gRecorded = nullptr;
    }
    bool Raised(EVENTID id, int type, const std::string& name) {
        for (const TRecorded::TEvent& e : recorded.Events)
            if (e.Id == id && e.Type == type && e.Name == name) return true;
        return false;
    }
};

TEST_F(UiaEvents, FocusAndSelectionReachElementsNotYetVisited) {
    // The reader has seen only the window; the focus moves to the list by the keyboard.
    form->WsLWMsg->SetFocus();
    ASSERT_FALSE(recorded.Events.empty());
    EXPECT_EQ(recorded.Events.back().Id, uia::kFocusChangedEvent);
    EXPECT_EQ(recorded.Events.back().Type, uia::kDataGridControl);
    TFragment focused;
    root.As<IRawElementProviderFragmentRoot>(__uuidof(IRawElementProviderFragmentRoot))
        ->GetFocus(focused.put());
    ASSERT_TRUE(focused);
    const int type = Type(Simple(focused));
    EXPECT_TRUE(type == uia::kDataGridControl || type == uia::kDataItemControl) << type;

    recorded.Events.clear();
    form->WsPageControl1->SetActivePage(form->TabSheet3);
    EXPECT_TRUE(Raised(uia::kElementSelectedEvent, uia::kTabItemControl, "统计"));
}

TEST_F(UiaEvents, ChangedTextsOfKnownElementsAreTold) {
    TElement pane;
    for (const TElement& e : All())
        if (Type(e) == uia::kTextControl && Name(e) == form->WsStatusPane1->Caption()) pane = e;
    ASSERT_TRUE(pane);
    recorded.Properties.clear();
    form->WsStatusPane1->SetCaption("记录数:9");
    bool told = false;
    for (auto& [property, value] : recorded.Properties)
        told |= property == UIA_ValueValuePropertyId && value == "记录数:9";
    EXPECT_TRUE(told);

    // A button the reader knows becomes disabled: its enabled state changed, nothing else.
    TElement about = Find(uia::kButtonControl, "关于");
    recorded.Properties.clear();
    form->TBAbout->SetEnabled(false);
    ASSERT_EQ(recorded.Properties.size(), 1u);
    EXPECT_EQ(recorded.Properties[0].first, UIA_IsEnabledPropertyId);
}

TEST_F(UiaEvents, ElementsOfRemovedNodesAreDisconnected) {
    TElement cell;
    ASSERT_EQ(Pattern<uia::IGridProvider>(Table(), UIA_GridPatternId)->GetItem(1, 0, cell.put()),
              S_OK);
    form->TBRefresh->Click();
    EXPECT_NE(std::find(recorded.Disconnected.begin(), recorded.Disconnected.end(), cell.get()),
              recorded.Disconnected.end());
}

}  // namespace
