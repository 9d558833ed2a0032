// The type library: what the control declares to its hosts besides the property table
// (properties.h). The events with their parameters, the methods, the caption object's interface
// and the enumeration constants by group. The control fires its events through these
// declarations (MakeEventArgs), and the reference a user reads is generated from them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "control/caption_table.h"
#include "control/events.h"
#include "runtime/variant.h"

namespace vl {

// How a parameter reaches the handler, and whether what the handler writes comes back.
enum class Pass : std::uint8_t {
  Value,             // a copy
  Reference,         // by reference: the control reads it back after the handler
  IgnoredReference,  // declared by reference, but the control does not read it back (KeyCode)
};

struct EventParamInfo {
  const char* name;
  const char* type;  // as a host declares it: "Integer", "Long", "String", "Boolean", "Variant"
  Pass pass;
  const char* description;
};

struct EventInfo {
  VlEvent id;
  const char* name;
  const char* description;
  std::vector<EventParamInfo> params;
};

// Every event of the event interface, in the order a reader meets them.
const std::vector<EventInfo>& EventTable();
// The declaration of one event (every VlEvent has one).
const EventInfo& FindEvent(VlEvent id);
// The parameters of an event as the host receives them: the declared names and by-reference
// flags with these values, in declaration order (as many values as the event declares).
EventArgs MakeEventArgs(VlEvent id, std::initializer_list<Variant> values);

struct MethodInfo {
  std::int32_t dispid;  // the framework's stock identifiers
  const char* name;
  const char* description;
};

const std::vector<MethodInfo>& MethodTable();

// The indexed property Captions(nDirection), which the property table leaves out: it takes an
// index and hands out objects rather than values.
struct IndexedPropertyInfo {
  std::int32_t dispid;
  const char* name;
  const char* index;  // the index parameter
  const char* description;
  std::vector<std::pair<std::int32_t, const char*>> errors;  // code and when it is raised
};

const IndexedPropertyInfo& CaptionsProperty();

struct ConstantInfo {
  const char* name;
  std::int32_t value;
  const char* meaning;
};

struct ConstantGroup {
  const char* name;
  const char* usedBy;  // the properties the constants are values of
  std::vector<ConstantInfo> constants;
};

// The enumerations of the type library, group by group.
const std::vector<ConstantGroup>& ConstantGroups();
// Every constant of every group, by name ("VlTextLong" = 3, ...).
const std::vector<std::pair<const char*, std::int32_t>>& TypeLibraryConstants();

}  // namespace vl
