// Every row of the property table walked through the host's property calls: defaults read back,
// an equal write is silent, a refused write changes nothing, and each mode refuses what it must.
// The rows are also held to the fixed orders of the persisted set and of a new editor's push.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <set>

#include "control/properties.h"
#include "host/form.h"
#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "text_value_edit.h"

namespace vl {
namespace {

// The value a host reads for a stored default of that kind.
Variant AsRead(const PropertyInfo& row, const Variant& raw) {
  switch (row.kind) {
    case PropKind::Bool: return Variant::Bool(raw.AsI8() != 0);
    case PropKind::Int: return Variant::I4(static_cast<std::int32_t>(raw.AsI8()));
    case PropKind::Colour: return Variant::I4(static_cast<std::int32_t>(static_cast<std::uint32_t>(raw.AsI8())));
    default: return raw;
  }
}

// Whether a mode rule allows the access in run (user) mode or on the design surface.
bool Allowed(PropMode m, bool user) {
  switch (m) {
    case PropMode::Both: return true;
    case PropMode::RunOnly: return user;
    case PropMode::DesignOnly: return !user;
    default: return false;
  }
}

class PropertyTableWalk : public ::testing::Test {
 protected:
  // A fresh String box on a form in the given mode.
  CVlTypedBoxCtrl& Fresh(bool user) {
    form_ = std::make_unique<Form>(user);
    box_ = &form_->AddBox("b");
    Quiet();
    return *box_;
  }

  void Quiet() {
    form_->TakeNotifications();
    form_->TakeEvents();
    form_->TakeMessages();
    form_->FindBox("b")->modified = false;
  }

  // Everything a host can read in the current mode, by property name.
  std::map<std::string, Variant> Snapshot() {
    std::map<std::string, Variant> all;
    for (const PropertyInfo& row : PropertyTable()) {
      if (Allowed(row.read, form_->UserMode())) all[row.name] = box_->GetProperty(row.dispid);
    }
    return all;
  }

  // Nothing reached the host: no notification, no modified mark, no event.
  void ExpectSilent(const std::string& what) {
    EXPECT_TRUE(form_->TakeNotifications().empty()) << what << " notified";
    EXPECT_FALSE(form_->FindBox("b")->modified) << what << " marked the box modified";
    EXPECT_TRUE(form_->TakeEvents().empty()) << what << " raised an event";
  }

