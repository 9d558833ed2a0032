// ValueCommit: the typed value an editor holds, its Null state, the range the value must lie in,
// and the one sequence every editor takes a value through.
//
// A value the control hands over is made the editor's own (fitted to its Format, cut to its
// length), checked, stored and shown. The text the user edited is read as a value, checked,
// stored and shown again. Each editor supplies only what differs (ValueCommit::Editor): how a
// handed value becomes its own, how its text reads as a value, what its format refuses, and how
// it shows what it took. Whether a step failed, and why, is the editor's status (`EditError`).
#pragma once

#include <cstdint>
#include <string>

#include "edit/value_range.h"
#include "value/typed_value.h"

namespace vl {

// What the editor answers when the control asks for its value.
struct EditorValue {
  bool isNull = true;  // the editor is in its null state
  TypedValue value;    // the editor's typed value (when not null)
  std::string text;    // the text it was taken from
  bool error = false;  // the text did not give a usable value; lastError tells why
};

class ValueCommit {
 public:
  // The parts of the sequence that differ per editor. A hook that fails sets the status.
  class Editor {
   public:
    // A value handed over by the control, as the editor will hold it, and the text made of it.
    // False refuses it; true with an adjustment status (3, 5) takes the adjusted value.
    virtual bool PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) = 0;
    // The value just loaded is shown; `produced` becomes the text shown where that differs.
    virtual void ShowLoaded(std::string& produced) = 0;
    // The text being edited, as the value is read from it and as a refusal reports it.
    virtual std::string ValueText() const = 0;
    // The text read as a value; false (with status 1, 2 or 7) when it gives none.
    virtual bool TextToValue(const std::string& text, TypedValue& out) = 0;
    // What the editor's format refuses in a value before the range is asked (0: nothing).
    virtual std::int32_t CheckFormat(const TypedValue&) { return 0; }
    // A committed value is shown again, in the form it was stored.
    virtual void ShowCommitted() {}

   protected:
    ~Editor() = default;
  };

  ValueCommit(std::uint16_t dataType, Editor& editor, std::int32_t& status);

  bool IsNull() const { return isNull_; }
  void SetNullState(bool on) {
    isNull_ = on;
    nullEnding_ = false;
  }
  // The user began with the box (it took the focus without KeepNull, or was edited): a box whose
  // text is its value leaves Null at once; a typed editor when its text is next read back into it
  // (the window text refreshed), so until it is edited or left it still answers Null.
  void EndNull();
  // The window shows the Null state: Null, and nothing has begun to end it.
  bool ShowsNull() const { return isNull_ && !nullEnding_; }
  struct NullState {
    bool isNull;
    bool ending;
  };
  NullState SavedNull() const { return {isNull_, nullEnding_}; }
  void RestoreNull(NullState state) {
    isNull_ = state.isNull;
    nullEnding_ = state.ending;
  }
  // The value last stored (kept while the box is Null, for the next step to start from).
  const TypedValue& Value() const { return value_; }
  void Store(const TypedValue& value);
  ValueRange& Range() { return range_; }
  const ValueRange& Range() const { return range_; }

  // A value from the control: prepared, checked, stored, shown. False with the status when it was
  // refused or adjusted; `produced` is the text made of it.
  bool Load(const TypedValue& handed, std::string& produced);
  // The edited text read as the value, checked and stored (not shown again). A Null box answers
  // Null; an unusable text answers the value stored before, with `error` set.
  EditorValue Read();
  // The edited text committed: read, checked, stored and shown again. True for a Null box.
  bool Commit();
  // The value the host's UserCheckValue sees: Null, or the value, a date as its serial number.
  TypedValue ForUserCheck() const;

  // A String box's value is its text as typed. Reading it checks nothing: its mask and bounds are
  // checked when the box is left, so a handler that reads Value in the middle of typing gets what
  // was typed, not an error for a mask still half filled. And its Null ends as soon as the user
  // begins with it (EndNull).
  bool textIsValue = false;

 private:
  // The editor's format, then the range; false with the status.
  bool Check(const TypedValue& value);

  Editor& editor_;
  std::int32_t& status_;
  ValueRange range_;
  bool isNull_ = true;
  bool nullEnding_ = false;  // Null until the text is next read back (EndNull)
  TypedValue value_;
};

}  // namespace vl
