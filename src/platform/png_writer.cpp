#include "platform/png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace vl::win {

namespace {

png_image ImageFor(const Surface& surface) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.Width());
  image.height = static_cast<png_uint_32>(surface.Height());
  image.format = PNG_FORMAT_RGBA;
  return image;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Surface& surface) {
  std::vector<std::uint8_t> out;
  if (surface.Width() == 0 || surface.Height() == 0) return out;
  png_image image = ImageFor(surface);
  png_alloc_size_t size = 0;
  // The first call measures, the second writes.
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, surface.Rgba().data(), 0, nullptr)) {
    png_image_free(&image);
    return out;
  }
  out.resize(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, surface.Rgba().data(), 0, nullptr)) {
    png_image_free(&image);
    out.clear();
    return out;
  }
  out.resize(size);
  return out;
}

bool WritePng(const Surface& surface, const std::string& path) {
  // Encoding to memory first means a failure never leaves a truncated file behind.
  const std::vector<std::uint8_t> bytes = EncodePng(surface);
  if (bytes.empty()) return false;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::remove(path.c_str());
    return false;
  }
  return true;
}

std::optional<Surface> ReadPng(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  if (image.width == 0 || image.height == 0 || image.width > 1u << 15 || image.height > 1u << 15) {
    png_image_free(&image);
    return std::nullopt;
  }
  Surface surface(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, surface.Rgba().data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return surface;
}

}  // namespace vl::win
