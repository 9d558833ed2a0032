// The control's binding side as the control and its host see it. It is implemented above the
// control (binding/) and owned by the control, so that the control reaches the record source only
// through its site, and the data-binding rules live in one place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/data_cursor.h"

namespace vl {

class IVlBoundObject {
 public:
  virtual ~IVlBoundObject() = default;

  // The host tells the box that its data source changed (dispatch id 7): the old connection is
  // dropped and, when `bound`, the site's cursor is connected, DataField resolved and the current
  // row read. Returns the own-transfer flag (the box moves its data itself).
  virtual bool OnSourceChanged(std::int32_t dispid, bool bound) = 0;
  // 0 when the box holds a change for its record source, 1 otherwise.
  virtual std::int32_t IsDirty(std::int32_t dispid) = 0;

  // A DataField write; returns whether the stored name changed.
  virtual bool SetDataField(const std::string& name) = 0;
  // True while the box is bound to a column of its record source.
  virtual bool IsBound() const = 0;
  // The columns of the box's record source (a temporary cursor at design time); empty when there
  // is none.
  virtual std::vector<CursorColumn> Columns() = 0;
  // The box's properties were loaded: a connected box resolves its DataField again.
  virtual void PropertiesLoaded() = 0;
};

}  // namespace vl
