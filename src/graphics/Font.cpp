#include "graphics/Font.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

// a * b / c rounded half away from zero, as the platform's MulDiv does it.
int MulDiv(int a, int b, int c) {
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t q = (std::llabs(p) + c / 2) / c;
    // Absurd sizes saturate rather than wrap.
    return static_cast<int>(std::min<std::int64_t>(p < 0 ? -q : q, 1 << 24));
}

}  // namespace

int TFont::Size() const {
    return -MulDiv(height_, kPointsPerInch, kScreenDpi);
}

void TFont::SetSize(int points) {
    height_ = -MulDiv(points, kScreenDpi, kPointsPerInch);
}
