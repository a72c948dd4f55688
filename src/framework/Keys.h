#pragma once

#include <cstdint>

// Virtual key codes, numbered as on the desktop platform the layouts come from, so that
// letters and digits are their upper-case ASCII codes.
using TKey = std::uint16_t;

inline constexpr TKey vkBack = 8;
inline constexpr TKey vkTab = 9;
inline constexpr TKey vkReturn = 13;
inline constexpr TKey vkShift = 16;
inline constexpr TKey vkControl = 17;
inline constexpr TKey vkMenu = 18;  // Alt
inline constexpr TKey vkEscape = 27;
inline constexpr TKey vkSpace = 32;
inline constexpr TKey vkPrior = 33;
inline constexpr TKey vkNext = 34;
inline constexpr TKey vkEnd = 35;
inline constexpr TKey vkHome = 36;
inline constexpr TKey vkLeft = 37;
inline constexpr TKey vkUp = 38;
inline constexpr TKey vkRight = 39;
inline constexpr TKey vkDown = 40;
inline constexpr TKey vkInsert = 45;
inline constexpr TKey vkDelete = 46;
inline constexpr TKey vk0 = '0';
inline constexpr TKey vkA = 'A';
inline constexpr TKey vkApps = 93;  // the context-menu key
inline constexpr TKey vkF1 = 112;
inline constexpr TKey vkF2 = 113;
inline constexpr TKey vkF10 = 121;
inline constexpr TKey vkF12 = 123;

// Modifier keys and mouse buttons held during an input event.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// The shift-state bit of a mouse button.
inline constexpr TShiftState ButtonShift(TMouseButton b) {
    return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle;
}

// One notch of a mouse wheel; positive deltas turn away from the user.
inline constexpr int WheelDelta = 120;
