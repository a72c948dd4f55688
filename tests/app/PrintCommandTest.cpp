#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/LogSource.h"
#include "app/PrintCommand.h"
#include "app/WindowCommands.h"
#include "common/ResultText.h"
#include "common/WtmpTestFile.h"
#include "platform/png/PngFile.h"

namespace {

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

const char* kExpectedReport =
    "0\t2024-03-02 09:00:00\t\t\t\t正常,运行中...\n"
    "1\t2024-03-01 20:00:00\t\t\tbob\t非正常关机\n"
    "0\t2024-03-01 08:00:00\t2024-03-01 17:30:00\t9 时30 分\talice\t正常关机\n"
    "记录数:3\n"
    "天数:2\n"
    "总计:9小时\n"
    "平均:3(小时/次)\n"
    "period\t2024-03-01T08:00:00+00:00\t2024-03-02T09:00:00+00:00\t90000\n"
    "uptime\t34200\t38.00%\n"
    "downtime\t55800\t62.00%\n"
    "longest\t34200\n"
    "shortest\t34200\n"
    "abnormal\t1\n"
    "quiet\t0\n"
    "asleep\t0\n"
    "source\twtmp\n";

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
    EXPECT_EQ(out,
              "记录数:0\n天数:0\n总计:0小时\n平均:0(小时/次)\nuptime\t0\t0.00%\n"
              "downtime\t0\t0.00%\nlongest\t0\nshortest\t0\nabnormal\t0\nquiet\t0\nasleep\t0\n"
              "source\twtmp\n");
}

TEST(PrintCommand, UnusableNamedFileIsExitStatusTwoWithOneLine) {
    TTempDir dir;
    std::string text(1000, '#');
    struct TCase {
        std::string Path;
        std::string Reason;
    } cases[] = {{dir.Path("nope"), "No such file or directory"},
                 {dir.WriteFile("text", std::vector<std::uint8_t>(text.begin(), text.end())),
                  "not a log file (not a login accounting file, systemd journal, wtmpdb database "
                  "or Windows event log)"},
                 {dir.Path(""), "Is a directory"}};
    for (const TCase& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunPrintTo(Named(c.Path), out, err), 2) << c.Path;
        EXPECT_EQ(out, "");
        EXPECT_EQ(err, "vigil: " + c.Path + ": " + c.Reason + "\n");
        EXPECT_FALSE(ErrorText(LogArgumentReadable(Named(c.Path))).empty());
    }
    EXPECT_EQ(ErrorText(LogArgumentReadable(TCommandLine{})), "");  // the live log is never refused
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

