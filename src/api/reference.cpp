// What a caller can ask without a form: display texts, the string table, the type library's
// constants, the property and event tables, key names.
#include "format/display_text.h"
#include "format/era_table.h"
#include "resources/string_table.h"
#include "value/typed_value.h"
#include "value/value_exception.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

std::string FormatValue(const TypedValue& value, std::string_view format, DataType type,
                        const std::string& eraProfile) {
  detail::HostVariant v = detail::ToHost(value);
  const std::string cp932Format = detail::ToCp932(format);
  const auto code = static_cast<std::uint16_t>(type == DataType::Empty ? value.Type() : type);
  if (!IsDataType(code)) {
    detail::Throw(380, value.IsNull() || value.IsEmpty() ? "a Null value needs its data type"
                                                         : "the type is none of the nine data types");
  }
  VirtualClock clock;
  try {
    ConvertTypedValue(code, v, true, clock);
  } catch (const CVlValueException&) {
    detail::Throw(380, "the value cannot be converted to the data type");
  }
  EraTable eras;
  if (!eraProfile.empty()) eras.LoadEraProfile(eraProfile);
  return detail::ToUtf8(DisplayTextForValue(code, v, cp932Format, eras));
}

std::optional<std::string> ResourceString(std::int32_t id) {
  if (id < 0 || id > 0xFFFF || !HasResourceString(static_cast<std::uint32_t>(id))) return std::nullopt;
  return detail::ToUtf8(LoadResourceString(static_cast<std::uint32_t>(id)));
}

const std::vector<NamedConstant>& TypeLibraryConstants() {
  static const std::vector<NamedConstant> constants = [] {
    std::vector<NamedConstant> out;
    for (const auto& [name, value] : ::vl::host_names::HostConstants()) out.push_back(NamedConstant{name, value});
    return out;
  }();
  return constants;
}

namespace {

PropertyKind KindOf(PropKind kind) {
  switch (kind) {
    case PropKind::Text:
      return PropertyKind::Text;
    case PropKind::Bool:
      return PropertyKind::Boolean;
    case PropKind::Int:
      return PropertyKind::Integer;
    case PropKind::Float:
      return PropertyKind::Float;
    case PropKind::Colour:
      return PropertyKind::Colour;
    case PropKind::Variant:
      return PropertyKind::Value;
    case PropKind::Font:
      return PropertyKind::Font;
    case PropKind::Object:
      return PropertyKind::Object;
  }
  return PropertyKind::Object;
}

}  // namespace

const std::vector<PropertyDescriptor>& Properties() {
  static const std::vector<PropertyDescriptor> table = [] {
    std::vector<PropertyDescriptor> out;
    for (const PropertyInfo& p : PropertyTable()) out.push_back(PropertyDescriptor{p.name, p.dispid, KindOf(p.kind)});
    return out;
  }();
  return table;
}

const PropertyDescriptor* FindProperty(std::string_view name) {
  for (const PropertyDescriptor& p : Properties()) {
    if (name == p.name) return &p;
  }
  return nullptr;
}

const PropertyDescriptor* FindProperty(std::int32_t dispid) {
  for (const PropertyDescriptor& p : Properties()) {
    if (dispid == p.dispid) return &p;
  }
  return nullptr;
}

const std::vector<std::string>& EventNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const EventInfo& e : EventTable()) out.emplace_back(e.name);
    return out;
  }();
  return names;
}

const char* CursorName(Cursor cursor) noexcept {
  static constexpr const char* kNames[] = {"arrow", "ibeam", "sizewe", "sizens", "sizenwse", "sizenesw"};
  const auto i = static_cast<std::size_t>(cursor);
  return i < std::size(kNames) ? kNames[i] : "arrow";
}

namespace {

int NamedKey(std::string_view name) {
  struct Named {
    const char* name;
    int vk;
  };
  static constexpr Named kNames[] = {
      {"Enter", keys::kReturn}, {"Tab", keys::kTab},       {"Backspace", keys::kBack}, {"Escape", keys::kEscape},
      {"Space", keys::kSpace},  {"PageUp", keys::kPrior},  {"PageDown", keys::kNext},  {"End", keys::kEnd},
      {"Home", keys::kHome},    {"Left", keys::kLeft},     {"Up", keys::kUp},          {"Right", keys::kRight},
      {"Down", keys::kDown},    {"Insert", keys::kInsert}, {"Delete", keys::kDelete},  {"Shift", keys::kShift},
      {"Ctrl", keys::kControl}, {"Alt", keys::kMenu},
  };
  for (const Named& n : kNames) {
    if (name == n.name) return n.vk;
  }
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) return name[0];
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
    int n = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return 0;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 12) return keys::kF1 + n - 1;
  }
  return 0;
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::string_view text) {
  KeyChord chord;
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = text.find('+', start);
    const std::string_view part =
        text.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
    if (plus == std::string_view::npos) {
      chord.key = NamedKey(part);
      if (chord.key == 0) return std::nullopt;
      return chord;
    }
    if (part == "Shift") {
      chord.modifiers.push_back(keys::kShift);
    } else if (part == "Ctrl") {
      chord.modifiers.push_back(keys::kControl);
    } else if (part == "Alt") {
      chord.modifiers.push_back(keys::kMenu);
    } else {
      return std::nullopt;
    }
    start = plus + 1;
  }
}

}  // namespace vl::v1
