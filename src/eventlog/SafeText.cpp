#include "eventlog/SafeText.h"

namespace {

bool IsUnsafeCodePoint(std::uint32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2066 && cp <= 0x2069);
}

}  // namespace

TTextUnit FirstTextUnit(std::string_view text) {
    struct TLead {
        std::uint8_t Mask, Value, Payload;
        std::uint32_t Least;
    };
    static constexpr TLead kLeads[] = {{0x80, 0x00, 0x7F, 0},
                                       {0xE0, 0xC0, 0x1F, 0x80},
                                       {0xF0, 0xE0, 0x0F, 0x800},
                                       {0xF8, 0xF0, 0x07, 0x10000}};
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    TTextUnit invalid{1, byte(0), false, byte(0) >= 0x80 && byte(0) <= 0x9F};
    for (std::size_t len = 1; len <= 4; ++len) {
        const TLead& lead = kLeads[len - 1];
        if ((byte(0) & lead.Mask) != lead.Value) continue;
        if (len > text.size()) return invalid;
        std::uint32_t cp = byte(0) & lead.Payload;
        for (std::size_t i = 1; i < len; ++i) {
            if ((byte(i) & 0xC0) != 0x80) return invalid;
            cp = (cp << 6) | (byte(i) & 0x3Fu);
        }
        if (cp < lead.Least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return invalid;
        return {len, cp, true, IsUnsafeCodePoint(cp)};
    }
    return invalid;
}

std::string SafeLogText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        TTextUnit unit = FirstTextUnit(bytes);
        if (!unit.Valid)
            text += "\xEF\xBF\xBD";
        else if (unit.Unsafe)
            text += '?';
        else
            text.append(bytes.substr(0, unit.Length));
        bytes.remove_prefix(unit.Length);
    }
    return text;
}
