// vl::Form over the container: boxes, focus, input, the input method, time, the transcript, the
// clipboard and pictures.
#include <algorithm>

#include "host/form_render.h"
#include "platform/fixed_font.h"
#include "platform/freetype_font.h"
#include "platform/imm.h"
#include "platform/keyboard_layout.h"
#include "text/mbcs.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

using detail::HostEventParam;
using detail::HostForm;

namespace detail {

void FormState::Enter() { ++busy; }

void FormState::Leave() {
  if (--busy == 0 && closing) host.reset();
}

void FormState::ThrowPending() {
  if (!pending) return;
  std::exception_ptr e = std::exchange(pending, nullptr);
  std::rethrow_exception(e);
}

void FormState::Close() {
  closing = true;
  handlers.clear();
  messageBoxHandler = nullptr;
  if (busy == 0) host.reset();
}

void FormState::CatchUp() {
  if (!realClock) return;
  const auto now = std::chrono::steady_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTick).count();
  if (ms <= 0) return;
  lastTick += std::chrono::milliseconds(ms);
  host->WindowSystem().AdvanceTime(static_cast<std::uint32_t>(std::min<long long>(ms, 86400000)));
}

BoxSite& FormState::Site(const std::string& name) {
  BoxSite* site = host->FindBox(name);
  if (site == nullptr) Throw(5, "no box named " + name + " on the form");
  return *site;
}

void FormState::OnEvent(BoxSite& box, VlEvent id, EventArgs& args) {
  if (pending || closing) return;  // the caller is already failing, or the form is going
  const auto found = handlers.find({box.Name(), EventName(id)});
  if (found == handlers.end() || !found->second) return;
  const EventHandler handler = found->second;  // a copy: the handler may replace itself
  Event event{box.Name(), EventName(id), {}};
  for (const HostEventParam& p : args.Params()) event.params.push_back(EventParam{p.name, FromHost(p.value), p.byRef});
  try {
    handler(event);
  } catch (...) {
    pending = std::current_exception();
    return;
  }
  // By-reference parameters go back to the control as the handler left them; a value the
  // component cannot hold (an unrepresentable text, Empty) leaves the parameter as it was.
  for (HostEventParam& p : args.Params()) {
    if (!p.byRef) continue;
    const TypedValue* written = event.Find(p.name);
    if (written == nullptr || written->IsEmpty()) continue;
    try {
      p.value = ToHost(*written);
    } catch (const Error&) {
    }
  }
}

}  // namespace detail

namespace {

using detail::FormState;
using detail::Throw;
using detail::ToCp932;
using detail::ToUtf8;

win::RECT ToRect(const Rect& r) { return win::RECT{r.x, r.y, r.x + r.width, r.y + r.height}; }
Rect FromRect(const win::RECT& r) { return Rect{r.left, r.top, r.Width(), r.Height()}; }

KeyChord CheckChord(std::string_view text) {
  std::optional<KeyChord> chord = ParseKeyChord(text);
  if (!chord) Throw(5, "unknown key \"" + std::string(text) + "\"");
  return *chord;
}

// Each key goes in on its own and is taken before the next, as a person's keystrokes are: what
// the box does in answer (a synthetic Tab) comes before the user's next key.
void Press(HostForm& form, const KeyChord& chord, bool down, bool up) {
  win::System& sys = form.WindowSystem();
  auto send = [&](int vk, win::DWORD flags) {
    sys.keybd_event(vk, flags);
    form.PumpMessages();
  };
  if (down) {
    for (int m : chord.modifiers) send(m, 0);
    send(chord.key, 0);
  }
  if (up) {
    send(chord.key, win::KEYEVENTF_KEYUP);
    for (auto it = chord.modifiers.rbegin(); it != chord.modifiers.rend(); ++it) send(*it, win::KEYEVENTF_KEYUP);
  }
}

void CheckNewName(HostForm& form, std::string_view name) {
  if (name.empty()) Throw(5, "a box or button needs a name");
  const std::string n(name);
  if (form.FindBox(n) != nullptr || form.ButtonWindow(n) != win::kNoWindow) {
    Throw(5, "something named " + n + " is already on the form");
  }
}

win::MouseAction HostAction(MouseAction a) { return static_cast<win::MouseAction>(static_cast<int>(a)); }

}  // namespace

