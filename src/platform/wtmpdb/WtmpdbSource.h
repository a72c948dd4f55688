#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "eventlog/EventLogSource.h"

// The folder of the system's own wtmpdb databases.
constexpr const char* kLiveWtmpdbFolder = "/var/lib/wtmpdb";

// wtmpdb databases (SQLite) read as one event log, newest first: boots (type 1 rows: the
// boot at Login, an orderly shutdown at Logout when it is set, the kernel release in
// RemoteHost) and user logins (type 3 rows). Databases are opened read-only and read so that
// a writer logging a login meanwhile is not stalled. Open reads every row; it fails, with the
// database and the reason in ReadReport().Failure, when any of the databases cannot be read
// whole. Times outside 1970 to 2106 are left out and told through the notice.
class TWtmpdbEventSource : public TEventLogSource {
  public:
    // The databases in any order: a live one and its rotated predecessors, or one copied file.
    explicit TWtmpdbEventSource(std::vector<std::string> files, TLogFileNotice notice = {});
    ~TWtmpdbEventSource() override;

    bool Open() override;
    bool Next(TLogEvent& event) override;
    void Close() override;
    TLogReadReport ReadReport() const override;
    TBootRange Boots() override;

  private:
    struct TState;
    std::unique_ptr<TState> state_;
};

// Whether the files can be read as wtmpdb databases, and why not: "not a log file: …" for an
// SQLite file without a wtmp table, a clear reason for a locked or damaged database or another
// schema. Of several files, the reason names the file.
TResult<void> CheckWtmpdb(const std::vector<std::string>& files);

// The system's databases in folder, oldest first: the rotated wtmp_YYYYMMDD.db files by their
// dates, then wtmp.db; empty when there is none.
std::vector<std::string> LiveWtmpdbFiles(const std::string& folder = kLiveWtmpdbFolder);
