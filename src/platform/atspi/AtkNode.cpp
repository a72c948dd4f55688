#include <array>
#include <string>
#include <tuple>

#include "platform/atspi/AtkNode_p.h"
#include "platform/atspi/AtspiBridge.h"

namespace {

// ATK hands out borrowed strings: each object keeps the last one of each kind it returned.
struct TKeptTexts {
    std::string Name, Description, Shown, Column, Keys;
};

struct TAtkNode {
    AtkObject parent;
    TAtspiBridge* bridge;
    TAccessible* node;
    TKeptTexts* kept;
};

struct TAtkNodeClass {
    AtkObjectClass parent;
};

// Which ATK interfaces a class implements, beyond the component every node has.
enum : unsigned { kWithAction = 1, kWithTable = 2, kWithText = 4, kWithSelection = 8 };

GType AtkNodeType(unsigned interfaces);

TAtkNode* Fields(gpointer object) {
    return reinterpret_cast<TAtkNode*>(object);
}

TAccessible* Target(gpointer object) {
    return Fields(object)->node;
}

TAtspiBridge& Bridge(gpointer object) {
    return *Fields(object)->bridge;
}

AtkObject* Wrap(gpointer object, TAccessible* node) {
    return Bridge(object).Wrap(node);
}

AtkObject* Ref(AtkObject* object) {
    return object ? ATK_OBJECT(g_object_ref(object)) : nullptr;
}

// ---- AtkObject ----

TKeptTexts& Kept(gpointer object) {
    return *Fields(object)->kept;
}

const gchar* GetName(AtkObject* object) {
    TAccessible* node = Target(object);
    std::string& name = Kept(object).Name;
    name = node ? node->Describe().Name : std::string();
    return name.c_str();
}

const gchar* GetDescription(AtkObject* object) {
    TAccessible* node = Target(object);
    std::string& description = Kept(object).Description;
    description = node ? node->Describe().Description : std::string();
    return description.c_str();
}

AtkObject* GetParent(AtkObject* object) {
    TAccessible* node = Target(object);
    return node ? Wrap(object, node->Parent()) : nullptr;
}

gint GetChildCount(AtkObject* object) {
    TAccessible* node = Target(object);
    return node ? node->ChildCount() : 0;
}

AtkObject* RefChild(AtkObject* object, gint index) {
    TAccessible* node = Target(object);
    return node ? Ref(Wrap(object, node->Child(index))) : nullptr;
}

gint GetIndexInParent(AtkObject* object) {
    TAccessible* node = Target(object);
    return node ? node->IndexInParent() : -1;
}

AtkRole GetRole(AtkObject* object) {
    TAccessible* node = Target(object);
    return node ? AtkRoleOf(node->Describe()) : ATK_ROLE_INVALID;
}

AtkStateSet* RefStateSet(AtkObject* object) {
    AtkStateSet* set = atk_state_set_new();
    TAccessible* node = Target(object);
    if (!node) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    const TAccDescription d = node->Describe();
    const TAccStates s = d.States;
    if (!(s & asDisabled)) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    if (!(s & asInvisible)) {
        atk_state_set_add_state(set, ATK_STATE_VISIBLE);
        atk_state_set_add_state(set, ATK_STATE_SHOWING);
    }
    const bool window = d.Role == arWindow || d.Role == arDialog;
    const std::array<std::pair<TAccStates, AtkStateType>, 9> map{{
        {asFocusable, ATK_STATE_FOCUSABLE},
        {asFocused, window ? ATK_STATE_ACTIVE : ATK_STATE_FOCUSED},
        {asSelectable, ATK_STATE_SELECTABLE},
        {asSelected, ATK_STATE_SELECTED},
        {asCheckable, ATK_STATE_CHECKABLE},
        {asChecked, ATK_STATE_CHECKED},
        {asReadOnly, ATK_STATE_READ_ONLY},
        {asPressed, ATK_STATE_PRESSED},
        {asDefault, ATK_STATE_DEFAULT},
    }};
    for (const auto& [bit, state] : map) {
        if (s & bit) atk_state_set_add_state(set, state);
    }
    // A table's rows are made on demand: readers must not walk them all.
    if (node->Table()) atk_state_set_add_state(set, ATK_STATE_MANAGES_DESCENDANTS);
    if (d.Role == arRow || d.Role == arCell) atk_state_set_add_state(set, ATK_STATE_TRANSIENT);
    if (d.Role == arLabel || d.Role == arText) atk_state_set_add_state(set, ATK_STATE_SINGLE_LINE);
    return set;
}

void Finalize(GObject* object) {
    delete Fields(object)->kept;
    G_OBJECT_CLASS(g_type_class_peek_parent(G_OBJECT_GET_CLASS(object)))->finalize(object);
}

void ClassInit(gpointer klass, gpointer) {
    auto* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = GetName;
    atk->get_description = GetDescription;
    atk->get_parent = GetParent;
    atk->get_n_children = GetChildCount;
    atk->ref_child = RefChild;
    atk->get_index_in_parent = GetIndexInParent;
    atk->get_role = GetRole;
    atk->ref_state_set = RefStateSet;
    G_OBJECT_CLASS(klass)->finalize = Finalize;
}

// ---- AtkComponent ----

TRect ExtentsIn(AtkObject* object, AtkCoordType coords) {
    TAccessible* node = Target(object);
    if (!node) return {};
    TRect r = node->ScreenBounds();
    if (coords == ATK_XY_SCREEN || r.IsEmpty()) return r;
    TAccessible* frame = node;
    if (coords == ATK_XY_PARENT) {
        frame = node->Parent();
    } else {
        while (frame->Parent() && frame->Parent()->Parent()) frame = frame->Parent();
    }
    TRect origin = frame ? frame->ScreenBounds() : TRect{};
    return r.Offset(-origin.Left, -origin.Top);
}

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                AtkCoordType coords) {
    TRect r = ExtentsIn(ATK_OBJECT(component), coords);
    if (x) *x = r.Left;
    if (y) *y = r.Top;
    if (width) *width = r.Width();
    if (height) *height = r.Height();
}

