#include "host/store_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>

#include "host/form.h"
#include "host/host_errors.h"
#include "runtime/automation_error.h"
#include "text/encoding.h"

namespace vl {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kStoreFormat = "vltext-properties";
constexpr const char* kFormFormat = "vltext-form";
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
constexpr int kMaxDepth = 32;

[[noreturn]] void Refuse(const std::string& why) { throw AutomationError(kErrFileAccess, why); }

// The deepest nesting of arrays and objects, counted outside strings: a text nested deeper than
// any file of ours is refused before it is parsed.
int NestingDepth(std::string_view text) {
  int depth = 0, deepest = 0;
  bool inString = false, escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

// The document of a file of the given format, or a refusal.
Json ParseDocument(std::string_view bytes, const char* format, const char* what) {
  if (bytes.size() > kMaxFileBytes) Refuse(std::string("the ") + what + " is too large");
  std::string text(bytes);
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  if (!IsValidUtf8(text)) {
    // Written by a person in the Japanese code page.
    std::string utf8;
    if (!TryCp932ToUtf8(text, utf8)) Refuse(std::string("the ") + what + " is neither UTF-8 nor CP932 text");
    text = std::move(utf8);
  }
  if (NestingDepth(text) > kMaxDepth) Refuse(std::string("the ") + what + " is nested too deeply");
  Json doc = Json::parse(text, nullptr, false);
  if (doc.is_discarded()) Refuse(std::string("the ") + what + " is not JSON");
  if (!doc.is_object()) Refuse(std::string("the ") + what + " is not a JSON object");
  const auto f = doc.find("format");
  if (f == doc.end() || !f->is_string() || f->get<std::string>() != format) {
    Refuse(std::string("the ") + what + " is not a \"" + format + "\" file");
  }
  const auto v = doc.find("version");
  if (v == doc.end() || !v->is_number_integer() || v->get<std::int64_t>() != 1) {
    Refuse(std::string("the ") + what + " has a version this program does not read");
  }
  return doc;
}

std::optional<std::string> Utf8Text(const Json& j) {
  if (!j.is_string()) return std::nullopt;
  std::string cp932;
  if (!TryUtf8ToCp932(j.get_ref<const std::string&>(), cp932)) return std::nullopt;
  return cp932;
}

std::optional<std::int64_t> JsonInteger(const Json& j) {
  if (j.is_number_integer() &&
      !(j.is_number_unsigned() &&
        j.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))) {
    return j.get<std::int64_t>();
  }
  return std::nullopt;
}

StoredValue JsonNumber(const Json& j) {
  if (auto n = JsonInteger(j)) return *n;
  if (j.is_number()) return j.get<double>();
  return std::monostate{};
}

StoredValue ReadFont(const Json& j) {
  StoredFont f;
  for (const auto& [key, v] : j.items()) {
    if (key == "name") {
      f.name = Utf8Text(v);
      if (!f.name) return std::monostate{};
    } else if (key == "size") {
      if (!v.is_number()) return std::monostate{};
      f.size = v.get<double>();
    } else if (key == "bold" || key == "italic" || key == "underline" || key == "strikethrough") {
      if (!v.is_boolean()) return std::monostate{};
      const bool b = v.get<bool>();
      (key == "bold" ? f.bold : key == "italic" ? f.italic : key == "underline" ? f.underline : f.strikethrough) = b;
    } else if (key == "weight" || key == "charset") {
      const auto n = JsonInteger(v);
      if (!n) return std::monostate{};
      (key == "weight" ? f.weight : f.charset) = *n;
    }
  }
  return f;
}

StoredValue ReadPair(const Json& j, const char* first, const char* second) {
  const auto a = j.find(first);
  const auto b = j.find(second);
  if (a == j.end() || b == j.end()) return std::monostate{};
  const auto x = JsonInteger(*a);
  const auto y = JsonInteger(*b);
  if (!x || !y) return std::monostate{};
  return StoredPair{*x, *y};
}

// An entry's value as the store keeps it: by the entry's kind, or by the JSON value's own type
// when the entry names no kind.
StoredValue ReadValue(const Json& j, std::optional<ValueKind> kind) {
  if (j.is_boolean()) return j.get<bool>();
  if (j.is_number()) return JsonNumber(j);
  if (j.is_string()) {
    if (auto s = Utf8Text(j)) return *s;
    return std::monostate{};
  }
  if (!j.is_object()) return std::monostate{};
  if (kind == ValueKind::Version || (!kind && j.contains("major"))) return ReadPair(j, "major", "minor");
  if (kind == ValueKind::Extent || (!kind && j.contains("width"))) return ReadPair(j, "width", "height");
  return ReadFont(j);
}

PropertySet ReadEntries(const Json& entries) {
  PropertySet store;
  if (!entries.is_array()) return store;
  for (const Json& e : entries) {
    if (!e.is_object()) continue;
    const auto name = e.find("name");
    if (name == e.end() || !name->is_string()) continue;  // nothing to give a default to
    PropertyEntry entry;
    entry.name = name->get<std::string>();
    if (const auto kind = e.find("kind"); kind != e.end()) {
      entry.kind = kind->is_string() ? ValueKindFromName(kind->get<std::string>()) : ValueKind::Unknown;
    }
    if (const auto value = e.find("value"); value != e.end()) entry.value = ReadValue(*value, entry.kind);
    store.Add(std::move(entry));
  }
  return store;
}

std::string Utf8Of(const std::string& cp932) {
  std::string utf8;
  if (!TryCp932ToUtf8(cp932, utf8))
    throw AutomationError(kErrInvalidPropertyValue, "a text to save is not valid CP932");
  return utf8;
}

Json WriteValue(const PropertyEntry& e) {
  return std::visit(
      [&](const auto& v) -> Json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return nullptr;
        } else if constexpr (std::is_same_v<T, std::string>) {
          return Utf8Of(v);
        } else if constexpr (std::is_same_v<T, StoredFont>) {
          Json f = Json::object();
          if (v.name) f["name"] = Utf8Of(*v.name);
          if (v.size) f["size"] = *v.size;
          if (v.bold) f["bold"] = *v.bold;
          if (v.italic) f["italic"] = *v.italic;
          if (v.underline) f["underline"] = *v.underline;
          if (v.strikethrough) f["strikethrough"] = *v.strikethrough;
          if (v.weight) f["weight"] = *v.weight;
          if (v.charset) f["charset"] = *v.charset;
          return f;
        } else if constexpr (std::is_same_v<T, StoredPair>) {
          const bool version = e.kind == ValueKind::Version;
          Json p = Json::object();
          p[version ? "major" : "width"] = v.first;
          p[version ? "minor" : "height"] = v.second;
          return p;
        } else {
          return v;
        }
      },
      e.value);
}

