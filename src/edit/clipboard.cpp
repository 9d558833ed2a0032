// Cut, Copy and Paste of the edit window: plain text (CP932, zero-terminated) for every editor.
#include "edit/edit_wnd.h"

namespace vl {

bool CVlEditWnd::PutClipboardText(const std::string& text) {
  if (!created) return false;
  win::System& sys = *Sys();
  if (!sys.OpenClipboard(Handle())) return false;
  sys.EmptyClipboard();
  sys.SetClipboardData(win::CF_TEXT, text + '\0');
  sys.CloseClipboard();
  return true;
}

std::optional<std::string> CVlEditWnd::TakeClipboardText() {
  if (!created) return std::nullopt;
  win::System& sys = *Sys();
  if (!sys.OpenClipboard(Handle())) return std::nullopt;
  std::optional<std::string> data = sys.GetClipboardData(win::CF_TEXT);
  sys.CloseClipboard();
  if (!data) return std::nullopt;
  return data->substr(0, data->find('\0'));
}

void CVlEditWnd::Copy() {
  if (passwordChar != 0 || !created) return;
  PutClipboardText(fieldModel.ValueOf(fieldModel.GetSelectedText()));
}

void CVlEditWnd::Cut() {
  if (locked || !created) return;
  SaveUndoText();
  if (!PutClipboardText(fieldModel.ValueOf(fieldModel.GetSelectedText()))) return;
  fieldModel.Delete();
  AfterDelete();
  RefreshWindowText();
  ApplySelection();
}

bool CVlEditWnd::Paste() {
  if (locked) return true;
  if (!created) return false;
  const std::optional<std::string> data = TakeClipboardText();
  if (!data) return false;
  const std::string& text = *data;
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
