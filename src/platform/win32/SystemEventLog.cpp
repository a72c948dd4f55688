#include "platform/win32/SystemEventLog.h"

#include <climits>

#include "eventlog/EventRecord.h"
#include "platform/win32/WinText.h"

namespace {

// Room for an account name and its domain, in characters.
constexpr DWORD kNameChars = 261;

}  // namespace

bool TSystemEventLog::Open() {
    Close();
    ForgetPendingRecords();
    log_ = api_.Open(nullptr, L"System");
    return log_ != nullptr;
}

bool TSystemEventLog::ReadNext(std::span<std::uint8_t> buffer, std::uint32_t& bytesRead,
                               std::uint32_t& bytesNeeded, TEventReadError& error) {
    bytesRead = 0;
    bytesNeeded = 0;
    if (!log_ || buffer.size() < kEventRecordHeadSize) {
        error = log_ ? erInsufficientBuffer : erReadFault;
        bytesNeeded = static_cast<std::uint32_t>(kEventRecordHeadSize);
        return false;
    }
    // A sequential read fills the buffer with as many whole records as fit, and the caller
    // takes only the first. So the first read asks for one record head's room, which no
    // record fits in, and learns the exact size of the next record; the second asks for
    // exactly that, and brings that one record alone.
    const DWORD size = buffer.size() > UINT_MAX ? UINT_MAX : static_cast<DWORD>(buffer.size());
    DWORD ask = static_cast<DWORD>(kEventRecordHeadSize);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD read = 0;
        DWORD needed = 0;
        if (api_.Read(log_, EVENTLOG_SEQUENTIAL_READ | EVENTLOG_BACKWARDS_READ, 0, buffer.data(),
                      ask, &read, &needed)) {
            bytesRead = read > ask ? ask : read;
            error = erNone;
            return true;
        }
        const DWORD code = api_.LastError();
        if (code == ERROR_HANDLE_EOF) {
            error = erEndOfLog;
            return false;
        }
        if (code != ERROR_INSUFFICIENT_BUFFER || needed <= ask) {
            error = erReadFault;
            return false;
        }
        if (needed > size) {
            error = erInsufficientBuffer;
            bytesNeeded = needed;
            return false;
        }
        ask = needed;
    }
    // The service asked for more room, then refused the room it asked for.
    error = erReadFault;
    return false;
}

bool TSystemEventLog::LookupAccount(std::span<const std::uint8_t> sid, std::string& name) {
    // A SID is at least 8 bytes; the service checks the rest against the length it states.
    if (sid.size() < 8) return false;
    wchar_t account[kNameChars] = {};
    wchar_t domain[kNameChars] = {};
    DWORD accountLength = kNameChars;
    DWORD domainLength = kNameChars;
    SID_NAME_USE use;
    if (!api_.Lookup(nullptr, const_cast<std::uint8_t*>(sid.data()), account, &accountLength,
                     domain, &domainLength, &use))
        return false;
    if (accountLength >= kNameChars) accountLength = kNameChars - 1;
    name = Utf8FromWide(std::wstring_view(account, wcsnlen(account, accountLength + 1)));
    return true;
}

void TSystemEventLog::Close() {
    if (log_) api_.Close(log_);
    log_ = nullptr;
}
