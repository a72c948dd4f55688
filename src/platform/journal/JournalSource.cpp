#include "platform/journal/JournalSource.h"

#include <algorithm>
#include <utility>

#include "platform/journal/JournalBoots_p.h"
#include "platform/journal/JournalFiles_p.h"
#include "platform/journal/JournalHandle_p.h"

namespace {

// Enough of a field for a user name or the kernel's version line; longer values are not
// decompressed whole.
constexpr std::size_t kDataThreshold = 256;

}  // namespace

struct TJournalEventSource::TState {
    std::vector<std::string> Paths;
    TLogFileNotice Notice;
    bool Live = false;              // this machine's system journal rather than the named files
    std::vector<TLogEvent> Events;  // newest first
    std::size_t Read = 0;
    TLogReadReport Report;

    // The journal opened for reading; null with the reason in report.Failure when it cannot be.
    TJournalHandle OpenJournal(TLogReadReport& report, bool tell) const {
        TJournalHandle j;
        if (Live) {
            sd_journal* raw = nullptr;
            int r = sd_journal_open(&raw, SD_JOURNAL_SYSTEM | SD_JOURNAL_LOCAL_ONLY);
            if (r < 0)
                report.Failure = "the system journal: " + JournalErrorText(r);
            else
                j.reset(raw);
        } else {
            TJournalFileSet files = SortJournalFiles(Paths);
            report.SkippedBytes = files.RefusedBytes;
            std::string why;
            if (files.Readable.empty())
                report.Failure = files.Problem;
            else if (!(j = OpenJournalFiles(files.Readable, why)))
                report.Failure = why;
            if (tell && Notice && !files.Refused.empty()) Notice(RefusedFilesText(files));
        }
        if (j) sd_journal_set_data_threshold(j.get(), kDataThreshold);
        return j;
    }
};

TJournalEventSource::TJournalEventSource(std::vector<std::string> paths, TLogFileNotice notice)
    : state_(std::make_unique<TState>()) {
    state_->Paths = std::move(paths);
    state_->Notice = std::move(notice);
}

TJournalEventSource::~TJournalEventSource() = default;

bool TJournalEventSource::Open() {
    Close();
    state_->Report = {};
    TJournalHandle j = state_->OpenJournal(state_->Report, true);
    if (!j) return false;
    std::string failure;
    std::vector<TJournalBoot> boots = ListJournalBoots(j.get(), failure);
    DescribeJournalBoots(j.get(), boots, failure);
    sd_id128_t running;
    bool knowsRunning = state_->Live && sd_id128_get_boot(&running) >= 0;
    state_->Events = JournalBootEvents(boots, knowsRunning ? &running : nullptr);
    if (state_->Report.Failure.empty()) state_->Report.Failure = failure;
    return true;
}

bool TJournalEventSource::Next(TLogEvent& event) {
    if (state_->Read >= state_->Events.size()) return false;
    event = state_->Events[state_->Read++];
    return true;
}

void TJournalEventSource::Close() {
    state_->Events.clear();
    state_->Read = 0;
}

TLogReadReport TJournalEventSource::ReadReport() const {
    return state_->Report;
}

TBootRange TJournalEventSource::Boots() {
    TBootRange range;
    TLogReadReport ignored;
    TJournalHandle j = state_->OpenJournal(ignored, false);
    if (!j) return range;
    std::string failure;
    for (const TJournalBoot& boot : ListJournalBoots(j.get(), failure)) {
        std::int64_t start = FloorSeconds(boot.Start());
        range.Oldest = range.Any ? std::min(range.Oldest, start) : start;
        range.Newest = range.Any ? std::max(range.Newest, start) : start;
        range.Any = true;
    }
    return range;
}

TResult<void> CheckJournal(const std::vector<std::string>& paths) {
    std::string problem = SortJournalFiles(paths).Problem;
    if (problem.empty()) return {};
    // A message about the one path named is shown after that path already.
    if (paths.size() == 1 && problem.rfind(paths[0] + ": ", 0) == 0)
        problem.erase(0, paths[0].size() + 2);
    return TError(problem);
}

namespace {

class TLiveJournalSource : public TJournalEventSource {
  public:
    TLiveJournalSource() : TJournalEventSource({}) { state_->Live = true; }
};

}  // namespace

TResult<std::unique_ptr<TEventLogSource>> OpenLiveJournal(bool& denied) {
    denied = false;
    sd_id128_t machine;
    int r = sd_id128_get_machine(&machine);
    if (r < 0)
        return TError("no system journal: this machine's id is unknown (" + JournalErrorText(r) +
                      ")");
    char id[SD_ID128_STRING_MAX];
    std::string whyNot = SystemJournalProblem("", sd_id128_to_string(machine, id), denied);
    if (!whyNot.empty()) return TError(whyNot);
    return std::unique_ptr<TEventLogSource>(std::make_unique<TLiveJournalSource>());
}
