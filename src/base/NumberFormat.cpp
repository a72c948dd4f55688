#include "base/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/FormatSettings.h"

namespace {

enum TItemKind : unsigned char { ikZero, ikHash, ikPoint, ikLiteral, ikExponent };

struct TItem {
    TItemKind Kind = ikLiteral;
    std::string Text;  // literal text; for the exponent "+" or "-" (its sign rule)
    int ExponentDigits = 0;
};

struct TSection {
    std::vector<TItem> Items;
    bool Grouping = false;
    int IntPlaces = 0;
    int MinInt = 0;
    int FracPlaces = 0;
    int MinFrac = 0;
    bool Scientific = false;
};

std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

void AddLiteral(TSection& s, std::string_view text) {
    if (s.Items.empty() || s.Items.back().Kind != ikLiteral) s.Items.push_back(TItem{});
    s.Items.back().Text.append(text);
}

TSection ParseSection(std::string_view text) {
    TSection s;
    bool afterPoint = false;
    int firstZero = -1;  // integer placeholder index of the first '0'
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"' || c == '\'') {
            std::size_t end = text.find(c, i + 1);
            if (end == std::string_view::npos) end = text.size();
            AddLiteral(s, text.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '0' || c == '#') {
            s.Items.push_back(TItem{c == '0' ? ikZero : ikHash, {}, 0});
            if (afterPoint) {
                ++s.FracPlaces;
                if (c == '0') s.MinFrac = s.FracPlaces;
            } else {
                if (c == '0' && firstZero < 0) firstZero = s.IntPlaces;
                ++s.IntPlaces;
            }
        } else if (c == '.' && !afterPoint && !s.Scientific) {
            s.Items.push_back(TItem{ikPoint, {}, 0});
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            s.Grouping = true;
        } else if ((c == 'E' || c == 'e') && !s.Scientific && i + 1 < text.size() &&
                   (text[i + 1] == '+' || text[i + 1] == '-')) {
            TItem e{ikExponent, std::string(1, text[i + 1]), 0};
            i += 2;
            while (i < text.size() && text[i] == '0') {
                ++e.ExponentDigits;
                ++i;
            }
            --i;
            s.Items.push_back(e);
            s.Scientific = true;
        } else {
            AddLiteral(s, text.substr(i, 1));
        }
    }
    if (firstZero >= 0) s.MinInt = s.IntPlaces - firstZero;
    return s;
}

// Locale-independent, unlike printf, whose decimal point follows LC_NUMERIC.
std::string ToChars(double value, std::chars_format format, int precision) {
    std::array<char, 512> buffer;
    auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer.data(), result.ptr);
}

// Patterns can ask for any number of decimals; beyond this a double has nothing to show.
constexpr int kMaxDecimals = 40;

std::string Render(const TSection& s, double magnitude, bool negative) {
    int places = s.FracPlaces < kMaxDecimals ? s.FracPlaces : kMaxDecimals;
    std::string digits;
    int exponent = 0;
    if (s.Scientific) {
        digits = ToChars(magnitude, std::chars_format::scientific, places);
        std::size_t e = digits.find('e');
        exponent = std::atoi(digits.c_str() + e + 1);
        digits.resize(e);
    } else {
        digits = ToChars(magnitude, std::chars_format::fixed, places);
    }
    std::size_t point = digits.find('.');
    std::string intDigits = digits.substr(0, point);
    std::string fracDigits = point == std::string::npos ? std::string() : digits.substr(point + 1);
    while (static_cast<int>(fracDigits.size()) > s.MinFrac && !fracDigits.empty() &&
           fracDigits.back() == '0')
        fracDigits.pop_back();
    std::size_t nonZero = intDigits.find_first_not_of('0');
    intDigits = nonZero == std::string::npos ? std::string() : intDigits.substr(nonZero);
    if (static_cast<int>(intDigits.size()) < s.MinInt)
        intDigits.insert(0, static_cast<std::size_t>(s.MinInt) - intDigits.size(), '0');
    bool allZero = intDigits.find_first_not_of('0') == std::string::npos &&
                   fracDigits.find_first_not_of('0') == std::string::npos;

    const TFormatSettings& fs = FormatSettings();
    std::string out;
    if (negative && !allZero) out += '-';
    const int intCount = static_cast<int>(intDigits.size());
    auto emitIntDigit = [&](int k) {
        out += intDigits[static_cast<std::size_t>(k)];
        int fromRight = intCount - 1 - k;
        if (s.Grouping && fromRight > 0 && fromRight % 3 == 0) out += fs.ThousandSeparator;
    };
    int intIndex = 0, fracIndex = 0;
    bool intWritten = false;
    for (const TItem& item : s.Items) {
        bool integerPlace = (item.Kind == ikZero || item.Kind == ikHash) && intIndex < s.IntPlaces;
        if (!intWritten && s.IntPlaces == 0 &&
            (item.Kind == ikPoint || item.Kind == ikZero || item.Kind == ikHash ||
             item.Kind == ikExponent)) {
            for (int k = 0; k < intCount; ++k) emitIntDigit(k);
            intWritten = true;
        }
        if (integerPlace) {
            int k = intCount - s.IntPlaces + intIndex;
            for (int first = intIndex == 0 ? 0 : k; first <= k; ++first)
                if (first >= 0) emitIntDigit(first);
            ++intIndex;
            continue;
        }
        switch (item.Kind) {
            case ikZero:
            case ikHash:
                if (fracIndex < static_cast<int>(fracDigits.size())) out += fracDigits[fracIndex];
                ++fracIndex;
                break;
            case ikPoint:
                if (!fracDigits.empty()) out += fs.DecimalSeparator;
                break;
            case ikLiteral:
                out += item.Text;
                break;
            case ikExponent: {
                out += 'E';
                if (exponent < 0)
                    out += '-';
                else if (item.Text == "+")
                    out += '+';
                std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
                if (static_cast<int>(e.size()) < item.ExponentDigits)
                    e.insert(0, static_cast<std::size_t>(item.ExponentDigits) - e.size(), '0');
                out += e;
                break;
            }
        }
    }
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view pattern, double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (pattern.empty()) return FloatToStr(value);
    std::vector<std::string_view> sections = SplitSections(pattern);
    std::string_view chosen = sections[0];
    bool negative = value < 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        chosen = sections[1];
        negative = false;  // the negative section writes its own sign, if any
    } else if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
        chosen = sections[2];
    }
    return Render(ParseSection(chosen), std::fabs(value), negative);
}

std::string FloatToStr(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    std::string text = ToChars(std::fabs(value), std::chars_format::scientific, 14);
    std::size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    const std::string& point = FormatSettings().DecimalSeparator;
    std::string out = value < 0 ? "-" : "";
    if (exponent < -5 || exponent > 14) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += point + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0" + point + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out += digits + std::string(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen) + point + digits.substr(intLen);
        }
    }
    return out;
}
