#include "platform/linux/LocaleFormats.h"

#include <langinfo.h>

#include <cctype>
#include <clocale>

namespace {

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool IsCLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// Letters and quotes would read as pattern parts, so they are quoted.
void AppendLiteral(std::string& pattern, char c) {
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '"') {
        pattern += '\'';
        pattern += c;
        pattern += '\'';
    } else if (c == '\'') {
        pattern += "\"'\"";
    } else {
        pattern += c;
    }
}

}  // namespace

bool PatternFromStrftime(std::string_view format, std::string_view format12, std::string& pattern) {
    pattern.clear();
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%') {
            AppendLiteral(pattern, c);
            continue;
        }
        bool unpadded = false;
        while (i + 1 < format.size() &&
               std::string_view("-_0^#EO").find(format[i + 1]) != std::string_view::npos) {
            if (format[i + 1] == '-' || format[i + 1] == '_') unpadded = true;
            ++i;
        }
        if (++i >= format.size()) return false;
        switch (format[i]) {
            case 'Y':
                pattern += "yyyy";
                break;
            case 'y':
                pattern += "yy";
                break;
            case 'm':
                pattern += unpadded ? "m" : "mm";
                break;
            case 'd':
                pattern += unpadded ? "d" : "dd";
                break;
            case 'e':
                pattern += "d";
                break;
            case 'H':
                pattern += unpadded ? "h" : "hh";
                break;
            case 'k':
                pattern += "h";
                break;
            case 'I':
                pattern += unpadded ? "h" : "hh";
                break;
            case 'l':
                pattern += "h";
                break;
            case 'M':
                pattern += unpadded ? "n" : "nn";
                break;
            case 'S':
                pattern += unpadded ? "s" : "ss";
                break;
            case 'p':
            case 'P':
                pattern += "ampm";
                break;
            case 'D':
                pattern += "mm/dd/yy";
                break;
            case 'F':
                pattern += "yyyy-mm-dd";
                break;
            case 'T':
                pattern += "hh:nn:ss";
                break;
            case 'R':
                pattern += "hh:nn";
                break;
            case 'r': {
                std::string inner;
                if (format12.find("%r") != std::string_view::npos ||
                    !PatternFromStrftime(format12.empty() ? "%I:%M:%S %p" : format12, {}, inner))
                    return false;
                pattern += inner;
                break;
            }
            case 'n':
            case 't':
                pattern += ' ';
                break;
            case '%':
                pattern += '%';
                break;
            default:
                return false;
        }
    }
    return !pattern.empty();
}

TFormatSettings FormatSettingsFromFacts(const TLocaleFacts& facts) {
    TFormatSettings settings;
    // Texts in another character set would not be valid UTF-8 on screen.
    bool utf8 = facts.Codeset == "UTF-8";
    auto usable = [utf8](std::string_view s) { return utf8 || IsAscii(s); };
    if (!IsCLocale(facts.NumericName)) {
        if (!facts.DecimalPoint.empty() && usable(facts.DecimalPoint))
            settings.DecimalSeparator = facts.DecimalPoint;
        if (usable(facts.ThousandsSep)) settings.ThousandSeparator = facts.ThousandsSep;
    }
    if (IsCLocale(facts.TimeName)) return settings;
    std::string pattern;
    if (usable(facts.DateFormat) && PatternFromStrftime(facts.DateFormat, {}, pattern))
        settings.ShortDateFormat = pattern;
    if (usable(facts.TimeFormat) && usable(facts.TimeFormat12) &&
        PatternFromStrftime(facts.TimeFormat, facts.TimeFormat12, pattern))
        settings.LongTimeFormat = pattern;
    if (usable(facts.AmText) && usable(facts.PmText) &&
        !(facts.AmText.empty() && facts.PmText.empty())) {
        settings.TimeAMString = facts.AmText;
        settings.TimePMString = facts.PmText;
    }
    return settings;
}

TLocaleFacts CurrentLocaleFacts() {
    auto text = [](const char* s) { return std::string(s != nullptr ? s : ""); };
    TLocaleFacts facts;
    facts.TimeName = text(std::setlocale(LC_TIME, nullptr));
    facts.NumericName = text(std::setlocale(LC_NUMERIC, nullptr));
    facts.Codeset = text(nl_langinfo(CODESET));
    facts.DateFormat = text(nl_langinfo(D_FMT));
    facts.TimeFormat = text(nl_langinfo(T_FMT));
    facts.TimeFormat12 = text(nl_langinfo(T_FMT_AMPM));
    facts.AmText = text(nl_langinfo(AM_STR));
    facts.PmText = text(nl_langinfo(PM_STR));
    const lconv* conv = std::localeconv();
    if (conv != nullptr) {
        facts.DecimalPoint = text(conv->decimal_point);
        facts.ThousandsSep = text(conv->thousands_sep);
    }
    return facts;
}

void UseUserLocale() {
    std::setlocale(LC_ALL, "");
    SetFormatSettings(FormatSettingsFromFacts(CurrentLocaleFacts()));
    std::setlocale(LC_NUMERIC, "C");
}
