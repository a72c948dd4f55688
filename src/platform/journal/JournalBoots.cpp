#include <systemd/sd-messages.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <span>
#include <string_view>

#include "eventlog/SafeText.h"
#include "platform/journal/JournalBoots_p.h"
#include "platform/journal/JournalHandle_p.h"

namespace {

constexpr std::string_view kShutdownId = SD_MESSAGE_SHUTDOWN_STR;
constexpr std::string_view kJournalStopId = SD_MESSAGE_JOURNAL_STOP_STR;
constexpr std::string_view kJournalStartId = SD_MESSAGE_JOURNAL_START_STR;
constexpr std::string_view kNewSessionId = SD_MESSAGE_SESSION_START_STR;
constexpr std::string_view kSleepStartId = SD_MESSAGE_SLEEP_START_STR;
constexpr std::string_view kSleepStopId = SD_MESSAGE_SLEEP_STOP_STR;
// Any user may log an entry with any message id; journald itself sets _UID, so only the
// entries of root's processes (systemd, logind, journald) are believed.
constexpr const char* kByRootMatch = "_UID=0";
// The kernel names its release in one of its first lines of a boot.
constexpr int kKernelLinesLooked = 16;
constexpr std::string_view kLinuxVersion = "Linux version ";

std::string BootMatch(const sd_id128_t& id) {
    char text[SD_ID128_STRING_MAX];
    return std::string("_BOOT_ID=") + sd_id128_to_string(id, text);
}

void AddMessageIdMatch(sd_journal* j, std::string_view id) {
    std::string match = "MESSAGE_ID=" + std::string(id);
    sd_journal_add_match(j, match.c_str(), match.size());
}

std::string IdKey(const sd_id128_t& id) {
    return std::string(reinterpret_cast<const char*>(id.bytes), sizeof id.bytes);
}

// The value of a field of the current entry, empty when the entry has none. Valid until the
// next field is read or the journal moves.
std::string_view FieldValue(sd_journal* j, const char* field) {
    const void* data = nullptr;
    std::size_t length = 0;
    if (sd_journal_get_data(j, field, &data, &length) < 0) return {};
    std::string_view text(static_cast<const char*>(data), length);
    std::size_t eq = text.find('=');
    return eq == std::string_view::npos ? std::string_view{} : text.substr(eq + 1);
}

// What `last` lists: people's sessions, not those a display manager opens for its own login
// screen. Newer logind logs the session's class, which says so itself; older ones do not,
// and there the accounts the display managers run their greeters as give them away.
bool IsPersonsSession(std::string_view user, std::string_view sessionClass) {
    if (!sessionClass.empty() && sessionClass.substr(0, 4) != "user") return false;
    for (std::string_view greeter : {"gdm", "Debian-gdm", "lightdm", "sddm"})
        if (user == greeter) return false;
    return user.substr(0, 11) != "gdm-greeter";  // gdm's dynamic greeter accounts
}

// Matches set by the caller; calls visit for each matching entry, oldest first.
template <typename TVisit>
void ForEachMatch(sd_journal* j, std::string& failure, TVisit visit) {
    int r;
    while ((r = sd_journal_next(j)) > 0) visit();
    if (r < 0 && failure.empty())
        failure = "the journal could not be read further: " + JournalErrorText(r);
}

class TBootIndex {
  public:
    explicit TBootIndex(std::vector<TJournalBoot>& boots) : boots_(boots) {
        for (std::size_t i = 0; i < boots.size(); ++i) index_[IdKey(boots[i].Id)] = i;
    }
    // The boot of the current entry, or null.
    TJournalBoot* Current(sd_journal* j, std::uint64_t& realtime) const {
        std::uint64_t monotonic = 0;
        sd_id128_t id;
        if (sd_journal_get_realtime_usec(j, &realtime) < 0 ||
            sd_journal_get_monotonic_usec(j, &monotonic, &id) < 0)
            return nullptr;
        auto it = index_.find(IdKey(id));
        return it == index_.end() ? nullptr : &boots_[it->second];
    }

