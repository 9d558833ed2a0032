#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace vl {

// Which position a name stands at in a list the caller keeps (the form's boxes, in the order they
// were added); the first of equal names holds it.
//
// The table is one flat array of slots, probed in order, holding only a hash and the position; a
// name is read, through `NameAt`, only when the hashes agree. It takes in the names added since
// the last lookup when it is next asked, in one pass: adding a box to a form of ten thousand then
// touches nothing of the table, where an index kept up box by box would reach into a large table
// (or a map's nodes spread over the heap) once per box, and that would be most of what adding one
// costs.
class NameIndex {
 public:
  using NameAt = std::function<std::string_view(std::size_t)>;

  explicit NameIndex(NameAt nameAt) : nameAt_(std::move(nameAt)) {}

  // The list now holds `size` names: positions past the old size are new ones. A smaller size
  // forgets everything, to be taken in again from the list.
  void Resize(std::size_t size);
  // The first position that holds `name`, or npos.
  std::size_t Find(std::string_view name) const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t position = kEmpty;
  };
  static constexpr std::uint32_t kEmpty = UINT32_MAX;

  void CatchUp() const;
  // The slot that holds `name`, or the empty slot where it would go.
  std::size_t Probe(std::string_view name, std::uint32_t hash) const;

  NameAt nameAt_;
  std::size_t size_ = 0;
  // Taken in lazily, so a lookup (logically const) may fill them.
  mutable std::vector<Slot> slots_;  // a power of two in size, never more than half full
  mutable std::size_t indexed_ = 0;  // the positions below this are in slots_
};

}  // namespace vl
