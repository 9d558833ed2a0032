// CVlDataBinding: the box's side of data binding. It connects to the record source the host
// gives the box, finds the column DataField names, reads the current row into Value when the
// source says the row changed, and writes Value back before the source moves on when the user
// changed it.
//
// Every failure leaves the box unbound, or its row unread, and never loses what the record source
// already holds. A row that cannot be read never leaves the previous row's value standing in the
// box: the box shows Null instead, so nothing stale can be written back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/bound_object.h"
#include "control/data_cursor.h"
#include "control/typed_box_ctrl.h"

namespace vl {

class CVlDataBinding : public IVlBoundObject, public IVlCursorEvents {
 public:
  explicit CVlDataBinding(CVlTypedBoxCtrl& control) : control_(control) {}
  ~CVlDataBinding() override;
  CVlDataBinding(const CVlDataBinding&) = delete;
  CVlDataBinding& operator=(const CVlDataBinding&) = delete;

  // IVlBoundObject
  bool OnSourceChanged(std::int32_t dispid, bool bound) override;
  std::int32_t IsDirty(std::int32_t dispid) override;
  bool SetDataField(const std::string& name) override;
  bool IsBound() const override { return bound_; }
  std::vector<CursorColumn> Columns() override;
  void PropertiesLoaded() override;

  // IVlCursorEvents
  void SyncBefore(std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) override;
  void DidEvent(std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) override;

  std::size_t BoundColumn() const { return boundIndex_; }

 private:
  // The cursor to work with: the connected one at run time, a temporary one from the site at
  // design time (dropped by the caller). Lists the columns afresh. Null when there is none.
  std::shared_ptr<IVlCursor> Connect();
  void Disconnect();
  // Finds `name` (and `type`, when given) in a fresh column list, starting at the bound column
  // and wrapping around to the columns before it.
  std::optional<std::size_t> FindColumn(const std::string& name, std::optional<std::uint16_t> type = std::nullopt);
  // Binds to the column DataField names: the box takes its data type, its read-only state and,
  // for text, its width; at run time the current row is read.
  void Resolve(const std::string& name);
  void ReadCurrentRow();
  // The row cannot be shown: the box shows Null and holds no change.
  void ShowNothing();
  void TakeDefaultValue();
  void WriteBack();

  CVlTypedBoxCtrl& control_;
  std::shared_ptr<IVlCursor> cursor_;
  std::uint32_t cookie_ = 0;
  bool advised_ = false;
  std::vector<CursorColumn> columns_;
  bool bound_ = false;
  std::size_t boundIndex_ = 0;
};

}  // namespace vl
