#include "control/typed_box_ctrl.h"

#include <utility>

#include "control/type_library.h"
#include "edit/create_editor.h"
#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"
#include "text/encoding.h"

namespace vl {

CVlTypedBoxCtrl::CVlTypedBoxCtrl(IVlControlSite& site, EditorFactory factory)
    : site_(site), factory_(factory ? std::move(factory) : EditorFactory(CreateEditor)) {
  for (std::int16_t d = 0; d < 4; ++d) captions_[static_cast<std::size_t>(d)] = std::make_shared<VlTextCaption>(*this, d);
  core_.font = std::make_shared<VlFont>(site_.AmbientFont());
  core_.cachedFont = core_.font->Desc();
  core_.font->SetListener([this] { FontObjectChanged(); });
  CreateEditorObject();
}

CVlTypedBoxCtrl::~CVlTypedBoxCtrl() {
  // The record source stops notifying the box before anything of the box goes.
  binding_.reset();
  EndClickWait(false);
  core_.font->SetListener(nullptr);
  core_.editor.reset();  // destroys the edit window before the control window
}

bool CVlTypedBoxCtrl::CreateControlWindow(win::RECT rect) {
  if (HasControlWindow()) return true;
  win::System& sys = site_.WindowSystem();
  if (sys.CreateWindowEx(*this, "VlTextCtl", win::WS_CHILD | win::WS_VISIBLE | win::WS_TABSTOP, rect,
                         site_.ContainerWindow()) == win::kNoWindow) {
    return false;
  }
  LayoutEditRect();
  return true;
}

std::int32_t CVlTypedBoxCtrl::ControlWidthHimetric() const {
  return ScreenHimetric(HasControlWindow() ? site_.WindowSystem().GetWindowRect(Handle()).Width() : 0);
}

std::int32_t CVlTypedBoxCtrl::ControlHeightHimetric() const {
  return ScreenHimetric(HasControlWindow() ? site_.WindowSystem().GetWindowRect(Handle()).Height() : 0);
}

std::int32_t CVlTypedBoxCtrl::MarginHimetric() const { return ScreenHimetric(8); }

std::int32_t CVlTypedBoxCtrl::ScreenHimetric(int pixels) const {
  // Converted as a screen device context converts, rounding halves away from zero.
  const win::DeviceContext screen(nullptr, ScreenFonts());
  win::SIZE size{pixels, 0};
  win::DPtoHIMETRIC(screen, size);
  return size.cx;
}

void CVlTypedBoxCtrl::Repaint() { site_.InvalidateControl(); }

void CVlTypedBoxCtrl::SetUnavailable(bool unavailable) {
  if (core_.unavailable == unavailable) return;
  core_.unavailable = unavailable;
  Repaint();
}

void CVlTypedBoxCtrl::Refresh() { Repaint(); }

void CVlTypedBoxCtrl::AboutBox() {
  // The display name and the version the project was built as, in a modal message box.
  win::System& sys = site_.WindowSystem();
  const std::string& name = LoadResourceString(kIdsDisplayName);
  sys.MessageBox(Handle(), name + Cp932Literal(" バージョン ") + VL_VERSION, name,
                 win::MB_OK | win::MB_ICONINFORMATION);
}

// ---------------------------------------------------------------------------------------------
// The editor

win::HWND CVlTypedBoxCtrl::EditorWindow() const {
  return core_.editor && core_.editor->IsCreated() ? core_.editor->Handle() : win::kNoWindow;
}

bool CVlTypedBoxCtrl::EditorVisible() const {
  win::HWND h = EditorWindow();
  return h != win::kNoWindow && site_.WindowSystem().IsWindowVisible(h);
}

std::uint32_t CVlTypedBoxCtrl::EditorStyleBits() const {
  std::uint32_t bits = 0;
  if (core_.alignment == 1) bits |= kStyleRight;
  if (core_.alignment == 2) bits |= kStyleCenter;
  if (core_.locked) bits |= kStyleReadOnly;
  if (core_.dataType == VlTextBoolean && core_.appearance == 0) bits |= kStyleFlat;
  if (core_.dataType == VlTextString) {
    if (core_.multiLine) bits |= kStyleMultiLine;
    if (core_.scrollBars & 1) bits |= kStyleHScroll;
    if (core_.scrollBars & 2) bits |= kStyleVScroll;
  }
  return bits;
}

TypedValue CVlTypedBoxCtrl::ConvertForCore(const TypedValue& v) const {
  TypedValue converted = v;
  ConvertTypedValue(core_.dataType, converted, true, site_.WindowSystem().GetClock());
  return converted;
}

std::optional<CVlValueException> CVlTypedBoxCtrl::CreateEditorObject() {
  newEditorRefusal_.reset();
  core_.editor = factory_(core_.dataType);
  if (core_.editor) PushPropertiesToEditor(*core_.editor);
  return std::exchange(newEditorRefusal_, std::nullopt);
}

std::optional<CVlValueException> CVlTypedBoxCtrl::RebuildEditor() {
  // A focus return waits for the old editor's focus-loss report; a new editor owes none.
  focusReturned_ = false;
  const bool editing = EditorVisible();
  // The old editor's text goes with its type: it reports nothing more, and it is not deleted
  // while its code may be on the stack (this write may come from one of its own events). It is
  // handed over at once, so that nothing thrown below deletes it; the scope keeps it until the
  // new editor has taken over.
  win::System& sys = site_.WindowSystem();
  win::System::DispatchScope scope(sys);
  CVlEditWnd* old = core_.editor.get();
  if (old) old->Retire();
  sys.DeleteLater(std::move(core_.editor));
  std::optional<CVlValueException> pushError;
  if (editing) {
    // The box is being edited: the new editor takes over before the old one goes.
    pushError = CreateEditorObject();
    ActivateEditing();
    if (old) old->ShowEditor(false);
  } else {
    if (old) old->ShowEditor(false);
    pushError = CreateEditorObject();
  }
  return pushError;
}

void CVlTypedBoxCtrl::ChangeStyleBits(std::uint32_t add, std::uint32_t remove) {
  CVlEditWnd* editor = Editor();
  if (editor == nullptr) return;
  // The platform window is made anew with the new style; the focus follows it.
  editor->RecreateWindow((editor->GetStyleBits() | add) & ~remove);
}

void CVlTypedBoxCtrl::ActivateEditing() {
  if (!core_.enabled || core_.unavailable || !HasControlWindow() || !core_.editor) return;
  win::System& sys = site_.WindowSystem();
  CVlEditWnd& editor = *core_.editor;
  if (!editor.IsCreated()) {
    editor.Create(sys, 0, EditorRect(), Handle());
  } else if (!sys.IsWindowVisible(editor.Handle())) {
    // The alignment fit decided since the window was last shown goes into its style first.
    const std::uint32_t now = editor.GetStyleBits() & (kStyleRight | kStyleCenter);
    const std::uint32_t wanted = AlignmentStyleBits();
    if (now != wanted) ChangeStyleBits(wanted, (kStyleRight | kStyleCenter) & ~wanted);
  }
  editor.ShowEditor(true);
  sys.SetFocus(editor.Handle());
}

// ---------------------------------------------------------------------------------------------
// Window messages

void CVlTypedBoxCtrl::Fire(VlEvent id, EventArgs& args) { site_.FireEvent(id, args); }

win::LRESULT CVlTypedBoxCtrl::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  // A disabled box swallows focus gains and the mouse entirely.
  if (!core_.enabled && (msg == win::WM_SETFOCUS || (msg >= win::WM_MOUSEMOVE && msg <= win::WM_RBUTTONUP))) return 0;
  if (tracker_.Shown() && TrackerMessage(msg, wParam, lParam)) return 0;
  if (msg >= win::WM_MOUSEMOVE && msg <= win::WM_MBUTTONUP) {
    RouteMouse(msg, wParam, lParam);
    return 0;
  }
  switch (msg) {
    case win::WM_SETFOCUS:
      ActivateEditing();
      return 0;
    case win::WM_SETCURSOR:
      if (OnSetCursor(wParam)) return 1;
      return DefWindowProc(msg, wParam, lParam);
    case win::WM_CAPTURECHANGED:
      // Someone else took the mouse (a message box, the edit window): the wait is over.
      EndClickWait(false);
      return 0;
    case win::WM_DESTROY:
      EndClickWait(false);
      return DefWindowProc(msg, wParam, lParam);
    case win::WM_SIZE:
      LayoutEditRect();
      return 0;
    case win::WM_CTLCOLOREDIT:
    case win::WM_CTLCOLORBTN:
      return OnCtlColor(wParam);
    case VLM_FOCUSLEFT: {
      // Only the editor of now reports for the box (a given-up one reports nothing at all).
      if (win::HWND{static_cast<std::uint32_t>(wParam)} != EditorWindow()) return 0;
      EndClickWait(false);
      const auto* target = ReceiveVlm<const win::HWND>(msg, lParam);
      OnFocusLeft(target != nullptr ? *target : win::kNoWindow);
      return 0;
    }
    case VLM_CHANGE: {
      EventArgs args = MakeEventArgs(VlEvent::Change, {});
      Fire(VlEvent::Change, args);
      core_.dataChanged = true;
      return 0;
    }
    case VLM_CLICK: {
      EventArgs args = MakeEventArgs(VlEvent::Click, {});
      Fire(VlEvent::Click, args);
      return 0;
    }
    case VLM_DBLCLICK: {
      EventArgs args = MakeEventArgs(VlEvent::DblClick, {});
      Fire(VlEvent::DblClick, args);
      return 0;
    }
    case VLM_KEYDOWN:
    case VLM_KEYUP: {
      const auto* rec = ReceiveVlm<const VlKeyRecord>(msg, lParam);
      if (rec == nullptr) return 0;
      // KeyCode is a copy: what the host writes into it does not reach the edit window.
      const VlEvent id = msg == VLM_KEYDOWN ? VlEvent::KeyDown : VlEvent::KeyUp;
      EventArgs args = MakeEventArgs(id, {Variant::I2(static_cast<std::int16_t>(rec->keyCode & 0xFFFF)),
                                          Variant::I2(static_cast<std::int16_t>(rec->shift & 7))});
      Fire(id, args);
      return 0;
    }
    case VLM_KEYPRESS: {
      auto* ch = ReceiveVlm<std::int32_t>(msg, lParam);
      if (ch == nullptr) return 0;
      EventArgs args = MakeEventArgs(VlEvent::KeyPress, {Variant::I2(static_cast<std::int16_t>(*ch & 0xFFFF))});
      Fire(VlEvent::KeyPress, args);
      // KeyAscii is the edit window's own character: the host's low 16 bits go back to it.
      const auto low = static_cast<std::uint16_t>(args["KeyAscii"].AsI2());
      *ch = static_cast<std::int32_t>((static_cast<std::uint32_t>(*ch) & 0xFFFF0000u) | low);
      return 0;
    }
    case VLM_MOUSEDOWN:
    case VLM_MOUSEMOVE:
    case VLM_MOUSEUP:
      if (const auto* rec = ReceiveVlm<const VlMouseRecord>(msg, lParam)) OnMouseRecord(msg, *rec);
      return 0;
    case VLM_SPINDOWN:
    case VLM_SPINUP: {
      const VlEvent id = msg == VLM_SPINDOWN ? VlEvent::SpinDown : VlEvent::SpinUp;
      EventArgs args = MakeEventArgs(id, {});
      Fire(id, args);
      return 0;
    }
    case VLM_PREVCONTROL:
    case VLM_NEXTCONTROL:
      MoveToControl(msg == VLM_NEXTCONTROL);
      return 0;
    case VLM_ERROR:
      if (const auto* rec = ReceiveVlm<const VlErrorRecord>(msg, lParam)) OnErrorRecord(wParam, *rec);
      return 0;
    case VLM_FURIGANA: {
      const auto* kana = ReceiveVlm<const std::string>(msg, lParam);
      if (kana == nullptr) return 0;
      EventArgs args = MakeEventArgs(VlEvent::Furigana, {Variant::Bstr(*kana)});
      Fire(VlEvent::Furigana, args);
      return 0;
    }
    case VLM_USERCHECK:
      if (auto* rec = ReceiveVlm<VlUserCheckRecord>(msg, lParam)) OnUserCheck(*rec);
      return 0;
    default:
      return DefWindowProc(msg, wParam, lParam);
  }
}

