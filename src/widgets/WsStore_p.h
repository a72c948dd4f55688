#pragma once

// The compare-and-store of every property setter: true when the value changed.
template <class T>
bool StoreChanged(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}
