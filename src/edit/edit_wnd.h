// CVlEditWnd: the window that owns the keyboard while the box has the focus, and the common base
// of the per-type editors.
//
// The edit window is a standard edit control underneath: keys it does not handle itself get the
// control's default processing. The text being edited lives in a MaskFieldModel, which decides
// where the caret may stand and what an insertion or deletion does; the edit window turns
// messages into model operations and shows the model's text. It never talks to the host: the
// control hears from it only through the VLM_ messages (edit_messages.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "edit/edit_messages.h"
#include "edit/value_commit.h"
#include "format/mask_field_model.h"
#include "platform/edit_control.h"
#include "platform/font.h"
#include "platform/imm.h"
#include "platform/window.h"
#include "runtime/clock.h"
#include "value/typed_value.h"

namespace vl {

namespace win {
class DeviceContext;
class FontBackend;
}

class CVlSpinButton;

// Style word bits the control passes to its edit window.
inline constexpr std::uint32_t kStyleCenter = 0x00000001;
inline constexpr std::uint32_t kStyleRight = 0x00000002;
inline constexpr std::uint32_t kStyleMultiLine = 0x00000004;
inline constexpr std::uint32_t kStyleUpperCase = 0x00000008;
inline constexpr std::uint32_t kStyleLowerCase = 0x00000010;
inline constexpr std::uint32_t kStylePassword = 0x00000020;
inline constexpr std::uint32_t kStyleAutoVScroll = 0x00000040;
inline constexpr std::uint32_t kStyleAutoHScroll = 0x00000080;
inline constexpr std::uint32_t kStyleKeepSelection = 0x00000100;
inline constexpr std::uint32_t kStyleOemConvert = 0x00000400;
inline constexpr std::uint32_t kStyleReadOnly = 0x00000800;
inline constexpr std::uint32_t kStyleWantReturn = 0x00001000;
inline constexpr std::uint32_t kStyleFlat = 0x00002000;
inline constexpr std::uint32_t kStyleTabStop = 0x00010000;
inline constexpr std::uint32_t kStyleGroup = 0x00020000;
inline constexpr std::uint32_t kStyleBorder = 0x00040000;
inline constexpr std::uint32_t kStyleChild = 0x00080000;
inline constexpr std::uint32_t kStyleVisible = 0x00100000;
inline constexpr std::uint32_t kStyleDisabled = 0x00200000;
inline constexpr std::uint32_t kStyleVScroll = 0x00400000;
inline constexpr std::uint32_t kStyleHScroll = 0x00800000;
inline constexpr std::uint32_t kStyleWindowEdge = 0x01000000;
inline constexpr std::uint32_t kStyleClientEdge = 0x02000000;

// Tab-navigation option bits.
inline constexpr std::uint16_t kTabByReturn = 0x01;
inline constexpr std::uint16_t kTabByVertKey = 0x02;
inline constexpr std::uint16_t kTabByInputLast = 0x04;
inline constexpr std::uint16_t kTabByHorzKey = 0x08;

class CVlEditWnd : public win::EditControl, protected ValueCommit::Editor {
 public:
  explicit CVlEditWnd(std::uint16_t dataType);
  ~CVlEditWnd() override;

  std::uint16_t DataType() const { return dataType_; }

  // Makes the platform window as a child of the control, with the stored style word and `bits`.
  // An editor that shows another kind of window (the Boolean box's check box) makes its own.
  virtual bool Create(win::System& system, std::uint32_t bits, win::RECT rect, win::HWND parent);
  bool IsCreated() const { return created; }
  // Moves the window (and its spin button beside it).
  virtual void MoveEditor(win::RECT rect, bool repaint);
  virtual void Destroy();
  // Makes the platform window anew with the style word `bits`, in the same place, shown and
  // focused as the old one was. Handing the focus from the old window to the new one is no user
  // leaving the box: nothing is checked or reported to the control meanwhile.
  void RecreateWindow(std::uint32_t bits);
  // The control gives this editor up (its data type changed): it reports nothing more to the
  // control, and its focus loss checks nothing, since its text is given up with its type.
  void Retire() { retired_ = true; }
  bool Retired() const { return retired_; }
  win::RECT CreateRect() const { return createRect; }
  CVlSpinButton* Spin() const { return spin_.get(); }