void CVlTypedBoxCtrl::OnMouseRecord(win::UINT msg, const VlMouseRecord& record) {
  if (msg == VLM_MOUSEDOWN && core_.mouseRouted) {
    // The control forwarded its own click to the edit window: the host already has this press.
    core_.mouseRouted = false;
    return;
  }
  const std::uint32_t f = record.flags;
  std::int16_t button = 0;
  if (msg == VLM_MOUSEMOVE) {
    button = (f & 0x02) ? 2 : (f & 0x10) ? 4 : (f & 0x01) ? 1 : 0;
  } else {
    button = (f & 0x01) ? 1 : (f & 0x10) ? 4 : (f & 0x02) ? 2 : 0;
  }
  const std::int16_t shift = static_cast<std::int16_t>(((f & 0x04) ? 1 : 0) | ((f & 0x08) ? 2 : 0) | ((f & 0x20) ? 4 : 0));
  const VlEvent id = msg == VLM_MOUSEDOWN   ? VlEvent::MouseDown
                     : msg == VLM_MOUSEMOVE ? VlEvent::MouseMove
                                            : VlEvent::MouseUp;
  EventArgs args = MakeEventArgs(
      id, {Variant::I2(button), Variant::I2(shift), Variant::I4(static_cast<std::int32_t>(record.position & 0xFFFF)),
           Variant::I4(static_cast<std::int32_t>(record.position >> 16))});
  Fire(id, args);
}

