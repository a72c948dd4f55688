#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/WindowsLogTestFile.h"
#include "eventlog/EventRecord.h"
#include "history/EventScan.h"
#include "platform/win32/SystemEventLog.h"

namespace {

// The event log service as the four calls see it: records newest first, each read bringing as
// many whole records as fit (a sequential read), a read that fits none failing with 122 and
// the size of the next, the end with 38. One log at a time, so the fake lives in globals.
struct TFakeService {
    std::vector<std::vector<std::uint8_t>> Records;  // newest first
    std::size_t Next = 0;
    bool OpenFails = false;
    DWORD FailWith = 0;  // an error for every read once set
    DWORD Error = 0;
    int Opens = 0;
    int Closes = 0;
    std::vector<DWORD> AskedSizes;
    std::vector<std::size_t> RecordsPerRead;  // of each successful read
    std::vector<DWORD> LookupLengths;
    std::wstring Account = L"alice";
    bool LookupFails = false;
};
TFakeService* gService = nullptr;
HANDLE const kLog = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(0x4242));

HANDLE WINAPI FakeOpen(LPCWSTR server, LPCWSTR source) {
    ++gService->Opens;
    EXPECT_EQ(server, nullptr);  // the local machine
    EXPECT_STREQ(source, L"System");
    return gService->OpenFails ? nullptr : kLog;
}

BOOL WINAPI FakeRead(HANDLE log, DWORD flags, DWORD offset, LPVOID buffer, DWORD size,
                     DWORD* bytesRead, DWORD* bytesNeeded) {
    EXPECT_EQ(log, kLog);
    EXPECT_EQ(flags, static_cast<DWORD>(EVENTLOG_SEQUENTIAL_READ | EVENTLOG_BACKWARDS_READ));
    EXPECT_EQ(offset, 0u);
    TFakeService& s = *gService;
    s.AskedSizes.push_back(size);
    *bytesRead = 0;
    *bytesNeeded = 0;
    if (s.FailWith) {
        s.Error = s.FailWith;
        return FALSE;
    }
    if (s.Next >= s.Records.size()) {
        s.Error = ERROR_HANDLE_EOF;
        return FALSE;
    }
    if (s.Records[s.Next].size() > size) {
        *bytesNeeded = static_cast<DWORD>(s.Records[s.Next].size());
        s.Error = ERROR_INSUFFICIENT_BUFFER;
        return FALSE;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    const std::size_t first = s.Next;
    while (s.Next < s.Records.size() && *bytesRead + s.Records[s.Next].size() <= size) {
        std::memcpy(out + *bytesRead, s.Records[s.Next].data(), s.Records[s.Next].size());
        *bytesRead += static_cast<DWORD>(s.Records[s.Next].size());
        ++s.Next;
    }
    s.RecordsPerRead.push_back(s.Next - first);
    return TRUE;
}

BOOL WINAPI FakeLookup(LPCWSTR system, PSID, LPWSTR name, LPDWORD nameLength, LPWSTR domain,
                       LPDWORD domainLength, PSID_NAME_USE use) {
    EXPECT_EQ(system, nullptr);
    gService->LookupLengths.push_back(*nameLength);
    gService->LookupLengths.push_back(*domainLength);
    if (gService->LookupFails) {
        gService->Error = ERROR_NONE_MAPPED;
        return FALSE;
    }
    const std::wstring& account = gService->Account;
    std::wmemcpy(name, account.c_str(), account.size() + 1);
    *nameLength = static_cast<DWORD>(account.size());
    std::wmemcpy(domain, L"HOME", 5);
    *domainLength = 4;
    *use = SidTypeUser;
    return TRUE;
}

BOOL WINAPI FakeClose(HANDLE log) {
    EXPECT_EQ(log, kLog);
    ++gService->Closes;
    return TRUE;
}

DWORD WINAPI FakeLastError() {
    return gService->Error;
}

// A record as the service writes it: the head, source and computer names, the SID, padding
// for strings and data, and the length again at the end.
std::vector<std::uint8_t> Record(std::uint32_t eventId, std::uint32_t time, std::size_t padding,
                                 bool withSid = false) {
    const std::uint8_t sid[12] = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
    std::vector<std::uint8_t> head(EventRecordSize(withSid ? sizeof sid : 0));
    WriteEventRecord(
        head, time, eventId,
        withSid ? std::span<const std::uint8_t>(sid) : std::span<const std::uint8_t>());
    std::vector<std::uint8_t> r = head;
    r.resize(head.size() + padding + 4, 0x20);
    const auto length = static_cast<std::uint32_t>(r.size());
    std::memcpy(r.data(), &length, 4);
    std::memcpy(r.data() + r.size() - 4, &length, 4);
    return r;
}

class SystemEventLogTest : public ::testing::Test {
  protected:
    void SetUp() override { gService = &service_; }
    void TearDown() override { gService = nullptr; }

    static TEventLogApi Api() {
        TEventLogApi api;
        api.Open = FakeOpen;
        api.Read = FakeRead;
        api.Lookup = FakeLookup;
        api.Close = FakeClose;
        api.LastError = FakeLastError;
        return api;
    }

    SessionTable Scan() {
        TSystemEventLog log(Api());
        SessionTable table;
        ScanEventLog(table, log, [](std::int64_t) { return 0; });
        return table;
    }

    TFakeService service_;
};

TEST_F(SystemEventLogTest, EveryRecordIsReadOnceEvenWhenSeveralWouldFit) {
    // Newest first: a large record, then small ones that would all fit in the buffer the
    // large one made the scan allocate. None may be lost.
    service_.Records = {Record(eiBoot, 5000, 2000), Record(eiShutdown, 4000, 10),
                        Record(eiBoot, 3000, 10), Record(eiShutdown, 2000, 10),
                        Record(eiBoot, 1000, 10)};
    SessionTable table = Scan();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(service_.Next, service_.Records.size());
    EXPECT_EQ(service_.Opens, 1);
    EXPECT_EQ(service_.Closes, 1);
    // Each successful read brought one record; each asked for one head's room first.
    EXPECT_EQ(service_.RecordsPerRead, std::vector<std::size_t>(5, 1));
    for (std::size_t i = 1; i < service_.AskedSizes.size(); ++i)
        if (service_.AskedSizes[i] > kEventRecordHeadSize)
            EXPECT_EQ(service_.AskedSizes[i - 1], kEventRecordHeadSize) << i;
    EXPECT_EQ(service_.AskedSizes.back(), kEventRecordHeadSize);  // the read that met the end
}

TEST_F(SystemEventLogTest, ReadFailuresEndTheScanWithWhatWasRead) {
    struct TCase {
        const char* Name;
        bool OpenFails;
        DWORD Error;
        TEventReadError Expected;
    } cases[] = {
        {"cannot open", true, 0, erReadFault},
        {"access denied", false, ERROR_ACCESS_DENIED, erReadFault},
        {"end of log", false, ERROR_HANDLE_EOF, erEndOfLog},
        {"log changed under the reader", false, ERROR_EVENTLOG_FILE_CHANGED, erReadFault},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        service_ = {};
        service_.OpenFails = c.OpenFails;
        service_.FailWith = c.Error;
        service_.Records = {Record(eiBoot, 1000, 10)};
        TSystemEventLog log(Api());
        EXPECT_EQ(log.Open(), !c.OpenFails);
        std::vector<std::uint8_t> buffer(4096);
        std::uint32_t read = 1, needed = 1;
        TEventReadError error = erNone;
        EXPECT_FALSE(log.ReadNext(buffer, read, needed, error));
        EXPECT_EQ(error, c.Expected);
        EXPECT_EQ(read, 0u);
        log.Close();
        log.Close();  // twice is harmless
        EXPECT_EQ(service_.Closes, c.OpenFails ? 0 : 1);
    }
}

TEST_F(SystemEventLogTest, ARecordLargerThanTheBufferAsksForItsSize) {
    service_.Records = {Record(eiBoot, 1000, 500)};
    TSystemEventLog log(Api());
    ASSERT_TRUE(log.Open());
    std::vector<std::uint8_t> buffer(100);
    std::uint32_t read = 0, needed = 0;
    TEventReadError error = erNone;
    EXPECT_FALSE(log.ReadNext(buffer, read, needed, error));
    EXPECT_EQ(error, erInsufficientBuffer);
    EXPECT_EQ(needed, service_.Records[0].size());
    EXPECT_EQ(service_.Next, 0u);  // nothing consumed
    buffer.resize(needed);
    EXPECT_TRUE(log.ReadNext(buffer, read, needed, error));
    EXPECT_EQ(read, service_.Records[0].size());
    EXPECT_EQ(std::memcmp(buffer.data(), service_.Records[0].data(), read), 0);
}

TEST_F(SystemEventLogTest, AccountNamesComeFromTheLookUp) {
    // A user's service control, with a SID; its name is kept in UTF-8.
    service_.Account = L"\u5f20\u4e09";  // 张三
    service_.Records = {Record(eiUserControl, 1500, 10, true), Record(eiBoot, 1000, 10)};
    SessionTable table = Scan();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].UserName, "张三");
    // Both buffers hold 261 characters.
    ASSERT_EQ(service_.LookupLengths.size(), 2u);
    EXPECT_EQ(service_.LookupLengths[0], 261u);
    EXPECT_EQ(service_.LookupLengths[1], 261u);

    // An account that cannot be looked up is dropped like "N/A".
    service_ = {};
    service_.LookupFails = true;
    service_.Records = {Record(eiUserControl, 1500, 10, true), Record(eiBoot, 1000, 10)};
    table = Scan();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].UserName, "");
}

