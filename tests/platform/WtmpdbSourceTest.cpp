#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/ResultText.h"
#include "common/WtmpTestFile.h"
#include "common/WtmpdbTestFile.h"
#include "history/SessionHistory.h"
#include "platform/wtmpdb/WtmpdbDatabase.h"
#include "platform/wtmpdb/WtmpdbSource.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kDay = 1735689600;  // 2025-01-01 00:00:00 UTC

std::vector<TLogEvent> ReadAll(TEventLogSource& source) {
    std::vector<TLogEvent> events;
    if (!source.Open()) return events;
    TLogEvent event;
    while (source.Next(event)) events.push_back(event);
    source.Close();
    return events;
}

// Kind letter and second of each event: B boot, S shutdown, U user.
std::string Sequence(const std::vector<TLogEvent>& events) {
    std::string text;
    for (const TLogEvent& e : events) {
        text += e.Kind == ekBoot ? "B" : e.Kind == ekShutdown ? "S" : e.Kind == ekUser ? "U" : "?";
        text += std::to_string(e.Utc - kDay) + (e.Kind == ekUser ? e.User : "") + " ";
    }
    return text;
}

std::string Write(const TTempDir& dir, const std::string& name,
                  const std::vector<TWtmpdbEntry>& rows, const char* schema = kWtmpdbSchema) {
    std::string path = dir.Path(name);
    EXPECT_TRUE(WriteWtmpdb(path, rows, schema)) << path;
    return path;
}

std::vector<std::string> FolderListing(const TTempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WtmpdbSource, BootsShutdownsAndLoginsComeNewestFirst) {
    TTempDir dir;
    std::vector<TWtmpdbEntry> rows = {
        WtmpdbBoot(kDay + 100, kDay + 900, "6.1.0-orderly"),  // orderly
        WtmpdbLogin("ann", kDay + 200),
        WtmpdbBoot(kDay + 1000, std::nullopt, "6.1.0-crashed"),  // crashed
        WtmpdbLogin("bob", kDay + 1100),
        WtmpdbBoot(kDay + 2000, std::nullopt, "6.12.0-running"),  // running
        {2, "runlevel", (kDay + 2001) * 1000000, std::nullopt, ""},
        WtmpdbLogin("cy", kDay + 2100),
    };
    rows[1].Login = rows[1].Login.value() + 999999;  // microseconds are dropped, not rounded
    TWtmpdbEventSource source({Write(dir, "wtmp.db", rows)});
    std::vector<TLogEvent> events = ReadAll(source);
    EXPECT_EQ(Sequence(events), "U2100cy B2000 U1100bob B1000 S900 U200ann B100 ");
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[1].Detail, "6.12.0-running");
    EXPECT_EQ(events[3].Detail, "6.1.0-crashed");
    EXPECT_EQ(events[6].Detail, "6.1.0-orderly");
    EXPECT_EQ(events[4].Detail, "");
    for (std::size_t i = 1; i < events.size(); ++i) EXPECT_LT(events[i].Order, events[i - 1].Order);
    EXPECT_TRUE(source.ReadReport().Failure.empty());
    // A second read sees the same log.
    EXPECT_EQ(Sequence(ReadAll(source)), Sequence(events));

    TBootRange boots = source.Boots();
    EXPECT_TRUE(boots.Any);
    EXPECT_EQ(boots.Oldest, kDay + 100);
    EXPECT_EQ(boots.Newest, kDay + 2000);
}

TEST(WtmpdbSource, HistoryTellsOrderlyCrashedAndRunningBoots) {
    TTempDir dir;
    std::string path = Write(dir, "wtmp.db",
                             {WtmpdbLogin("ghost", kDay - 50), WtmpdbBoot(kDay, kDay + 3600),
                              WtmpdbLogin("ann", kDay + 60), WtmpdbBoot(kDay + 7200, std::nullopt),
                              WtmpdbLogin("bob", kDay + 7300), WtmpdbLogin("root", kDay + 7400),
                              WtmpdbBoot(kDay + 86400, std::nullopt, "6.12.9")});
    TSessionHistory history(std::make_unique<TWtmpdbEventSource>(std::vector{path}),
                            [](std::int64_t) { return 0; });
    history.Refresh();
    ASSERT_EQ(history.Rows().Rows.size(), 3u);
    EXPECT_EQ(history.Rows().Rows[0].StatusText, "正常,运行中...");
    EXPECT_EQ(history.Rows().Rows[1].StatusText, "非正常关机");
    EXPECT_EQ(history.Rows().Rows[2].StatusText, "正常关机");
    EXPECT_EQ(history.Table()[0].Kernel, "6.12.9");
    EXPECT_EQ(history.Table()[1].UserName, "bob");  // the first to log in after the boot wins
    EXPECT_EQ(history.Table()[2].UserName, "ann");
    EXPECT_EQ(history.Table()[2].DurationSeconds, 3600);
    EXPECT_EQ(history.Figures().AbnormalShutdowns, 1);
}

