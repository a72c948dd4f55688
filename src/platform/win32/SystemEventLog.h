#pragma once

#include <memory>

#include "eventlog/EventRecordLog.h"
#include "platform/win32/Windows_p.h"

// The calls the live source makes, so tests can stand in for the event log service.
struct TEventLogApi {
    HANDLE(WINAPI* Open)(LPCWSTR server, LPCWSTR source) = OpenEventLogW;
    BOOL(WINAPI* Read)
    (HANDLE log, DWORD flags, DWORD offset, LPVOID buffer, DWORD size, DWORD* bytesRead,
     DWORD* bytesNeeded) = ReadEventLogW;
    BOOL(WINAPI* Lookup)
    (LPCWSTR system, PSID sid, LPWSTR name, LPDWORD nameLength, LPWSTR domain, LPDWORD domainLength,
     PSID_NAME_USE use) = LookupAccountSidW;
    BOOL(WINAPI* Close)(HANDLE log) = CloseEventLog;
    DWORD(WINAPI* LastError)() = GetLastError;
};

// The System event log of this machine, newest record first; accounts are named by the
// machine's own account database.
class TSystemEventLog final : public TEventRecordLog {
  public:
    explicit TSystemEventLog(const TEventLogApi& api = {}) : api_(api) {}
    ~TSystemEventLog() override { Close(); }
    TSystemEventLog(const TSystemEventLog&) = delete;
    TSystemEventLog& operator=(const TSystemEventLog&) = delete;

    bool Open() override;
    bool ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                  std::uint32_t& bytesNeeded, TEventReadError& error) override;
    bool LookupAccount(std::span<const std::uint8_t> sid, std::string& name) override;
    void Close() override;

  private:
    TEventLogApi api_;
    HANDLE log_ = nullptr;
};
