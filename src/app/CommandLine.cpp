#include <cstdio>

#include "app/Commands.h"

std::string PrintableName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out;
}

bool ParseCommandLine(const std::vector<std::string>& args, TCommandLine& cmd, std::string& error) {
    auto fail = [&](const std::string& message) {
        error = message;
        return false;
    };
    bool pageGiven = false;
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
        } else if (!optionsEnded && (arg == "--screenshot" || arg == "--page")) {
            if (i + 1 >= args.size()) return fail("option '" + arg + "' needs a value");
            const std::string& value = args[++i];
            if (arg == "--screenshot") {
                if (value.empty()) return fail("option '--screenshot' needs a file name");
                cmd.ScreenshotPath = value;
            } else if (value == "log" || value == "chart" || value == "about") {
                cmd.Page = value;
                pageGiven = true;
            } else {
                return fail("unknown page '" + PrintableName(value) + "' (log, chart or about)");
            }
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + PrintableName(arg) + "'");
        } else if (logGiven) {
            return fail("more than one log file given");
        } else {
            if (arg.empty()) return fail("the log file name is empty");
            cmd.LogFile = arg;
            logGiven = true;
        }
    }
    if (cmd.Help || cmd.Version) return true;
    if (pageGiven && cmd.ScreenshotPath.empty()) return fail("--page needs --screenshot");
    if (cmd.Print && !cmd.ScreenshotPath.empty())
        return fail("--print and --screenshot cannot be combined");
    return true;
}