AtkObject* RefAccessibleAtPoint(AtkComponent* component, gint x, gint y, AtkCoordType coords) {
    TAccessible* node = Target(component);
    if (!node) return nullptr;
    TRect here = ExtentsIn(ATK_OBJECT(component), coords);
    TRect screen = node->ScreenBounds();
    TPoint p{x - here.Left + screen.Left, y - here.Top + screen.Top};
    TAccessible* hit = node->NodeAt(p);
    return hit && hit != node ? Ref(Wrap(component, hit)) : nullptr;
}

gboolean GrabFocus(AtkComponent* component) {
    TAccessible* node = Target(component);
    return node && node->Focus();
}

void ComponentInit(gpointer iface, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(iface);
    c->get_extents = GetExtents;
    c->ref_accessible_at_point = RefAccessibleAtPoint;
    c->grab_focus = GrabFocus;
}

// ---- AtkAction ----

const char* ActionName(TAccAction action) {
    switch (action) {
        case aaPress:
            return "click";
        case aaSelect:
            return "select";
        case aaOpenLink:
            return "jump";
        case aaNone:
            break;
    }
    return nullptr;
}

gboolean DoAction(AtkAction* action, gint index) {
    TAccessible* node = Target(action);
    if (!node || index != 0 || node->Describe().DefaultAction == aaNone) return FALSE;
    Bridge(action).ActLater(*node);
    return TRUE;
}

gint GetActionCount(AtkAction* action) {
    TAccessible* node = Target(action);
    return node && node->Describe().DefaultAction != aaNone ? 1 : 0;
}

