#pragma once

#include "base/StoreChanged.h"

// A property setter of the chart engine: compare, store, and only on a change run `changed`
// (which requests the repaint).
#define VIGIL_CHART_SETTER(Class, Name, field, Type, changed) \
    void Class::Set##Name(Type value) {                       \
        if (StoreChanged(field, value)) changed;              \
    }
