#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/LogSource.h"
#include "app/PrintCommand.h"
#include "common/JournalTestFile.h"
#include "common/WtmpTestFile.h"
#include "common/WtmpdbTestFile.h"

// A journal or wtmpdb database copied from another machine, named on the command line, read
// through the same factory and report as any other log.
namespace {

constexpr std::uint64_t kSecond = 1000000;
constexpr const char* kShutdownId = "98268866d1d54a499c4e98921d93bc40";
constexpr const char* kNewSessionId = "8d45620c1a4348dbb17410da57c60c66";

TCommandLine Named(const std::string& path, const char* format = "tsv") {
    TCommandLine cmd;
    cmd.LogFile = path;
    cmd.Print = true;
    cmd.Format = format;
    return cmd;
}

TJournalEntry Entry(const std::string& boot, std::int64_t start, std::uint64_t after,
                    std::vector<std::pair<std::string, std::string>> fields) {
    fields.push_back({"_UID", "0"});
    return {static_cast<std::uint64_t>(start) * kSecond + after, after, boot, fields};
}

// 2024-03-01 08:00 UTC: a boot shut down in order after an hour with alice logged in; then a
// boot that ended without a shutdown, last seen ten minutes in.
std::vector<TJournalEntry> TwoBoots() {
    const std::string a = "0123456789abcdef0123456789abcdef",
                      b = "fedcba9876543210fedcba9876543210";
    const std::int64_t t1 = 1709280000, t2 = t1 + 7200;
    return {Entry(a, t1, 500000,
                  {{"_TRANSPORT", "kernel"}, {"MESSAGE", "Linux version 6.1.0-18-amd64 (x)"}}),
            Entry(a, t1, 30 * kSecond, {{"MESSAGE_ID", kNewSessionId}, {"USER_ID", "alice"}}),
            Entry(a, t1, 3600 * kSecond, {{"MESSAGE_ID", kShutdownId}, {"MESSAGE", "down"}}),
            Entry(b, t2, 1 * kSecond, {{"MESSAGE", "up"}}),
            Entry(b, t2, 600 * kSecond, {{"MESSAGE", "the last words"}})};
}

TEST(LinuxLogs, ACopiedJournalFileOrFolderIsReadWithItsCrashAndLastSignOfLife) {
    ASSERT_FALSE(JournalRemoteProgram().empty()) << "systemd-journal-remote is missing";
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    const std::string folder = dir.Path("0123456789abcdef0123456789abcdef");
    std::filesystem::create_directory(folder);
    const std::string file = folder + "/system.journal";
    ASSERT_EQ(WriteJournal(TwoBoots(), file), "");

    for (const std::string& path : {file, folder, dir.Path("")}) {
        std::string out, err;
        ASSERT_EQ(RunPrintTo(Named(path), out, err), 0) << path << err;
        EXPECT_EQ(err, "");
        // The list keeps its rules: a copied log's newest boot without a shutdown is shown as
        // the running one.
        EXPECT_EQ(out.find("0\t2024-03-01 10:00:00\t\t\t\t正常,运行中...\n"), 0u) << out;
        EXPECT_NE(out.find("0\t2024-03-01 08:00:00\t2024-03-01 09:00:00\t60 分\talice\t正常关机\n"),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("\nsource\tjournal\n"), std::string::npos) << out;
    }

    std::string out, err;
    ASSERT_EQ(RunPrintTo(Named(file, "csv"), out, err), 0);
    EXPECT_NE(out.find(",6.1.0-18-amd64,"), std::string::npos) << out;
    EXPECT_NE(
        out.find(
            "2024-03-01T10:00:00+00:00,,0,,\"正常,运行中...\",,0,2024-03-01T10:10:00+00:00,0\r\n"),
        std::string::npos)
        << out;
}

TEST(LinuxLogs, ACopiedWtmpdbIsReadAndAnotherDatabaseIsRefused) {
    TScopedTimeZone utc("UTC");
    TTempDir dir;
    const std::int64_t t1 = 1709280000;
    const std::string db = dir.Path("wtmp.db");
    ASSERT_TRUE(WriteWtmpdb(db, {WtmpdbBoot(t1, std::nullopt, "6.12.0-test"),
                                 WtmpdbLogin("bob", t1 + 60), WtmpdbBoot(t1 + 7200, t1 + 9000)}));
    std::string out, err;
    ASSERT_EQ(RunPrintTo(Named(db, "json"), out, err), 0) << err;
    EXPECT_NE(out.find("\"user\":\"bob\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"kernel\":\"6.12.0-test\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"status\":\"非正常关机\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"source\":\"wtmpdb\""), std::string::npos) << out;

    // Another program's SQLite database is no log: exit status 2 and one line.
    const std::string other = dir.Path("places.sqlite");
    ASSERT_TRUE(
        WriteWtmpdb(other, {}, "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT);"));
    out.clear();
    err.clear();
    EXPECT_EQ(RunPrintTo(Named(other), out, err), 2);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err.rfind("vigil: " + other + ": not a log file", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

}  // namespace
