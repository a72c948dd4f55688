#include "app/PrintCommand.h"

#include <cstdio>

#include "app/LogSource.h"

std::string PrintReport(const TSessionHistory& history) {
    std::string out;
    for (const TSessionRow& row : history.Rows().Rows) {
        out += std::to_string(row.StateImage);
        for (const std::string* field : {&row.BootText, &row.ShutdownText, &row.DurationTextValue,
                                         &row.UserText, &row.StatusText}) {
            out += '\t';
            out += *field;
        }
        out += '\n';
    }
    const TSummaryTexts& s = history.Summary();
    for (const std::string* text : {&s.RecordCount, &s.DayCount, &s.Total, &s.Average}) {
        out += *text;
        out += '\n';
    }
    return out;
}

int RunPrintTo(const TCommandLine& cmd, std::string& out, std::string& err) {
    err = LogFileArgumentProblem(cmd);
    if (!err.empty()) {
        err += '\n';
        return 2;
    }
    std::unique_ptr<TSessionHistory> history =
        MakeSessionHistory(cmd, [&err](const std::string& line) { err += line + '\n'; });
    history->Refresh();
    out = PrintReport(*history);
    return 0;
}

int RunPrint(const TCommandLine& cmd) {
    std::string out, err;
    int status = RunPrintTo(cmd, out, err);
    std::fwrite(err.data(), 1, err.size(), stderr);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("vigil: cannot write the report\n", stderr);
        return 1;
    }
    return status;
}
