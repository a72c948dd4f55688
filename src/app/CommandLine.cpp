#include <algorithm>
#include <cstdio>
#include <regex>

#include "app/Commands.h"
#include "base/Clock.h"
#include "base/DateTime.h"
#include "eventlog/SafeText.h"

std::string PrintableName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    while (!name.empty()) {
        const TTextUnit unit = FirstTextUnit(name);
        const std::uint32_t c = unit.CodePoint;
        char escape[16];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (!unit.Valid || (unit.Unsafe && c < 0x80)) {
            // Bytes that are no UTF-8 include the one-byte C1 controls, such as 0x9B.
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c));
            out += escape;
        } else if (unit.Unsafe) {
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += name.substr(0, unit.Length);
        }
        name.remove_prefix(unit.Length);
    }
    return out;
}

bool ParseMoment(const std::string& text, std::int64_t now,
                 const std::function<std::int32_t(std::int64_t)>& offsetAt, bool endOfDay,
                 std::int64_t& out) {
    static const std::regex kDaysBack(R"(([0-9]{1,6})d)");
    static const std::regex kIso(
        R"(([0-9]{4})-([0-9]{2})-([0-9]{2})(?:[T ]([0-9]{2}):([0-9]{2})(?::([0-9]{2}))?)?(Z|[+-][0-9]{2}:?[0-9]{2})?)");
    std::smatch m;
    if (std::regex_match(text, m, kDaysBack)) {
        out = now - std::stoll(m[1]) * 86400;
        return true;
    }
    if (!std::regex_match(text, m, kIso)) return false;
    int year = std::stoi(m[1]), month = std::stoi(m[2]), day = std::stoi(m[3]);
    int hour = m[4].matched ? std::stoi(m[4]) : 0, minute = m[5].matched ? std::stoi(m[5]) : 0;
    int second = m[6].matched ? std::stoi(m[6]) : 0;
    if (m[7].matched && !m[4].matched) return false;
    DateTimeValue date;
    if (!TryEncodeDate(year, month, day, date) || hour > 23 || minute > 59 || second > 59)
        return false;
    std::int64_t local = WholeSeconds(date) - WholeSeconds(25569.0) + hour * 3600 + minute * 60 +
                         second + (endOfDay && !m[4].matched ? 86399 : 0);
    if (m[7].matched) {
        std::string zone = m[7];
        std::int64_t offset = 0;
        if (zone != "Z") {
            std::string digits = zone.substr(1);
            digits.erase(std::remove(digits.begin(), digits.end(), ':'), digits.end());
            offset = std::stoi(digits.substr(0, 2)) * 3600 + std::stoi(digits.substr(2)) * 60;
            if (zone[0] == '-') offset = -offset;
        }
        out = local - offset;
        return true;
    }
    // The offset in force at the moment meant: found from a first guess, since it may differ
    // from the offset at the local reading taken as UTC.
    std::int64_t guess = local - (offsetAt ? offsetAt(local) : 0);
    out = local - (offsetAt ? offsetAt(guess) : 0);
    return true;
}

bool ParseQuietHours(const std::string& text, TQuietHours& out) {
    static const std::regex kHours(R"(([0-9]{2}):([0-9]{2})-([0-9]{2}):([0-9]{2}))");
    std::smatch m;
    if (!std::regex_match(text, m, kHours)) return false;
    int h1 = std::stoi(m[1]), m1 = std::stoi(m[2]), h2 = std::stoi(m[3]), m2 = std::stoi(m[4]);
    if (h1 > 23 || h2 > 23 || m1 > 59 || m2 > 59 || (h1 == h2 && m1 == m2)) return false;
    out = {h1 * 60 + m1, h2 * 60 + m2};
    return true;
}

TResult<TCommandLine> ParseCommandLine(const std::vector<std::string>& args) {
    TCommandLine cmd;
    bool pageGiven = false;
    bool formatGiven = false;
    bool logGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--print") {
            cmd.Print = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            cmd.Help = true;
        } else if (!optionsEnded && arg == "--version") {
            cmd.Version = true;
        } else if (!optionsEnded && (arg == "--format" || arg == "--since" || arg == "--until" ||
                                     arg == "--quiet-hours")) {
            if (i + 1 >= args.size()) return TError("option '" + arg + "' needs a value");
            const std::string& value = args[++i];
            const std::string shown = "'" + PrintableName(value) + "'";
            if (arg == "--format") {
                if (value != "tsv" && value != "csv" && value != "json")
                    return TError("unknown format " + shown + " (tsv, csv or json)");
                cmd.Format = value;
                formatGiven = true;
            } else if (arg == "--quiet-hours") {
                if (!ParseQuietHours(value, cmd.Quiet))
                    return TError("bad quiet hours " + shown +
                                  " (HH:MM-HH:MM, for example 23:00-06:00)");
            } else {
                bool until = arg == "--until";
                if (!ParseMoment(value, UnixTimeNow(), LocalUtcOffsetSeconds, until,
                                 until ? cmd.Period.Until : cmd.Period.Since))
                    return TError("bad " + arg.substr(2) + " time " + shown +
                                  " (a date such as 2024-03-01, a time such as 2024-03-01T08:30, "
                                  "or days back such as 7d)");
            }
        } else if (!optionsEnded && arg == "--source") {
            if (i + 1 >= args.size()) return TError("option '--source' needs a value");
            const std::string& value = args[++i];
            if (!ParseLiveSource(value, cmd.Source) || cmd.Source == lsAuto)
                return TError("unknown source '" + PrintableName(value) +
                              "' (journal, wtmpdb or wtmp)");
        } else if (!optionsEnded && (arg == "--screenshot" || arg == "--page")) {
            if (i + 1 >= args.size()) return TError("option '" + arg + "' needs a value");
            const std::string& value = args[++i];
            if (arg == "--screenshot") {
                if (value.empty()) return TError("option '--screenshot' needs a file name");
                cmd.ScreenshotPath = value;
            } else if (value == "log" || value == "chart" || value == "stats" || value == "about") {
                cmd.Page = value;
                pageGiven = true;
            } else {
                return TError("unknown page '" + PrintableName(value) +
                              "' (log, chart, stats or about)");
            }
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return TError("unknown option '" + PrintableName(arg) + "'");
        } else if (logGiven) {
            return TError("more than one log file given");
        } else {
            if (arg.empty()) return TError("the log file name is empty");
            cmd.LogFile = arg;
            logGiven = true;
        }
    }
    if (cmd.Help || cmd.Version) return cmd;
    if (pageGiven && cmd.ScreenshotPath.empty()) return TError("--page needs --screenshot");
    if (formatGiven && !cmd.Print) return TError("--format needs --print");
    if (cmd.Source != lsAuto && logGiven)
        return TError("--source chooses among this machine's logs, not with a log file");
    if (cmd.Period.Since > cmd.Period.Until) return TError("--since is later than --until");
    if (cmd.Print && !cmd.ScreenshotPath.empty())
        return TError("--print and --screenshot cannot be combined");
    return cmd;
}
