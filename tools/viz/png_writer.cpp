#include "tools/viz/png_writer.h"

#include <png.h>

#include <array>
#include <cstdio>
#include <memory>

namespace keyloom::viz {

bool WriteImagePng(const FrameImage& image, const std::string& path, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = kImageWidth;
    png.height = kImageHeight;
    png.format = PNG_FORMAT_RGB;
    auto rgb = std::make_unique<std::array<png_byte, kImagePixels * 3>>();
    for (std::size_t i = 0; i < kImagePixels; ++i) {
        (*rgb)[3 * i] = static_cast<png_byte>(image[i] & 0xFF);
        (*rgb)[3 * i + 1] = static_cast<png_byte>((image[i] >> 8) & 0xFF);
        (*rgb)[3 * i + 2] = static_cast<png_byte>((image[i] >> 16) & 0xFF);
    }
    if (png_image_write_to_file(&png, path.c_str(), 0, rgb->data(), 0, nullptr) == 0) {
        error = path + ": " + png.message;
        return false;
    }
    return true;
}

}  // namespace keyloom::viz
