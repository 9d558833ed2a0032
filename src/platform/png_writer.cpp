#include "platform/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

namespace vl::win {

namespace {

// The zlib stream of a picture of a form, made for what such pictures are: flat colour, and rows
// that repeat the row above. It is one deflate block of the fixed codes whose only matches are
// the pixel to the left and the same byte in the row above; everything else goes as a literal.
// That finds the long runs a general compressor finds on these pictures, several times faster
// than even its fastest level, for a somewhat larger file on text-heavy pictures.
class FormDeflater {
 public:
  // `in` is the filtered rows, `stride` the bytes of one (filter byte included).
  static void Compress(const std::vector<std::uint8_t>& in, std::size_t stride, std::vector<std::uint8_t>& out) {
    static const Tables tables;
    // At most nine bits a byte, plus the header, the end code and the checksum.
    const std::size_t at = out.size();
    out.resize(at + in.size() + in.size() / 8 + 64);
    Bits bits{out.data() + at};
    bits.Put(0x0178, 16);  // zlib header: deflate with a 32 KB window, no dictionary
    bits.Put(0b011, 3);    // the final block, of the fixed codes
    // The row above is out of reach beyond deflate's 32 KB window.
    const std::size_t up = stride <= kMaxDistance ? stride : 0;
    const auto [upCode, upBits] =
        up != 0 ? DistanceCode(static_cast<std::uint32_t>(up)) : std::pair<std::uint32_t, std::uint32_t>{};
    const auto [leftCode, leftBits] = DistanceCode(4);
    const std::uint8_t* data = in.data();
    const std::size_t size = in.size();
    std::size_t i = 0;
    while (i < size) {
      std::size_t length = 0;
      bool fromAbove = false;
      // A match from above costs more bits than one from the left, so it must be longer to pay.
      if (up != 0 && i >= up) {
        length = MatchLength(data, i, up, size);
        fromAbove = length >= 6;
        if (!fromAbove) length = 0;
      }
      if (length < kMaxMatch && i >= 4) {
        const std::size_t left = MatchLength(data, i, 4, size);
        if (left >= 4 && left > length) {
          length = left;
          fromAbove = false;
        }
      }
      if (length == 0) {
        bits.Put(tables.literal[data[i]], tables.literalBits[data[i]]);
        ++i;
        continue;
      }
      bits.Put(tables.length[length], tables.lengthBits[length]);
      if (fromAbove) {
        bits.Put(upCode, upBits);
      } else {
        bits.Put(leftCode, leftBits);
      }
      i += length;
    }
    bits.Put(tables.literal[256], tables.literalBits[256]);  // end of block
    std::uint8_t* end = bits.Finish();
    const uLong adler = adler32_z(adler32_z(0L, Z_NULL, 0), data, size);
    for (int shift = 24; shift >= 0; shift -= 8) *end++ = static_cast<std::uint8_t>(adler >> shift);
    out.resize(static_cast<std::size_t>(end - out.data()));
  }

 private:
  static constexpr std::size_t kMaxMatch = 258;
  static constexpr std::size_t kMaxDistance = 32768;

  // Bits go out least significant first, as deflate reads them.
  struct Bits {
    std::uint8_t* at;
    std::uint64_t pending = 0;
    int count = 0;
    void Put(std::uint32_t value, std::uint32_t n) {
      pending |= static_cast<std::uint64_t>(value) << count;
      count += static_cast<int>(n);
      if (count >= 32) {
        for (int k = 0; k < 4; ++k) *at++ = static_cast<std::uint8_t>(pending >> (8 * k));
        pending >>= 32;
        count -= 32;
      }
    }
    std::uint8_t* Finish() {
      for (; count > 0; count -= 8, pending >>= 8) *at++ = static_cast<std::uint8_t>(pending);
      count = 0;
      return at;
    }
  };

  // Huffman codes are sent from their first bit, so they are stored reversed.
  static std::uint32_t Reversed(std::uint32_t code, std::uint32_t n) {
    std::uint32_t r = 0;
    for (std::uint32_t k = 0; k < n; ++k) r |= ((code >> k) & 1u) << (n - 1 - k);
    return r;
  }

  // The fixed literal/length code of symbol `s`, reversed, and its bit count.
  static std::pair<std::uint32_t, std::uint32_t> FixedCode(std::uint32_t s) {
    if (s <= 143) return {Reversed(0x30 + s, 8), 8};
    if (s <= 255) return {Reversed(0x190 + s - 144, 9), 9};
    if (s <= 279) return {Reversed(s - 256, 7), 7};
    return {Reversed(0xC0 + s - 280, 8), 8};
  }

  static constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static constexpr std::uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                      33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  static constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

  // A distance as its five-bit fixed code (reversed) followed by its extra bits, and their count.
  static std::pair<std::uint32_t, std::uint32_t> DistanceCode(std::uint32_t distance) {
    int d = 29;
    while (kDistanceBase[d] > distance) --d;
    return {Reversed(static_cast<std::uint32_t>(d), 5) | ((distance - kDistanceBase[d]) << 5), 5u + kDistanceExtra[d]};
  }

  struct Tables {
    std::uint32_t literal[257];
    std::uint8_t literalBits[257];
    std::uint32_t length[kMaxMatch + 1] = {};
    std::uint8_t lengthBits[kMaxMatch + 1] = {};
    Tables() {
      for (std::uint32_t s = 0; s <= 256; ++s) {
        const auto [code, n] = FixedCode(s);
        literal[s] = code;
        literalBits[s] = static_cast<std::uint8_t>(n);
      }
      for (std::uint32_t len = 3; len <= kMaxMatch; ++len) {
        int c = 28;
        while (kLengthBase[c] > len) --c;
        const auto [code, n] = FixedCode(257 + static_cast<std::uint32_t>(c));
        length[len] = code | ((len - kLengthBase[c]) << n);
        lengthBits[len] = static_cast<std::uint8_t>(n + kLengthExtra[c]);
      }
    }
  };

  // How many bytes from `i` repeat those `distance` before, up to the longest match deflate has.
  static std::size_t MatchLength(const std::uint8_t* data, std::size_t i, std::size_t distance, std::size_t size) {
    const std::size_t limit = std::min(kMaxMatch, size - i);
    std::size_t n = 0;
    while (n + 8 <= limit) {
      std::uint64_t a = 0;
      std::uint64_t b = 0;
      std::memcpy(&a, data + i + n, 8);
      std::memcpy(&b, data + i + n - distance, 8);
      if (a != b) return n + static_cast<std::size_t>(__builtin_ctzll(a ^ b) / 8);
      n += 8;
    }
    while (n < limit && data[i + n] == data[i + n - distance]) ++n;
    return n;
  }
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

// The file is written here rather than through libpng's writer, with the compressor above:
// writing a picture of a form is part of every render, and must stay well under a millisecond.
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

  deflated.clear();
  FormDeflater::Compress(rows, rowBytes + 1, deflated);
  if (deflated.size() > 0x7FFFFFFFu) return out;

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
