// Cut, Copy and Paste of the edit window: plain text (CP932, zero-terminated) for every editor.
#include "edit/edit_wnd.h"

namespace vl {

namespace {

// CF_TEXT as this box puts it: the bytes and their terminating zero. Nothing is put when the
// clipboard cannot be opened, so nothing is reported as done that was not.
bool PutText(win::System& sys, win::HWND owner, const std::string& text) {
  if (!sys.OpenClipboard(owner)) return false;
  sys.EmptyClipboard();
  sys.SetClipboardData(win::CF_TEXT, text + '\0');
  sys.CloseClipboard();
  return true;
}

}  // namespace

void CVlEditWnd::Copy() {
  if (passwordChar != 0 || !created) return;
  PutText(*Sys(), Handle(), RemoveMaskMarkers(fieldModel.GetSelectedText()));
}

void CVlEditWnd::Cut() {
  if (locked || !created) return;
  SaveUndoText();
  if (!PutText(*Sys(), Handle(), RemoveMaskMarkers(fieldModel.GetSelectedText()))) return;
  fieldModel.Delete();
  AfterDelete();
  RefreshWindowText();
  ApplySelection();
}

bool CVlEditWnd::Paste() {
  if (locked) return true;
  if (!created) return false;
  win::System& sys = *Sys();
  if (!sys.OpenClipboard(Handle())) return false;
  std::optional<std::string> data = sys.GetClipboardData(win::CF_TEXT);
  sys.CloseClipboard();
  if (!data) return false;
  std::string text = data->substr(0, data->find('\0'));
  if (!ValidateText(text)) return false;
  if (!fieldModel.ReplaceSelection(text)) {
    lastError = kEditMaxLength;
    return false;
  }
  RefreshWindowText();
  ApplySelection();
  return true;
}

}  // namespace vl