void CVlTypedBoxCtrl::OnUserCheck(VlUserCheckRecord& record) {
  if (!UserMode()) return;
  EventArgs args = MakeEventArgs(VlEvent::UserCheckValue,
                                 {record.newValue, Variant::I4(record.errCode), Variant::Bstr(record.errString)});
  Fire(VlEvent::UserCheckValue, args);
  TypedValue code;
  if (ChangeType(args["ErrCode"], VarType::I4, code) == CoerceStatus::Ok) record.errCode = code.AsI4();
  TypedValue text;
  if (ChangeType(args["ErrString"], VarType::Bstr, text) == CoerceStatus::Ok) record.errString = text.AsBstr();
}

void CVlTypedBoxCtrl::OnErrorRecord(win::WPARAM editWindow, const VlErrorRecord& record) {
  static constexpr std::uint32_t kStatusCodes[] = {0, 1000, 1001, 1004, 0, 1005, 1003, 1006};
  const win::HWND focus{static_cast<std::uint32_t>(editWindow)};
  if (record.code >= 1 && record.code <= 7) {
    const std::uint32_t code = kStatusCodes[record.code];
    if (code == 0) return;
    ReportValueError(CVlValueException(code, TypedValue::Bstr(record.text), core_.value, win::HandleId(focus)));
  } else if (record.code >= 100 && record.code <= 999) {
    CVlValueException e(static_cast<std::uint32_t>(record.code), TypedValue::Bstr(record.text), core_.value,
                        win::HandleId(focus));
    e.SetMessage(record.text);
    ReportValueError(e);
  }
}