namespace {

// The container's message boxes go to the handler set through the public form.
void AnswerMessageBoxes(FormState& state) {
  FormState* s = &state;
  state.host->SetMessageBoxAnswer([s](const MessageRecord& box, win::UINT flags) {
    const MessageBoxHandler handler = s->messageBoxHandler;
    if (!handler || s->pending) return win::IDOK;
    try {
      return handler(MessageBoxRequest{ToUtf8(box.text), ToUtf8(box.title), box.owner, flags});
    } catch (...) {
      s->pending = std::current_exception();
      return win::IDOK;
    }
  });
}

}  // namespace

Form::Form(const FormOptions& options) : state_(std::make_shared<FormState>()) {
  state_->host = std::make_shared<HostForm>(!options.designMode, options.browserHosted);
  // Boxes measure with the fonts the pictures are drawn in, so a text too wide on the picture is
  // too wide for the box.
  if (!options.fixedFont) {
    state_->screenFonts = std::make_shared<win::FreeTypeFontBackend>();
    state_->host->SetScreenFonts(state_->screenFonts);
  }
  FormState* state = state_.get();
  state_->host->SetEventHandler([state](BoxSite& box, VlEvent id, EventArgs& args) { state->OnEvent(box, id, args); });
  AnswerMessageBoxes(*state_);
}

Form::~Form() {
  if (state_) state_->Close();
}

Form::Form(Form&&) noexcept = default;

Form& Form::operator=(Form&& other) noexcept {
  if (this != &other) {
    if (state_) state_->Close();
    state_ = std::move(other.state_);
  }
  return *this;
}

namespace {

// Adds a box or a button through `add`, once the name is known to be new and showable.
template <typename Add>
void AddNamed(FormState* state, std::string_view name, std::optional<Rect> rect, Add add) {
  if (state == nullptr) Throw(5, "the form is closed");
  ToCp932(name);  // the name is the button's caption: refused when CP932 cannot show it
  state->Run([&](HostForm& f) {
    CheckNewName(f, name);
    std::optional<win::RECT> r;
    if (rect) r = ToRect(*rect);
    add(f, std::string(name), r);
  });
}

}  // namespace

Box Form::AddBox(std::string_view name, std::optional<Rect> rect) {
  AddNamed(state_.get(), name, rect,
           [](HostForm& f, std::string n, std::optional<win::RECT> r) { f.AddBox(std::move(n), r); });
  return Box(state_, std::string(name));
}

void Form::AddButton(std::string_view name, std::optional<Rect> rect) {
  AddNamed(state_.get(), name, rect,
           [](HostForm& f, std::string n, std::optional<win::RECT> r) { f.AddButton(std::move(n), r); });
}

std::optional<Box> Form::FindBox(std::string_view name) const {
  if (!state_) Throw(5, "the form is closed");
  const bool found = state_->Run([&](HostForm& f) { return f.FindBox(std::string(name)) != nullptr; });
  if (!found) return std::nullopt;
  return Box(state_, std::string(name));
}

Box Form::GetBox(std::string_view name) const {
  std::optional<Box> box = FindBox(name);
  if (!box) Throw(5, "no box named " + std::string(name) + " on the form");
  return *box;
}

std::vector<std::string> Form::BoxNames() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) {
    std::vector<std::string> names;
    for (const auto& site : f.Boxes()) names.push_back(site->Name());
    return names;
  });
}

std::vector<std::string> Form::ButtonNames() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) {
    std::vector<std::string> names;
    for (const auto& [name, hwnd] : f.Buttons()) names.push_back(name);
    return names;
  });
}

std::optional<Rect> Form::ButtonBounds(std::string_view name) const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) -> std::optional<Rect> {
    const win::HWND h = f.ButtonWindow(std::string(name));
    if (h == win::kNoWindow) return std::nullopt;
    return FromRect(f.WindowSystem().GetWindowRect(h));
  });
}

bool Form::UserMode() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) { return f.UserMode(); });
}

void Form::SetUserMode(bool user) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) { f.SetUserMode(user); });
}

void Form::Focus(std::string_view name) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    const std::string n(name);
    if (BoxSite* site = f.FindBox(n)) {
      f.Focus(site->Control());
    } else if (!f.FocusButton(n)) {
      Throw(5, "nothing named " + n + " on the form");
    }
    f.PumpMessages();
  });
}

