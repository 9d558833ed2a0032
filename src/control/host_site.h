// The control's view of its container: every host service it calls, in one interface.
//
// The control reaches its host only through this interface; the host implements it, so the
// dependency runs one way.
#pragma once

#include <cstdint>
#include <memory>

#include "control/data_cursor.h"
#include "control/events.h"
#include "control/font_object.h"
#include "platform/font_backend.h"
#include "platform/gdi.h"
#include "platform/window.h"

namespace vl {

class IVlControlSite {
 public:
  virtual ~IVlControlSite() = default;

  // Ambient properties.
  virtual bool AmbientUserMode() const = 0;  // true while the container runs the form
  virtual FontDesc AmbientFont() const = 0;
  virtual std::uint32_t AmbientBackColor() const = 0;

  // Synchronous: returns after the host's handler; by-reference parameters hold its values.
  virtual void FireEvent(VlEvent id, EventArgs& args) = 0;
  // Bound-property change notification with the property's dispatch identifier.
  virtual void OnPropertyChanged(std::int32_t dispid) = 0;
  virtual void SetModifiedFlag(bool modified) = 0;
  // The control is repainted later through its draw entry.
  virtual void InvalidateControl() = 0;

  // 0x800000nn is resolved to system colour nn; other values pass unchanged (0x00BBGGRR).
  virtual std::uint32_t TranslateColor(std::uint32_t colour) const = 0;
  // HIMETRIC (0.01 mm) ⇄ container units (sizes, not positions).
  virtual double HimetricToContainer(std::int32_t himetric) const = 0;
  virtual std::int32_t ContainerToHimetric(double units) const = 0;

  // The window system and the window the control's window lives in.
  virtual win::System& WindowSystem() = 0;
  virtual win::HWND ContainerWindow() const = 0;

  // The fonts the screen measures and draws with; null leaves the control its fixed-metrics ones.
  virtual win::FontBackend* ScreenFonts() { return nullptr; }

  // UI activation.
  virtual bool IsUIActive() const = 0;
  virtual void UIDeactivate() = 0;

  // The record source the host connected to the property `dispid` (7, DataSource); none when
  // the box has no data source. At design time each call hands out a temporary cursor that the
  // caller drops when done.
  virtual std::shared_ptr<IVlCursor> GetCursor(std::int32_t dispid) {
    (void)dispid;
    return nullptr;
  }
  // The control asks its container for a new size (loaded with its properties), in pixels.
  virtual void RequestControlSize(win::SIZE pixels) { (void)pixels; }
};

}  // namespace vl
