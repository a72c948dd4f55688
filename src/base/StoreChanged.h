#pragma once

#include <type_traits>

// The compare and store of a property setter: true when `value` differed from what `field`
// held, so the setter repaints or lays out again only on a change. The field alone decides the
// type, so a setter may pass anything that converts to it.
template <class T>
[[nodiscard]] bool StoreChanged(T& field, const std::type_identity_t<T>& value) {
    if (field == value) return false;
    field = value;
    return true;
}
