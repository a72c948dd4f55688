#include <cstring>

#include "platform/journal/JournalHandle_p.h"

std::string JournalErrorText(int negativeErrno) {
    return std::strerror(negativeErrno < 0 ? -negativeErrno : negativeErrno);
}

TJournalHandle OpenJournalFiles(const std::vector<std::string>& files, std::string& why) {
    std::vector<const char*> list;
    for (const std::string& f : files) list.push_back(f.c_str());
    list.push_back(nullptr);
    sd_journal* j = nullptr;
    int r = sd_journal_open_files(&j, list.data(), 0);
    if (r < 0) {
        why = JournalErrorText(r);
        return nullptr;
    }
    return TJournalHandle(j);
}
