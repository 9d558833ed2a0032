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

std::uint32_t VlTextCaption::AlignmentFlags() const {
  if (alignment_ < 0 || alignment_ > 8) return 0;
  static constexpr std::uint32_t kHorizontal[] = {0, 1, 2};
  static constexpr std::uint32_t kVertical[] = {0, 4, 8};
  return 0x20 + kHorizontal[alignment_ % 3] + kVertical[alignment_ / 3];
}

}  // namespace vl