void Form::ReleaseFocus() {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    f.WindowSystem().SetFocus(win::kNoWindow);
    f.PumpMessages();
  });
}

std::optional<std::string> Form::Focused() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) -> std::optional<std::string> {
    std::string name = f.FocusedName();
    if (name.empty()) return std::nullopt;
    return name;
  });
}

void Form::Type(std::string_view utf8) {
  if (!state_) Throw(5, "the form is closed");
  const std::string text = ToCp932(utf8);
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    win::System& sys = f.WindowSystem();
    for (std::size_t p = 0; p < text.size();) {
      const int len = CharLengthAt(text, p);
      const auto c = static_cast<unsigned char>(text[p]);
      if (len == 2) {
        // A double-byte character comes from the input method.
        sys.QueueChar((static_cast<std::uint32_t>(c) << 8) | static_cast<unsigned char>(text[p + 1]));
      } else if (auto [vk, shift] = win::KeyOfCharacter(c); vk != 0) {
        KeyChord chord;
        if (shift && sys.GetKeyState(win::VK_SHIFT) >= 0) chord.modifiers.push_back(keys::kShift);
        chord.key = vk;
        Press(f, chord, true, true);
      } else {
        sys.QueueChar(c);
      }
      f.PumpMessages();
      // A handler's failure stops the typing where it happened.
      if (state_->pending) return;
      p += static_cast<std::size_t>(len);
    }
  });
}

void Form::Key(std::string_view chord) {
  if (!state_) Throw(5, "the form is closed");
  const KeyChord keys = CheckChord(chord);
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    Press(f, keys, true, true);
    f.PumpMessages();
  });
}

void Form::KeyDown(std::string_view chord, bool autoRepeat) {
  if (!state_) Throw(5, "the form is closed");
  const KeyChord keys = CheckChord(chord);
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    Press(f, keys, true, false);
    f.PumpMessages();
    if (autoRepeat) f.WindowSystem().SetAutoRepeat(keys.key, true);
  });
}

void Form::KeyUp(std::string_view chord) {
  if (!state_) Throw(5, "the form is closed");
  const KeyChord keys = CheckChord(chord);
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    Press(f, keys, false, true);
    f.PumpMessages();
  });
}

void Form::KeyDown(int vk, KeyText text) {
  if (!state_) Throw(5, "the form is closed");
  if (vk <= 0 || vk > 0xFE) Throw(5, "a virtual-key code is 1 to 254");
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    f.WindowSystem().keybd_event(vk, text == KeyText::ControlOnly ? win::KEYEVENTF_CONTROLCHARONLY : 0);
    f.PumpMessages();
  });
}

void Form::KeyUp(int vk) {
  if (!state_) Throw(5, "the form is closed");
  if (vk <= 0 || vk > 0xFE) Throw(5, "a virtual-key code is 1 to 254");
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    f.WindowSystem().keybd_event(vk, win::KEYEVENTF_KEYUP);
    f.PumpMessages();
  });
}

void Form::Characters(std::string_view utf8) {
  if (!state_) Throw(5, "the form is closed");
  const std::string text = ToCp932(utf8);
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    win::System& sys = f.WindowSystem();
    for (std::size_t p = 0; p < text.size() && !state_->pending;) {
      const int len = CharLengthAt(text, p);
      std::uint32_t ch = static_cast<unsigned char>(text[p]);
      if (len == 2) ch = (ch << 8) | static_cast<unsigned char>(text[p + 1]);
      sys.QueueChar(ch);
      f.PumpMessages();
      p += static_cast<std::size_t>(len);
    }
  });
}

bool Form::IsKeyDown(int vk) const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) { return f.WindowSystem().GetKeyState(vk & 0xFF) < 0; });
}

void Form::Mouse(MouseAction action, Point at) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    win::System& sys = f.WindowSystem();
    sys.QueueMouse(HostAction(action), sys.ClientToScreen(f.Handle(), win::POINT{at.x, at.y}));
    f.PumpMessages();
  });
}

