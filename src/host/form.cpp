#include "host/form.h"

#include <cmath>
#include <utility>

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
std::uint32_t BoxSite::AmbientBackColor() const { return Form::SystemColour(15); }

void BoxSite::FireEvent(VlEvent id, EventArgs& args) { form_.Record(*this, id, args); }

void BoxSite::OnPropertyChanged(std::int32_t dispid) {
  form_.notifications_.push_back(NotificationRecord{name_, dispid});
}
void BoxSite::SetModifiedFlag(bool m) { modified = m; }
void BoxSite::InvalidateControl() { ++invalidations; }

std::uint32_t BoxSite::TranslateColor(std::uint32_t colour) const {
  if ((colour & 0xFF000000u) == 0x80000000u) return Form::SystemColour(colour & 0xFF);
  return colour & 0x00FFFFFFu;
}

double BoxSite::HimetricToContainer(std::int32_t himetric) const { return himetric / kHimetricPerPoint; }

std::int32_t BoxSite::ContainerToHimetric(double units) const {
  return static_cast<std::int32_t>(std::lround(units * kHimetricPerPoint));
}

win::System& BoxSite::WindowSystem() { return form_.WindowSystem(); }
win::HWND BoxSite::ContainerWindow() const { return form_.Handle(); }
bool BoxSite::IsUIActive() const { return control_ && form_.WindowSystem().GetFocus() != win::kNoWindow &&
                                          form_.OwnerName(form_.WindowSystem().GetFocus()) == name_; }
void BoxSite::UIDeactivate() {
  if (IsUIActive()) form_.WindowSystem().SetFocus(form_.Handle());
}

// ---------------------------------------------------------------------------------------------

Form::Form(bool userMode) : system_(clock_), userMode_(userMode) {
  ambientFont_.name = Cp932Literal("ＭＳ Ｐゴシック");
  ambientFont_.sizeCy = 90000;
  ambientFont_.weight = 400;
  ambientFont_.charset = 128;
  system_.CreateWindowEx(*this, "VlTextForm", win::WS_VISIBLE, win::RECT{0, 0, 640, 480}, win::kNoWindow);
  system_.SetMessageBoxHandler([this](const win::MessageBoxRequest& r) {
    messages_.push_back(MessageRecord{r.text, r.title, OwnerName(r.owner)});
    return win::IDOK;
  });
}

Form::~Form() {
  system_.SetMessageBoxHandler(nullptr);
  boxes_.clear();
}

CVlTypedBoxCtrl& Form::AddBox(const std::string& name, std::optional<win::RECT> rect, EditorFactory factory) {
  win::RECT r = rect.value_or(win::RECT{8, 8 + nextRow_ * 30, 8 + 160, 8 + nextRow_ * 30 + 24});
  ++nextRow_;
  auto site = std::make_unique<BoxSite>(*this, name);
  site->Attach(std::make_unique<CVlTypedBoxCtrl>(*site, std::move(factory)));
  site->Control().CreateControlWindow(r);
  boxes_.push_back(std::move(site));
  return boxes_.back()->Control();
}

BoxSite* Form::FindBox(const std::string& name) {
  for (auto& b : boxes_) {
    if (b->Name() == name) return b.get();
  }
  return nullptr;
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

std::string Form::OwnerName(win::HWND hwnd) const {
  if (hwnd == win::kNoWindow) return "";
  if (hwnd == Handle()) return "form";
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
