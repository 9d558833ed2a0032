#include "edit/string_edit.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "format/format_sections.h"
#include "text/mbcs.h"

namespace vl {

namespace {

// A lone CR (from a program, never from the keyboard) becomes a line break the edit control
// knows.
std::string WithLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) out += '\n';
  }
  return out;
}

// The mode a run's width asks for: any width hiragana, the katakana and the plain widths their
// internal modes (which also turn sentence conversion off). Case markers switch nothing.
std::uint16_t ModeOfWidth(MaskWidthClass width) {
  switch (width) {
    case MaskWidthClass::kAnyWidth: return 4;
    case MaskWidthClass::kFullWidthKatakana: return 9;
    case MaskWidthClass::kHalfWidthKatakana: return 10;
    case MaskWidthClass::kFullWidth: return 11;
    case MaskWidthClass::kHalfWidth: return 12;
    default: return 0;
  }
}

// The layout the box edits through. An "@" run shows its empty positions as spaces, but a space is
// also a character the user may type there; the empty positions are held as the single-byte
// marker instead (shown as a space all the same), so they never reach the value: "ab" through
// «@@@@» stays "ab", while a typed "a b" keeps its space.
MaskEditLayout EditLayoutOf(const StringMask& mask) {
  MaskEditLayout layout = BuildMaskEditLayout(mask);
  for (MaskLayoutRun& run : layout.runs) {
    if (run.marker == ' ') run.marker = kMarkerSingleByte;
  }
  return layout;
}

}  // namespace

CVlStringEdit::CVlStringEdit() : CVlEditWnd(VlTextString) {
  valueCommit.textIsValue = true;
  parsedMask_ = ParseStringMask("");
  maskIndex_ = MaskPositionIndex(parsedMask_);
  fieldModel.SetLayout(EditLayoutOf(parsedMask_));
}

// --- Text -------------------------------------------------------------------------------------

std::string CVlStringEdit::CurrentText() const {
  if (!singleLine) return created ? Text() : editText;
  return fieldModel.ValueOf(fieldModel.GetText());
}

void CVlStringEdit::LoadText(const std::string& text) {
  if (singleLine) {
    fieldModel.SetText(text);
    editText = fieldModel.GetText();
  } else {
    editText = text;
  }
  RefreshDisplay();
}

std::int32_t CVlStringEdit::CaretPosition() const { return fieldModel.PositionAt(fieldModel.GetSelection().Min()); }

bool CVlStringEdit::CheckInsertText(const std::string& text, std::string& converted) const {
  converted.clear();
  if (!HasPositions()) {
    converted = text;
    return true;
  }
  std::int32_t position = CaretPosition();
  for (std::size_t p = 0; p < text.size(); ++position) {
    const int run = maskIndex_.RunOf(position);
    if (run < 0) return false;
    const MaskCharCheck check = maskIndex_.Check(parsedMask_, static_cast<std::size_t>(run), CharCodeAt(text, p));
    if (!check.accepted) return false;
    AppendCharCode(converted, check.character);
    p += static_cast<std::size_t>(CharLengthAt(text, p));
  }
  return true;
}

std::string CVlStringEdit::WithoutMaskLiterals(const std::string& text) const {
  std::string out;
  std::int32_t position = CaretPosition();
  bool literalChecked = false;  // the literal before `position` was looked for already
  for (std::size_t p = 0; p < text.size();) {
    if (!literalChecked) {
      literalChecked = true;
      const std::string literal = MaskLiteralBefore(parsedMask_, position);
      if (!literal.empty() && text.compare(p, literal.size(), literal) == 0) {
        p += literal.size();
        continue;
      }
    }
    const auto len = static_cast<std::size_t>(CharLengthAt(text, p));
    out.append(text, p, len);
    p += len;
    ++position;
    literalChecked = false;
  }
  return out;
}

std::int32_t CVlStringEdit::MaskCheck(const std::string& text) const {
  if (HasPositions() && CheckMaskedValue(text, parsedMask_) != MaskValueCheck::kMatches) return kEditFormatMismatch;
  return kEditOk;
}

