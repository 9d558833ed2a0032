// Fuzz target: numeric `Format` strings, as a host or a property store may hand them in.
//
// Input: a format string, optionally followed by a NUL byte and a number text. The format is cut
// into sections, parsed, and a handful of number texts (the one given and a fixed spread) are
// shown through it in every sign class, by the one-shot path and the parsed-once path.
// Checked: no crash or sanitizer report, both paths agree, and the display text stays bounded by
// the size of its inputs.
#include "format/number_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/format_sections.h"
#include "format/number_display.h"
#include "format/number_round.h"

namespace {

constexpr std::string_view kNumbers[] = {
    "0", "-1234.5678", "0.005", "9.995", "12345678901234567890", "-0.0001", "+7", "", ".", "1.2.3",
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void ShowThrough(const vl::FormatSectionSet& sections, const vl::NumberDisplayFormat& parsed,
                 std::string_view format, std::string_view number) {
  const std::size_t bound = 2 * format.size() + number.size() + 2048;
  for (vl::SignClass signClass : {vl::SignClass::Positive, vl::SignClass::Negative,
                                  vl::SignClass::Zero, vl::SignClass::Null}) {
    const std::string oneShot = vl::FormatNumberForDisplay(number, signClass, sections);
    Check(oneShot == parsed.Format(number, signClass));
    Check(oneShot.size() <= bound);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string_view format = input.substr(0, nul);
  const std::string_view number =
      nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);

  // Cutting keeps every byte that is not a separator.
  std::size_t kept = 0;
  for (const std::string& section : vl::SplitFormatSections(format)) {
    kept += section.size();
    vl::NumberFormatSpec spec;
    vl::ParseNumberFormat(section, spec);
    Check(spec.intDigits >= 0 && spec.fracDigits >= 0);
    Check(spec.MinIntDigits() <= spec.intDigits && spec.MinFracDigits() <= spec.fracDigits);
    const vl::NumberFormatCapacity capacity = vl::GetNumberFormatCapacity(section);
    Check(capacity.intDigits >= -1 && capacity.fracDigits >= -1);
  }
  Check(kept <= format.size());

  const vl::StringFormatParts stringParts = vl::SplitStringFormat(format);
  Check(vl::JoinStringFormat(stringParts).size() <= format.size() + 1);

  const vl::FormatSectionSet sections = vl::MakeFormatSectionSet(format);
  const vl::NumberDisplayFormat parsed(sections);
  ShowThrough(sections, parsed, format, number);
  for (std::string_view fixed : kNumbers) ShowThrough(sections, parsed, format, fixed);

  std::string rounded;
  const std::int32_t digits = format.empty() ? 2 : static_cast<unsigned char>(format[0]) % 40;
  if (vl::RoundDecimalText(number, digits, rounded)) {
    Check(rounded.size() <= vl::kMaxRoundedTextLength);
  }
  return 0;
}
