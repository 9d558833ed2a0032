// CVlStringEdit: the editor of a String box.
//
// Without a mask it is a plain single- or multi-line text box whose MaxLength counts bytes, so a
// double-byte character needs two free bytes. With a mask (the first Format section) a single-line
// box edits a fixed row of positions through the field model: every typed or pasted character must
// be accepted by the run of the position it fills, letters take the case of the run's case marker
// (ａ typed into a "<" run is stored as Ａ), and moving the caret into a run switches the input
// method to the run's width. A "!" mask lays the value in from the right:
//   "!\(99\)9999\-9999" holding «312345678» shows «( 3)1234-5678».
// Mask capacity counts characters; MaxLength counts bytes. A pasted text that the mask refuses as
// it is but that carries the mask's literals where the mask has them («123-4567» for
// "999\-9999", copied from another masked box) is laid in with those literals skipped.
//
// Leaving the box checks the text against the mask (7: a refused character or an empty required
// position) and, with CheckValue, against LowerValue/UpperValue compared byte-wise (2 before the
// lower bound, 1 after the upper one; a reversed pair is exchanged). A passing text goes to the
// host's UserCheckValue as a String.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "edit/edit_wnd.h"
#include "format/string_mask.h"

namespace vl {

class CVlStringEdit : public CVlEditWnd {
 public:
  CVlStringEdit();

  void SetNull(bool on) override;
  void GetFormat(std::string& out) override;
  bool SetFormat(const std::string& format) override;
  bool SetStyleBits(std::uint32_t bits) override;
  bool SetMaxLength(std::int32_t length) override;
  char GetPasswordChar() override;
  void SetPasswordChar(char c) override;
  bool SetSelText(const std::string& text) override;
  // A String box has no spin steps: the spin settings are taken and ignored.
  void SetSpinButton(std::int32_t where) override;
  bool SetSpinDelay(std::int32_t milliseconds) override;
  float GetSpinIncrease() override;
  void OnSelectionSet() override;
  bool RefreshDisplay() override;
  bool ValidateText(const std::string& text) override;
  bool FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t& extra) override;
  void Copy() override;
  bool Paste() override;

  // The commit checks of a text: 0 passes, 7 against the mask, 2 before LowerValue, 1 after
  // UpperValue.
  std::int32_t CheckText(const std::string& text) const;
  // The text a value of the box shows while it does not have the focus.
  std::string DisplayForm() const;
  // The input-method mode the mask asks for at the caret (4, 9-12), or 0 for none.
  std::uint16_t MaskImeModeAtCaret() const;
  // The edit layout as the field model holds it.
  const std::vector<FieldSegment>& Segments() const { return fieldModel.Segments(); }

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

 protected:
  void OnFocusLost(win::HWND newFocus) override;

  // The editor's part of the value sequence (value_commit.h): a handed text cut to MaxLength and
  // the mask's capacity, the text itself as the value, the mask's check before the bounds.
  bool PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) override;
  void ShowLoaded(std::string& produced) override;
  std::string ValueText() const override { return CurrentText(); }
  bool TextToValue(const std::string& text, TypedValue& out) override;
  std::int32_t CheckFormat(const TypedValue& value) override;

 private:
  bool HasPositions() const { return capacity_ > 0; }
  // 7 when the mask refuses the text (a refused character, a required position empty), else 0.
  std::int32_t MaskCheck(const std::string& text) const;
  // The text being edited: the field model's value without markers, or the multi-line text.
  std::string CurrentText() const;
  // Loads a text as the edit text and refreshes the display.
  void LoadText(const std::string& text);
  // Index of the input position the next typed character fills (the selection's start); the
  // capacity when the caret stands after the last position.
  std::int32_t CaretPosition() const;
  // `text` placed from the caret onwards, each character checked by the run of its position and
  // case-converted; false when any character is refused.
  bool CheckInsertText(const std::string& text, std::string& converted) const;
  // `text` placed from the caret onwards with the mask's literal text dropped wherever the text
  // carries it at the place the mask has it: «123-4567» for «999\-9999» gives «1234567».
  std::string WithoutMaskLiterals(const std::string& text) const;
  // Keys of the String box before the common key handling; true when the key was dealt with.
  bool OnStringKey(win::UINT msg, int vk);

  std::string formatText_;
  std::string mask_;
  std::string nullText_;
  StringMask parsedMask_;
  MaskPositionIndex maskIndex_;
  std::int32_t capacity_ = 0;
};

}  // namespace vl
