// The font object the control exposes as Font, and the attributes it caches from it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/font.h"
#include "runtime/variant.h"

namespace vl {

struct FontDesc {
  std::string name;          // CP932
  std::int64_t sizeCy = 0;   // points in ten-thousandths
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  std::int16_t weight = 400;
  std::int16_t charset = 0;

  // The attributes that decide whether the edit window needs the font again.
  bool SameAttributes(const FontDesc& o) const {
    return name == o.name && sizeCy == o.sizeCy && bold == o.bold && italic == o.italic &&
           underline == o.underline && strikethrough == o.strikethrough;
  }
  friend bool operator==(const FontDesc&, const FontDesc&) = default;

  // Logical font for a screen of 96 pixels per inch.
  win::LOGFONT ToLogFont() const;
};

// "ＭＳ Ｐゴシック", 9 points, weight 700: the description a font takes when none is given.
FontDesc DefaultCaptionFont();

// Points to ten-thousandths, truncated toward zero.
std::int64_t PointsToSizeCy(double points);

class VlFont : public Dispatch {
 public:
  explicit VlFont(FontDesc desc = {}) : desc_(std::move(desc)) {}

  const FontDesc& Desc() const { return desc_; }
  // Replaces the description; the listener hears of it when anything differs.
  void SetDesc(const FontDesc& desc);
  void SetName(const std::string& name);
  void SetSizeCy(std::int64_t size);
  void SetBold(bool on);
  void SetItalic(bool on);
  void SetUnderline(bool on);
  void SetStrikethrough(bool on);

  // The owner's notification: the font changed through this object.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  void Changed();

  FontDesc desc_;
  std::function<void()> listener_;
};

}  // namespace vl
