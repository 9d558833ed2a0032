// Real fonts: FreeType glyphs found through fontconfig, anti-aliased onto the surface.
//
// The Windows face names the component and its users write are mapped to the Japanese gothic
// that Debian's fonts-ipafont-gothic installs: the proportional faces ("ＭＳ Ｐゴシック",
// "MS UI Gothic", "MS Shell Dlg", the empty name a font takes from its container) to IPAPGothic,
// the fixed-pitch "ＭＳ ゴシック" to IPAGothic. Other names go to fontconfig as they are. A
// character the chosen face lacks is drawn from IPAPGothic, so Japanese text never turns into
// boxes because a Latin face was asked for.
//
// Sizes follow the LOGFONT rules: a negative lfHeight is the em height in pixels, a positive one
// the line height (ascent + descent), 0 means 12 pixels of em.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/font_backend.h"

namespace vl::win {

// The fontconfig family asked for a CP932 face name ("ＭＳ Ｐゴシック" → "IPAPGothic").
std::string FontconfigFamilyFor(std::string_view cp932FaceName);

class FreeTypeFontBackend : public FontBackend {
 public:
  FreeTypeFontBackend();
  ~FreeTypeFontBackend() override;
  FreeTypeFontBackend(const FreeTypeFontBackend&) = delete;
  FreeTypeFontBackend& operator=(const FreeTypeFontBackend&) = delete;

  // True when FreeType started and the Japanese gothic is installed. Without it Realize still
  // answers, with whatever fontconfig finds, or with the fixed-metrics font when no font file
  // can be opened at all, so a picture is never refused for want of a font.
  bool Available() const;
  // The font file a LOGFONT resolves to (UTF-8 path), empty when none.
  std::string ResolveFile(const LOGFONT& font) const;

  std::shared_ptr<FontFace> Realize(const LOGFONT& font) override;
  FontCacheUsage CacheUsage() const override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vl::win