  // --- The operations the control sees, in slot order ---
  // Virtual where an editor refines them. The setters the control pushes a new editor's settings
  // through stay virtual even where no editor refines them: a stand-in editor records the push.
  bool FitsDisplayWidth(win::DeviceContext* dc);
  win::RECT GetTextRect();
  virtual bool DrawEditArea(win::DeviceContext* dc, win::RECT rect, double spinRatio, int alignment, std::uint32_t flags);
  virtual void ShowEditor(bool show);
  virtual bool EnableEditor(bool enable);
  virtual void SetLocked(bool locked);
  std::int32_t GetLastError() const { return lastError; }
  virtual void GetDisplayText(std::string& out);
  virtual bool SetDisplayText(const std::string& text);
  virtual void SetNull(bool isNull);
  virtual void GetFormat(std::string& out);
  virtual bool SetFormat(const std::string& format);
  std::uint32_t GetStyleBits() const { return styleBits; }
  // The alignment the window's style gives: 1 right (right wins over centre), 2 centre, 0 left.
  int StyleAlignment() const { return (styleBits & kStyleRight) ? 1 : (styleBits & kStyleCenter) ? 2 : 0; }
  virtual bool SetStyleBits(std::uint32_t bits);
  std::int32_t GetMaxLength() const { return maxLength; }
  virtual bool SetMaxLength(std::int32_t length);
  virtual char GetPasswordChar();
  virtual void SetPasswordChar(char c);
  void GetFont(win::LOGFONT& out) const { out = font; }
  virtual bool SetFont(const win::LOGFONT& font);
  bool GetHideSelection() const { return hideSelection; }
  virtual void SetHideSelection(bool hide);
  bool GetSelectByFocus() const { return selectByFocus; }
  virtual void SetSelectByFocus(bool select);
  bool GetInsertMode() const { return insertMode; }
  virtual void SetInsertMode(bool insert);
  virtual void GetSel(std::int32_t& start, std::int32_t& length);
  virtual void SetSel(std::int32_t start, std::int32_t length);
  virtual void GetSelText(std::string& out);
  virtual bool SetSelText(const std::string& text);
  std::uint16_t GetIMEMode() const { return imeMode; }
  virtual void SetIMEMode(std::uint16_t mode);
  std::uint16_t GetFuriganaType() const { return furiganaType; }
  virtual void SetFuriganaType(std::uint16_t type);
  bool GetTabByReturn() const { return tabFlags & kTabByReturn; }
  virtual void SetTabByReturn(bool on);
  bool GetTabByVertKey() const { return tabFlags & kTabByVertKey; }
  virtual void SetTabByVertKey(bool on);
  bool GetTabByHorzKey() const { return tabFlags & kTabByHorzKey; }
  virtual void SetTabByHorzKey(bool on);
  bool GetTabByInputLast() const { return tabFlags & kTabByInputLast; }
  virtual void SetTabByInputLast(bool on);
  std::int32_t GetSpinButton() const { return spinButton; }
  virtual void SetSpinButton(std::int32_t where);
  std::int32_t GetSpinDelay() const { return spinDelay; }
  virtual bool SetSpinDelay(std::int32_t milliseconds);
  virtual float GetSpinIncrease();
  virtual void SetSpinIncrease(float increase);
  virtual void OnSelectionSet();
  virtual bool SpinDown();
  virtual bool SpinUp();
  virtual bool RefreshDisplay();
  virtual void AfterDelete();
  virtual bool BeginEdit();
  virtual bool ValidateText(const std::string& text);
  virtual bool FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t& extra);
  virtual void Copy();
  virtual bool Paste();
  virtual bool Clear();

  // --- The typed-editor contract the control core relies on (value_commit.h) ---
  // Loads a value from the control (never Null: the core uses SetNull for that). False with
  // lastError when the editor refused it (1, 2, 6, 7) or had to adjust it (3, 5); `produced`
  // receives the text the editor made of it.
  bool SetValue(const TypedValue& value, std::string& produced);
  // The editor's current value, text and unusable flag.
  EditorValue GetValue() { return valueCommit.Read(); }
  // LowerValue, UpperValue and CheckValue: the range every editor checks its values against.
  virtual void SetLowerValue(const TypedValue& value) { valueCommit.Range().SetLower(value); }
  virtual void SetUpperValue(const TypedValue& value) { valueCommit.Range().SetUpper(value); }
  virtual void SetCheckValue(bool check) { valueCommit.Range().SetCheck(check); }
  // Checks the text and commits it into the editor's value; false with lastError.
  bool CommitText() { return valueCommit.Commit(); }
  // Boolean box: its check-box caption. Date box: its era profile.
  virtual void SetCaption(const std::string& caption);
  virtual void SetEraProfile(const std::string& path);
  // The text being edited (the Text property).
  virtual std::string GetText();

