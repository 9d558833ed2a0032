#include "pages/property_frame.h"

#include <algorithm>

#include "control/typed_box_ctrl.h"
#include "platform/dialog.h"
#include "render/text_draw.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vl::pages {

namespace {

constexpr std::uint32_t kIdsDisplayNameTitle = 1;

bool Within(const win::System& sys, win::HWND hwnd, win::HWND root) {
  for (win::HWND h = hwnd; h != win::kNoWindow; h = sys.GetParent(h)) {
    if (h == root) return true;
  }
  return false;
}

win::HBRUSH SysBrush(int index) { return win::CreateSolidBrush(win::GetSysColor(index)); }

}  // namespace

// The frame's own window: it hears its buttons.
class PropertyPages::FrameWindow : public win::Window {
 public:
  explicit FrameWindow(PropertyPages& owner) : owner_(owner) {}
  // The frame's face and its row of tabs; the window system paints the page and buttons over it.
  void PrintClient(win::DeviceContext& dc) override { owner_.PaintFrame(dc, owner_.shown_); }
  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override {
    if (msg == win::WM_COMMAND && win::HIWORD(wParam) == win::BN_CLICKED) {
      owner_.OnButton(win::LOWORD(wParam));
      return 0;
    }
    return DefWindowProc(msg, wParam, lParam);
  }

 private:
  PropertyPages& owner_;
};

// The row of tabs: a click or Left and Right choose a page.
class PropertyPages::TabStrip : public win::Window {
 public:
  explicit TabStrip(PropertyPages& owner) : owner_(owner) {}
  bool focused = false;
  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override {
    switch (msg) {
      case win::WM_GETDLGCODE:
        return win::DLGC_WANTARROWS;
      case win::WM_SETFOCUS:
        focused = true;
        return 0;
      case win::WM_KILLFOCUS:
        focused = false;
        return 0;
      case win::WM_KEYDOWN:
        if (wParam == win::VK_LEFT || wParam == win::VK_RIGHT) {
          const int step = wParam == win::VK_LEFT ? kPageCount - 1 : 1;
          owner_.Show((owner_.Shown() + step) % kPageCount);
        }
        return 0;
      case win::WM_LBUTTONDOWN: {
        const win::POINT p{static_cast<std::int16_t>(win::LOWORD(static_cast<std::uintptr_t>(lParam))),
                           static_cast<std::int16_t>(win::HIWORD(static_cast<std::uintptr_t>(lParam)))};
        const win::RECT at = Sys()->GetWindowRect(Handle());
        for (int i = 0; i < kPageCount; ++i) {
          if (win::PtInRect(owner_.TabRect(i), win::POINT{p.x + at.left, p.y + at.top})) {
            owner_.Show(i);
            if (Sys()->IsWindow(Handle())) Sys()->SetFocus(Handle());
          }
        }
        return 0;
      }
      default:
        return DefWindowProc(msg, wParam, lParam);
    }
  }

 private:
  PropertyPages& owner_;
};

