// vl::PropertyPages, vl::Palette and the common dialogs over the host's property frames.
#include "pages/property_frame.h"
#include "platform/messages.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

using detail::FormState;
using detail::HostForm;
using detail::Throw;
using detail::ToCp932;
using detail::ToUtf8;

struct Palette::Impl {
  std::shared_ptr<pages::SharedPalette> palette;
};

struct PropertyPages::Impl {
  std::shared_ptr<FormState> form;
  std::uint64_t serial = 0;
};

namespace {

// Runs `work` on the frame, on its form: a frame closed meanwhile (a handler closed it while it
// was busy) goes once its calls have returned, and a handle of a closed one is refused.
template <typename Work>
decltype(auto) WithFrame(const std::shared_ptr<PropertyPages::Impl>& impl, Work&& work) {
  if (!impl || !impl->form) Throw(5, "the property pages are closed");
  return impl->form->Run([&](HostForm& f) {
    f.ReapPropertyPages();
    pages::PropertyPages* p = f.FindPropertyPages(impl->serial);
    if (p == nullptr) Throw(5, "the property pages are closed");
    return work(*p, f);
  });
}

void CheckPage(int page) {
  if (page < 0 || page >= PropertyPages::kPageCount) Throw(5, "no page " + std::to_string(page));
}

PageField FromHostField(const pages::PageField& f) {
  PageField out;
  out.id = f.id;
  out.kind = static_cast<FieldKind>(static_cast<int>(f.kind));
  out.label = ToUtf8(f.label);
  for (const std::string& item : f.items) out.items.push_back(ToUtf8(item));
  out.text = ToUtf8(f.text);
  out.selected = f.selected;
  out.checked = f.checked;
  out.enabled = f.enabled;
  return out;
}

pages::ColourList* ListOf(pages::PropertyPages& p, int page, int id) {
  CheckPage(page);
  return p.Page(page).ColourListOf(id);
}

FontChoice FromHostFont(const FontDesc& d) {
  return FontChoice{
      ToUtf8(d.name), static_cast<double>(d.sizeCy) / 10000.0, d.bold, d.italic, d.underline, d.strikethrough, d.weight,
      d.charset};
}

FontDesc ToHostFont(const FontChoice& c) {
  if (!(c.size > 0) || c.size > 2000) Throw(380, "a font size is 0 to 2000 points");
  FontDesc d;
  d.name = ToCp932(c.name);
  d.sizeCy = PointsToSizeCy(c.size);
  d.bold = c.bold;
  d.italic = c.italic;
  d.underline = c.underline;
  d.strikethrough = c.strikethrough;
  d.weight = static_cast<std::int16_t>(std::clamp<std::int32_t>(c.weight, 0, 1000));
  d.charset = static_cast<std::int16_t>(std::clamp<std::int32_t>(c.charset, 0, 255));
  return d;
}

win::CommonDialogKind ToHostKind(DialogKind kind) {
  switch (kind) {
    case DialogKind::OpenFile:
      return win::CommonDialogKind::OpenFile;
    case DialogKind::Font:
      return win::CommonDialogKind::Font;
    default:
      return win::CommonDialogKind::Colour;
  }
}

DialogKind FromHostKind(win::CommonDialogKind kind) {
  switch (kind) {
    case win::CommonDialogKind::OpenFile:
      return DialogKind::OpenFile;
    case win::CommonDialogKind::Font:
      return DialogKind::Font;
    default:
      return DialogKind::Colour;
  }
}

}  // namespace

Palette::Palette() : impl_(std::make_shared<Impl>(Impl{std::make_shared<pages::SharedPalette>()})) {}

std::vector<std::uint32_t> Palette::Colours() const { return impl_->palette->Colours(); }

int PropertyPages::IndexOf(std::string_view title) const {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.IndexOf(title); });
}

std::string PropertyPages::Title(int page) const {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return ToUtf8(p.Page(page).Title()); });
}

int PropertyPages::Shown() const {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.Shown(); });
}

void PropertyPages::Show(int page, bool focus) {
  CheckPage(page);
  WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { p.Show(page, focus); });
}

bool PropertyPages::IsDirty() const {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.IsDirty(); });
}

std::optional<Error> PropertyPages::Apply() {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) -> std::optional<Error> {
    if (p.Apply()) return std::nullopt;
    if (p.LastError()) return detail::ToError(*p.LastError());
    return Error(5, "the property pages were closed during Apply");
  });
}

std::optional<std::pair<int, int>> PropertyPages::Focused() const {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) -> std::optional<std::pair<int, int>> {
    const auto [page, id] = p.Focused();
    if (page < 0) return std::nullopt;
    return std::pair{page, id};
  });
}

