#include "control/caption.h"

#include <algorithm>

namespace vl {

void VlTextCaption::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed(false);
}

void VlTextCaption::SetAlignment(std::int16_t alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Changed(false);
}

void VlTextCaption::SetBorderStyle(std::int16_t style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  Changed(false);
}

void VlTextCaption::SetTextColor(std::uint32_t colour) {
  if (colour == textColor_) return;
  textColor_ = colour;
  Changed(false);
}

void VlTextCaption::SetBackColor(std::uint32_t colour) {
  if (colour == backColor_) return;
  backColor_ = colour;
  Changed(false);
}

float VlTextCaption::Size() const { return static_cast<float>(owner_->HimetricToContainer(size_)); }
float VlTextCaption::Spacing() const { return static_cast<float>(owner_->HimetricToContainer(spacing_)); }
float VlTextCaption::Padding() const { return static_cast<float>(owner_->HimetricToContainer(padding_)); }
void VlTextCaption::SetSize(float units) { SetSizeHimetric(owner_->ContainerToHimetric(units)); }
void VlTextCaption::SetSpacing(float units) { SetSpacingHimetric(owner_->ContainerToHimetric(units)); }
void VlTextCaption::SetPadding(float units) { SetPaddingHimetric(owner_->ContainerToHimetric(units)); }

void VlTextCaption::SetSizeHimetric(std::int32_t himetric) {
  // The opposite caption and an 8-pixel text area must still fit; the caption never gets
  // narrower than its own spacing, even when that leaves less than the margin.
  const bool horizontal = direction_ == VlTextCapLeft || direction_ == VlTextCapRight;
  const int opposite = direction_ ^ 1;
  const std::int32_t extent = horizontal ? owner_->ControlWidthHimetric() : owner_->ControlHeightHimetric();
  const std::int32_t upper = extent - owner_->CaptionAt(opposite).SizeHimetric() - owner_->MarginHimetric();
  std::int32_t v = himetric;
  if (v < spacing_) {
    v = spacing_;
  } else if (v > upper) {
    v = std::max(upper, spacing_);
  }
  if (v == size_) return;
  size_ = v;
  Changed(true);
}

void VlTextCaption::SetSpacingHimetric(std::int32_t himetric) {
  std::int32_t v = std::clamp(himetric, 0, std::max(size_, 0));
  if (v == spacing_) return;
  spacing_ = v;
  Changed(true);
}

void VlTextCaption::SetPaddingHimetric(std::int32_t himetric) {
  std::int32_t v = std::min(himetric, size_);
  if (v == padding_) return;
  padding_ = v;
  Changed(true);
}

void VlTextCaption::SetFont(const VlFont* font) {
  font_ = std::make_shared<VlFont>(font != nullptr ? font->Desc() : DefaultCaptionFont());
  Changed(false);
}

void VlTextCaption::CopyFrom(const VlTextCaption& other) {
  if (&other == this) return;
  SetText(other.text_);
  SetAlignment(other.alignment_);
  SetBorderStyle(other.borderStyle_);
  SetTextColor(other.textColor_);
  SetBackColor(other.backColor_);
  if (other.size_ != size_) {
    size_ = other.size_;
    Changed(true);
  }
  if (other.spacing_ != spacing_) {
    spacing_ = other.spacing_;
    Changed(true);
  }
  if (other.padding_ != padding_) {
    padding_ = other.padding_;
    Changed(true);
  }
  if (other.font_) SetFont(other.font_.get());
}

CaptionProperties VlTextCaption::Properties() const {
  return CaptionProperties{text_,      alignment_, size_,        spacing_, font_ ? font_->Desc() : DefaultCaptionFont(),
                           textColor_, backColor_, borderStyle_, padding_};
}

void VlTextCaption::Restore(const CaptionProperties& p) {
  text_ = p.text;
  alignment_ = p.alignment;
  size_ = p.size;
  spacing_ = p.spacing;
  padding_ = p.padding;
  textColor_ = p.textColor;
  backColor_ = p.backColor;
  borderStyle_ = p.borderStyle;
  font_ = std::make_shared<VlFont>(p.font);
  Changed(true);
}

std::uint32_t VlTextCaption::AlignmentFlags() const {
  if (alignment_ < 0 || alignment_ > 8) return 0;
  static constexpr std::uint32_t kHorizontal[] = {0, 1, 2};
  static constexpr std::uint32_t kVertical[] = {0, 4, 8};
  return 0x20 + kHorizontal[alignment_ % 3] + kVertical[alignment_ / 3];
}

namespace {

int HimetricToPixels(const win::DeviceContext& dc, std::int32_t himetric) {
  win::SIZE size{himetric, 0};
  win::HIMETRICtoDP(dc, size);
  return size.cx;
}

}  // namespace

CaptionMetrics VlTextCaption::GetCaptionMetrics(const win::DeviceContext& dc) const {
  return CaptionMetrics{HimetricToPixels(dc, size_), HimetricToPixels(dc, spacing_), HimetricToPixels(dc, padding_)};
}

void VlTextCaption::DrawCaption(win::DeviceContext& dc, const win::RECT& rect, const win::RECT& bounds,
                                std::int32_t extentHeightHimetric) const {
  if (rect.IsEmpty()) return;
  const FontDesc desc = font_ ? font_->Desc() : DefaultCaptionFont();
  win::LOGFONT lf = desc.ToLogFont();
  win::SIZE extent{0, extentHeightHimetric};
  win::HIMETRICtoDP(dc, extent);
  if (extent.cy > 0 && extent.cy != bounds.Height()) lf.lfHeight = win::MulDiv(lf.lfHeight, bounds.Height(), extent.cy);
  win::HFONT font = win::CreateFontIndirect(lf);
  win::HFONT previous = win::SelectObject(dc, font);
  CaptionLook look;
  look.text = text_;
  look.borderStyle = borderStyle_;
  look.padding = HimetricToPixels(dc, padding_);
  look.alignmentFlags = AlignmentFlags();
  look.backColor = owner_->TranslateCaptionColor(backColor_);
  look.textColor = owner_->TranslateCaptionColor(textColor_);
  DrawCaptionStrip(dc, rect, look);
  win::SelectObject(dc, previous);
  win::DeleteObject(font);
}

}  // namespace vl
