#pragma once

#include <functional>

#include "framework/Component.h"
#include "framework/Keys.h"
#include "graphics/Geometry.h"

// Event signatures shared by controls. An empty event is skipped.
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// Sets handled to stop the wheel from reaching the parent.
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int delta, TPoint pos, bool& handled)>;
// Setting key to 0 marks it handled.
using TKeyEvent = std::function<void(TObject* sender, TKey& key, TShiftState shift)>;
// Setting ch to 0 marks it handled.
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& ch)>;
