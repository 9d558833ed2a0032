#include "host/form.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "binding/data_binding.h"
#include "runtime/system_colour.h"
#include "text/encoding.h"

namespace vl {

namespace {

constexpr double kHimetricPerPoint = 2540.0 / 72.0;

// The classic desktop's system colours (0x00BBGGRR), by index.
constexpr std::uint32_t kSystemColours[] = {
    0x00C8D0D4,  // 0 scroll bar
    0x00A56E3A,  // 1 desktop
    0x006A240A,  // 2 active caption
    0x00808080,  // 3 inactive caption
    0x00C8D0D4,  // 4 menu
    0x00FFFFFF,  // 5 window
    0x00000000,  // 6 window frame
    0x00000000,  // 7 menu text
    0x00000000,  // 8 window text
    0x00FFFFFF,  // 9 caption text
    0x00C8D0D4,  // 10 active border
    0x00C8D0D4,  // 11 inactive border
    0x00808080,  // 12 application workspace
    0x006A240A,  // 13 highlight
    0x00FFFFFF,  // 14 highlight text
    0x00C8D0D4,  // 15 button face
    0x00808080,  // 16 button shadow
    0x00808080,  // 17 grey text
    0x00000000,  // 18 button text
    0x00C8D0D4,  // 19 inactive caption text
    0x00FFFFFF,  // 20 button highlight
    0x00404040,  // 21 3D dark shadow
    0x00C8D0D4,  // 22 3D light
    0x00000000,  // 23 tooltip text
    0x00E1FFFF,  // 24 tooltip background
    0x00B5B5B5,  // 25
    0x00800000,  // 26 hot light
    0x00F0CAA6,  // 27 gradient active caption
    0x00C0C0C0,  // 28 gradient inactive caption
    0x006A240A,  // 29 menu highlight
    0x00C8D0D4,  // 30 menu bar
};

}  // namespace

// ---------------------------------------------------------------------------------------------

bool BoxSite::AmbientUserMode() const { return form_.UserMode(); }
FontDesc BoxSite::AmbientFont() const { return form_.AmbientFont(); }
std::uint32_t BoxSite::AmbientBackColor() const { return Form::SystemColour(SystemColourIndex(kColourButtonFace)); }

void BoxSite::FireEvent(VlEvent id, EventArgs& args) { form_.Record(*this, id, args); }

void BoxSite::OnPropertyChanged(std::int32_t dispid) {
  form_.notifications_.push_back(NotificationRecord{name_, dispid});
}
void BoxSite::SetModifiedFlag(bool m) { modified = m; }
void BoxSite::InvalidateControl() { ++invalidations; }

std::uint32_t BoxSite::TranslateColor(std::uint32_t colour) const {
  if (IsSystemColourRef(colour)) return Form::SystemColour(SystemColourIndex(colour));
  return colour & 0x00FFFFFFu;
}

double BoxSite::HimetricToContainer(std::int32_t himetric) const { return himetric / kHimetricPerPoint; }

std::int32_t BoxSite::ContainerToHimetric(double units) const {
  return static_cast<std::int32_t>(std::lround(units * kHimetricPerPoint));
}

win::System& BoxSite::WindowSystem() { return form_.WindowSystem(); }
win::HWND BoxSite::ContainerWindow() const { return form_.ContainerWindow(); }
win::FontBackend* BoxSite::ScreenFonts() { return form_.ScreenFonts(); }
bool BoxSite::IsUIActive() const { return control_ && form_.WindowSystem().GetFocus() != win::kNoWindow &&
                                          form_.OwnerName(form_.WindowSystem().GetFocus()) == name_; }
void BoxSite::UIDeactivate() {
  if (IsUIActive()) form_.WindowSystem().SetFocus(form_.Handle());
}

std::shared_ptr<IVlCursor> BoxSite::GetCursor(std::int32_t dispid) {
  return dispid == kDispDataSource ? dataSource_ : nullptr;
}

void BoxSite::RequestControlSize(win::SIZE pixels) {
  if (!control_ || !control_->HasControlWindow()) return;
  win::RECT r = form_.WindowSystem().GetWindowRect(control_->Handle());
  r.right = r.left + pixels.cx;
  r.bottom = r.top + pixels.cy;
  form_.MoveBox(*control_, r);
}

// ---------------------------------------------------------------------------------------------

Form::Form(bool userMode, bool browserHosted) : system_(clock_), userMode_(userMode) {
  ambientFont_.name = Cp932Literal("ＭＳ Ｐゴシック");
  ambientFont_.sizeCy = 90000;
  ambientFont_.weight = 400;
  ambientFont_.charset = 128;
  system_.CreateWindowEx(*this, "VlTextForm", win::WS_VISIBLE, win::RECT{0, 0, 640, 480}, win::kNoWindow);
  container_ = Handle();
  if (browserHosted) {
    container_ = system_.CreateWindowEx(browserPane_, "Internet Explorer_Server", win::WS_CHILD | win::WS_VISIBLE,
                                        win::RECT{0, 0, 640, 480}, Handle());
  }
  system_.SetPreTranslateHook([this](win::MSG& msg) { return PreTranslate(msg); });
  system_.SetMessageBoxHandler([this](const win::MessageBoxRequest& r) {
    const MessageRecord shown{r.text, r.title, OwnerName(r.owner)};
    messages_.push_back(shown);
    // Copies: the answer may replace itself, or show more boxes, while its dialog is up.
    const MessageBoxAnswer answer = messageBoxAnswer_;
    return answer ? answer(shown, r.flags) : win::IDOK;
  });
  system_.SetCommonDialogHandler([this](win::CommonDialogRequest& r) { return AnswerCommonDialog(r); });
}

Form::~Form() {
  system_.SetMessageBoxHandler(nullptr);
  system_.SetCommonDialogHandler(nullptr);
  system_.SetPreTranslateHook(nullptr);
  propertyPages_.clear();
  closedPages_.clear();
  // A box being destroyed finds no box by name, itself included.
  boxNamed_.Resize(0);
  boxTabStop_.clear();
  boxes_.clear();
  buttons_.clear();
}

win::RECT Form::NextRect() {
  win::RECT r{8, 8 + nextRow_ * 30, 8 + 160, 8 + nextRow_ * 30 + 24};
  ++nextRow_;
  return r;
}

win::HWND Form::AddButton(const std::string& name, std::optional<win::RECT> rect) {
  buttons_.push_back(std::make_unique<PlainButton>(name));
  win::HWND h = system_.CreateWindowEx(*buttons_.back(), "BUTTON", win::WS_CHILD | win::WS_VISIBLE | win::WS_TABSTOP,
                                       rect.value_or(NextRect()), container_);
  tabOrder_.push_back(TabStop{name, h, nullptr});
  return h;
}

bool Form::FocusButton(const std::string& name) {
  win::HWND h = ButtonWindow(name);
  if (h == win::kNoWindow) return false;
  system_.SetFocus(h);
  return true;
}

win::HWND Form::ButtonWindow(const std::string& name) const {
  for (const TabStop& t : tabOrder_) {
    if (t.box == nullptr && t.name == name) return t.hwnd;
  }
  return win::kNoWindow;
}

bool Form::PreTranslate(win::MSG& msg) {
  const bool key = msg.message == win::WM_KEYDOWN || msg.message == win::WM_KEYUP || msg.message == win::WM_CHAR ||
                   msg.message == win::WM_SYSKEYDOWN || msg.message == win::WM_SYSKEYUP ||
                   msg.message == win::WM_SYSCHAR;
  if (!key) return false;
  // A property frame navigates its own controls, as a dialog in the host's loop does.
  for (const OpenFrame& f : propertyPages_) {
    for (win::HWND h = msg.hwnd; h != win::kNoWindow; h = system_.GetParent(h)) {
      if (h == f.pages->Frame()) return f.pages->PreTranslate(msg);
    }
  }
  // The box that holds the focus filters first: the boxes whose window is the message's or one of
  // its parents, in tab order.
  std::vector<std::size_t> filters;
  for (win::HWND h = msg.hwnd; h != win::kNoWindow; h = system_.GetParent(h)) {
    const std::uint32_t id = win::HandleId(h);
    if (id < boxTabStop_.size() && boxTabStop_[id] != 0) filters.push_back(boxTabStop_[id] - 1);
  }
  std::sort(filters.begin(), filters.end());
  for (std::size_t i : filters) {
    if (tabOrder_[i].box->PreTranslateKeyboard(msg)) return true;
  }
  // Dialog navigation: Tab moves to the next tab stop, Shift+Tab to the previous one.
  if (msg.message != win::WM_KEYDOWN || msg.wParam != static_cast<win::WPARAM>(win::VK_TAB)) return false;
  if (tabOrder_.empty()) return true;
  const bool back = system_.GetKeyState(win::VK_SHIFT) < 0;
  const std::string current = FocusedName();
  std::size_t at = tabOrder_.size();
  for (std::size_t i = 0; i < tabOrder_.size(); ++i) {
    if (tabOrder_[i].name == current) at = i;
  }
  const std::size_t n = tabOrder_.size();
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = at == n ? (back ? n - step : step - 1) : (back ? (at + n - step) % n : (at + step) % n);
    const TabStop& t = tabOrder_[i];
    const bool enabled = t.box == nullptr || t.box->Core().enabled;
    if (enabled && system_.IsWindowVisible(t.hwnd) && system_.IsWindowEnabled(t.hwnd)) {
      system_.SetFocus(t.hwnd);
      break;
    }
  }
  return true;
}

