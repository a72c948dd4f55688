#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "app/LogSource.h"
#include "app/PrintCommand.h"
#include "common/WtmpTestFile.h"

namespace {

TCommandLine Named(const std::string& path) {
    TCommandLine cmd;
    cmd.LogFile = path;
    return cmd;
}

const char* kExpectedReport =
    "0\t2024-03-02 09:00:00\t\t\t\t正常,运行中...\n"
    "1\t2024-03-01 20:00:00\t\t\tbob\t非正常关机\n"
    "0\t2024-03-01 08:00:00\t2024-03-01 17:30:00\t9 时30 分\talice\t正常关机\n"
    "记录数:3\n"
    "天数:2\n"
    "总计:9小时\n"
    "平均:3(小时/次)\n";

std::string WriteSampleLog(const TTempDir& dir) {
    return dir.WriteWtmp("wtmp", {BootEntry(UtcSeconds(2024, 3, 1, 8, 0, 0)),
                                  LoginEntry("alice", UtcSeconds(2024, 3, 1, 8, 5, 0)),
                                  ShutdownEntry(UtcSeconds(2024, 3, 1, 17, 30, 0)),
                                  BootEntry(UtcSeconds(2024, 3, 1, 20, 0, 0)),
                                  LoginEntry("bob", UtcSeconds(2024, 3, 1, 20, 1, 0)),
                                  BootEntry(UtcSeconds(2024, 3, 2, 9, 0, 0))});
}

TEST(PrintCommand, WritesRowsThenSummary) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    std::string out, err;
    EXPECT_EQ(RunPrintTo(Named(WriteSampleLog(dir)), out, err), 0);
    EXPECT_EQ(out, kExpectedReport);
    EXPECT_EQ(err, "");
}

TEST(PrintCommand, EmptyLogPrintsTheEmptySummary) {
    TTempDir dir;
    std::string out, err;
    EXPECT_EQ(RunPrintTo(Named(dir.WriteFile("empty", {})), out, err), 0);
    EXPECT_EQ(out, "记录数:0\n天数:0\n总计:0小时\n平均:0(小时/次)\n");
}

TEST(PrintCommand, UnusableNamedFileIsExitStatusTwoWithOneLine) {
    TTempDir dir;
    std::string text(1000, '#');
    struct TCase {
        std::string Path;
        std::string Reason;
    } cases[] = {{dir.Path("nope"), "No such file or directory"},
                 {dir.WriteFile("text", std::vector<std::uint8_t>(text.begin(), text.end())),
                  "not a log file (neither a login accounting file nor a Windows event log)"},
                 {dir.Path(""), "Is a directory"}};
    for (const TCase& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunPrintTo(Named(c.Path), out, err), 2) << c.Path;
        EXPECT_EQ(out, "");
        EXPECT_EQ(err, "vigil: " + c.Path + ": " + c.Reason + "\n");
        EXPECT_FALSE(LogFileArgumentProblem(Named(c.Path)).empty());
    }
    EXPECT_EQ(LogFileArgumentProblem(TCommandLine{}), "");  // the live log is never refused
}

// The built program, when this build has it: same text on stdout, status 2 for a bad file.
TEST(PrintCommand, TheProgramPrintsTheSameReport) {
    const std::string vigil = std::string(VIGIL_BINARY_DIR) + "/vigil";
    if (!std::filesystem::exists(vigil)) GTEST_SKIP() << "vigil not built";
    TTempDir dir;
    std::string log = WriteSampleLog(dir);
    std::string command = "TZ=UTC LC_ALL=C '" + vigil + "' --print '" + log + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    int status = pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(out, kExpectedReport);

    std::string bad = "'" + vigil + "' --print '" + dir.Path("missing") + "' 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 2);
}

}  // namespace
