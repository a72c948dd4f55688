#include "eventlog/PowerEvents.h"

#include <string>

#include "base/DateTime.h"

bool MayBePowerEvent(std::uint32_t eventId) {
    std::uint32_t id = eventId & 0xFFFFu;
    return id == kSleepEventId || id == kWakeEventId;
}

bool PowerEventKind(std::uint32_t eventId, std::string_view provider, TEventKind& kind) {
    std::uint32_t id = eventId & 0xFFFFu;
    if (id == kSleepEventId && provider == kKernelPowerProvider) {
        kind = ekSleep;
        return true;
    }
    if (id == kWakeEventId && provider == kPowerTroubleshooterProvider) {
        kind = ekWake;
        return true;
    }
    return false;
}

bool ParseEventTimeText(std::string_view text, std::int64_t& utc) {
    // Windows writes U+200E (E2 80 8E) around the parts when it renders a time for reading.
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 3) == "\xE2\x80\x8E" || text.substr(i, 3) == "\xE2\x80\x8F") {
            i += 2;
            continue;
        }
        s += text[i];
    }
    int fields[6];
    const char separators[] = {'-', '-', 'T', ':', ':', '\0'};
    const int widths[] = {4, 2, 2, 2, 2, 2};
    std::size_t at = 0;
    for (int f = 0; f < 6; ++f) {
        int value = 0;
        for (int k = 0; k < widths[f]; ++k, ++at) {
            if (at >= s.size() || s[at] < '0' || s[at] > '9') return false;
            value = value * 10 + (s[at] - '0');
        }
        fields[f] = value;
        if (separators[f] != '\0') {
            if (at >= s.size() || s[at] != separators[f]) return false;
            ++at;
        }
    }
    if (at < s.size() && s[at] == '.')
        for (++at; at < s.size() && s[at] >= '0' && s[at] <= '9';) ++at;
    if (at + 1 != s.size() || s[at] != 'Z') return false;
    DateTimeValue date = 0;
    if (fields[0] < 1970 || !TryEncodeDate(fields[0], fields[1], fields[2], date) ||
        fields[3] > 23 || fields[4] > 59 || fields[5] > 59)
        return false;
    // The date's whole days since 1899-12-30, less those up to 1970-01-01.
    utc = (static_cast<std::int64_t>(date) - 25569) * 86400 + fields[3] * 3600 + fields[4] * 60 +
          fields[5];
    return true;
}

void ApplyWakeTimes(std::int64_t sleptUtc, std::int64_t wakeUtc, TLogEvent& event) {
    if (sleptUtc <= 0 || wakeUtc < sleptUtc || wakeUtc > UINT32_MAX) return;
    event.Utc = wakeUtc;
    event.SleptUtc = sleptUtc;
}
