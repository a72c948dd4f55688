#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// The columns of a wtmp row that the history uses. Times are microseconds; a column that is
// NULL or not an integer is empty.
struct TWtmpdbRow {
    std::int64_t Id = 0;
    std::int64_t Type = 0;
    std::string_view User;
    std::optional<std::int64_t> Login;
    std::optional<std::int64_t> Logout;
    std::string_view RemoteHost;
};

// wtmpdb's row types.
inline constexpr std::int64_t kWtmpdbBoot = 1;
inline constexpr std::int64_t kWtmpdbUserLogin = 3;

// One wtmpdb database opened read-only. Every query is its own short read transaction, so a
// program logging a login meanwhile waits at most for one of them.
class TWtmpdbDatabase {
  public:
    // Opens path and checks that it holds wtmpdb's table; Problem() tells when not.
    explicit TWtmpdbDatabase(const std::string& path);
    ~TWtmpdbDatabase();
    TWtmpdbDatabase(const TWtmpdbDatabase&) = delete;
    TWtmpdbDatabase& operator=(const TWtmpdbDatabase&) = delete;

    // Why the database cannot be read, without its path; empty while it can.
    const std::string& Problem() const { return problem_; }

    // Hands each boot and login row to row, in the order they were written. False when
    // reading failed part way (Problem() says why).
    bool ReadRows(const std::function<void(const TWtmpdbRow&)>& row);

    // The earliest and the latest boot time in microseconds at or above least and below
    // limit, read without decoding the rows. False when the database could not be read.
    bool BootRange(std::int64_t least, std::int64_t limit, std::optional<std::int64_t>& oldest,
                   std::optional<std::int64_t>& newest);

  private:
    bool Fail(int code);
    // Readies sql; false, with the reason in Problem(), when the database cannot be read.
    bool Prepare(const char* sql, sqlite3_stmt*& statement);
    bool CheckSchema();

    sqlite3* db_ = nullptr;
    std::string problem_;
};
