#include "platform/wtmpdb/WtmpdbDatabase.h"

#include <sqlite3.h>

#include <array>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

// A writer holds its lock for the few milliseconds of one login; a reader that finds the
// database locked waits that long, not the minutes of a program that hangs on to it.
constexpr int kBusyTimeoutMs = 500;
// Rows per read transaction: a few milliseconds of reading.
constexpr int kRowsPerRead = 4096;

struct TStatement {
    sqlite3_stmt* Handle = nullptr;
    ~TStatement() { sqlite3_finalize(Handle); }
};

std::string UriOf(const std::string& path, bool immutable) {
    // "file://" with an empty authority keeps an absolute path that starts with "//" a path.
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (char c : path) {
        if (c == '?' || c == '#' || c == '%') {
            static constexpr char kHex[] = "0123456789ABCDEF";
            auto b = static_cast<unsigned char>(c);
            uri += {'%', kHex[b >> 4], kHex[b & 15]};
        } else {
            uri += c;
        }
    }
    return uri + (immutable ? "?mode=ro&immutable=1" : "?mode=ro");
}

// Even a read-only reader of a database in write-ahead-log mode creates the shared-memory
// file and the log beside it. When neither is there, no program has the database open, so
// it is read as it stands and nothing is created; when they are, they belong to a writer and
// are needed to read what it committed.
bool ReadAsItStands(const std::string& path) {
    std::array<char, 20> header{};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(header.data(), header.size())) return false;
    bool wal = std::memcmp(header.data(), "SQLite format 3", 16) == 0 &&
               (header[18] == 2 || header[19] == 2);
    std::error_code ec;
    return wal && !std::filesystem::exists(path + "-wal", ec) &&
           !std::filesystem::exists(path + "-shm", ec);
}

std::string ReasonOf(int code, sqlite3* db) {
    std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
            return "not a log file: not an SQLite database";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "the database stayed locked by a program writing it";
        case SQLITE_CORRUPT:
            return "the database is damaged (" + message + ")";
        case SQLITE_READONLY:
            // A writer stopped part way through; the next one puts the database back.
            if (code == SQLITE_READONLY_ROLLBACK)
                return "a cut-off write must be rolled back by a program allowed to write it";
            break;
        case SQLITE_IOERR:
            if (code == SQLITE_IOERR_SHORT_READ) return "the database is damaged (cut short)";
            break;
        case SQLITE_CANTOPEN:
            if (int e = db != nullptr ? sqlite3_system_errno(db) : 0; e != 0)
                return std::generic_category().message(e);
            break;
        default:
            break;
    }
    return "the database cannot be read (" + message + ")";
}

std::string_view TextOf(sqlite3_stmt* st, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return text != nullptr ? std::string_view(text, sqlite3_column_bytes(st, column))
                           : std::string_view();
}

std::optional<std::int64_t> IntegerOf(sqlite3_stmt* st, int column) {
    if (sqlite3_column_type(st, column) != SQLITE_INTEGER) return std::nullopt;
    return sqlite3_column_int64(st, column);
}

}  // namespace

TWtmpdbDatabase::TWtmpdbDatabase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec) {
        problem_ = ec.message();
    } else if (fs::is_directory(status)) {
        problem_ = std::make_error_code(std::errc::is_a_directory).message();
    } else if (!fs::is_regular_file(status)) {
        // A named pipe would block the open.
        problem_ = "not a regular file";
    } else {
        // One thread uses the connection: no lock around every column read.
        int code =
            sqlite3_open_v2(UriOf(path, ReadAsItStands(path)).c_str(), &db_,
                            SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
        if (db_ != nullptr) {
            sqlite3_extended_result_codes(db_, 1);
            sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        }
        if (code == SQLITE_OK)
            CheckSchema();
        else
            Fail(code);
    }
}

TWtmpdbDatabase::~TWtmpdbDatabase() {
    sqlite3_close_v2(db_);
}