const gchar* GetActionName(AtkAction* action, gint index) {
    TAccessible* node = Target(action);
    return node && index == 0 ? ActionName(node->Describe().DefaultAction) : nullptr;
}

const gchar* GetKeyBinding(AtkAction* action, gint index) {
    TAccessible* node = Target(action);
    if (!node || index != 0) return nullptr;
    std::string& keys = Kept(action).Keys;
    keys = node->Describe().Shortcut;
    return keys.empty() ? nullptr : keys.c_str();
}

void ActionInit(gpointer iface, gpointer) {
    auto* a = static_cast<AtkActionIface*>(iface);
    a->do_action = DoAction;
    a->get_n_actions = GetActionCount;
    a->get_name = GetActionName;
    a->get_keybinding = GetKeyBinding;
}

// ---- AtkTable ----

TAccTable* TableOf(gpointer object) {
    TAccessible* node = Target(object);
    return node ? node->Table() : nullptr;
}

AtkObject* RefAt(AtkTable* table, gint row, gint column) {
    TAccTable* t = TableOf(table);
    return t ? Ref(Wrap(table, t->Cell(row, column))) : nullptr;
}

gint GetRowCount(AtkTable* table) {
    TAccTable* t = TableOf(table);
    return t ? t->RowCount() : 0;
}

gint GetColumnCount(AtkTable* table) {
    TAccTable* t = TableOf(table);
    return t ? t->ColumnCount() : 0;
}

// Cells are children of their rows; a cell's index counts the cells before it row by row.
gint GetIndexAt(AtkTable* table, gint row, gint column) {
    TAccTable* t = TableOf(table);
    return t ? row * t->ColumnCount() + column : -1;
}

gint GetRowAtIndex(AtkTable* table, gint index) {
    TAccTable* t = TableOf(table);
    return t && t->ColumnCount() ? index / t->ColumnCount() : -1;
}

gint GetColumnAtIndex(AtkTable* table, gint index) {
    TAccTable* t = TableOf(table);
    return t && t->ColumnCount() ? index % t->ColumnCount() : -1;
}

AtkObject* GetColumnHeader(AtkTable* table, gint column) {
    TAccTable* t = TableOf(table);
    return t ? Wrap(table, t->ColumnHeader(column)) : nullptr;
}

const gchar* GetColumnDescription(AtkTable* table, gint column) {
    TAccTable* t = TableOf(table);
    if (!t) return nullptr;
    std::string& kept = Kept(table).Column;
    kept = t->ColumnHeaderText(column);
    return kept.c_str();
}

gint GetSelectedRows(AtkTable* table, gint** selected) {
    TAccTable* t = TableOf(table);
    int row = t ? t->SelectedRow() : -1;
    if (row < 0) {
        if (selected) *selected = nullptr;
        return 0;
    }
    if (selected) {
        *selected = g_new(gint, 1);
        (*selected)[0] = row;
    }
    return 1;
}

gboolean IsRowSelected(AtkTable* table, gint row) {
    TAccTable* t = TableOf(table);
    return t && row >= 0 && t->SelectedRow() == row;
}

gboolean IsSelected(AtkTable* table, gint row, gint) {
    return IsRowSelected(table, row);
}

gboolean AddRowSelection(AtkTable* table, gint row) {
    TAccTable* t = TableOf(table);
    return t && t->SelectRow(row);
}

void TableInit(gpointer iface, gpointer) {
    auto* t = static_cast<AtkTableIface*>(iface);
    t->ref_at = RefAt;
    t->get_index_at = GetIndexAt;
    t->get_row_at_index = GetRowAtIndex;
    t->get_column_at_index = GetColumnAtIndex;
    t->get_n_rows = GetRowCount;
    t->get_n_columns = GetColumnCount;
    t->get_column_header = GetColumnHeader;
    t->get_column_description = GetColumnDescription;
    t->get_selected_rows = GetSelectedRows;
    t->is_row_selected = IsRowSelected;
    t->is_selected = IsSelected;
    t->add_row_selection = AddRowSelection;
}

