#pragma once

#include <string>
#include <string_view>

// Conversions between the program's UTF-8 and the system's UTF-16. Malformed input becomes
// U+FFFD rather than failing, so a broken name still shows.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
