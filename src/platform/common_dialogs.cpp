#include "platform/common_dialogs.h"

namespace vl::win {

bool System::RunCommonDialog(CommonDialogRequest& request) {
  if (!commonDialogHandler_) return false;
  CommonDialogRequest answer = request;
  if (!commonDialogHandler_(answer)) return false;
  // Only the results travel back: the kind and the owner stay what the caller opened.
  answer.kind = request.kind;
  answer.owner = request.owner;
  request = answer;
  return true;
}

bool ChooseColor(System& system, HWND owner, std::uint32_t& colour) {
  CommonDialogRequest request;
  request.kind = CommonDialogKind::Colour;
  request.owner = owner;
  request.colour = colour;
  if (!system.RunCommonDialog(request)) return false;
  // The dialog offers colours only, never system colours or flags in the high byte.
  colour = request.colour & 0x00FFFFFFu;
  return true;
}

bool GetOpenFileName(System& system, HWND owner, const std::string& filter, std::string& path) {
  CommonDialogRequest request;
  request.kind = CommonDialogKind::OpenFile;
  request.owner = owner;
  request.filter = filter;
  request.path = path;
  if (!system.RunCommonDialog(request)) return false;
  path = request.path;
  return true;
}

bool ChooseFont(System& system, HWND owner, LOGFONT& font, int& pointSize10) {
  CommonDialogRequest request;
  request.kind = CommonDialogKind::Font;
  request.owner = owner;
  request.font = font;
  request.pointSize10 = pointSize10;
  if (!system.RunCommonDialog(request)) return false;
  if (request.pointSize10 <= 0) return false;  // no size is no font: treated as a cancel
  font = request.font;
  pointSize10 = request.pointSize10;
  return true;
}

}  // namespace vl::win
