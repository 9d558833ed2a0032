#include "pages/caption_page.h"

#include <cstdio>

#include "control/typed_box_ctrl.h"
#include "resources/string_table.h"

namespace vl::pages {

namespace {

using namespace caption;

constexpr std::uint32_t kTitleCaption = 202;

const std::vector<FieldRow>& CaptionRows() {
  static const std::vector<FieldRow> rows = {
      {kDirection,
       FieldKind::DropList,
       "&Direction:",
       0,
       Exchange::Index,
       {"0 - Left", "1 - Right", "2 - Top", "3 - Bottom"}},
      {kText, FieldKind::Edit, "&Text:", 0, Exchange::Text, {}},
      {kAlignment,
       FieldKind::DropList,
       "&Alignment:",
       0,
       Exchange::Index,
       {"0 - TopLeft", "1 - TopCenter", "2 - TopRight", "3 - MiddleLeft", "4 - MiddleCenter", "5 - MiddleRight",
        "6 - BottomLeft", "7 - BottomCenter", "8 - BottomRight"}},
      {kBorderStyle,
       FieldKind::DropList,
       "&BorderStyle",
       0,
       Exchange::Index,
       {"0 - なし", "1 - 実線", "2 - 浮き出し", "3 - くぼみ"}},
      {kSize, FieldKind::Edit, "&Size:", 0, Exchange::Float, {}},
      {kSpacing, FieldKind::Edit, "Spac&ing:", 0, Exchange::Float, {}},
      {kPadding, FieldKind::Edit, "&Padding:", 0, Exchange::Float, {}},
      {kSample, FieldKind::Sample, "", 0, Exchange::Text, {}},
      {kFont, FieldKind::Button, "...", 0, Exchange::Text, {}},
      {kTextColor, FieldKind::ColourList, "Text&Color:", 0, Exchange::Text, {}},
      {kBackColor, FieldKind::ColourList, "Bac&kColor", 0, Exchange::Text, {}},
  };
  return rows;
}

std::shared_ptr<VlTextCaption> CaptionOf(CVlTypedBoxCtrl& control, int direction) {
  return std::dynamic_pointer_cast<VlTextCaption>(control.GetCaptions(direction).AsObject());
}

// A length field's value: the copy's own when the text still shows it, else the text's number
// (a text that is none keeps the copy's value; leaving the field already refused it).
float LengthOf(const std::string& text, float kept) {
  if (text == FormatLength(kept)) return kept;
  const std::optional<double> v = ParseDecimal(text);
  return v ? static_cast<float>(*v) : kept;
}

}  // namespace

std::string FormatLength(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
  return buffer;
}

CVlTextPPGCaption::CVlTextPPGCaption(SharedPalette& palette)
    : PropertyPage(LoadResourceString(kTitleCaption), CaptionRows()), textColour_(palette), backColour_(palette) {
  for (int id : {kSize, kSpacing, kPadding}) AddNumberField(id, Exchange::Float);
  textColour_.SetOwner([this](std::uint32_t c) {
    copies_[static_cast<std::size_t>(direction_)].textColor = c;
    Notify(kSample);
  });
  backColour_.SetOwner([this](std::uint32_t c) { copies_[static_cast<std::size_t>(direction_)].backColor = c; });
  textColour_.SetListener([this] { Notify(kTextColor); });
  backColour_.SetListener([this] { Notify(kBackColor); });
  Select(kDirection, 0);
  ShowCopy(0);
}

void CVlTextPPGCaption::SetServices(PageServices* services) {
  PropertyPage::SetServices(services);
  textColour_.SetServices(services);
  backColour_.SetServices(services);
}

ColourList* CVlTextPPGCaption::ColourListOf(int id) {
  if (id == kTextColor) return &textColour_;
  if (id == kBackColor) return &backColour_;
  return nullptr;
}

FontDesc CVlTextPPGCaption::SampleFont() const {
  const CaptionCopy& copy = copies_[static_cast<std::size_t>(direction_)];
  return copy.font ? *copy.font : DefaultCaptionFont();
}

void CVlTextPPGCaption::StoreFields(CaptionCopy& copy) const {
  copy.text = Field(kText).text;
  if (Field(kAlignment).selected >= 0) copy.alignment = static_cast<std::int16_t>(Field(kAlignment).selected);
  if (Field(kBorderStyle).selected >= 0) copy.borderStyle = static_cast<std::int16_t>(Field(kBorderStyle).selected);
  copy.size = LengthOf(Field(kSize).text, copy.size);
  copy.spacing = LengthOf(Field(kSpacing).text, copy.spacing);
  copy.padding = LengthOf(Field(kPadding).text, copy.padding);
}

CaptionCopy CVlTextPPGCaption::Pending(int direction) const {
  CaptionCopy copy = copies_[static_cast<std::size_t>(direction)];
  if (direction == direction_) StoreFields(copy);
  return copy;
}

void CVlTextPPGCaption::ShowCopy(int direction) {
  const CaptionCopy& copy = copies_[static_cast<std::size_t>(direction)];
  SetText(kText, copy.text);
  // A value outside the list (the caption keeps any number) shows no item.
  Select(kAlignment, copy.alignment);
  Select(kBorderStyle, copy.borderStyle);
  SetText(kSize, FormatLength(copy.size));
  SetText(kSpacing, FormatLength(copy.spacing));
  SetText(kPadding, FormatLength(copy.padding));
  for (int id : {kSize, kSpacing, kPadding}) AcceptText(id);
  SetText(kSample, copy.text);
  Notify(kSample);
  textColour_.SetColour(copy.textColor);
  backColour_.SetColour(copy.backColor);
}

void CVlTextPPGCaption::Read(CVlTypedBoxCtrl& control) {
  for (int d = 0; d < 4; ++d) {
    const std::shared_ptr<VlTextCaption> c = CaptionOf(control, d);
    CaptionCopy& copy = copies_[static_cast<std::size_t>(d)];
    copy.text = c->Text();
    copy.alignment = c->Alignment();
    copy.borderStyle = c->BorderStyle();
    copy.size = c->Size();
    copy.spacing = c->Spacing();
    copy.padding = c->Padding();
    copy.font = c->Font() ? std::optional<FontDesc>(c->Font()->Desc()) : std::nullopt;
    copy.textColor = c->TextColor();
    copy.backColor = c->BackColor();
  }
  originals_ = copies_;
  ShowCopy(direction_);
}

bool CVlTextPPGCaption::IsDirty() const {
  for (int d = 0; d < 4; ++d) {
    if (!(Pending(d) == originals_[static_cast<std::size_t>(d)])) return true;
  }
  return false;
}

void CVlTextPPGCaption::Apply(CVlTypedBoxCtrl& control) {
  for (int id : {kSize, kSpacing, kPadding}) Leave(id);
  StoreFields(copies_[static_cast<std::size_t>(direction_)]);
  for (int d = 0; d < 4; ++d) {
    const CaptionCopy& copy = copies_[static_cast<std::size_t>(d)];
    const CaptionCopy& was = originals_[static_cast<std::size_t>(d)];
    const std::shared_ptr<VlTextCaption> c = CaptionOf(control, d);
    if (copy.text != was.text) c->SetText(copy.text);
    if (copy.alignment != was.alignment) c->SetAlignment(copy.alignment);
    if (copy.borderStyle != was.borderStyle) c->SetBorderStyle(copy.borderStyle);
    if (copy.font != was.font && copy.font) {
      const VlFont font(*copy.font);
      c->SetFont(&font);
    }
    if (copy.textColor != was.textColor) c->SetTextColor(copy.textColor);
    if (copy.backColor != was.backColor) c->SetBackColor(copy.backColor);
  }
  // Lengths that shrink go first, so the ones that grow find the room they need.
  for (const bool shrinking : {true, false}) {
    for (int d = 0; d < 4; ++d) {
      const CaptionCopy& copy = copies_[static_cast<std::size_t>(d)];
      const CaptionCopy& was = originals_[static_cast<std::size_t>(d)];
      if ((copy.size < was.size) != shrinking) continue;
      const std::shared_ptr<VlTextCaption> c = CaptionOf(control, d);
      const bool size = copy.size != was.size;
      const bool spacing = copy.spacing != was.spacing;
      if (size && copy.size < c->Spacing()) {
        if (spacing) c->SetSpacing(copy.spacing);
        c->SetSize(copy.size);
      } else {
        if (size) c->SetSize(copy.size);
        if (spacing) c->SetSpacing(copy.spacing);
      }
      if (copy.padding != was.padding) c->SetPadding(copy.padding);
    }
  }
  originals_ = copies_;
}

void CVlTextPPGCaption::OnTyped(int id) {
  // The sample follows the text as it is typed.
  if (id == kText) SetText(kSample, Field(kText).text);
}

void CVlTextPPGCaption::OnChosen(int id) {
  if (id == kDirection) {
    StoreFields(copies_[static_cast<std::size_t>(direction_)]);
    direction_ = Field(kDirection).selected;
    ShowCopy(direction_);
  } else if (id == kAlignment) {
    copies_[static_cast<std::size_t>(direction_)].alignment = static_cast<std::int16_t>(Field(kAlignment).selected);
  }
}

void CVlTextPPGCaption::OnClicked(int id) {
  if (id != kFont || Services() == nullptr) return;
  FontDesc font = SampleFont();
  if (!Services()->ChooseFont(font)) return;
  copies_[static_cast<std::size_t>(direction_)].font = font;
  Notify(kSample);
}

}  // namespace vl::pages