namespace {

TEST(CommandLine, ValidAndInvalidArguments) {
    struct TCase {
        std::vector<std::string> Args;
        const char* Error;  // empty: valid
        const char* LogFile;
    } cases[] = {
        {{"--print", "log"}, "", "log"},
        {{"--print", "--", "--help"}, "", "--help"},
        {{"--", "-"}, "", "-"},
        {{"-"}, "", "-"},
        {{"--screenshot", "a.png", "--page", "chart"}, "", ""},
        {{"--print", "--", "a", "b"}, "more than one log file given", "a"},
        {{""}, "the log file name is empty", ""},
        {{"--print", "--", ""}, "the log file name is empty", ""},
        {{"--screenshot", ""}, "option '--screenshot' needs a file name", ""},
        {{"--screenshot"}, "option '--screenshot' needs a value", ""},
        {{"--page", "chart"}, "--page needs --screenshot", ""},
        {{"--print", "--page", "log"}, "--page needs --screenshot", ""},
        {{"--page", "pie", "--screenshot", "x"},
         "unknown page 'pie' (log, chart, stats or about)",
         ""},
        {{"--print", "--screenshot", "x.png"}, "--print and --screenshot cannot be combined", ""},
        {{"--bogus\n2"}, "unknown option '--bogus\\n2'", ""},
        {{"--help", "--page", "log"}, "", ""},
    };
    for (const TCase& c : cases) {
        TResult<TCommandLine> parsed = ParseCommandLine(c.Args);
        std::string args;
        for (const std::string& a : c.Args) args += "[" + a + "]";
        EXPECT_EQ(parsed.Ok(), std::string(c.Error).empty()) << args;
        EXPECT_EQ(parsed.Ok() ? "" : parsed.Error(), c.Error) << args;
        if (parsed.Ok()) EXPECT_EQ(parsed.Value().LogFile, c.LogFile) << args;
    }
}

TEST(CommandLine, SourceNamesOneOfTheMachinesLogsAndOnlyThose) {
    struct TCase {
        std::vector<std::string> Args;
        const char* Error;
        TLiveSource Source;
    } cases[] = {
        {{"--print", "--source", "journal"}, "", lsJournal},
        {{"--source", "wtmpdb"}, "", lsWtmpdb},
        {{"--source", "wtmp", "--screenshot", "a.png"}, "", lsWtmp},
        {{"--print"}, "", lsAuto},
        {{"--source", "auto"}, "unknown source 'auto' (journal, wtmpdb or wtmp)", lsAuto},
        {{"--source", "syslog\x1B"},
         "unknown source 'syslog\\x1B' (journal, wtmpdb or wtmp)",
         lsAuto},
        {{"--source"}, "option '--source' needs a value", lsAuto},
        {{"--source", "wtmp", "copied.wtmp"},
         "--source chooses among this machine's logs, not with a log file",
         lsWtmp},
    };
    for (const TCase& c : cases) {
        TResult<TCommandLine> parsed = ParseCommandLine(c.Args);
        std::string args;
        for (const std::string& a : c.Args) args += "[" + a + "]";
        EXPECT_EQ(parsed.Ok(), std::string(c.Error).empty()) << args;
        EXPECT_EQ(parsed.Ok() ? "" : parsed.Error(), c.Error) << args;
        if (parsed.Ok()) {
            EXPECT_EQ(parsed.Value().Source, c.Source) << args;
        }
    }
}

TEST(CommandLine, NamesInMessagesStayOnOneLine) {
    EXPECT_EQ(PrintableName("plain 名字.log"), "plain 名字.log");
    EXPECT_EQ(PrintableName("a\nb\tc\rd"), "a\\nb\\tc\\x0Dd");
    EXPECT_EQ(PrintableName(std::string("\x1B[31m\x7F", 6)), "\\x1B[31m\\x7F");
    EXPECT_EQ(PrintableName("back\\slash"), "back\\\\slash");
    EXPECT_EQ(PrintableName(std::string("nul\0x", 5)), "nul\\x00x");
    // C1 controls as characters or as raw bytes, bytes that are not UTF-8, and the direction
    // overrides that would turn the rest of the line around.
    EXPECT_EQ(PrintableName("a\xC2\x9B"
                            "2J"),
              "a\\u009B2J");
    EXPECT_EQ(PrintableName("a\x9B"
                            "2J"),
              "a\\x9B2J");
    EXPECT_EQ(PrintableName("caf\xE9.log"), "caf\\xE9.log");
    EXPECT_EQ(PrintableName("x\xE2\x80\xAEgol.exe"), "x\\u202Egol.exe");
    EXPECT_EQ(PrintableName("\xE2\x81\xA6y\xE2\x81\xA9"), "\\u2066y\\u2069");
    EXPECT_EQ(PrintableName("\xC2\xA0\xE2\x80\xAF"), "\xC2\xA0\xE2\x80\xAF");

    TTempDir dir;
    std::string out, err;
    EXPECT_EQ(RunPrintTo(Named(dir.Path("bad\nname")), out, err), 2);
    EXPECT_EQ(err, "vigil: " + dir.Path("bad") + "\\nname: No such file or directory\n");
}

// The live log is checked as a named file is: --print reports it with status 2.
TEST(PrintCommand, ProblemsWithTheLiveLogAreReported) {
    TTempDir dir;
    std::string garbage(3000, 'g');
    struct TCase {
        std::vector<std::string> Files;
        std::string Reason;
    } cases[] = {
        {{dir.Path("wtmp-missing")}, "No such file or directory"},
        {{dir.Path("")}, "Is a directory"},
        {{dir.WriteFile("wtmp-text", std::vector<std::uint8_t>(garbage.begin(), garbage.end()))},
         "not a login accounting file"},
        {{dir.WriteWtmp("wtmp", {BootEntry(1000)}), dir.Path("wtmp-text")},
         "not a login accounting file"},
    };
    for (const TCase& c : cases) {
        TCommandLine cmd;
        cmd.LiveLog = c.Files;
        std::string out, err;
        EXPECT_EQ(RunPrintTo(cmd, out, err), 2) << c.Files.back();
        EXPECT_EQ(out, "");
        EXPECT_EQ(err, "vigil: " + c.Files.back() + ": " + c.Reason + "\n");
    }
    // The live log with its rotated predecessor: both are read.
    TCommandLine cmd;
    cmd.LiveLog = {dir.WriteWtmp("w0", {BootEntry(UtcSeconds(2024, 3, 2, 9, 0, 0))}),
                   dir.WriteWtmp("w1", {BootEntry(UtcSeconds(2024, 2, 2, 9, 0, 0))})};
    TScopedTimeZone utc("UTC");
    std::string out, err;
    EXPECT_EQ(RunPrintTo(cmd, out, err), 0);
    EXPECT_NE(out.find("记录数:2\n天数:30\n"), std::string::npos) << out;
}

TEST(PrintCommand, SkippedBytesAreReportedAndTheRestIsPrinted) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    std::vector<std::uint8_t> bytes = WtmpBytes({BootEntry(UtcSeconds(2024, 3, 1, 8, 0, 0)),
                                                 ShutdownEntry(UtcSeconds(2024, 3, 1, 9, 0, 0)),
                                                 BootEntry(UtcSeconds(2024, 3, 2, 8, 0, 0))});
    bytes.erase(bytes.begin() + 384 + 200, bytes.begin() + 2 * 384);  // the shutdown torn
    std::string out, err;
    std::string path = dir.WriteFile("torn", bytes);
    EXPECT_EQ(RunPrintTo(Named(path), out, err), 0);
    EXPECT_EQ(err, "vigil: " + path + ": skipped 200 bytes that held no whole record\n");
    EXPECT_EQ(RowsAndSummary(out),
              "0\t2024-03-02 08:00:00\t\t\t\t正常,运行中...\n"
              "1\t2024-03-01 08:00:00\t\t\t\t非正常关机\n"
              "记录数:2\n天数:2\n总计:0小时\n平均:0(小时/次)\n");
}