PropertyPages::PropertyPages(CVlTypedBoxCtrl& control, std::vector<CursorColumn> columns,
                             std::shared_ptr<SharedPalette> palette, win::FontBackend& fonts, win::POINT at)
    : control_(control), palette_(std::move(palette)), font_(fonts, PageLogFont()) {
  win::System& sys = control_.Site().WindowSystem();
  general_ = std::make_unique<CVlTextPPGGeneral>(std::move(columns), sys.GetClock());
  style_ = std::make_unique<CVlTextPPGStyle>();
  style2_ = std::make_unique<CVlTextPPGStyle2>();
  caption_ = std::make_unique<CVlTextPPGCaption>(*palette_);
  pages_ = {general_.get(), style_.get(), style2_.get(), caption_.get()};
  for (PropertyPage* p : pages_) p->Read(control_);

  const win::DialogBaseUnits b = font_.BaseUnits();
  auto dx = [&](int d) { return win::MulDiv(d, b.cx, 4); };
  auto dy = [&](int d) { return win::MulDiv(d, b.cy, 8); };
  const win::RECT page = win::MapDialogRect(win::RECT{0, 0, GeneralLayout().cx, GeneralLayout().cy}, b);
  const int tabTop = dy(5);
  const int tabBottom = tabTop + std::max(dy(12), font_.LineHeight() + 8);
  pageBox_ = win::RECT{dx(7), tabBottom, dx(7) + page.Width() + 4, tabBottom + page.Height() + 4};
  const int buttonTop = pageBox_.bottom + dy(7);
  const int buttonWidth = dx(50);
  const int buttonHeight = dy(14);
  const win::SIZE size{pageBox_.right + dx(7), buttonTop + buttonHeight + dy(7)};

  frame_ = std::make_unique<FrameWindow>(*this);
  sys.CreateWindowEx(*frame_, win::kDialogClass, win::WS_VISIBLE, win::RECT{at.x, at.y, at.x + size.cx, at.y + size.cy},
                     win::kNoWindow);
  tabs_ = std::make_unique<TabStrip>(*this);
  sys.CreateWindowEx(*tabs_, "SysTabControl32", win::WS_CHILD | win::WS_VISIBLE | win::WS_TABSTOP,
                     win::RECT{pageBox_.left, tabTop, pageBox_.right, tabBottom}, frame_->Handle());
  const PageLayout* layouts[kPageCount] = {&GeneralLayout(), &StyleLayout(), &Style2Layout(), &CaptionLayout()};
  for (int i = 0; i < kPageCount; ++i) {
    dialogs_[static_cast<std::size_t>(i)] =
        std::make_unique<PageDialog>(*pages_[static_cast<std::size_t>(i)], *layouts[i], font_);
    PageDialog& d = *dialogs_[static_cast<std::size_t>(i)];
    d.Create(sys, frame_->Handle(), win::POINT{pageBox_.left + 2, pageBox_.top + 2});
    d.SetObserver([this] { UpdateApplyButton(); });
  }
  sys.ShowWindow(dialogs_[0]->Handle(), true);
  const struct {
    int id;
    const char* label;
    win::DWORD type;
  } buttons[3] = {{win::IDOK, "OK", win::BS_DEFPUSHBUTTON},
                  {win::IDCANCEL, "キャンセル", win::BS_PUSHBUTTON},
                  {kApplyId, "適用(&A)", win::BS_PUSHBUTTON}};
  for (int i = 0; i < 3; ++i) {
    const int right = pageBox_.right - (2 - i) * (buttonWidth + dx(4));
    buttons_[static_cast<std::size_t>(i)] = std::make_unique<PageButton>();
    buttons_[static_cast<std::size_t>(i)]->Create(
        sys, win::WS_CHILD | win::WS_VISIBLE | win::WS_TABSTOP | buttons[i].type,
        win::RECT{right - buttonWidth, buttonTop, right, buttonTop + buttonHeight}, frame_->Handle(),
        static_cast<std::uintptr_t>(buttons[i].id), Cp932Literal(buttons[i].label));
  }
  UpdateApplyButton();
}

PropertyPages::~PropertyPages() {
  for (auto& d : dialogs_) d.reset();
  win::System& sys = control_.Site().WindowSystem();
  if (frame_ != nullptr && sys.IsWindow(frame_->Handle())) sys.DestroyWindow(frame_->Handle());
}

