#pragma once

#include <cstdint>

// Time since the machine started, including time spent suspended; 64 bits so it never wraps.
std::uint64_t MillisecondsSinceBoot();
