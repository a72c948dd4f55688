#include "platform/win32/UiaTree_p.h"

bool IsExposed(TAccessible& node) {
    const TAccDescription d = node.Describe();
    if (!(d.States & asInvisible)) return true;
    switch (d.Role) {
        case arRow:
        case arCell:
        case arColumnHeader:
        case arPageTab:
            return true;
        default:
            return false;
    }
}

TAccessible* ExposedChild(TAccessible& parent, int from, int step) {
    for (int i = from, n = parent.ChildCount(); i >= 0 && i < n; i += step) {
        TAccessible* child = parent.Child(i);
        if (child && IsExposed(*child)) return child;
    }
    return nullptr;
}

TAccessible* FocusedNodeIn(TAccessible& form) {
    for (TAccessible* child = ExposedChild(form, 0, 1); child;
         child = ExposedChild(form, child->IndexInParent() + 1, 1)) {
        const bool focused = child->Describe().States & asFocused;
        if (TAccTable* table = child->Table()) {
            // A table's rows are not walked: its focus is on the selected row or nowhere.
            if (!focused) continue;
            TAccessible* row = table->Row(table->SelectedRow());
            return row && (row->Describe().States & asFocused) ? row : child;
        }
        if (TAccessible* inner = FocusedNodeIn(*child)) return inner;
        if (focused) return child;
    }
    return nullptr;
}

TAccessible* SelectionContainerOf(TAccessible& node) {
    for (TAccessible* p = node.Parent(); p; p = p->Parent()) {
        if (p->Table() || p->Describe().Role == arPageTabList) return p;
    }
    return nullptr;
}

TAccessible* TableOf(TAccessible& node) {
    for (TAccessible* p = node.Parent(); p; p = p->Parent()) {
        if (p->Table()) return p;
    }
    return nullptr;
}
