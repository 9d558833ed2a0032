// The caption object's properties (interface IVlTextCaption), one row each in dispatch order:
// what the type library declares and the reference documents, and how persistence stores the
// value. Adding a caption property is one row here plus its field in CaptionProperties.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "control/caption.h"
#include "runtime/variant.h"

namespace vl {

// Ten metres: no caption or control is ever longer, and lengths stay far from overflowing any
// conversion to pixels. A stored length beyond it is no length.
inline constexpr std::int32_t kMaxStoredLength = 1000000;

struct CaptionPropertyInfo {
  std::int32_t dispid;
  const char* name;
  const char* kind;      // "String", "Integer", "Single", "Colour", "Font"
  Variant defaultValue;  // Empty: none until one is given (the font)
  const char* description;
  // Persistence: the entry's name after the side's prefix ("Backolor" is the persisted spelling of
  // BackColor), where the value is stored, and the lengths a loaded entry may hold (Spacing and
  // Padding never exceed the caption's Size); a length outside them loads as 0.
  const char* storedName;
  std::variant<std::string CaptionProperties::*, std::int16_t CaptionProperties::*, std::int32_t CaptionProperties::*,
               std::uint32_t CaptionProperties::*, FontDesc CaptionProperties::*>
      field;
  std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  bool atMostSize = false;
};

const std::vector<CaptionPropertyInfo>& CaptionPropertyTable();

}  // namespace vl
