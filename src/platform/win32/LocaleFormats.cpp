#include "platform/win32/LocaleFormats.h"

#include "platform/win32/WinText.h"
#include "platform/win32/Windows_p.h"

namespace {

std::size_t RunLength(std::string_view s, std::size_t i) {
    std::size_t n = 1;
    while (i + n < s.size() && s[i + n] == s[i]) ++n;
    return n;
}

// Letters and double quotes would read as pattern parts, so they are quoted.
void AppendLiteral(std::string& pattern, char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '"') {
        pattern += '\'';
        pattern += c;
        pattern += '\'';
    } else {
        pattern += c;
    }
}

std::string LocaleItem(LCTYPE item) {
    wchar_t buffer[128];
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 128);
    if (n <= 1) return {};
    return Utf8FromWide(std::wstring_view(buffer, static_cast<std::size_t>(n - 1)));
}

}  // namespace

bool PatternFromWindowsPicture(std::string_view picture, std::string& pattern) {
    pattern.clear();
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        const std::size_t n = RunLength(picture, i);
        switch (c) {
            case 'y':
                pattern += n <= 2 ? "yy" : "yyyy";
                break;
            case 'M':  // month; more than two letters are names
                if (n > 2) return false;
                pattern += n == 1 ? "m" : "mm";
                break;
            case 'd':  // day; more than two letters are names
                if (n > 2) return false;
                pattern += n == 1 ? "d" : "dd";
                break;
            case 'h':
            case 'H':
                pattern += n == 1 ? "h" : "hh";
                break;
            case 'm':  // minute
                pattern += n == 1 ? "n" : "nn";
                break;
            case 's':
                pattern += n == 1 ? "s" : "ss";
                break;
            case 't':
                pattern += "ampm";
                break;
            case 'g':  // era
                return false;
            case '\'': {
                if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    pattern += "\"'\"";  // two quotes stand for one
                    i += 2;
                    continue;
                }
                // Quoted literal text; two quotes in a row inside it stand for one.
                std::size_t j = i + 1;
                std::string literal;
                for (; j < picture.size(); ++j) {
                    if (picture[j] != '\'') {
                        literal += picture[j];
                    } else if (j + 1 < picture.size() && picture[j + 1] == '\'') {
                        literal += '\'';
                        ++j;
                    } else {
                        break;
                    }
                }
                for (char l : literal) {
                    if (l == '\'')
                        pattern += "\"'\"";
                    else
                        AppendLiteral(pattern, l);
                }
                i = j + 1;
                continue;
            }
            default:
                for (std::size_t k = 0; k < n; ++k) AppendLiteral(pattern, c);
                break;
        }
        i += n;
    }
    return !pattern.empty();
}

TFormatSettings FormatSettingsFromWinFacts(const TWinLocaleFacts& facts) {
    TFormatSettings settings;
    if (!facts.Decimal.empty()) settings.DecimalSeparator = facts.Decimal;
    // An empty thousands separator is a real choice (no grouping), but only when the
    // decimal separator was read too: otherwise the locale was not read at all.
    if (!facts.Thousand.empty() || !facts.Decimal.empty())
        settings.ThousandSeparator = facts.Thousand;
    std::string pattern;
    if (PatternFromWindowsPicture(facts.ShortDate, pattern)) settings.ShortDateFormat = pattern;
    if (PatternFromWindowsPicture(facts.LongTime, pattern)) settings.LongTimeFormat = pattern;
    if (!facts.Am.empty() || !facts.Pm.empty()) {
        settings.TimeAMString = facts.Am;
        settings.TimePMString = facts.Pm;
    }
    return settings;
}

TWinLocaleFacts CurrentWinLocaleFacts() {
    TWinLocaleFacts facts;
    facts.ShortDate = LocaleItem(LOCALE_SSHORTDATE);
    facts.LongTime = LocaleItem(LOCALE_STIMEFORMAT);
    facts.Decimal = LocaleItem(LOCALE_SDECIMAL);
    facts.Thousand = LocaleItem(LOCALE_STHOUSAND);
    facts.Am = LocaleItem(LOCALE_S1159);
    facts.Pm = LocaleItem(LOCALE_S2359);
    return facts;
}

void UseUserLocale() {
    SetFormatSettings(FormatSettingsFromWinFacts(CurrentWinLocaleFacts()));
}