// ---- AtkSelection: the selected child of a tab list or a table ----

// The child index of the row that is selected in a table, or the tabs' selected child.
int SelectedChild(TAccessible& node) {
    if (TAccTable* t = node.Table()) {
        int row = t->SelectedRow();
        return row < 0 ? -1 : t->ColumnCount() + row;
    }
    for (int i = 0, n = node.ChildCount(); i < n; ++i) {
        TAccessible* child = node.Child(i);
        if (child && (child->Describe().States & asSelected)) return i;
    }
    return -1;
}

gboolean AddSelection(AtkSelection* selection, gint index) {
    TAccessible* node = Target(selection);
    TAccessible* child = node ? node->Child(index) : nullptr;
    if (!child || child->Describe().DefaultAction != aaSelect) return FALSE;
    return child->DoDefaultAction();
}

AtkObject* RefSelection(AtkSelection* selection, gint index) {
    TAccessible* node = Target(selection);
    if (!node || index != 0) return nullptr;
    int child = SelectedChild(*node);
    return child < 0 ? nullptr : Ref(Wrap(selection, node->Child(child)));
}

gint GetSelectionCount(AtkSelection* selection) {
    TAccessible* node = Target(selection);
    return node && SelectedChild(*node) >= 0 ? 1 : 0;
}

gboolean IsChildSelected(AtkSelection* selection, gint index) {
    TAccessible* node = Target(selection);
    return node && index >= 0 && SelectedChild(*node) == index;
}

void SelectionInit(gpointer iface, gpointer) {
    auto* s = static_cast<AtkSelectionIface*>(iface);
    s->add_selection = AddSelection;
    s->ref_selection = RefSelection;
    s->get_selection_count = GetSelectionCount;
    s->is_child_selected = IsChildSelected;
}

// ---- AtkText: read-only text of labels and panes ----

std::string TextOf(gpointer object) {
    TAccessible* node = Target(object);
    return node ? AtkNodeText(node->Describe()) : std::string();
}

gchar* GetText(AtkText* text, gint start, gint end) {
    std::string s = TextOf(text);
    glong count = g_utf8_strlen(s.c_str(), -1);
    if (end < 0 || end > count) end = static_cast<gint>(count);
    if (start < 0 || start > end) start = end;
    return g_utf8_substring(s.c_str(), start, end);
}

gint GetCharacterCount(AtkText* text) {
    return static_cast<gint>(g_utf8_strlen(TextOf(text).c_str(), -1));
}

gunichar GetCharacterAtOffset(AtkText* text, gint offset) {
    std::string s = TextOf(text);
    if (offset < 0 || offset >= g_utf8_strlen(s.c_str(), -1)) return 0;
    return g_utf8_get_char(g_utf8_offset_to_pointer(s.c_str(), offset));
}

gint GetCaretOffset(AtkText*) {
    return -1;
}

// The texts are single lines: every unit asked for is the whole text.
gchar* GetStringAtOffset(AtkText* text, gint, AtkTextGranularity, gint* start, gint* end) {
    std::string s = TextOf(text);
    *start = 0;
    *end = static_cast<gint>(g_utf8_strlen(s.c_str(), -1));
    return g_strdup(s.c_str());
}

void TextInit(gpointer iface, gpointer) {
    auto* t = static_cast<AtkTextIface*>(iface);
    t->get_text = GetText;
    t->get_character_count = GetCharacterCount;
    t->get_character_at_offset = GetCharacterAtOffset;
    t->get_caret_offset = GetCaretOffset;
    t->get_string_at_offset = GetStringAtOffset;
}