  std::unique_ptr<Form> form_;
  CVlTypedBoxCtrl* box_ = nullptr;
};

TEST_F(PropertyTableWalk, EveryRowHasANameKindAndDescription) {
  std::set<std::int32_t> ids;
  std::set<std::string> names;
  for (const PropertyInfo& row : PropertyTable()) {
    EXPECT_TRUE(ids.insert(row.dispid).second) << row.name << ": dispatch id used twice";
    EXPECT_TRUE(names.insert(row.name).second) << row.name << ": name used twice";
    EXPECT_GT(std::string(row.description).size(), 20u) << row.name << " has no description";
    EXPECT_TRUE(row.get != nullptr || row.field) << row.name << " has nothing to read";
    EXPECT_TRUE(row.set != nullptr || row.field || row.write == PropMode::Never) << row.name << " has nothing to write";
    if (row.exchange.part != ExchangePart::None) {
      EXPECT_TRUE(row.field) << row.name << " is persisted but not stored";
    }
  }
  EXPECT_EQ(PropertyTable().size(), 51u) << "52 properties, Captions apart";
}

TEST_F(PropertyTableWalk, DefaultsReadBackFromAFreshBox) {
  for (bool user : {true, false}) {
    CVlTypedBoxCtrl& box = Fresh(user);
    for (const PropertyInfo& row : PropertyTable()) {
      SCOPED_TRACE(std::string(row.name) + (user ? " (run)" : " (design)"));
      const Variant expected = row.defaultValue.For(VlTextString);
      if (row.defaultValue.rule == PropertyDefault::Rule::AmbientFont) continue;  // the form's font
      if (row.field) {
        EXPECT_TRUE(row.field.load(box) == expected) << "stored default";
      }
      if (row.defaultValue.rule == PropertyDefault::Rule::None || !Allowed(row.read, user)) continue;
      // The design surface shows a Null default as an empty entry.
      const Variant shown = !user && row.dispid == kDispDefaultValue ? Variant::Bstr("") : AsRead(row, expected);
      EXPECT_TRUE(box.GetProperty(row.dispid) == shown) << "read back";
    }
  }
}

TEST_F(PropertyTableWalk, DataTypeDefaultsFollowTheType) {
  for (std::uint16_t type : {VlTextInteger, VlTextLong, VlTextSingle, VlTextDouble, VlTextCurrency, VlTextDate,
                             VlTextBoolean, VlTextByte}) {
    CVlTypedBoxCtrl& box = Fresh(true);
    box.SetProperty(kDispDataType, Variant::I4(type));
    for (const PropertyInfo& row : PropertyTable()) {
      if (row.defaultValue.rule != PropertyDefault::Rule::ByDataType) continue;
      EXPECT_TRUE(row.field.load(box) == row.defaultValue.For(type)) << row.name << " of a " << TypeName(type) << " box";
    }
  }
}

TEST_F(PropertyTableWalk, AnEqualWriteIsSilent) {
  for (bool user : {true, false}) {
    CVlTypedBoxCtrl& box = Fresh(user);
    for (const PropertyInfo& row : PropertyTable()) {
      // DataSource has no value of its own to compare: every write is accepted and notified.
      if (row.dispid == kDispDataSource) continue;
      if (!Allowed(row.read, user) || !Allowed(row.write, user)) continue;
      // On the design surface only design-time writes: there a text is a browser's entry.
      if (!user && row.write == PropMode::Both) continue;
      const auto before = Snapshot();
      box.SetProperty(row.dispid, box.GetProperty(row.dispid));
      ExpectSilent(row.name);
      EXPECT_TRUE(Snapshot() == before) << row.name << ": an equal write changed something";
    }
  }
}

// A write the control refuses, with the error it must raise.
struct Refusal {
  const char* property;
  Variant value;
  std::int32_t code;
  std::uint32_t message = 0;    // string-table entry; 0 for the framework's description
  std::uint16_t dataType = VlTextString;  // of the box written to
  std::function<void(CVlTypedBoxCtrl&)> setup = nullptr;
};

void BoundsOneToTen(CVlTypedBoxCtrl& box) {
  box.SetProperty(kDispUpperValue, Variant::I2(10));
  box.SetProperty(kDispLowerValue, Variant::I2(1));
}

std::vector<Refusal> RuleRefusals() {
  return {
      {"DataType", Variant::I4(9), kErrInvalidPropertyValue},
      {"PasswordChar", Variant::Bstr("\x83\x41"), kErrInvalidPropertyValue, 1300},  // ア
      {"PasswordChar", Variant::Bstr("\xB1"), kErrInvalidPropertyValue, 1300},      // half-width ｱ
      {"MaxLength", Variant::I4(-1), kErrInvalidPropertyValue},
      {"MaxLength", Variant::I4(5), kErrInvalidPropertyValue, 1301, VlTextLong},
      {"FontSize", Variant::R8(0), kErrInvalidPropertyValue},
      {"SpinIncrease", Variant::R8(std::numeric_limits<double>::quiet_NaN()), kErrInvalidPropertyValue},
      {"SelLength", Variant::I4(-1), kErrInvalidPropertyValue},
      {"SelStart", Variant::I4(-1), kErrInvalidPropertyValue},
      {"LowerValue", Variant::Null(), kErrInvalidPropertyValue, 1102},
      {"LowerValue", Variant::I2(11), kErrInvalidPropertyValue, 1302, VlTextInteger, BoundsOneToTen},
      {"UpperValue", Variant::Null(), kErrInvalidPropertyValue, 1102},
      {"UpperValue", Variant::I2(0), kErrInvalidPropertyValue, 1303, VlTextInteger, BoundsOneToTen},
      {"DefaultValue", Variant::Empty(), kErrInvalidPropertyValue, 1102},
      {"Font", Variant::Bstr("Arial"), kErrTypeMismatch},
  };
}

// The refusals every row gets from its kind and its range.
std::vector<Refusal> KindRefusals() {
  std::vector<Refusal> all;
  for (const PropertyInfo& row : PropertyTable()) {
    if (row.kind == PropKind::Bool || row.kind == PropKind::Int || row.kind == PropKind::Float ||
        row.kind == PropKind::Colour) {
      all.push_back({row.name, Variant::Bstr("not a number"), kErrTypeMismatch});
    }
    if (row.min < row.max) {
      all.push_back({row.name, Variant::I4(row.min - 1), kErrInvalidPropertyValue});
      all.push_back({row.name, Variant::I4(row.max + 1), kErrInvalidPropertyValue});
    }
  }
  return all;
}

TEST_F(PropertyTableWalk, ARefusedWriteChangesNothing) {
  std::vector<Refusal> all = RuleRefusals();
  for (Refusal& r : KindRefusals()) all.push_back(r);
  for (const Refusal& r : all) {
    const PropertyInfo& row = *FindProperty(r.property);
    SCOPED_TRACE(std::string(r.property) + " = " + TypedValueToText(r.value));
    // A design-time property is refused for its value where it may be written at all.
    CVlTypedBoxCtrl& box = Fresh(row.write != PropMode::DesignOnly);
    if (r.dataType != VlTextString) box.SetProperty(kDispDataType, Variant::I4(r.dataType));
    if (r.setup) r.setup(box);
    Quiet();
    const auto before = Snapshot();
    try {
      box.SetProperty(row.dispid, r.value);
      ADD_FAILURE() << "accepted";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Code(), r.code);
      EXPECT_EQ(e.Message(), r.message != 0 ? LoadResourceString(r.message) : StandardErrorDescription(r.code));
    }
    ExpectSilent(r.property);
    EXPECT_TRUE(Snapshot() == before) << "a refused write changed something";
  }
}

TEST_F(PropertyTableWalk, EveryListedErrorHasARefusalThatRaisesIt) {
  const std::vector<Refusal> rules = RuleRefusals();
  for (const PropertyInfo& row : PropertyTable()) {
    for (const WriteError& e : row.errors) {
      const bool ranged = e.code == kErrInvalidPropertyValue && e.message == 0 && row.min < row.max;
      const bool covered = ranged || std::any_of(rules.begin(), rules.end(), [&](const Refusal& r) {
                             return r.property == std::string(row.name) && r.code == e.code && r.message == e.message;
                           });
      EXPECT_TRUE(covered) << row.name << " lists error " << e.code << "/" << e.message << " without a case";
    }
  }
}

TEST_F(PropertyTableWalk, EachModeRefusesWhatItMust) {
  // The properties that exist only at run time, and those written only at design time.
  const std::set<std::string> runOnly = {"Value",          "DataChanged",   "FontBold", "FontItalic", "FontName",
                                         "FontSize",       "FontStrikethru", "FontUnderLine", "SelLength",
                                         "SelStart",       "SelText",        "Text"};
  const std::set<std::string> designWriteOnly = {"EraProfile", "ScrollBars", "MultiLine"};
  for (bool user : {true, false}) {
    CVlTypedBoxCtrl& box = Fresh(user);
    for (const PropertyInfo& row : PropertyTable()) {
      SCOPED_TRACE(std::string(row.name) + (user ? " (run)" : " (design)"));
      const bool readRefused = !user && runOnly.count(row.name) != 0;
      const bool writeRefused = row.dispid == kDispText || (!user && runOnly.count(row.name) != 0) ||
                                (user && designWriteOnly.count(row.name) != 0);
      EXPECT_EQ(!Allowed(row.read, user), readRefused) << "the row's read mode";
      EXPECT_EQ(!Allowed(row.write, user), writeRefused) << "the row's write mode";
      const auto before = Snapshot();
      if (readRefused) {
        try {
          box.GetProperty(row.dispid);
          ADD_FAILURE() << "read allowed";
        } catch (const AutomationError& e) {
          EXPECT_EQ(e.Code(), kErrGetNotSupported);
        }
      }
      if (writeRefused) {
        try {
          box.SetProperty(row.dispid, row.kind == PropKind::Text ? Variant::Bstr("x") : Variant::I4(1));
          ADD_FAILURE() << "write allowed";
        } catch (const AutomationError& e) {
          EXPECT_EQ(e.Code(), kErrSetNotSupported);
        }
        ExpectSilent(row.name);
        EXPECT_TRUE(Snapshot() == before);
      }
    }
  }
}

TEST_F(PropertyTableWalk, ThePersistedSetFollowsTheExchangeOrder) {
  // The order and kinds are the persisted format: a saved set must load in every build.
  const std::vector<std::pair<const char*, StoreKind>> expected = {
      {"DataField", StoreKind::String},     {"DataType", StoreKind::U16},        {"Format", StoreKind::String},
      {"Alignment", StoreKind::I16},        {"MaxLength", StoreKind::I32},       {"ForeColor", StoreKind::Colour},
      {"BackColor", StoreKind::Colour},     {"DisabledForeColor", StoreKind::Colour},
      {"DisabledBackColor", StoreKind::Colour}, {"Font", StoreKind::Font},     {"BorderStyle", StoreKind::I16},
      {"PasswordChar", StoreKind::String},  {"Appearance", StoreKind::I16},      {"HideSelection", StoreKind::I16},
      {"SelectByFocus", StoreKind::I16},    {"Locked", StoreKind::I16},          {"Enabled", StoreKind::I16},
      {"ReplaceCursor", StoreKind::I16},    {"IMEMode", StoreKind::I16},         {"MultiLine", StoreKind::I16},
      {"ScrollBars", StoreKind::I16},       {"TabByReturn", StoreKind::I16},     {"TabByVertKey", StoreKind::I16},
      {"TabByHorzKey", StoreKind::I16},     {"TabByInputLast", StoreKind::I16},  {"SpinButton", StoreKind::I16},
      {"CheckValue", StoreKind::I16},       {"LowerValue", StoreKind::Typed},    {"UpperValue", StoreKind::Typed},
      {"DefaultValue", StoreKind::Typed},   {"EraProfile", StoreKind::String},   {"SpinIncrease", StoreKind::Float},
      {"SpinDelay", StoreKind::I16},        {"AllowDefaultValue", StoreKind::I16}, {"Caption", StoreKind::String},
      {"FuriganaType", StoreKind::I16},     {"Value", StoreKind::Typed},         {"KeepNull", StoreKind::I16},
      {"ControlBackColor", StoreKind::Colour},
  };
  const auto& rows = ExchangeOrder();
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::string(rows[i]->name), expected[i].first) << "entry " << i;
    EXPECT_EQ(rows[i]->exchange.kind, expected[i].second) << rows[i]->name;
  }
}

