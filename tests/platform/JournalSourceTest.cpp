#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "common/JournalTestFile.h"
#include "common/ResultText.h"
#include "common/WtmpTestFile.h"
#include "history/SessionHistory.h"
#include "platform/journal/JournalFiles_p.h"
#include "platform/journal/JournalSource.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kSecond = 1000000;
constexpr const char* kNewSession = "8d45620c1a4348dbb17410da57c60c66";
constexpr const char* kShutdown = "98268866d1d54a499c4e98921d93bc40";
constexpr const char* kJournalStop = "d93fb3c9c24d451a97cea615ce59c00b";
constexpr const char* kJournalStart = "f77379a8490b408bbe5f6940505a777b";
constexpr const char* kSleepStart = "6bbd95ee977941e497c48be27c254128";
constexpr const char* kSleepStop = "8811e6df2a8e40f58a94cea26f8ebf14";

// The entries of one boot; times are given in microseconds after the kernel started at
// start (Unix seconds).
struct TBoot {
    std::string Id;
    std::int64_t Start;

    TJournalEntry At(std::uint64_t after, std::vector<std::pair<std::string, std::string>> fields,
                     bool byRoot = true) const {
        if (byRoot) fields.push_back({"_UID", "0"});
        return {static_cast<std::uint64_t>(Start) * kSecond + after, after, Id, fields};
    }
    TJournalEntry Kernel(std::uint64_t after, const std::string& message) const {
        return At(after, {{"_TRANSPORT", "kernel"}, {"MESSAGE", message}}, false);
    }
    TJournalEntry Note(std::uint64_t after, const std::string& message = "working") const {
        return At(after, {{"_TRANSPORT", "journal"}, {"MESSAGE", message}});
    }
    TJournalEntry Message(std::uint64_t after, const char* id, bool byRoot = true) const {
        return At(after, {{"MESSAGE_ID", id}, {"MESSAGE", "catalog message"}}, byRoot);
    }
    TJournalEntry Login(std::uint64_t after, const std::string& user,
                        const std::string& sessionClass = "") const {
        std::vector<std::pair<std::string, std::string>> fields{
            {"MESSAGE_ID", kNewSession},
            {"USER_ID", user},
            {"SESSION_ID", "7"},
            {"MESSAGE", "New session 7 of user " + user + "."}};
        if (!sessionClass.empty()) fields.push_back({"CLASS", sessionClass});
        return At(after, fields);
    }
};

const TBoot kFirst{"0123456789abcdef0123456789abcdef", 1700000000};
const TBoot kSecondBoot{"11111111222222223333333344444444", 1700100000};
const TBoot kThird{"aaaaaaaabbbbbbbbccccccccdddddddd", 1700200000};

std::vector<TLogEvent> ReadAll(TEventLogSource& source) {
    std::vector<TLogEvent> events;
    if (!source.Open()) return events;
    TLogEvent e;
    while (source.Next(e)) events.push_back(e);
    source.Close();
    return events;
}

std::string Describe(const std::vector<TLogEvent>& events) {
    static const char* kNames[] = {"boot",      "shutdown", "user", "version",
                                   "last seen", "sleep",    "wake"};
    std::string text;
    for (const TLogEvent& e : events) {
        text += std::string(kNames[e.Kind]) + " " + std::to_string(e.Utc);
        if (!e.User.empty()) text += " " + e.User;
        if (!e.Detail.empty()) text += " [" + e.Detail + "]";
        text += "\n";
    }
    return text;
}

class JournalSource : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(JournalRemoteProgram().empty())
            << "systemd-journal-remote is missing: these tests write their journals with it "
               "(Debian package systemd-journal-remote, see scripts/install-deps.sh)";
    }
    std::string Write(const std::string& name, const std::vector<TJournalEntry>& entries) {
        std::string path = dir_.Path(name);
        std::string why = WriteJournal(entries, path);
        EXPECT_EQ(why, "");
        return path;
    }
    TTempDir dir_;
};

