#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>

#include "common/WtmpTestFile.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"
#include "history/SessionHistory.h"

namespace {

TEST(WtmpFile, UsableFiles) {
    TTempDir dir;
    EXPECT_EQ(WtmpFileProblem(dir.WriteWtmp("ok", {BootEntry(1), LoginEntry("a", 2)})), "");
    EXPECT_EQ(WtmpFileProblem(dir.WriteFile("empty", {})), "");
    std::vector<std::uint8_t> withTail = WtmpBytes({BootEntry(1)});
    withTail.resize(withTail.size() + 100, 0x41);
    EXPECT_EQ(WtmpFileProblem(dir.WriteFile("tail", withTail)), "");
}

TEST(WtmpFile, ProblemsNameTheReason) {
    TTempDir dir;
    EXPECT_EQ(WtmpFileProblem(dir.Path("missing")), "No such file or directory");
    EXPECT_EQ(WtmpFileProblem(dir.Path("")), "Is a directory");
    std::string text(2000, 'x');
    std::vector<std::uint8_t> textBytes(text.begin(), text.end());
    EXPECT_EQ(WtmpFileProblem(dir.WriteFile("text", textBytes)), "not a login accounting file");
    EXPECT_EQ(WtmpFileProblem(dir.WriteFile("short", {2, 0, 0, 0})), "not a login accounting file");
#ifndef _WIN32  // Windows has no named pipes in the file system
    ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(WtmpFileProblem(dir.Path("fifo")), "not a regular file");  // and does not block
#endif
}

TEST(WtmpFile, BadRecordsAtEitherEndAreNoticed) {
    std::vector<TWtmpEntry> entries(100, BootEntry(5));
    TTempDir dir;
    std::vector<std::uint8_t> bytes = WtmpBytes(entries);
    bytes[bytes.size() - 384] = 77;  // the last record's type
    EXPECT_EQ(WtmpFileProblem(dir.WriteFile("badtail", bytes)), "not a login accounting file");
}

TEST(WtmpFile, UnreadableFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no permission bits that forbid the owner to read";
#else
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
#endif
    TTempDir dir;
    std::string path = dir.WriteWtmp("locked", {BootEntry(1)});
    chmod(path.c_str(), 0);
    EXPECT_EQ(WtmpFileProblem(path), "Permission denied");
}

// A file written by util-linux's utmpdump -r from its own text dump reads like the original.
TEST(WtmpFile, UtmpdumpRoundTripReadsTheSame) {
    if (std::system("command -v utmpdump >/dev/null 2>&1") != 0) GTEST_SKIP() << "no utmpdump";
    TTempDir dir;
    std::string original = dir.WriteWtmp(
        "orig", {BootEntry(1704096000), LoginEntry("alice", 1704096100), LogoutEntry(1704099000),
                 ShutdownEntry(1704100000), BootEntry(1704182400), LoginEntry("bob", 1704182500)});
    std::string text = dir.Path("dump.txt"), rebuilt = dir.Path("rebuilt");
    ASSERT_EQ(std::system(("utmpdump '" + original + "' > '" + text + "' 2>/dev/null").c_str()), 0);
    ASSERT_EQ(std::system(("utmpdump -r < '" + text + "' > '" + rebuilt + "' 2>/dev/null").c_str()),
              0);
    EXPECT_EQ(WtmpFileProblem(rebuilt), "");
    auto rows = [](const std::string& path) {
        TSessionHistory history(std::make_unique<TWtmpEventSource>(path),
                                [](std::int64_t) { return 0; });
        history.Refresh();
        std::vector<std::string> lines;
        for (const TSessionRow& r : history.Rows().Rows)
            lines.push_back(r.BootText + "|" + r.ShutdownText + "|" + r.UserText + "|" +
                            r.StatusText);
        return lines;
    };
    std::vector<std::string> expected = {"2024-01-02 08:00:00||bob|正常,运行中...",
                                         "2024-01-01 08:00:00|2024-01-01 09:06:40|alice|正常关机"};
    EXPECT_EQ(rows(original), expected);
    EXPECT_EQ(rows(rebuilt), expected);
}

}  // namespace
