// Variant coercion with the automation run time's rules, for the user's (ja-JP) locale.
//
// Integers take the nearest value, a half going to the even neighbour; a value outside the
// target's range is an overflow; a text that does not read as a number or date is a type
// mismatch; True converts to -1 and any nonzero number to True; a Date converts to and from its
// serial number.
#pragma once

#include "runtime/variant.h"

namespace vl {

enum class CoerceStatus {
  Ok,
  Overflow,      // DISP_E_OVERFLOW
  BadVarType,    // DISP_E_BADVARTYPE
  TypeMismatch,  // DISP_E_TYPEMISMATCH
};

// Converts `in` to `target` into `out`. On failure `out` is left untouched.
CoerceStatus ChangeType(const Variant& in, VarType target, Variant& out);

// Text of a number the way the run time writes it: up to 15 significant digits for a Double,
// 7 for a Single, no exponent unless the magnitude needs one ("1E+16", "1.5E-07").
std::string DoubleToText(double value);
std::string SingleToText(float value);

}  // namespace vl