GType AtkNodeType(unsigned interfaces) {
    static std::array<GType, 16> types{};
    GType& type = types[interfaces];
    if (type) return type;
    const GTypeInfo typeInfo{
        sizeof(TAtkNodeClass), nullptr, nullptr, ClassInit, nullptr, nullptr,
        sizeof(TAtkNode),      0,       nullptr, nullptr,
    };
    const std::string name = "VigilAccessible" + std::to_string(interfaces);
    type = g_type_register_static(ATK_TYPE_OBJECT, name.c_str(), &typeInfo, GTypeFlags(0));
    const std::array<std::tuple<unsigned, GType, GInterfaceInitFunc>, 5> parts{{
        {0, ATK_TYPE_COMPONENT, ComponentInit},
        {kWithAction, ATK_TYPE_ACTION, ActionInit},
        {kWithTable, ATK_TYPE_TABLE, TableInit},
        {kWithSelection, ATK_TYPE_SELECTION, SelectionInit},
        {kWithText, ATK_TYPE_TEXT, TextInit},
    }};
    for (const auto& [bit, iface, init] : parts) {
        if (bit && !(interfaces & bit)) continue;
        const GInterfaceInfo info{init, nullptr, nullptr};
        g_type_add_interface_static(type, iface, &info);
    }
    return type;
}

}  // namespace

AtkRole AtkRoleOf(const TAccDescription& d) {
    switch (d.Role) {
        case arApplication:
            return ATK_ROLE_APPLICATION;
        case arWindow:
            return ATK_ROLE_FRAME;
        case arDialog:
            return ATK_ROLE_DIALOG;
        case arPane:
        case arPropertyPage:
            return ATK_ROLE_PANEL;
        case arToolBar:
            return ATK_ROLE_TOOL_BAR;
        case arPushButton:
            return d.States & asCheckable ? ATK_ROLE_TOGGLE_BUTTON : ATK_ROLE_PUSH_BUTTON;
        case arPageTabList:
            return ATK_ROLE_PAGE_TAB_LIST;
        case arPageTab:
            return ATK_ROLE_PAGE_TAB;
        case arTable:
            return ATK_ROLE_TABLE;
        case arColumnHeader:
            return ATK_ROLE_COLUMN_HEADER;
        case arRow:
            return ATK_ROLE_TABLE_ROW;
        case arCell:
            return ATK_ROLE_TABLE_CELL;
        case arStatusBar:
            return ATK_ROLE_STATUSBAR;
        case arLabel:
            return ATK_ROLE_LABEL;
        case arLink:
            return ATK_ROLE_LINK;
        case arText:
            return ATK_ROLE_TEXT;
        case arScrollBar:
            return ATK_ROLE_SCROLL_BAR;
        case arChart:
            return ATK_ROLE_CHART;
    }
    return ATK_ROLE_UNKNOWN;
}

std::string AtkNodeText(const TAccDescription& d) {
    return d.Value.empty() ? d.Name : d.Value;
}

AtkObject* NewAtkNode(TAtspiBridge& bridge, TAccessible& node) {
    const TAccDescription d = node.Describe();
    unsigned interfaces = 0;
    if (d.DefaultAction != aaNone) interfaces |= kWithAction;
    if (node.Table()) interfaces |= kWithTable | kWithSelection;
    if (d.Role == arPageTabList) interfaces |= kWithSelection;
    if (d.Role == arLabel || d.Role == arText || d.Role == arLink || !d.Value.empty())
        interfaces |= kWithText;
    auto* object = ATK_OBJECT(g_object_new(AtkNodeType(interfaces), nullptr));
    TAtkNode* fields = Fields(object);
    fields->bridge = &bridge;
    fields->node = &node;
    fields->kept = new TKeptTexts;
    fields->kept->Shown = AtkNodeText(d);
    object->role = AtkRoleOf(d);
    return object;
}

TAccessible* AtkNodeTarget(AtkObject* object) {
    return Target(object);
}

void DetachAtkNode(AtkObject* object) {
    Fields(object)->node = nullptr;
    atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
}

std::string& AtkNodeShownText(AtkObject* object) {
    return Kept(object).Shown;
}
