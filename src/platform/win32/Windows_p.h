#pragma once

// The system's headers, without the colour macros that would hide the graphics library's
// functions of the same names (RGB makes the same 0x00BBGGRR value either way).
#include <windows.h>

#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
