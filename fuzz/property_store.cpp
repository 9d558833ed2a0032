// Property stores: any bytes as a store file, read and, when it is a store, loaded into a box.
// Nothing may crash; a refused file must leave the box as it was; what the box then saves must
// read back as a store, and loading that again must change nothing.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "host/form.h"
#include "host/store_file.h"
#include "runtime/automation_error.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

vl::CVlTypedBoxCtrl& Box() {
  static vl::Form* form = [] {
    auto* f = new vl::Form(true);
    f->AddBox("b");
    return f;
  }();
  return form->Boxes().front()->Control();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  vl::CVlTypedBoxCtrl& box = Box();
  box.LoadProperties(vl::PropertySet());
  const vl::PropertySet before = box.SaveProperties();
  vl::PropertySet store;
  try {
    store = vl::PropertySetFromJson(text);
  } catch (const vl::AutomationError&) {
    Check(box.SaveProperties() == before);
    return 0;
  }
  box.LoadProperties(store);
  const vl::PropertySet saved = box.SaveProperties();
  const vl::PropertySet reread = vl::PropertySetFromJson(vl::PropertySetToJson(saved));
  Check(reread == saved);
  box.LoadProperties(reread);
  Check(box.SaveProperties() == saved);
  return 0;
}
