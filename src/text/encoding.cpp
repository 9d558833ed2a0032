#include "text/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "text/mbcs.h"

namespace vl {
namespace {

// One conversion through glibc's iconv. Returns false on any sequence the target cannot hold.
bool Convert(const char* from, const char* to, std::string_view in, std::string& out, std::size_t& badOffset) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    badOffset = 0;
    return false;
  }
  std::string result;
  result.resize(in.size() * 4 + 16);
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = result.data();
  std::size_t outLeft = result.size();
  bool ok = true;
  while (inLeft > 0) {
    std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) {
        std::size_t used = result.size() - outLeft;
        result.resize(result.size() * 2);
        outPtr = result.data() + used;
        outLeft = result.size() - used;
        continue;
      }
      ok = false;
      break;
    }
    // Reversible conversions only: iconv counts irreversible substitutions in its result.
    if (r != 0) {
      ok = false;
      break;
    }
  }
  if (ok) {
    // Flush any shift state.
    if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) ok = false;
  }
  iconv_close(cd);
  if (!ok) {
    badOffset = in.size() - inLeft;
    return false;
  }
  result.resize(result.size() - outLeft);
  out = std::move(result);
  return true;
}

std::string DescribeUtf8At(std::string_view utf8, std::size_t offset) {
  std::size_t len = 1;
  if (offset < utf8.size()) {
    unsigned char b = static_cast<unsigned char>(utf8[offset]);
    len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  }
  return std::string(utf8.substr(offset, len));
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    std::size_t extra;
    std::uint32_t cp;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      unsigned char c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

bool TryUtf8ToCp932(std::string_view utf8, std::string& out) {
  if (!IsValidUtf8(utf8)) return false;
  std::size_t bad = 0;
  return Convert("UTF-8", "CP932", utf8, out, bad);
}

bool TryCp932ToUtf8(std::string_view cp932, std::string& out) {
  std::size_t bad = 0;
  return Convert("CP932", "UTF-8", cp932, out, bad);
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) throw EncodingError("text is not valid UTF-8");
  std::string out;
  std::size_t bad = 0;
  if (!Convert("UTF-8", "CP932", utf8, out, bad)) {
    throw EncodingError("the character \"" + DescribeUtf8At(utf8, bad) + "\" cannot be held in code page 932");
  }
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  std::size_t bad = 0;
  if (!Convert("CP932", "UTF-8", cp932, out, bad)) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "invalid code page 932 text at byte %zu", bad);
    throw EncodingError(buf);
  }
  return out;
}

std::string Cp932ToUtf8ForDisplay(std::string_view cp932) {
  std::string out;
  if (TryCp932ToUtf8(cp932, out)) return out;
  // Character by character: a lead byte takes its trail byte when the pair converts.
  out.clear();
  for (std::size_t p = 0; p < cp932.size();) {
    std::string piece;
    const std::size_t len = p + 1 < cp932.size() && IsLeadByte(cp932[p]) ? 2 : 1;
    if (TryCp932ToUtf8(cp932.substr(p, len), piece)) {
      out += piece;
      p += len;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD for the first byte; the next one is tried on its own
      p += 1;
    }
  }
  return out;
}

std::string PeopleFileTextToCp932(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string out;
  // A CP932 file is practically never valid UTF-8 once it holds Japanese text, so the check
  // decides well; pure ASCII is the same in both.
  if (IsValidUtf8(bytes) && TryUtf8ToCp932(bytes, out)) return out;
  return std::string(bytes);
}

std::string Cp932Literal(std::string_view utf8) {
  std::string out;
  if (!TryUtf8ToCp932(utf8, out)) {
    std::fprintf(stderr, "vltext: source literal has no code page 932 form\n");
    std::abort();
  }
  return out;
}

}  // namespace vl
