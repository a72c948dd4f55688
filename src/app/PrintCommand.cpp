#include "app/PrintCommand.h"

#include <cstdio>
#include <utility>

#include "app/LogSource.h"

namespace {

// Collects small pieces and hands them on in large ones.
class TBufferedWriter {
  public:
    explicit TBufferedWriter(const TReportWriter& out) : out_(out) { buffer_.reserve(kSize); }
    bool Add(std::string_view text) {
        buffer_ += text;
        return buffer_.size() < kSize || Flush();
    }
    bool Flush() {
        bool ok = buffer_.empty() || out_(buffer_);
        buffer_.clear();
        return ok;
    }

  private:
    static constexpr std::size_t kSize = 64 * 1024;
    const TReportWriter& out_;
    std::string buffer_;
};

}  // namespace

// A moment in local time with the offset in force then: "2024-03-01T08:00:00+01:00".
std::string IsoLocalTime(std::int64_t utc, std::int32_t offset) {
    std::int64_t local = utc + offset;
    std::int64_t days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    std::int64_t secs = local - days * 86400;
    // Civil date from days since 1970-01-01 (proleptic Gregorian).
    std::int64_t z = days + 719468, era = (z >= 0 ? z : z - 146096) / 146097;
    std::int64_t doe = z - era * 146097,
                 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    std::int64_t d = doy - (153 * mp + 2) / 5 + 1, m = mp < 10 ? mp + 3 : mp - 9;
    std::int64_t y = yoe + era * 400 + (m <= 2);
    int off = offset < 0 ? -offset : offset;
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld%c%02d:%02d",
                  static_cast<long long>(y), static_cast<long long>(m), static_cast<long long>(d),
                  static_cast<long long>(secs / 3600), static_cast<long long>(secs / 60 % 60),
                  static_cast<long long>(secs % 60), offset < 0 ? '-' : '+', off / 3600,
                  off / 60 % 60);
    return text;
}

