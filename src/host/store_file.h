// Property stores and forms as files: this project's own JSON formats, UTF-8 on disk.
//
//   {"format": "vltext-properties", "version": 1, "entries": [{"name", "kind", "value"}, ...]}
//   {"format": "vltext-form", "version": 1, "boxes": [{"name", "rect": {x, y, w, h}, "entries"}]}
//
// Readers take entries in any order; an entry whose value does not fit its kind is kept as
// malformed (it takes its default when loaded) and reading goes on. A text that is not JSON, or
// not one of these formats, is refused as a whole: the caller's box or form is left untouched.
// A file written by a person may also be in CP932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control/property_store.h"
#include "platform/gdi.h"

namespace vl {

class Form;

// Reading and writing whole files; failures throw AutomationError 75 (file access) with a message
// that names the file.
std::string ReadFileBytes(const std::string& path);
// Writes a new file beside the old one and then puts it in its place, so a failed save leaves the
// old file as it was.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

std::string PropertySetToJson(const PropertySet& store);
// Throws AutomationError 75 when the text is not a property store.
PropertySet PropertySetFromJson(std::string_view bytes);

struct FormFileBox {
  std::string name;  // UTF-8, as the script names the box
  win::RECT rect;
  PropertySet entries;
};

std::string FormFileToJson(const std::vector<FormFileBox>& boxes);
// Throws AutomationError 75 when the text is not a form file. Boxes without a usable name, or
// with a name already taken, are left out; a box without a usable rectangle takes a default one.
std::vector<FormFileBox> FormFileFromJson(std::string_view bytes);

// The boxes of a form with their rectangles and property sets, in tab order.
std::vector<FormFileBox> CaptureForm(Form& form);
// Adds the boxes to the form and loads each one's properties.
void RestoreForm(Form& form, const std::vector<FormFileBox>& boxes);

}  // namespace vl