std::int32_t CVlStringEdit::CheckFormat(const TypedValue& value) { return MaskCheck(value.AsBstr()); }

std::int32_t CVlStringEdit::CheckText(const std::string& text) const {
  if (const std::int32_t mask = MaskCheck(text)) return mask;
  return valueCommit.Range().Check(TypedValue::Bstr(text));
}

// --- Format, length, style ----------------------------------------------------------------------

void CVlStringEdit::GetFormat(std::string& out) { out = formatText_; }

bool CVlStringEdit::SetFormat(const std::string& format) {
  lastError = kEditOk;
  formatText_ = format;
  const StringFormatParts parts = SplitStringFormat(format);
  mask_ = parts.mask;
  nullText_ = parts.nullText;
  const std::string text = CurrentText();
  parsedMask_ = ParseStringMask(mask_);
  maskIndex_ = MaskPositionIndex(parsedMask_);
  capacity_ = mask_.empty() ? 0 : GetMaskCapacity(parsedMask_);
  bool fits = true;
  if (maxLength > 0 && text.size() > static_cast<std::size_t>(maxLength)) {
    lastError = kEditMaxLength;
    fits = false;
  } else if (singleLine && HasPositions() && MbcsCharCount(text) > capacity_) {
    lastError = kEditAdjustedToFormat;
    fits = false;
  }
  // The text goes into the new layout either way; what does not fit its positions is dropped.
  fieldModel.SetLayout(EditLayoutOf(parsedMask_));
  if (singleLine) fieldModel.SetText(text);
  LoadText(CurrentText());
  ApplyFocusSelection();
  return fits;
}

bool CVlStringEdit::SetStyleBits(std::uint32_t bits) {
  if (!CVlEditWnd::SetStyleBits(bits)) return false;
  if (!singleLine) {
    editText = RemoveMaskMarkers(editText);
    SetDisplayText(editText);
  }
  return true;
}

bool CVlStringEdit::SetMaxLength(std::int32_t length) {
  CVlEditWnd::SetMaxLength(length);
  const std::string text = CurrentText();
  if (length <= 0 || text.size() <= static_cast<std::size_t>(length)) return true;
  // Never inside a double-byte character: 漢字漢 cut to 4 bytes is 漢字.
  LoadText(std::string(MbcsCutBytes(text, static_cast<std::size_t>(length))));
  lastError = kEditMaxLength;
  return false;
}

char CVlStringEdit::GetPasswordChar() { return static_cast<char>(passwordChar); }

void CVlStringEdit::SetPasswordChar(char c) {
  passwordChar = static_cast<unsigned char>(c);
  if (created) Sys()->SendMessage(Handle(), win::EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
  RefreshDisplay();
}

void CVlStringEdit::SetSpinButton(std::int32_t) {}
bool CVlStringEdit::SetSpinDelay(std::int32_t) { return true; }
float CVlStringEdit::GetSpinIncrease() { return 0.0f; }

// --- Null, value ------------------------------------------------------------------------------

void CVlStringEdit::SetNull(bool on) {
  valueCommit.SetNullState(on);
  if (!on) return;
  ForgetUndo();
  fieldModel.DeleteAll();
  editText = singleLine ? fieldModel.GetText() : std::string();
  lastError = kEditOk;
  RefreshDisplay();
}

bool CVlStringEdit::PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) {
  std::string text = WithLineBreaks(handed.Type() == VarType::Bstr ? handed.AsBstr() : TypedValueToText(handed));
  if (maxLength > 0 && text.size() > static_cast<std::size_t>(maxLength)) {
    text = std::string(MbcsCutBytes(text, static_cast<std::size_t>(maxLength)));
    lastError = kEditMaxLength;
  }
  if (singleLine && HasPositions() && MbcsCharCount(text) > capacity_) {
    text.resize(static_cast<std::size_t>(MbcsByteIndexOfChar(text, capacity_)));
    lastError = kEditAdjustedToFormat;
  }
  produced = text;
  load = TypedValue::Bstr(text);
  return true;
}

