#include "app/LogSource.h"

#include <cstdio>
#include <utility>

#include "app/Platform.h"
#include "base/Clock.h"
#include "eventlog/LogFile.h"
#include "eventlog/LogFileFormat.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"

namespace {

std::string Line(const std::string& path, const std::string& text) {
    return "vigil: " + PrintableName(path) + ": " + text;
}

TOpenedLog OpenNamedLog(const std::string& path, const TLogNotice& notice) {
    TOpenedLog log;
    log.Files = {path};
    const TLogFileReaders readers = PlatformLogFileReaders();
    TResult<void> readable = CheckLogFile(path, readers);
    if (!readable) {
        log.Readable = TError(Line(path, readable.Error()));
        return log;
    }
    TLogFileNotice fileNotice;
    if (notice) fileNotice = [notice, path](const std::string& text) { notice(Line(path, text)); };
    log.Source = OpenLogFile(path, readers, std::move(fileNotice));
    log.Name = LogFileFormatName(LogFileFormatOf(path));
    return log;
}

// Login accounting files stand in for the live log in tests, and are the live log where the
// system keeps its history in them: each is checked before it is read.
TResult<void> CheckWtmpFiles(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        TResult<void> readable = CheckWtmpFile(file);
        if (!readable) return TError(Line(file, readable.Error()));
    }
    return {};
}

TOpenedLog OpenLiveLog(const TCommandLine& cmd, const TLogNotice& notice) {
    TOpenedLog log;
    if (!cmd.LiveLog.empty()) {
        log.Files = cmd.LiveLog;
        log.Name = "wtmp";
        log.Source = std::make_unique<TWtmpEventSource>(cmd.LiveLog);
        log.Readable = CheckWtmpFiles(log.Files);
        return log;
    }
    TLiveLog live = LiveLog(cmd.Source, [&notice](const std::string& text) {
        if (notice) notice("vigil: " + text);
    });
    log.Source = std::move(live.Source);
    log.Name = std::move(live.Name);
    log.Files = std::move(live.Files);
    if (!live.Readable) {
        log.Readable = TError("vigil: " + log.Name + ": " + live.Readable.Error());
    } else if (log.Name == "wtmp") {
        log.Readable = CheckWtmpFiles(log.Files);
    }
    return log;
}

}  // namespace

TOpenedLog OpenLog(const TCommandLine& cmd, TLogNotice notice) {
    return cmd.LogFile.empty() ? OpenLiveLog(cmd, notice) : OpenNamedLog(cmd.LogFile, notice);
}

std::vector<std::string> LogFiles(const TCommandLine& cmd) {
    return OpenLog(cmd, nullptr).Files;
}

TResult<void> LogArgumentReadable(const TCommandLine& cmd) {
    return OpenLog(cmd, nullptr).Readable;
}

bool CheckLogFileArgument(const TCommandLine& cmd) {
    TResult<void> readable = LogArgumentReadable(cmd);
    if (readable) return true;
    std::fprintf(stderr, "%s\n", readable.Error().c_str());
    return cmd.LogFile.empty();
}

std::string ReadReportMessages(const TSessionHistory& history, bool& failed) {
    const TLogReadReport& report = history.ReadReport();
    failed = !report.Failure.empty();
    std::string lines;
    if (report.SkippedBytes > 0)
        lines += Line(history.SourcePath(), "skipped " + std::to_string(report.SkippedBytes) +
                                                " bytes that held no whole record") +
                 "\n";
    if (failed) lines += "vigil: " + PrintableName(report.Failure) + "\n";
    return lines;
}

void NoticeOnStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd, TOpenedLog log) {
    auto history = std::make_unique<TSessionHistory>(std::move(log.Source), LocalUtcOffsetSeconds);
    history->SetSourceName(log.Name, log.Files.empty() ? std::string() : log.Files.front());
    history->SetPeriod(cmd.Period);
    history->SetQuietHours(cmd.Quiet);
    // The live log's running session is still running now; a copied log's ends with it.
    if (cmd.LogFile.empty()) history->SetNow(UnixTimeNow);
    return history;
}

std::unique_ptr<TSessionHistory> MakeSessionHistory(const TCommandLine& cmd, TLogNotice notice) {
    return MakeSessionHistory(cmd, OpenLog(cmd, std::move(notice)));
}
