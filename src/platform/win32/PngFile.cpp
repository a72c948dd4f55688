#include "platform/win32/PngFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>

#include "platform/win32/WinText.h"

namespace {

// Largest payload of one stored deflate block.
constexpr std::size_t kStoredBlock = 65535;

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

std::uint32_t Crc(const std::uint8_t* p, std::size_t n, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) crc = CrcTable()[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc(out.data() + start, out.size() - start));
}

// The zlib stream of the raw scanlines in stored blocks, with its Adler-32 at the end.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z;
    z.reserve(raw.size() + raw.size() / kStoredBlock * 5 + 16);
    z.push_back(0x78);  // deflate, 32 KiB window
    z.push_back(0x01);  // no preset dictionary, fastest; 0x7801 is a multiple of 31
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min(kStoredBlock, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                 raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, (b << 16) | a);
    return z;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const TPixelBuffer& buffer) {
    const int w = buffer.Width();
    const int h = buffer.Height();
    std::vector<std::uint8_t> raw;
    raw.reserve((static_cast<std::size_t>(w) * 4 + 1) * h);
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // no filter
        const TPixel* row = buffer.Row(y);
        for (int x = 0; x < w; ++x) {
            const TPixel p = row[x];
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
            raw.push_back(static_cast<std::uint8_t>(p >> 24));
        }
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    Put32(header, static_cast<std::uint32_t>(w));
    Put32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}

TResult<void> SavePng(const TPixelBuffer& buffer, const std::string& path) {
    if (buffer.Width() <= 0 || buffer.Height() <= 0) return TError(path + ": the picture is empty");
    const std::vector<std::uint8_t> png = EncodePng(buffer);
    // The name is UTF-8; the file system's names are UTF-16.
    std::ofstream out(WideFromUtf8(path).c_str(), std::ios::binary | std::ios::trunc);
    if (!out) return TError(path + ": cannot be written");
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) return TError(path + ": cannot be written");
    return {};
}