void CVlStringEdit::ShowLoaded(std::string&) {
  LoadText(valueCommit.Value().AsBstr());
  ApplyFocusSelection();
}

bool CVlStringEdit::TextToValue(const std::string& text, TypedValue& out) {
  out = TypedValue::Bstr(text);
  return true;
}

// --- Display ----------------------------------------------------------------------------------

std::string CVlStringEdit::DisplayForm() const {
  if (valueCommit.IsNull() && !nullText_.empty()) return ShownNullText(nullText_);
  std::string text = CurrentText();
  // A password box shows one password character per byte, through the mask's literals.
  if (passwordChar != 0) text.assign(text.size(), static_cast<char>(passwordChar));
  if (mask_.empty()) return text;
  return MaskDisplayText(text, parsedMask_, false);
}

bool CVlStringEdit::RefreshDisplay() {
  if (!singleLine) return SetDisplayText(editText);
  if (HasFocus()) return SetDisplayText(fieldModel.EditText());
  return SetDisplayText(DisplayForm());
}

// --- Input ------------------------------------------------------------------------------------

bool CVlStringEdit::FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t&) {
  replacement.clear();
  if (HasPositions() && singleLine) {
    const int run = maskIndex_.RunOf(CaretPosition());
    if (run < 0) return false;
    const MaskCharCheck check =
        maskIndex_.Check(parsedMask_, static_cast<std::size_t>(run), static_cast<std::uint16_t>(ch));
    if (!check.accepted) return false;
    ch = check.character;
  }
  valueCommit.SetNullState(false);
  return true;
}

bool CVlStringEdit::ValidateText(const std::string& text) {
  std::string converted;
  if (singleLine && !CheckInsertText(text, converted)) return false;
  if (!text.empty()) valueCommit.SetNullState(false);
  return true;
}