void Form::Wheel(Point at, int delta) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    state_->CatchUp();
    win::System& sys = f.WindowSystem();
    const win::HWND focus = sys.GetFocus();
    if (focus == win::kNoWindow) return;
    // The key flags ride with the turn, as they do with every mouse message.
    int keys = 0;
    if (sys.GetKeyState(win::VK_SHIFT) < 0) keys |= static_cast<int>(win::MK_SHIFT);
    if (sys.GetKeyState(win::VK_CONTROL) < 0) keys |= static_cast<int>(win::MK_CONTROL);
    const win::POINT screen = sys.ClientToScreen(f.Handle(), win::POINT{at.x, at.y});
    const int turn = std::clamp(delta, -32768, 32767);
    sys.PostMessage(focus, win::WM_MOUSEWHEEL, win::MAKEWPARAM(keys, turn), win::MAKELPARAM(screen.x, screen.y));
    f.PumpMessages();
  });
}

void Form::SetHeldButtons(const std::vector<MouseButton>& buttons) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    std::vector<win::MouseAction> downs;
    for (MouseButton b : buttons) {
      downs.push_back(b == MouseButton::Left    ? win::MouseAction::LeftDown
                      : b == MouseButton::Right ? win::MouseAction::RightDown
                                                : win::MouseAction::MiddleDown);
    }
    f.WindowSystem().SetHeldButtons(downs);
  });
}

Cursor Form::Cursor() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) { return static_cast<vl::Cursor>(f.WindowSystem().GetCursor()); });
}

bool Form::Compose(std::string_view result, std::string_view reading) {
  if (!state_) Throw(5, "the form is closed");
  const std::string text = ToCp932(result);
  const std::string kana = ToCp932(reading);
  return state_->Run([&](HostForm& f) {
    state_->CatchUp();
    f.PumpMessages();
    const bool composed = f.WindowSystem().Imm().Compose(text, kana);
    f.PumpMessages();
    return composed;
  });
}

void Form::SetPreedit(std::string_view utf8) {
  if (!state_) Throw(5, "the form is closed");
  std::string text = ToCp932(utf8);
  state_->Run([&](HostForm&) { state_->preedit = std::move(text); });
}

std::string Form::Preedit() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm&) { return ToUtf8(state_->preedit); });
}

ImeState Form::GetImeState() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    win::System& sys = f.WindowSystem();
    win::InputMethodManager& imm = sys.Imm();
    const win::HIMC context = imm.UserContext();
    const win::ImeState s =
        imm.GetState(context == win::kNoContext ? imm.DefaultContext() : context).value_or(win::ImeState{});
    return ImeState{s.open, s.conversion, s.sentence, sys.GetFocus() != win::kNoWindow && context != win::kNoContext};
  });
}

bool Form::SetImeState(std::optional<bool> open, std::optional<std::uint32_t> conversion,
                       std::optional<std::uint32_t> sentence) {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) {
    const bool done = f.WindowSystem().Imm().UserSetState(open, conversion, sentence);
    f.PumpMessages();
    return done;
  });
}

ClockKind Form::GetClockKind() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->realClock ? ClockKind::Real : ClockKind::Virtual;
}

void Form::UseRealClock() {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) {
    if (state_->realClock) return;
    state_->realClock = true;
    state_->lastTick = std::chrono::steady_clock::now();
    f.Clock().FollowCalendar(&state_->systemClock);
  });
}

void Form::Wait(std::uint32_t milliseconds) {
  if (!state_) Throw(5, "the form is closed");
  if (milliseconds > 86400000) Throw(5, "a wait is 0 to 86400000 milliseconds");
  state_->Run([&](HostForm& f) {
    if (state_->realClock) {
      state_->CatchUp();
      f.PumpMessages();
    } else {
      f.WindowSystem().AdvanceTime(milliseconds);
    }
  });
}

void Form::SetNow(const TypedValue& date) {
  if (!state_) Throw(5, "the form is closed");
  if (date.Type() != DataType::Date) Throw(13, "the calendar clock is set to a Date");
  state_->Run([&](HostForm& f) {
    if (state_->realClock) Throw(5, "a form on the real clock has the desktop's calendar");
    f.Clock().SetNow(date.AsDouble());
  });
}

std::vector<Event> Form::TakeEvents() {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    std::vector<Event> out;
    for (const EventRecord& r : f.TakeEvents()) {
      Event e{r.control, r.name, {}};
      for (const HostEventParam& p : r.params)
        e.params.push_back(EventParam{p.name, detail::FromHost(p.value), p.byRef});
      out.push_back(std::move(e));
    }
    return out;
  });
}