  private:
    std::vector<TJournalBoot>& boots_;
    std::map<std::string, std::size_t> index_;
};

// Reads from the first entry that root logged with one of these message ids: anyone may log
// any message id, but only root's are the system's own.
void MatchRootMessages(sd_journal* j, std::initializer_list<std::string_view> ids) {
    sd_journal_flush_matches(j);
    for (std::string_view id : ids) AddMessageIdMatch(j, id);
    sd_journal_add_match(j, kByRootMatch, 0);
    sd_journal_seek_head(j);
}

void ReadEnds(sd_journal* j, std::vector<TJournalBoot>& boots, std::string& failure) {
    MatchRootMessages(j, {kShutdownId, kJournalStopId, kJournalStartId});
    TBootIndex index(boots);
    // journald stops and starts again when it is restarted within a boot: its stop means the
    // end only when it was not started again afterwards.
    std::map<TJournalBoot*, bool> journalStopped;
    ForEachMatch(j, failure, [&] {
        std::uint64_t at = 0;
        TJournalBoot* boot = index.Current(j, at);
        if (!boot) return;
        std::string_view id = FieldValue(j, "MESSAGE_ID");
        if (id == kShutdownId)
            boot->Orderly = true;
        else
            journalStopped[boot] = id == kJournalStopId;
    });
    for (auto [boot, stopped] : journalStopped) boot->Orderly = boot->Orderly || stopped;
}

// Logins, sleeps and wakes in one pass, so that each boot has them in time order.
void ReadMoments(sd_journal* j, std::vector<TJournalBoot>& boots, std::string& failure) {
    MatchRootMessages(j, {kNewSessionId, kSleepStartId, kSleepStopId});
    TBootIndex index(boots);
    ForEachMatch(j, failure, [&] {
        std::uint64_t at = 0;
        TJournalBoot* boot = index.Current(j, at);
        if (!boot) return;
        std::string_view id = FieldValue(j, "MESSAGE_ID");
        if (id == kSleepStartId || id == kSleepStopId) {
            boot->Moments.push_back({at, id == kSleepStartId ? ekSleep : ekWake, {}});
            return;
        }
        // Copied: the next field read may reuse the buffer the value was handed out in.
        std::string user(FieldValue(j, "USER_ID"));
        if (!user.empty() && IsPersonsSession(user, FieldValue(j, "CLASS")))
            boot->Moments.push_back({at, ekUser, SafeLogText(user)});
    });
}

std::string KernelRelease(sd_journal* j, const TJournalBoot& boot) {
    sd_journal_flush_matches(j);
    sd_journal_add_match(j, "_TRANSPORT=kernel", 0);
    sd_journal_add_match(j, BootMatch(boot.Id).c_str(), 0);
    sd_journal_seek_head(j);
    for (int i = 0; i < kKernelLinesLooked && sd_journal_next(j) > 0; ++i) {
        std::string_view message = FieldValue(j, "MESSAGE");
        if (message.substr(0, kLinuxVersion.size()) != kLinuxVersion) continue;
        message.remove_prefix(kLinuxVersion.size());
        return SafeLogText(message.substr(0, message.find_first_of(" \t\r\n")));
    }
    return {};
}

TLogEvent Event(TEventKind kind, std::int64_t microseconds) {
    TLogEvent e;
    e.Kind = kind;
    e.Utc = FloorSeconds(microseconds);
    e.Order = static_cast<std::uint64_t>(std::max<std::int64_t>(microseconds, 0));
    return e;
}

}  // namespace

std::vector<TJournalBoot> ListJournalBoots(sd_journal* j, std::string& failure) {
    std::vector<TJournalBoot> boots;
    sd_journal_flush_matches(j);
    int r = sd_journal_query_unique(j, "_BOOT_ID");
    if (r < 0) {
        failure = "the journal's boots could not be listed: " + JournalErrorText(r);
        return boots;
    }
    std::map<std::string, sd_id128_t> ids;  // the same boot may be in several files
    const void* data = nullptr;
    std::size_t length = 0;
    SD_JOURNAL_FOREACH_UNIQUE(j, data, length) {
        std::string text(static_cast<const char*>(data), length);
        sd_id128_t id;
        if (text.rfind("_BOOT_ID=", 0) == 0 && sd_id128_from_string(text.c_str() + 9, &id) >= 0)
            ids.emplace(IdKey(id), id);
    }
    for (const auto& [key, id] : ids) {
        TJournalBoot boot;
        boot.Id = id;
        sd_journal_flush_matches(j);
        sd_journal_add_match(j, BootMatch(id).c_str(), 0);
        sd_id128_t seen;
        if (sd_journal_seek_head(j) < 0 || sd_journal_next(j) <= 0 ||
            sd_journal_get_realtime_usec(j, &boot.FirstRealtime) < 0 ||
            sd_journal_get_monotonic_usec(j, &boot.FirstMonotonic, &seen) < 0 ||
            sd_journal_seek_tail(j) < 0 || sd_journal_previous(j) <= 0 ||
            sd_journal_get_realtime_usec(j, &boot.LastRealtime) < 0)
            continue;
        boots.push_back(std::move(boot));
    }
    std::sort(boots.begin(), boots.end(), [](const TJournalBoot& a, const TJournalBoot& b) {
        if (a.FirstRealtime != b.FirstRealtime) return a.FirstRealtime < b.FirstRealtime;
        return IdKey(a.Id) < IdKey(b.Id);
    });
    return boots;
}

void DescribeJournalBoots(sd_journal* j, std::vector<TJournalBoot>& boots, std::string& failure) {
    ReadEnds(j, boots, failure);
    ReadMoments(j, boots, failure);
    for (TJournalBoot& boot : boots) boot.Kernel = KernelRelease(j, boot);
}

std::vector<TLogEvent> JournalBootEvents(const std::vector<TJournalBoot>& boots,
                                         const sd_id128_t* runningBoot) {
    std::vector<TLogEvent> events;
    // Each boot's events together, even where the clock was set back between boots.
    for (auto b = boots.rbegin(); b != boots.rend(); ++b) {
        bool running = runningBoot && sd_id128_equal(*runningBoot, b->Id);
        std::int64_t last = static_cast<std::int64_t>(b->LastRealtime);
        if (b->Orderly)
            events.push_back(Event(ekShutdown, last));
        else if (!running)
            events.push_back(Event(ekLastSeen, last));
        for (auto m = b->Moments.rbegin(); m != b->Moments.rend(); ++m) {
            events.push_back(Event(m->Kind, static_cast<std::int64_t>(m->Realtime)));
            events.back().User = m->User;
        }
        events.push_back(Event(ekBoot, b->Start()));
        events.back().Detail = b->Kernel;
    }
    return events;
}