bool CVlStringEdit::SetSelText(const std::string& text) {
  if (!singleLine) {
    if (created) {
      Sys()->SendMessage(Handle(), win::EM_REPLACESEL, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
      editText = Text();
    } else {
      editText += text;
    }
    if (!text.empty()) valueCommit.SetNullState(false);
    return true;
  }
  std::string converted;
  if (!CheckInsertText(text, converted)) return false;
  if (!text.empty()) valueCommit.SetNullState(false);
  if (!fieldModel.ReplaceSelection(converted)) {
    lastError = kEditMaxLength;
    return false;
  }
  editText = fieldModel.GetText();
  RefreshDisplay();
  if (HasFocus()) ApplySelection();
  return true;
}

std::uint16_t CVlStringEdit::MaskImeModeAtCaret() const {
  if (!HasPositions()) return 0;
  // The end of the field (after End) belongs to the last run: the caret stands in it.
  const int run = maskIndex_.RunOf(std::min(CaretPosition(), capacity_ - 1));
  if (run < 0) return 0;
  return ModeOfWidth(parsedMask_.runs[static_cast<std::size_t>(run)].widthClass);
}

void CVlStringEdit::OnSelectionSet() {
  const std::uint16_t mode = MaskImeModeAtCaret();
  if (mode != 0 && mode != appliedImeMode) SwitchImeMode(mode);
}

// --- Clipboard --------------------------------------------------------------------------------

void CVlStringEdit::Copy() {
  if (passwordChar != 0 || !created) return;
  std::string text;
  if (singleLine) {
    text = fieldModel.ValueOf(fieldModel.GetSelectedText());
  } else {
    const std::int32_t from = std::min(SelStart(), SelEnd());
    const std::int32_t to = std::max(SelStart(), SelEnd());
    text = Text().substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  }
  PutClipboardText(text);
}

bool CVlStringEdit::Paste() {
  if (locked) return true;
  if (!created) return false;
  const std::optional<std::string> data = TakeClipboardText();
  if (!data) return false;
  std::string text = *data;
  std::string converted;
  if (!CheckInsertText(text, converted)) {
    // A text copied from a masked display carries the literals where the mask has them; it is
    // laid in with them skipped. A text the mask takes as it is was accepted above, unchanged.
    text = WithoutMaskLiterals(text);
    if (text == *data || !CheckInsertText(text, converted)) return false;
  }
  if (!text.empty()) valueCommit.SetNullState(false);
  if (IsCentredOrRight()) {
    // The longest beginning that still fits the box; the rest is dropped and reported.
    std::size_t keep = converted.size();
    while (keep > 0) {
      MaskFieldModel trial = fieldModel;
      if (trial.ReplaceSelection(std::string_view(converted).substr(0, keep)) && FitsFormatRect(trial.EditText())) break;
      keep = MbcsCutBytes(converted, keep - 1).size();
    }
    if (keep < converted.size()) {
      converted.resize(keep);
      lastError = kEditTooWide;
    }
  }
  if (!fieldModel.ReplaceSelection(converted)) {
    lastError = kEditMaxLength;
    return false;
  }
  RefreshWindowText();
  ApplySelection();
  return true;
}

// --- Focus and keys ---------------------------------------------------------------------------

void CVlStringEdit::OnFocusLost(win::HWND newFocus) {
  if (valueCommit.IsNull()) lastError = kEditOk;
  const bool failed = !CommitText();
  const bool live = failed ? SendError(lastError, CurrentText()) : CommonCommit(valueCommit.ForUserCheck());
  // The host's handlers gave the editor up or made its window anew: the focus loss is theirs now.
  if (!live) return;
  // A masked text is laid in again, so a "!" mask shows it right-aligned from now on.
  if (singleLine && HasPositions() && created) {
    fieldModel.SetText(fieldModel.ValueOf(fieldModel.GetText()));
    editText = fieldModel.GetText();
  }
  if (created) RefreshDisplay();
  SendFocusLeft(newFocus);
}

bool CVlStringEdit::OnStringKey(win::UINT msg, int vk) {
  win::System& sys = *Sys();
  const bool down = msg == win::WM_KEYDOWN;
  if (singleLine) return vk == win::VK_TAB;  // the host's dialog navigation owns Tab
  const bool ctrl = sys.GetKeyState(win::VK_CONTROL) < 0;
  std::int32_t key = vk;
  if (vk == win::VK_RETURN) {
    if (down) return (tabFlags & kTabByReturn) != 0;
    if (imeCharSeen) {
      // This Enter confirmed an input-method composition.
      imeCharSeen = false;
      return true;
    }
    if ((tabFlags & kTabByReturn) && !ctrl) {
      const bool back = sys.GetKeyState(win::VK_SHIFT) < 0;
      SendToControl(back ? VLM_PREVCONTROL : VLM_NEXTCONTROL, key);
      return true;
    }
    return !ctrl;
  }
  if (down && (tabFlags & kTabByVertKey) && (vk == win::VK_UP || vk == win::VK_DOWN)) {
    const auto line = static_cast<std::int32_t>(sys.SendMessage(Handle(), win::EM_LINEFROMCHAR, static_cast<win::WPARAM>(-1), 0));
    const auto lines = static_cast<std::int32_t>(sys.SendMessage(Handle(), win::EM_GETLINECOUNT, 0, 0));
    if (vk == win::VK_UP && line < 1) {
      SendToControl(VLM_PREVCONTROL, key);
      return true;
    }
    if (vk == win::VK_DOWN && line >= lines - 1) {
      SendToControl(VLM_NEXTCONTROL, key);
      return true;
    }
  }
  return false;
}

win::LRESULT CVlStringEdit::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (destroying_ || Sys() == nullptr) return CVlEditWnd::WndProc(msg, wParam, lParam);
  switch (msg) {
    case win::WM_KEYDOWN:
    case win::WM_KEYUP:
      if (OnStringKey(msg, static_cast<int>(wParam))) return 0;
      break;
    case win::WM_CHAR:
      // The Enter that moves the focus of a multi-line box breaks no line on its way.
      if (!singleLine && wParam == '\r' && (tabFlags & kTabByReturn) && Sys()->GetKeyState(win::VK_CONTROL) >= 0) return 0;
      break;
    default:
      break;
  }
  return CVlEditWnd::WndProc(msg, wParam, lParam);
}

}  // namespace vl
