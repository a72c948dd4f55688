#include "app/PrintCommand.h"

#include <cstdio>

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
    return out.Flush();
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
    err = LogFileArgumentProblem(cmd);
    if (!err.empty()) {
        err += '\n';
        return 2;
    }
    std::unique_ptr<TSessionHistory> history =
        MakeSessionHistory(cmd, [&err](const std::string& line) { err += line + '\n'; });
    history->SetKeepRows(false);
    history->Refresh();
    if (!WriteReport(*history, write)) {
        err += "vigil: cannot write the report\n";
        return 1;
    }
    bool failed = false;
    err += ReadReportMessages(cmd, *history, failed);
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
