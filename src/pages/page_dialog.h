// A property page as a dialog on the window system: its controls laid out in dialog units, kept
// showing the page model's fields, and the user's input turned into the model's calls. The
// dialog also answers the page's message boxes and common dialogs, owned by itself.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "pages/dialog_controls.h"
#include "pages/property_page.h"
#include "platform/window.h"

namespace vl::pages {

// Where a page's controls go, in dialog units and in tab order: a label (the field's label as a
// static) right before the field it names, or the field's own control.
enum class Place { Label, Field };
struct LayoutItem {
  Place place;
  int field;
  int x, y, cx, cy;
};
struct PageLayout {
  int cx = 0;
  int cy = 0;
  std::vector<LayoutItem> items;
};

const PageLayout& GeneralLayout();
const PageLayout& StyleLayout();
const PageLayout& Style2Layout();
const PageLayout& CaptionLayout();

class PageDialog : public win::Window, public PageServices {
 public:
  PageDialog(PropertyPage& page, const PageLayout& layout, const DialogFont& font);
  ~PageDialog() override;

  // Creates the dialog (hidden) as a child of `parent` at `at`, with all its controls.
  win::HWND Create(win::System& system, win::HWND parent, win::POINT at);

  PropertyPage& Page() const { return page_; }
  // Told after every field the dialog showed anew (the frame enables its Apply button then).
  void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }
  win::SIZE Size() const { return size_; }
  // The window of a field (an alias id names its field), kNoWindow for none.
  win::HWND FieldWindow(int id) const;
  // The field a window belongs to (the window or one inside it), 0 for none.
  int FieldOf(win::HWND hwnd) const;
  PageCombo* ComboOf(int id) const;

  // Shows the model's field in its window: text, items, selection, check, enabling.
  void Sync(int id);

  // Paints the dialog's controls through the window system, the dialog's top-left at the
  // context's origin, also while the dialog is hidden; the open lists last, over the rest.
  void Paint(win::DeviceContext& dc);
  // The part of the dialog's coordinates the open lists reach (empty when none is open).
  win::RECT OverlayBounds() const;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

  // PageServices: owned by the dialog.
  void ShowMessage(const std::string& text) override;
  bool BrowseFile(const std::string& filter, std::string& path) override;
  bool ChooseFont(FontDesc& font) override;
  bool ChooseColour(std::uint32_t& colour) override;

 private:
  void CreateControl(const LayoutItem& item);
  // Puts the items into a list unless it holds them already; the list is widened and made tall
  // enough for all of them.
  void SyncComboItems(PageCombo& combo, const std::vector<win::ComboItem>& items);
  void OnCommand(int id, int code, win::HWND from);

  PropertyPage& page_;
  const PageLayout& layout_;
  const DialogFont& font_;
  win::SIZE size_;
  std::vector<std::unique_ptr<win::Window>> controls_;
  std::vector<PageCombo*> combos_;  // the controls that can open a list
  std::map<int, win::HWND> fieldWindows_;
  std::map<int, win::HWND> labelWindows_;
  bool syncing_ = false;
  std::function<void()> observer_;
};

}  // namespace vl::pages
