// Font descriptions as the graphics layer exchanges them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace vl::win {

inline constexpr int kLfFaceSize = 32;

// The 60-byte logical font description.
struct LOGFONT {
  std::int32_t lfHeight = 0;
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = 400;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = 0;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  char lfFaceName[kLfFaceSize] = {};

  std::string FaceName() const { return std::string(lfFaceName, strnlen(lfFaceName, kLfFaceSize)); }
  void SetFaceName(const std::string& name) {
    std::memset(lfFaceName, 0, sizeof lfFaceName);
    std::memcpy(lfFaceName, name.data(), std::min<std::size_t>(name.size(), kLfFaceSize - 1));
  }
};
static_assert(sizeof(LOGFONT) == 60, "LOGFONT is exchanged as 60 bytes");

}  // namespace vl::win