PropertyPage& PropertyPages::Page(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
PageDialog& PropertyPages::Dialog(int index) const { return *dialogs_.at(static_cast<std::size_t>(index)); }
win::HWND PropertyPages::Frame() const { return frame_->Handle(); }
win::HWND PropertyPages::Button(int id) const {
  for (const auto& b : buttons_) {
    if (b != nullptr && b->ControlId() == static_cast<std::uintptr_t>(id)) return b->Handle();
  }
  return win::kNoWindow;
}

win::System& PropertyPages::Sys() const { return control_.Site().WindowSystem(); }

int PropertyPages::IndexOf(std::string_view title) const {
  for (int i = 0; i < kPageCount; ++i) {
    if (Page(i).Title() == title) return i;
  }
  return -1;
}

bool PropertyPages::IsDirty() const {
  return std::any_of(pages_.begin(), pages_.end(), [](const PropertyPage* p) { return p->IsDirty(); });
}

void PropertyPages::UpdateApplyButton() {
  const win::HWND apply = Button(kApplyId);
  if (apply == win::kNoWindow) return;
  const bool dirty = IsDirty();
  if (Sys().IsWindowEnabled(apply) != dirty) Sys().EnableWindow(apply, dirty);
}

// --- Pages and focus -----------------------------------------------------------------------------

void PropertyPages::MarkClosed() {
  closed_ = true;
  win::System& sys = Sys();
  if (Within(sys, sys.GetFocus(), Frame())) sys.SetFocus(win::kNoWindow);
  if (sys.IsWindow(Frame())) sys.ShowWindow(Frame(), false);
}

void PropertyPages::Show(int index, bool focus) {
  if (index < 0 || index >= kPageCount || closed_) return;
  BusyScope busy(*this);
  win::System& sys = Sys();
  if (!sys.IsWindowVisible(Frame())) sys.ShowWindow(Frame(), true);
  if (index != shown_) {
    // Leaving the page leaves its focused field first, so its checks run on the page they belong to.
    if (Within(sys, sys.GetFocus(), Dialog(shown_).Handle())) sys.SetFocus(tabs_->Handle());
    if (closed_) return;
    sys.ShowWindow(Dialog(shown_).Handle(), false);
    shown_ = index;
    sys.ShowWindow(Dialog(shown_).Handle(), true);
  }
  if (focus && !closed_) {
    const win::HWND first = win::GetNextDlgTabItem(sys, Dialog(shown_).Handle(), win::kNoWindow, false);
    if (first != win::kNoWindow) win::SetDialogFocus(sys, first);
  }
}

std::pair<int, int> PropertyPages::Focused() const {
  const win::HWND focus = Sys().GetFocus();
  for (int i = 0; i < kPageCount; ++i) {
    if (const int id = Dialog(i).FieldOf(focus)) return {i, id};
  }
  return {-1, 0};
}

win::HWND PropertyPages::FieldWindowOrNull(int page, int id) const {
  if (page < 0 || page >= kPageCount) return win::kNoWindow;
  return Dialog(page).FieldWindow(id);
}

bool PropertyPages::PrepareField(int page, int id, win::HWND& window) {
  window = FieldWindowOrNull(page, id);
  if (window == win::kNoWindow || closed_) return false;
  Show(page);
  win::System& sys = Sys();
  if (closed_ || !sys.IsWindowEnabled(window)) return false;
  if (!Within(sys, sys.GetFocus(), window)) win::SetDialogFocus(sys, window);
  // Leaving the field before may have changed this one (a refused range, a new data type), and
  // the box's handlers may have closed the frame.
  return !closed_ && sys.IsWindow(window) && sys.IsWindowEnabled(window);
}

bool PropertyPages::UserFocus(int page, int id) {
  BusyScope busy(*this);
  win::HWND window;
  return PrepareField(page, id, window);
}

bool PropertyPages::UserType(int page, int id, const std::string& text) {
  BusyScope busy(*this);
  const PageField* f = page >= 0 && page < kPageCount ? Page(page).Find(id) : nullptr;
  if (f == nullptr || (f->kind != FieldKind::Edit && f->kind != FieldKind::Combo)) return false;
  win::HWND window;
  if (!PrepareField(page, id, window)) return false;
  Sys().SendMessage(window, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
  const bool taken = Page(page).Type(id, text);
  Dialog(page).Sync(Page(page).Find(id)->id);
  return taken;
}

bool PropertyPages::UserChoose(int page, int id, int index) {
  BusyScope busy(*this);
  win::HWND window;
  if (!PrepareField(page, id, window)) return false;
  PageCombo* combo = Dialog(page).ComboOf(id);
  return combo != nullptr && combo->ChooseItem(index);
}

bool PropertyPages::UserCheck(int page, int id, bool on) {
  BusyScope busy(*this);
  const PageField* f = page >= 0 && page < kPageCount ? Page(page).Find(id) : nullptr;
  if (f == nullptr || f->kind != FieldKind::Check) return false;
  win::HWND window;
  if (!PrepareField(page, id, window)) return false;
  const bool checked = Sys().SendMessage(window, win::BM_GETCHECK, 0, 0) == win::BST_CHECKED;
  if (checked != on) Sys().SendMessage(window, win::BM_CLICK, 0, 0);
  return true;
}

bool PropertyPages::UserClick(int page, int id) {
  BusyScope busy(*this);
  const PageField* f = page >= 0 && page < kPageCount ? Page(page).Find(id) : nullptr;
  if (f == nullptr || f->kind != FieldKind::Button) return false;
  win::HWND window;
  if (!PrepareField(page, id, window)) return false;
  Sys().SendMessage(window, win::BM_CLICK, 0, 0);
  return true;
}

void PropertyPages::UserLeave(int page, int id) {
  BusyScope busy(*this);
  const win::HWND window = FieldWindowOrNull(page, id);
  if (window == win::kNoWindow) return;
  win::System& sys = Sys();
  const win::HWND focus = sys.GetFocus();
  if (!Within(sys, focus, window)) {
    Page(page).Leave(id);
    return;
  }
  const win::HWND next = win::GetNextDlgTabItem(sys, Frame(), focus, false);
  win::SetDialogFocus(sys, next != window ? next : Frame());
}

// --- Apply ---------------------------------------------------------------------------------------

void PropertyPages::ReadAll() {
  for (PropertyPage* p : pages_) p->Read(control_);
  UpdateApplyButton();
}

bool PropertyPages::Apply() {
  if (closed_) return false;
  BusyScope busy(*this);
  win::System& sys = Sys();
  // Pressing a button takes the focus from the field being edited: its checks run first.
  if (Within(sys, sys.GetFocus(), Frame())) sys.SetFocus(buttons_[0]->Handle());
  lastError_.reset();
  for (PropertyPage* p : pages_) {
    // A box's handler may close the frame from inside a write.
    if (closed_) return false;
    try {
      p->Apply(control_);
    } catch (const AutomationError& e) {
      lastError_ = e;
      const std::string text = e.Message().empty() ? StandardErrorDescription(e.Code()) : e.Message();
      sys.MessageBox(Frame(), text, LoadResourceString(kIdsDisplayNameTitle), win::MB_OK | win::MB_ICONINFORMATION);
      UpdateApplyButton();
      return false;
    }
  }
  if (closed_) return false;
  ReadAll();
  return true;
}

void PropertyPages::OnButton(int id) {
  BusyScope busy(*this);
  win::System& sys = Sys();
  if (id == kApplyId) {
    Apply();
    return;
  }
  if (id == win::IDOK && !Apply()) return;
  if ((id == win::IDOK || id == win::IDCANCEL) && !closed_) {
    if (Within(sys, sys.GetFocus(), Frame())) sys.SetFocus(win::kNoWindow);
    sys.ShowWindow(Frame(), false);
  }
}

// --- Keyboard ------------------------------------------------------------------------------------

bool PropertyPages::PreTranslate(win::MSG& msg) {
  BusyScope busy(*this);
  win::System& sys = Sys();
  if (!Within(sys, msg.hwnd, Frame())) return false;
  if (msg.message == win::WM_KEYDOWN && sys.GetKeyState(win::VK_CONTROL) < 0) {
    const int vk = static_cast<int>(msg.wParam);
    const bool back = sys.GetKeyState(win::VK_SHIFT) < 0;
    int step = 0;
    if (vk == win::VK_TAB) step = back ? -1 : 1;
    if (vk == win::VK_NEXT) step = 1;
    if (vk == win::VK_PRIOR) step = -1;
    if (step != 0) {
      Show((shown_ + step + kPageCount) % kPageCount);
      sys.SetFocus(tabs_->Handle());
      return true;
    }
  }
  return win::IsDialogMessage(sys, Frame(), msg);
}

// --- Pictures ------------------------------------------------------------------------------------

win::RECT PropertyPages::TabRect(int index) const {
  const win::RECT strip = Sys().GetWindowRect(tabs_->Handle());
  int x = strip.left + 2;
  for (int i = 0; i < index; ++i) x += font_.Width(Page(i).Title()) + 16;
  return win::RECT{x, strip.top + 2, x + font_.Width(Page(index).Title()) + 16, strip.bottom};
}

void PropertyPages::PaintFrame(win::DeviceContext& dc, int index) {
  const win::RECT frame = Sys().GetWindowRect(Frame());
  win::FillRect(dc, win::RECT{0, 0, frame.Width(), frame.Height()}, SysBrush(win::COLOR_BTNFACE));
  win::RECT box = pageBox_;
  win::DrawEdge(dc, box, win::EDGE_RAISED, win::BF_RECT);
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNTEXT));
  const int textHeight = win::GetTextMetrics(dc).tmHeight;
  for (int i = 0; i < kPageCount; ++i) {
    win::RECT tab = TabRect(i);
    // The chosen tab stands out: a little larger, and open into its page.
    if (i == index) tab = win::RECT{tab.left - 2, tab.top - 2, tab.right + 2, tab.bottom + 1};
    win::FillRect(dc, tab, SysBrush(win::COLOR_BTNFACE));
    win::RECT edge = tab;
    win::DrawEdge(dc, edge, win::EDGE_RAISED, win::BF_LEFT | win::BF_TOP | win::BF_RIGHT | win::BF_SOFT);
    const int top = tab.top + (tab.Height() - textHeight) / 2;
    const win::RECT label{tab.left, top, tab.right, top + textHeight};
    DrawTextLine(dc, Page(i).Title(), label, kDrawCenter | kDrawNoPrefix);
    if (i == index && tabs_->focused) {
      const int w = font_.Width(Page(i).Title());
      const int left = tab.left + (tab.Width() - w) / 2;
      win::DrawFocusRect(dc, win::RECT{left - 2, top - 1, left + w + 2, top + textHeight + 1});
    }
  }
}

