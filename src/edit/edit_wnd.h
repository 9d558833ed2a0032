// CVlEditWnd: the window that owns the keyboard while the box has the focus, and the common base
// of the per-type editors.
//
// The control never reads the keyboard itself; it hands its settings to the edit window through
// the operations below and hears back only through the VLM_ messages (edit_messages.h).
#pragma once

#include <cstdint>
#include <string>

#include "edit/edit_messages.h"
#include "platform/font.h"
#include "platform/window.h"
#include "value/typed_value.h"

namespace vl {

namespace win {
class DeviceContext;
}

// Style word bits the control passes to its edit window.
inline constexpr std::uint32_t kStyleCenter = 0x00000001;
inline constexpr std::uint32_t kStyleRight = 0x00000002;
inline constexpr std::uint32_t kStyleMultiLine = 0x00000004;
inline constexpr std::uint32_t kStyleReadOnly = 0x00000800;
inline constexpr std::uint32_t kStyleFlat = 0x00002000;
inline constexpr std::uint32_t kStyleVScroll = 0x00400000;
inline constexpr std::uint32_t kStyleHScroll = 0x00800000;

// Tab-navigation option bits.
inline constexpr std::uint16_t kTabByReturn = 0x01;
inline constexpr std::uint16_t kTabByVertKey = 0x02;
inline constexpr std::uint16_t kTabByInputLast = 0x04;
inline constexpr std::uint16_t kTabByHorzKey = 0x08;

// What the editor answers when the control asks for its value.
struct EditorValue {
  bool isNull = true;  // the editor is in its null state
  TypedValue value;    // the editor's typed value (when not null)
  std::string text;    // the text it was taken from
  bool error = false;  // the text did not give a clean value; lastError tells why
};

class CVlEditWnd : public win::Window {
 public:
  explicit CVlEditWnd(std::uint16_t dataType);
  ~CVlEditWnd() override;

  std::uint16_t DataType() const { return dataType_; }

  // Window lifetime. Create makes the platform window ("EDIT" class) as a child of the control.
  bool Create(win::System& system, std::uint32_t styleBits, win::RECT rect, win::HWND parent);
  bool IsCreated() const { return created != 0; }
  void MoveEditor(win::RECT rect, bool repaint);
  void Destroy();

  // --- Virtual operations, in slot order ---
  virtual bool FitsDisplayWidth(win::DeviceContext* dc);
  virtual win::RECT GetTextRect();
  virtual bool DrawEditArea(win::DeviceContext* dc, win::RECT rect, double spinRatio, int alignment, std::uint32_t flags);
  virtual void ShowEditor(bool show);
  virtual bool EnableEditor(bool enable);
  virtual void SetLocked(bool locked);
  virtual std::int32_t GetLastError();
  virtual void GetDisplayText(std::string& out);
  virtual bool SetDisplayText(const std::string& text);
  virtual void SetNull(bool isNull);
  virtual void GetFormat(std::string& out);
  virtual bool SetFormat(const std::string& format);
  virtual std::uint32_t GetStyleBits();
  virtual bool SetStyleBits(std::uint32_t bits);
  virtual std::int32_t GetMaxLength();
  virtual bool SetMaxLength(std::int32_t length);
  virtual char GetPasswordChar();
  virtual void SetPasswordChar(char c);
  virtual void GetFont(win::LOGFONT& out);
  virtual bool SetFont(const win::LOGFONT& font);
  virtual bool GetHideSelection();
  virtual void SetHideSelection(bool hide);
  virtual bool GetSelectByFocus();
  virtual void SetSelectByFocus(bool select);
  virtual bool GetInsertMode();
  virtual void SetInsertMode(bool insert);
  virtual void GetSel(std::int32_t& start, std::int32_t& length);
  virtual void SetSel(std::int32_t start, std::int32_t length);
  virtual void GetSelText(std::string& out);
  virtual bool SetSelText(const std::string& text);
  virtual std::uint16_t GetIMEMode();
  virtual void SetIMEMode(std::uint16_t mode);
  virtual std::uint16_t GetFuriganaType();
  virtual void SetFuriganaType(std::uint16_t type);
  virtual bool GetTabByReturn();
  virtual void SetTabByReturn(bool on);
  virtual bool GetTabByVertKey();
  virtual void SetTabByVertKey(bool on);
  virtual bool GetTabByHorzKey();
  virtual void SetTabByHorzKey(bool on);
  virtual bool GetTabByInputLast();
  virtual void SetTabByInputLast(bool on);
  virtual std::int32_t GetSpinButton();
  virtual void SetSpinButton(std::int32_t where);
  virtual std::int32_t GetSpinDelay();
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

  // --- The typed-editor contract the control core relies on ---
  // Loads a value from the control (never Null: the core uses SetNull for that). False with
  // lastError when the editor refused it (1, 2, 6) or had to adjust it (3, 5, 7); `produced`
  // receives the text the editor made of it.
  virtual bool SetValue(const TypedValue& value, std::string& produced);
  // The editor's current value, text and error flag.
  virtual EditorValue GetValue();
  virtual void SetLowerValue(const TypedValue& value);
  virtual void SetUpperValue(const TypedValue& value);
  virtual void SetCheckValue(bool check);
  // Checks the text on focus loss and commits it into the editor's value; false with lastError.
  virtual bool CommitText();
  // Boolean box: its check-box caption. Date box: its era profile.
  virtual void SetCaption(const std::string& caption);
  virtual void SetEraProfile(const std::string& path);
  // The text being edited (the Text property).
  virtual std::string GetText();

  // Fields the control writes directly.
  std::int32_t keepNull = 0;

 protected:
  std::int32_t isNull = 1;
  std::int32_t lastError = 0;
  std::int32_t numericMode = 0;
  std::int32_t created = 0;
  win::RECT createRect;
  std::uint32_t styleBits = 0;
  std::int32_t singleLine = 1;
  std::string editText;
  std::string displayText;
  std::int32_t maxLength = -1;
  std::int32_t passwordChar = 0;
  std::int32_t hideSelection = 1;
  std::int32_t selectByFocus = 0;
  std::int32_t enabled = 1;
  std::int32_t locked = 0;
  std::uint16_t imeMode = 0;
  std::uint16_t furiganaType = 0;
  std::uint16_t tabFlags = 0;
  win::LOGFONT font;
  std::int32_t insertMode = 1;
  std::int32_t spinButton = 0;
  float spinIncrease = 1.0f;
  std::int32_t spinDelay = 250;
  std::int32_t selStart = 0;   // characters
  std::int32_t selLength = 0;  // characters

  std::uint16_t dataType_;
};

}  // namespace vl
