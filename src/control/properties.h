// The property descriptor table: one row per property of the automation interface, and the
// rules every row is read and written by.
//
// A row says everything the rest of the system needs to know about a property: its dispatch
// identifier and name, the kind a host exchanges it as, where it may be read and written, its
// default (fixed, or computed from the data type), the range an integer must fall in, where the
// value is stored, how and in which order it reaches the edit window, what a changed write
// repaints or recomputes, the entry the persisted set keeps it under, and the errors a write can
// raise. Get, set, notification and the edit window's push all run from the rows; a property
// whose rule is not the common one (DataType's change sequence, the typed bounds, the font, the
// value) points at its own rule function. Adding a property is one row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace vl {

class CVlTypedBoxCtrl;
class CVlEditWnd;

// Dispatch identifiers of the properties.
enum VlDispId : std::int32_t {
  kDispFormat = 1, kDispValue = 2, kDispDataType = 3, kDispPasswordChar = 4, kDispBorderStyle = 5,
  kDispDataField = 6, kDispDataSource = 7, kDispAppearance = 8, kDispAlignment = 9, kDispDataChanged = 10,
  kDispLocked = 11, kDispFontBold = 12, kDispFontItalic = 13, kDispFontName = 14, kDispFontSize = 15,
  kDispFontStrikethru = 16, kDispFontUnderLine = 17, kDispReplaceCursor = 18, kDispMaxLength = 19,
  kDispHideSelection = 20, kDispIMEMode = 21, kDispSelectByFocus = 22, kDispSelLength = 23, kDispSelStart = 24,
  kDispSelText = 25, kDispTabByReturn = 26, kDispTabByVertKey = 27, kDispEraProfile = 28, kDispSpinButton = 29,
  kDispScrollBars = 30, kDispMultiLine = 31, kDispSpinDelay = 32, kDispTabByInputLast = 33, kDispLowerValue = 34,
  kDispUpperValue = 35, kDispCheckValue = 36, kDispDefaultValue = 37, kDispAllowDefaultValue = 38,
  kDispSpinIncrease = 39, kDispDisabledBackColor = 40, kDispDisabledForeColor = 41, kDispTabByHorzKey = 42,
  kDispForeColor = 43, kDispFont = 44, kDispText = 45, kDispBackColor = 46, kDispEnabled = -514, kDispCaption = 48,
  kDispFuriganaType = 49, kDispControlBackColor = 50, kDispCaptions = 51, kDispKeepNull = 52,
};

// The kind a host reads and writes a property as.
enum class PropKind {
  Text,     // CP932 text
  Bool,     // automation boolean (stored as a 16-bit flag: 0 False, anything else True)
  Int,      // integer (enumerations, lengths, positions)
  Float,    // single-precision number
  Colour,   // 32-bit colour, 0x00BBGGRR or 0x800000nn
  Variant,  // typed value
  Font,     // font object
  Object,   // object reference (data source)
};

// Where an access is allowed: the host's run (user) mode, its design surface, both, or never.
// A refused read raises 394, a refused write 383.
enum class PropMode : std::uint8_t { Both, RunOnly, DesignOnly, Never };

// The kind of a persisted entry (the store's value kinds).
enum class StoreKind : std::uint8_t { None, U16, I16, I32, Float, String, Colour, Font, Typed };

// Where an entry sits in the persisted set: before the main block (DataField), in the main block
// at `order` (1-based), or after the caption blocks (ControlBackColor). The entry is named after
// the property.
enum class ExchangePart : std::uint8_t { None, BeforeMain, Main, AfterCaptions };

struct PropertyExchange {
  ExchangePart part = ExchangePart::None;
  std::uint8_t order = 0;
  StoreKind kind = StoreKind::None;
};

// Sets of data types, one bit per type code (1 << code).
using TypeSet = std::uint32_t;
inline constexpr TypeSet TypeBit(std::uint16_t code) { return TypeSet{1} << code; }
inline constexpr TypeSet kAllTypes = 0xFFFFFFFFu;
inline constexpr TypeSet kStringType = TypeBit(8);
inline constexpr TypeSet kDateType = TypeBit(7);
inline constexpr TypeSet kBooleanType = TypeBit(11);
inline constexpr TypeSet kNotBoolean = kAllTypes & ~kBooleanType;
inline constexpr TypeSet kNotStringOrBoolean = kAllTypes & ~kStringType & ~kBooleanType;
inline constexpr bool InTypes(TypeSet set, std::uint16_t code) { return code < 32 && (set & TypeBit(code)) != 0; }

// A property's value before anything is written: a constant, a value that follows the data type,
// the host's ambient font, or none (a state of the edit window rather than a stored value).
struct PropertyDefault {
  enum class Rule : std::uint8_t { None, Constant, ByDataType, AmbientFont };
  Rule rule = Rule::None;
  Variant constant;
  Variant (*byType)(std::uint16_t dataType) = nullptr;

