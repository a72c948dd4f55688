#include "platform/wtmpdb/WtmpdbSource.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "platform/wtmpdb/WtmpdbDatabase.h"
#include "platform/wtmpdb/WtmpdbEvents.h"

struct TWtmpdbEventSource::TState {
    std::vector<std::string> Files;
    TLogFileNotice Notice;
    TWtmpdbEvents Events;
    std::size_t Left = 0;  // events not yet handed out: the first Left of Events
    TLogReadReport Report;
};

TWtmpdbEventSource::TWtmpdbEventSource(std::vector<std::string> files, TLogFileNotice notice)
    : state_(std::make_unique<TState>()) {
    state_->Files = std::move(files);
    state_->Notice = std::move(notice);
}

TWtmpdbEventSource::~TWtmpdbEventSource() = default;

// Every row is read here, each database in short read transactions, and merged in memory:
// the databases are not held open while the history is built.
bool TWtmpdbEventSource::Open() {
    Close();
    TState& s = *state_;
    s.Report = {};
    for (std::uint32_t i = 0; i < s.Files.size(); ++i) {
        TWtmpdbDatabase db(s.Files[i]);
        if (!db.ReadRows([&](const TWtmpdbRow& row) { s.Events.Add(row, i); })) {
            s.Report.Failure = s.Files[i] + ": " + db.Problem();
            s.Events.Clear();
            return false;
        }
    }
    s.Events.Sort();
    s.Left = s.Events.Size();
    if (s.Events.Skipped() > 0 && s.Notice)
        s.Notice(std::to_string(s.Events.Skipped()) +
                 " times skipped: missing, out of range or a shutdown before its boot");
    return true;
}

bool TWtmpdbEventSource::Next(TLogEvent& event) {
    if (state_->Left == 0) return false;
    state_->Events.Get(--state_->Left, event);
    return true;
}

void TWtmpdbEventSource::Close() {
    state_->Events.Clear();
    state_->Left = 0;
}

TLogReadReport TWtmpdbEventSource::ReadReport() const {
    return state_->Report;
}

TBootRange TWtmpdbEventSource::Boots() {
    TBootRange range;
    for (const std::string& file : state_->Files) {
        TWtmpdbDatabase db(file);
        std::optional<std::int64_t> oldest, newest;
        if (!db.BootRange(0, kWtmpdbTimeLimit, oldest, newest)) return {};
        if (!oldest || !newest) continue;
        std::int64_t first = *oldest / kMicrosPerSecond, last = *newest / kMicrosPerSecond;
        range.Oldest = range.Any ? std::min(range.Oldest, first) : first;
        range.Newest = range.Any ? std::max(range.Newest, last) : last;
        range.Any = true;
    }
    return range;
}

TResult<void> CheckWtmpdb(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        TWtmpdbDatabase db(file);
        // Damage deep in the table shows only when its rows are read.
        if (db.ReadRows([](const TWtmpdbRow&) {})) continue;
        return TError(files.size() == 1 ? db.Problem() : file + ": " + db.Problem());
    }
    return {};
}

namespace {

// wtmp_YYYYMMDD.db: the rows moved out of wtmp.db on that day.
bool IsRotatedName(const std::string& name) {
    return name.size() == 16 && name.starts_with("wtmp_") && name.ends_with(".db") &&
           std::all_of(name.begin() + 5, name.begin() + 13,
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

std::vector<std::string> LiveWtmpdbFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (IsRotatedName(it->path().filename().string()) && it->is_regular_file(typeEc))
            files.push_back(it->path().string());
    }
    // The dates in the names sort as the names do.
    std::sort(files.begin(), files.end());
    std::string live = (fs::path(folder) / "wtmp.db").string();
    if (fs::is_regular_file(live, ec)) files.push_back(live);
    return files;
}
