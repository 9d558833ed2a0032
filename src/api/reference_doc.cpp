// The user's reference (docs/reference.md), written from the tables the component runs on: the
// property table, the type library and the string table. Nothing here knows a property, an event
// or a message by name; a new row shows up in the reference by itself.
#include <cstdio>
#include <sstream>
#include <string>

#include "resources/string_table.h"
#include "runtime/coerce.h"
#include "runtime/system_colour.h"
#include "value/typed_value.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

namespace {

using ::vl::PropMode;
using HostValue = ::vl::Variant;

constexpr std::uint16_t kDataTypes[] = {VlTextInteger, VlTextLong,   VlTextSingle,  VlTextDouble, VlTextCurrency,
                                        VlTextDate,    VlTextString, VlTextBoolean, VlTextByte};

// A table cell: a pipe would end it, a line break would end the row.
std::string Cell(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '|') {
      out += "\\|";
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// Inline code that shows a text exactly, spaces and backticks included.
std::string Code(const std::string& utf8) {
  if (utf8.empty()) return "*(empty)*";
  const bool tick = utf8.find('`') != std::string::npos;
  const bool pad = tick || utf8.front() == ' ' || utf8.back() == ' ';
  const std::string fence = tick ? "``" : "`";
  return fence + (pad ? " " : "") + utf8 + (pad ? " " : "") + fence;
}

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}

std::string Anchor(const std::string& heading) {
  std::string out;
  for (char c : heading) {
    if ((c >= 'A' && c <= 'Z')) {
      out += static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
      out += c;
    } else if (c == ' ') {
      out += '-';
    }
  }
  return out;
}

const char* KindName(const PropertyInfo& p) {
  switch (p.kind) {
    case PropKind::Text:
      return "String";
    case PropKind::Bool:
      return "Boolean";
    case PropKind::Int:
      return "Integer";
    case PropKind::Float:
      return "Single";
    case PropKind::Colour:
      return "Colour";
    case PropKind::Variant:
      return "Variant";
    case PropKind::Font:
      return "Font";
    case PropKind::Object:
      return "Object";
  }
  return "";
}

std::string Kind(const PropertyInfo& p) {
  std::string kind = KindName(p);
  if (p.min < p.max) kind += " " + std::to_string(p.min) + " to " + std::to_string(p.max);
  return kind;
}

// The constant group whose values a property takes, if any.
const ConstantGroup* GroupOf(const std::string& property) {
  for (const ConstantGroup& g : ConstantGroups()) {
    if (property == g.usedBy) return &g;
  }
  return nullptr;
}

std::string ColourText(std::uint32_t colour) {
  const std::string name = SystemColourName(colour);
  return Hex(colour) + (name.empty() ? "" : " (" + name + ")");
}

// A stored default as a person reads it, for a property of that kind.
std::string ValueText(const PropertyInfo& p, const HostValue& v) {
  if (v.IsNullOrEmpty()) return "Null";
  switch (p.kind) {
    case PropKind::Bool: {
      HostValue b;
      return ChangeType(v, VarType::Bool, b) == CoerceStatus::Ok && b.AsBool() ? "True" : "False";
    }
    case PropKind::Colour: {
      HostValue n;
      if (ChangeType(v, VarType::I8, n) != CoerceStatus::Ok) return "";
      return ColourText(static_cast<std::uint32_t>(n.AsI8()));
    }
    case PropKind::Text:
      return Code(detail::ToUtf8(v.AsBstr()));
    case PropKind::Variant:
      if (v.Type() == VarType::Bstr) return Code(detail::ToUtf8(v.AsBstr()));
      return detail::ToUtf8(TypedValueToText(v));
    case PropKind::Int: {
      std::string text = detail::ToUtf8(TypedValueToText(v));
      if (const ConstantGroup* g = GroupOf(p.name)) {
        for (const ConstantInfo& c : g->constants) {
          if (std::to_string(c.value) == text) text += " (" + std::string(c.name) + ")";
        }
      }
      return text;
    }
    default:
      return detail::ToUtf8(TypedValueToText(v));
  }
}

std::string DefaultText(const PropertyInfo& p) {
  using Rule = PropertyDefault::Rule;
  switch (p.defaultValue.rule) {
    case Rule::None:
      return "—";
    case Rule::AmbientFont:
      return "the form's font";
    case Rule::ByDataType:
      return "[follows DataType](#defaults-that-follow-datatype)";
    case Rule::Constant:
      return ValueText(p, p.defaultValue.constant);
  }
  return "";
}

bool ReadEverywhere(const PropertyInfo& p) { return p.read == PropMode::Both; }

std::string Access(const PropertyInfo& p) {
  if (p.read == PropMode::Both && p.write == PropMode::Both) return "read and write, run and design time";
  if (p.read == PropMode::RunOnly && p.write == PropMode::RunOnly) return "read and write, run time only";
  if (p.read == PropMode::RunOnly && p.write == PropMode::Never) return "read-only, run time only";
  if (ReadEverywhere(p) && p.write == PropMode::DesignOnly) return "read anywhere, written at design time only";
  if (ReadEverywhere(p) && p.write == PropMode::RunOnly) return "read anywhere, written at run time only";
  return "read and write";
}

// «380 "Invalid property value"», or with a message of the string table «380 "2バイト…" (message 1300)».
std::string ErrorName(std::int32_t code, std::uint32_t message) {
  if (message != 0) {
    return std::to_string(code) + " \"" + detail::ToUtf8(LoadResourceString(message)) + "\" (message " +
           std::to_string(message) + ")";
  }
  return std::to_string(code) + " \"" + StandardErrorDescription(code) + "\"";
}

// The errors a property's own rules and modes raise, one line each.
std::vector<std::string> Errors(const PropertyInfo& p) {
  std::vector<std::string> out;
  if (p.read == PropMode::RunOnly) out.push_back(ErrorName(kErrGetNotSupported, 0) + " when read at design time");
  if (p.write == PropMode::RunOnly) out.push_back(ErrorName(kErrSetNotSupported, 0) + " when written at design time");
  if (p.write == PropMode::DesignOnly) out.push_back(ErrorName(kErrSetNotSupported, 0) + " when written at run time");
  if (p.write == PropMode::Never) out.push_back(ErrorName(kErrSetNotSupported, 0) + " on every write");
  for (const WriteError& e : p.errors) {
    std::string when = e.when;
    if (when.empty() && p.min < p.max) {
      when = "the value is outside " + std::to_string(p.min) + " to " + std::to_string(p.max);
    }
    out.push_back(ErrorName(e.code, e.message) + (when.empty() ? "" : " when " + when));
  }
  return out;
}

void WriteIntro(std::ostringstream& o) {
  o << "# VlText reference\n\n"
       "<!-- Generated by `vltext reference` from the component's own tables; do not edit by hand. "
       "scripts/docs.sh writes it again, and a test fails when it differs from what the program prints. -->\n\n"
       "Every property, event, method, constant and message of the VlText box, written out from the tables the "
       "component itself runs on. [formats.md](formats.md) explains the format language and "
       "[cookbook.md](cookbook.md) builds real forms step by step.\n\n"
       "## Reading this reference\n\n"
       "- In a script run by `vltext run`, a property is a field of the box (`b.Format = \"#,##0\"`, "
       "`print(b.Value)`), an event is a function assigned to the box (`b.ValueError = function(e) ... end`; "
       "the handler gets a table of the parameters and writes the by-reference ones into it), a method is "
       "called with a colon (`b:Refresh()`), a constant is a field of `vl` (`vl.VlTextLong`) and a caption is "
       "`b.Captions[vl.VlTextCapLeft]`.\n"
       "- In C++ the same names go through `vl::Box::Get` and `Set`, `vl::Box::On` and `vl::Box::Caption`.\n"
       "- *Run time* is a form in user mode (`vl.Form{mode = \"user\"}`, the default), *design time* a form in "
       "design mode (`vl.Form{mode = \"design\"}`), as a form designer shows it.\n"
       "- A refused write changes nothing and raises an error with a code and a message (in Lua a table "
       "`{code = 380, message = ...}` that `pcall` catches). Besides the errors listed with each property, "
       "every write raises 13 (Type mismatch) for a value that is not of the property's kind and 6 (Overflow) "
       "for a number too large for it.\n"
       "- Writing the value a property already has changes nothing and notifies nothing.\n"
       "- A value the box cannot take, or has to adjust, is not an error of the write: the box raises "
       "[ValueError](#valueerror) instead (Value, Format, DataType, MaxLength).\n\n"
       "## Contents\n\n"
       "- [Properties](#properties)\n"
       "- [Defaults that follow DataType](#defaults-that-follow-datatype)\n"
       "- [The caption object](#the-caption-object)\n"
       "- [Events](#events)\n"
       "- [Methods](#methods)\n"
       "- [Constants](#constants)\n"
       "- [Error codes](#error-codes)\n"
       "- [The string table](#the-string-table)\n\n";
}

void WriteCaptionsSummaryRow(std::ostringstream& o) {
  const IndexedPropertyInfo& c = CaptionsProperty();
  o << "| [`" << c.name << "(" << c.index << ")`](#" << Anchor(c.name) << ") | " << c.dispid
    << " | caption object | the four captions | read and write, run and design time |\n";
}

void WriteProperties(std::ostringstream& o) {
  o << "## Properties\n\n"
    << "| Property | Id | Kind | Default | Access |\n|---|---|---|---|---|\n";
  for (const PropertyInfo& p : PropertyTable()) {
    o << "| [`" << p.name << "`](#" << Anchor(p.name) << ") | " << p.dispid << " | " << Cell(Kind(p)) << " | "
      << Cell(DefaultText(p)) << " | " << Access(p) << " |\n";
    if (p.dispid == CaptionsProperty().dispid - 1) WriteCaptionsSummaryRow(o);
  }
  o << "\n";
  for (const PropertyInfo& p : PropertyTable()) {
    o << "### " << p.name << "\n\n"
      << Kind(p) << " · id " << p.dispid << " · default " << DefaultText(p) << " · " << Access(p) << "\n\n"
      << p.description << "\n\n";
    if (const ConstantGroup* g = GroupOf(p.name)) {
      o << "Values: [" << g->name << "](#" << Anchor(g->name) << ").\n\n";
    }
    const std::vector<std::string> errors = Errors(p);
    if (errors.empty()) {
      o << "A write raises no error of its own.\n\n";
    } else {
      o << "Errors:\n\n";
      for (const std::string& e : errors) o << "- " << e << "\n";
      o << "\n";
    }
  }
  const IndexedPropertyInfo& c = CaptionsProperty();
  o << "### " << c.name << "\n\n"
    << "Caption object, indexed by `" << c.index << "` · id " << c.dispid
    << " · read and write, run and design time\n\n"
    << c.description << " The caption object's own properties are [below](#the-caption-object).\n\n"
    << "Errors:\n\n";
  for (const auto& [code, when] : c.errors) o << "- " << ErrorName(code, 0) << " when " << when << "\n";
  o << "\n";
}

void WriteTypeDefaults(std::ostringstream& o) {
  std::vector<const PropertyInfo*> rows;
  for (const PropertyInfo& p : PropertyTable()) {
    if (p.defaultValue.rule == PropertyDefault::Rule::ByDataType) rows.push_back(&p);
  }
  o << "## Defaults that follow DataType\n\n"
       "A new box is a String box. Writing DataType gives these properties the new type's values; BackColor "
       "follows only while it still has the old type's default.\n\n| DataType |";
  for (const PropertyInfo* p : rows) o << " " << p->name << " |";
  o << "\n|---|";
  for (std::size_t i = 0; i < rows.size(); ++i) o << "---|";
  o << "\n";
  for (std::uint16_t type : kDataTypes) {
    o << "| " << TypeName(type) << " (" << type << ") |";
    for (const PropertyInfo* p : rows) o << " " << Cell(ValueText(*p, p->defaultValue.For(type))) << " |";
    o << "\n";
  }
  o << "\n";
}

void WriteCaptionObject(std::ostringstream& o) {
  o << "## The caption object\n\n"
       "Each box has four captions, one a side, reached through [Captions](#captions): strips drawn inside the "
       "box's rectangle around its text area, each with its own text, font, colours, border and alignment. "
       "Writing a caption property repaints the box; Size, Spacing and Padding also move the text area.\n\n"
       "| Property | Id | Kind | Default | What it is |\n|---|---|---|---|---|\n";
  for (const CaptionPropertyInfo& c : CaptionPropertyTable()) {
    std::string def;
    if (c.defaultValue.Type() == VarType::Empty) {
      def = "none";
    } else if (c.defaultValue.Type() == VarType::Bstr) {
      def = Code(c.defaultValue.AsBstr());
    } else if (std::string(c.kind) == "Colour") {
      def = ColourText(static_cast<std::uint32_t>(c.defaultValue.AsI8()));
    } else {
      def = detail::ToUtf8(TypedValueToText(c.defaultValue));
    }
    o << "| `" << c.name << "` | " << c.dispid << " | " << c.kind << " | " << Cell(def) << " | " << Cell(c.description)
      << " |\n";
  }
  o << "\n";
}

const char* WrittenBack(Pass pass) {
  switch (pass) {
    case Pass::Value:
      return "no";
    case Pass::Reference:
      return "yes";
    case Pass::IgnoredReference:
      return "no (declared by reference)";
  }
  return "";
}

void WriteEvents(std::ostringstream& o) {
  o << "## Events\n\n"
       "A handler runs inside the box's own key, mouse and focus handling, before the box goes on; it may do "
       "anything to the form (write properties, move the focus, change DataType). A parameter marked written "
       "back is passed by reference: what the handler writes into it goes back to the box.\n\n"
       "| Event | Id | Parameters |\n|---|---|---|\n";
  for (const EventInfo& e : EventTable()) {
    std::string params;
    for (const EventParamInfo& p : e.params) params += (params.empty() ? "" : ", ") + std::string(p.name);
    o << "| [`" << e.name << "`](#" << Anchor(e.name) << ") | " << static_cast<int>(e.id) << " | "
      << (params.empty() ? "none" : params) << " |\n";
  }
  o << "\n";
  for (const EventInfo& e : EventTable()) {
    o << "### " << e.name << "\n\nid " << static_cast<int>(e.id) << "\n\n" << e.description << "\n\n";
    if (e.params.empty()) {
      o << "No parameters.\n\n";
      continue;
    }
    o << "| Parameter | Type | Written back | Meaning |\n|---|---|---|---|\n";
    for (const EventParamInfo& p : e.params) {
      o << "| `" << p.name << "` | " << p.type << " | " << WrittenBack(p.pass) << " | " << Cell(p.description)
        << " |\n";
    }
    o << "\n";
  }
}

void WriteMethods(std::ostringstream& o) {
  o << "## Methods\n\n| Method | Id | What it does |\n|---|---|---|\n";
  for (const MethodInfo& m : MethodTable()) {
    o << "| `" << m.name << "()` | " << m.dispid << " | " << Cell(m.description) << " |\n";
  }
  o << "\n";
}

void WriteConstants(std::ostringstream& o) {
  o << "## Constants\n\nIn Lua each constant is a field of `vl` (`vl.VlTextCurrency`); in C++ "
       "`vl::TypeLibraryConstants()` lists them.\n\n";
  for (const ConstantGroup& g : ConstantGroups()) {
    o << "### " << g.name << "\n\nValues of " << g.usedBy << ".\n\n| Constant | Value | Meaning |\n|---|---|---|\n";
    for (const ConstantInfo& c : g.constants) {
      o << "| `" << c.name << "` | " << c.value << " | " << Cell(c.meaning) << " |\n";
    }
    o << "\n";
  }
}

void WriteErrorCodes(std::ostringstream& o) {
  o << "## Error codes\n\nA refused write or call raises one of these (the message is the one given here "
       "unless the property names a message of the string table):\n\n| Code | Message |\n|---|---|\n";
  for (std::int32_t code : {kErrInvalidProcedureCall, kErrOverflow, kErrTypeMismatch, kErrInvalidPropertyValue,
                            kErrInvalidArrayIndex, kErrSetNotSupported, kErrGetNotSupported}) {
    o << "| " << code << " | " << StandardErrorDescription(code) << " |\n";
  }
  o << "\nA value the box refuses or adjusts is reported through [ValueError](#valueerror) with a code of the "
       "string table below (1000 to 1200) or the host's own code (100 to 999) from "
       "[UserCheckValue](#usercheckvalue).\n\n";
}

void WriteStringTable(std::ostringstream& o) {
  o << "## The string table\n\nEvery text the component shows a user: the messages ValueError carries as "
       "ErrCode and ErrString, the preset formats the General property page offers, the titles. In Lua "
       "`vl.resource(number)` reads an entry.\n\n| Number | Text | What it is |\n|---|---|---|\n";
  for (std::uint32_t id : ResourceStringIds()) {
    const std::string text = detail::ToUtf8(LoadResourceString(id));
    o << "| " << id << " | " << Cell(IsPresetFormat(id) ? Code(text) : text) << " | " << Cell(ResourceStringNote(id))
      << " |\n";
  }
  o << "\n";
}

}  // namespace

std::string ReferenceMarkdown() {
  std::ostringstream o;
  WriteIntro(o);
  WriteProperties(o);
  WriteTypeDefaults(o);
  WriteCaptionObject(o);
  WriteEvents(o);
  WriteMethods(o);
  WriteConstants(o);
  WriteErrorCodes(o);
  WriteStringTable(o);
  return o.str();
}

}  // namespace vl::v1
