// A box's property set and whole forms as files, over the control's persistence and the host's
// store files.
#include "control/property_store.h"
#include "host/store_file.h"
#include "text/encoding.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

using detail::FormState;
using detail::HostForm;
using detail::Throw;
using detail::ToUtf8;

namespace {

using HostSet = ::vl::PropertySet;
using HostEntry = ::vl::PropertyEntry;
using HostFont = ::vl::StoredFont;
using HostPair = ::vl::StoredPair;
using HostValue = ::vl::StoredValue;

// A text of the caller's; one the component cannot hold makes its entry malformed.
std::optional<std::string> Cp932(const std::string& utf8) {
  std::string cp932;
  if (!TryUtf8ToCp932(utf8, cp932)) return std::nullopt;
  return cp932;
}

HostValue ToHostValue(const StoreValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    std::optional<std::string> cp932 = Cp932(*text);
    if (!cp932) return std::monostate{};
    return *cp932;
  }
  if (const auto* font = std::get_if<StoreFont>(&value)) {
    HostFont f{std::nullopt,    font->size,          font->bold,   font->italic,
               font->underline, font->strikethrough, font->weight, font->charset};
    if (font->name) {
      f.name = Cp932(*font->name);
      if (!f.name) return std::monostate{};
    }
    return f;
  }
  if (const auto* pair = std::get_if<StorePair>(&value)) return HostPair{pair->first, pair->second};
  if (const auto* n = std::get_if<std::int64_t>(&value)) return *n;
  if (const auto* x = std::get_if<double>(&value)) return *x;
  if (const auto* b = std::get_if<bool>(&value)) return *b;
  return std::monostate{};
}

StoreValue FromHostValue(const HostValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return ToUtf8(*text);
  if (const auto* font = std::get_if<HostFont>(&value)) {
    StoreFont f{std::nullopt,    font->size,          font->bold,   font->italic,
                font->underline, font->strikethrough, font->weight, font->charset};
    if (font->name) f.name = ToUtf8(*font->name);
    return f;
  }
  if (const auto* pair = std::get_if<HostPair>(&value)) return StorePair{pair->first, pair->second};
  if (const auto* n = std::get_if<std::int64_t>(&value)) return *n;
  if (const auto* x = std::get_if<double>(&value)) return *x;
  if (const auto* b = std::get_if<bool>(&value)) return *b;
  return std::monostate{};
}

HostSet ToHostSet(const PropertyStore& store) {
  HostSet set;
  for (const StoreEntry& e : store) {
    HostEntry entry;
    entry.name = e.name;
    if (e.kind) entry.kind = ValueKindFromName(*e.kind);
    entry.value = ToHostValue(e.value);
    set.Add(std::move(entry));
  }
  return set;
}

PropertyStore FromHostSet(const HostSet& set) {
  PropertyStore store;
  for (const HostEntry& e : set.Entries()) {
    StoreEntry entry;
    entry.name = e.name;
    if (e.kind) entry.kind = ValueKindName(*e.kind);
    entry.value = FromHostValue(e.value);
    store.push_back(std::move(entry));
  }
  return store;
}

// File access outside a form's call: automation errors become vl::Error.
template <typename Work>
decltype(auto) Translated(Work&& work) {
  try {
    return work();
  } catch (const AutomationError& e) {
    throw detail::ToError(e);
  }
}

}  // namespace

PropertyStore Box::SaveProperties() const {
  if (!form_) Throw(5, "the form is closed");
  FormState& state = *form_;
  return state.Run([&](HostForm&) { return FromHostSet(state.Control(name_).SaveProperties()); });
}

void Box::LoadProperties(const PropertyStore& store) {
  if (!form_) Throw(5, "the form is closed");
  FormState& state = *form_;
  const HostSet set = ToHostSet(store);
  state.Run([&](HostForm& f) {
    state.Control(name_).LoadProperties(set);
    f.PumpMessages();
  });
}

void Box::LoadPropertiesFile(const std::string& path) {
  if (!form_) Throw(5, "the form is closed");
  FormState& state = *form_;
  state.Run([&](HostForm& f) {
    CVlTypedBoxCtrl& control = state.Control(name_);
    // The whole file is read and checked before the box is touched.
    const HostSet set = PropertySetFromJson(ReadFileBytes(path));
    control.LoadProperties(set);
    f.PumpMessages();
  });
}

void Box::SavePropertiesFile(const std::string& path) {
  if (!form_) Throw(5, "the form is closed");
  FormState& state = *form_;
  state.Run([&](HostForm&) {
    BoxSite& site = state.Site(name_);
    WriteFileReplacing(path, PropertySetToJson(site.Control().SaveProperties()));
    // What is saved is no longer a change.
    site.SetModifiedFlag(false);
  });
}

void Form::SaveFile(const std::string& path) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    WriteFileReplacing(path, FormFileToJson(CaptureForm(f)));
    for (const auto& site : f.Boxes()) site->SetModifiedFlag(false);
  });
}

Form Form::LoadFile(const std::string& path, const FormOptions& options) {
  // The file is read and checked before any form is made.
  const std::vector<FormFileBox> boxes = Translated([&] { return FormFileFromJson(ReadFileBytes(path)); });
  Form form(options);
  form.state_->Run([&](HostForm& f) {
    RestoreForm(f, boxes);
    for (const auto& site : f.Boxes()) site->SetModifiedFlag(false);
    f.PumpMessages();
  });
  return form;
}

}  // namespace vl::v1
