#pragma once

#include <cstdint>
#include <string>

// "H:MM:SS" of a session's length; negative lengths (clock set back) read as zero.
std::string DurationText(std::int32_t seconds);

// The running time of this session for the status line, from the boot clock.
std::string UptimeText(std::uint64_t millisecondsSinceBoot);
