// VlTextCaption: one of the four caption strips around the box (Left 0, Right 1, Top 2,
// Bottom 3). Lengths are kept in HIMETRIC (0.01 mm) and exchanged with the host in its units.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "control/font_object.h"
#include "platform/gdi.h"
#include "render/caption_draw.h"
#include "runtime/system_colour.h"
#include "runtime/variant.h"

namespace vl {

enum VlTextCaptionDirection : std::int16_t { VlTextCapLeft = 0, VlTextCapRight = 1, VlTextCapTop = 2, VlTextCapBottom = 3 };

class VlTextCaption;

// Every persisted property of a caption, as stored (lengths in HIMETRIC).
struct CaptionProperties {
  std::string text;
  std::int16_t alignment = 0;
  std::int32_t size = 0;
  std::int32_t spacing = 0;
  FontDesc font;  // the font the caption draws with
  std::uint32_t textColor = 0x80000012;
  std::uint32_t backColor = 0x8000000F;
  std::int16_t borderStyle = 0;
  std::int32_t padding = 0;
  friend bool operator==(const CaptionProperties&, const CaptionProperties&) = default;
};

// What a caption needs from the control that owns it.
class ICaptionOwner {
 public:
  virtual ~ICaptionOwner() = default;
  virtual const VlTextCaption& CaptionAt(int direction) const = 0;
  // The control's current size and the 8-pixel margin, in HIMETRIC.
  virtual std::int32_t ControlWidthHimetric() const = 0;
  virtual std::int32_t ControlHeightHimetric() const = 0;
  virtual std::int32_t MarginHimetric() const = 0;
  virtual double HimetricToContainer(std::int32_t himetric) const = 0;
  virtual std::int32_t ContainerToHimetric(double units) const = 0;
  // A caption property changed: mark the control modified and repaint it; `layout` when the
  // text area must be recomputed and the edit window moved.
  virtual void CaptionChanged(bool layout) = 0;
  // An OLE colour as the screen shows it now (system colours resolved).
  virtual std::uint32_t TranslateCaptionColor(std::uint32_t colour) const = 0;
};

class VlTextCaption : public Dispatch {
 public:
  VlTextCaption(ICaptionOwner& owner, std::int16_t direction) : owner_(&owner), direction_(direction) {}

  std::int16_t Direction() const { return direction_; }

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  std::int16_t Alignment() const { return alignment_; }
  void SetAlignment(std::int16_t alignment);
  std::int16_t BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(std::int16_t style);
  std::uint32_t TextColor() const { return textColor_; }
  void SetTextColor(std::uint32_t colour);
  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t colour);

  // In the container's units.
  float Size() const;
  void SetSize(float units);
  float Spacing() const;
  void SetSpacing(float units);
  float Padding() const;
  void SetPadding(float units);

  // In HIMETRIC. The setters apply the same limits as the unit setters.
  std::int32_t SizeHimetric() const { return size_; }
  std::int32_t SpacingHimetric() const { return spacing_; }
  std::int32_t PaddingHimetric() const { return padding_; }
  void SetSizeHimetric(std::int32_t himetric);
  void SetSpacingHimetric(std::int32_t himetric);
  void SetPaddingHimetric(std::int32_t himetric);

  // Nothing until persistence or the host gives the caption a font.
  const std::shared_ptr<VlFont>& Font() const { return font_; }
  // Takes a copy of the given font, or the default caption font when none is given; always
  // marks the control modified.
  void SetFont(const VlFont* font);

  // Copies every property of `other` as it is, without the setters' limits.
  void CopyFrom(const VlTextCaption& other);

  // The persisted properties; a caption without a font gives the font it draws with.
  CaptionProperties Properties() const;
  // Takes loaded properties as they are, without the setters' limits; the caption then has a font.
  void Restore(const CaptionProperties& properties);

  // Drawing flags of the alignment: 0x20 + horizontal (0, 1, 2) + vertical (0, 4, 8).
  std::uint32_t AlignmentFlags() const;

  // Size, spacing and padding in the device's pixels, each converted as a horizontal extent.
  CaptionMetrics GetCaptionMetrics(const win::DeviceContext& dc) const;
  // Draws the caption in `rect`. Its font (the default caption font until one is given) is scaled
  // by the drawn height over the control's extent height, as the control scales its own.
  void DrawCaption(win::DeviceContext& dc, const win::RECT& rect, const win::RECT& bounds,
                   std::int32_t extentHeightHimetric) const;

 private:
  void Changed(bool layout) { owner_->CaptionChanged(layout); }

  ICaptionOwner* owner_;
  std::int16_t direction_;
  std::string text_;
  std::shared_ptr<VlFont> font_;
  std::int16_t alignment_ = 0;
  std::int16_t borderStyle_ = 0;
  std::int32_t size_ = 0;
  std::int32_t spacing_ = 0;
  std::int32_t padding_ = 0;
  std::uint32_t backColor_ = kColourButtonFace;
  std::uint32_t textColor_ = kColourButtonText;
};

}  // namespace vl
