#include "base/DateTimeFormat.h"

#include <cctype>
#include <string>
#include <vector>

#include "base/FormatSettings.h"

namespace {

enum TTokenKind : unsigned char {
    tkLiteral,
    tkYear2,
    tkYear4,
    tkMonth,
    tkDay,
    tkHour,
    tkMinute,
    tkSecond,
    tkMilli,
    tkHalfDay,
};

struct TToken {
    TTokenKind Kind = tkLiteral;
    int Width = 1;     // minimum digits written; read: up to 2, or 4 for years, 3 for milliseconds
    std::string Text;  // the literal, or the AM text of a half-day token
    std::string PmText;  // the PM text
};

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(s[i]) != Lower(prefix[i])) return false;
    return true;
}

void AddLiteral(std::vector<TToken>& tokens, std::string_view text) {
    if (tokens.empty() || tokens.back().Kind != tkLiteral) tokens.push_back(TToken{});
    tokens.back().Text.append(text);
}

// The half-day token keeps the letter case the pattern wrote ("am/pm" gives "am").
bool ReadHalfDay(std::string_view rest, TToken& token, std::size_t& length) {
    if (StartsWithNoCase(rest, "am/pm")) {
        token.Text = std::string(rest.substr(0, 2));
        token.PmText = std::string(rest.substr(3, 2));
        length = 5;
    } else if (StartsWithNoCase(rest, "a/p")) {
        token.Text = std::string(rest.substr(0, 1));
        token.PmText = std::string(rest.substr(2, 1));
        length = 3;
    } else if (StartsWithNoCase(rest, "ampm")) {
        token.Text = FormatSettings().TimeAMString;
        token.PmText = FormatSettings().TimePMString;
        length = 4;
    } else {
        return false;
    }
    token.Kind = tkHalfDay;
    return true;
}

std::vector<TToken> Tokenize(std::string_view pattern, bool& twelveHour) {
    std::vector<TToken> tokens;
    twelveHour = false;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        char lc = Lower(c);
        if (c == '"' || c == '\'') {
            std::size_t end = pattern.find(c, i + 1);
            if (end == std::string_view::npos) end = pattern.size();
            AddLiteral(tokens, pattern.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        TToken half;
        std::size_t halfLength = 0;
        if (lc == 'a' && ReadHalfDay(pattern.substr(i), half, halfLength)) {
            tokens.push_back(half);
            twelveHour = true;
            i += halfLength;
            continue;
        }
        if (std::string_view("ymdhnsz").find(lc) == std::string_view::npos) {
            AddLiteral(tokens, pattern.substr(i, 1));
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && Lower(pattern[i + run]) == lc) ++run;
        TToken t;
        t.Width = run >= 2 ? 2 : 1;
        switch (lc) {
            case 'y':
                t.Kind = run <= 2 ? tkYear2 : tkYear4;
                t.Width = run <= 2 ? 2 : 4;
                break;
            case 'm':
                t.Kind = afterHour ? tkMinute : tkMonth;
                break;
            case 'd':
                t.Kind = tkDay;
                break;
            case 'h':
                t.Kind = tkHour;
                break;
            case 'n':
                t.Kind = tkMinute;
                break;
            case 's':
                t.Kind = tkSecond;
                break;
            default:
                t.Kind = tkMilli;
                t.Width = run >= 2 ? 3 : 1;
                break;
        }
        afterHour = t.Kind == tkHour;
        tokens.push_back(t);
        i += run;
    }
    return tokens;
}

struct TCompiledPattern {
    std::string Pattern;
    std::string AmText;  // the settings' texts the "ampm" parts were read with
    std::string PmText;
    std::vector<TToken> Tokens;
    bool TwelveHour = false;
};

// Lists show a date and a time pattern by turns for thousands of rows, so the last few
// patterns stay tokenized.
const TCompiledPattern& Compile(std::string_view pattern) {
    thread_local TCompiledPattern cache[4];
    thread_local std::size_t nextSlot = 0;
    const TFormatSettings& fs = FormatSettings();
    for (const TCompiledPattern& c : cache)
        if (c.Pattern == pattern && c.AmText == fs.TimeAMString && c.PmText == fs.TimePMString)
            return c;
    TCompiledPattern& slot = cache[nextSlot];
    nextSlot = (nextSlot + 1) % 4;
    slot.Pattern = std::string(pattern);
    slot.AmText = fs.TimeAMString;
    slot.PmText = fs.TimePMString;
    slot.Tokens = Tokenize(pattern, slot.TwelveHour);
    return slot;
}

void AppendNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
    out += digits;
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, DateTimeValue value) {
    TDateTimeParts p;
    if (!TryDecodeDateTime(value, p)) return {};
    const TCompiledPattern& compiled = Compile(pattern);
    const std::vector<TToken>& tokens = compiled.Tokens;
    const bool twelveHour = compiled.TwelveHour;
    int hour = p.Hour;
    if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
    std::string out;
    for (const TToken& t : tokens) {
        switch (t.Kind) {
            case tkLiteral:
                out += t.Text;
                break;
            case tkYear2:
                AppendNumber(out, p.Year % 100, 2);
                break;
            case tkYear4:
                AppendNumber(out, p.Year, 4);
                break;
            case tkMonth:
                AppendNumber(out, p.Month, t.Width);
                break;
            case tkDay:
                AppendNumber(out, p.Day, t.Width);
                break;
            case tkHour:
                AppendNumber(out, hour, t.Width);
                break;
            case tkMinute:
                AppendNumber(out, p.Minute, t.Width);
                break;
            case tkSecond:
                AppendNumber(out, p.Second, t.Width);
                break;
            case tkMilli:
                AppendNumber(out, p.Millisecond, t.Width);
                break;
            case tkHalfDay:
                out += p.Hour < 12 ? t.Text : t.PmText;
                break;
        }
    }
    return out;
}

