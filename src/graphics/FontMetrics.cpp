#include "graphics/FontMetrics.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <span>

namespace {

// A size at which the platform's hinted metrics are known; other sizes scale from the nearest.
struct TPinnedSize {
    int Em;
    int Ascent;
    int Descent;
};

// Design ascent, descent and average width per em (the Windows OS/2 values of the family).
struct TFamilyMetrics {
    std::string_view Name;
    double Ascent;
    double Descent;
    double AveWidth;
    std::span<const TPinnedSize> Pinned;
};

constexpr TPinnedSize kArialSizes[] = {
    {11, 11, 3}, {12, 12, 3}, {13, 13, 3}, {16, 15, 4}, {19, 18, 4}};
constexpr TPinnedSize kVerdanaSizes[] = {{11, 11, 2}};
// A bitmap face: only its own sizes exist; the others scale from the nearest of them.
constexpr TPinnedSize kMsSansSerifSizes[] = {{11, 11, 2}, {13, 13, 3}, {16, 16, 4}, {19, 19, 5}};
constexpr TPinnedSize kTahomaSizes[] = {{11, 11, 2}};

constexpr std::array kFamilies = {
    TFamilyMetrics{"Arial", 1854.0 / 2048, 434.0 / 2048, 904.0 / 2048, kArialSizes},
    TFamilyMetrics{"Verdana", 2059.0 / 2048, 430.0 / 2048, 1186.0 / 2048, kVerdanaSizes},
    TFamilyMetrics{"MS Sans Serif", 1.0, 0.2, 5.0 / 11, kMsSansSerifSizes},
    TFamilyMetrics{"Tahoma", 2049.0 / 2048, 423.0 / 2048, 1000.0 / 2048, kTahomaSizes},
    TFamilyMetrics{"Times New Roman", 1825.0 / 2048, 443.0 / 2048, 821.0 / 2048, {}},
    TFamilyMetrics{"Courier New", 1705.0 / 2048, 615.0 / 2048, 1229.0 / 2048, {}},
};

constexpr int kDefaultEm = 16;
constexpr int kMaxEm = 2000;

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const TFamilyMetrics& Family(std::string_view name) {
    for (const auto& f : kFamilies)
        if (SameName(f.Name, name)) return f;
    return kFamilies[0];
}

TFontMetrics AtEm(const TFamilyMetrics& f, int em) {
    int ascent = 0;
    int descent = 0;
    if (f.Pinned.empty()) {
        // Hinting rounds the extremes outwards.
        ascent = static_cast<int>(std::ceil(em * f.Ascent - 0.01));
        descent = static_cast<int>(std::ceil(em * f.Descent - 0.01));
    } else {
        const TPinnedSize* near = &f.Pinned.front();
        for (const auto& p : f.Pinned)
            if (std::abs(p.Em - em) < std::abs(near->Em - em)) near = &p;
        const int d = em - near->Em;
        ascent = near->Ascent + static_cast<int>(std::lround(d * f.Ascent));
        descent = near->Descent + static_cast<int>(std::lround(d * f.Descent));
    }
    ascent = std::max(ascent, 1);
    descent = std::max(descent, 0);
    TFontMetrics m;
    m.EmPixels = em;
    m.Ascent = ascent;
    m.Descent = descent;
    m.Height = ascent + descent;
    m.InternalLeading = std::max(m.Height - em, 0);
    m.AveCharWidth = std::max(1, static_cast<int>(std::lround(em * f.AveWidth)));
    return m;
}

}  // namespace

TFontMetrics PlatformFontMetrics(std::string_view family, int height) {
    const TFamilyMetrics& f = Family(family);
    if (height == 0) return AtEm(f, kDefaultEm);
    if (height < 0)
        return AtEm(f, std::min(-static_cast<long long>(height), static_cast<long long>(kMaxEm)));
    // A cell height: the largest em whose cell fits, as the platform picks it.
    const int cell = std::min(height, kMaxEm);
    int em = std::max(1, static_cast<int>(cell / (f.Ascent + f.Descent)) - 2);
    while (em < kMaxEm && AtEm(f, em + 1).Height <= cell) ++em;
    while (em > 1 && AtEm(f, em).Height > cell) --em;
    return AtEm(f, em);
}
