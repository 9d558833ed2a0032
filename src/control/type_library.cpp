#include "control/type_library.h"

namespace vl {

const std::vector<std::pair<const char*, std::int32_t>>& TypeLibraryConstants() {
  static const std::vector<std::pair<const char*, std::int32_t>> constants = {
      // VlTextDataTypeConstants
      {"VlTextInteger", 2}, {"VlTextLong", 3}, {"VlTextSingle", 4}, {"VlTextDouble", 5}, {"VlTextCurrency", 6},
      {"VlTextDate", 7}, {"VlTextString", 8}, {"VlTextBoolean", 11}, {"VlTextByte", 17},
      // VlTextIMEModeConstants
      {"VlTextIMENoOp", 0}, {"VlTextIMEOn", 1}, {"VlTextIMEOff", 2}, {"VlTextIMEDisable", 3},
      {"VlTextIMEHiragana", 4}, {"VlTextIMEKatakanaDbl", 5}, {"VlTextIMEKatakanaSng", 6},
      {"VlTextIMEAlphaDbl", 7}, {"VlTextIMEAlphaSng", 8},
      // VlTextFuriganaTypeConstants
      {"VlTextHanKata", 0}, {"VlTextZenKata", 1}, {"VlTextHira", 2},
      // Caption directions, alignments and borders
      {"VlTextCapLeft", 0}, {"VlTextCapRight", 1}, {"VlTextCapTop", 2}, {"VlTextCapBottom", 3},
      {"VlTextCapAlignTopLeft", 0}, {"VlTextCapAlignTopCenter", 1}, {"VlTextCapAlignTopRight", 2},
      {"VlTextCapAlignMiddleLeft", 3}, {"VlTextCapAlignMiddleCenter", 4}, {"VlTextCapAlignMiddleRight", 5},
      {"VlTextCapAlignBottomLeft", 6}, {"VlTextCapAlignBottomCenter", 7}, {"VlTextCapAlignBottomRight", 8},
      {"VlTextCapBorderNone", 0}, {"VlTextCapBorderSimple", 1}, {"VlTextCapBorderRaised", 2},
      {"VlTextCapBorderSunken", 3},
  };
  return constants;
}

}  // namespace vl