// A shutdown and the next boot in one second keep their order, by microsecond or, in the
// same microsecond, by row: the shutdown closes the boot before. So does a boot that ends in
// its own microsecond.
TEST(WtmpdbSource, EventsInOneSecondKeepTheirOrder) {
    TTempDir dir;
    std::vector<TWtmpdbEntry> rows = {WtmpdbBoot(kDay, std::nullopt), WtmpdbBoot(0, kDay + 200),
                                      WtmpdbBoot(kDay + 500, kDay + 500)};
    rows[0].Logout = (kDay + 100) * 1000000 + 200000;
    int n = 0;
    for (std::int64_t nextBoot : {*rows[0].Logout + 500000, *rows[0].Logout}) {
        rows[1].Login = nextBoot;
        std::string path = Write(dir, std::to_string(++n) + ".db", rows);
        TWtmpdbEventSource source({path});
        EXPECT_EQ(Sequence(ReadAll(source)), "S500 B500 S200 B100 S100 B0 ") << n;
        TSessionHistory history(std::make_unique<TWtmpdbEventSource>(std::vector{path}),
                                [](std::int64_t) { return 0; });
        history.Refresh();
        ASSERT_EQ(history.Rows().Rows.size(), 3u);
        for (const TSessionRow& row : history.Rows().Rows) EXPECT_EQ(row.StatusText, "正常关机");
        EXPECT_EQ(history.Table()[0].DurationSeconds, 0);
        EXPECT_EQ(history.Table()[1].DurationSeconds, 100);
        EXPECT_EQ(history.Table()[2].DurationSeconds, 100);
    }
}

TEST(WtmpdbSource, RotatedDatabasesMergeInTimeOrder) {
    TTempDir dir;
    std::string older = Write(dir, "wtmp_20250101.db",
                              {WtmpdbBoot(kDay, kDay + 50), WtmpdbLogin("ann", kDay + 10),
                               WtmpdbBoot(kDay + 100, std::nullopt)});
    // Rotation moved the rows before this boot's shutdown; the shutdown is in the live one.
    std::string live =
        Write(dir, "wtmp.db", {WtmpdbBoot(kDay + 200, kDay + 300), WtmpdbLogin("bob", kDay + 250)});
    const std::string expected = "S300 U250bob B200 B100 S50 U10ann B0 ";
    for (auto files : {std::vector{older, live}, std::vector{live, older}}) {
        TWtmpdbEventSource source(files);
        std::vector<TLogEvent> events = ReadAll(source);
        EXPECT_EQ(Sequence(events), expected);
        for (std::size_t i = 1; i < events.size(); ++i)
            EXPECT_LT(events[i].Order, events[i - 1].Order);
        TBootRange boots = source.Boots();
        EXPECT_EQ(boots.Oldest, kDay);
        EXPECT_EQ(boots.Newest, kDay + 200);
    }
}

// Reading goes on in batches past gaps in the row numbers.
TEST(WtmpdbSource, LargeDatabaseIsReadWhole) {
    TTempDir dir;
    std::vector<TWtmpdbEntry> rows;
    for (int i = 0; i < 10000; ++i)
        rows.push_back(i % 100 == 0 ? WtmpdbBoot(kDay + i, kDay + i + 99)
                                    : WtmpdbLogin("u" + std::to_string(i % 7), kDay + i));
    std::string path = Write(dir, "wtmp.db", rows);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(ExecSql(db,
                        "DELETE FROM wtmp WHERE ID BETWEEN 4000 AND 4199 AND Type = 3;"
                        "UPDATE wtmp SET ID = ID + 1000000 WHERE ID > 9000"));
    sqlite3_close(db);
    TWtmpdbEventSource source({path});
    std::vector<TLogEvent> events = ReadAll(source);
    EXPECT_EQ(events.size(), 10000u + 100u - 198u);
    EXPECT_TRUE(
        std::is_sorted(events.rbegin(), events.rend(),
                       [](const TLogEvent& a, const TLogEvent& b) { return a.Utc < b.Utc; }));
    // The last login shares its microsecond with the last shutdown but was written later.
    EXPECT_EQ(events.front().Utc, kDay + 9999);
    EXPECT_EQ(events.front().User, "u3");
}

