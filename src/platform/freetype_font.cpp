#include "platform/freetype_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/face_cache.h"
#include "platform/fixed_font.h"
#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl::win {

namespace {

constexpr const char* kProportionalGothic = "IPAPGothic";
constexpr const char* kFixedGothic = "IPAGothic";

// The first code point of a UTF-8 text, 0 when there is none or it is malformed.
char32_t FirstCodePoint(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const auto b0 = static_cast<unsigned char>(utf8[0]);
  int extra = 0;
  char32_t cp = 0;
  if (b0 < 0x80) return b0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (utf8.size() < static_cast<std::size_t>(extra) + 1) return 0;
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(utf8[static_cast<std::size_t>(i)]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return cp;
}

// The Unicode character one CP932 character stands for; 0 (the font's missing-glyph box) for a
// byte sequence CP932 does not define.
char32_t CodePointOf(std::string_view ch) {
  std::string utf8;
  if (!TryCp932ToUtf8(ch, utf8)) return 0;
  return FirstCodePoint(utf8);
}

// FreeType and fontconfig handles shared by the backend and every face it realized, so a face
// held by a device context outlives the backend safely.
struct Library {
  FT_Library ft = nullptr;
  FcConfig* fc = nullptr;
  Library() {
    if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
    fc = FcInitLoadConfigAndFonts();
  }
  ~Library() {
    if (ft) FT_Done_FreeType(ft);
    if (fc) FcConfigDestroy(fc);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

struct FontFile {
  std::string path;
  int index = 0;
  std::string family;
};

FontFile Match(const Library& lib, const std::string& family, const LOGFONT& font) {
  FontFile result;
  if (!lib.fc) return result;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.lfWeight >= kBoldWeight ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(lib.fc, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult res = FcResultNoMatch;
  FcPattern* match = FcFontMatch(lib.fc, pattern, &res);
  if (match) {
    FcChar8* file = nullptr;
    FcChar8* fam = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) result.path = reinterpret_cast<const char*>(file);
    if (FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch) result.family = reinterpret_cast<const char*>(fam);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) result.index = index;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return result;
}

struct Glyph {
  int advance = 0;
  int left = 0;  // bitmap offset from the pen position
  int top = 0;   // bitmap rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;
};

// One FT_Face at one pixel size.
class SizedFace {
 public:
  SizedFace(std::shared_ptr<Library> lib, const FontFile& file, const LOGFONT& font) : lib_(std::move(lib)) {
    if (!lib_->ft || file.path.empty()) return;
    if (FT_New_Face(lib_->ft, file.path.c_str(), file.index, &face_) != 0) {
      face_ = nullptr;
      return;
    }
    const int upem = face_->units_per_EM > 0 ? face_->units_per_EM : 1000;
    const int designHeight = std::max(1, face_->ascender - face_->descender);
    int em = 12;
    if (font.lfHeight < 0) em = -std::max(font.lfHeight, -4096);
    if (font.lfHeight > 0) em = std::max(1, static_cast<int>(std::lround(std::min(font.lfHeight, 4096) * static_cast<double>(upem) / designHeight)));
    // A Japanese face's half-width characters are half an em wide, so lfWidth (the average
    // character width) asks for twice that as the horizontal size.
    const int emX = font.lfWidth > 0 ? std::min(font.lfWidth, 2048) * 2 : 0;
    FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(emX), static_cast<FT_UInt>(em));
    em_ = em;
    bold_ = font.lfWeight >= kBoldWeight;
    italic_ = font.lfItalic != 0;
  }
  ~SizedFace() {
    if (face_) FT_Done_Face(face_);
  }
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;

  bool Ok() const { return face_ != nullptr; }
  FT_Face Face() const { return face_; }
  int Em() const { return em_; }
  bool Has(char32_t cp) const { return face_ && cp != 0 && FT_Get_Char_Index(face_, cp) != 0; }

  Glyph Render(char32_t cp) const {
    Glyph g;
    if (!face_) return g;
    const FT_UInt index = FT_Get_Char_Index(face_, cp);
    // Outlines only, even where the file carries bitmaps: every size is anti-aliased alike.
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return g;
    FT_GlyphSlot slot = face_->glyph;
    if (bold_) FT_GlyphSlot_Embolden(slot);
    if (italic_) FT_GlyphSlot_Oblique(slot);
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.rows = static_cast<int>(bm.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.rows));
    for (int r = 0; r < g.rows; ++r) {
      const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(r) * bm.pitch;
      std::copy(src, src + g.width, g.coverage.begin() + static_cast<std::ptrdiff_t>(r) * g.width);
    }
    return g;
  }

 private:
  std::shared_ptr<Library> lib_;
  FT_Face face_ = nullptr;
  int em_ = 12;
  bool bold_ = false;
  bool italic_ = false;
};

class FreeTypeFace final : public FontFace {
 public:
  // `primary` is the opened face of the font file the LOGFONT resolved to.
  FreeTypeFace(std::shared_ptr<Library> lib, std::unique_ptr<SizedFace> primary, const FontFile& fallback,
               const LOGFONT& font)
      : lib_(std::move(lib)), primary_(std::move(primary)), fallbackFile_(fallback), font_(font) {
    FT_Face f = primary_->Face();
    const FT_Size_Metrics& m = f->size->metrics;
    const int ascent = static_cast<int>((m.ascender + 63) >> 6);
    const int descent = static_cast<int>((-m.descender + 63) >> 6);
    metrics_.tmAscent = ascent;
    metrics_.tmDescent = descent;
    metrics_.tmHeight = ascent + descent;
    metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - primary_->Em());
    metrics_.tmMaxCharWidth = static_cast<int>((m.max_advance + 63) >> 6);
    metrics_.tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
    metrics_.tmItalic = font.lfItalic;
    metrics_.tmUnderlined = font.lfUnderline;
    metrics_.tmStruckOut = font.lfStrikeOut;
    metrics_.tmCharSet = SHIFTJIS_CHARSET;
    metrics_.tmAveCharWidth = CharWidth("x");
    const double scale = static_cast<double>(primary_->Em()) / std::max<int>(1, f->units_per_EM);
    const int thickness = std::max(1, static_cast<int>(std::lround(f->underline_thickness * scale)));
    decorations_.underlineHeight = thickness;
    decorations_.underlineTop = std::min(metrics_.tmHeight - thickness,
                                         ascent + static_cast<int>(std::lround(-f->underline_position * scale)) - thickness / 2);
    decorations_.strikeOutHeight = thickness;
    decorations_.strikeOutTop = ascent - static_cast<int>(std::lround(primary_->Em() * 0.3));
  }

  const TEXTMETRIC& Metrics() const override { return metrics_; }
  DecorationLines Decorations() const override { return decorations_; }
  FontCacheUsage Usage() const override { return FontCacheUsage{0, glyphs_.size(), glyphBytes_}; }

  int CharWidth(std::string_view ch) override { return GlyphFor(ch).advance; }

  void DrawChar(Surface& surface, int x, int top, std::string_view ch, COLORREF color,
                const RECT& clip) override {
    const Glyph& g = GlyphFor(ch);
    const int x0 = x + g.left;
    const int y0 = top + metrics_.tmAscent - g.top;
    const RECT area = IntersectRects(RECT{x0, y0, x0 + g.width, y0 + g.rows}, clip);
    for (int y = area.top; y < area.bottom; ++y) {
      const std::uint8_t* row = g.coverage.data() +
                                static_cast<std::size_t>(y - y0) * static_cast<std::size_t>(g.width) +
                                static_cast<std::size_t>(area.left - x0);
      surface.BlendRow(area.left, y, color, row, area.right - area.left);
    }
  }

 private:
  struct CachedGlyph {
    Glyph glyph;
    std::uint64_t lastUse = 0;
  };

  // The bytes one kept glyph costs: its coverage and its entry in the table.
  static std::size_t BytesOf(const Glyph& g) { return g.coverage.capacity() + sizeof(CachedGlyph) + 32; }

  // The glyph of one CP932 character. Rendered glyphs are kept, the least recently used dropped
  // first once the face keeps too many or too many bytes of them: a line of large text or a
  // long text of rare kanji would otherwise keep every glyph it ever drew.
  const Glyph& GlyphFor(std::string_view ch) {
    ++clock_;
    // The code of the first character: a longer text would show its glyph anyway.
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(ch[i])); };
    const std::uint32_t key = ch.empty() ? 0 : CharLengthAt(ch, 0) == 2 ? (byte(0) << 8) | byte(1) : byte(0);
    if (const Page* page = pages_[key >> 8].get()) {
      if (CachedGlyph* hit = (*page)[key & 0xFF]) {
        hit->lastUse = clock_;
        return hit->glyph;
      }
    }
    return RenderAndKeep(ch.substr(0, key > 0xFF ? 2 : 1), key);
  }

  // A glyph not kept yet; apart from GlyphFor so that finding a kept one stays small.
  [[gnu::noinline]] const Glyph& RenderAndKeep(std::string_view ch, std::uint32_t key) {
    const char32_t cp = CodePointOf(ch);
    const SizedFace* face = primary_.get();
    if (!primary_->Has(cp) && cp != 0) {
      if (!fallback_ && !fallbackFile_.path.empty()) fallback_ = std::make_unique<SizedFace>(lib_, fallbackFile_, font_);
      if (fallback_ && fallback_->Has(cp)) face = fallback_.get();
    }
    Glyph glyph = face->Render(cp);
    const std::size_t bytes = BytesOf(glyph);
    if (glyphs_.size() + 1 > kMaxGlyphs || glyphBytes_ + bytes > kMaxGlyphBytes) Trim(bytes);
    CachedGlyph& kept = glyphs_.emplace(key, CachedGlyph{std::move(glyph), clock_}).first->second;
    glyphBytes_ += bytes;
    SlotOf(key) = &kept;  // after Trim, which may have cleared slots
    return kept.glyph;
  }

  // Where the kept glyph of a character code (one byte, or lead and trail byte) is found: a page
  // of 256 slots per first byte, made when a character of it is first drawn. A text of kana and
  // kanji touches a few dozen pages; every character is found in two steps, without hashing.
  CachedGlyph*& SlotOf(std::uint32_t key) {
    std::unique_ptr<Page>& page = pages_[(key >> 8) & 0xFF];
    if (page == nullptr) page = std::make_unique<Page>();
    return (*page)[key & 0xFF];
  }

  // Drops the least recently used glyphs until the kept ones and one more of `incoming` bytes fit
  // in three quarters of the limits, so that a face drawing new glyphs trims now and then, not on
  // every glyph.
  void Trim(std::size_t incoming) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> byAge;
    byAge.reserve(glyphs_.size());
    for (const auto& [key, cached] : glyphs_) byAge.emplace_back(cached.lastUse, key);
    std::sort(byAge.begin(), byAge.end());
    const std::size_t countGoal = kMaxGlyphs * 3 / 4;
    const std::size_t bytesGoal = kMaxGlyphBytes * 3 / 4;
    for (const auto& [age, key] : byAge) {
      if (glyphs_.size() + 1 <= countGoal && glyphBytes_ + incoming <= bytesGoal) break;
      auto it = glyphs_.find(key);
      glyphBytes_ -= BytesOf(it->second.glyph);
      SlotOf(key) = nullptr;
      glyphs_.erase(it);
    }
  }

  static constexpr std::size_t kMaxGlyphs = 4096;
  static constexpr std::size_t kMaxGlyphBytes = std::size_t{4} << 20;

  std::shared_ptr<Library> lib_;
  std::unique_ptr<SizedFace> primary_;
  std::unique_ptr<SizedFace> fallback_;
  FontFile fallbackFile_;
  LOGFONT font_;
  TEXTMETRIC metrics_;
  DecorationLines decorations_;
  // The kept glyphs by character code; the pages point into it.
  std::unordered_map<std::uint32_t, CachedGlyph> glyphs_;
  using Page = std::array<CachedGlyph*, 256>;
  std::array<std::unique_ptr<Page>, 256> pages_;
  std::uint64_t clock_ = 0;
  std::size_t glyphBytes_ = 0;
};

}  // namespace

