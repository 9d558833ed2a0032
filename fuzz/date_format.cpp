// Date patterns: any bytes as a pattern, tokenized and then used to format dates across the
// valid range. Nothing may crash, a valid date must always format, an invalid one never, and the
// text must stay within a fixed multiple of the pattern's length.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "format/date_format.h"
#include "format/era_table.h"
#include "runtime/date_serial.h"

namespace {

// 100-01-01, 1800-01-01, 1868-01-01 06:00, 1899-12-30, 1989-01-07/08, 2019-04-30/05-01 with
// times, 2118-12-31 and 9999-12-31 23:59:59.
constexpr double kSerials[] = {vl::kMinDateSerial, -36522.0, -11687.25, 0.0,      32515.0,
                               32516.5,            43585.999, 43586.0,  79988.75, vl::kMaxDateSerial};

// No token writes more than this many bytes ("c": "9999/12/31 23:59:59").
constexpr std::size_t kLongestTokenText = 32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view pattern(reinterpret_cast<const char*>(data), size);
  const vl::DateFormatSpec spec = vl::ParseDateFormat(pattern);

  // Every token takes at least one byte of the pattern and literals are copied from it.
  std::size_t literalBytes = spec.leadingLiteral.size();
  for (const vl::DateToken& t : spec.tokens) literalBytes += t.literalAfter.size();
  if (literalBytes + spec.tokens.size() > size) __builtin_trap();

  static const vl::EraTable eras;
  const bool twelve = vl::UsesTwelveHourClock(spec);
  for (double serial : kSerials) {
    const auto text = vl::FormatDateTime(serial, spec, twelve, eras);
    if (!text) __builtin_trap();
    if (text->size() > literalBytes + spec.tokens.size() * kLongestTokenText) __builtin_trap();
  }
  for (double bad : {vl::kMaxDateSerial + 1.0, vl::kMinDateSerial - 1.0, std::nan("")}) {
    if (vl::FormatDateTime(bad, spec, twelve, eras)) __builtin_trap();
  }
  return 0;
}
