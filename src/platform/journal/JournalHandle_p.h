#pragma once

#include <systemd/sd-journal.h>

#include <memory>
#include <string>
#include <vector>

// An open sd_journal, closed with it.
struct TJournalCloser {
    void operator()(sd_journal* j) const { sd_journal_close(j); }
};
using TJournalHandle = std::unique_ptr<sd_journal, TJournalCloser>;

// libsystemd's error number as text.
std::string JournalErrorText(int negativeErrno);

// The named journal files opened together; null with the reason in why when they cannot be.
TJournalHandle OpenJournalFiles(const std::vector<std::string>& files, std::string& why);