void CVlTypedBoxCtrl::OnFocusLeft(win::HWND newFocus) {
  if (focusReturned_) {
    focusReturned_ = false;
    return;
  }
  win::System& sys = site_.WindowSystem();
  if (newFocus != win::kNoWindow && newFocus == sys.GetAncestorRoot(Handle())) return;
  // The host's handlers of the focus loss (UserCheckValue, ValueError) put the focus back into the
  // box: it is being edited again, and this report of the loss is out of date.
  if (sys.GetFocus() != win::kNoWindow && sys.GetFocus() == EditorWindow()) return;
  LeaveEditing();
}

void CVlTypedBoxCtrl::LeaveEditing() {
  try {
    CommitEditText();
  } catch (const CVlValueException&) {
    // The editor's own check already reported this text when the focus left.
  }
  if (CVlEditWnd* e = Editor()) e->ShowEditor(false);
}

// ---------------------------------------------------------------------------------------------
// Value, text and validation

bool CVlTypedBoxCtrl::AssignValue(TypedValue newValue, bool dataChangedFlag, bool notify) {
  if (core_.unavailable) return false;
  if (newValue == core_.value) {
    bool commitFailed = false;
    try {
      CommitEditText();
    } catch (const CVlValueException&) {
      commitFailed = true;  // the text in the edit window is replaced by storing the value again
    }
    if (!commitFailed) {
      if (!dataChangedFlag) core_.dataChanged = false;
      return false;
    }
  }
  if (IsTypedValueType(TypeCode(newValue)) == TypeClass::Convertible && TypeCode(newValue) != core_.dataType) {
    try {
      newValue = ConvertForCore(newValue);
    } catch (CVlValueException& e) {
      e.SetFallbackValue(core_.value);
      e.SetFocusWindow(win::HandleId(EditorWindow()));
      throw;
    }
  }
  const TypedValue previous = core_.value;
  core_.value = newValue;
  try {
    PushValueToEditor();
  } catch (CVlValueException& e) {
    // A value the editor refused is not kept: Value never holds a value the box refused.
    if (e.Code() == 1000 || e.Code() == 1001 || e.Code() == 1003) {
      core_.value = previous;
      e.SetFallbackValue(previous);
    }
    Repaint();
    throw;
  }
  if (!UserCheck(core_.value)) {
    Repaint();
    return false;
  }
  core_.dataChanged = dataChangedFlag;
  Repaint();
  if (notify && HasControlWindow()) {
    SendVlm(site_.WindowSystem(), Handle(), VLM_CHANGE, static_cast<win::WPARAM>(win::HandleId(EditorWindow())));
    core_.dataChanged = dataChangedFlag;
  }
  return true;
}

