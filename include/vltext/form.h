// vl::Form and vl::Box: boxes on a form, their properties and events, input as a user gives it,
// and what the user sees. All texts are UTF-8; refusals are vl::Error.
//
//   vl::Form form;
//   vl::Box price = form.AddBox("price");
//   price.SetDataType(vl::DataType::Currency);
//   price.SetFormat("#,##0.00");
//   price.On("ValueError", [](vl::Event& e) { e["CancelDisplay"] = vl::TypedValue::Boolean(true); });
//   form.Focus("price");
//   form.Type("1234.5");
//   form.Key("Tab");
//   price.Value();  // Currency 1234.5
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vltext/data.h"
#include "vltext/error.h"
#include "vltext/format.h"
#include "vltext/input.h"
#include "vltext/pages.h"
#include "vltext/picture.h"
#include "vltext/store.h"
#include "vltext/value.h"

namespace vl {
inline namespace v1 {

class Form;

// A rectangle in the form's pixels.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// One parameter of an event. The handler may write a by-reference parameter (KeyAscii, KeyCode,
// CancelDisplay, ReturnFocus, ErrCode, ErrString); the box reads it back after the handler.
struct EventParam {
  std::string name;
  TypedValue value;
  bool byRef = false;
};

// An event raised by a box: its name and parameters in declaration order.
struct Event {
  std::string box;
  std::string name;
  std::vector<EventParam> params;

  // The parameter of that name; throws Error 438 when the event has none.
  TypedValue& operator[](std::string_view param);
  const TypedValue& operator[](std::string_view param) const;
  const TypedValue* Find(std::string_view param) const;
};

using EventHandler = std::function<void(Event&)>;

// A message box the component showed: its text, title and owner (a box's name, "form", or "").
struct MessageBoxRecord {
  std::string text;
  std::string title;
  std::string owner;
};

// What a message box asks of the host that shows it. `buttons` is the platform's flag word
// (0 OK, 1 OK/Cancel, 4 Yes/No, ...; the icon in bits 4-7).
struct MessageBoxRequest {
  std::string text;
  std::string title;
  std::string owner;
  std::uint32_t flags = 0;
};
// Returns the button pressed: 1 OK, 2 Cancel, 6 Yes, 7 No.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// A bound-property change notification a box sent to its container.
struct Notification {
  std::string box;
  std::string property;  // "Format", "Captions", ...
  std::int32_t dispid = 0;
};

struct Selection {
  std::int32_t start = 0;
  std::int32_t length = 0;
};

struct ClipboardContents {
  std::optional<std::string> text;   // CF_TEXT, UTF-8
  std::vector<std::string> formats;  // every format on it, by name ("CF_TEXT", "VlCF_LONG", ...)
};

// The input method as the user sees it in its indicator.
struct ImeState {
  bool open = false;
  std::uint32_t conversion = 0;
  std::uint32_t sentence = 0;
  bool attached = false;  // the focus window has an input context
};

// The accelerator a box reports to its host: Alt+key.
struct Mnemonic {
  char key = 0;
  bool alt = true;
};

class Font;
class Caption;
namespace detail {
struct FormState;
}  // namespace detail

// A box on a form: a handle that stays valid as long as its form (a handle of a removed form
// throws Error 5 when used).
class Box {
 public:
  const std::string& Name() const noexcept { return name_; }

  // --- By name: every property of the automation interface (vl::Properties()). Text as String,
  // flags as Boolean, numbers as Integer/Long/Single, colours as Long, typed properties as the
  // box's typed values. Unknown names throw Error 438; refused writes the property's error.
  TypedValue Get(std::string_view property) const;
  void Set(std::string_view property, const TypedValue& value);

  // --- Typed accessors of the common ones.
  TypedValue Value() const;
  void SetValue(const TypedValue& value);
  DataType GetDataType() const;
  void SetDataType(DataType type);
  std::string Format() const;
  void SetFormat(std::string_view utf8);
  std::string Text() const;
  void SetText(std::string_view utf8);
  std::int32_t MaxLength() const;
  void SetMaxLength(std::int32_t bytes);
  TypedValue LowerValue() const;
  void SetLowerValue(const TypedValue& value);
  TypedValue UpperValue() const;
  void SetUpperValue(const TypedValue& value);
  bool CheckValue() const;
  void SetCheckValue(bool on);
  bool Enabled() const;
  void SetEnabled(bool on);
  bool Locked() const;
  void SetLocked(bool on);
  std::uint32_t BackColor() const;
  void SetBackColor(std::uint32_t colour);
  std::uint32_t ForeColor() const;
  void SetForeColor(std::uint32_t colour);

  // The box's font object and the caption on one side (0 Left, 1 Right, 2 Top, 3 Bottom; other
  // indexes throw Error 381).
  vl::Font Font() const;
  void SetFont(const vl::Font& font);
  vl::Caption Caption(int direction) const;
  // Copies another caption object's properties onto this side (Captions(n) = object).
  void SetCaption(int direction, const vl::Caption& from);

  void Refresh();
  void AboutBox();

  // --- Events. The handler runs inside the box's own input handling; it may do anything to the
  // form (move the focus, write properties); an exception it throws is held and rethrown by the
  // Form call that was running. An empty handler removes it. Unknown names throw Error 438.
  void On(std::string_view event, EventHandler handler);

  // --- What the user sees.
  // The edit text while the box is being edited, else the display text through Format.
  std::string ShownText() const;
  // Whether the box is being edited now (its edit window shown), whatever holds the focus.
  bool Editing() const;
  Selection GetSelection() const;
  std::optional<Mnemonic> GetMnemonic() const;
  // The box's rectangle on the form, and a point of the box in the form's pixels.
  Rect Bounds() const;
  Point ToForm(int x, int y) const;
  // Moves and sizes the box as the host's layout does; the box keeps room for its captions.
  // Returns the rectangle it got.
  Rect Move(const Rect& rect);
  // Whether the box marked itself modified since the flag was last cleared.
  bool Modified() const;
  void SetModified(bool modified);
  // Design mode: the box shows its sizing tracker and takes the focus.
  bool DesignEdit();
  // --- Its property set. Save gives the entries saving writes; Load reads a store (a missing
  // entry takes its default, so an empty store resets every property).
  PropertyStore SaveProperties() const;
  void LoadProperties(const PropertyStore& store);
  // As a JSON file. Loading reads and checks the whole file before the box is touched (Error 75
  // for a missing or unreadable file, and the box is left as it was); saving replaces the file
  // only once the new one is written, and what is saved is no longer a change (Modified).
  void LoadPropertiesFile(const std::string& path);
  void SavePropertiesFile(const std::string& path);

  // Binds the box to a record source of its own form (DataSource), or unbinds it with nullptr;
  // the box hears of it at once. Error 5 for a source of another form.
  void SetDataSource(const RecordSource* source);

  friend bool operator==(const Box& a, const Box& b) noexcept { return a.form_ == b.form_ && a.name_ == b.name_; }

  // Made by Form::AddBox and Form::GetBox.
  Box(std::shared_ptr<detail::FormState> form, std::string name) : form_(std::move(form)), name_(std::move(name)) {}

 private:
  std::shared_ptr<detail::FormState> form_;
  std::string name_;
};

// A font object of a box or a caption. Writes change the owner's font at once.
class Font {
 public:
  std::string Name() const;
  void SetName(std::string_view utf8);
  double Size() const;          // points
  void SetSize(double points);  // 0 < points <= 2000, else Error 380
  bool Bold() const;
  void SetBold(bool on);
  bool Italic() const;
  void SetItalic(bool on);
  bool Underline() const;
  void SetUnderline(bool on);
  bool Strikethrough() const;
  void SetStrikethrough(bool on);
  std::int32_t Weight() const;
  std::int32_t Charset() const;

  struct Impl;
  explicit Font(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}
  const std::shared_ptr<Impl>& Internal() const noexcept { return impl_; }

 private:
  std::shared_ptr<Impl> impl_;
};

// One of the four caption strips around a box. Sizes are in the container's units (points).
class Caption {
 public:
  std::string Text() const;
  void SetText(std::string_view utf8);
  std::int16_t Alignment() const;
  void SetAlignment(std::int16_t alignment);
  std::int16_t BorderStyle() const;
  void SetBorderStyle(std::int16_t style);
  float Size() const;
  void SetSize(float units);
  float Spacing() const;
  void SetSpacing(float units);
  float Padding() const;
  void SetPadding(float units);
  std::uint32_t TextColor() const;
  void SetTextColor(std::uint32_t colour);
  std::uint32_t BackColor() const;
  void SetBackColor(std::uint32_t colour);
  // The caption's own font; nullopt until one is given.
  std::optional<vl::Font> Font() const;
  // A copy of `font`, or the default caption font for nullopt.
  void SetFont(const std::optional<vl::Font>& font);

  struct Impl;
  explicit Caption(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}
  const std::shared_ptr<Impl>& Internal() const noexcept { return impl_; }

 private:
  std::shared_ptr<Impl> impl_;
};

struct FormOptions {
  bool designMode = false;     // the ambient user mode: false runs the form, true is a design surface
  bool browserHosted = false;  // the boxes sit in a web browser's window
  bool fixedFont = false;      // measure with the fixed-metrics font instead of the Japanese gothic
};

// The clock a form runs on. Virtual time moves only through Form::Wait, so every run repeats;
// the real clock is the desktop's (Form::Tick runs what fell due).
enum class ClockKind { Virtual, Real };

class Form {
 public:
  explicit Form(const FormOptions& options = {});
  ~Form();
  Form(Form&&) noexcept;
  Form& operator=(Form&&) noexcept;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // --- Boxes and buttons. Names are unique across both; a taken or empty name throws Error 5.
  // The rectangle defaults to the form's next row.
  Box AddBox(std::string_view name, std::optional<Rect> rect = std::nullopt);
  void AddButton(std::string_view name, std::optional<Rect> rect = std::nullopt);
  // The box of that name; Error 5 when there is none.
  Box GetBox(std::string_view name) const;
  std::optional<Box> FindBox(std::string_view name) const;
  // Boxes and buttons in tab order.
  std::vector<std::string> BoxNames() const;
  std::vector<std::string> ButtonNames() const;
  // The rectangle of a button; nullopt when there is none of that name.
  std::optional<Rect> ButtonBounds(std::string_view name) const;

  // --- Record sources: a cursor over a table of `db` (its columns updatable) or over a
  // "select ..." text (read only), by a name unique on the form (Error 5 for a taken one).
  RecordSource AddSource(std::string_view name, const Database& db, std::string_view tableOrSelect);

  bool UserMode() const;
  void SetUserMode(bool user);

  // --- The focus, as the host gives it: to a box or a button by name (Error 5 for neither).
  void Focus(std::string_view name);
  std::optional<std::string> Focused() const;
  // Takes the focus from whatever holds it, as a window that closes or goes to the background
  // does: the box being edited checks and commits its text as on any focus move.
  void ReleaseFocus();

  // --- Keyboard. Each call delivers its input and runs what it causes before returning.
  // Characters as typed: a single-byte character is its key (with Shift as the layout needs),
  // a double-byte one arrives from the input method.
  void Type(std::string_view utf8);
  // Key-down, the key's character, key-up of a chord (ParseKeyChord; Error 5 for an unknown one).
  void Key(std::string_view chord);
  // Holds a chord down; `autoRepeat` repeats the key as time passes until KeyUp.
  void KeyDown(std::string_view chord, bool autoRepeat = false);
  void KeyUp(std::string_view chord);
  // One virtual key, as a keyboard sends it. A key-down of a key already down is a repeat.
  void KeyDown(int vk, KeyText text = KeyText::All);
  void KeyUp(int vk);
  // Characters no key made (a desktop's text input): single-byte ones as characters,
  // double-byte ones as input-method characters.
  void Characters(std::string_view utf8);
  // Whether a key is down now, as the box sees the keyboard.
  bool IsKeyDown(int vk) const;

  // --- Mouse, in the form's pixels. Modifiers are the keys held (KeyDown of Shift, Ctrl, Alt).
  void Mouse(MouseAction action, Point at);
  // The mouse wheel turned by `delta` (120 a notch; positive away from the user) with the pointer
  // at `at`. As on the desktop, the window with the keyboard focus takes it: a multi-line box
  // scrolls its text three lines a notch.
  void Wheel(Point at, int delta);
  // Buttons held during the next moves, as in a drag that began outside the form.
  void SetHeldButtons(const std::vector<MouseButton>& buttons);
  // The pointer's shape after the last mouse input.
  vl::Cursor Cursor() const;

  // --- The input method, as the user works it.
  // A confirmed composition: its text and its reading (the kana the Furigana event reports).
  // False when the focused box has no input context or the input method is closed.
  bool Compose(std::string_view result, std::string_view reading = {});
  // The composition the user is typing before it is confirmed, drawn in a box at the caret of
  // the focused box, underlined (as the input method's own composition window shows it); an
  // empty text removes it. Error 380 for a character the box cannot hold.
  void SetPreedit(std::string_view utf8);
  std::string Preedit() const;
  ImeState GetImeState() const;
  bool SetImeState(std::optional<bool> open, std::optional<std::uint32_t> conversion = std::nullopt,
                   std::optional<std::uint32_t> sentence = std::nullopt);

  // --- Time.
  ClockKind GetClockKind() const;
  // From now on the form runs on the desktop's clock (there is no way back).
  void UseRealClock();
  // Virtual clock: time moves `milliseconds`, running timers and key repeats as they fall due.
  // Real clock: runs what fell due by now (the argument is ignored).
  void Wait(std::uint32_t milliseconds);
  // Sets the calendar clock's "now" (virtual clock only; Error 5 on the real one).
  void SetNow(const TypedValue& date);

  // --- Transcript: what happened since the last call, oldest first.
  std::vector<Event> TakeEvents();
  std::vector<MessageBoxRecord> TakeMessages();
  std::vector<Notification> TakeNotifications();
  // Who answers message boxes: by default nobody (OK), and every box is recorded for
  // TakeMessages either way.
  void SetMessageBoxHandler(MessageBoxHandler handler);

  // --- Clipboard.
  ClipboardContents Clipboard() const;
  // Replaces the clipboard with a text (UTF-8; Error 380 for a character the box cannot hold).
  void SetClipboardText(std::string_view utf8);

  // --- Design time: the property frame of a box, and the common dialogs its pages open.
  PropertyPages OpenPropertyPages(const Box& box, const Palette& palette);
  // The answers of the next common dialogs of a kind, in the order given; nullopt answers Cancel.
  // A dialog with no answer waiting is cancelled.
  void AnswerDialog(DialogKind kind, std::optional<DialogAnswer> answer);
  std::vector<DialogRecord> TakeDialogs();

  // --- Pictures.
  // The form as the user sees it: the face around the boxes and buttons, 8 pixels beyond the
  // outermost. `fixedFont` draws with the fixed-metrics font.
  Picture Render(bool fixedFont = false);
  Picture RenderBox(const Box& box, bool fixedFont = false, bool metafile = false);
  // Draws the form into a caller's buffer at its top-left corner, clipped to the buffer.
  void Draw(const RgbaBuffer& target);
  // The size Render makes.
  Rect Extent() const;
  // Whether the text caret is drawn; a desktop host blinks it.
  void SetCaretVisible(bool visible);

  // --- The form as a file: each box's name, rectangle and property set. Load makes a new form
  // with the same boxes (Error 75 for a missing or unreadable file).
  void SaveFile(const std::string& path);
  static Form LoadFile(const std::string& path, const FormOptions& options = {});

  // Made by the component for a container it hands out.
  explicit Form(std::shared_ptr<detail::FormState> state) : state_(std::move(state)) {}

 private:
  std::shared_ptr<detail::FormState> state_;
};

}  // namespace v1
}  // namespace vl
