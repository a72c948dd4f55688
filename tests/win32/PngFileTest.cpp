#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/WtmpTestFile.h"
#include "platform/win32/PngFile.h"

namespace {

std::uint32_t Be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// Bitwise CRC-32 straight from its definition (polynomial 0x04C11DB7, reflected).
std::uint32_t SlowCrc(const std::uint8_t* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Reads back what a PNG reader would: every chunk's CRC checked, the zlib stream's blocks
// taken apart (only stored blocks are expected), the Adler-32 checked, the scanlines
// unfiltered. Fails the test on any inconsistency.
struct TDecoded {
    int Width = 0;
    int Height = 0;
    std::vector<TPixel> Pixels;
};

TDecoded Decode(const std::vector<std::uint8_t>& png) {
    TDecoded d;
    const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png.size() > 8 && std::equal(signature, signature + 8, png.begin()));
    std::vector<std::uint8_t> zlib;
    std::vector<std::string> order;
    for (std::size_t pos = 8; pos + 12 <= png.size();) {
        const std::uint32_t n = Be32(&png[pos]);
        const std::string type(png.begin() + pos + 4, png.begin() + pos + 8);
        EXPECT_LE(pos + 12 + n, png.size());
        EXPECT_EQ(Be32(&png[pos + 8 + n]), SlowCrc(&png[pos + 4], n + 4)) << type;
        const std::uint8_t* body = &png[pos + 8];
        if (type == "IHDR") {
            d.Width = static_cast<int>(Be32(body));
            d.Height = static_cast<int>(Be32(body + 4));
            EXPECT_EQ(body[8], 8);  // bits per channel
            EXPECT_EQ(body[9], 6);  // RGBA
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), body, body + n);
        }
        order.push_back(type);
        pos += 12 + n;
    }
    EXPECT_EQ(order.front(), "IHDR");
    EXPECT_EQ(order.back(), "IEND");
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);  // the header's check bits
    EXPECT_EQ(zlib[0] & 0x0F, 8);                  // deflate
    std::vector<std::uint8_t> raw;
    std::size_t pos = 2;
    for (bool last = false; !last;) {
        last = zlib[pos] & 1;
        EXPECT_EQ(zlib[pos] >> 1, 0);  // stored
        const unsigned len = zlib[pos + 1] | (zlib[pos + 2] << 8);
        const unsigned nlen = zlib[pos + 3] | (zlib[pos + 4] << 8);
        EXPECT_EQ(len ^ 0xFFFFu, nlen);
        raw.insert(raw.end(), zlib.begin() + pos + 5, zlib.begin() + pos + 5 + len);
        pos += 5 + len;
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
    EXPECT_EQ(Be32(&zlib[pos]), (b << 16) | a);
    EXPECT_EQ(pos + 4, zlib.size());
    const std::size_t stride = static_cast<std::size_t>(d.Width) * 4 + 1;
    EXPECT_EQ(raw.size(), stride * d.Height);
    for (int y = 0; y < d.Height; ++y) {
        const std::uint8_t* row = &raw[y * stride];
        EXPECT_EQ(row[0], 0);  // no filter
        for (int x = 0; x < d.Width; ++x) {
            const std::uint8_t* p = row + 1 + x * 4;
            d.Pixels.push_back((TPixel{p[3]} << 24) | (TPixel{p[0]} << 16) | (TPixel{p[1]} << 8) |
                               p[2]);
        }
    }
    return d;
}

TEST(WinPngFile, PixelsComeBackExactly) {
    // 1 × 1, a row wider than one stored block, and a picture spanning many blocks.
    for (auto [w, h] :
         {std::pair{1, 1}, std::pair{TPixelBuffer::kMaxSide, 1}, std::pair{300, 200}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        TPixelBuffer picture(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture.Row(y)[x] = 0x80000000u | static_cast<TPixel>(x * 7919 + y * 104729);
        const TDecoded d = Decode(EncodePng(picture));
        ASSERT_EQ(d.Width, w);
        ASSERT_EQ(d.Height, h);
        ASSERT_EQ(d.Pixels.size(), static_cast<std::size_t>(w) * h);
        EXPECT_TRUE(std::equal(d.Pixels.begin(), d.Pixels.end(), picture.Data()));
    }
}

TEST(WinPngFile, SavingWritesTheFileOrSaysWhy) {
    TTempDir dir;
    TPixelBuffer picture(4, 3, 0xFF336699u);
    // A name outside the ANSI code page is still written.
    const std::string path = dir.Path("截图.png");
    TResult<void> saved = SavePng(picture, path);
    ASSERT_TRUE(saved.Ok()) << saved.Error();
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, EncodePng(picture));

    TResult<void> empty = SavePng(TPixelBuffer(), dir.Path("empty.png"));
    ASSERT_FALSE(empty.Ok());
    EXPECT_EQ(empty.Error(), dir.Path("empty.png") + ": the picture is empty");
    const std::string missing = dir.Path("no/such/folder.png");
    TResult<void> nowhere = SavePng(picture, missing);
    ASSERT_FALSE(nowhere.Ok());
    EXPECT_EQ(nowhere.Error(), missing + ": cannot be written");
}

}  // namespace
