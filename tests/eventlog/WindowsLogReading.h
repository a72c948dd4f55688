#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "eventlog/WindowsLogSource.h"

// One event as a Windows log source hands it to the history.
struct TReadRecord {
    TEventKind Kind = ekBoot;
    std::uint32_t Time = 0;
    std::uint64_t Number = 0;  // the record number or id
    std::string Account;       // "" when the record names no account
    std::string Detail;

    bool operator==(const TReadRecord&) const = default;
};

inline void PrintTo(const TReadRecord& r, std::ostream* os) {
    *os << "{kind " << int{r.Kind} << " #" << r.Number << " t=" << r.Time << " '" << r.Account
        << "' '" << r.Detail << "'}";
}

// The kind of event a record of the given event number becomes.
inline TEventKind KindOfEventId(std::uint16_t id) {
    switch (id) {
        case 6005:
            return ekBoot;
        case 6006:
            return ekShutdown;
        case 6009:
            return ekSystemVersion;
        default:
            return ekUser;
    }
}

// Everything the source hands out, newest first.
inline std::vector<TReadRecord> ReadAll(TEventLogSource& source) {
    std::vector<TReadRecord> records;
    if (!source.Open()) {
        ADD_FAILURE() << "the source did not open";
        return records;
    }
    TLogEvent event;
    while (source.Next(event)) {
        EXPECT_GE(event.Utc, 0);
        records.push_back({event.Kind, static_cast<std::uint32_t>(event.Utc), event.Order,
                           event.User, event.Detail});
    }
    source.Close();
    return records;
}

// Reads the file and keeps the notices it gave.
template <class TSource>
std::vector<TReadRecord> ReadFile(const std::string& path, std::vector<std::string>* notices) {
    TSource source(path, [notices](const std::string& text) {
        if (notices) notices->push_back(text);
    });
    return ReadAll(source);
}
