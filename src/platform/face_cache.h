// The realised faces a font backend keeps for reuse, bounded in count and in bytes.
//
// Every distinct LOGFONT a box asks for (each FontSize, weight or face name) realises a face, and
// a FreeType face keeps the glyphs it rendered; kept forever, a form that tries many sizes would
// grow without end (one glyph at 2000 points is megabytes). The cache keeps the most recently
// used faces only, least recently used first out when either the count or the bytes of their
// glyphs exceed the limits. A face dropped from the cache lives on while a device context still
// holds it; realising its LOGFONT again makes a new one.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/font_backend.h"

namespace vl::win {

struct FaceCacheLimits {
  std::size_t faces = 16;
  std::size_t bytes = std::size_t{24} << 20;
};

class FaceCache {
 public:
  explicit FaceCache(FaceCacheLimits limits = {}) : limits_(limits) {}

  // The cached face of exactly this description, made the most recent; null when none.
  std::shared_ptr<FontFace> Find(const LOGFONT& font);
  // Keeps `face` as the most recent, then drops the least recent others beyond the limits.
  void Add(const LOGFONT& font, std::shared_ptr<FontFace> face);
  // What the cached faces hold now.
  FontCacheUsage Usage() const;

 private:
  struct Entry {
    LOGFONT font;
    std::shared_ptr<FontFace> face;
  };
  FaceCacheLimits limits_;
  std::vector<Entry> entries_;  // most recent first
};

}  // namespace vl::win
