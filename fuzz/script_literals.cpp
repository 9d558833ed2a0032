// Fuzz target: the literals a script hands the host — text crossing the UTF-8 / CP932 boundary,
// and the dates, currency amounts and numbers read from it (vl.Date("..."), vl.Currency("..."),
// a text written to Value, LowerValue or DefaultValue of a typed box).
//
// Input: any bytes, taken as the script's UTF-8 text and, unconverted, as the component's CP932.
// Checked: no crash or sanitizer report; a text that converts comes back to the same text after
// one more round; a date read is a valid serial that gives its fields back; a currency amount
// read is written and read back to the same amount; a conversion that succeeds gives its type.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/coerce.h"
#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "runtime/number_parse.h"
#include "text/encoding.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void Dates(std::string_view cp932) {
  const std::optional<double> serial = vl::ParseDateText(cp932);
  if (!serial) return;
  Check(vl::IsValidDateSerial(*serial));
  const std::optional<vl::DateTimeFields> f = vl::SerialToFields(*serial);
  Check(f.has_value());
  const std::optional<double> back = vl::FieldsToSerial(f->year, f->month, f->day, f->hour, f->minute, f->second);
  Check(back.has_value() && std::fabs(std::fabs(*back) - std::fabs(*serial)) < 1.0 / 86400 + 1e-9);
}

void Amounts(std::string_view text) {
  vl::Currency amount{};
  if (vl::ParseCurrency(text, amount) != vl::CurrencyParse::Ok) return;
  vl::Currency again{};
  Check(vl::ParseCurrency(vl::CurrencyToText(amount), again) == vl::CurrencyParse::Ok);
  Check(again == amount);
}

void Numbers(std::string_view text) {
  const std::optional<vl::DecimalNumber> n = vl::ParseDecimalNumber(text);
  if (!n) return;
  Check(n->digits.empty() || n->digits[0] != '0');
  std::int64_t scaled = 0;
  vl::ScaleToInt64(*n, 0, scaled);
  vl::ScaleToInt64(*n, 4, scaled);
  double d = 0;
  if (vl::ToDouble(*n, d) == vl::ScaleStatus::Ok) Check(std::isfinite(d));
}

// A text written to a typed property: the run time's coercion to each data type, and back.
void Coercions(const std::string& cp932) {
  const vl::Variant text = vl::Variant::Bstr(cp932);
  for (vl::VarType type : {vl::VarType::I2, vl::VarType::I4, vl::VarType::R4, vl::VarType::R8, vl::VarType::Cy,
                           vl::VarType::Date, vl::VarType::Bool, vl::VarType::UI1}) {
    vl::Variant out;
    if (vl::ChangeType(text, type, out) != vl::CoerceStatus::Ok) continue;
    Check(out.Type() == type);
    vl::Variant shown;
    Check(vl::ChangeType(out, vl::VarType::Bstr, shown) == vl::CoerceStatus::Ok);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // Into the component: a text converts completely or not at all, and converts stably.
  std::string cp932;
  if (vl::TryUtf8ToCp932(input, cp932)) {
    Check(vl::IsValidUtf8(input));
    std::string utf8;
    Check(vl::TryCp932ToUtf8(cp932, utf8));
    Check(vl::IsValidUtf8(utf8));
    std::string cp932Again, utf8Again;
    Check(vl::TryUtf8ToCp932(utf8, cp932Again));
    Check(vl::TryCp932ToUtf8(cp932Again, utf8Again));
    Check(utf8Again == utf8);
    Dates(cp932);
    Coercions(cp932);
  }
  // Out of the component: what converts is valid UTF-8.
  std::string out;
  if (vl::TryCp932ToUtf8(input, out)) Check(vl::IsValidUtf8(out));
  // Files people write come in either encoding.
  (void)vl::PeopleFileTextToCp932(input);

  // vl.Currency reads the script's bytes as they are; the coercions read them as CP932.
  Amounts(input);
  Numbers(input);
  Dates(input);
  return 0;
}
