// Form files: any bytes as a form file, read and, when it is one, opened as a new form. Nothing
// may crash, and the form the file makes must save as a form file that reads back with the same
// boxes in the same order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/form.h"
#include "host/store_file.h"
#include "runtime/automation_error.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<vl::FormFileBox> boxes;
  try {
    boxes = vl::FormFileFromJson(text);
  } catch (const vl::AutomationError&) {
    return 0;
  }
  if (boxes.size() > 16) boxes.resize(16);  // each box is a whole control: keep a run quick
  vl::Form form;
  vl::RestoreForm(form, boxes);
  const std::vector<vl::FormFileBox> saved = vl::CaptureForm(form);
  Check(saved.size() == boxes.size());
  const std::vector<vl::FormFileBox> reread = vl::FormFileFromJson(vl::FormFileToJson(saved));
  Check(reread.size() == saved.size());
  for (std::size_t i = 0; i < saved.size(); ++i) {
    Check(reread[i].name == saved[i].name);
    Check(reread[i].entries == saved[i].entries);
  }
  return 0;
}
