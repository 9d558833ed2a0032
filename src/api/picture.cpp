// Pictures: the surface a form is drawn on, as the public interface hands it out.
#include "platform/png_writer.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

namespace {

win::Surface ToSurface(const Picture& picture) {
  win::Surface surface(picture.Width(), picture.Height());
  surface.Rgba() = picture.Rgba();
  return surface;
}

}  // namespace

Picture::Picture(int width, int height, std::uint32_t fill) : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  rgba_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
  for (std::size_t i = 0; i < rgba_.size(); i += 4) {
    rgba_[i] = static_cast<std::uint8_t>(fill & 0xFF);
    rgba_[i + 1] = static_cast<std::uint8_t>((fill >> 8) & 0xFF);
    rgba_[i + 2] = static_cast<std::uint8_t>((fill >> 16) & 0xFF);
    rgba_[i + 3] = 0xFF;
  }
}

std::optional<std::uint32_t> Picture::Pixel(int x, int y) const noexcept {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return std::nullopt;
  const std::size_t i =
      (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 4;
  return static_cast<std::uint32_t>(rgba_[i]) | (static_cast<std::uint32_t>(rgba_[i + 1]) << 8) |
         (static_cast<std::uint32_t>(rgba_[i + 2]) << 16);
}

bool Picture::WritePng(const std::string& path) const { return win::WritePng(ToSurface(*this), path); }

std::optional<Picture> Picture::ReadPng(const std::string& path) {
  std::optional<win::Surface> surface = win::ReadPng(path);
  if (!surface) return std::nullopt;
  Picture picture(surface->Width(), surface->Height());
  picture.rgba_ = std::move(surface->Rgba());
  return picture;
}

}  // namespace vl::v1
