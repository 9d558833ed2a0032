#include "host/name_index.h"

#include <string_view>

namespace vl {

namespace {

std::uint32_t HashOf(std::string_view name) {
  const std::size_t h = std::hash<std::string_view>{}(name);
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

}  // namespace

void NameIndex::Resize(std::size_t size) {
  if (size < size_) {
    slots_.clear();
    indexed_ = 0;
  }
  size_ = size;
}

std::size_t NameIndex::Probe(std::string_view name, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.position == kEmpty || (s.hash == hash && nameAt_(s.position) == name)) return i;
  }
}

void NameIndex::CatchUp() const {
  if (indexed_ == size_) return;
  std::size_t capacity = slots_.empty() ? 16 : slots_.size();
  while (size_ * 2 > capacity) capacity *= 2;
  if (capacity != slots_.size()) {
    // Distinct names, so each old one goes to the first free slot of its run.
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    for (const Slot& s : old) {
      if (s.position == kEmpty) continue;
      std::size_t i = s.hash & (capacity - 1);
      while (slots_[i].position != kEmpty) i = (i + 1) & (capacity - 1);
      slots_[i] = s;
    }
  }
  for (; indexed_ < size_; ++indexed_) {
    const std::string_view name = nameAt_(indexed_);
    const std::uint32_t hash = HashOf(name);
    Slot& s = slots_[Probe(name, hash)];
    if (s.position == kEmpty) s = Slot{hash, static_cast<std::uint32_t>(indexed_)};
  }
}

std::size_t NameIndex::Find(std::string_view name) const {
  CatchUp();
  if (slots_.empty()) return npos;
  const Slot& s = slots_[Probe(name, HashOf(name))];
  return s.position == kEmpty ? npos : s.position;
}

}  // namespace vl
