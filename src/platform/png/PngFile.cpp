#include "platform/png/PngFile.h"

#include <png.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

std::string Reason(const png_image& image) {
    return image.message[0] ? image.message : "unknown libpng error";
}

}  // namespace

namespace {

// The file a name refers to: symbolic links are followed, also one whose file does not exist
// yet, so the link stays and the file it names is the one written.
std::filesystem::path ResolvedTarget(const std::string& path) {
    namespace fs = std::filesystem;
    constexpr int kMaxLinks = 40;  // as the system's own limit on links in a row
    fs::path target = path;
    std::error_code ec;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(target, ec); ++i) {
        fs::path next = fs::read_symlink(target, ec);
        if (ec) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// The mode a new file would get, or the mode of the file being replaced.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

TResult<void> SavePng(const TPixelBuffer& buffer, const std::string& path) {
    if (buffer.Width() <= 0 || buffer.Height() <= 0) return TError(path + ": the picture is empty");
    if (path.empty()) return TError("no file name given");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(buffer.Width()) * buffer.Height() * 4);
    std::uint8_t* out = bytes.data();
    for (int y = 0; y < buffer.Height(); ++y) {
        const TPixel* row = buffer.Row(y);
        for (int x = 0; x < buffer.Width(); ++x, out += 4) {
            const TPixel p = row[x];
            out[0] = (p >> 16) & 0xFF, out[1] = (p >> 8) & 0xFF, out[2] = p & 0xFF,
            out[3] = p >> 24;
        }
    }
    // Written beside the target and renamed over it, so a failed write (a full disk, a
    // picture libpng refuses) leaves whatever was there before as it was.
    const std::filesystem::path target = ResolvedTarget(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(temp.data());
    if (fd < 0) return TError(path + ": " + std::strerror(errno));
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        std::string reason = std::strerror(errno);
        close(fd);
        unlink(temp.c_str());
        return TError(path + ": " + reason);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(buffer.Width());
    image.height = static_cast<png_uint_32>(buffer.Height());
    image.format = PNG_FORMAT_RGBA;
    std::string reason;
    if (!png_image_write_to_stdio(&image, file, 0, bytes.data(), 0, nullptr)) {
        reason = Reason(image);
        png_image_free(&image);
    } else if (std::fflush(file) != 0 || fsync(fileno(file)) != 0 ||
               fchmod(fileno(file), ModeFor(target)) != 0) {
        reason = std::strerror(errno);
    }
    if (std::fclose(file) != 0 && reason.empty()) reason = std::strerror(errno);
    if (reason.empty() && std::rename(temp.c_str(), target.c_str()) != 0)
        reason = std::strerror(errno);
    if (!reason.empty()) {
        unlink(temp.c_str());
        return TError(path + ": " + reason);
    }
    return {};
}

TResult<TPixelBuffer> LoadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        std::string reason = Reason(image);
        png_image_free(&image);
        return TError(path + ": " + reason);
    }
    if (image.width == 0 || image.height == 0 || image.width > TPixelBuffer::kMaxSide ||
        image.height > TPixelBuffer::kMaxSide) {
        png_image_free(&image);
        return TError(path + ": picture size out of range");
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        std::string reason = Reason(image);
        png_image_free(&image);
        return TError(path + ": " + reason);
    }
    TPixelBuffer result(static_cast<int>(image.width), static_cast<int>(image.height));
    const std::uint8_t* in = bytes.data();
    for (int y = 0; y < result.Height(); ++y) {
        TPixel* row = result.Row(y);
        for (int x = 0; x < result.Width(); ++x, in += 4) {
            row[x] = (TPixel(in[3]) << 24) | (TPixel(in[0]) << 16) | (TPixel(in[1]) << 8) | in[2];
        }
    }
    return result;
}
