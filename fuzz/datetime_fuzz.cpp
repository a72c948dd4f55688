// Arbitrary patterns and texts for the date-time and number formatters and the parser.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/DateTimeFormat.h"
#include "base/NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double) + 1) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    std::string_view rest(reinterpret_cast<const char*>(data) + sizeof value, size - sizeof value);
    std::size_t split = static_cast<std::uint8_t>(rest[0]) % rest.size();
    std::string_view pattern = rest.substr(1, split > 0 ? split - 1 : 0);
    std::string_view text = rest.substr(split);

    std::string formatted = FormatDateTime(pattern, value);
    DateTimeValue parsed = 0;
    (void)TryParseDateTime(pattern, text, parsed);
    (void)TryParseDateTime(pattern, formatted, parsed);
    (void)FormatFloat(pattern, value);
    (void)FloatToStr(value);
    return 0;
}