// Three boots: one shut down in order, one that crashed, and the newest, which stopped
// without a shutdown too (a copied file has no running boot).
std::vector<TJournalEntry> ThreeBoots() {
    return {
        kFirst.Kernel(700000, "Linux version 6.1.0-18-amd64 (debian-kernel@lists.debian.org)"),
        kFirst.Note(3 * kSecond),
        kFirst.Login(60 * kSecond, "Debian-gdm"),
        kFirst.Login(61 * kSecond, "alice"),
        kFirst.Login(62 * kSecond, "gdm"),
        kFirst.Login(63 * kSecond, "lightdm"),
        kFirst.Login(64 * kSecond, "sddm"),
        kFirst.Login(65 * kSecond, "gdm-greeter-2"),
        kFirst.Login(66 * kSecond, "bob", "greeter"),
        kFirst.Login(70 * kSecond, "carol", "user"),
        kFirst.Message(3600 * kSecond, kShutdown),
        kFirst.Note(3601 * kSecond + 900000, "the last words"),
        kSecondBoot.Note(1500000, "first, and no kernel line"),
        kSecondBoot.Login(100 * kSecond, "dave"),
        kSecondBoot.Note(7200 * kSecond),
        kThird.Kernel(1200000, "Linux version 6.12.9-amd64 (gcc) #1 SMP"),
        kThird.Note(50 * kSecond),
    };
}

TEST_F(JournalSource, BootsEndsLoginsAndKernelNewestFirst) {
    TJournalEventSource source({Write("three.journal", ThreeBoots())});
    // The boot is the realtime minus the monotonic time of the boot's first entry; an orderly
    // end is the boot's last entry; greeter sessions are left out.
    EXPECT_EQ(Describe(ReadAll(source)),
              "last seen 1700200050\n"
              "boot 1700200000 [6.12.9-amd64]\n"
              "last seen 1700107200\n"
              "user 1700100100 dave\n"
              "boot 1700100000\n"
              "shutdown 1700003601\n"
              "user 1700000070 carol\n"
              "user 1700000061 alice\n"
              "boot 1700000000 [6.1.0-18-amd64]\n");
    EXPECT_EQ(source.ReadReport().Failure, "");
    EXPECT_EQ(source.ReadReport().SkippedBytes, 0u);

    TBootRange range = source.Boots();
    EXPECT_TRUE(range.Any);
    EXPECT_EQ(range.Oldest, 1700000000);
    EXPECT_EQ(range.Newest, 1700200000);
}

TEST_F(JournalSource, OrderKeysGrowWithTheLog) {
    TJournalEventSource source({Write("three.journal", ThreeBoots())});
    std::vector<TLogEvent> events = ReadAll(source);
    ASSERT_FALSE(events.empty());
    for (std::size_t i = 1; i < events.size(); ++i)
        EXPECT_GT(events[i - 1].Order, events[i].Order) << i;
    // A second read of the same source gives the same events.
    EXPECT_EQ(Describe(ReadAll(source)), Describe(events));
}

// journald stops when it is restarted within a boot; only a stop it did not start again after
// ends the boot. Messages logged by an ordinary user do not count, whatever their id.
TEST_F(JournalSource, HowABootEnded) {
    const TBoot restarted{"00000000000000000000000000000001", 1600000000};
    const TBoot stopped{"00000000000000000000000000000002", 1600010000};
    const TBoot forged{"00000000000000000000000000000003", 1600020000};
    TJournalEventSource source(
        {Write("ends.journal", {
                                   restarted.Note(kSecond),
                                   restarted.Message(10 * kSecond, kJournalStop),
                                   restarted.Message(11 * kSecond, kJournalStart),
                                   restarted.Note(20 * kSecond),
                                   stopped.Note(kSecond),
                                   stopped.Message(30 * kSecond, kJournalStop),
                                   forged.Note(kSecond),
                                   forged.Message(5 * kSecond, kShutdown, false),
                                   forged.Note(9 * kSecond),
                               })});
    EXPECT_EQ(Describe(ReadAll(source)),
              "last seen 1600020009\n"
              "boot 1600020000\n"
              "shutdown 1600010030\n"
              "boot 1600010000\n"
              "last seen 1600000020\n"
              "boot 1600000000\n");
}

