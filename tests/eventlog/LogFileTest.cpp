#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/ResultText.h"
#include "common/WindowsLogTestFile.h"
#include "common/WtmpTestFile.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogFileFormat.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s, std::size_t size) {
    std::vector<std::uint8_t> b(s.begin(), s.end());
    b.resize(size, 0);
    return b;
}

// A reader that says who it was given.
TLogFileReader Recording(std::vector<std::string>& seen, std::string problem) {
    TLogFileReader reader;
    reader.Check = [&seen, problem](const std::vector<std::string>& paths) -> TResult<void> {
        seen.insert(seen.end(), paths.begin(), paths.end());
        if (problem.empty()) return {};
        return TError(problem);
    };
    reader.Open = [&seen](std::vector<std::string> paths, TLogFileNotice) {
        seen.insert(seen.end(), paths.begin(), paths.end());
        return std::unique_ptr<TEventLogSource>();
    };
    return reader;
}

TEST(LogFile, FormatsAreToldByTheirFirstBytesAndJournalFoldersByWhatTheyHold) {
    TTempDir dir;
    const std::string journal = dir.WriteFile("system.journal", Bytes("LPKSHHRH", 4096));
    const std::string sqlite =
        dir.WriteFile("x.db", Bytes(std::string("SQLite format 3") + '\0', 4096));
    const std::string wtmp = dir.WriteWtmp("wtmp", {BootEntry(1'700'000'000)});
    EXPECT_EQ(LogFileFormatOf(journal), lfJournal);
    EXPECT_EQ(LogFileFormatOf(sqlite), lfSqlite);
    EXPECT_EQ(LogFileFormatOf(wtmp), lfLoginAccounting);
    EXPECT_EQ(LogFileFormatOf(dir.WriteFile("e.evtx", EvtxBytes({BootEvent(1)}))), lfEvtx);
    EXPECT_EQ(LogFileFormatOf(dir.WriteFile("e.evt", EvtBytes({BootEvent(1)}))), lfEvt);
    // Names do not count, and a signature cut short is none.
    EXPECT_EQ(LogFileFormatOf(dir.WriteFile("a.journal", Bytes("LPKSHHR", 7))), lfLoginAccounting);
    EXPECT_EQ(LogFileFormatOf(dir.WriteFile("b.db", Bytes("SQLite format 2", 16))),
              lfLoginAccounting);

    // /var/log/journal copied whole (machine-id folders below it) or one machine's folder.
    namespace fs = std::filesystem;
    const fs::path root = dir.Path("journal"), machine = root / "0123456789abcdef";
    fs::create_directories(machine);
    EXPECT_EQ(LogFileFormatOf(root.string()), lfLoginAccounting);  // an empty folder is no log
    fs::copy_file(journal, machine / "system@1.journal");
    EXPECT_EQ(LogFileFormatOf(machine.string()), lfJournal);
    EXPECT_EQ(LogFileFormatOf(root.string()), lfJournal);
    EXPECT_EQ(LogFileFormatOf(dir.Path("")), lfJournal);  // the folder of system.journal itself

    for (TLogFileFormat f : {lfLoginAccounting, lfEvt, lfEvtx, lfJournal, lfSqlite})
        EXPECT_NE(std::string(LogFileFormatName(f)), "");
    EXPECT_EQ(std::string(LogFileFormatName(lfSqlite)), "wtmpdb");
}

TEST(LogFile, JournalAndDatabaseFilesGoToThePlatformsReadersOrAreRefusedWithoutThem) {
    TTempDir dir;
    const std::string journal = dir.WriteFile("system.journal", Bytes("LPKSHHRH", 4096));
    const std::string sqlite =
        dir.WriteFile("x.db", Bytes(std::string("SQLite format 3") + '\0', 4096));

    // A build without the libraries says what the file is and that it cannot read it.
    const TLogFileReaders none;
    EXPECT_NE(ErrorText(CheckLogFile(journal, none)).find("systemd journal"), std::string::npos);
    EXPECT_NE(ErrorText(CheckLogFile(sqlite, none)).find("SQLite"), std::string::npos);
    EXPECT_EQ(OpenLogFile(journal, none), nullptr);

    std::vector<std::string> journalSeen, wtmpdbSeen;
    TLogFileReaders readers;
    readers.Journal = Recording(journalSeen, "");
    readers.Wtmpdb = Recording(wtmpdbSeen, "not a log file: no wtmp table");
    EXPECT_EQ(ErrorText(CheckLogFile(journal, readers)), "");
    EXPECT_EQ(ErrorText(CheckLogFile(sqlite, readers)), "not a log file: no wtmp table");
    OpenLogFile(journal, readers);
    EXPECT_EQ(journalSeen, (std::vector<std::string>{journal, journal}));
    EXPECT_EQ(wtmpdbSeen, std::vector<std::string>{sqlite});

    // The formats read here need no platform reader.
    const std::string wtmp = dir.WriteWtmp("wtmp", {BootEntry(1'700'000'000)});
    EXPECT_EQ(ErrorText(CheckLogFile(wtmp, none)), "");
    auto source = OpenLogFile(wtmp, none);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Boots().Newest, 1'700'000'000);
    std::string text(1000, '#');
    EXPECT_NE(ErrorText(CheckLogFile(dir.WriteFile("t", Bytes(text, text.size())), none))
                  .find("not a log file"),
              std::string::npos);
}

}  // namespace