TEST_F(PropertyTableWalk, StoredFieldsRefuseWhatDoesNotFit) {
  CVlTypedBoxCtrl& box = Fresh(true);
  const PropertyInfo& border = *FindProperty("BorderStyle");
  const PropertyInfo& back = *FindProperty("BackColor");
  EXPECT_FALSE(border.field.store(box, Variant::I4(40000))) << "beyond 16 bits";
  EXPECT_FALSE(border.field.store(box, Variant::Bstr("x")));
  EXPECT_TRUE(border.field.load(box) == Variant::I2(1));
  EXPECT_TRUE(back.field.store(box, Variant::I8(0x8000000F)));
  EXPECT_EQ(box.GetProperty(kDispBackColor).AsI4(), static_cast<std::int32_t>(0x8000000F));
  EXPECT_FALSE(back.field.store(box, Variant::I8(0x100000000)));
}

// --- The push that fills a new editor ------------------------------------------------------------

// An editor that records the calls the control makes on it.
class RecordingEdit : public TextValueEdit {
 public:
  explicit RecordingEdit(std::uint16_t type, std::vector<std::string>& log) : TextValueEdit(type), log_(log) {}

  void SetEraProfile(const std::string&) override { log_.push_back("EraProfile"); }
  bool SetFormat(const std::string& f) override { return Log("Format", TextValueEdit::SetFormat(f)); }
  bool SetMaxLength(std::int32_t n) override { return Log("MaxLength", TextValueEdit::SetMaxLength(n)); }
  void SetNull(bool on) override {
    log_.push_back("Value");
    TextValueEdit::SetNull(on);
  }
  bool PrepareLoad(const TypedValue& v, TypedValue& load, std::string& produced) override {
    return Log("Value", TextValueEdit::PrepareLoad(v, load, produced));
  }
  bool SetFont(const win::LOGFONT& f) override { return Log("Font", TextValueEdit::SetFont(f)); }
  void SetLocked(bool) override { log_.push_back("Locked"); }
  void SetPasswordChar(char) override { log_.push_back("PasswordChar"); }
  void SetInsertMode(bool) override { log_.push_back("ReplaceCursor"); }
  void SetHideSelection(bool) override { log_.push_back("HideSelection"); }
  void SetSelectByFocus(bool) override { log_.push_back("SelectByFocus"); }
  void SetIMEMode(std::uint16_t) override { log_.push_back("IMEMode"); }
  void SetTabByReturn(bool) override { log_.push_back("TabByReturn"); }
  void SetTabByVertKey(bool) override { log_.push_back("TabByVertKey"); }
  void SetTabByHorzKey(bool) override { log_.push_back("TabByHorzKey"); }
  void SetTabByInputLast(bool) override { log_.push_back("TabByInputLast"); }
  void SetSpinButton(std::int32_t) override { log_.push_back("SpinButton"); }
  void SetCheckValue(bool on) override {
    log_.push_back("CheckValue");
    TextValueEdit::SetCheckValue(on);
  }
  void SetLowerValue(const TypedValue& v) override {
    log_.push_back("LowerValue");
    TextValueEdit::SetLowerValue(v);
  }
  void SetUpperValue(const TypedValue& v) override {
    log_.push_back("UpperValue");
    TextValueEdit::SetUpperValue(v);
  }
  void SetSpinIncrease(float) override { log_.push_back("SpinIncrease"); }
  bool SetSpinDelay(std::int32_t) override { return Log("SpinDelay", true); }
  void SetCaption(const std::string&) override { log_.push_back("Caption"); }
  void SetFuriganaType(std::uint16_t) override { log_.push_back("FuriganaType"); }
  bool EnableEditor(bool on) override { return Log("Enabled", TextValueEdit::EnableEditor(on)); }