TEST(PrintCommand, AFailingWriteIsExitStatusOne) {
    TTempDir dir;
    std::string err;
    int calls = 0;
    EXPECT_EQ(RunPrintTo(
                  Named(WriteSampleLog(dir)),
                  [&](std::string_view) {
                      ++calls;
                      return false;
                  },
                  err),
              1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(err, "vigil: cannot write the report\n");
}

TEST(Screenshot, TargetsThatMustNotBeReplacedAreRefused) {
    TTempDir dir;
    std::string log = dir.WriteWtmp("wtmp", {BootEntry(1000)});
    std::string other = dir.WriteFile("old.png", {1, 2, 3});
    std::filesystem::create_symlink(log, dir.Path("link-to-log"));
    std::filesystem::create_symlink(other, dir.Path("link-to-png"));
    ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    struct TCase {
        std::string Target;
        const char* Problem;
    } cases[] = {
        {log, "is the log being read, not replaced"},
        {dir.Path("link-to-log"), "is the log being read, not replaced"},
        {dir.Path("./wtmp"), "is the log being read, not replaced"},
        {dir.Path("fifo"), "not a regular file, not replaced"},
        {dir.Path(""), "not a regular file, not replaced"},
        {"/dev/null", "not a regular file, not replaced"},
        {"", "no file name given"},
        {other, ""},
        {dir.Path("link-to-png"), ""},
        {dir.Path("new.png"), ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ErrorText(CheckScreenshotTarget(c.Target, {log})), c.Problem) << c.Target;
}

TEST(Screenshot, AFailedWriteLeavesTheOldFileAndAGoodOneReplacesItThroughItsLink) {
    TTempDir dir;
    std::string old = dir.WriteFile("old.png", {1, 2, 3});
    std::filesystem::create_symlink(old, dir.Path("link.png"));
    EXPECT_FALSE(SavePng(TPixelBuffer(), old).Ok());
    EXPECT_EQ(std::filesystem::file_size(old), 3u);
    // A folder that cannot take the temporary file: the target is left as it was.
    if (geteuid() != 0) {
        std::filesystem::permissions(
            dir.Path(""), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        TResult<void> refused = SavePng(TPixelBuffer(4, 4), old);
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error(), old + ": Permission denied");
        std::filesystem::permissions(dir.Path(""), std::filesystem::perms::owner_all);
        EXPECT_EQ(std::filesystem::file_size(old), 3u);
    }
    TResult<void> saved = SavePng(TPixelBuffer(4, 4), dir.Path("link.png"));
    ASSERT_TRUE(saved.Ok()) << saved.Error();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.png")));
    EXPECT_GT(std::filesystem::file_size(old), 3u);
    std::size_t files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.Path(""))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u) << "no temporary file is left behind";
}