  // The default for a box of that data type, in the stored form (a row's `load`); Empty for the
  // rules without a value of their own.
  Variant For(std::uint16_t dataType) const {
    if (rule == Rule::Constant) return constant;
    if (rule == Rule::ByDataType) return byType(dataType);
    return Variant::Empty();
  }
};

// An automation error a write can raise; message 0 stands for the framework's description.
// `when` says, for the reference, what makes the write raise it (empty for an integer out of the
// row's range, which the reference states from `min` and `max`).
struct WriteError {
  std::int32_t code;
  std::uint32_t message = 0;
  const char* when = "";
};

// The stored value of a property, without any rule: `load` gives it as the field holds it
// (16-bit flags as I2, other integers as I4, colours as I8, texts as Bstr, typed values as
// themselves, the font as its object); `store` takes the same form and answers false, changing
// nothing, when the value does not fit the field. The persisted set is exchanged through these.
struct PropertyField {
  Variant (*load)(const CVlTypedBoxCtrl&) = nullptr;
  bool (*store)(CVlTypedBoxCtrl&, const Variant&) = nullptr;
  explicit operator bool() const { return load != nullptr; }
};

// When a write hands the value to the edit window: only when it changed, or on every accepted
// write (the edit window may have moved on by itself: the user toggled insert mode, the input
// method changed, the spin button was pressed).
enum class EditorPush : std::uint8_t { OnChange, Always };

struct PropertyInfo {
  std::int32_t dispid;
  const char* name;
  PropKind kind;
  // For the reference: what the property is, in a sentence or two.
  const char* description = "";
  PropMode read = PropMode::Both;
  PropMode write = PropMode::Both;
  // Integer properties: accepted from min to max (380 outside); min == max means no range.
  std::int32_t min = 0;
  std::int32_t max = 0;
  PropertyDefault defaultValue;
  // The errors of the property's own rules (beyond the mode refusals 383/394 and the
  // coercion errors 13/6 every write can raise).
  std::vector<WriteError> errors;

  // Where the value is stored (none for a state of the edit window or of the font object).
  PropertyField field;

  // Rules of their own; null runs the common rule (read the stored value; coerce, check the
  // range, compare, store, restyle, push, then `after`). `set` returns whether anything changed.
  Variant (*get)(CVlTypedBoxCtrl&, const PropertyInfo&) = nullptr;
  bool (*set)(CVlTypedBoxCtrl&, const PropertyInfo&, const Variant&) = nullptr;
  // Extra refusal of the common rule, run on the coerced value before it is compared.
  void (*check)(const Variant&) = nullptr;
  // The edit-window style bits the property decides (for the data types in `styleTypes`): a
  // change recreates the edit window with them.
  std::uint32_t styleBits = 0;
  TypeSet styleTypes = kAllTypes;
  // How the value reaches the edit window (for the data types in `editorTypes`), when a write
  // hands it over, and its place in the push that fills a new editor (-1: not pushed then).
  void (*toEditor)(CVlTypedBoxCtrl&, CVlEditWnd&) = nullptr;
  TypeSet editorTypes = kAllTypes;
  EditorPush push = EditorPush::OnChange;
  std::int8_t editorOrder = -1;
  // What the common rule does last: repaint, re-place the edit window, re-clamp the default.
  void (*after)(CVlTypedBoxCtrl&, bool changed) = nullptr;
  // The identifier a change is notified under (0: the property's own).
  std::int32_t notifyAs = 0;
  PropertyExchange exchange;
};

// Every property of the automation interface but the indexed Captions, in dispatch order.
const std::vector<PropertyInfo>& PropertyTable();
const PropertyInfo* FindProperty(std::string_view name);
const PropertyInfo* FindProperty(std::int32_t dispid);
// The rows the persisted set holds, in exchange order (DataField, the main block, ControlBackColor).
const std::vector<const PropertyInfo*>& ExchangeOrder();
// The rows a new editor is filled from, in push order.
const std::vector<const PropertyInfo*>& EditorPushOrder();

// A host's argument coerced to a property's type, as the framework coerces it: a value of no
// matching type raises 13 (type mismatch), one out of the type's range 6 (overflow).
std::string ArgText(const Variant& v);
bool ArgBool(const Variant& v);
std::int32_t ArgInt(const Variant& v);
float ArgFloat(const Variant& v);
// Colours above 0x7FFFFFFF (the system colours) arrive as wider numbers from most hosts.
std::uint32_t ArgColour(const Variant& v);

// Raises 380 (invalid property value), with the message of that string-table entry when given.
[[noreturn]] void RefuseWrite(std::uint32_t messageId = 0);

}  // namespace vl
