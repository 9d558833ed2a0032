#include "runtime/currency.h"

#include "runtime/number_parse.h"

namespace vl {

CurrencyParse ParseCurrency(std::string_view text, Currency& out) {
  const auto number = ParseDecimalNumber(text);
  if (!number) return CurrencyParse::NotANumber;
  std::int64_t units = 0;
  if (ScaleToInt64(*number, 4, units) != ScaleStatus::Ok) return CurrencyParse::Overflow;
  out.value = units;
  return CurrencyParse::Ok;
}

std::string CurrencyToText(Currency value) {
  const bool negative = value.value < 0;
  // Unsigned, so that the most negative count has a magnitude too.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value.value) : static_cast<std::uint64_t>(value.value);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 10000);
  auto fraction = static_cast<unsigned>(magnitude % 10000);
  if (fraction != 0) {
    std::string decimals = std::to_string(fraction + 10000).substr(1);  // four digits, zero-padded
    decimals.erase(decimals.find_last_not_of('0') + 1);
    text += '.';
    text += decimals;
  }
  return text;
}

}  // namespace vl
