// The interface between a device context and the fonts it draws with.
//
// A LOGFONT says what the caller wants; a backend realizes it as a FontFace, which measures and
// draws one CP932 character at a time. Two backends exist: the fixed-metrics font, whose exact
// geometry the tests rely on, and FreeType with fontconfig for real pictures. A device context
// takes its backend from its creator, so the choice is the caller's and never global.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/font.h"
#include "platform/surface.h"

namespace vl::win {

inline constexpr std::uint8_t ANSI_CHARSET = 0;
inline constexpr std::uint8_t DEFAULT_CHARSET = 1;
inline constexpr std::uint8_t SHIFTJIS_CHARSET = 128;

inline constexpr std::int32_t FW_NORMAL = 400;
inline constexpr std::int32_t FW_BOLD = 700;
// The weight from which a face is drawn bold.
inline constexpr std::int32_t kBoldWeight = 600;

// Metrics of the realized font, in pixels (the fields the layers above read).
struct TEXTMETRIC {
  int tmHeight = 0;  // ascent + descent: the height of one line of text
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = FW_NORMAL;
  int tmOverhang = 0;
  std::uint8_t tmItalic = 0;
  std::uint8_t tmUnderlined = 0;
  std::uint8_t tmStruckOut = 0;
  std::uint8_t tmPitchAndFamily = 0;
  std::uint8_t tmCharSet = SHIFTJIS_CHARSET;
};

// Where the underline and the strike-out line go, as rows below the top of the text cell.
struct DecorationLines {
  int underlineTop = 0;
  int underlineHeight = 1;
  int strikeOutTop = 0;
  int strikeOutHeight = 1;
};

// What a font cache holds: faces, the glyphs they keep, and the bytes of those glyphs.
struct FontCacheUsage {
  std::size_t faces = 0;
  std::size_t glyphs = 0;
  std::size_t bytes = 0;
};

class FontFace {
 public:
  virtual ~FontFace() = default;

  virtual const TEXTMETRIC& Metrics() const = 0;
  virtual DecorationLines Decorations() const = 0;
  // Advance width of one character: `ch` is its one or two CP932 bytes.
  virtual int CharWidth(std::string_view ch) = 0;
  // Draws one character with its cell's top-left corner at (x, top), touching only pixels inside
  // `clip` (device coordinates). Underline and strike-out are the device context's business.
  virtual void DrawChar(Surface& surface, int x, int top, std::string_view ch, COLORREF color,
                        const RECT& clip) = 0;
  // The glyphs this face keeps rendered and their bytes (faces count 0 here).
  virtual FontCacheUsage Usage() const { return {}; }
};

class FontBackend {
 public:
  virtual ~FontBackend() = default;
  // The face for a logical font. Faces may be shared and cached by the backend; a face stays
  // valid as long as someone holds it, even after the backend is gone.
  virtual std::shared_ptr<FontFace> Realize(const LOGFONT& font) = 0;
  // What the backend's caches hold now; they stay within fixed bounds however many fonts are used.
  virtual FontCacheUsage CacheUsage() const { return {}; }
};

}  // namespace vl::win
