#pragma once

// wtmpdb databases for tests, written through SQLite with wtmpdb's own table. Header-only so
// the fuzz targets and the benchmark share it.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kWtmpdbSchema =
    "CREATE TABLE wtmp(ID INTEGER PRIMARY KEY, Type INTEGER, User TEXT NOT NULL, "
    "Login INTEGER, Logout INTEGER, TTY TEXT, RemoteHost TEXT, Service TEXT) STRICT";

// One row; times in microseconds, empty for NULL.
struct TWtmpdbEntry {
    int Type = 3;
    std::string User;
    std::optional<std::int64_t> Login;
    std::optional<std::int64_t> Logout;
    std::string RemoteHost;
};

inline TWtmpdbEntry WtmpdbBoot(std::int64_t bootSeconds, std::optional<std::int64_t> shutdown,
                               const std::string& kernel = "6.12.0-test") {
    TWtmpdbEntry e{1, "reboot", bootSeconds * 1000000, std::nullopt, kernel};
    if (shutdown) e.Logout = *shutdown * 1000000;
    return e;
}

inline TWtmpdbEntry WtmpdbLogin(const std::string& user, std::int64_t seconds) {
    return {3, user, seconds * 1000000, std::nullopt, ""};
}

// Runs SQL on a database, false on any error.
inline bool ExecSql(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Adds rows to the wtmp table of an open database in one transaction.
inline bool InsertWtmpdbRows(sqlite3* db, const std::vector<TWtmpdbEntry>& rows) {
    sqlite3_stmt* st = nullptr;
    bool ok = ExecSql(db, "BEGIN") &&
              sqlite3_prepare_v2(db,
                                 "INSERT INTO wtmp(Type, User, Login, Logout, TTY, RemoteHost) "
                                 "VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
                                 -1, &st, nullptr) == SQLITE_OK;
    for (std::size_t i = 0; ok && i < rows.size(); ++i) {
        const TWtmpdbEntry& r = rows[i];
        sqlite3_bind_int(st, 1, r.Type);
        // SQLite keeps text as given, so names that are not valid UTF-8 reach the reader.
        sqlite3_bind_text(st, 2, r.User.data(), static_cast<int>(r.User.size()), SQLITE_STATIC);
        r.Login ? sqlite3_bind_int64(st, 3, *r.Login) : sqlite3_bind_null(st, 3);
        r.Logout ? sqlite3_bind_int64(st, 4, *r.Logout) : sqlite3_bind_null(st, 4);
        sqlite3_bind_text(st, 5, r.Type == 1 ? "~" : "pts/0", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 6, r.RemoteHost.data(), static_cast<int>(r.RemoteHost.size()),
                          SQLITE_STATIC);
        ok = sqlite3_step(st) == SQLITE_DONE && sqlite3_reset(st) == SQLITE_OK;
    }
    sqlite3_finalize(st);
    return ExecSql(db, ok ? "COMMIT" : "ROLLBACK") && ok;
}

// Writes a new database at path. schema: the table to make (wtmpdb's by default).
inline bool WriteWtmpdb(const std::string& path, const std::vector<TWtmpdbEntry>& rows,
                        const char* schema = kWtmpdbSchema) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              nullptr) == SQLITE_OK &&
              ExecSql(db, schema) && (rows.empty() || InsertWtmpdbRows(db, rows));
    return sqlite3_close(db) == SQLITE_OK && ok;
}
