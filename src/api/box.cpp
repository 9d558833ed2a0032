// vl::Box, vl::Font and vl::Caption over the control: properties by name and by typed accessor,
// event handlers, and what the user sees of one box.
#include "control/caption.h"
#include "control/font_object.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

using detail::FormState;
using detail::FromHost;
using detail::HostForm;
using detail::HostVariant;
using detail::Throw;
using detail::ToCp932;
using detail::ToHost;
using detail::ToUtf8;

struct Font::Impl {
  std::shared_ptr<FormState> form;
  std::shared_ptr<VlFont> font;
};

struct Caption::Impl {
  std::shared_ptr<FormState> form;
  std::shared_ptr<VlTextCaption> caption;
};

namespace {

FormState& StateOf(const std::shared_ptr<FormState>& state) {
  if (!state) Throw(5, "the form is closed");
  return *state;
}

const PropertyInfo& CheckProperty(std::string_view name) {
  const PropertyInfo* info = ::vl::host_names::HostProperty(name);
  if (info == nullptr) Throw(438, "a box has no property " + std::string(name));
  return *info;
}

TypedValue ReadProperty(FormState& state, const std::string& box, std::int32_t dispid) {
  return state.Run([&](HostForm&) { return FromHost(state.Control(box).GetProperty(dispid)); });
}

void WriteProperty(FormState& state, const std::string& box, std::int32_t dispid, const HostVariant& value) {
  state.Run([&](HostForm&) { state.Control(box).SetProperty(dispid, value); });
}

Font MakeFont(const std::shared_ptr<FormState>& state, const std::shared_ptr<Dispatch>& object) {
  auto font = std::dynamic_pointer_cast<VlFont>(object);
  if (!font) Throw(5, "the box has no font object");
  return Font(std::make_shared<Font::Impl>(Font::Impl{state, font}));
}

}  // namespace

// --- Box ---------------------------------------------------------------------------------------

TypedValue Box::Get(std::string_view property) const {
  const PropertyInfo& info = CheckProperty(property);
  // Objects are reached through their own handles (Font()); by name they read as Empty.
  if (info.kind == PropKind::Font || info.kind == PropKind::Object) {
    ReadProperty(StateOf(form_), name_, info.dispid);
    return TypedValue::Empty();
  }
  return ReadProperty(StateOf(form_), name_, info.dispid);
}

void Box::Set(std::string_view property, const TypedValue& value) {
  const PropertyInfo& info = CheckProperty(property);
  WriteProperty(StateOf(form_), name_, info.dispid, ToHost(value));
}

TypedValue Box::Value() const { return ReadProperty(StateOf(form_), name_, kDispValue); }
void Box::SetValue(const TypedValue& value) { WriteProperty(StateOf(form_), name_, kDispValue, ToHost(value)); }

DataType Box::GetDataType() const {
  return static_cast<DataType>(ReadProperty(StateOf(form_), name_, kDispDataType).AsInteger());
}
void Box::SetDataType(DataType type) {
  WriteProperty(StateOf(form_), name_, kDispDataType, HostVariant::I2(static_cast<std::int16_t>(type)));
}

std::string Box::Format() const { return ReadProperty(StateOf(form_), name_, kDispFormat).AsString(); }
void Box::SetFormat(std::string_view utf8) {
  WriteProperty(StateOf(form_), name_, kDispFormat, HostVariant::Bstr(ToCp932(utf8)));
}

std::string Box::Text() const { return ReadProperty(StateOf(form_), name_, kDispText).AsString(); }
void Box::SetText(std::string_view utf8) {
  WriteProperty(StateOf(form_), name_, kDispText, HostVariant::Bstr(ToCp932(utf8)));
}

std::int32_t Box::MaxLength() const {
  return static_cast<std::int32_t>(ReadProperty(StateOf(form_), name_, kDispMaxLength).AsInteger());
}
void Box::SetMaxLength(std::int32_t bytes) {
  WriteProperty(StateOf(form_), name_, kDispMaxLength, HostVariant::I4(bytes));
}

TypedValue Box::LowerValue() const { return ReadProperty(StateOf(form_), name_, kDispLowerValue); }
void Box::SetLowerValue(const TypedValue& value) {
  WriteProperty(StateOf(form_), name_, kDispLowerValue, ToHost(value));
}
TypedValue Box::UpperValue() const { return ReadProperty(StateOf(form_), name_, kDispUpperValue); }
void Box::SetUpperValue(const TypedValue& value) {
  WriteProperty(StateOf(form_), name_, kDispUpperValue, ToHost(value));
}

bool Box::CheckValue() const { return ReadProperty(StateOf(form_), name_, kDispCheckValue).AsBoolean(); }
void Box::SetCheckValue(bool on) { WriteProperty(StateOf(form_), name_, kDispCheckValue, HostVariant::Bool(on)); }
bool Box::Enabled() const { return ReadProperty(StateOf(form_), name_, kDispEnabled).AsBoolean(); }
void Box::SetEnabled(bool on) { WriteProperty(StateOf(form_), name_, kDispEnabled, HostVariant::Bool(on)); }
bool Box::Locked() const { return ReadProperty(StateOf(form_), name_, kDispLocked).AsBoolean(); }
void Box::SetLocked(bool on) { WriteProperty(StateOf(form_), name_, kDispLocked, HostVariant::Bool(on)); }

