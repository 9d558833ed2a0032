#include "control/caption_table.h"

#include "runtime/system_colour.h"

namespace vl {

const std::vector<CaptionPropertyInfo>& CaptionPropertyTable() {
  using C = CaptionProperties;
  // One row a property, its fields in declaration order; laid out as a table, not by clang-format.
  // clang-format off
  static const std::vector<CaptionPropertyInfo> table = {
      {.dispid = 1, .name = "Text", .kind = "String", .defaultValue = Variant::Bstr(""),
       .description = "The caption's text; \"&\" before a letter underlines it and makes Alt with that letter "
                      "move the focus to the box (\"&&\" shows one \"&\").",
       .storedName = "Text", .field = &C::text},
      {.dispid = 2, .name = "Alignment", .kind = "Integer", .defaultValue = Variant::I2(0),
       .description = "Where the text sits in the strip: 0 top left to 8 bottom right (VlTextCapAlign... "
                      "constants). Other values draw at the top left.",
       .storedName = "Alignment", .field = &C::alignment},
      {.dispid = 3, .name = "Size", .kind = "Single", .defaultValue = Variant::R4(0.0f),
       .description = "The strip's width (left and right captions) or height (top and bottom), its Spacing "
                      "included, in the form's units (points). 0 hides the caption. The box always keeps at "
                      "least 8 pixels for its text.",
       .storedName = "Size", .field = &C::size, .lo = 0, .hi = kMaxStoredLength},
      {.dispid = 4, .name = "Spacing", .kind = "Single", .defaultValue = Variant::R4(0.0f),
       .description = "The gap between the strip and the text area, taken from Size; at most Size.",
       .storedName = "Spacing", .field = &C::spacing, .lo = 0, .hi = kMaxStoredLength, .atMostSize = true},
      {.dispid = 5, .name = "Font", .kind = "Font", .defaultValue = Variant::Empty(),
       .description = "The caption's own font. A caption has none until one is given; writing nothing gives it "
                      "the default caption font (ＭＳ Ｐゴシック, 9 points, bold).",
       .storedName = "Font", .field = &C::font},
      {.dispid = 6, .name = "TextColor", .kind = "Colour", .defaultValue = Variant::I8(kColourButtonText),
       .description = "The text colour.", .storedName = "TextColor", .field = &C::textColor},
      {.dispid = 7, .name = "BackColor", .kind = "Colour", .defaultValue = Variant::I8(kColourButtonFace),
       .description = "The strip's background.", .storedName = "Backolor", .field = &C::backColor},
      {.dispid = 8, .name = "BorderStyle", .kind = "Integer", .defaultValue = Variant::I2(0),
       .description = "The strip's border: 0 none, 1 a single line, 2 raised, 3 sunken (VlTextCapBorder... "
                      "constants).",
       .storedName = "BorderStyle", .field = &C::borderStyle},
      {.dispid = 9, .name = "Padding", .kind = "Single", .defaultValue = Variant::R4(0.0f),
       .description = "The distance from the inside of the border to the text on every side, in the form's "
                      "units; at most Size.",
       .storedName = "Padding", .field = &C::padding, .lo = -kMaxStoredLength, .hi = kMaxStoredLength,
       .atMostSize = true},
  };
  // clang-format on
  return table;
}

}  // namespace vl