Json WriteEntries(const PropertySet& store) {
  Json entries = Json::array();
  for (const PropertyEntry& e : store.Entries()) {
    Json j = Json::object();
    j["name"] = e.name;
    if (e.kind) j["kind"] = ValueKindName(*e.kind);
    j["value"] = WriteValue(e);
    entries.push_back(std::move(j));
  }
  return entries;
}

// One entry a line: a file a person can read and compare.
std::string EntriesText(const Json& entries, const std::string& indent) {
  std::string out = "[";
  for (std::size_t i = 0; i < entries.size(); ++i) out += (i ? ",\n" : "\n") + indent + "  " + entries[i].dump();
  return out + (entries.empty() ? "]" : "\n" + indent + "]");
}

std::optional<int> RectField(const Json& rect, const char* key, int lo, int hi) {
  const auto it = rect.find(key);
  if (it == rect.end()) return std::nullopt;
  const auto n = JsonInteger(*it);
  if (!n || *n < lo || *n > hi) return std::nullopt;
  return static_cast<int>(*n);
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Refuse("cannot open " + path);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) Refuse("cannot read " + path);
  if (static_cast<std::uint64_t>(size) > kMaxFileBytes) Refuse(path + " is too large");
  in.seekg(0);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), size)) Refuse("cannot read " + path);
  return bytes;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) Refuse("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      Refuse("cannot write " + path);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    Refuse("cannot write " + path);
  }
}

