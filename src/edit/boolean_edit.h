// CVlBooleanEdit: the editor of a Boolean box. Instead of a text box it shows a check box
// (CVlCheckButton) with the box's Caption beside it, in three states: unchecked, checked, and
// Null (grey). The control drives it through the common editor contract; its window handle is
// the check box's, so focus, visibility and messages address the button.
//
// Null ends on a click, on SetValue, and when the box takes the focus unless KeepNull is set.
// A click on a Null box checks it: the button shows Null as unchecked and a click flips that.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "edit/check_button.h"
#include "edit/edit_wnd.h"

namespace vl {

class CVlBooleanEdit : public CVlEditWnd {
 public:
  CVlBooleanEdit();
  ~CVlBooleanEdit() override;

  bool Create(win::System& system, std::uint32_t bits, win::RECT rect, win::HWND parent) override;
  void MoveEditor(win::RECT rect, bool repaint) override;
  void Destroy() override;

  bool DrawEditArea(win::DeviceContext* dc, win::RECT rect, double spinRatio, int alignment, std::uint32_t flags) override;
  void ShowEditor(bool show) override;
  bool EnableEditor(bool enable) override;
  void SetLocked(bool locked) override;
  void GetDisplayText(std::string& out) override;
  bool SetDisplayText(const std::string& text) override;
  void SetNull(bool isNull) override;
  void GetFormat(std::string& out) override;
  bool SetFormat(const std::string& format) override;
  bool SetStyleBits(std::uint32_t bits) override;
  bool SetMaxLength(std::int32_t length) override;
  bool SetFont(const win::LOGFONT& font) override;
  void GetSel(std::int32_t& start, std::int32_t& length) override;
  void SetSel(std::int32_t start, std::int32_t length) override;
  void GetSelText(std::string& out) override;
  bool SetSelText(const std::string& text) override;
  void SetSpinButton(std::int32_t where) override;
  bool RefreshDisplay() override;
  bool BeginEdit() override;
  bool ValidateText(const std::string& text) override;
  bool FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t& extra) override;
  void Copy() override;
  bool Paste() override;
  bool Clear() override;

  void SetCaption(const std::string& caption) override;
  std::string GetText() override;
  // A check box shows no text of its own: what it stands for is its value's text.
  std::string EditingText() const override { return ValueText(); }

  const std::string& GetCaption() const { return caption; }
  std::uint32_t ButtonStyle() const { return buttonStyle; }
  win::RECT ButtonRect() const { return buttonRect; }
  CVlCheckButton& Button() { return *button; }
  bool IsNull() const { return valueCommit.IsNull(); }
  bool Checked() const { return valueCommit.Value().AsBool(); }

  // A click the control received on the Boolean box while it is edited, at a point of the
  // button's client area: the button takes it as if the user had pressed and released there.
  // The point is in the control window's client coordinates.
  void ClickFromControl(win::POINT point);
  // Only the press of such a click: the button takes the mouse capture, so the user's release
  // reaches it directly and completes the click.
  void PressFromControl(win::POINT point, win::WPARAM keys);

  // Called by the button.
  void OnButtonClicked();
  void OnButtonFocus(win::HWND previous);
  void OnButtonKillFocus(win::HWND next);
  void OnButtonDestroyed();
  // False when the host's handlers gave this editor up or made its button anew meanwhile.
  bool SendToControlFromButton(win::UINT msg) { return SendToControl(msg); }
  template <typename Record>
  bool SendToControlFromButton(win::UINT msg, Record& record) {
    return SendToControl(msg, record);
  }
  std::uint16_t TabFlags() const { return tabFlags; }
  // Cut on a check box copies the value's text; the value itself stays (a check box has no
  // empty state for a user to cut it to).
  void CutText();

  // The check-box look for drawing now: Null only while the value is Null.
  CheckBoxLook Look(bool forEditArea) const;

 protected:
  // The editor's part of the value sequence (value_commit.h): a handed value taken as a Boolean,
  // the check box's state as the value.
  bool PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) override;
  void ShowLoaded(std::string& produced) override;
  std::string ValueText() const override;
  bool TextToValue(const std::string& text, TypedValue& out) override;

 private:
  // The button's window style for a style word: its window bits plus WS_CHILD, WS_VISIBLE and
  // BS_OWNERDRAW.
  static std::uint32_t ButtonStyleFor(std::uint32_t bits);
  void ShowChecked();
  win::LPARAM ButtonPoint(win::POINT controlPoint) const;

  std::string caption;
  std::uint32_t buttonStyle;
  std::unique_ptr<CVlCheckButton> button;
  win::RECT buttonRect;
};

}  // namespace vl