  // The window paints itself while it is shown (the box being edited): its colours from the
  // control, the text with the selection, and the caret while it has the focus. `dc` has its
  // origin at the window's top-left corner.
  void PaintEditor(win::DeviceContext& dc);
  void PrintClient(win::DeviceContext& dc) override { PaintEditor(dc); }
  // The calendar clock ("today") to use while the window does not exist yet; once it does, the
  // window system's clock is used.
  void SetClock(const Clock& clock) { clock_ = &clock; }

  // The text the window shows now (password characters included).
  std::string WindowText() const;
  // What the box shows while it is being edited: the window text, as drawn (a masked box its
  // edit layout with the literals, a password box its placeholders).
  virtual std::string EditingText() const { return WindowText(); }
  bool HasFocus() const;

  // Fields the control writes directly.
  bool keepNull = false;
  // The fonts the screen measures with; until the control gives them every text fits.
  win::FontBackend* screenFonts = nullptr;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

 protected:
  // --- Hooks of the typed editors ---
  // After the common focus-gain handling.
  virtual void OnFocusGained();
  // After the common focus-loss handling: check and commit the text, run the user check and
  // report the focus loss (VLM_FOCUSLEFT) to the control.
  virtual void OnFocusLost(win::HWND newFocus);
  // A character message before the common character input; true when handled.
  virtual bool OnTypedChar(std::uint32_t ch);

  // --- Common operations ---
  // The window text follows the model: the edit form (single-line) or the platform text.
  void RefreshWindowText();
  // The model's selection goes to the window and is scrolled into view.
  void ApplySelection();
  // After a value load while focused: select as SelectByFocus says.
  void ApplyFocusSelection();
  // Common part of a commit: the host's check of `value`, then an error record when it refused.
  // Each of these runs the host's handlers, which may retire this editor or make its window anew.
  // They return whether the editor is still the one it was (same window, not retired): a message
  // handler that goes on after them only does so when they return true.
  bool CommonCommit(const TypedValue& value);
  // The VLM_ messages to the control (edit_messages.h), with the edit window as their WPARAM.
  bool SendToControl(win::UINT msg);
  template <typename Record>
  bool SendToControl(win::UINT msg, Record& record) {
    if (!created || Sys() == nullptr || retired_ || recreating_) return false;
    const win::HWND self = Handle();
    SendVlm(*Sys(), Sys()->GetParent(self), msg, static_cast<win::WPARAM>(win::HandleId(self)), record);
    return StillLive(self);
  }
  bool SendError(std::int32_t code, const std::string& text);
  void SendFocusLeft(win::HWND newFocus);
  // The same editor, with the same window, as when `self` was its handle.
  bool StillLive(win::HWND self) const { return !retired_ && created && Handle() == self; }
  // CF_TEXT as every box puts it: the bytes and their terminating zero. False (nothing put, nothing
  // emptied) when the clipboard cannot be opened, so nothing is reported as done that was not.
  bool PutClipboardText(const std::string& text);
  // The clipboard's text up to its terminating zero; nothing when it cannot be opened or holds none.
  std::optional<std::string> TakeClipboardText();
  void SaveUndoText();
  // Puts the saved text back; false (nothing done) when nothing was saved for the value being
  // edited.
  bool Undo();
  // The undo text belongs to the value being edited: a value handed to the editor, or a new
  // focus, leaves nothing to undo.
  void ForgetUndo();
  void Cut();
  // A typed character (single- or double-byte) into the field model. A centred or right-aligned
  // single-line window does not scroll, so a character that would take the text past its
  // formatting rectangle is refused with status 4; a refusal of the model is status 3.
  bool InsertTypedChar(std::uint32_t ch);
  bool IsCentredOrRight() const;
  // Whether the window text would fit the formatting rectangle in the window's font.
  bool FitsFormatRect(const std::string& windowText) const;
  // The window's font, measured with the control's screen fonts once the box has them.
  int MeasureText(std::string_view shown) const override;
  int MeasureLineHeight() const override;
  void MeasurePieces(std::string_view shown, const std::vector<std::int32_t>& cuts,
                     std::vector<int>& widths) const override;
  // Whether a single-line text fits the area the window was last drawn in.
  bool FitsLastDrawArea(const std::string& text);
  // The display text of a single-line box with the live selection (SelStart..SelEnd).
  void DrawSingleLineText(win::DeviceContext& dc, const std::string& text, win::RECT rect, std::uint32_t flags);
  bool IsFocusedWindow() const;
  // A multi-line box's selection in bytes of its text (the window's, else the one kept for it),
  // and that text.
  void MultiLineSelection(std::int32_t& from, std::int32_t& to) const;
  std::string MultiLineText() const;
  // editText mirrors a multi-line window's text and follows it edit by edit: a key in a long text
  // copies the bytes it changed, not the whole text. Mark before the default processing, follow
  // after it; Follow says whether the text changed.
  struct WindowTextMark {
    std::uint64_t version = 0;
    std::optional<std::string> before;  // only when the mirror could not stand for it
  };
  WindowTextMark MarkWindowText() const;
  bool FollowWindowText(const WindowTextMark& mark);

