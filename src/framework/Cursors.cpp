#include "framework/Cursors.h"

#include <map>

namespace {

std::map<TCursor, TCursor>& CursorTable() {
    static std::map<TCursor, TCursor> table;
    return table;
}

}  // namespace

void RegisterCursor(TCursor id, TCursor shape) {
    if (id <= 0) return;  // the standard shapes cannot be redefined
    CursorTable()[id] = shape < 0 ? shape : crArrow;
}

TCursor CursorShape(TCursor cursor) {
    if (cursor < 0 && cursor >= crSizeAll) return cursor;
    if (cursor > 0) {
        auto it = CursorTable().find(cursor);
        if (it != CursorTable().end()) return it->second;
    }
    return crArrow;
}
