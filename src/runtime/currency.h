// Currency: signed 64-bit counts of ten-thousandths, parsed and written exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/variant.h"

namespace vl {

enum class CurrencyParse { Ok, Overflow, NotANumber };

// Reads a decimal text ("-12.3456", " 1,234.5 ", "+7", "1e3") without going through a double, so
// the extremes "-922337203685477.5808" and "922337203685477.5807" are exact. More than four
// decimals round half to even.
CurrencyParse ParseCurrency(std::string_view text, Currency& out);

// Shortest plain decimal text: "-12.3456", "12.5", "12", "0".
std::string CurrencyToText(Currency value);

}  // namespace vl
