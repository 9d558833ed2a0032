// Rows of number display cases, shared by the display tests and the preset tests: each runs
// through the one-shot FormatNumberForDisplay and through a NumberDisplayFormat parsed once, and
// the two must agree (the test itself is in number_display_test.cpp).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "format/number_display.h"

namespace vl::display_test {

struct DisplayRow {
  const char* name;
  std::string format;  // UTF-8
  std::string number;
  SignClass signClass;
  std::string expected;  // UTF-8
};

class DisplayTest : public ::testing::TestWithParam<DisplayRow> {};

inline constexpr SignClass kPos = SignClass::Positive;
inline constexpr SignClass kNeg = SignClass::Negative;
inline constexpr SignClass kZero = SignClass::Zero;
inline constexpr SignClass kNull = SignClass::Null;

inline std::string RowName(const ::testing::TestParamInfo<DisplayRow>& info) { return info.param.name; }

}  // namespace vl::display_test
