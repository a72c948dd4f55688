#pragma once

#include <cstdint>

#include "framework/Keys.h"

// The framework's key code for an SDL key symbol; 0 for keys the framework has no code for.
TKey KeyFromSdl(std::int32_t sym);
// The shift state of SDL modifier flags.
TShiftState ModifierShift(std::uint16_t mod);