std::uint32_t Box::BackColor() const {
  return static_cast<std::uint32_t>(ReadProperty(StateOf(form_), name_, kDispBackColor).AsInteger());
}
void Box::SetBackColor(std::uint32_t colour) {
  WriteProperty(StateOf(form_), name_, kDispBackColor, HostVariant::I8(colour));
}
std::uint32_t Box::ForeColor() const {
  return static_cast<std::uint32_t>(ReadProperty(StateOf(form_), name_, kDispForeColor).AsInteger());
}
void Box::SetForeColor(std::uint32_t colour) {
  WriteProperty(StateOf(form_), name_, kDispForeColor, HostVariant::I8(colour));
}

Font Box::Font() const {
  FormState& state = StateOf(form_);
  return MakeFont(form_, state.Run([&](HostForm&) { return state.Control(name_).GetProperty(kDispFont).AsObject(); }));
}

void Box::SetFont(const vl::Font& font) {
  FormState& state = StateOf(form_);
  WriteProperty(state, name_, kDispFont, HostVariant::Object(font.Internal()->font));
}

Caption Box::Caption(int direction) const {
  FormState& state = StateOf(form_);
  std::shared_ptr<Dispatch> object =
      state.Run([&](HostForm&) { return state.Control(name_).GetCaptions(direction).AsObject(); });
  auto caption = std::dynamic_pointer_cast<VlTextCaption>(object);
  if (!caption) Throw(381, "");
  return vl::Caption(std::make_shared<vl::Caption::Impl>(vl::Caption::Impl{form_, caption}));
}

void Box::SetCaption(int direction, const vl::Caption& from) {
  FormState& state = StateOf(form_);
  state.Run(
      [&](HostForm&) { state.Control(name_).SetCaptions(direction, HostVariant::Object(from.Internal()->caption)); });
}

void Box::Refresh() {
  FormState& state = StateOf(form_);
  state.Run([&](HostForm&) { state.Control(name_).Refresh(); });
}

void Box::AboutBox() {
  FormState& state = StateOf(form_);
  state.Run([&](HostForm&) { state.Control(name_).AboutBox(); });
}

void Box::On(std::string_view event, EventHandler handler) {
  FormState& state = StateOf(form_);
  const auto& names = EventNames();
  if (std::find(names.begin(), names.end(), event) == names.end())
    Throw(438, "a box has no event " + std::string(event));
  state.Run([&](HostForm&) { state.Site(name_); });
  if (handler) {
    state.handlers[{name_, std::string(event)}] = std::move(handler);
  } else {
    state.handlers.erase({name_, std::string(event)});
  }
}

std::string Box::ShownText() const {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm&) { return ToUtf8(state.Control(name_).ShownText()); });
}

Selection Box::GetSelection() const {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm&) {
    Selection s;
    if (CVlEditWnd* e = state.Control(name_).Editor()) e->GetSel(s.start, s.length);
    return s;
  });
}

std::optional<Mnemonic> Box::GetMnemonic() const {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm&) -> std::optional<Mnemonic> {
    const std::optional<detail::HostMnemonic> m = state.Control(name_).GetMnemonic();
    if (!m) return std::nullopt;
    return Mnemonic{static_cast<char>(m->key), m->alt};
  });
}

Rect Box::Bounds() const {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm& f) {
    win::System& sys = f.WindowSystem();
    const win::HWND h = state.Control(name_).Handle();
    const win::POINT origin = sys.ClientToScreen(h, win::POINT{0, 0});
    const win::POINT formOrigin = sys.ClientToScreen(f.Handle(), win::POINT{0, 0});
    const win::RECT r = sys.GetWindowRect(h);
    return Rect{origin.x - formOrigin.x, origin.y - formOrigin.y, r.Width(), r.Height()};
  });
}

Point Box::ToForm(int x, int y) const {
  const Rect r = Bounds();
  return Point{r.x + x, r.y + y};
}

Rect Box::Move(const Rect& rect) {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm& f) {
    const win::RECT got =
        f.MoveBox(state.Control(name_), win::RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height});
    return Rect{got.left, got.top, got.Width(), got.Height()};
  });
}

bool Box::Modified() const {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm&) { return state.Site(name_).modified; });
}

void Box::SetModified(bool modified) {
  FormState& state = StateOf(form_);
  state.Run([&](HostForm&) { state.Site(name_).modified = modified; });
}

bool Box::DesignEdit() {
  FormState& state = StateOf(form_);
  return state.Run([&](HostForm&) { return state.Control(name_).DesignEdit(); });
}

