#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "eventlog/EventRecord.h"
#include "eventlog/WindowsLogSource.h"

// One record as a Windows log source hands it to the scan, decoded back.
struct TReadRecord {
    std::uint32_t EventId = 0;  // with its qualifier bits
    std::uint32_t Time = 0;
    std::uint32_t Number = 0;
    std::string Source;
    std::string Account;  // "" when the record carries no account
    std::vector<std::string> Strings;

    bool operator==(const TReadRecord&) const = default;
};

inline void PrintTo(const TReadRecord& r, std::ostream* os) {
    *os << "{" << (r.EventId & 0xFFFF) << " #" << r.Number << " t=" << r.Time << " " << r.Source
        << " '" << r.Account << "' " << r.Strings.size() << " strings}";
}

// Everything the source hands out, through the protocol the scan uses, newest first.
inline std::vector<TReadRecord> ReadAll(TEventLogSource& source) {
    std::vector<TReadRecord> records;
    if (!source.Open()) {
        ADD_FAILURE() << "the source did not open";
        return records;
    }
    std::vector<std::uint8_t> buffer(kEventRecordHeadSize);
    for (;;) {
        std::uint32_t read = 0, needed = 0;
        TEventReadError error = erNone;
        if (!source.ReadNext(buffer, read, needed, error)) {
            if (error != erInsufficientBuffer) {
                EXPECT_EQ(error, erEndOfLog);
                break;
            }
            EXPECT_GT(needed, buffer.size());
            buffer.resize(needed);
            continue;
        }
        std::span<const std::uint8_t> bytes(buffer.data(), read);
        TEventRecordHead head;
        EXPECT_TRUE(ReadEventRecordHead(bytes, head));
        EXPECT_EQ(head.Length, read);
        TReadRecord r;
        r.EventId = head.EventId;
        r.Time = head.TimeGenerated;
        r.Number = head.RecordNumber;
        r.Source = EventRecordSourceName(bytes, head);
        std::span<const std::uint8_t> sid = EventRecordSid(bytes, head);
        if (!sid.empty()) {
            EXPECT_TRUE(source.LookupAccount(sid, r.Account));
        }
        r.Strings = EventRecordStrings(bytes, head);
        records.push_back(std::move(r));
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