TEST_F(SystemEventLogTest, ATooShortSidIsNotHandedToTheSystem) {
    TSystemEventLog log(Api());
    ASSERT_TRUE(log.Open());
    const std::uint8_t sid[4] = {1, 1, 0, 0};
    std::string name = "unchanged";
    EXPECT_FALSE(log.LookupAccount(sid, name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_TRUE(service_.LookupLengths.empty());
}

// The live log through the real calls. Wine's event log is empty (its first read ends with
// 38); a real Windows has records. Either way the log opens and a read does not fail.
TEST(SystemEventLogLive, OpensAndReadsOrMeetsTheEnd) {
    TSystemEventLog log;
    ASSERT_TRUE(log.Open());
    std::vector<std::uint8_t> buffer(kEventRecordHeadSize);
    std::uint32_t read = 0, needed = 0;
    TEventReadError error = erNone;
    bool ok = log.ReadNext(buffer, read, needed, error);
    if (!ok && error == erInsufficientBuffer) {
        buffer.resize(needed);
        ok = log.ReadNext(buffer, read, needed, error);
    }
    if (ok) {
        TEventRecordHead head;
        EXPECT_TRUE(ReadEventRecordHead(std::span<const std::uint8_t>(buffer.data(), read), head));
        EXPECT_EQ(head.Length, read);
    } else {
        EXPECT_EQ(error, erEndOfLog);
    }
    SessionTable table;
    TSystemEventLog again;
    ScanEventLog(table, again, [](std::int64_t) { return 0; });
    if (!ok) EXPECT_TRUE(table.empty());
}

}  // namespace
