#include "platform/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace vl::win {

namespace {

// One deflate state per thread, reset for every picture: setting one up allocates some 270 KB,
// which used to cost more than compressing a whole form.
class Deflater {
 public:
  Deflater() { ready_ = deflateInit2(&z_, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
  ~Deflater() {
    if (ready_) deflateEnd(&z_);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Appends the zlib stream of `in` to `out`; false when zlib fails. Works in pieces zlib's
  // 32-bit counts can hold, so a picture of any size is written whole or not at all.
  bool Compress(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out) {
    if (!ready_ || deflateReset(&z_) != Z_OK) return false;
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    const std::size_t at = out.size();
    out.resize(at + std::min<std::size_t>(deflateBound(&z_, static_cast<uLong>(std::min(in.size(), kPiece))), kPiece));
    std::size_t fed = 0;
    while (true) {
      if (z_.avail_in == 0 && fed < in.size()) {
        const std::size_t n = std::min(in.size() - fed, kPiece);
        z_.next_in = const_cast<Bytef*>(in.data() + fed);
        z_.avail_in = static_cast<uInt>(n);
        fed += n;
      }
      const std::size_t written = at + static_cast<std::size_t>(z_.total_out);
      if (written == out.size()) out.resize(out.size() + std::max<std::size_t>(out.size() / 2, 1 << 16));
      z_.next_out = out.data() + written;
      z_.avail_out = static_cast<uInt>(std::min(out.size() - written, kPiece));
      const int result = deflate(&z_, fed == in.size() ? Z_FINISH : Z_NO_FLUSH);
      if (result == Z_STREAM_END) break;
      if (result != Z_OK && result != Z_BUF_ERROR) return false;
    }
    out.resize(at + static_cast<std::size_t>(z_.total_out));
    return true;
  }

 private:
  z_stream z_{};
  bool ready_ = false;
};

void PutBigEndian(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v >> 24);
  out[at + 1] = static_cast<std::uint8_t>(v >> 16);
  out[at + 2] = static_cast<std::uint8_t>(v >> 8);
  out[at + 3] = static_cast<std::uint8_t>(v);
}

// Starts a chunk: room for its length, then its type. EndChunk fills the length in and adds the
// CRC over type and data.
std::size_t BeginChunk(std::vector<std::uint8_t>& out, const char* type) {
  const std::size_t at = out.size();
  out.resize(at + 4);
  out.insert(out.end(), type, type + 4);
  return at;
}

void EndChunk(std::vector<std::uint8_t>& out, std::size_t at) {
  const std::size_t dataBytes = out.size() - at - 8;
  PutBigEndian(out, at, static_cast<std::uint32_t>(dataBytes));
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), out.data() + at + 4, static_cast<uInt>(dataBytes + 4));
  out.resize(out.size() + 4);
  PutBigEndian(out, out.size() - 4, static_cast<std::uint32_t>(crc));
}

}  // namespace

// The file is written here rather than through libpng's writer, so that the deflate state is
// kept between pictures, and with the fastest compression level: pictures of forms are mostly
// flat colour, which that level already packs smaller than libpng's defaults did.
std::vector<std::uint8_t> EncodePng(const Surface& surface) {
  std::vector<std::uint8_t> out;
  const int width = surface.Width();
  const int height = surface.Height();
  if (width == 0 || height == 0) return out;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;

  // Scratch kept by the thread between pictures: the rows as PNG stores them, and their deflated
  // form, so that a picture allocates only the file it returns.
  thread_local std::vector<std::uint8_t> rows;
  thread_local std::vector<std::uint8_t> deflated;
  rows.resize((rowBytes + 1) * static_cast<std::size_t>(height));
  const std::uint8_t* rgba = surface.Rgba().data();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgba + rowBytes * static_cast<std::size_t>(y);
    std::uint8_t* dst = rows.data() + (rowBytes + 1) * static_cast<std::size_t>(y);
    dst[0] = 0;  // no filter: on pictures of forms it compresses best at this level
    std::memcpy(dst + 1, row, rowBytes);
  }

  thread_local Deflater deflater;
  deflated.clear();
  if (!deflater.Compress(rows, deflated) || deflated.size() > 0x7FFFFFFFu) return out;

  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.reserve(sizeof kSignature + 25 + 13 + 12 + deflated.size() + 12);
  out.assign(std::begin(kSignature), std::end(kSignature));
  std::size_t chunk = BeginChunk(out, "IHDR");
  out.resize(out.size() + 13);
  PutBigEndian(out, chunk + 8, static_cast<std::uint32_t>(width));
  PutBigEndian(out, chunk + 12, static_cast<std::uint32_t>(height));
  out[chunk + 16] = 8;  // bits per sample
  out[chunk + 17] = 6;  // colour type: RGB with alpha
  // compression 0, filter method 0 and no interlace are the zeros already there
  EndChunk(out, chunk);
  chunk = BeginChunk(out, "sRGB");
  out.push_back(0);  // perceptual rendering intent: the samples are sRGB as they stand
  EndChunk(out, chunk);
  chunk = BeginChunk(out, "IDAT");
  out.insert(out.end(), deflated.begin(), deflated.end());
  EndChunk(out, chunk);
  EndChunk(out, BeginChunk(out, "IEND"));
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