bool TryParseDateTime(std::string_view pattern, std::string_view text, DateTimeValue& result) {
    const TCompiledPattern& compiled = Compile(pattern);
    const std::vector<TToken>& tokens = compiled.Tokens;
    const bool twelveHour = compiled.TwelveHour;
    int year = 1, month = 1, day = 1, hour = 0, minute = 0, second = 0, milli = 0;
    bool anyDate = false;
    int half = -1;  // 0 am, 1 pm
    std::size_t pos = 0;
    for (const TToken& t : tokens) {
        if (t.Kind == tkLiteral) {
            if (!StartsWithNoCase(text.substr(pos), t.Text)) return false;
            pos += t.Text.size();
            continue;
        }
        if (t.Kind == tkHalfDay) {
            std::string_view rest = text.substr(pos);
            bool am = !t.Text.empty() && StartsWithNoCase(rest, t.Text);
            bool pm = !t.PmText.empty() && StartsWithNoCase(rest, t.PmText);
            if (am && pm) {  // one text begins the other: the longer one is meant
                am = t.Text.size() >= t.PmText.size();
                pm = !am;
            }
            if (!am && !pm) return false;
            half = pm ? 1 : 0;
            pos += pm ? t.PmText.size() : t.Text.size();
            continue;
        }
        int maxDigits = t.Kind == tkMilli ? 3 : t.Width > 2 ? t.Width : 2;
        int value = 0, digits = 0;
        while (digits < maxDigits && pos < text.size() &&
               std::isdigit(static_cast<unsigned char>(text[pos]))) {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0) return false;
        switch (t.Kind) {
            case tkYear2:
                year = value + (value < 69 ? 2000 : 1900);
                anyDate = true;
                break;
            case tkYear4:
                year = value;
                anyDate = true;
                break;
            case tkMonth:
                month = value;
                anyDate = true;
                break;
            case tkDay:
                day = value;
                anyDate = true;
                break;
            case tkHour:
                hour = value;
                break;
            case tkMinute:
                minute = value;
                break;
            case tkSecond:
                second = value;
                break;
            case tkMilli:
                milli = value;
                break;
            default:
                break;
        }
    }
    if (pos != text.size()) return false;
    if (twelveHour) {
        if (half < 0 || hour < 1 || hour > 12) return false;
        hour = hour % 12 + (half == 1 ? 12 : 0);
    }
    DateTimeValue date = 0, time = 0;
    if (anyDate && !TryEncodeDate(year, month, day, date)) return false;
    if (!TryEncodeTime(hour, minute, second, milli, time)) return false;
    result = CombineDateTime(date, time);
    return true;
}