std::string PropertySetToJson(const PropertySet& store) {
  return std::string("{\"format\": \"") + kStoreFormat +
         "\", \"version\": 1, \"entries\": " + EntriesText(WriteEntries(store), "") + "}\n";
}

PropertySet PropertySetFromJson(std::string_view bytes) {
  const Json doc = ParseDocument(bytes, kStoreFormat, "property store");
  const auto entries = doc.find("entries");
  if (entries == doc.end() || !entries->is_array()) Refuse("the property store has no list of entries");
  return ReadEntries(*entries);
}

std::string FormFileToJson(const std::vector<FormFileBox>& boxes) {
  std::string out = std::string("{\"format\": \"") + kFormFormat + "\", \"version\": 1, \"boxes\": [";
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const FormFileBox& b = boxes[i];
    const Json rect = Json{{"x", b.rect.left}, {"y", b.rect.top}, {"w", b.rect.Width()}, {"h", b.rect.Height()}};
    out += std::string(i ? ",\n" : "\n") + " {\"name\": " + Json(b.name).dump() + ", \"rect\": " + rect.dump() +
           ", \"entries\": " + EntriesText(WriteEntries(b.entries), " ") + "}";
  }
  return out + (boxes.empty() ? "]}\n" : "\n]}\n");
}

std::vector<FormFileBox> FormFileFromJson(std::string_view bytes) {
  const Json doc = ParseDocument(bytes, kFormFormat, "form file");
  const auto boxes = doc.find("boxes");
  if (boxes == doc.end() || !boxes->is_array()) Refuse("the form file has no list of boxes");
  std::vector<FormFileBox> out;
  int row = 0;
  for (const Json& b : *boxes) {
    if (!b.is_object()) continue;
    const auto name = b.find("name");
    if (name == b.end() || !name->is_string() || name->get_ref<const std::string&>().empty()) continue;
    FormFileBox box;
    box.name = name->get<std::string>();
    if (!IsValidUtf8(box.name)) continue;
    bool taken = false;
    for (const FormFileBox& o : out) taken = taken || o.name == box.name;
    if (taken) continue;
    // A box without a usable rectangle goes on the next row, as a box added without one.
    box.rect = win::RECT{8, 8 + row * 30, 168, 32 + row * 30};
    ++row;
    if (const auto rect = b.find("rect"); rect != b.end() && rect->is_object()) {
      const auto x = RectField(*rect, "x", -32768, 32767), y = RectField(*rect, "y", -32768, 32767);
      const auto w = RectField(*rect, "w", 0, 32767), h = RectField(*rect, "h", 0, 32767);
      if (x && y && w && h) box.rect = win::RECT{*x, *y, *x + *w, *y + *h};
    }
    if (const auto entries = b.find("entries"); entries != b.end()) box.entries = ReadEntries(*entries);
    out.push_back(std::move(box));
  }
  return out;
}

std::vector<FormFileBox> CaptureForm(Form& form) {
  std::vector<FormFileBox> out;
  for (const auto& site : form.Boxes()) {
    CVlTypedBoxCtrl& control = site->Control();
    FormFileBox box;
    box.name = site->Name();
    box.rect = form.WindowSystem().GetWindowRect(control.Handle());
    box.entries = control.SaveProperties();
    out.push_back(std::move(box));
  }
  return out;
}

void RestoreForm(Form& form, const std::vector<FormFileBox>& boxes) {
  for (const FormFileBox& b : boxes) {
    if (form.FindBox(b.name) != nullptr || form.ButtonWindow(b.name) != win::kNoWindow) continue;
    CVlTypedBoxCtrl& control = form.AddBox(b.name, b.rect);
    control.LoadProperties(b.entries);
    // The rectangle is the form's: the size the box's own extent asked for does not move it.
    form.MoveBox(control, b.rect);
  }
}

}  // namespace vl