CVlTypedBoxCtrl& Form::AddBox(const std::string& name, std::optional<win::RECT> rect, EditorFactory factory) {
  win::RECT r = rect.value_or(NextRect());
  auto site = std::make_unique<BoxSite>(*this, name);
  site->Attach(std::make_unique<CVlTypedBoxCtrl>(*site, std::move(factory)));
  site->Control().AttachBinding(std::make_unique<CVlDataBinding>(site->Control()));
  site->Control().CreateControlWindow(r);
  boxes_.push_back(std::move(site));
  boxNamed_.Resize(boxes_.size());
  const std::uint32_t id = win::HandleId(boxes_.back()->Control().Handle());
  if (id >= boxTabStop_.size()) boxTabStop_.resize(id + 1, 0);
  boxTabStop_[id] = static_cast<std::uint32_t>(tabOrder_.size() + 1);
  tabOrder_.push_back(TabStop{name, boxes_.back()->Control().Handle(), &boxes_.back()->Control()});
  return boxes_.back()->Control();
}

win::RECT Form::MoveBox(CVlTypedBoxCtrl& control, win::RECT rect) {
  const win::SIZE size = control.AdjustExtent(win::SIZE{rect.Width(), rect.Height()});
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  system_.MoveWindow(control.Handle(), rect);
  return rect;
}

