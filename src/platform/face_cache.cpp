#include "platform/face_cache.h"

#include <algorithm>
#include <cstring>

namespace vl::win {

namespace {

// Two descriptions share a face only when every byte that could matter is the same.
bool SameFont(const LOGFONT& a, const LOGFONT& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

std::shared_ptr<FontFace> FaceCache::Find(const LOGFONT& font) {
  // Boxes draw with one or two fonts in turn, so the face asked for is nearly always the first.
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (!SameFont(it->font, font)) continue;
    if (it != entries_.begin()) std::rotate(entries_.begin(), it, it + 1);
    return entries_.front().face;
  }
  return nullptr;
}

void FaceCache::Add(const LOGFONT& font, std::shared_ptr<FontFace> face) {
  entries_.insert(entries_.begin(), Entry{font, std::move(face)});
  std::size_t bytes = 0;
  std::size_t kept = 0;
  // The newest face stays whatever it costs: it is the one being drawn with.
  for (const Entry& e : entries_) {
    const std::size_t faceBytes = e.face->Usage().bytes;
    if (kept > 0 && (kept >= limits_.faces || bytes + faceBytes > limits_.bytes)) break;
    bytes += faceBytes;
    ++kept;
  }
  entries_.resize(kept);
}

FontCacheUsage FaceCache::Usage() const {
  FontCacheUsage total;
  for (const Entry& e : entries_) {
    const FontCacheUsage u = e.face->Usage();
    total.faces += 1;
    total.glyphs += u.glyphs;
    total.bytes += u.bytes;
  }
  return total;
}

}  // namespace vl::win