TEST(WtmpdbSource, OddValuesAreSkippedAndCounted) {
    TTempDir dir;
    const std::int64_t last = std::int64_t{UINT32_MAX};  // 2106-02-07 06:28:15
    std::vector<TWtmpdbEntry> rows = {
        WtmpdbBoot(kDay, std::nullopt),
        {3, "nolog", std::nullopt, std::nullopt, ""},  // NULL Login
        WtmpdbLogin("neg", -5),                        // before 1970
        WtmpdbLogin("huge", last + 1),                 // past the 32-bit range
        WtmpdbLogin("edge", last),                     // the last second kept
        {3, "microneg", -1, std::nullopt, ""},         // -1 µs is still 1969
        WtmpdbBoot(kDay + 10, kDay + 5),               // shutdown before its boot
        WtmpdbBoot(kDay + 20, last + 1),               // shutdown out of range
        WtmpdbLogin("a\tb\x01\xff", kDay + 30),        // made safe to show
        WtmpdbLogin("", kDay + 40),                    // no name: the scan drops it
        WtmpdbBoot(kDay + 50, std::nullopt, "5.10\n-evil"),
        {7, "other", kDay * 1000000, std::nullopt, ""},  // unknown type: ignored
    };
    std::vector<std::string> notices;
    TWtmpdbEventSource source({Write(dir, "wtmp.db", rows)},
                              [&](const std::string& text) { notices.push_back(text); });
    std::vector<TLogEvent> events = ReadAll(source);
    EXPECT_EQ(Sequence(events),
              "U" + std::to_string(last - kDay) + "edge B50 U40 U30a?b?\xEF\xBF\xBD B20 B10 B0 ");
    EXPECT_EQ(events[1].Detail, "5.10?-evil");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].substr(0, 2), "6 ");
    TBootRange boots = source.Boots();
    EXPECT_EQ(boots.Oldest, kDay);
    EXPECT_EQ(boots.Newest, kDay + 50);
}

TEST(WtmpdbSource, UnreadableDatabasesGiveAClearReason) {
    TTempDir dir;
    std::string good = Write(dir, "wtmp.db", {WtmpdbBoot(kDay, std::nullopt)});
    std::string foreign = Write(dir, "foreign.db", {}, "CREATE TABLE wtmp(ID INTEGER, Who TEXT)");
    std::string noLogout = Write(dir, "old.db", {},
                                 "CREATE TABLE wtmp(ID INTEGER PRIMARY KEY, Type INTEGER, User "
                                 "TEXT, Login INTEGER, RemoteHost TEXT)");
    std::string other = Write(dir, "places.db", {}, "CREATE TABLE places(id INTEGER, url TEXT)");
    std::string text = dir.WriteFile("notes.db", {'h', 'e', 'l', 'l', 'o', '\n'});
    fs::create_directory(dir.Path("folder.db"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {foreign, "not a wtmpdb database: its wtmp table has no Type column"},
        {noLogout, "not a wtmpdb database: its wtmp table has no Logout column"},
        {other, "not a log file: an SQLite database without a wtmp table"},
        {text, "not a log file: not an SQLite database"},
        {dir.Path("missing.db"), "No such file or directory"},
        {dir.Path("folder.db"), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(ErrorText(CheckWtmpdb({path})), reason) << path;
        TWtmpdbEventSource source({good, path});
        EXPECT_FALSE(source.Open()) << path;
        EXPECT_EQ(source.ReadReport().Failure, path + ": " + reason);
        TLogEvent event;
        EXPECT_FALSE(source.Next(event));
        EXPECT_FALSE(source.Boots().Any) << path;
        EXPECT_EQ(ErrorText(CheckWtmpdb({good, path})), path + ": " + reason);
    }
    EXPECT_EQ(ErrorText(CheckWtmpdb({good})), "");
    EXPECT_EQ(ErrorText(CheckWtmpdb({})), "");
}

// A database cut short or overwritten in its middle is reported as damaged, never read on
// as if whole.
TEST(WtmpdbSource, DamagedDatabaseIsReportedNotRead) {
    TTempDir dir;
    std::vector<TWtmpdbEntry> rows;
    for (int i = 0; i < 3000; ++i)
        rows.push_back(WtmpdbLogin("user" + std::to_string(i), kDay + i));
    rows.push_back(WtmpdbBoot(kDay + 5000, std::nullopt));
    std::string path = Write(dir, "wtmp.db", rows);
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 40000u);

    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + bytes.size() / 2);
    std::vector<std::uint8_t> garbage = bytes;
    for (std::size_t i = 8192; i < 8192 + 4096 * 3; ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 7);
    for (const auto& [name, damaged] : {std::pair{"cut.db", cut}, {"garbage.db", garbage}}) {
        std::string file = dir.WriteFile(name, damaged);
        std::string problem = ErrorText(CheckWtmpdb({file}));
        EXPECT_EQ(problem.substr(0, 23), "the database is damaged") << name << ": " << problem;
        TWtmpdbEventSource source({file});
        EXPECT_FALSE(source.Open());
        EXPECT_EQ(source.ReadReport().Failure, file + ": " + problem);
    }
}