bool TWtmpdbDatabase::Fail(int code) {
    if (problem_.empty()) problem_ = ReasonOf(code, db_);
    return false;
}

bool TWtmpdbDatabase::Prepare(const char* sql, sqlite3_stmt*& statement) {
    if (!problem_.empty()) return false;
    int code = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
    return code == SQLITE_OK || Fail(code);
}

bool TWtmpdbDatabase::CheckSchema() {
    TStatement st;
    int code = sqlite3_prepare_v2(db_, "SELECT name FROM pragma_table_info('wtmp')", -1, &st.Handle,
                                  nullptr);
    if (code != SQLITE_OK) return Fail(code);
    constexpr std::array<const char*, 5> kNeeded = {"Type", "User", "Login", "Logout",
                                                    "RemoteHost"};
    std::array<bool, kNeeded.size()> found{};
    bool any = false;
    while ((code = sqlite3_step(st.Handle)) == SQLITE_ROW) {
        any = true;
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(st.Handle, 0));
        for (std::size_t i = 0; i < kNeeded.size(); ++i)
            if (name != nullptr && sqlite3_stricmp(name, kNeeded[i]) == 0) found[i] = true;
    }
    if (code != SQLITE_DONE) return Fail(code);
    if (!any) {
        problem_ = "not a log file: an SQLite database without a wtmp table";
        return false;
    }
    for (std::size_t i = 0; i < kNeeded.size(); ++i) {
        if (found[i]) continue;
        problem_ =
            std::string("not a wtmpdb database: its wtmp table has no ") + kNeeded[i] + " column";
        return false;
    }
    return true;
}

bool TWtmpdbDatabase::ReadRows(const std::function<void(const TWtmpdbRow&)>& row) {
    TStatement st;
    if (!Prepare("SELECT rowid, Type, User, Login, Logout, RemoteHost FROM wtmp "
                 "WHERE rowid >= ?1 AND Type IN (1, 3) ORDER BY rowid LIMIT ?2",
                 st.Handle))
        return false;
    int code;
    std::int64_t from = INT64_MIN;
    for (;;) {
        sqlite3_bind_int64(st.Handle, 1, from);
        sqlite3_bind_int(st.Handle, 2, kRowsPerRead);
        int rows = 0;
        TWtmpdbRow r;
        while ((code = sqlite3_step(st.Handle)) == SQLITE_ROW) {
            r.Id = sqlite3_column_int64(st.Handle, 0);
            r.Type = sqlite3_column_int64(st.Handle, 1);
            r.User = TextOf(st.Handle, 2);
            r.Login = IntegerOf(st.Handle, 3);
            r.Logout = IntegerOf(st.Handle, 4);
            r.RemoteHost = TextOf(st.Handle, 5);
            row(r);
            ++rows;
        }
        // The reset ends the read transaction, so a writer can go ahead between batches.
        sqlite3_reset(st.Handle);
        if (code != SQLITE_DONE) return Fail(code);
        if (rows < kRowsPerRead || r.Id == INT64_MAX) return true;
        from = r.Id + 1;
    }
}

bool TWtmpdbDatabase::BootRange(std::int64_t least, std::int64_t limit,
                                std::optional<std::int64_t>& oldest,
                                std::optional<std::int64_t>& newest) {
    oldest = newest = std::nullopt;
    TStatement st;
    if (!Prepare("SELECT MIN(Login), MAX(Login) FROM wtmp WHERE Type = 1 AND "
                 "typeof(Login) = 'integer' AND Login >= ?1 AND Login < ?2",
                 st.Handle))
        return false;
    sqlite3_bind_int64(st.Handle, 1, least);
    sqlite3_bind_int64(st.Handle, 2, limit);
    int code = sqlite3_step(st.Handle);
    if (code != SQLITE_ROW) return Fail(code);
    oldest = IntegerOf(st.Handle, 0);
    newest = IntegerOf(st.Handle, 1);
    return true;
}
