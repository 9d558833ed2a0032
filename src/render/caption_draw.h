// The caption strips around the box: how the control's rectangle is divided among the four
// captions and the text area, and how one strip is drawn.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/gdi.h"

namespace vl {

// One caption's lengths in device pixels: the depth of its area from the control's edge, the gap
// to the text area (part of the size), and the distance from its border to its text.
struct CaptionMetrics {
  int size = 0;
  int spacing = 0;
  int padding = 0;
};

enum CaptionSide { kCaptionLeft = 0, kCaptionRight = 1, kCaptionTop = 2, kCaptionBottom = 3 };

struct CaptionLayout {
  std::array<win::RECT, 4> captions;  // Left, Right, Top, Bottom
  win::RECT textArea;
};

// Left and right strips run between the top and bottom areas; the corners and the spacing gaps
// belong to no caption. A Left caption of size 40 and spacing 5 in bounds from x 0 takes x 0..35
// and the text area starts at x 40.
CaptionLayout LayoutCaptions(const std::array<CaptionMetrics, 4>& metrics, const win::RECT& bounds);

// What one strip shows, with colours already translated.
struct CaptionLook {
  std::string text;               // CP932, "&" marks the mnemonic
  std::int16_t borderStyle = 0;   // 0 none, 1 simple, 2 raised, 3 sunken; others none
  int padding = 0;                // pixels
  std::uint32_t alignmentFlags = 0;  // 0x20 + horizontal (0, 1, 2) + vertical (0, 4, 8)
  win::COLORREF backColor = 0;
  win::COLORREF textColor = 0;
};

// Fills the strip, draws its border and its text inside border and padding with the strip's
// alignment, mnemonics on. The caller selects the font; the background mode is restored, the text
// colour is left as set.
void DrawCaptionStrip(win::DeviceContext& dc, const win::RECT& rect, const CaptionLook& look);

}  // namespace vl