std::vector<MessageBoxRecord> Form::TakeMessages() {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    std::vector<MessageBoxRecord> out;
    for (const MessageRecord& m : f.TakeMessages())
      out.push_back(MessageBoxRecord{ToUtf8(m.text), ToUtf8(m.title), m.owner});
    return out;
  });
}

std::vector<Notification> Form::TakeNotifications() {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    std::vector<Notification> out;
    for (const NotificationRecord& r : f.TakeNotifications()) {
      const PropertyInfo* info = ::vl::host_names::HostProperty(r.dispid);
      out.push_back(Notification{
          r.control, info != nullptr ? info->name : (r.dispid == kDispCaptions ? "Captions" : "?"), r.dispid});
    }
    return out;
  });
}

void Form::SetMessageBoxHandler(MessageBoxHandler handler) {
  if (!state_) Throw(5, "the form is closed");
  state_->messageBoxHandler = std::move(handler);
}

ClipboardContents Form::Clipboard() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    win::System& sys = f.WindowSystem();
    ClipboardContents out;
    if (auto text = sys.GetClipboardData(win::CF_TEXT)) out.text = ToUtf8(text->substr(0, text->find('\0')));
    for (win::UINT format : sys.EnumClipboardFormats()) out.formats.push_back(sys.GetClipboardFormatName(format));
    return out;
  });
}

void Form::SetClipboardText(std::string_view utf8) {
  if (!state_) Throw(5, "the form is closed");
  const std::string text = ToCp932(utf8);
  state_->Run([&](HostForm& f) {
    win::System& sys = f.WindowSystem();
    if (!sys.OpenClipboard(win::kNoWindow)) Throw(5, "the clipboard is held by another program");
    sys.EmptyClipboard();
    sys.SetClipboardData(win::CF_TEXT, text + '\0');
    sys.CloseClipboard();
  });
}

namespace {

Picture FromSurface(win::Surface&& surface) {
  Picture picture(surface.Width(), surface.Height());
  picture.Rgba() = std::move(surface.Rgba());
  return picture;
}

}  // namespace

Picture Form::Render(bool fixedFont) {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) {
    detail::PictureFonts fonts(f, fixedFont);
    f.PumpMessages();
    win::Surface surface = RenderForm(f, *fonts.chosen);
    DrawComposition(f, surface, *fonts.chosen, state_->preedit);
    return FromSurface(std::move(surface));
  });
}

Picture Form::RenderBox(const Box& box, bool fixedFont, bool metafile) {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([&](HostForm& f) {
    detail::PictureFonts fonts(f, fixedFont);
    f.PumpMessages();
    return FromSurface(::vl::RenderBox(f, state_->Site(box.Name()), *fonts.chosen, metafile));
  });
}

void Form::Draw(const RgbaBuffer& target) {
  if (target.pixels == nullptr || target.width <= 0 || target.height <= 0) return;
  if (target.stride < target.width * 4) Throw(5, "a row of the buffer is shorter than its width");
  const Picture picture = Render();
  const int w = std::min(target.width, picture.Width());
  const int h = std::min(target.height, picture.Height());
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* from =
        picture.Rgba().data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width()) * 4;
    std::copy(from, from + static_cast<std::size_t>(w) * 4,
              target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride);
  }
}

void Form::SetCaretVisible(bool visible) {
  if (!state_) Throw(5, "the form is closed");
  state_->Run([&](HostForm& f) { f.WindowSystem().SetCaretBlinkShown(visible); });
}

Rect Form::Extent() const {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    win::System& sys = f.WindowSystem();
    int right = 0;
    int bottom = 0;
    auto include = [&](win::HWND h) {
      if (!sys.IsWindowVisible(h)) return;
      const win::POINT origin = sys.ClientToScreen(h, win::POINT{0, 0});
      const win::POINT formOrigin = sys.ClientToScreen(f.Handle(), win::POINT{0, 0});
      const win::RECT r = sys.GetWindowRect(h);
      right = std::max(right, origin.x - formOrigin.x + r.Width() + 8);
      bottom = std::max(bottom, origin.y - formOrigin.y + r.Height() + 8);
    };
    for (const auto& site : f.Boxes()) include(site->Control().Handle());
    for (const auto& [name, hwnd] : f.Buttons()) include(hwnd);
    if (right == 0) return Rect{0, 0, 16, 16};
    return Rect{0, 0, right, bottom};
  });
}

}  // namespace vl::v1
