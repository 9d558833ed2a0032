// The text a box shows for a value while it does not have the focus: the type's number text
// through the chosen section, the date pattern with the era table, the mask display and the Null
// text. This is the formatting a person tries before putting a format on a form (`vltext format`,
// `vl.format`); the editors' fitting of a loaded value to the format's capacity is not applied.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "format/era_table.h"
#include "format/format_sections.h"
#include "value/typed_value.h"

namespace vl {

// The plain number text a numeric box edits for a value of its type, and its sign class:
// integers in decimal, Single and Double as "%f" without trailing zeros («12.5», «12.»),
// Currency as its decimal text, Byte from its low 8 bits. Null gives "" and Null.
std::string NumberTextOfValue(std::uint16_t type, const TypedValue& value, SignClass& signClass);

// A number text through its chosen section. A decimal number shown without a format (the chosen
// section empty) keeps a decimal point, so it reads as a decimal: «12» shows «12.».
std::string NumberDisplayText(std::string numberText, SignClass sign, const FormatSectionSet& sections,
                              bool decimalKind);

// The display text of `value` (already of `type`, or Null) through `format`.
std::string DisplayTextForValue(std::uint16_t type, const TypedValue& value, std::string_view format,
                                const EraTable& eras);

}  // namespace vl