void CVlTypedBoxCtrl::CommitEditText() {
  CVlEditWnd* editor = Editor();
  if (editor == nullptr) return;
  EditorValue ev = editor->GetValue();
  TypedValue newValue;
  if (ev.isNull) {
    newValue = core_.value.Type() == VarType::Empty ? TypedValue::Empty() : TypedValue::Null();
  } else {
    newValue = ev.value;
  }
  if (ev.error) {
    core_.dataChanged = true;
    const std::uint32_t focus = win::HandleId(EditorWindow());
    switch (editor->GetLastError()) {
      case kEditAboveUpper: ThrowValueError(1000, TypedValue::Bstr(ev.text), core_.value, focus);
      case kEditBelowLower: ThrowValueError(1001, TypedValue::Bstr(ev.text), core_.value, focus);
      case kEditTooManyChars: ThrowValueError(1003, TypedValue::Bstr(ev.text), core_.value, focus);
      case kEditMaxLength:
      case kEditAdjustedToFormat:
      case kEditFormatMismatch: {
        static constexpr std::uint32_t kCodes[] = {0, 0, 0, 1004, 0, 1005, 0, 1006};
        const TypedValue before = core_.value;
        core_.value = newValue;
        ThrowValueError(kCodes[editor->GetLastError()], newValue, before, focus);
      }
      default:
        break;
    }
  }
  if (!(newValue == core_.value)) {
    core_.value = newValue;
    core_.dataChanged = true;
    if (HasControlWindow()) ApplyAlignmentFit();
  }
}

void CVlTypedBoxCtrl::PushValueToEditor() {
  CVlEditWnd* editor = Editor();
  if (editor == nullptr) return;
  if (core_.value.IsNullOrEmpty()) {
    editor->SetNull(true);
  } else {
    std::string produced;
    if (!editor->SetValue(core_.value, produced)) {
      const std::uint32_t focus = win::HandleId(EditorWindow());
      const std::int32_t status = editor->GetLastError();
      switch (status) {
        case kEditAboveUpper: ThrowValueError(1000, TypedValue::Bstr(produced), core_.value, focus);
        case kEditBelowLower: ThrowValueError(1001, TypedValue::Bstr(produced), core_.value, focus);
        case kEditTooManyChars: ThrowValueError(1003, TypedValue::Bstr(produced), core_.value, focus);
        case kEditMaxLength:
        case kEditAdjustedToFormat:
        case kEditFormatMismatch: {
          static constexpr std::uint32_t kCodes[] = {0, 0, 0, 1004, 0, 1005, 0, 1006};
          const TypedValue handed = core_.value;
          try {
            CommitEditText();
          } catch (const CVlValueException&) {
            // The adjusted value is stored before the commit reports it; this report is the one.
          }
          ThrowValueError(kCodes[status], handed, core_.value, focus);
        }
        default:
          break;
      }
    }
  }
  if (HasControlWindow()) ApplyAlignmentFit();
}

