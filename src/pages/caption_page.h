// CVlTextPPGCaption: the Caption page. It edits page-side copies of the four captions; the
// Direction list chooses which copy the fields show. Changing the direction first stores the
// fields into the copy of the side left, an Alignment choice, a font and a colour go into the
// copy at once, and Apply writes back every copy's changes to its caption.
//
// Size, Spacing and Padding are shown with "%f". Apply writes the lengths that shrink before the
// ones that grow, and a caption's spacing before its size when the size goes below the old
// spacing, so no caption's limits (spacing at most the size, the sides leaving room for each
// other) cut a length the user asked for.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "control/font_object.h"
#include "pages/colour_picker.h"
#include "pages/property_page.h"

namespace vl::pages {

namespace caption {
inline constexpr int kDirection = 215;
inline constexpr int kText = 202;
inline constexpr int kAlignment = 203;
inline constexpr int kBorderStyle = 205;
inline constexpr int kSize = 204;
inline constexpr int kSpacing = 206;
inline constexpr int kPadding = 207;
inline constexpr int kSample = 209;
inline constexpr int kFont = 208;
inline constexpr int kTextColor = 217;
inline constexpr int kBackColor = 218;
}  // namespace caption

// One caption as the page holds it.
struct CaptionCopy {
  std::string text;
  std::int16_t alignment = 0;
  std::int16_t borderStyle = 0;
  float size = 0;
  float spacing = 0;
  float padding = 0;
  std::optional<FontDesc> font;  // none until the caption or the user gives it one
  std::uint32_t textColor = 0x80000012;
  std::uint32_t backColor = 0x8000000F;
  friend bool operator==(const CaptionCopy&, const CaptionCopy&) = default;
};

class CVlTextPPGCaption : public PropertyPage {
 public:
  explicit CVlTextPPGCaption(SharedPalette& palette);

  int Direction() const { return direction_; }
  // A copy as Apply would write it now (the fields of the side shown included).
  CaptionCopy Pending(int direction) const;
  ColourList* ColourListOf(int id) override;
  // The sample shows the copy's font (the captions' default one when it has none) and text colour.
  FontDesc SampleFont() const override;
  std::uint32_t SampleColour() const override { return copies_[static_cast<std::size_t>(direction_)].textColor; }

  void SetServices(PageServices* services) override;
  void Read(CVlTypedBoxCtrl& control) override;
  void Apply(CVlTypedBoxCtrl& control) override;
  bool IsDirty() const override;

 protected:
  void OnTyped(int id) override;
  void OnChosen(int id) override;
  void OnClicked(int id) override;

 private:
  void ShowCopy(int direction);
  void StoreFields(CaptionCopy& copy) const;

  std::array<CaptionCopy, 4> copies_;
  std::array<CaptionCopy, 4> originals_;
  int direction_ = 0;
  ColourList textColour_;
  ColourList backColour_;
};

std::string FormatLength(float value);  // "%f"

}  // namespace vl::pages
