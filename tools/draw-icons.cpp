// draw-icons OUTDIR: draws the program icon at each size the desktops ask for and writes
// OUTDIR/vigil-<size>.png for each, and OUTDIR/vigil.ico holding them all for the Windows
// build (copied into src/platform/win32/resources/ when the artwork changes; a test keeps the
// copy equal to the drawing).
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Artwork.h"
#include "app/Platform.h"

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool ReadWhole(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    out.assign(std::istreambuf_iterator<char>(in), {});
    return in.good() || in.eof();
}

// An icon file whose images are PNG streams, as Windows reads them since Vista: a directory
// of one 16-byte entry per image, then the images.
std::string IconFile(const std::vector<std::pair<int, std::string>>& images) {
    std::string out;
    PutLe(out, 0, 2);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const auto& [size, png] : images) {
        out += static_cast<char>(size >= 256 ? 0 : size);  // 0 stands for 256
        out += static_cast<char>(size >= 256 ? 0 : size);
        PutLe(out, 0, 2);   // no palette, reserved
        PutLe(out, 1, 2);   // planes
        PutLe(out, 32, 2);  // bits per pixel
        PutLe(out, static_cast<std::uint32_t>(png.size()), 4);
        PutLe(out, offset, 4);
        offset += static_cast<std::uint32_t>(png.size());
    }
    for (const auto& image : images) out += image.second;
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-icons OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<std::pair<int, std::string>> images;
    for (int size : kSizes) {
        const std::string path = dir + "/vigil-" + std::to_string(size) + ".png";
        TResult<void> saved = SaveScreenshotPng(ProgramIconAt(size), path);
        if (!saved) {
            std::fprintf(stderr, "draw-icons: %s\n", saved.Error().c_str());
            return 1;
        }
        std::string png;
        if (!ReadWhole(path, png)) {
            std::fprintf(stderr, "draw-icons: %s: cannot read it back\n", path.c_str());
            return 1;
        }
        images.emplace_back(size, png);
    }
    const std::string ico = dir + "/vigil.ico";
    std::ofstream out(ico, std::ios::binary);
    out << IconFile(images);
    out.close();
    if (!out) {
        std::fprintf(stderr, "draw-icons: cannot write %s\n", ico.c_str());
        return 1;
    }
    return 0;
}