// Another program holding the database locked past the short wait: the read fails with a
// reason rather than waiting; once the lock is gone the same source reads.
TEST(WtmpdbSource, LockedDatabaseFailsClearlyThenReadsWhenFree) {
    TTempDir dir;
    std::string path = Write(dir, "wtmp.db", {WtmpdbBoot(kDay, std::nullopt)});
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &writer), SQLITE_OK);
    ASSERT_TRUE(ExecSql(writer, "BEGIN EXCLUSIVE"));
    TWtmpdbEventSource source({path});
    EXPECT_FALSE(source.Open());
    EXPECT_EQ(source.ReadReport().Failure,
              path + ": the database stayed locked by a program writing it");
    EXPECT_EQ(ErrorText(CheckWtmpdb({path})), "the database stayed locked by a program writing it");
    EXPECT_FALSE(source.Boots().Any);
    ASSERT_TRUE(ExecSql(writer, "COMMIT"));
    EXPECT_EQ(Sequence(ReadAll(source)), "B0 ");
    EXPECT_TRUE(source.ReadReport().Failure.empty());
    sqlite3_close(writer);
}

// A program logging a login while the rows are read gets its turn between two batches of
// rows, not only after the whole read.
TEST(WtmpdbSource, WriterIsNotKeptWaitingForTheWholeRead) {
    TTempDir dir;
    std::vector<TWtmpdbEntry> rows(40000, WtmpdbLogin("ann", kDay));
    std::string path = Write(dir, "wtmp.db", rows);
    std::atomic<bool> written = false;
    std::thread writer;
    std::size_t read = 0, readWhenWritten = 0;
    TWtmpdbDatabase db(path);
    bool ok = db.ReadRows([&](const TWtmpdbRow&) {
        if (++read == 1000) {
            writer = std::thread([&] {
                sqlite3* w = nullptr;
                sqlite3_open(path.c_str(), &w);
                sqlite3_busy_timeout(w, 20000);
                written = InsertWtmpdbRows(w, {WtmpdbLogin("bob", kDay + 1)});
                sqlite3_close(w);
            });
        }
        if (written && readWhenWritten == 0) readWhenWritten = read;
        // Slow enough for the writer to ask for the database while a batch is being read.
        if (read > 1000 && !written) std::this_thread::sleep_for(std::chrono::microseconds(50));
    });
    writer.join();
    EXPECT_TRUE(ok) << db.Problem();
    EXPECT_TRUE(written);
    EXPECT_GT(readWhenWritten, 0u);
    EXPECT_LT(readWhenWritten, 30000u);
    EXPECT_EQ(read, 40001u);  // the login written meanwhile is read too
}