std::string FontconfigFamilyFor(std::string_view cp932FaceName) {
  std::string name;
  if (!TryCp932ToUtf8(cp932FaceName, name)) return kProportionalGothic;
  if (name.empty() || name == "ＭＳ Ｐゴシック" || name == "MS PGothic" || name == "MS UI Gothic" ||
      name == "MS Shell Dlg" || name == "MS Shell Dlg 2" || name == "MS Sans Serif" || name == "System") {
    return kProportionalGothic;
  }
  if (name == "ＭＳ ゴシック" || name == "MS Gothic") return kFixedGothic;
  if (name == "ＭＳ Ｐ明朝" || name == "MS PMincho") return "IPAPMincho";
  if (name == "ＭＳ 明朝" || name == "MS Mincho") return "IPAMincho";
  return name;
}

struct FreeTypeFontBackend::Impl {
  std::shared_ptr<Library> lib = std::make_shared<Library>();
  FixedFontBackend substitute;
  FaceCache faces;
};

FreeTypeFontBackend::FreeTypeFontBackend() : impl_(std::make_unique<Impl>()) {}
FreeTypeFontBackend::~FreeTypeFontBackend() = default;

bool FreeTypeFontBackend::Available() const {
  if (!impl_->lib->ft) return false;
  LOGFONT lf;
  const FontFile file = Match(*impl_->lib, kFixedGothic, lf);
  return !file.path.empty() && file.family.find("IPA") != std::string::npos;
}

std::string FreeTypeFontBackend::ResolveFile(const LOGFONT& font) const {
  return Match(*impl_->lib, FontconfigFamilyFor(font.FaceName()), font).path;
}

std::shared_ptr<FontFace> FreeTypeFontBackend::Realize(const LOGFONT& font) {
  if (auto face = impl_->faces.Find(font)) return face;
  std::shared_ptr<FontFace> face;
  const FontFile file = Match(*impl_->lib, FontconfigFamilyFor(font.FaceName()), font);
  const FontFile fallback = Match(*impl_->lib, kProportionalGothic, font);
  auto sized = std::make_unique<SizedFace>(impl_->lib, file, font);
  if (sized->Ok()) {
    face = std::make_shared<FreeTypeFace>(impl_->lib, std::move(sized), fallback, font);
  } else {
    face = impl_->substitute.Realize(font);
  }
  impl_->faces.Add(font, face);
  return face;
}

FontCacheUsage FreeTypeFontBackend::CacheUsage() const { return impl_->faces.Usage(); }

}  // namespace vl::win
