// Keys and characters of the edit window: caret moves through the field model, tab navigation,
// spin steps from the keyboard, double-byte assembly and the host's KeyPress round trip.
#include "edit/edit_wnd.h"
#include "text/mbcs.h"

namespace vl {

bool CVlEditWnd::KeyRecord(win::UINT vlm, int vk) {
  VlKeyRecord record{vk, ShiftState()};
  return SendToControl(vlm, record);
}

void CVlEditWnd::SpinFromKeyboard(bool up, bool) {
  // The first key-down of a press steps at once; repeats only once the delay has passed.
  const std::uint32_t now = Sys()->GetTickCount();
  if (spinKeyRepeat && now - spinKeyLastTick < static_cast<std::uint32_t>(spinDelay)) return;
  spinKeyRepeat = true;
  spinKeyLastTick = now;
  SendVlm(*Sys(), Handle(), up ? VLM_SPINUP : VLM_SPINDOWN, 0);
}

// One key of the single-line key map. Sets `stop` when the key ended the handling (moved the
// focus or stepped the spin) so that no VLM_KEYDOWN follows.
bool CVlEditWnd::HandleSingleLineKeyDown(int vk, bool& stop) {
  const bool shift = Sys()->GetKeyState(win::VK_SHIFT) < 0;
  const bool ctrl = Sys()->GetKeyState(win::VK_CONTROL) < 0;
  const bool platformMultiLine = (Sys()->GetStyle(Handle()) & win::ES_MULTILINE) != 0;
  bool changed = false;
  switch (vk) {
    case win::VK_TAB:
      if (!platformMultiLine) Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
      break;
    case win::VK_RETURN:
      if (imeCharSeen) Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
      break;
    case win::VK_END:
      Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
      shift ? fieldModel.ExtendSelection(SelectionExtend::kToEnd) : fieldModel.MoveCaret(CaretMove::kLast);
      break;
    case win::VK_HOME:
      Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
      shift ? fieldModel.ExtendSelection(SelectionExtend::kToStart) : fieldModel.MoveCaret(CaretMove::kFirst);
      fieldModel.MoveCaret(CaretMove::kStay);
      break;
    case win::VK_LEFT:
    case win::VK_RIGHT: {
      const bool left = vk == win::VK_LEFT;
      Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
      if (ctrl) {
        fieldModel.MoveCaret(left ? CaretMove::kPreviousGroup : CaretMove::kNextGroup);
      } else if (shift) {
        fieldModel.ExtendSelection(left ? SelectionExtend::kLeft : SelectionExtend::kRight);
      } else {
        const FieldSelection before = fieldModel.GetSelection();
        fieldModel.MoveCaret(left ? CaretMove::kLeft : CaretMove::kRight);
        if (fieldModel.GetSelection() == before && (tabFlags & kTabByHorzKey)) {
          std::int32_t key = vk;
          SendToControl(left ? VLM_PREVCONTROL : VLM_NEXTCONTROL, key);
          stop = true;
        }
      }
      break;
    }
    case win::VK_UP:
    case win::VK_DOWN: {
      const bool up = vk == win::VK_UP;
      if (ctrl && spinButton != 0) {
        SpinFromKeyboard(up, false);
        stop = true;
      } else if (tabFlags & kTabByVertKey) {
        std::int32_t key = vk;
        SendToControl(up ? VLM_PREVCONTROL : VLM_NEXTCONTROL, key);
        stop = true;
      } else {
        Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
        fieldModel.MoveCaret(up ? CaretMove::kLeft : CaretMove::kRight);
      }
      break;
    }
    case win::VK_INSERT:
      if (ctrl) {
        Copy();
      } else if (shift) {
        changed = !locked && Paste();
      } else {
        SetInsertMode(!insertMode);
        fieldModel.MoveCaret(CaretMove::kStay);
      }
      break;
    case win::VK_DELETE:
      if (shift) {
        if (!locked) {
          Cut();
          changed = true;
        }
      } else {
        changed = Clear();
      }
      break;
    default:
      Default(win::WM_KEYDOWN, static_cast<win::WPARAM>(vk), 0);
      break;
  }
  return changed;
}

win::LRESULT CVlEditWnd::OnKeyDownMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  const int vk = static_cast<int>(wParam);
  const bool repeat = (lParam & (win::LPARAM{1} << 30)) != 0;
  if (msg == win::WM_SYSKEYDOWN) {
    Default(msg, wParam, lParam);
    KeyRecord(VLM_KEYDOWN, vk);
    return 0;
  }
  // The host's handlers run inside the sends below; what follows each goes on only while this is
  // still the box's editor with the same window.
  const win::HWND self = Handle();
  const bool ctrl = Sys()->GetKeyState(win::VK_CONTROL) < 0;
  if (vk == 'A' && ctrl) {
    fieldModel.ExtendSelection(SelectionExtend::kAll);
    if (singleLine) {
      ApplySelection();
    } else {
      Sys()->SendMessage(Handle(), win::EM_SETSEL, 0, -1);
    }
  }
  if (!singleLine) {
    // Multi-line: the platform edits; the box only decides the focus moves.
    const auto line = static_cast<std::int32_t>(Sys()->SendMessage(Handle(), win::EM_LINEFROMCHAR, static_cast<win::WPARAM>(-1), 0));
    const auto lines = static_cast<std::int32_t>(Sys()->SendMessage(Handle(), win::EM_GETLINECOUNT, 0, 0));
    win::DWORD start = 0, end = 0;
    Sys()->SendMessage(Handle(), win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    const std::size_t lengthBefore = Text().size();
    const WindowTextMark mark = MarkWindowText();
    if (vk == win::VK_UP || vk == win::VK_DOWN) {
      if (ctrl && spinButton != 0) {
        SpinFromKeyboard(vk == win::VK_UP, repeat);
        return 0;
      }
    }
    Default(msg, wParam, lParam);
    std::int32_t key = vk;
    const bool first = line == 0;
    const bool last = line >= lines - 1;
    if ((vk == win::VK_LEFT && (tabFlags & kTabByHorzKey) && first && start == end && start == 0) ||
        (vk == win::VK_UP && (tabFlags & kTabByVertKey) && first)) {
      SendToControl(VLM_PREVCONTROL, key);
      return 0;
    }
    if ((vk == win::VK_RIGHT && (tabFlags & kTabByHorzKey) && last && start == end && start >= lengthBefore) ||
        (vk == win::VK_DOWN && (tabFlags & kTabByVertKey) && last)) {
      SendToControl(VLM_NEXTCONTROL, key);
      return 0;
    }
    const bool changed = FollowWindowText(mark);
    if (!KeyRecord(VLM_KEYDOWN, vk)) return 0;
    if (changed && !locked && !SendToControl(VLM_CHANGE)) return 0;
    keyDownSeen = true;
    return 0;
  }
  if (vk < win::VK_TAB || vk > win::VK_DELETE) {
    Default(msg, wParam, lParam);
    if (KeyRecord(VLM_KEYDOWN, vk)) keyDownSeen = true;
    return 0;
  }
  const std::string before = fieldModel.GetText();
  bool stop = false;
  bool changed = HandleSingleLineKeyDown(vk, stop);
  if (stop || !StillLive(self)) return 0;
  ApplySelection();
  if (!KeyRecord(VLM_KEYDOWN, vk)) return 0;
  changed = changed || fieldModel.GetText() != before;
  if (changed && !locked && !SendToControl(VLM_CHANGE)) return 0;
  keyDownSeen = true;
  return 0;
}

win::LRESULT CVlEditWnd::OnKeyUpMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  const int vk = static_cast<int>(wParam);
  spinKeyRepeat = false;
  spinKeyLastTick = 0;
  if (msg == win::WM_SYSKEYUP) {
    KeyRecord(VLM_KEYUP, vk);
    return 0;
  }
  if (singleLine) {
    const bool platformMultiLine = (Sys()->GetStyle(Handle()) & win::ES_MULTILINE) != 0;
    if (vk == win::VK_TAB) {
      if (!platformMultiLine) Default(msg, wParam, lParam);
    } else if (vk == win::VK_RETURN) {
      if (imeCharSeen) {
        Default(msg, wParam, lParam);
        imeCharSeen = false;
      } else if (keyDownSeen && (tabFlags & kTabByReturn)) {
        // The move happens on key-up, so the key-down was the box's own; no KeyUp for this Enter.
        std::int32_t key = vk;
        keyDownSeen = false;
        const bool back = Sys()->GetKeyState(win::VK_SHIFT) < 0;
        SendToControl(back ? VLM_PREVCONTROL : VLM_NEXTCONTROL, key);
        return 0;
      }
    } else {
      Default(msg, wParam, lParam);
    }
  } else {
    Default(msg, wParam, lParam);
  }
  if (keyDownSeen) {
    // Cleared first: the handlers of the key's release may give this editor up.
    keyDownSeen = false;
    KeyRecord(VLM_KEYUP, vk);
  }
  return 0;
}

