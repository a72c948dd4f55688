#include <gtest/gtest.h>

#include <cstring>

#include "app/LogSource.h"
#include "app/PrintCommand.h"
#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"

namespace {

const std::string kAlice = "S-1-5-21-1-2-3-1001";
const std::string kBob = "S-1-5-21-1-2-3-1002";

// The report without the figure lines that follow the four summary texts.
std::string RowsAndSummary(const std::string& out) {
    std::size_t at = out.find("\nperiod\t");
    if (at == std::string::npos) at = out.find("\nuptime\t");
    return at == std::string::npos ? out : out.substr(0, at + 1);
}

TCommandLine Named(const std::string& path) {
    TCommandLine cmd;
    cmd.LogFile = path;
    return cmd;
}

// The same machine's life in the Windows log as in the login accounting sample: accounts are
// shown as SID text, the system's own service controls are left out.
std::vector<TWinEvent> SampleEvents() {
    return {BootEvent(UtcSeconds(2024, 3, 1, 8, 0, 0)),
            VersionEvent(UtcSeconds(2024, 3, 1, 8, 0, 0), {"10.00.", "19045"}),
            ServiceEvent("S-1-5-18", UtcSeconds(2024, 3, 1, 8, 1, 0)),
            ServiceEvent(kAlice, UtcSeconds(2024, 3, 1, 8, 5, 0)),
            ServiceEvent("S-1-5-19", UtcSeconds(2024, 3, 1, 9, 0, 0)),
            ShutdownEvent(UtcSeconds(2024, 3, 1, 17, 30, 0)),
            BootEvent(UtcSeconds(2024, 3, 1, 20, 0, 0)),
            ServiceEvent(kBob, UtcSeconds(2024, 3, 1, 20, 1, 0)),
            ServiceEvent("S-1-5-20", UtcSeconds(2024, 3, 1, 20, 2, 0)),
            BootEvent(UtcSeconds(2024, 3, 2, 9, 0, 0))};
}

const std::string kExpected =
    "0\t2024-03-02 09:00:00\t\t\t\t正常,运行中...\n"
    "1\t2024-03-01 20:00:00\t\t\tS-1-5-21-1-2-3-1002\t非正常关机\n"
    "0\t2024-03-01 08:00:00\t2024-03-01 17:30:00\t9 时30 分\tS-1-5-21-1-2-3-1001\t正常关机\n"
    "记录数:3\n"
    "天数:2\n"
    "总计:9小时\n"
    "平均:3(小时/次)\n";

// The system version of each start comes from the version event written after its boot.
TEST(WindowsLogPrint, TheSystemVersionOfEachBoot) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    for (const std::string& path : {dir.WriteFile("a", EvtBytes(SampleEvents())),
                                    dir.WriteFile("b", EvtxBytes(SampleEvents(), {4}))}) {
        std::unique_ptr<TSessionHistory> history = MakeSessionHistory(Named(path));
        history->Refresh();
        ASSERT_EQ(history->Table().size(), 3u) << path;
        EXPECT_EQ(history->Table()[2].Kernel, "10.00. 19045") << path;
        EXPECT_EQ(history->Table()[1].Kernel, "") << path;
        EXPECT_EQ(history->Table()[0].Kernel, "") << path;
    }
}

TEST(WindowsLogPrint, BothFormatsAreChosenByTheirSignatureAndGiveTheSameReport) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    // Names that say nothing: the first bytes decide.
    for (const std::string& path :
         {dir.WriteFile("log.wtmp", EvtBytes(SampleEvents())),
          dir.WriteFile("copy.evt", EvtxBytes(SampleEvents(), {4})),
          dir.WriteFile("wrapped", EvtBytes(SampleEvents(), {900, true}))}) {
        SCOPED_TRACE(path);
        std::string out, err;
        EXPECT_EQ(RunPrintTo(Named(path), out, err), 0);
        if (path.ends_with("wrapped")) {
            // The wrapped copy has lost its oldest records, the first session's boot with them.
            EXPECT_EQ(RowsAndSummary(out),
                      "0\t2024-03-02 09:00:00\t\t\t\t正常,运行中...\n"
                      "1\t2024-03-01 20:00:00\t\t\tS-1-5-21-1-2-3-1002\t非正常关机\n"
                      "1\t\t2024-03-01 17:30:00\t\t\t无开机记录\n"
                      "记录数:3\n天数:1\n总计:0小时\n平均:0(小时/次)\n");
        } else {
            EXPECT_EQ(RowsAndSummary(out), kExpected);
        }
        EXPECT_EQ(err, "");
    }
}

TEST(WindowsLogPrint, DamageIsOneLineOnStandardErrorAndUnreadableHeadersAreRefused) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    std::vector<std::uint8_t> evtx = EvtxBytes(SampleEvents(), {5});
    evtx[4096 + 65536 + 700] ^= 0xFF;  // in the second chunk's records
    std::string damaged = dir.WriteFile("damaged.evtx", evtx);
    std::string out, err;
    EXPECT_EQ(RunPrintTo(Named(damaged), out, err), 0);
    EXPECT_EQ(err, "vigil: " + damaged + ": 5 records skipped: chunk checksum mismatch\n");
    // The first chunk's boot and user are there, the second chunk's events are not.
    EXPECT_EQ(RowsAndSummary(out),
              "0\t2024-03-01 08:00:00\t\t\tS-1-5-21-1-2-3-1001\t正常,运行中...\n"
              "记录数:1\n天数:1\n总计:0小时\n平均:0(小时/次)\n");

    std::vector<std::uint8_t> shortEvt = EvtBytes(SampleEvents());
    shortEvt.resize(20);
    std::vector<std::uint8_t> badEvt = EvtBytes(SampleEvents());
    badEvt[44] = 0;
    std::vector<std::uint8_t> shortEvtx = EvtxBytes(SampleEvents());
    shortEvtx.resize(100);
    struct TCase {
        std::string Path, Reason;
    } cases[] = {
        {dir.WriteFile("short.evt", shortEvt),
         "not a log file: a Windows event log header cut short"},
        {dir.WriteFile("bad.evt", badEvt), "not a log file: a damaged Windows event log header"},
        {dir.WriteFile("short.evtx", shortEvtx),
         "not a log file: a Windows event log header cut short"},
    };
    for (const TCase& c : cases) {
        std::string out2, err2;
        EXPECT_EQ(RunPrintTo(Named(c.Path), out2, err2), 2);
        EXPECT_EQ(err2, "vigil: " + c.Path + ": " + c.Reason + "\n");
        EXPECT_EQ(out2, "");
    }
}

}  // namespace
