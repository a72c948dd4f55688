#include "eventlog/Sid.h"

namespace {

constexpr std::size_t kFixedSize = 8;
constexpr std::uint8_t kMaxSubAuthorities = 15;

}  // namespace

bool SidText(std::span<const std::uint8_t> sid, std::string& text) {
    if (sid.size() < kFixedSize) return false;
    const std::uint8_t count = sid[1];
    if (sid[0] != 1 || count > kMaxSubAuthorities || sid.size() != kFixedSize + 4u * count)
        return false;
    std::uint64_t authority = 0;
    for (std::size_t i = 2; i < 8; ++i) authority = (authority << 8) | sid[i];
    text = "S-1-";
    if (authority >> 32) {
        // Authorities past 32 bits are written in hexadecimal, as Windows does.
        static const char kHex[] = "0123456789ABCDEF";
        text += "0x";
        for (int shift = 44; shift >= 0; shift -= 4) text += kHex[(authority >> shift) & 0xF];
    } else {
        text += std::to_string(authority);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = sid.data() + kFixedSize + 4 * i;
        std::uint32_t sub = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
        text += '-';
        text += std::to_string(sub);
    }
    return true;
}

bool SidAccountName(std::span<const std::uint8_t> sid, std::string& name) {
    std::string text;
    if (!SidText(sid, text)) return false;
    struct TWellKnown {
        const char* Sid;
        const char* Name;
    };
    static constexpr TWellKnown kWellKnown[] = {
        {"S-1-5-18", "SYSTEM"}, {"S-1-5-19", "LOCAL SERVICE"}, {"S-1-5-20", "NETWORK SERVICE"}};
    name = text;
    for (const TWellKnown& known : kWellKnown)
        if (text == known.Sid) name = known.Name;
    return true;
}