win::Surface PropertyPages::Render(int index, win::FontBackend& fonts) {
  BusyScope busy(*this);
  win::System& sys = Sys();
  index = std::clamp(index, 0, kPageCount - 1);
  const win::RECT frame = sys.GetWindowRect(Frame());
  const win::RECT at = sys.GetWindowRect(Dialog(index).Handle());
  const win::RECT overlay = win::OffsetRectBy(Dialog(index).OverlayBounds(), at.left, at.top);
  const int width = std::max(frame.Width(), overlay.IsEmpty() ? 0 : overlay.right + 1);
  const int height = std::max(frame.Height(), overlay.IsEmpty() ? 0 : overlay.bottom + 1);
  win::Surface picture(width, height, win::GetSysColor(win::COLOR_APPWORKSPACE));
  win::DeviceContext dc(&picture, fonts);
  win::SelectObject(dc, win::CreateFontIndirect(font_.LogFont()));
  // The frame as it would look with that page chosen: its face and tabs, its buttons, the page.
  PaintFrame(dc, index);
  for (const auto& b : buttons_) {
    const win::RECT r = sys.GetWindowRect(b->Handle());
    sys.PrintWindow(b->Handle(), dc, win::POINT{r.left, r.top});
  }
  const int saved = win::SaveDC(dc);
  win::SetViewportOrgEx(dc, at.left, at.top);
  Dialog(index).Paint(dc);
  win::RestoreDC(dc, saved);
  return picture;
}

}  // namespace vl::pages