// The release is the word after "Linux version" in the kernel's own line, wherever among the
// boot's first kernel lines it is; control characters become '?', and the same text logged
// by a program is not the kernel's.
TEST_F(JournalSource, KernelReleaseIsTheKernelsOwnAndMadeSafe) {
    TJournalEventSource source(
        {Write("kernel.journal", {
                                     kFirst.Kernel(100, "Command line: quiet"),
                                     kFirst.Note(200, "Linux version forged-1.0"),
                                     kFirst.Kernel(300, "Linux version 6.1.0\x1b[31m-x\x7f (gcc)"),
                                     kSecondBoot.Note(100, "Linux version forged-2.0"),
                                 })});
    std::vector<TLogEvent> events = ReadAll(source);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].Detail, "");
    EXPECT_EQ(events[3].Detail, "6.1.0?[31m-x?");
}

TEST_F(JournalSource, BootSplitOverTwoFilesAndAFolderOfThem) {
    fs::create_directory(dir_.Path("machine"));
    std::string older = Write("machine/system@0001.journal",
                              {kFirst.Kernel(kSecond, "Linux version 6.1.0-18-amd64"),
                               kFirst.Login(30 * kSecond, "alice")});
    std::string newer = Write("machine/system.journal", {kFirst.Login(4000 * kSecond, "bob"),
                                                         kFirst.Message(5000 * kSecond, kShutdown),
                                                         kSecondBoot.Note(2 * kSecond)});
    const std::string expected =
        "last seen 1700100002\n"
        "boot 1700100000\n"
        "shutdown 1700005000\n"
        "user 1700004000 bob\n"
        "user 1700000030 alice\n"
        "boot 1700000000 [6.1.0-18-amd64]\n";
    TJournalEventSource files({newer, older});
    EXPECT_EQ(Describe(ReadAll(files)), expected);
    TJournalEventSource folder({dir_.Path("machine")});
    EXPECT_EQ(ErrorText(CheckJournal({dir_.Path("machine")})), "");
    EXPECT_EQ(Describe(ReadAll(folder)), expected);
    EXPECT_EQ(folder.Boots().Newest, 1700100000);
}

// libsystemd refuses a file cut short; the rest of the journal is still read, and the notice
// and the report say what was left out.
TEST_F(JournalSource, TruncatedFileIsSkippedAndReported) {
    fs::create_directory(dir_.Path("machine"));
    Write("machine/system@0001.journal",
          {kFirst.Note(kSecond), kFirst.Message(90 * kSecond, kShutdown)});
    std::string cut = Write("machine/system.journal",
                            {kSecondBoot.Note(kSecond), kSecondBoot.Login(9 * kSecond, "bob")});
    std::uintmax_t cutSize = fs::file_size(cut) / 2;
    fs::resize_file(cut, cutSize);

    std::vector<std::string> notices;
    TJournalEventSource source({dir_.Path("machine")},
                               [&](const std::string& text) { notices.push_back(text); });
    EXPECT_EQ(Describe(ReadAll(source)), "shutdown 1700000090\nboot 1700000000\n");
    EXPECT_EQ(source.ReadReport().SkippedBytes, cutSize);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("1 of 2 journal files skipped"), std::string::npos) << notices[0];
    EXPECT_NE(notices[0].find(cut + ": damaged"), std::string::npos) << notices[0];

    // Alone, the cut file is not a journal that can be read at all.
    EXPECT_NE(ErrorText(CheckJournal({cut})).find("damaged"), std::string::npos);
    TJournalEventSource alone({cut});
    EXPECT_FALSE(alone.Open());
    EXPECT_NE(alone.ReadReport().Failure, "");
    EXPECT_FALSE(alone.Boots().Any);
}

TEST_F(JournalSource, WhatIsNotAJournalSaysWhy) {
    std::string text = dir_.WriteFile("notes.journal", {'h', 'e', 'l', 'l', 'o'});
    fs::create_directory(dir_.Path("empty"));
    mkfifo(dir_.Path("pipe.journal").c_str(), 0600);
    EXPECT_NE(ErrorText(CheckJournal({text})).find("not a systemd journal file"),
              std::string::npos);
    EXPECT_NE(ErrorText(CheckJournal({dir_.Path("empty")})).find("holds no journal files"),
              std::string::npos);
    EXPECT_NE(ErrorText(CheckJournal({dir_.Path("missing.journal")})).find("not a regular file"),
              std::string::npos);
    EXPECT_NE(ErrorText(CheckJournal({dir_.Path("pipe.journal")})).find("not a regular file"),
              std::string::npos);
    EXPECT_NE(ErrorText(CheckJournal({})), "");
}

