#include <gtest/gtest.h>

#include "common/PowerNights.h"
#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"
#include "eventlog/EventRecordLog.h"
#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "eventlog/PowerEvents.h"

namespace {

struct TPowerEvent {
    TEventKind Kind;
    std::int64_t Utc;
    std::int64_t SleptUtc;
    bool operator==(const TPowerEvent&) const = default;
};

void PrintTo(const TPowerEvent& e, std::ostream* os) {
    *os << "{kind " << int{e.Kind} << " t=" << e.Utc << " slept=" << e.SleptUtc << "}";
}

std::vector<TPowerEvent> SleepAndWake(TEventLogSource& source) {
    std::vector<TPowerEvent> out;
    EXPECT_TRUE(source.Open());
    TLogEvent e;
    while (source.Next(e))
        if (e.Kind == ekSleep || e.Kind == ekWake) out.push_back({e.Kind, e.Utc, e.SleptUtc});
    source.Close();
    return out;
}

std::vector<TPowerEvent> ExpectedNights() {
    const std::int64_t wake = UtcSeconds(2021, 6, 2, 6, 30, 0);
    return {{ekSleep, kEvening + 20 * 3600, 0}, {ekWake, kEvening + 18 * 3600, 0},
            {ekWake, kEvening + 17 * 3600, 0},  {ekSleep, kEvening + 16 * 3600, 0},
            {ekWake, wake, kEvening + 5},       {ekSleep, kEvening, 0}};
}

TEST(PowerEvents, EvtAndEvtxReadSleepAndWakeOfTheirProvidersOnly) {
    TTempDir dir;
    TEvtEventSource evt(dir.WriteFile("p.evt", EvtBytes(Nights())));
    EXPECT_EQ(SleepAndWake(evt), ExpectedNights());
    TEvtxEventSource evtx(dir.WriteFile("p.evtx", EvtxBytes(Nights())));
    EXPECT_EQ(SleepAndWake(evtx), ExpectedNights());
}

// The live log as the service hands it out: one record a read, newest first.
class TRecordsLog : public TEventRecordLog {
  public:
    explicit TRecordsLog(const std::vector<TWinEvent>& inTimeOrder) {
        for (std::size_t i = inTimeOrder.size(); i-- > 0;)
            records_.push_back(EvtRecord(inTimeOrder[i], static_cast<std::uint32_t>(i + 1)));
    }
    bool Open() override {
        next_ = 0;
        ForgetPendingRecords();
        return true;
    }
    void Close() override {}
    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override {
        if (next_ == records_.size()) {
            error = erEndOfLog;
            return false;
        }
        const std::vector<std::uint8_t>& r = records_[next_];
        if (buffer.size() < r.size()) {
            bytesNeeded = static_cast<std::uint32_t>(r.size());
            error = erInsufficientBuffer;
            return false;
        }
        std::copy(r.begin(), r.end(), buffer.begin());
        bytesRead = static_cast<std::uint32_t>(r.size());
        ++next_;
        return true;
    }
    bool LookupAccount(std::span<const std::uint8_t>, std::string&) override { return false; }

  private:
    std::vector<std::vector<std::uint8_t>> records_;
    std::size_t next_ = 0;
};

TEST(PowerEvents, TheLiveLogReadsThemAsTheFilesDo) {
    TRecordsLog live(Nights());
    EXPECT_EQ(SleepAndWake(live), ExpectedNights());
}

TEST(PowerEvents, EventTimeTextIsReadStrictly) {
    std::int64_t t = 0;
    EXPECT_TRUE(ParseEventTimeText("2021-06-02T06:30:00.5000000Z", t));
    EXPECT_EQ(t, UtcSeconds(2021, 6, 2, 6, 30, 0));
    EXPECT_TRUE(
        ParseEventTimeText("\xE2\x80\x8E"
                           "2024-02-29T23:59:59Z",
                           t));
    EXPECT_EQ(t, UtcSeconds(2024, 2, 29, 23, 59, 59));
    for (const char* bad : {"", "2021-06-02 06:30:00Z", "2021-06-02T06:30:00",
                            "2021-13-02T06:30:00Z", "2021-06-02T24:00:00Z", "2021-06-02T06:30:00Zx",
                            "1969-12-31T23:59:59Z", "2021-02-29T00:00:00Z"})
        EXPECT_FALSE(ParseEventTimeText(bad, t)) << bad;
}

}  // namespace
