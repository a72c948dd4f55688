#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>

#include "common/ResultText.h"
#include "common/WtmpTestFile.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"
#include "history/SessionHistory.h"

namespace {

TEST(WtmpFile, UsableFiles) {
    TTempDir dir;
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteWtmp("ok", {BootEntry(1), LoginEntry("a", 2)}))),
              "");
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("empty", {}))), "");
    std::vector<std::uint8_t> withTail = WtmpBytes({BootEntry(1)});
    withTail.resize(withTail.size() + 100, 0x41);
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("tail", withTail))), "");
}

TEST(WtmpFile, ProblemsNameTheReason) {
    TTempDir dir;
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.Path("missing"))), "No such file or directory");
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.Path(""))), "Is a directory");
    std::string text(2000, 'x');
    std::vector<std::uint8_t> textBytes(text.begin(), text.end());
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("text", textBytes))),
              "not a login accounting file");
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("short", {2, 0, 0, 0}))),
              "not a login accounting file");
#ifndef _WIN32  // Windows has no named pipes in the file system
    ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.Path("fifo"))),
              "not a regular file");  // and does not block
#endif
}

// A torn record shifts every record after it off the multiples of the record size; the reader
// finds them again, so the check must not refuse the file. Only a file in which no record
// lines up anywhere is refused.
TEST(WtmpFile, TornRecordsAtAnyLengthAreNoReasonToRefuse) {
    TTempDir dir;
    std::vector<TWtmpEntry> entries;
    for (int i = 0; i < 120; ++i) entries.push_back(BootEntry(1000 + 10 * i));
    const std::vector<std::uint8_t> whole = WtmpBytes(entries);
    for (std::size_t tear = 1; tear < 384; ++tear) {
        std::vector<std::uint8_t> bytes = whole;
        // The first tear bytes of record 61 again after record 60: a write cut short.
        bytes.insert(bytes.begin() + 60 * 384, whole.begin() + 61 * 384,
                     whole.begin() + 61 * 384 + static_cast<long>(tear));
        ASSERT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("torn", bytes))), "") << tear;
    }
    std::vector<std::uint8_t> tailTorn = whole;
    tailTorn.erase(tailTorn.begin() + 119 * 384 + 5, tailTorn.begin() + 119 * 384 + 39);
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("tail", tailTorn))), "");

    std::vector<std::uint8_t> none = whole;
    for (std::size_t at = 0; at < none.size(); at += 384) none[at] = 77;  // no known type
    EXPECT_EQ(ErrorText(CheckWtmpFile(dir.WriteFile("none", none))), "not a login accounting file");
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
    EXPECT_EQ(ErrorText(CheckWtmpFile(path)), "Permission denied");
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
    EXPECT_EQ(ErrorText(CheckWtmpFile(rebuilt)), "");
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
