#include "pages/property_page.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "control/typed_box_ctrl.h"
#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"
#include "text/encoding.h"

namespace vl::pages {

namespace {

constexpr std::uint32_t kMsgCannotConvert = 1102;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

Variant Coerced(const Variant& v, VarType type) {
  Variant out;
  return ChangeType(v, type, out) == CoerceStatus::Ok ? out : Variant();
}

}  // namespace

std::optional<std::int64_t> ParseInteger(const std::string& text) {
  const std::string t = Trimmed(text);
  if (t.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(t.c_str(), &end, 10);
  if (errno != 0 || end == t.c_str() || *end != '\0') return std::nullopt;
  return static_cast<std::int64_t>(v);
}

std::optional<double> ParseDecimal(const std::string& text) {
  const std::string t = Trimmed(text);
  if (t.empty()) return std::nullopt;
  // Only plain decimal numbers: no hexadecimal, infinity or NaN spellings.
  for (char c : t) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (errno != 0 || end == t.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string FormatFloat(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(value));
  return buffer;
}

std::string FormatLong(std::int64_t value) { return std::to_string(value); }

// ---------------------------------------------------------------------------------------------

PropertyPage::PropertyPage(std::string title, const std::vector<FieldRow>& rows) : title_(std::move(title)) {
  for (const FieldRow& r : rows) {
    PageField f;
    f.id = r.id;
    f.kind = r.kind;
    f.label = Cp932Literal(r.label);
    for (const char* item : r.items) f.items.push_back(Cp932Literal(item));
    fields_.push_back(std::move(f));
    if (r.dispid != 0) bindings_.push_back(Binding{r.id, r.dispid, r.how});
    if (r.dispid != 0 && (r.how == Exchange::Int || r.how == Exchange::Short || r.how == Exchange::Float)) {
      numbers_[r.id] = r.how;
    }
  }
}

const PageField* PropertyPage::Find(int id) const {
  for (const auto& [alias, target] : aliases_) {
    if (alias == id) id = target;
  }
  for (const PageField& f : fields_) {
    if (f.id == id) return &f;
  }
  return nullptr;
}

PageField& PropertyPage::Field(int id) {
  return const_cast<PageField&>(static_cast<const PropertyPage&>(*this).Field(id));
}

const PageField& PropertyPage::Field(int id) const {
  const PageField* f = Find(id);
  if (f == nullptr) throw std::logic_error("a page has no field " + std::to_string(id));
  return *f;
}

void PropertyPage::Notify(int id) {
  if (listener_) listener_(id);
}

void PropertyPage::SetText(int id, std::string text) {
  PageField& f = Field(id);
  if (f.text == text) return;
  f.text = std::move(text);
  Notify(f.id);
}

void PropertyPage::SetItems(int id, std::vector<std::string> items) {
  PageField& f = Field(id);
  f.items = std::move(items);
  f.selected = -1;
  Notify(f.id);
}

void PropertyPage::Select(int id, int index) {
  PageField& f = Field(id);
  const int valid = index >= 0 && index < static_cast<int>(f.items.size()) ? index : -1;
  if (f.selected == valid &&
      (valid < 0 || f.kind != FieldKind::Combo || f.text == f.items[static_cast<std::size_t>(valid)]))
    return;
  f.selected = valid;
  // Choosing an item of a combo box puts its text into the edit part.
  if (f.kind == FieldKind::Combo && valid >= 0) f.text = f.items[static_cast<std::size_t>(valid)];
  Notify(f.id);
}

void PropertyPage::SetChecked(int id, bool on) {
  PageField& f = Field(id);
  if (f.checked == on) return;
  f.checked = on;
  Notify(f.id);
}

void PropertyPage::Enable(int id, bool on) {
  PageField& f = Field(id);
  if (f.enabled == on) return;
  f.enabled = on;
  Notify(f.id);
}

void PropertyPage::ShowMessage(std::uint32_t stringId) {
  if (services_ != nullptr) services_->ShowMessage(LoadResourceString(stringId));
}

bool PropertyPage::Usable(int id, FieldKind a, FieldKind b) const {
  const PageField* f = Find(id);
  return f != nullptr && f->enabled && (f->kind == a || f->kind == b);
}

// --- What the user does --------------------------------------------------------------------------

bool PropertyPage::Type(int id, const std::string& text) {
  if (!Usable(id, FieldKind::Edit, FieldKind::Combo)) return false;
  PageField& f = Field(id);
  if (f.text == text) return true;
  f.text = text;
  // Typed text no longer names an item unless it is exactly one.
  if (f.kind == FieldKind::Combo) {
    f.selected = -1;
    for (std::size_t i = 0; i < f.items.size(); ++i) {
      if (f.items[i] == text) f.selected = static_cast<int>(i);
    }
  }
  Notify(f.id);
  OnTyped(f.id);
  return true;
}

bool PropertyPage::Choose(int id, int index) {
  if (!Usable(id, FieldKind::DropList, FieldKind::Combo)) return false;
  PageField& f = Field(id);
  if (index < 0 || index >= static_cast<int>(f.items.size())) return false;
  Select(f.id, index);
  OnChosen(f.id);
  return true;
}

bool PropertyPage::Check(int id, bool on) {
  if (!Usable(id, FieldKind::Check)) return false;
  PageField& f = Field(id);
  if (f.checked == on) return true;
  SetChecked(f.id, on);
  OnChecked(f.id);
  return true;
}

bool PropertyPage::Click(int id) {
  if (!Usable(id, FieldKind::Button)) return false;
  OnClicked(Field(id).id);
  return true;
}

void PropertyPage::Leave(int id) {
  const PageField* f = Find(id);
  if (f == nullptr) return;
  const int field = f->id;
  if (auto it = numbers_.find(field); it != numbers_.end()) CheckNumber(field, it->second);
  OnLeft(field);
}

void PropertyPage::CheckNumber(int id, Exchange how) {
  PageField& f = Field(id);
  auto it = accepted_.find(id);
  if (it != accepted_.end() && it->second == f.text) return;
  bool ok = false;
  if (how == Exchange::Float) {
    const std::optional<double> v = ParseDecimal(f.text);
    ok = v && std::fabs(*v) <= std::numeric_limits<float>::max();
  } else {
    const std::optional<std::int64_t> v = ParseInteger(f.text);
    const std::int64_t lo = how == Exchange::Short ? INT16_MIN : INT32_MIN;
    const std::int64_t hi = how == Exchange::Short ? INT16_MAX : INT32_MAX;
    ok = v && *v >= lo && *v <= hi;
  }
  if (ok) {
    accepted_[id] = f.text;
    return;
  }
  // A text that is no number of the field's kind would be written as something else: the field
  // goes back to what it held, and the user is told why.
  SetText(id, it != accepted_.end() ? it->second : std::string());
  ShowMessage(kMsgCannotConvert);
}

// --- Exchange ----------------------------------------------------------------------------------

const Variant& PropertyPage::Baseline(int field) const {
  static const Variant empty;
  auto it = baseline_.find(field);
  return it == baseline_.end() ? empty : it->second;
}

Variant PropertyPage::Normalize(const Binding& b, const Variant& value) const {
  switch (b.how) {
    case Exchange::Text:
      return Coerced(value, VarType::Bstr);
    case Exchange::Check: {
      const Variant v = Coerced(value, VarType::Bool);
      return v.Type() == VarType::Bool ? Variant::Bool(v.AsBool()) : v;
    }
    case Exchange::Index:
    case Exchange::Int:
    case Exchange::Short:
      return Coerced(value, VarType::I4);
    case Exchange::Float:
      return Coerced(value, VarType::R4);
    case Exchange::Typed:
      return value;
  }
  return value;
}

std::optional<Variant> PropertyPage::FieldValue(const Binding& b) const {
  const PageField& f = Field(b.field);
  switch (b.how) {
    case Exchange::Text:
      return Variant::Bstr(f.text);
    case Exchange::Check:
      return Variant::Bool(f.checked);
    case Exchange::Index:
      if (f.selected < 0) return std::nullopt;  // nothing chosen: the property keeps its value
      return Variant::I4(f.selected);
    case Exchange::Int:
    case Exchange::Short: {
      const std::optional<std::int64_t> v = ParseInteger(f.text);
      if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
      return Variant::I4(static_cast<std::int32_t>(*v));
    }
    case Exchange::Float: {
      const std::optional<double> v = ParseDecimal(f.text);
      if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
      // The text shown for the value read gives back exactly that value.
      const Variant& base = Baseline(b.field);
      if (base.Type() == VarType::R4 && FormatFloat(base.AsR4()) == f.text) return base;
      return Variant::R4(static_cast<float>(*v));
    }
    case Exchange::Typed:
      return std::nullopt;
  }
  return std::nullopt;
}

void PropertyPage::Show(const Binding& b, const Variant& value) {
  PageField& f = Field(b.field);
  switch (b.how) {
    case Exchange::Text:
      if (f.kind == FieldKind::Combo) {
        SetText(f.id, value.AsBstr());
        int match = -1;
        for (std::size_t i = 0; i < f.items.size(); ++i) {
          if (f.items[i] == f.text) match = static_cast<int>(i);
        }
        f.selected = match;
        Notify(f.id);
      } else {
        SetText(f.id, value.AsBstr());
      }
      return;
    case Exchange::Check:
      SetChecked(f.id, value.AsBool());
      return;
    case Exchange::Index:
      Select(f.id, value.Type() == VarType::I4 ? value.AsI4() : -1);
      return;
    case Exchange::Int:
    case Exchange::Short:
      SetText(f.id, FormatLong(value.AsI4()));
      AcceptText(f.id);
      return;
    case Exchange::Float:
      SetText(f.id, FormatFloat(value.AsR4()));
      AcceptText(f.id);
      return;
    case Exchange::Typed:
      return;
  }
}

void PropertyPage::Read(CVlTypedBoxCtrl& control) {
  baseline_.clear();
  for (const Binding& b : bindings_) {
    Variant v;
    try {
      v = Normalize(b, control.GetProperty(b.dispid));
    } catch (const AutomationError&) {
      continue;  // a property the mode does not offer stays as the page shows it
    }
    baseline_[b.field] = v;
    Show(b, v);
  }
}

void PropertyPage::Write(CVlTypedBoxCtrl& control, const Binding& b, const Variant& value) {
  control.SetProperty(b.dispid, value);
}

bool PropertyPage::IsDirty() const {
  for (const Binding& b : bindings_) {
    const std::optional<Variant> v = FieldValue(b);
    if (v && !(*v == Baseline(b.field))) return true;
  }
  return false;
}

void PropertyPage::Apply(CVlTypedBoxCtrl& control) {
  // A number typed but not yet left is checked as leaving the field would check it.
  for (const auto& [id, how] : numbers_) CheckNumber(id, how);
  auto current = [&](const Binding& b) {
    try {
      return Normalize(b, control.GetProperty(b.dispid));
    } catch (const AutomationError&) {
      return Variant();
    }
  };
  for (std::size_t i = 0; i < bindings_.size(); ++i) {
    const Binding& b = bindings_[i];
    const std::optional<Variant> value = FieldValue(b);
    if (!value || *value == Baseline(b.field)) continue;
    std::vector<Variant> before;
    for (std::size_t j = i + 1; j < bindings_.size(); ++j) before.push_back(current(bindings_[j]));
    Write(control, b, *value);
    // What the write changed by itself is what the later fields now compare with.
    for (std::size_t j = i + 1; j < bindings_.size(); ++j) {
      Variant now = current(bindings_[j]);
      if (!(now == before[j - i - 1])) baseline_[bindings_[j].field] = std::move(now);
    }
    baseline_[b.field] = *value;
  }
}

}  // namespace vl::pages