// The live journal is the system's own: its files under /var/log/journal or /run/log/journal
// in the machine's folder, never a user's.
TEST_F(JournalSource, SystemJournalIsLookedForInTheMachinesFolders) {
    const std::string root = dir_.Path("root");
    const std::string machine = "5d1c0f0e5d1c0f0e5d1c0f0e5d1c0f0e";
    bool denied = true;
    EXPECT_NE(SystemJournalProblem(root, machine, denied).find("no system journal"),
              std::string::npos);
    EXPECT_FALSE(denied);  // a machine without a journal is told apart from a refusal
    fs::create_directories(root + "/var/log/journal/" + machine);
    std::ofstream(root + "/var/log/journal/" + machine + "/user-1000.journal") << "x";
    EXPECT_NE(SystemJournalProblem(root, machine, denied).find("no system journal"),
              std::string::npos);
    fs::create_directories(root + "/run/log/journal/" + machine);
    std::ofstream(root + "/run/log/journal/" + machine + "/system.journal") << "x";
    EXPECT_EQ(SystemJournalProblem(root, machine, denied), "");
    EXPECT_FALSE(denied);
}

TEST_F(JournalSource, HistoryFromAJournalFile) {
    TSessionHistory history(std::make_unique<TJournalEventSource>(
                                std::vector<std::string>{Write("three.journal", ThreeBoots())}),
                            [](std::int64_t) { return 0; });
    history.Refresh();
    const SessionTable& table = history.Table();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].BootUtc, 1700200000u);
    EXPECT_FALSE(HasTime(table[0].ShutdownTime));
    EXPECT_EQ(table[0].Kernel, "6.12.9-amd64");
    EXPECT_EQ(table[1].BootUtc, 1700100000u);
    EXPECT_FALSE(HasTime(table[1].ShutdownTime));
    EXPECT_EQ(table[1].UserName, "dave");
    EXPECT_EQ(table[2].BootUtc, 1700000000u);
    EXPECT_EQ(table[2].ShutdownUtc, 1700003601u);
    // The name the session keeps is its first login's.
    EXPECT_EQ(table[2].UserName, "alice");
    EXPECT_EQ(table[2].Kernel, "6.1.0-18-amd64");
}

// A laptop that sleeps overnight: the sleeps and wakes come with the boot's logins in time
// order, a sleep without its wake ends with the session, and a user's forged sleep is no sleep.
TEST_F(JournalSource, SleepAndWakeAreEventsOfTheirBoot) {
    const TBoot night{"0123456789abcdef0123456789abcdef", 1700000000};
    const std::uint64_t hour = 3600 * kSecond;
    TJournalEventSource source(
        {Write("sleep.journal",
               {night.Note(kSecond), night.Login(60 * kSecond, "ann"),
                night.Message(2 * hour, kSleepStart), night.Message(10 * hour, kSleepStop),
                night.Message(11 * hour, kSleepStart, false), night.Message(12 * hour, kSleepStart),
                night.Message(13 * hour, kShutdown)})});
    EXPECT_EQ(Describe(ReadAll(source)),
              "shutdown 1700046800\n"
              "sleep 1700043200\n"
              "wake 1700036000\n"
              "sleep 1700007200\n"
              "user 1700000060 ann\n"
              "boot 1700000000\n");

    TSessionHistory history(
        std::make_unique<TJournalEventSource>(std::vector<std::string>{dir_.Path("sleep.journal")}),
        [](std::int64_t) { return 0; });
    history.Refresh();
    ASSERT_EQ(history.Table().size(), 1u);
    // 02:00-10:00 and 12:00 to the shutdown at 13:00; the forged 11:00 sleep counts for nothing.
    EXPECT_EQ(history.Table()[0].AsleepSeconds, 9 * 3600);
    EXPECT_EQ(history.Table()[0].DurationSeconds, 13 * 3600);
}

}  // namespace
