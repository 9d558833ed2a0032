#include "control/property_store.h"

namespace vl {

namespace {

struct KindName {
  ValueKind kind;
  const char* name;
};

constexpr KindName kKindNames[] = {
    {ValueKind::Version, "version"}, {ValueKind::Extent, "extent"},     {ValueKind::U16, "u16"},
    {ValueKind::I16, "i16"},         {ValueKind::I32, "i32"},           {ValueKind::Float, "float"},
    {ValueKind::Double, "double"},   {ValueKind::Currency, "currency"}, {ValueKind::Bool, "bool"},
    {ValueKind::String, "string"},   {ValueKind::Colour, "colour"},     {ValueKind::Font, "font"},
};

}  // namespace

const char* ValueKindName(ValueKind kind) {
  for (const KindName& k : kKindNames) {
    if (k.kind == kind) return k.name;
  }
  return "?";
}

ValueKind ValueKindFromName(std::string_view name) {
  for (const KindName& k : kKindNames) {
    if (name == k.name) return k.kind;
  }
  return ValueKind::Unknown;
}

void PropertySet::Add(PropertyEntry entry) {
  index_.try_emplace(entry.name, entries_.size());
  entries_.push_back(std::move(entry));
}

const PropertyEntry* PropertySet::Find(std::string_view name) const {
  auto it = index_.find(std::string(name));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

}  // namespace vl