// A link whose file does not exist yet is still a link to keep: the picture goes to the file
// it names, through a chain of links and relative ones too.
TEST(Screenshot, ALinkToAFileNotYetWrittenIsFollowed) {
    namespace fs = std::filesystem;
    TTempDir dir;
    fs::create_directory(dir.Path("shots"));
    fs::create_symlink("shots/new.png", dir.Path("relative.png"));
    fs::create_symlink(dir.Path("relative.png"), dir.Path("chain.png"));
    TResult<void> saved = SavePng(TPixelBuffer(4, 4), dir.Path("chain.png"));
    ASSERT_TRUE(saved.Ok()) << saved.Error();
    EXPECT_TRUE(fs::is_symlink(dir.Path("chain.png")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("relative.png")));
    ASSERT_TRUE(fs::is_regular_file(dir.Path("shots/new.png")));
    EXPECT_GT(fs::file_size(dir.Path("shots/new.png")), 0u);
}

// The built program writes a screenshot through a link to a file not yet there and exits 0
// with nothing on its error output, also in its sanitizer build with leak checking on.
TEST(Program, AScreenshotThroughALinkExitsCleanly) {
    const std::string vigil = std::string(VIGIL_BINARY_DIR) + "/vigil";
    if (!std::filesystem::exists(vigil)) GTEST_SKIP() << "vigil not built";
    TTempDir dir;
    std::string log = WriteSampleLog(dir);
    std::filesystem::create_symlink(dir.Path("shot.png"), dir.Path("link.png"));
    std::string command = vigil + " --screenshot '" + dir.Path("link.png") + "' '" + log +
                          "' 2> '" + dir.Path("err") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
    std::ifstream in(dir.Path("err"));
    std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(err, "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.png")));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.Path("shot.png")));
}

// The built program: help and version report a failed write, `--` ends the options, and
// without a display the program's own line comes first.
TEST(Program, ExitStatusesAndMessagesOfTheCommandLine) {
    const std::string vigil = std::string(VIGIL_BINARY_DIR) + "/vigil";
    if (!std::filesystem::exists(vigil)) GTEST_SKIP() << "vigil not built";
    auto status = [](const std::string& command) {
        return WEXITSTATUS(std::system(command.c_str()));
    };
    EXPECT_EQ(status(vigil + " --help > /dev/full 2>/dev/null"), 1);
    EXPECT_EQ(status(vigil + " --version > /dev/full 2>/dev/null"), 1);
    EXPECT_EQ(status(vigil + " --help > /dev/null"), 0);
    // The help names every log the Linux build reads and how it picks the machine's own.
    for (const char* word : {"--source journal|wtmpdb|wtmp", "/var/log/journal",
                             "/var/lib/wtmpdb/wtmp.db", "/var/log/wtmp", "reaches furthest"}) {
        EXPECT_EQ(status(vigil + " --help | grep -qF -- '" + word + "'"), 0) << word;
    }
    EXPECT_EQ(status(vigil + " --print -- --no-such-file 2>/dev/null"), 2);
    TTempDir dir;
    std::string err = dir.Path("err");
    EXPECT_EQ(status("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " + vigil +
                     " /dev/null 2>/dev/null; env -u DISPLAY -u WAYLAND_DISPLAY -u "
                     "SDL_VIDEODRIVER " +
                     vigil + " 2> " + err),
              1);
    std::ifstream in(err);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "vigil: cannot open a window: no display");
}

}  // namespace