  // --- Input method (ime.cpp) ---
  // Focus gain: IMEMode 0 leaves the input method alone, 3 detaches its context, the others
  // open (2: close) it and set their conversion mode.
  void ApplyImeOnFocus();
  // Focus loss: the detached context returns, or the state the user left is read back into the
  // requested mode and the input method is closed.
  void RestoreImeOnFocusLost();
  // The mask-driven switch (modes 4 to 12) while the box holds the input method open.
  void SwitchImeMode(std::uint16_t mode);
  // A confirmed composition: its reading goes to the control as VLM_FURIGANA.
  void OnImeComposition(win::LPARAM flags);
  std::int32_t ShiftState() const;
  // The window system's clock, else the one the control handed over; nullptr when neither.
  const Clock* CalendarClock() const;

  // Default processing of the standard edit control.
  win::LRESULT Default(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    return win::EditControl::WndProc(msg, wParam, lParam);
  }

  std::int32_t lastError = 0;
  bool created = false;
  win::RECT createRect;
  bool caretUnplaced = true;
  bool leftButtonDown = false;
  bool keyDownSeen = false;
  win::RECT textRect;
  std::uint32_t styleBits = 0;
  bool singleLine = true;
  std::string editText;
  std::uint64_t editTextVersion = 0;  // the window text's version editText mirrors
  std::string displayText;
  // The window text's version when it was last set to displayText (0: not known to be).
  std::uint64_t shownTextVersion = 0;
  std::string undoText;
  bool undoSaved = false;  // undoText holds a text saved for the value being edited
  std::int32_t maxLength = -1;
  std::int32_t passwordChar = 0;
  bool hideSelection = true;
  bool selectByFocus = false;
  bool enabled = true;
  bool locked = false;
  std::uint16_t imeMode = 0;
  std::uint16_t furiganaType = 0;
  std::uint16_t tabFlags = 0;
  win::LOGFONT font;
  bool insertMode = true;
  MaskFieldModel fieldModel;
  bool leadBytePending = false;
  std::uint32_t pendingChar = 0;
  bool imeCharSeen = false;
  bool reachedEnd = false;
  std::int32_t imeBytesExpected = 0;
  std::unique_ptr<CVlSpinButton> spin_;
  std::int32_t spinButton = 0;
  float spinIncrease = 1.0f;
  win::RECT spinRect;
  std::uint32_t savedSelection = 0;
  bool spinKeyRepeat = false;
  std::uint32_t spinKeyLastTick = 0;
  bool focusFromSameForm = true;
  std::int32_t spinDelay = 250;
  // Input-method state of the box (ime.cpp).
  std::uint16_t appliedImeMode = 0;     // the mode last set by the conversion step; 0 none
  bool imeOpenedByBox = false;          // the box changed the open status at focus gain
  std::uint32_t savedSentenceMode = 0;  // restored at focus loss
  win::HIMC savedContext{};             // the context detached by mode 3

  std::uint16_t dataType_;
  // The typed value, its Null state and range, and the commit sequence every editor shares.
  ValueCommit valueCommit;
  bool destroying_ = false;
  bool retired_ = false;
  bool recreating_ = false;  // RecreateWindow is under way
  std::uint32_t focusLeftReports_ = 0;  // VLM_FOCUSLEFT reports sent, to tell whether a loss was reported
  const Clock* clock_ = nullptr;

 private:
  void OnSetFocusMessage(win::HWND previous);
  void OnKillFocusMessage(win::HWND next);
  win::LRESULT OnKeyDownMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  win::LRESULT OnKeyUpMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  win::LRESULT OnCharMessage(win::WPARAM wParam, win::LPARAM lParam);
  win::LRESULT OnImeCharMessage(win::WPARAM wParam, win::LPARAM lParam);
  win::LRESULT OnMouseMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  win::LRESULT ClipboardMessage(win::UINT msg);
  void SpinFromKeyboard(bool up, bool repeat);
  void CreateSpin();
  void PlaceSpin();
  bool KeyRecord(win::UINT vlm, int vk);
  void ApplyImeMode(win::HIMC himc, std::uint16_t mode);
  bool HandleSingleLineKeyDown(int vk, bool& stop);
  // Puts the system's caret where it is drawn, and draws it unless the host's blink hides it.
  void ShowCaret(win::DeviceContext& dc, int x, int top, int height, const win::RECT& clip);
};

}  // namespace vl
