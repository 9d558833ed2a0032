// The design-time sizing tracker: handles around the box that a designer drags to give the
// captions their sizes. It only follows the mouse; the control turns a finished drag into
// caption sizes.
#pragma once

#include <cstdint>

#include "platform/gdi.h"

namespace vl {

class SizingTracker {
 public:
  // Edges a drag moves.
  static constexpr unsigned kLeft = 1, kTop = 2, kRight = 4, kBottom = 8;
  // Handles are squares of this side just outside the rectangle.
  static constexpr int kHandle = 8;

  bool Shown() const { return shown_; }
  bool Dragging() const { return edges_ != 0; }
  const win::RECT& Rect() const { return rect_; }

  void Show(const win::RECT& rect) {
    shown_ = true;
    rect_ = rect;
    edges_ = 0;
  }
  void Hide() {
    shown_ = false;
    edges_ = 0;
  }

  // Which edges a press at `p` takes: a corner handle takes two, an edge's band (the handle's
  // depth outside the rectangle, the whole side long) one, elsewhere none.
  unsigned HitTest(win::POINT p) const;
  // Starts a drag; false when the press missed every edge.
  bool Begin(win::POINT p);
  // Moves the dragged edges with the mouse; an edge never passes its opposite one.
  void Move(win::POINT p);
  // Ends the drag and reports which edges moved.
  unsigned End(win::POINT p);

  // Blue frame just outside the rectangle and eight filled handles.
  void Draw(win::DeviceContext& dc) const;

 private:
  bool shown_ = false;
  win::RECT rect_;
  win::RECT start_;
  unsigned edges_ = 0;
  win::POINT anchor_;
};

}  // namespace vl
