#pragma once

#include <cstdint>

// Mouse cursors. Negative values are the standard shapes; positive numbers are entries of the
// screen's cursor table that a component registers (the hand of link labels is 26000).
using TCursor = std::int16_t;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// Enters a table cursor that shows as one of the standard shapes.
void RegisterCursor(TCursor id, TCursor shape);
// The standard shape a cursor shows as: crDefault and unknown entries show the arrow.
TCursor CursorShape(TCursor cursor);
