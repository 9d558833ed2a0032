// Era profiles: any bytes as the profile file (given the era section header when they do not
// start with a header of their own), loaded into an era table that then formats dates and answers
// the date editor's lookups. Nothing may crash, the table must stay sorted by start with no empty
// text, and every era must be found again by its own texts.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "format/date_format.h"
#include "format/era_table.h"
#include "runtime/date_serial.h"

namespace {

// One scratch file per fuzzing process, removed when the process ends.
struct ScratchFile {
  std::string path = "/tmp/vl_fuzz_era_profile_" + std::to_string(::getpid()) + ".ini";
  ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& ProfilePath() {
  static const ScratchFile file;
  return file.path;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string file(reinterpret_cast<const char*>(data), size);
  if (file.empty() || file.front() != '[') file.insert(0, "[Velbrin/OCX Eras]\n");
  {
    std::FILE* out = std::fopen(ProfilePath().c_str(), "wb");
    if (!out) return 0;
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
  }

  vl::EraTable table;
  const bool loaded = table.LoadEraProfile(ProfilePath());
  Check(loaded == table.profileLoaded());
  const auto& eras = table.eras();
  if (!loaded) Check(eras.size() == 5);
  std::size_t lineCount = 1;
  for (char c : file) lineCount += (c == '\n' || c == '\r') ? 1 : 0;
  Check(eras.size() <= 5 + lineCount);  // each line adds at most one era

  static const vl::DateFormatSpec spec = vl::ParseDateFormat("ggg gg g ee e yyyy/mm/dd");
  for (std::size_t i = 0; i < eras.size(); ++i) {
    const vl::EraEntry& era = eras[i];
    Check(!era.name.empty() && !era.shortName.empty() && !era.letter.empty() && era.start.valid);
    if (i > 0) Check(table.EraStartYear(static_cast<int>(i) - 1) <= table.EraStartYear(static_cast<int>(i)));
    for (vl::EraForm form : {vl::EraForm::Name, vl::EraForm::ShortName, vl::EraForm::Letter}) {
      const int index = table.EraIndexByText(form, era.Text(form));
      Check(index >= 0 && index <= static_cast<int>(i));
      (void)table.NextEraText(form, era.Text(form));
      (void)table.PreviousEraText(form, era.Text(form));
      (void)table.EraByLetter(form, era.letter);
      (void)table.GregorianYearFromEra(form, era.Text(form), 1);
    }
    for (double delta : {-1.0, 0.0, 0.5, 400.0}) {
      const double date = era.start.serial + delta;
      const auto text = vl::FormatDateTime(date, spec, false, table);
      Check(text.has_value() == vl::IsValidDateSerial(date));
      if (const auto fields = vl::SerialToFields(date)) {
        (void)table.EraPartsOfDate(fields->year, fields->month, fields->day, vl::EraForm::Letter);
      }
    }
  }
  return 0;
}
