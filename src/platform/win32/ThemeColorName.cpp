#include "platform/win32/ThemeColorName.h"

#include "platform/win32/WinText.h"
#include "platform/win32/Windows_p.h"

std::string ReadThemeColorName() {
    wchar_t value[260] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);  // room for a terminator the value may lack
    if (RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", L"ColorName",
                     RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return {};
    return Utf8FromWide(value);
}
