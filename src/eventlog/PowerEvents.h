#pragma once

#include <cstdint>
#include <string_view>

#include "eventlog/EventLogSource.h"

// The Windows events of sleep and wake: Kernel-Power's 42 (the system is entering sleep) and
// Power-Troubleshooter's 1 (the system returned from a low-power state). Other providers use
// the same small numbers for unrelated things, so the provider decides.
constexpr std::uint16_t kSleepEventId = 42;
constexpr std::uint16_t kWakeEventId = 1;
constexpr std::string_view kKernelPowerProvider = "Microsoft-Windows-Kernel-Power";
constexpr std::string_view kPowerTroubleshooterProvider = "Microsoft-Windows-Power-Troubleshooter";

// True for an event number that may be a sleep or a wake, before its provider is known.
bool MayBePowerEvent(std::uint32_t eventId);

// The kind of a sleep or wake event of the provider; false for anything else.
bool PowerEventKind(std::uint32_t eventId, std::string_view provider, TEventKind& kind);

// A time as the event data writes it, "2026-12-01T22:00:00.5000000Z" (the fraction is
// dropped; left-to-right marks around the parts are allowed), in Unix seconds.
bool ParseEventTimeText(std::string_view text, std::int64_t& utc);

// A wake event's own sleep and wake times, when both are there and in order: the wake moves to
// wakeUtc and remembers sleptUtc.
void ApplyWakeTimes(std::int64_t sleptUtc, std::int64_t wakeUtc, TLogEvent& event);
