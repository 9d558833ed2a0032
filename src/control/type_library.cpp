#include "control/type_library.h"

#include <stdexcept>
#include <string>

#include "control/properties.h"
#include "runtime/system_colour.h"

namespace vl {

namespace {

// The mouse events share their parameters.
std::vector<EventParamInfo> MouseParams(const char* button) {
  return {{"Button", "Integer", Pass::Value, button},
          {"Shift", "Integer", Pass::Value, "The keys held: 1 Shift, 2 Ctrl, 4 Alt, added together."},
          {"x", "Long", Pass::Value, "The pointer's horizontal position in pixels, from the left of the text area."},
          {"y", "Long", Pass::Value, "The pointer's vertical position in pixels, from the top of the text area."}};
}

constexpr const char* kPressButton =
    "The button: 1 left, 2 right, 4 middle; with several down, left before middle before right; 0 for none.";

}  // namespace

const std::vector<EventInfo>& EventTable() {
  static const std::vector<EventInfo> table = {
      {VlEvent::Change,
       "Change",
       "The value or the text being edited changed: the user typed, deleted, pasted or spun, or the host wrote "
       "Value. DataChanged is True afterwards.",
       {}},
      {VlEvent::Click, "Click", "The user clicked the box.", {}},
      {VlEvent::DblClick, "DblClick", "The user double-clicked the box.", {}},
      {VlEvent::KeyDown,
       "KeyDown",
       "A key went down while the box had the focus, before the box handles it.",
       {{"KeyCode", "Integer", Pass::IgnoredReference,
         "The key's virtual-key code (65 for A, 13 for Enter). Passed by reference, but the box does not read back "
         "what the handler writes."},
        {"Shift", "Integer", Pass::Value, "The keys held: 1 Shift, 2 Ctrl, 4 Alt, added together."}}},
      {VlEvent::KeyPress,
       "KeyPress",
       "A character is about to be typed into the box.",
       {{"KeyAscii", "Integer", Pass::Reference,
         "The character's code. Writing 0 drops the character; writing another code types that character "
         "instead."}}},
      {VlEvent::KeyUp,
       "KeyUp",
       "A key went up while the box had the focus.",
       {{"KeyCode", "Integer", Pass::IgnoredReference,
         "The key's virtual-key code. Passed by reference, but the box does not read back what the handler "
         "writes."},
        {"Shift", "Integer", Pass::Value, "The keys held: 1 Shift, 2 Ctrl, 4 Alt, added together."}}},
      {VlEvent::MouseDown, "MouseDown", "A mouse button went down over the box.", MouseParams(kPressButton)},
      {VlEvent::MouseMove, "MouseMove", "The mouse pointer moved over the box.",
       MouseParams("The button held: 2 right, 4 middle, 1 left; with several down, right before middle before "
                   "left; 0 for none.")},
      {VlEvent::MouseUp, "MouseUp", "A mouse button went up over the box.", MouseParams(kPressButton)},
      {VlEvent::ValueError,
       "ValueError",
       "A value was refused or adjusted: typed text outside the bounds or the format when the user leaves the "
       "box, a written value the box cannot take, a value cut to MaxLength or to the format, or an error code "
       "the host's UserCheckValue returned. Raised at run time only. Unless the handler says otherwise the "
       "box shows ErrString in a message box and takes the focus back.",
       {{"ErrValue", "Variant", Pass::Value,
         "The value concerned: the text typed, or the value before it was adjusted."},
        {"ErrCode", "Long", Pass::Value,
         "The error's number: a message of the string table (1000 to 1200), or the host's own code (100 to "
         "999) from UserCheckValue."},
        {"ErrString", "String", Pass::Value, "The message: the string table's text, or the host's own text."},
        {"CancelDisplay", "Boolean", Pass::Reference,
         "False on entry; True shows no message box (the handler shows its own, or none)."},
        {"ReturnFocus", "Boolean", Pass::Reference,
         "True on entry: the focus goes back to the box so the user can correct the text. False lets the focus "
         "move on: a refused value leaves the box its previous value, an adjusted one (1004 to 1006) stays taken."}}},
      {VlEvent::SpinDown, "SpinDown", "The user pressed the lower arrow of the spin button (or Ctrl+Down).", {}},
      {VlEvent::SpinUp, "SpinUp", "The user pressed the upper arrow of the spin button (or Ctrl+Up).", {}},
      {VlEvent::Furigana,
       "Furigana",
       "The user confirmed Japanese input through the input method: the reading of what was confirmed, in the "
       "kana FuriganaType chooses.",
       {{"KanaString", "String", Pass::Value, "The reading, such as ﾔﾏﾀﾞ for 山田."}}},
      {VlEvent::UserCheckValue,
       "UserCheckValue",
       "The host's own check of a value the box is about to take: when the user leaves the box and when the "
       "host writes Value. Raised at run time only, and only once the box's own checks passed.",
       {{"NewValue", "Variant", Pass::Value, "The value the box is about to take."},
        {"ErrCode", "Long", Pass::Reference,
         "0 on entry, which accepts the value. A code from 100 to 999 refuses it: ValueError follows with that "
         "code and ErrString as its message. A code from 1 to 7 reports the box's own error of that number "
         "(1 above UpperValue, 2 below LowerValue, ...)."},
        {"ErrString", "String", Pass::Reference, "Empty on entry; the message that goes with ErrCode."}}},
  };
  return table;
}

const EventInfo& FindEvent(VlEvent id) {
  for (const EventInfo& e : EventTable()) {
    if (e.id == id) return e;
  }
  throw std::logic_error("no event " + std::to_string(static_cast<int>(id)));
}

EventArgs MakeEventArgs(VlEvent id, std::initializer_list<Variant> values) {
  const EventInfo& info = FindEvent(id);
  if (values.size() != info.params.size()) throw std::logic_error(std::string("wrong argument count for ") + info.name);
  EventArgs args;
  auto value = values.begin();
  for (const EventParamInfo& p : info.params)
    args.Params().push_back(EventParam{p.name, *value++, p.pass != Pass::Value});
  return args;
}

const char* EventName(VlEvent id) {
  for (const EventInfo& e : EventTable()) {
    if (e.id == id) return e.name;
  }
  return "";
}

const std::vector<MethodInfo>& MethodTable() {
  static const std::vector<MethodInfo> table = {
      {-550, "Refresh", "Repaints the box: its text area and border (the captions are not redrawn)."},
      {-552, "AboutBox", "Shows the component's about box and returns when the user closes it."},
  };
  return table;
}

const IndexedPropertyInfo& CaptionsProperty() {
  static const IndexedPropertyInfo info = {
      kDispCaptions,
      "Captions",
      "nDirection",
      "The caption strip on one side of the box: 0 left, 1 right, 2 top, 3 bottom (VlTextCapLeft ... "
      "VlTextCapBottom). Reading gives the caption object of that side; writing a caption object copies all of "
      "its properties onto that side.",
      {{381, "the index is outside 0 to 3"}, {5, "the object written is not a caption object of this component"}}};
  return info;
}

const std::vector<ConstantGroup>& ConstantGroups() {
  static const std::vector<ConstantGroup> groups = {
      {"VlTextDataTypeConstants",
       "DataType",
       {{"VlTextInteger", 2, "16-bit whole number, -32,768 to 32,767"},
        {"VlTextLong", 3, "32-bit whole number"},
        {"VlTextSingle", 4, "single-precision number"},
        {"VlTextDouble", 5, "double-precision number"},
        {"VlTextCurrency", 6, "exact amount with four decimals"},
        {"VlTextDate", 7, "date and time"},
        {"VlTextString", 8, "text"},
        {"VlTextBoolean", 11, "True or False, shown as a check box"},
        {"VlTextByte", 17, "whole number 0 to 255"}}},
      {"VlTextIMEModeConstants",
       "IMEMode",
       {{"VlTextIMENoOp", 0, "leave the input method as it is"},
        {"VlTextIMEOn", 1, "open the input method, keeping its conversion mode"},
        {"VlTextIMEOff", 2, "close the input method"},
        {"VlTextIMEDisable", 3, "no input method while the box has the focus"},
        {"VlTextIMEHiragana", 4, "open, full-width hiragana"},
        {"VlTextIMEKatakanaDbl", 5, "open, full-width katakana"},
        {"VlTextIMEKatakanaSng", 6, "open, half-width katakana"},
        {"VlTextIMEAlphaDbl", 7, "open, full-width alphanumerics"},
        {"VlTextIMEAlphaSng", 8, "open, half-width alphanumerics"}}},
      {"VlTextFuriganaTypeConstants",
       "FuriganaType",
       {{"VlTextHanKata", 0, "half-width katakana (ﾔﾏﾀﾞ)"},
        {"VlTextZenKata", 1, "full-width katakana (ヤマダ)"},
        {"VlTextHira", 2, "hiragana (やまだ)"}}},
      {"VlTextCaptionDirectionConstants",
       "the index of Captions",
       {{"VlTextCapLeft", 0, "the strip left of the text area"},
        {"VlTextCapRight", 1, "the strip right of the text area"},
        {"VlTextCapTop", 2, "the strip above the text area"},
        {"VlTextCapBottom", 3, "the strip below the text area"}}},
      {"VlTextCaptionAlignmentConstants",
       "a caption's Alignment",
       {{"VlTextCapAlignTopLeft", 0, "top, left"},
        {"VlTextCapAlignTopCenter", 1, "top, centred"},
        {"VlTextCapAlignTopRight", 2, "top, right"},
        {"VlTextCapAlignMiddleLeft", 3, "middle, left"},
        {"VlTextCapAlignMiddleCenter", 4, "middle, centred"},
        {"VlTextCapAlignMiddleRight", 5, "middle, right"},
        {"VlTextCapAlignBottomLeft", 6, "bottom, left"},
        {"VlTextCapAlignBottomCenter", 7, "bottom, centred"},
        {"VlTextCapAlignBottomRight", 8, "bottom, right"}}},
      {"VlTextCaptionBorderConstants",
       "a caption's BorderStyle",
       {{"VlTextCapBorderNone", 0, "no border"},
        {"VlTextCapBorderSimple", 1, "a single line"},
        {"VlTextCapBorderRaised", 2, "a raised edge"},
        {"VlTextCapBorderSunken", 3, "a sunken edge"}}},
  };
  return groups;
}

const std::vector<std::pair<const char*, std::int32_t>>& TypeLibraryConstants() {
  static const std::vector<std::pair<const char*, std::int32_t>> constants = [] {
    std::vector<std::pair<const char*, std::int32_t>> out;
    for (const ConstantGroup& g : ConstantGroups()) {
      for (const ConstantInfo& c : g.constants) out.emplace_back(c.name, c.value);
    }
    return out;
  }();
  return constants;
}

}  // namespace vl
