#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Artwork.h"
#include "platform/png/PngFile.h"

namespace {

constexpr int kDesktopSizes[] = {16, 24, 32, 48, 64, 128, 256};

std::vector<TPixel> Pixels(const TPixelBuffer& p) {
    return {p.Data(), p.Data() + p.Width() * p.Height()};
}

unsigned Alpha(TPixel p) {
    return p >> 24;
}

// Opaque and near white: the symbol, seen from a distance.
bool Light(TPixel p) {
    return Alpha(p) == 0xFF && (p & 0xFF) >= 0xC0 && ((p >> 8) & 0xFF) >= 0xC0 &&
           ((p >> 16) & 0xFF) >= 0xC0;
}

TEST(ProgramIcon, EachSizeIsATileWithClearCornersAndAWhiteSymbol) {
    for (int size : kDesktopSizes) {
        SCOPED_TRACE(size);
        const TPixelBuffer icon = ProgramIconAt(size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        EXPECT_EQ(Alpha(icon.Row(0)[0]), 0u);
        EXPECT_EQ(Alpha(icon.Row(size - 1)[size - 1]), 0u);
        // The tile: opaque and blue inside its border, left of the ring.
        const TPixel tile = icon.Row(size / 2)[size * 18 / 128];
        EXPECT_EQ(Alpha(tile), 0xFFu);
        EXPECT_GT(tile & 0xFF, (tile >> 16) & 0xFF);
        // The bar of the power symbol runs down the middle, and the ring passes below it.
        EXPECT_TRUE(Light(icon.Row(size * 3 / 10)[size / 2 - 1]));
        EXPECT_TRUE(Light(icon.Row(size * 100 / 128)[size / 2]));
    }
    EXPECT_EQ(Pixels(ProgramIconAt(32)), Pixels(ProgramIcon()));
}

TEST(ProgramIcon, SmallSizesAreDrawnOnWholePixelsNotShrunk) {
    // Shrinking the 32-pixel icon would leave the 16-pixel bar less than a pixel wide and grey,
    // and the tile's edge half covered.
    const TPixelBuffer icon = ProgramIconAt(16);
    for (int y = 4; y < 8; ++y) {
        EXPECT_EQ(icon.Row(y)[7], 0xFFFFFFFFu) << y;
        EXPECT_EQ(icon.Row(y)[8], 0xFFFFFFFFu) << y;
    }
    for (int i = 1; i < 15; ++i) {
        EXPECT_EQ(Alpha(icon.Row(i)[1]), 0xFFu) << i;
        EXPECT_EQ(Alpha(icon.Row(i)[0]), 0u) << i;
        EXPECT_EQ(Alpha(icon.Row(14)[i]), 0xFFu) << i;
        EXPECT_EQ(Alpha(icon.Row(15)[i]), 0u) << i;
    }
    const TPixelBuffer at24 = ProgramIconAt(24);
    for (int i = 2; i < 22; ++i) {
        EXPECT_EQ(Alpha(at24.Row(i)[2]), 0xFFu) << i;
        EXPECT_EQ(Alpha(at24.Row(21)[i]), 0xFFu) << i;
        EXPECT_EQ(Alpha(at24.Row(22)[i]), 0u) << i;
    }
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// vigil.exe shows the icon file kept with its resources; it must be the icon as drawn now.
TEST(ProgramIcon, TheWindowsIconFileHoldsEachSizeAsDrawn) {
    std::ifstream in(std::string(VIGIL_SOURCE_DIR) + "/src/platform/win32/resources/vigil.ico",
                     std::ios::binary);
    const std::string ico{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le(ico, 0, 2), 0u);
    EXPECT_EQ(Le(ico, 2, 2), 1u);
    ASSERT_EQ(Le(ico, 4, 2), std::size(kDesktopSizes));
    const std::string png =
        (std::filesystem::path(VIGIL_BINARY_DIR) / "program-icon-test.png").string();
    for (std::size_t i = 0; i < std::size(kDesktopSizes); ++i) {
        const int size = kDesktopSizes[i];
        SCOPED_TRACE(size);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(Le(ico, entry, 1), size == 256 ? 0u : static_cast<unsigned>(size));
        EXPECT_EQ(Le(ico, entry + 6, 2), 32u);
        const std::uint32_t length = Le(ico, entry + 8, 4), offset = Le(ico, entry + 12, 4);
        ASSERT_LE(std::uint64_t{offset} + length, ico.size());
        std::ofstream(png, std::ios::binary) << ico.substr(offset, length);
        TResult<TPixelBuffer> stored = LoadPng(png);
        ASSERT_TRUE(stored.Ok()) << stored.Error();
        EXPECT_EQ(Pixels(stored.Value()), Pixels(ProgramIconAt(size)))
            << "redraw it with build/draw_icons and copy vigil.ico";
    }
    std::filesystem::remove(png);
}

}  // namespace
