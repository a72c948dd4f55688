#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "eventlog/EventLogSource.h"

// The systemd journal read as an event log, newest first, through libsystemd: per boot id,
// the boot (the realtime minus the monotonic time of the boot's first entry), its orderly
// shutdown (the time of the boot's last entry, when the boot logged systemd's shutdown or
// journald's clean stop) or else its last sign of life (ekLastSeen), the kernel's
// "Linux version …" line as the boot's detail, and the people's logins from logind's
// new-session messages (greeter sessions of display managers left out). Only the fields
// needed are read, through matches on the message ids.
class TJournalEventSource : public TEventLogSource {
  public:
    // Journal files, or one folder of them (a /var/log/journal/<machine-id> copied from
    // another machine).
    explicit TJournalEventSource(std::vector<std::string> paths, TLogFileNotice notice = {});
    ~TJournalEventSource() override;

    bool Open() override;
    bool Next(TLogEvent& event) override;
    void Close() override;
    TLogReadReport ReadReport() const override;
    TBootRange Boots() override;

  protected:
    struct TState;
    std::unique_ptr<TState> state_;
};

// Whether the paths can be read as a journal at all, and why not.
TResult<void> CheckJournal(const std::vector<std::string>& paths);

// This machine's system journal (persistent under /var/log/journal, else what is in /run),
// never a user's own; fails with the reason when there is none, or when this user may not read
// it (not root, not in the systemd-journal or adm group), which denied tells.
TResult<std::unique_ptr<TEventLogSource>> OpenLiveJournal(bool& denied);
