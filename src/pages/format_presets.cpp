#include "pages/format_presets.h"

#include "resources/string_table.h"
#include "value/typed_value.h"

namespace vl::pages {

namespace {

// Each data type's presets are a run of consecutive string-table entries.
struct PresetRun {
  std::uint16_t dataType;
  std::uint32_t first;
  std::uint32_t count;
};

constexpr PresetRun kPresetRuns[] = {
    {VlTextInteger, 560, 9},  {VlTextLong, 580, 9},  {VlTextSingle, 600, 9}, {VlTextDouble, 620, 9},
    {VlTextCurrency, 640, 9}, {VlTextDate, 500, 13}, {VlTextString, 520, 8}, {VlTextByte, 540, 3},
};

}  // namespace

std::vector<std::string> FormatPresets(std::uint16_t dataType) {
  std::vector<std::string> out;
  for (const PresetRun& run : kPresetRuns) {
    if (run.dataType != dataType) continue;
    for (std::uint32_t i = 0; i < run.count; ++i) out.push_back(LoadResourceString(run.first + i));
  }
  return out;
}

}  // namespace vl::pages