void Form::SetUserMode(bool user) {
  if (user == userMode_) return;
  userMode_ = user;
  for (auto& b : boxes_) {
    if (!b->DataSource()) continue;
    if (IVlBoundObject* binding = b->Control().Binding()) binding->OnSourceChanged(kDispDataSource, user);
  }
}

void Form::AddSource(const std::string& name, std::shared_ptr<IVlCursor> source) {
  for (auto& s : sources_) {
    if (s.first == name) {
      s.second = std::move(source);
      return;
    }
  }
  sources_.emplace_back(name, std::move(source));
}

std::shared_ptr<IVlCursor> Form::FindSource(const std::string& name) const {
  for (const auto& s : sources_) {
    if (s.first == name) return s.second;
  }
  return nullptr;
}

void Form::SetDataSource(CVlTypedBoxCtrl& control, std::shared_ptr<IVlCursor> source) {
  BoxSite* site = FindBox(control);
  if (site == nullptr) return;
  const bool bound = source != nullptr;
  site->SetDataSource(std::move(source));
  if (IVlBoundObject* binding = control.Binding()) {
    // At design time the box only asks for the source when it needs its columns.
    if (userMode_ || !bound) binding->OnSourceChanged(kDispDataSource, bound);
  }
}

std::vector<std::pair<std::string, win::HWND>> Form::Buttons() const {
  std::vector<std::pair<std::string, win::HWND>> out;
  for (const TabStop& t : tabOrder_) {
    if (t.box == nullptr) out.emplace_back(t.name, t.hwnd);
  }
  return out;
}

BoxSite* Form::FindBox(const std::string& name) {
  const std::size_t at = boxNamed_.Find(name);
  return at == NameIndex::npos ? nullptr : boxes_[at].get();
}

BoxSite* Form::FindBox(const CVlTypedBoxCtrl& control) {
  for (auto& b : boxes_) {
    if (&b->Control() == &control) return b.get();
  }
  return nullptr;
}

void Form::Record(BoxSite& box, VlEvent id, EventArgs& args) {
  if (eventHandler_) eventHandler_(box, id, args);
  events_.push_back(EventRecord{box.Name(), EventName(id), args.Params()});
}

std::vector<EventRecord> Form::TakeEvents() { return std::exchange(events_, {}); }
std::vector<MessageRecord> Form::TakeMessages() { return std::exchange(messages_, {}); }
std::vector<NotificationRecord> Form::TakeNotifications() { return std::exchange(notifications_, {}); }
std::vector<DialogRecord> Form::TakeDialogs() { return std::exchange(dialogs_, {}); }

void Form::AnswerDialog(win::CommonDialogKind kind, std::optional<DialogAnswer> answer) {
  answers_[kind].push_back(std::move(answer));
}

