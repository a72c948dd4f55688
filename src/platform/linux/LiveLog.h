#pragma once

// The system's own login accounting file.
constexpr const char* kLiveWtmpPath = "/var/log/wtmp";