namespace {

TEST(ReportOptions, MomentsAndQuietHours) {
    auto berlin = [](std::int64_t t) { return t >= 1711846800 && t < 1729990800 ? 7200 : 3600; };
    const std::int64_t now = UtcSeconds(2024, 6, 10, 12, 0, 0);
    struct TCase {
        const char* Text;
        bool EndOfDay;
        bool Ok;
        std::int64_t Expected;
    } cases[] = {
        {"7d", false, true, now - 7 * 86400},
        {"0d", false, true, now},
        {"2024-03-01", false, true, UtcSeconds(2024, 2, 29, 23, 0, 0)},
        {"2024-03-01", true, true, UtcSeconds(2024, 3, 1, 22, 59, 59)},
        {"2024-07-01T08:30", false, true, UtcSeconds(2024, 7, 1, 6, 30, 0)},
        {"2024-07-01 08:30:15", false, true, UtcSeconds(2024, 7, 1, 6, 30, 15)},
        {"2024-07-01T08:30Z", false, true, UtcSeconds(2024, 7, 1, 8, 30, 0)},
        {"2024-07-01T08:30+08:00", false, true, UtcSeconds(2024, 7, 1, 0, 30, 0)},
        {"2024-07-01T08:30-0130", false, true, UtcSeconds(2024, 7, 1, 10, 0, 0)},
        {"2024-02-30", false, false, 0},
        {"2024-07-01T24:00", false, false, 0},
        {"yesterday", false, false, 0},
        {"7", false, false, 0},
        {"", false, false, 0},
    };
    for (const TCase& c : cases) {
        std::int64_t out = 0;
        EXPECT_EQ(ParseMoment(c.Text, now, berlin, c.EndOfDay, out), c.Ok) << c.Text;
        if (c.Ok) EXPECT_EQ(out, c.Expected) << c.Text;
    }
    TQuietHours q;
    EXPECT_TRUE(ParseQuietHours("22:15-05:45", q));
    EXPECT_EQ(q.FromMinute, 22 * 60 + 15);
    EXPECT_EQ(q.ToMinute, 5 * 60 + 45);
    for (const char* bad : {"24:00-06:00", "23:60-06:00", "23:00-23:00", "23-06", "23:00"})
        EXPECT_FALSE(ParseQuietHours(bad, q)) << bad;

    struct TBad {
        std::vector<std::string> Args;
        const char* Error;
    } bad[] = {
        {{"--print", "--format", "xml"}, "unknown format 'xml' (tsv, csv or json)"},
        {{"--format", "csv"}, "--format needs --print"},
        {{"--print", "--since", "2024-05-02", "--until", "2024-05-01"},
         "--since is later than --until"},
        {{"--print", "--quiet-hours", "25:00-01:00"},
         "bad quiet hours '25:00-01:00' (HH:MM-HH:MM, for example 23:00-06:00)"},
        {{"--print", "--since", "soon"},
         "bad since time 'soon' (a date such as 2024-03-01, a time such as 2024-03-01T08:30, or "
         "days back such as 7d)"},
    };
    for (const TBad& b : bad) {
        TResult<TCommandLine> parsed = ParseCommandLine(b.Args);
        ASSERT_FALSE(parsed.Ok()) << b.Error;
        EXPECT_EQ(parsed.Error(), b.Error);
    }
}

// A local --since or --until beside a daylight-saving change is read with the offset in force
// at the moment meant, not the one at the same reading taken as UTC.
TEST(ReportOptions, LocalTimesBesideADaylightSavingChange) {
    // Berlin: +1, +2 from 2024-03-31 01:00 UTC to 2024-10-27 01:00 UTC.
    auto berlin = [](std::int64_t t) { return t >= 1711846800 && t < 1729990800 ? 7200 : 3600; };
    // New York: -5, -4 from 2024-03-10 07:00 UTC to 2024-11-03 06:00 UTC.
    auto newYork = [](std::int64_t t) {
        return t >= 1710054000 && t < 1730613600 ? -4 * 3600 : -5 * 3600;
    };
    struct TCase {
        const char* Text;
        bool NewYork;
        bool EndOfDay;
        std::int64_t Expected;
    } cases[] = {
        {"2024-03-31T01:30", false, false, UtcSeconds(2024, 3, 31, 0, 30, 0)},
        {"2024-03-31T01:59:59", false, false, UtcSeconds(2024, 3, 31, 0, 59, 59)},
        {"2024-03-31T03:00", false, false, UtcSeconds(2024, 3, 31, 1, 0, 0)},
        {"2024-03-31T03:30", false, false, UtcSeconds(2024, 3, 31, 1, 30, 0)},
        {"2024-03-31", false, true, UtcSeconds(2024, 3, 31, 21, 59, 59)},
        {"2024-10-27T01:30", false, false, UtcSeconds(2024, 10, 26, 23, 30, 0)},
        {"2024-10-27T00:30", false, false, UtcSeconds(2024, 10, 26, 22, 30, 0)},
        {"2024-10-27T03:30", false, false, UtcSeconds(2024, 10, 27, 2, 30, 0)},
        {"2024-10-27", false, false, UtcSeconds(2024, 10, 26, 22, 0, 0)},
        {"2024-03-10T01:30", true, false, UtcSeconds(2024, 3, 10, 6, 30, 0)},
        {"2024-03-10T03:30", true, false, UtcSeconds(2024, 3, 10, 7, 30, 0)},
        {"2024-03-10T05:00", true, false, UtcSeconds(2024, 3, 10, 9, 0, 0)},
        {"2024-11-03T00:30", true, false, UtcSeconds(2024, 11, 3, 4, 30, 0)},
        {"2024-11-03T03:00", true, false, UtcSeconds(2024, 11, 3, 8, 0, 0)},
        {"2024-11-02", true, true, UtcSeconds(2024, 11, 3, 3, 59, 59)},
    };
    for (const TCase& c : cases) {
        std::int64_t out = 0;
        std::function<std::int32_t(std::int64_t)> zone = berlin;
        if (c.NewYork) zone = newYork;
        ASSERT_TRUE(ParseMoment(c.Text, 0, zone, c.EndOfDay, out)) << c.Text;
        EXPECT_EQ(out, c.Expected) << c.Text << (c.NewYork ? " New York" : " Berlin");
    }
}

// Report times in zones whose offsets are not whole hours, on both sides of UTC, in every
// month of a common and a leap year, at the first and the last second of the day.
TEST(ReportFormats, LocalTimesInOddZonesAndEveryMonth) {
    struct TZone {
        std::int32_t Offset;
        const char* Text;
    } zones[] = {{0, "+00:00"},
                 {5 * 3600 + 30 * 60, "+05:30"},
                 {5 * 3600 + 45 * 60, "+05:45"},
                 {-(3 * 3600 + 30 * 60), "-03:30"},
                 {13 * 3600 + 45 * 60, "+13:45"},
                 {-(9 * 3600 + 30 * 60), "-09:30"}};
    const int lastDay[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (const TZone& z : zones)
        for (int year : {1970, 2023, 2024, 2100})
            for (int month = 1; month <= 12; ++month) {
                int last = lastDay[month - 1] + (month == 2 && year % 4 == 0 && year != 2100);
                struct TMoment {
                    int Day, Hour, Minute, Second;
                } moments[] = {{1, 0, 0, 0}, {last, 23, 59, 59}, {15, 12, 34, 56}};
                for (const TMoment& m : moments) {
                    std::int64_t utc =
                        UtcSeconds(year, month, m.Day, m.Hour, m.Minute, m.Second) - z.Offset;
                    char want[40];
                    std::snprintf(want, sizeof want, "%04d-%02d-%02dT%02d:%02d:%02d%s", year, month,
                                  m.Day, m.Hour, m.Minute, m.Second, z.Text);
                    EXPECT_EQ(IsoLocalTime(utc, z.Offset), want);
                }
            }
}

// The period's ends are the user's, and may lie outside the 32-bit times of records.
TEST(ReportFormats, JsonPeriodEndsOutsideThirtyTwoBits) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    std::string log = WriteSampleLog(dir);
    TResult<TCommandLine> parsed = ParseCommandLine(
        {"--print", "--format", "json", "--since", "1969-12-31", "--until", "2106-02-08", log});
    ASSERT_TRUE(parsed.Ok()) << parsed.Error();
    const TCommandLine& cmd = parsed.Value();
    std::string out, err;
    EXPECT_EQ(RunPrintTo(cmd, out, err), 0) << err;
    EXPECT_NE(out.find("\"period_start\":\"1969-12-31T00:00:00+00:00\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"period_end\":\"2106-02-08T23:59:59+00:00\""), std::string::npos) << out;
}

TEST(ReportFormats, CsvQuotesWhatNeedsIt) {
    struct TCase {
        const char* In;
        const char* Out;
    } cases[] = {{"plain", "plain"},
                 {"a,b", "\"a,b\""},
                 {"say \"hi\"", "\"say \"\"hi\"\"\""},
                 {"two\nlines", "\"two\nlines\""},
                 {"cr\r", "\"cr\r\""},
                 {"", ""},
                 {"名字", "名字"}};
    for (const TCase& c : cases) EXPECT_EQ(CsvField(c.In), c.Out) << c.In;

    TScopedTimeZone utc("UTC");
    TTempDir dir;
    std::string path =
        dir.WriteWtmp("wtmp", {BootEntry(UtcSeconds(2024, 3, 1, 8, 0, 0)),
                               LoginEntry("o\"brien,jr", UtcSeconds(2024, 3, 1, 8, 5, 0)),
                               ShutdownEntry(UtcSeconds(2024, 3, 1, 23, 30, 0)),
                               BootEntry(UtcSeconds(2024, 3, 2, 8, 0, 0))});
    TCommandLine cmd = Named(path);
    cmd.Format = "csv";
    std::string out, err;
    EXPECT_EQ(RunPrintTo(cmd, out, err), 0);
    EXPECT_EQ(out,
              "state,boot,shutdown,duration_seconds,user,status,kernel,quiet,last_seen,"
              "asleep_seconds\r\n"
              "0,2024-03-02T08:00:00+00:00,,0,,\"正常,运行中...\",6.1.0-test,0,,0\r\n"
              "0,2024-03-01T08:00:00+00:00,2024-03-01T23:30:00+00:00,55800,\"o\"\"brien,jr\","
              "正常关机,6.1.0-test,1,,0\r\n");
}

TEST(ReportFormats, JsonIsReadBackByAStandardParser) {
    const std::string vigil = std::string(VIGIL_BINARY_DIR) + "/vigil";
    if (!std::filesystem::exists(vigil)) GTEST_SKIP() << "vigil not built";
    if (std::system("command -v python3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    TTempDir dir;
    std::string log = dir.WriteWtmp("wtmp", {BootEntry(UtcSeconds(2024, 3, 1, 8, 0, 0)),
                                             LoginEntry("a\"b\\c", UtcSeconds(2024, 3, 1, 8, 5, 0)),
                                             ShutdownEntry(UtcSeconds(2024, 3, 1, 20, 0, 0)),
                                             BootEntry(UtcSeconds(2024, 3, 3, 8, 0, 0))});
    std::ofstream(dir.Path("check.py"))
        << "import json,sys\nd=json.load(sys.stdin)\ns=d['sessions']\n"
           "assert len(s)==2 and s[1]['user']=='a\"b\\\\c' and s[1]['duration_seconds']==43200\n"
           "assert s[1]['boot']=='2024-03-01T08:00:00+00:00' and s[0]['shutdown'] is None\n"
           "assert d['summary']['uptime_percent']==25.0 and d['summary']['records']==2\n"
           "assert s[1]['kernel']=='6.1.0-test' and s[1]['quiet'] is False\n"
           "assert s[1]['last_seen'] is None and s[0]['last_seen'] is None\n"
           "assert s[1]['asleep_seconds']==0 and d['summary']['asleep_seconds']==0\n"
           "h=d['hours']\nassert len(h)==7 and all(len(r)==24 for r in h)\n"
           "assert sum(map(sum,h))==43200 and h[4][8]==3600 and h[4][20]==0\n";
    std::string print = "TZ=UTC '" + vigil + "' --print --format json '" + log + "'";
    std::string command = print + " | python3 '" + dir.Path("check.py") + "' && " + print +
                          " | python3 -m json.tool >/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0) << command;
}

}  // namespace