bool CVlTypedBoxCtrl::UserCheck(const TypedValue& value) {
  CVlEditWnd* editor = Editor();
  if (editor == nullptr || !editor->IsCreated() || IsEditFailure(editor->GetLastError()) || !HasControlWindow()) {
    return true;
  }
  win::System& sys = site_.WindowSystem();
  const auto editHwnd = static_cast<win::WPARAM>(win::HandleId(editor->Handle()));
  VlUserCheckRecord record{value, 0, std::string()};
  SendVlm(sys, Handle(), VLM_USERCHECK, editHwnd, record);
  if (record.errCode == 0) return true;
  if (fallingBack_ > 0) {
    CVlValueException refused(static_cast<std::uint32_t>(record.errCode), TypedValue::Bstr(record.errString), core_.value,
                              win::HandleId(editor->Handle()));
    throw refused;
  }
  const VlErrorRecord error{record.errCode, record.errString};
  SendVlm(sys, Handle(), VLM_ERROR, editHwnd, error);
  return false;
}

TypedValue CVlTypedBoxCtrl::ReadValue() {
  if (EditorVisible()) {
    CommitEditText();
    UserCheck(core_.value);
  }
  return core_.value;
}

void CVlTypedBoxCtrl::ReportValueError(const CVlValueException& error) {
  if (!UserMode()) return;
  EventArgs args = MakeEventArgs(VlEvent::ValueError,
                                 {error.ErrValue(), Variant::I4(static_cast<std::int32_t>(error.Code())),
                                  Variant::Bstr(error.MessageText()), Variant::Bool(false), Variant::Bool(true)});
  Fire(VlEvent::ValueError, args);
  auto flag = [&](const char* name) {
    TypedValue b;
    return ChangeType(args[name], VarType::Bool, b) == CoerceStatus::Ok && b.AsBool();
  };
  const bool cancelDisplay = flag("CancelDisplay");
  bool returnFocus = flag("ReturnFocus");
  if (!core_.enabled || core_.unavailable) returnFocus = false;

  win::System& sys = site_.WindowSystem();
  if (!returnFocus) {
    // The text is given up: the box falls back to the error's fallback value. While it does, a
    // host that refuses again is not asked round after round: its refusal only ends the attempt.
    ++fallingBack_;
    try {
      ReadValue();
    } catch (const CVlValueException&) {
      try {
        AssignValue(error.FallbackValue(), true, true);
      } catch (const CVlValueException&) {
        // The fallback itself is refused; the box keeps what it holds.
      }
    }
    --fallingBack_;
  }
  const win::HWND focusWindow{error.FocusWindow()};
  const bool focusWindowExists = focusWindow != win::kNoWindow && sys.IsWindow(focusWindow);
  if (!cancelDisplay) {
    win::HWND owner = win::kNoWindow;
    if (returnFocus) owner = focusWindowExists ? focusWindow : Handle();
    sys.MessageBox(owner, error.MessageText(), LoadResourceString(kIdsDisplayName), win::MB_OK);
  }
  if (returnFocus) {
    // The host's handler may have made the edit window anew or replaced the editor: the focus
    // goes back to the editor of now, through the control when the error's window is gone.
    if (focusWindowExists && focusWindow == EditorWindow() && sys.IsWindowVisible(focusWindow)) {
      // Only a focus that really comes back leaves a focus-loss report behind to swallow. An error
      // raised while the editor still holds the focus (a write, a key) owes none, and a flag left
      // standing would swallow the next real loss: the box would stay in editing, uncommitted.
      if (sys.GetFocus() != focusWindow) {
        sys.SetFocus(focusWindow);
        focusReturned_ = true;
      }
    } else if (HasControlWindow()) {
      sys.SetFocus(Handle());
    }
  }
}

}  // namespace vl
