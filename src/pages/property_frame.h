// The property frame the host shows at design time: the four pages of one box behind a row of
// tabs, with OK, キャンセル and 適用(&A) below. Each page is read from the box when the frame
// opens; Apply writes back what the pages changed, then reads them again, so they show what the
// box holds. Apply is enabled only while some page differs from the box.
//
// Keyboard: Tab and the labels' mnemonics move through the shown page's controls and the frame's
// buttons (platform/dialog.h); Ctrl+Tab, Ctrl+PageDown and their Shift and PageUp forms change
// the page, as do Left and Right on the tabs.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "pages/caption_page.h"
#include "pages/colour_picker.h"
#include "pages/dialog_controls.h"
#include "pages/general_page.h"
#include "pages/page_dialog.h"
#include "pages/style_pages.h"
#include "platform/surface.h"
#include "runtime/automation_error.h"

namespace vl {
class CVlTypedBoxCtrl;
}

namespace vl::pages {

class PropertyPages {
 public:
  static constexpr int kPageCount = 4;
  static constexpr int kApplyId = 0x3021;

  PropertyPages(CVlTypedBoxCtrl& control, std::vector<CursorColumn> columns, std::shared_ptr<SharedPalette> palette,
                win::FontBackend& fonts, win::POINT at = win::POINT{660, 20});
  ~PropertyPages();
  PropertyPages(const PropertyPages&) = delete;
  PropertyPages& operator=(const PropertyPages&) = delete;

  PropertyPage& Page(int index) const;
  PageDialog& Dialog(int index) const;
  // The page of a title ("General", "Style", "Style2", "Caption"), -1 for none.
  int IndexOf(std::string_view title) const;
  CVlTextPPGGeneral& General() const { return *general_; }
  CVlTextPPGCaption& Caption() const { return *caption_; }
  CVlTypedBoxCtrl& Control() const { return control_; }
  win::HWND Frame() const;
  // The frame's buttons by id: IDOK, IDCANCEL, kApplyId.
  win::HWND Button(int id) const;
  win::System& Sys() const;

  int Shown() const { return shown_; }
  // The user selects a page; with `focus` the focus goes to its first control.
  void Show(int index, bool focus = false);
  bool IsDirty() const;
  // What the user's Apply does: the focused field is left first (its checks run), then every
  // page writes its changes. False when the box refused a write; a message box said why and
  // LastError holds it, and the pages keep what the user entered.
  bool Apply();
  const std::optional<AutomationError>& LastError() const { return lastError_; }

  // --- What the user does to a field of a page, through its window: the page is shown, the field
  // takes the focus (the field left runs its checks), then the input. False when there is no such
  // field or it is disabled.
  bool UserFocus(int page, int id);
  bool UserType(int page, int id, const std::string& text);
  bool UserChoose(int page, int id, int index);
  bool UserCheck(int page, int id, bool on);
  bool UserClick(int page, int id);
  // The focus leaves the field for the next control (or, when it is elsewhere, the field's checks
  // run as if it had).
  void UserLeave(int page, int id);
  // The page and field that hold the focus; {-1, 0} when the focus is elsewhere.
  std::pair<int, int> Focused() const;

  // The host's message loop hands the keyboard messages of the frame's windows here first; true
  // when consumed.
  bool PreTranslate(win::MSG& msg);

  // A picture of the frame showing page `index` as the user sees it (an open list included).
  win::Surface Render(int index, win::FontBackend& fonts);

  // A call of the frame is running: a box's event handler it caused may be the one asking. The
  // host that closes a busy frame marks it closed and keeps it until the call returns; the calls
  // still running stop at their next step.
  bool Busy() const { return busy_ > 0; }
  void MarkClosed();
  bool Closed() const { return closed_; }

 private:
  class FrameWindow;
  class TabStrip;
  struct BusyScope {
    explicit BusyScope(PropertyPages& p) : pages(p) { ++pages.busy_; }
    ~BusyScope() { --pages.busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    PropertyPages& pages;
  };

  win::HWND FieldWindowOrNull(int page, int id) const;
  bool PrepareField(int page, int id, win::HWND& window);
  void UpdateApplyButton();
  win::RECT TabRect(int index) const;
  void PaintFrame(win::DeviceContext& dc, int index);
  void OnButton(int id);
  void ReadAll();

  CVlTypedBoxCtrl& control_;
  std::shared_ptr<SharedPalette> palette_;
  DialogFont font_;
  std::unique_ptr<CVlTextPPGGeneral> general_;
  std::unique_ptr<CVlTextPPGStyle> style_;
  std::unique_ptr<CVlTextPPGStyle2> style2_;
  std::unique_ptr<CVlTextPPGCaption> caption_;
  std::array<PropertyPage*, kPageCount> pages_{};
  std::unique_ptr<FrameWindow> frame_;
  std::unique_ptr<TabStrip> tabs_;
  std::array<std::unique_ptr<PageDialog>, kPageCount> dialogs_;
  std::array<std::unique_ptr<PageButton>, 3> buttons_;  // OK, キャンセル, 適用
  win::RECT pageBox_{};
  int shown_ = 0;
  int busy_ = 0;
  bool closed_ = false;
  std::optional<AutomationError> lastError_;
};

}  // namespace vl::pages
