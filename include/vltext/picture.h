// vl::Picture: pixels of a form or a box as the user sees them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vl {
inline namespace v1 {

class Picture {
 public:
  Picture() = default;
  // A picture of width x height opaque pixels of colour 0x00BBGGRR.
  Picture(int width, int height, std::uint32_t fill = 0x00FFFFFF);

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  // Rows of 4-byte R, G, B, A pixels, top row first, Width() * 4 bytes a row.
  const std::vector<std::uint8_t>& Rgba() const noexcept { return rgba_; }
  std::vector<std::uint8_t>& Rgba() noexcept { return rgba_; }
  // The pixel's colour as 0x00BBGGRR (the colour properties' form); nullopt outside the picture.
  std::optional<std::uint32_t> Pixel(int x, int y) const noexcept;

  // Writes a PNG file; false when the file cannot be written.
  bool WritePng(const std::string& path) const;
  // Reads a PNG file; nullopt when there is no readable picture in it.
  static std::optional<Picture> ReadPng(const std::string& path);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgba_;
};

// A caller's buffer to draw into: `width` x `height` pixels of 4 bytes R, G, B, A, `stride`
// bytes from one row to the next (at least width * 4).
struct RgbaBuffer {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

}  // namespace v1
}  // namespace vl
