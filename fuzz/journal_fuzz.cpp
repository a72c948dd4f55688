// Feeds arbitrary bytes to the systemd journal reader as a journal file, through the file
// check, the boot list, the scan and every text built from the table. libsystemd itself is
// not instrumented; what is fuzzed is the file it is given and everything made of its answers.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "WindowsLogSeeds.h"
#include "app/PrintCommand.h"
#include "common/JournalTestFile.h"
#include "platform/journal/JournalSource.h"

namespace {

// A folder of its own for the seeds and the input, removed when the fuzzer exits.
struct TFolder {
    std::string Path;
    TFolder() {
        char name[] = "/tmp/vigil-journal-fuzz-XXXXXX";
        if (mkdtemp(name) == nullptr) std::abort();
        Path = name;
    }
    ~TFolder() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
};

const std::string& Folder() {
    static const TFolder folder;
    return folder.Path;
}

TJournalEntry Entry(const char* boot, std::uint64_t at, std::uint64_t monotonic,
                    std::vector<std::pair<std::string, std::string>> fields) {
    return {1700000000000000ULL + at, monotonic, boot, std::move(fields)};
}

// Small journals of every kind the reader tells apart: a kernel line, logins of a person and
// of a greeter, an orderly shutdown, a journald stop, a crash.
std::vector<std::vector<std::uint8_t>> Seeds() {
    const char* a = "0123456789abcdef0123456789abcdef";
    const char* b = "fedcba9876543210fedcba9876543210";
    std::vector<std::vector<TJournalEntry>> journals = {
        {Entry(a, 500000, 500000, {{"_TRANSPORT", "kernel"}, {"MESSAGE", "Linux version 6.1.0"}}),
         Entry(a, 9000000, 9000000,
               {{"_UID", "0"},
                {"MESSAGE_ID", "8d45620c1a4348dbb17410da57c60c66"},
                {"USER_ID", "alice"}}),
         Entry(a, 9500000, 9500000,
               {{"_UID", "0"},
                {"MESSAGE_ID", "8d45620c1a4348dbb17410da57c60c66"},
                {"USER_ID", "gdm"},
                {"CLASS", "greeter"}}),
         Entry(a, 60000000, 60000000,
               {{"_UID", "0"}, {"MESSAGE_ID", "98268866d1d54a499c4e98921d93bc40"}})},
        {Entry(a, 1000000, 1000000, {{"MESSAGE", "up"}}),
         Entry(a, 2000000, 2000000,
               {{"_UID", "0"}, {"MESSAGE_ID", "d93fb3c9c24d451a97cea615ce59c00b"}}),
         Entry(b, 90000000, 3000000, {{"MESSAGE", "crashed later"}})},
    };
    std::vector<std::vector<std::uint8_t>> seeds;
    for (std::size_t i = 0; i < journals.size(); ++i) {
        std::string path = Folder() + "/seed" + std::to_string(i) + ".journal";
        if (!WriteJournal(journals[i], path).empty()) std::abort();
        std::ifstream in(path, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    WriteSeeds(*argc, *argv, Seeds());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = Folder() + "/input.journal";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    (void)CheckJournal({path});
    std::string notices;
    auto source = std::make_unique<TJournalEventSource>(
        std::vector<std::string>{path}, [&](const std::string& t) { notices += t; });
    (void)source->Boots();
    TSessionHistory history(std::move(source), [](std::int64_t) { return 0; });
    history.Refresh();
    if (PrintReport(history).empty()) __builtin_trap();  // the summary lines are always there
    return 0;
}