win::LRESULT CVlEditWnd::OnImeCharMessage(win::WPARAM wParam, win::LPARAM lParam) {
  if (!singleLine) {
    imeCharSeen = true;
    return Default(win::WM_IME_CHAR, wParam, lParam);
  }
  if (locked) return 0;
  if (wParam > 0xFF) ++imeBytesExpected;
  if ((wParam & 0xFF) != 0) ++imeBytesExpected;
  imeCharSeen = true;
  return Default(win::WM_IME_CHAR, wParam, lParam);
}

win::LRESULT CVlEditWnd::OnCharMessage(win::WPARAM wParam, win::LPARAM lParam) {
  const win::HWND self = Handle();
  std::uint32_t ch = static_cast<std::uint32_t>(wParam);
  // 1. Double-byte characters from the input method arrive byte by byte.
  if (imeBytesExpected > 0) {
    if (leadBytePending) {
      ch = (pendingChar << 8) | (ch & 0xFF);
      leadBytePending = false;
      --imeBytesExpected;
    } else if (IsLeadByte(static_cast<unsigned char>(ch & 0xFF))) {
      pendingChar = ch & 0xFF;
      leadBytePending = true;
      --imeBytesExpected;
      return 0;
    } else {
      --imeBytesExpected;
    }
  } else if (ch <= 0xFF && IsLeadByte(static_cast<unsigned char>(ch))) {
    // A lead byte typed outside the input method waits for its trail byte, so a lone lead byte
    // never reaches the model.
    if (!leadBytePending) {
      pendingChar = ch;
      leadBytePending = true;
      return 0;
    }
  } else if (leadBytePending && ch <= 0xFF) {
    ch = (pendingChar << 8) | ch;
    leadBytePending = false;
  }
  // 2. The host sees the character first and may change or cancel it.
  const std::uint32_t original = ch;
  std::int32_t keyChar = static_cast<std::int32_t>(ch);
  // A handler that changed the data type or re-made the window took the character with the old one.
  if (!SendToControl(VLM_KEYPRESS, keyChar)) return 0;
  ch = static_cast<std::uint32_t>(keyChar) & 0xFFFF;
  if (ch == 9 && original != 9) return 0;
  if (ch == 0) return 0;
  if (OnTypedChar(ch) || !StillLive(self)) return 0;

  bool lastFilled = false;
  if (!singleLine) {
    const WindowTextMark mark = MarkWindowText();
    Default(win::WM_CHAR, ch, lParam);
    if (!FollowWindowText(mark)) {
      lastError = kEditMaxLength;
      return 0;
    }
    valueCommit.EndNull();
    if (maxLength > 0 && static_cast<std::int32_t>(editText.size()) >= maxLength &&
        static_cast<std::int32_t>(SelEnd()) >= maxLength - 1) {
      lastFilled = true;
    }
  } else {
    const bool ctrl = Sys()->GetKeyState(win::VK_CONTROL) < 0;
    const bool platformMultiLine = (Sys()->GetStyle(Handle()) & win::ES_MULTILINE) != 0;
    switch (ch) {
      case 3:  // Ctrl+C
        Copy();
        break;
      case 8:  // Backspace
        if (locked || !BeginEdit()) return 0;
        SaveUndoText();
        if (MbcsCharCount(fieldModel.GetSelectedText()) <= 1 &&
            (fieldModel.GetSelection().Empty() || fieldModel.EditMode() == FieldEditMode::kOverwrite)) {
          fieldModel.DeleteBackward();
        } else {
          fieldModel.Delete();
        }
        AfterDelete();
        RefreshWindowText();
        ApplySelection();
        break;
      case 9:
        if (!platformMultiLine) Default(win::WM_CHAR, ch, lParam);
        break;
      case 13:
      case 27:
        break;
      case 22:  // Ctrl+V
        if (!Paste()) return 0;
        break;
      case 24:  // Ctrl+X
        if (locked) return 0;
        Cut();
        break;
      case 26:  // Ctrl+Z
        if (!Undo()) return 0;
        break;
      default: {
        if (locked || ctrl) return 0;
        std::string replacement;
        std::uint32_t extra = 0;
        if (!FilterChar(ch, replacement, extra)) return 0;
        if (!replacement.empty()) {
          RefreshWindowText();
          ApplySelection();
        } else if (ch != 0) {
          if (!InsertTypedChar(ch)) return 0;
        } else {
          fieldModel.Delete();
          RefreshWindowText();
          ApplySelection();
        }
        lastFilled = reachedEnd;
        break;
      }
    }
  }
  // 5. Every accepted input is a change, except the keys that edit nothing. (Copy and paste may
  // have run the host's code through the clipboard's owner: the editor may be gone.)
  if (!StillLive(self)) return 0;
  if (!leadBytePending && !locked && ch != 9 && ch != 3 && ch != 27 && ch != 13 && !SendToControl(VLM_CHANGE)) {
    return 0;
  }
  // 6. Filling the last position moves on.
  if (lastFilled && (tabFlags & kTabByInputLast)) {
    std::int32_t key = 0;
    SendToControl(VLM_NEXTCONTROL, key);
  }
  return 0;
}

}  // namespace vl
