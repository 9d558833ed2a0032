// The fixed-metrics font: geometry a test can compute by hand.
//
// Every single-byte character is W pixels wide and every double-byte character 2W, and glyphs
// are drawn as hollow boxes, so a picture of a text is exact and the same on every machine.
// From the LOGFONT:
//   H (line height)  = |lfHeight|, 12 when lfHeight is 0 (both signs give the same height: the
//                      font has no internal leading), clamped to 1..1024
//   W (single width) = lfWidth when it is positive, else (H + 1) / 2, at least 1
//   descent          = H / 5, ascent = H − descent
// So lfHeight −12 gives a 12-pixel line, 6-pixel single-byte and 12-pixel double-byte cells,
// ascent 10, descent 2.
//
// Glyph of a cell starting at (x, top): the ink rows are top + H/6 to top + ascent (exclusive);
// a single-byte character is a one-pixel hollow box over columns x to x + W − 1 (exclusive: the
// last column of the cell stays blank, so neighbours never touch); a double-byte character is a
// box over x to x + 2W − 1 with a bar through its middle row. Spaces (0x20 and the full-width
// 0x8140) and control bytes draw nothing. A weight of 600 or more doubles the box's strokes.
// The underline is the row just below the ascent (the bottom row when there is no descent);
// the strike-out line is the row at ascent / 2. lfItalic and the face name change nothing.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/face_cache.h"
#include "platform/font_backend.h"

namespace vl::win {

struct FixedFontGeometry {
  int height = 12;
  int charWidth = 6;
  int ascent = 10;
  int descent = 2;
  int inkTop = 2;     // first ink row, from the top of the cell
  int inkBottom = 10; // first row below the ink
  int stroke = 1;
};

// The numbers above for one LOGFONT.
FixedFontGeometry FixedGeometryFor(const LOGFONT& font);

class FixedFontBackend : public FontBackend {
 public:
  std::shared_ptr<FontFace> Realize(const LOGFONT& font) override;
  FontCacheUsage CacheUsage() const override { return faces_.Usage(); }

 private:
  FaceCache faces_;
};

}  // namespace vl::win
