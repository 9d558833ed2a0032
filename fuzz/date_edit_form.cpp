// The Date box's edit form: any bytes as a Format (up to a zero byte) and an edit text (after it).
// Building the form, rendering fields into it and reading any text back must never crash; a date
// rendered into the form must read back as itself; a typed digit never changes a field's width.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "edit/date_edit_form.h"

namespace {

constexpr vl::DateParts kHeld[] = {
    {100, 1, 1, 0, 0, 0}, {1800, 2, 28, 1, 2, 3}, {1868, 1, 1, 0, 0, 0}, {1989, 1, 7, 23, 59, 59},
    {2000, 2, 29, 12, 0, 0}, {2019, 5, 1, 9, 30, 0}, {9999, 12, 31, 23, 59, 59},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string_view pattern = input.substr(0, split);
  const std::string_view text = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  static const vl::EraTable eras;
  const vl::DateFormatSpec spec = vl::ParseDateFormat(pattern);
  for (const vl::DateParts& held : kHeld) {
    const vl::DateEditForm form = vl::BuildDateEditForm(spec, eras, held);
    if (form.fields.empty()) __builtin_trap();
    vl::DateParts back = held;
    if (!vl::ParseDateEditText(form, vl::RenderDateEditText(form, held, eras), eras, back)) __builtin_trap();
    if (!(back == held)) __builtin_trap();

    vl::DateParts parsed = held;
    vl::ParseDateEditText(form, text, eras, parsed);
    const std::vector<std::string> contents = vl::SplitDateEditText(form, text);
    for (std::size_t i = 0; i < form.fields.size(); ++i) {
      for (char digit : {'0', '1', '2', '3', '9'}) {
        for (int offset = 0; offset < 4; ++offset) {
          const vl::DateDigitEdit edit =
              vl::ApplyDateDigit(form.fields[i].kind, contents[i], offset, digit, parsed.month, false);
          if (edit.accepted && edit.content.size() != contents[i].size() && edit.content.size() != 2) __builtin_trap();
        }
      }
      vl::StepDateField(form.fields[i].kind, held, 1, vl::DateRange{}, eras);
      vl::StepDateField(form.fields[i].kind, held, -7, vl::DateRange{}, eras);
    }
  }
  return 0;
}