// A writer that stopped in the middle of a write left the database changed and its journal
// beside it: the reader neither rolls it back nor reads the half-written state.
TEST(WtmpdbSource, CutOffWriteIsReportedAndLeftAlone) {
    TTempDir dir;
    std::string path = Write(dir, "wtmp.db", {WtmpdbBoot(kDay, std::nullopt)});
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &writer), SQLITE_OK);
    // A small cache makes the writer spill changed pages into the file before it commits.
    ASSERT_TRUE(ExecSql(writer,
                        "PRAGMA cache_size=2; BEGIN; "
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                        "WHERE i < 3000) INSERT INTO wtmp(Type, User, Login) "
                        "SELECT 3, printf('%0100d', i), i FROM n"));
    ASSERT_TRUE(fs::exists(path + "-journal"));
    std::string copy = dir.Path("copy.db");
    fs::copy_file(path, copy);
    fs::copy_file(path + "-journal", copy + "-journal");
    ASSERT_TRUE(ExecSql(writer, "ROLLBACK"));
    sqlite3_close(writer);

    const std::string reason =
        "a cut-off write must be rolled back by a program allowed to write it";
    EXPECT_EQ(ErrorText(CheckWtmpdb({copy})), reason);
    TWtmpdbEventSource source({copy});
    EXPECT_FALSE(source.Open());
    EXPECT_EQ(source.ReadReport().Failure, copy + ": " + reason);
    EXPECT_TRUE(fs::exists(copy + "-journal"));
}

// Reading leaves no journal, write-ahead log or shared-memory file behind; a database in
// write-ahead-log mode that a writer has open is read with what the writer committed.
TEST(WtmpdbSource, ReadingCreatesNoFiles) {
    TTempDir dir;
    std::string plain = Write(dir, "wtmp.db", {WtmpdbBoot(kDay, std::nullopt)});
    std::string wal = Write(dir, "wal.db", {});
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(wal.c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(ExecSql(db, "PRAGMA journal_mode=WAL"));
    ASSERT_TRUE(InsertWtmpdbRows(db, {WtmpdbBoot(kDay + 10, std::nullopt)}));
    ASSERT_EQ(sqlite3_close(db), SQLITE_OK);
    const std::vector<std::string> before = FolderListing(dir);
    ASSERT_EQ(before, (std::vector<std::string>{"wal.db", "wtmp.db"}));
    for (const std::string& path : {plain, wal}) {
        TWtmpdbEventSource source({path});
        EXPECT_EQ(ReadAll(source).size(), 1u) << path;
        EXPECT_TRUE(source.Boots().Any);
        EXPECT_EQ(ErrorText(CheckWtmpdb({path})), "");
        EXPECT_EQ(FolderListing(dir), before) << path;
    }

    ASSERT_EQ(sqlite3_open(wal.c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(ExecSql(db, "PRAGMA wal_autocheckpoint=0"));
    ASSERT_TRUE(InsertWtmpdbRows(db, {WtmpdbLogin("ann", kDay + 20)}));
    TWtmpdbEventSource source({wal});
    EXPECT_EQ(Sequence(ReadAll(source)), "U20ann B10 ");
    sqlite3_close(db);
}

// The path is handed to SQLite as an address, where '?', '#' and '%' mean something.
TEST(WtmpdbSource, FileNamesAreTakenAsTheyAre) {
    TTempDir dir;
    std::string odd = Write(dir, "a?mode=rw#b%41.db", {WtmpdbBoot(kDay, std::nullopt)});
    for (const std::string& path : {odd, "/" + odd}) {
        TWtmpdbEventSource source({path});
        EXPECT_EQ(Sequence(ReadAll(source)), "B0 ") << path;
        EXPECT_EQ(ErrorText(CheckWtmpdb({path})), "") << path;
    }
}

TEST(WtmpdbSource, LiveFilesAreTheRotatedOnesOldestFirstThenTheLiveOne) {
    TTempDir dir;
    for (const char* name : {"wtmp.db", "wtmp_20250301.db", "wtmp_20241231.db", "wtmp_2025.db",
                             "wtmp.db-journal", "wtmp_2025010x.db", "btmp.db"})
        dir.WriteFile(name, {});
    fs::create_directory(dir.Path("wtmp_20250101.db"));
    EXPECT_EQ(LiveWtmpdbFiles(dir.Path("")),
              (std::vector<std::string>{dir.Path("wtmp_20241231.db"), dir.Path("wtmp_20250301.db"),
                                        dir.Path("wtmp.db")}));
    fs::remove(dir.Path("wtmp.db"));
    EXPECT_EQ(LiveWtmpdbFiles(dir.Path("")).size(), 2u);
    EXPECT_TRUE(LiveWtmpdbFiles(dir.Path("none")).empty());
}

}  // namespace