bool Form::AnswerCommonDialog(win::CommonDialogRequest& r) {
  DialogRecord record{r.kind, OwnerName(r.owner), r.colour, r.filter, r.path, {}};
  if (r.kind == win::CommonDialogKind::Font) {
    record.font.name = r.font.FaceName();
    record.font.sizeCy = static_cast<std::int64_t>(r.pointSize10) * 1000;
    record.font.weight = static_cast<std::int16_t>(r.font.lfWeight);
    record.font.bold = r.font.lfWeight >= win::kBoldWeight;
    record.font.italic = r.font.lfItalic != 0;
    record.font.underline = r.font.lfUnderline != 0;
    record.font.strikethrough = r.font.lfStrikeOut != 0;
    record.font.charset = r.font.lfCharSet;
  }
  dialogs_.push_back(std::move(record));
  auto& queue = answers_[r.kind];
  if (queue.empty()) return false;
  const std::optional<DialogAnswer> answer = std::move(queue.front());
  queue.pop_front();
  if (!answer) return false;
  r.colour = answer->colour;
  r.path = answer->path;
  r.font = answer->font.ToLogFont();
  r.pointSize10 = static_cast<int>(answer->font.sizeCy / 1000);
  return true;
}

pages::PropertyPages& Form::OpenPropertyPages(BoxSite& box, std::shared_ptr<pages::SharedPalette> palette) {
  ReapPropertyPages();
  // Each frame opens a little below and right of the one before, as a designer cascades them.
  const int offset = 24 * static_cast<int>(propertyPages_.size());
  win::FontBackend& fonts = screenFonts_ ? *screenFonts_ : static_cast<win::FontBackend&>(fixedFonts_);
  propertyPages_.push_back(OpenFrame{nextPagesSerial_++, std::make_unique<pages::PropertyPages>(
                                                             box.Control(), DesignTimeColumns(box), std::move(palette),
                                                             fonts, win::POINT{660 + offset, 20 + offset})});
  return *propertyPages_.back().pages;
}

void Form::ClosePropertyPages(const pages::PropertyPages& p) {
  const auto it = std::find_if(propertyPages_.begin(), propertyPages_.end(),
                               [&](const OpenFrame& f) { return f.pages.get() == &p; });
  if (it == propertyPages_.end()) return;
  OpenFrame closing = std::move(*it);
  propertyPages_.erase(it);
  if (closing.pages->Busy()) {
    closing.pages->MarkClosed();
    closedPages_.push_back(std::move(closing));
  }
  ReapPropertyPages();
}

void Form::ReapPropertyPages() {
  std::erase_if(closedPages_, [](const OpenFrame& f) { return !f.pages->Busy(); });
}

std::uint64_t Form::SerialOf(const pages::PropertyPages& p) const {
  for (const OpenFrame& f : propertyPages_) {
    if (f.pages.get() == &p) return f.serial;
  }
  return 0;
}

pages::PropertyPages* Form::FindPropertyPages(std::uint64_t serial) {
  for (const OpenFrame& f : propertyPages_) {
    if (f.serial == serial) return f.pages.get();
  }
  return nullptr;
}

bool Form::HasPropertyPages(const pages::PropertyPages& p) const { return SerialOf(p) != 0; }

std::vector<CursorColumn> Form::DesignTimeColumns(BoxSite& box) const {
  // At design time the box's record source hands out a cursor for the asking, dropped after.
  const std::shared_ptr<IVlCursor> cursor = box.GetCursor(kDispDataSource);
  if (!cursor) return {};
  std::vector<CursorColumn> columns;
  try {
    for (CursorColumn& c : cursor->Columns()) {
      if (!c.name.empty()) columns.push_back(std::move(c));  // a name without a CP932 form binds nothing
    }
  } catch (const AutomationError&) {
    return {};
  }
  return columns;
}

std::string Form::OwnerName(win::HWND hwnd) const {
  if (hwnd == win::kNoWindow) return "";
  if (hwnd == Handle()) return "form";
  for (const OpenFrame& f : propertyPages_) {
    const pages::PropertyPages* p = f.pages.get();
    for (int i = 0; i < pages::PropertyPages::kPageCount; ++i) {
      for (win::HWND h = hwnd; h != win::kNoWindow; h = system_.GetParent(h)) {
        if (h == p->Dialog(i).Handle()) return p->Page(i).Title();
      }
    }
    for (win::HWND h = hwnd; h != win::kNoWindow; h = system_.GetParent(h)) {
      if (h == p->Frame()) return "pages";
    }
  }
  for (const TabStop& t : tabOrder_) {
    if (t.box == nullptr && t.hwnd == hwnd) return t.name;
  }
  for (const auto& b : boxes_) {
    win::HWND control = b->Control().Handle();
    for (win::HWND h = hwnd; h != win::kNoWindow; h = system_.GetParent(h)) {
      if (h == control) return b->Name();
    }
  }
  return "";
}

void Form::Focus(CVlTypedBoxCtrl& control) { system_.SetFocus(control.Handle()); }

std::string Form::FocusedName() const { return OwnerName(system_.GetFocus()); }

std::uint32_t Form::SystemColour(std::uint32_t index) {
  return index < std::size(kSystemColours) ? kSystemColours[index] : 0;
}

}  // namespace vl