void PropertyPages::Close() {
  if (!impl_ || !impl_->form || !impl_->form->host || impl_->form->closing) return;
  impl_->form->Run([&](HostForm& f) {
    if (pages::PropertyPages* p = f.FindPropertyPages(impl_->serial)) f.ClosePropertyPages(*p);
  });
}

Picture PropertyPages::Render(int page, bool fixedFont) {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm& f) {
    detail::PictureFonts fonts(f, fixedFont);
    f.PumpMessages();
    win::Surface surface = p.Render(page, *fonts.chosen);
    Picture picture(surface.Width(), surface.Height());
    picture.Rgba() = std::move(surface.Rgba());
    return picture;
  });
}

std::vector<PageField> PropertyPages::Fields(int page) const {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) {
    std::vector<PageField> out;
    for (const pages::PageField& f : p.Page(page).Fields()) out.push_back(FromHostField(f));
    return out;
  });
}

std::optional<PageField> PropertyPages::Field(int page, int id) const {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) -> std::optional<PageField> {
    const pages::PageField* f = p.Page(page).Find(id);
    if (f == nullptr) return std::nullopt;
    return FromHostField(*f);
  });
}

bool PropertyPages::Focus(int page, int id) {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.UserFocus(page, id); });
}

bool PropertyPages::Type(int page, int id, std::string_view utf8) {
  CheckPage(page);
  const std::string text = ToCp932(utf8);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.UserType(page, id, text); });
}

bool PropertyPages::Choose(int page, int id, int index) {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.UserChoose(page, id, index); });
}

bool PropertyPages::Check(int page, int id, bool on) {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.UserCheck(page, id, on); });
}

bool PropertyPages::Click(int page, int id) {
  CheckPage(page);
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { return p.UserClick(page, id); });
}

void PropertyPages::Leave(int page, int id) {
  CheckPage(page);
  WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) { p.UserLeave(page, id); });
}

std::optional<std::uint32_t> PropertyPages::ListColour(int page, int id) const {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) -> std::optional<std::uint32_t> {
    const pages::ColourList* list = ListOf(p, page, id);
    if (list == nullptr) return std::nullopt;
    return list->Colour();
  });
}

std::vector<ColourItem> PropertyPages::ListItems(int page, int id) const {
  return WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) {
    std::vector<ColourItem> out;
    if (const pages::ColourList* list = ListOf(p, page, id)) {
      for (std::uint32_t v : list->Items()) out.push_back(ColourItem{v, ToUtf8(pages::ColourItemText(v))});
    }
    return out;
  });
}

void PropertyPages::DropDown(int page, int id, bool open) {
  WithFrame(impl_, [&](pages::PropertyPages& p, HostForm&) {
    if (ListOf(p, page, id) == nullptr) Throw(5, "no colour list " + std::to_string(id));
    p.Sys().SendMessage(p.Dialog(page).FieldWindow(id), win::CB_SHOWDROPDOWN, open ? 1 : 0, 0);
  });
}

PropertyPages Form::OpenPropertyPages(const Box& box, const Palette& palette) {
  if (!state_) Throw(5, "the form is closed");
  auto impl = std::make_shared<PropertyPages::Impl>();
  impl->form = state_;
  state_->Run([&](HostForm& f) {
    pages::PropertyPages& p = f.OpenPropertyPages(state_->Site(box.Name()), palette.Internal()->palette);
    impl->serial = f.SerialOf(p);
  });
  return PropertyPages(std::move(impl));
}

void Form::AnswerDialog(DialogKind kind, std::optional<DialogAnswer> answer) {
  if (!state_) Throw(5, "the form is closed");
  std::optional<detail::HostDialogAnswer> host;
  if (answer) {
    host.emplace();
    host->colour = answer->colour;
    host->path = ToCp932(answer->path);
    if (kind == DialogKind::Font) host->font = ToHostFont(answer->font);
  }
  state_->Run([&](HostForm& f) { f.AnswerDialog(ToHostKind(kind), host); });
}

std::vector<DialogRecord> Form::TakeDialogs() {
  if (!state_) Throw(5, "the form is closed");
  return state_->Run([](HostForm& f) {
    std::vector<DialogRecord> out;
    for (const detail::HostDialogRecord& r : f.TakeDialogs()) {
      out.push_back(DialogRecord{FromHostKind(r.kind), ToUtf8(r.owner), r.colour, ToUtf8(r.filter), ToUtf8(r.path),
                                 FromHostFont(r.font)});
    }
    return out;
  });
}

}  // namespace vl::v1