 private:
  bool Log(const char* what, bool result) {
    log_.push_back(what);
    return result;
  }
  std::vector<std::string>& log_;
};

std::string Joined(const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& n : names) all += (all.empty() ? "" : " ") + n;
  return all;
}

TEST_F(PropertyTableWalk, ANewEditorIsFilledInTheFixedOrder) {
  struct Row {
    std::uint16_t type;
    const char* pushed;
  };
  // (The flat look, alignment, read-only and multi-line styles arrive before these as style
  // bits, which the editor also sets itself.) Every editor gets SelectByFocus: without it a box forgot the option when its data type changed.
  const Row rows[] = {
      {VlTextString,
       "Format MaxLength Value Font Locked PasswordChar ReplaceCursor HideSelection IMEMode SelectByFocus "
       "TabByReturn TabByVertKey TabByHorzKey TabByInputLast CheckValue LowerValue UpperValue SpinIncrease SpinDelay "
       "FuriganaType Enabled"},
      {VlTextDate,
       "EraProfile Format Value Font Locked PasswordChar ReplaceCursor HideSelection IMEMode SelectByFocus "
       "TabByReturn TabByVertKey TabByHorzKey TabByInputLast SpinButton CheckValue LowerValue UpperValue SpinIncrease "
       "SpinDelay FuriganaType Enabled"},
      {VlTextBoolean,
       "Format Value Font Locked PasswordChar ReplaceCursor HideSelection IMEMode SelectByFocus TabByReturn "
       "TabByVertKey TabByHorzKey TabByInputLast LowerValue UpperValue SpinIncrease SpinDelay Caption FuriganaType "
       "Enabled"},
  };
  for (const Row& r : rows) {
    std::vector<std::string> log;
    Form form;
    CVlTypedBoxCtrl& box = form.AddBox("b", std::nullopt, [&](std::uint16_t type) {
      log.clear();
      return std::make_unique<RecordingEdit>(type, log);
    });
    box.SetProperty(kDispSelectByFocus, Variant::Bool(true));
    // A fresh box is a String box: its editor is made anew by a change of type away and back.
    const std::uint16_t first = r.type == VlTextString ? std::uint16_t{VlTextLong} : r.type;
    box.SetProperty(kDispDataType, Variant::I4(first));
    if (r.type == VlTextString) box.SetProperty(kDispDataType, Variant::I4(VlTextString));
    // The type change's own writes (the default format, alignment and length) follow the push.
    const std::string all = Joined(log);
    EXPECT_EQ(all.substr(0, std::string(r.pushed).size()), r.pushed) << TypeName(r.type) << ": " << all;
  }
}

}  // namespace
}  // namespace vl