namespace {

std::string Percent(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04X", c);
            out += esc;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

}  // namespace

std::string CsvField(std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
    std::string out = "\"";
    for (char ch : s) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

namespace {

// The figures after the four summary texts, one per line, with a name a script can match.
std::string FigureLines(const TSessionHistory& history) {
    const TSessionFigures& f = history.Figures();
    std::string out;
    if (f.PeriodSeconds > 0 || !history.Table().empty())
        out += "period\t" + IsoLocalTime(f.PeriodStart, history.OffsetAt(f.PeriodStart)) + "\t" +
               IsoLocalTime(f.PeriodEnd, history.OffsetAt(f.PeriodEnd)) + "\t" +
               std::to_string(f.PeriodSeconds) + "\n";
    out += "uptime\t" + std::to_string(f.UptimeSeconds) + "\t" + Percent(f.UptimePercent) + "%\n";
    out += "downtime\t" + std::to_string(f.DowntimeSeconds) + "\t" + Percent(f.DowntimePercent) +
           "%\n";
    out += "longest\t" + std::to_string(f.LongestSeconds) + "\n";
    out += "shortest\t" + std::to_string(f.ShortestSeconds) + "\n";
    out += "abnormal\t" + std::to_string(f.AbnormalShutdowns) + "\n";
    out += "quiet\t" + std::to_string(f.QuietSessions) + "\n";
    out += "asleep\t" + std::to_string(f.AsleepSeconds) + "\n";
    if (!history.SourceName().empty()) out += "source\t" + history.SourceName() + "\n";
    return out;
}

// The awake seconds of each hour (0 to 23) of each weekday, Monday first, as the map draws them.
std::string HoursJson(const TUsageHours& hours) {
    std::string out = "[";
    for (const auto& day : hours.Seconds) {
        out += out.size() > 1 ? ",\n[" : "\n[";
        for (std::size_t h = 0; h < day.size(); ++h) out += (h ? "," : "") + std::to_string(day[h]);
        out += "]";
    }
    return out + "]";
}

std::string TimeOrEmpty(const TSessionHistory& h, bool present, std::int64_t utc) {
    return present ? IsoLocalTime(utc, h.OffsetAt(utc)) : std::string();
}

}  // namespace

bool WriteReport(const TSessionHistory& history, const TReportWriter& write) {
    TBufferedWriter out(write);
    std::string line;
    const std::vector<TSessionRow>& kept = history.Rows().Rows;
    const std::size_t n = history.Table().size();
    TSessionRow made;
    for (std::size_t i = 0; i < n; ++i) {
        const TSessionRow& row = kept.size() == n ? kept[i] : (made = history.Row(i));
        line = std::to_string(row.StateImage);
        for (const std::string* field : {&row.BootText, &row.ShutdownText, &row.DurationTextValue,
                                         &row.UserText, &row.StatusText}) {
            line += '\t';
            line += *field;
        }
        line += '\n';
        if (!out.Add(line)) return false;
    }
    const TSummaryTexts& s = history.Summary();
    for (const std::string* text : {&s.RecordCount, &s.DayCount, &s.Total, &s.Average}) {
        if (!out.Add(*text) || !out.Add("\n")) return false;
    }
    return out.Add(FigureLines(history)) && out.Flush();
}

bool WriteCsvReport(const TSessionHistory& history, const TReportWriter& write) {
    TBufferedWriter out(write);
    if (!out.Add("state,boot,shutdown,duration_seconds,user,status,kernel,quiet,last_seen,"
                 "asleep_seconds\r\n"))
        return false;
    std::string line;
    for (const SessionRecord& rec : history.Table()) {
        bool boot = HasTime(rec.BootTime), shutdown = HasTime(rec.ShutdownTime);
        line = rec.StatusText == "非正常关机" || rec.StatusText == "无开机记录" ? "1," : "0,";
        line += TimeOrEmpty(history, boot, rec.BootUtc) + ",";
        line += TimeOrEmpty(history, shutdown, rec.ShutdownUtc) + ",";
        line += std::to_string(rec.DurationSeconds) + ",";
        line += CsvField(rec.UserName) + "," + CsvField(rec.StatusText) + ",";
        line += CsvField(rec.Kernel) + (rec.Quiet ? ",1," : ",0,");
        line += TimeOrEmpty(history, rec.LastSeenUtc != 0, rec.LastSeenUtc) + ",";
        line += std::to_string(rec.AsleepSeconds) + "\r\n";
        if (!out.Add(line)) return false;
    }
    return out.Flush();
}

bool WriteJsonReport(const TSessionHistory& history, const TReportWriter& write) {
    TBufferedWriter out(write);
    if (!out.Add("{\"sessions\":[")) return false;
    std::string line;
    bool first = true;
    // 64-bit: the period's ends are the user's --since and --until, which may lie outside
    // the 32-bit times of the records.
    auto time = [&](bool present, std::int64_t utc) {
        return present ? "\"" + IsoLocalTime(utc, history.OffsetAt(utc)) + "\""
                       : std::string("null");
    };
    for (const SessionRecord& rec : history.Table()) {
        line = first ? "\n{" : ",\n{";
        first = false;
        bool abnormal = rec.StatusText == "非正常关机" || rec.StatusText == "无开机记录";
        line += "\"state\":" + std::string(abnormal ? "1" : "0");
        line += ",\"boot\":" + time(HasTime(rec.BootTime), rec.BootUtc);
        line += ",\"shutdown\":" + time(HasTime(rec.ShutdownTime), rec.ShutdownUtc);
        line += ",\"duration_seconds\":" + std::to_string(rec.DurationSeconds);
        line += ",\"asleep_seconds\":" + std::to_string(rec.AsleepSeconds);
        line += ",\"user\":" + JsonString(rec.UserName);
        line += ",\"status\":" + JsonString(rec.StatusText);
        line += ",\"kernel\":" + JsonString(rec.Kernel);
        line += std::string(",\"quiet\":") + (rec.Quiet ? "true" : "false");
        line += ",\"last_seen\":" + time(rec.LastSeenUtc != 0, rec.LastSeenUtc) + "}";
        if (!out.Add(line)) return false;
    }
    const TSessionFigures& f = history.Figures();
    const std::int64_t n = static_cast<std::int64_t>(history.Table().size());
    const std::int64_t total = history.Totals().TotalSeconds;
    std::string summary = "\n],\"summary\":{";
    summary += "\"records\":" + std::to_string(n);
    summary += ",\"days\":" + std::to_string(DayCount(history.Table()));
    summary += ",\"total_seconds\":" + std::to_string(total);
    summary += ",\"average_seconds\":" + std::to_string(n > 0 ? total / n : 0);
    summary += ",\"period_start\":" + time(n > 0, f.PeriodStart);
    summary += ",\"period_end\":" + time(n > 0, f.PeriodEnd);
    summary += ",\"period_seconds\":" + std::to_string(f.PeriodSeconds);
    summary += ",\"uptime_seconds\":" + std::to_string(f.UptimeSeconds);
    summary += ",\"uptime_percent\":" + Percent(f.UptimePercent);
    summary += ",\"downtime_seconds\":" + std::to_string(f.DowntimeSeconds);
    summary += ",\"downtime_percent\":" + Percent(f.DowntimePercent);
    summary += ",\"longest_seconds\":" + std::to_string(f.LongestSeconds);
    summary += ",\"shortest_seconds\":" + std::to_string(f.ShortestSeconds);
    summary += ",\"abnormal_shutdowns\":" + std::to_string(f.AbnormalShutdowns);
    summary += ",\"quiet_sessions\":" + std::to_string(f.QuietSessions);
    summary += ",\"asleep_seconds\":" + std::to_string(f.AsleepSeconds);
    summary += ",\"source\":" + JsonString(history.SourceName());
    summary += "},\"hours\":" + HoursJson(history.UsageHours()) + "}\n";
    return out.Add(summary) && out.Flush();
}

std::string PrintReport(const TSessionHistory& history) {
    std::string out;
    WriteReport(history, [&](std::string_view piece) {
        out += piece;
        return true;
    });
    return out;
}

int RunPrintTo(const TCommandLine& cmd, const TReportWriter& write, std::string& err) {
    TOpenedLog log = OpenLog(cmd, [&err](const std::string& line) { err += line + '\n'; });
    if (!log.Readable) {
        err += log.Readable.Error() + '\n';
        return 2;
    }
    std::unique_ptr<TSessionHistory> history = MakeSessionHistory(cmd, std::move(log));
    history->SetKeepRows(false);
    history->Refresh();
    bool written = cmd.Format == "csv"    ? WriteCsvReport(*history, write)
                   : cmd.Format == "json" ? WriteJsonReport(*history, write)
                                          : WriteReport(*history, write);
    if (!written) {
        err += "vigil: cannot write the report\n";
        return 1;
    }
    bool failed = false;
    err += ReadReportMessages(*history, failed);
    return failed ? 2 : 0;
}

int RunPrintTo(const TCommandLine& cmd, std::string& out, std::string& err) {
    return RunPrintTo(
        cmd,
        [&](std::string_view piece) {
            out += piece;
            return true;
        },
        err);
}

int RunPrint(const TCommandLine& cmd) {
    std::string err;
    int status = RunPrintTo(
        cmd,
        [](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        },
        err);
    if (status != 1 && std::fflush(stdout) != 0) {
        err += "vigil: cannot write the report\n";
        status = 1;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
