#include "platform/sdl/SdlKeys.h"

#include <SDL.h>

TKey KeyFromSdl(std::int32_t sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<TKey>('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<TKey>('0' + (sym - SDLK_0));
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return static_cast<TKey>(vkF1 + (sym - SDLK_F1));
    switch (sym) {
        case SDLK_BACKSPACE:
            return vkBack;
        case SDLK_TAB:
            return vkTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return vkReturn;
        case SDLK_ESCAPE:
            return vkEscape;
        case SDLK_SPACE:
            return vkSpace;
        case SDLK_PAGEUP:
            return vkPrior;
        case SDLK_PAGEDOWN:
            return vkNext;
        case SDLK_END:
            return vkEnd;
        case SDLK_HOME:
            return vkHome;
        case SDLK_LEFT:
            return vkLeft;
        case SDLK_UP:
            return vkUp;
        case SDLK_RIGHT:
            return vkRight;
        case SDLK_DOWN:
            return vkDown;
        case SDLK_INSERT:
            return vkInsert;
        case SDLK_DELETE:
            return vkDelete;
        case SDLK_APPLICATION:
            return vkApps;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return vkShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return vkControl;
        case SDLK_LALT:
        case SDLK_RALT:
            return vkMenu;
        default:
            return 0;
    }
}

TShiftState ModifierShift(std::uint16_t mod) {
    TShiftState s = 0;
    if (mod & KMOD_SHIFT) s |= ssShift;
    if (mod & KMOD_CTRL) s |= ssCtrl;
    if (mod & KMOD_ALT) s |= ssAlt;
    return s;
}
