#include "platform/png/PngFile.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

std::string Reason(const png_image& image) {
    return image.message[0] ? image.message : "unknown libpng error";
}

}  // namespace

bool SavePng(const TPixelBuffer& buffer, const std::string& path, std::string* error) {
    if (buffer.Width() <= 0 || buffer.Height() <= 0) return Fail(error, "the picture is empty");
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
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(buffer.Width());
    image.height = static_cast<png_uint_32>(buffer.Height());
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr)) {
        std::string reason = Reason(image);
        png_image_free(&image);
        return Fail(error, path + ": " + reason);
    }
    return true;
}

bool LoadPng(const std::string& path, TPixelBuffer& out, std::string* error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        std::string reason = Reason(image);
        png_image_free(&image);
        return Fail(error, path + ": " + reason);
    }
    if (image.width == 0 || image.height == 0 || image.width > TPixelBuffer::kMaxSide ||
        image.height > TPixelBuffer::kMaxSide) {
        png_image_free(&image);
        return Fail(error, path + ": picture size out of range");
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        std::string reason = Reason(image);
        png_image_free(&image);
        return Fail(error, path + ": " + reason);
    }
    TPixelBuffer result(static_cast<int>(image.width), static_cast<int>(image.height));
    const std::uint8_t* in = bytes.data();
    for (int y = 0; y < result.Height(); ++y) {
        TPixel* row = result.Row(y);
        for (int x = 0; x < result.Width(); ++x, in += 4) {
            row[x] = (TPixel(in[3]) << 24) | (TPixel(in[0]) << 16) | (TPixel(in[1]) << 8) | in[2];
        }
    }
    out = std::move(result);
    return true;
}