// --- Font --------------------------------------------------------------------------------------

namespace {

template <typename Work>
decltype(auto) WithFont(const std::shared_ptr<Font::Impl>& impl, Work&& work) {
  return StateOf(impl->form).Run([&](HostForm&) { return work(*impl->font); });
}

}  // namespace

std::string Font::Name() const {
  return WithFont(impl_, [](VlFont& f) { return ToUtf8(f.Desc().name); });
}
void Font::SetName(std::string_view utf8) {
  const std::string name = ToCp932(utf8);
  WithFont(impl_, [&](VlFont& f) { f.SetName(name); });
}
double Font::Size() const {
  return WithFont(impl_, [](VlFont& f) { return static_cast<double>(f.Desc().sizeCy) / 10000.0; });
}
void Font::SetSize(double points) {
  if (!(points > 0) || points > 2000) Throw(380, "");
  WithFont(impl_, [&](VlFont& f) { f.SetSizeCy(PointsToSizeCy(points)); });
}
bool Font::Bold() const {
  return WithFont(impl_, [](VlFont& f) { return f.Desc().bold; });
}
void Font::SetBold(bool on) {
  WithFont(impl_, [&](VlFont& f) { f.SetBold(on); });
}
bool Font::Italic() const {
  return WithFont(impl_, [](VlFont& f) { return f.Desc().italic; });
}
void Font::SetItalic(bool on) {
  WithFont(impl_, [&](VlFont& f) { f.SetItalic(on); });
}
bool Font::Underline() const {
  return WithFont(impl_, [](VlFont& f) { return f.Desc().underline; });
}
void Font::SetUnderline(bool on) {
  WithFont(impl_, [&](VlFont& f) { f.SetUnderline(on); });
}
bool Font::Strikethrough() const {
  return WithFont(impl_, [](VlFont& f) { return f.Desc().strikethrough; });
}
void Font::SetStrikethrough(bool on) {
  WithFont(impl_, [&](VlFont& f) { f.SetStrikethrough(on); });
}
std::int32_t Font::Weight() const {
  return WithFont(impl_, [](VlFont& f) { return std::int32_t{f.Desc().weight}; });
}
std::int32_t Font::Charset() const {
  return WithFont(impl_, [](VlFont& f) { return std::int32_t{f.Desc().charset}; });
}

// --- Caption -----------------------------------------------------------------------------------

namespace {

template <typename Work>
decltype(auto) WithCaption(const std::shared_ptr<Caption::Impl>& impl, Work&& work) {
  return StateOf(impl->form).Run([&](HostForm&) { return work(*impl->caption); });
}

}  // namespace

std::string Caption::Text() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return ToUtf8(c.Text()); });
}
void Caption::SetText(std::string_view utf8) {
  const std::string text = ToCp932(utf8);
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetText(text); });
}
std::int16_t Caption::Alignment() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.Alignment(); });
}
void Caption::SetAlignment(std::int16_t a) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetAlignment(a); });
}
std::int16_t Caption::BorderStyle() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.BorderStyle(); });
}
void Caption::SetBorderStyle(std::int16_t s) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetBorderStyle(s); });
}
float Caption::Size() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.Size(); });
}
void Caption::SetSize(float units) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetSize(units); });
}
float Caption::Spacing() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.Spacing(); });
}
void Caption::SetSpacing(float units) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetSpacing(units); });
}
float Caption::Padding() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.Padding(); });
}
void Caption::SetPadding(float units) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetPadding(units); });
}
std::uint32_t Caption::TextColor() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.TextColor(); });
}
void Caption::SetTextColor(std::uint32_t colour) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetTextColor(colour); });
}
std::uint32_t Caption::BackColor() const {
  return WithCaption(impl_, [](VlTextCaption& c) { return c.BackColor(); });
}
void Caption::SetBackColor(std::uint32_t colour) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetBackColor(colour); });
}

std::optional<vl::Font> Caption::Font() const {
  std::shared_ptr<VlFont> font = WithCaption(impl_, [](VlTextCaption& c) { return c.Font(); });
  if (!font) return std::nullopt;
  return vl::Font(std::make_shared<vl::Font::Impl>(vl::Font::Impl{impl_->form, font}));
}

void Caption::SetFont(const std::optional<vl::Font>& font) {
  WithCaption(impl_, [&](VlTextCaption& c) { c.SetFont(font ? font->Internal()->font.get() : nullptr); });
}

// --- Event ------------------------------------------------------------------------------------

const TypedValue* Event::Find(std::string_view param) const {
  for (const EventParam& p : params) {
    if (p.name == param) return &p.value;
  }
  return nullptr;
}

const TypedValue& Event::operator[](std::string_view param) const {
  const TypedValue* v = Find(param);
  if (v == nullptr) Throw(438, name + " has no parameter " + std::string(param));
  return *v;
}

TypedValue& Event::operator[](std::string_view param) { return const_cast<TypedValue&>(std::as_const(*this)[param]); }

}  // namespace vl::v1
