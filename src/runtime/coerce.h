// Variant coercion with the automation run time's rules, for the user's (ja-JP) locale.
//
// Integers take the nearest value, a half going to the even neighbour; a value outside the
// target's range is an overflow; a text that does not read as a number or date is a type
// mismatch; True converts to -1 and any nonzero number to True; a Date converts to and from its
// serial number.
//
// Details a caller may lean on:
// - Empty converts to 0, the empty text, False, the serial 0 or Null; Null converts only to
//   Null; objects and error values convert to nothing (type mismatch); a target this run time
//   has no payload for (Decimal, an unknown code) is a bad variant type.
// - Text reads as a number with surrounding spaces, a sign, "," grouping, "." decimals, an
//   exponent ("1.5e3") or as "&H1F" / "&O17"; as a Boolean it may also be "True" or "False" in any
//   case; as a Date it is read by ParseDateText.
// - A Double or Single becomes a Currency by rounding the value as it is written (its shortest
//   text) half to even at four decimals: 1.00005 gives 1.0000 and 1.00015 gives 1.0002.
// - A number becomes a Date only inside the valid date range (else overflow).
// - Text of a Date: "yyyy/MM/dd", then " H:mm:ss" when there is a time of day; a serial on day
//   zero (1899-12-30) is written as the time alone: "2000/01/02 3:04:05", "12:00:00". An invalid
//   serial has no text (overflow).
// - Nothing here depends on the process locale.
#pragma once

#include <string>

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

// Text of a number the way the run time writes it: rounded to 15 significant digits for a
// Double, 7 for a Single, without trailing zeros or a point on integral values; in exponent form
// when the decimal exponent is below -4 or reaches the digit count ("1E+15", "1.5E-07",
// "1.23456789012346E+15"), plain otherwise ("123456789012345", "0.0001").
std::string DoubleToText(double value);
std::string SingleToText(float value);

}  // namespace vl
