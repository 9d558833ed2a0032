// The common dialogs the design-time pages open: the colour dialog, the file-open dialog and the
// font dialog. Like message boxes they are modal and answered by the host (a test, the scripting
// host or the desktop host) through System::SetCommonDialogHandler; without a handler every
// dialog is cancelled, so nothing changes unless someone chose something.
#pragma once

#include <cstdint>
#include <string>

#include "platform/font.h"
#include "platform/window.h"

namespace vl::win {

enum class CommonDialogKind { Colour, OpenFile, Font };

// One dialog as the host sees it: what it was opened with, and the fields the host fills in
// before it answers OK.
struct CommonDialogRequest {
  CommonDialogKind kind = CommonDialogKind::Colour;
  HWND owner = kNoWindow;
  // Colour: the colour the dialog starts on, then the chosen one (0x00BBGGRR).
  std::uint32_t colour = 0;
  // OpenFile: the filter ("Ini Files (*.ini)|*.ini|All Files (*.*)|*.*||") and the path the
  // dialog starts on, then the chosen full path (CP932).
  std::string filter;
  std::string path;
  // Font: the font the dialog starts on, then the chosen one; the size in tenths of a point, as
  // the dialog reports it next to the LOGFONT.
  LOGFONT font;
  int pointSize10 = 90;
};

// The dialogs themselves: true when the user pressed OK, with the choice written back.
bool ChooseColor(System& system, HWND owner, std::uint32_t& colour);
bool GetOpenFileName(System& system, HWND owner, const std::string& filter, std::string& path);
bool ChooseFont(System& system, HWND owner, LOGFONT& font, int& pointSize10);

}  // namespace vl::win
