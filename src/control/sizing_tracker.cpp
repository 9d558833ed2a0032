#include "control/sizing_tracker.h"

#include <algorithm>

namespace vl {

namespace {

constexpr win::COLORREF kTrackerBlue = 0x00FF0000;

}  // namespace

unsigned SizingTracker::HitTest(win::POINT p) const {
  const win::RECT& r = rect_;
  const bool inX = p.x >= r.left - kHandle && p.x < r.right + kHandle;
  const bool inY = p.y >= r.top - kHandle && p.y < r.bottom + kHandle;
  if (!inX || !inY) return 0;
  unsigned edges = 0;
  if (p.x < r.left) edges |= kLeft;
  if (p.x >= r.right) edges |= kRight;
  if (p.y < r.top) edges |= kTop;
  if (p.y >= r.bottom) edges |= kBottom;
  return edges;
}

bool SizingTracker::Begin(win::POINT p) {
  edges_ = HitTest(p);
  anchor_ = p;
  start_ = rect_;
  return edges_ != 0;
}

void SizingTracker::Move(win::POINT p) {
  if (edges_ == 0) return;
  const int dx = p.x - anchor_.x;
  const int dy = p.y - anchor_.y;
  win::RECT r = start_;
  if (edges_ & kLeft) r.left = std::min(start_.left + dx, r.right);
  if (edges_ & kRight) r.right = std::max(start_.right + dx, r.left);
  if (edges_ & kTop) r.top = std::min(start_.top + dy, r.bottom);
  if (edges_ & kBottom) r.bottom = std::max(start_.bottom + dy, r.top);
  rect_ = r;
}

unsigned SizingTracker::End(win::POINT p) {
  Move(p);
  unsigned moved = 0;
  if (rect_.left != start_.left) moved |= kLeft;
  if (rect_.top != start_.top) moved |= kTop;
  if (rect_.right != start_.right) moved |= kRight;
  if (rect_.bottom != start_.bottom) moved |= kBottom;
  edges_ = 0;
  return moved;
}

void SizingTracker::Draw(win::DeviceContext& dc) const {
  if (!shown_) return;
  const win::HBRUSH blue = win::CreateSolidBrush(kTrackerBlue);
  const win::RECT& r = rect_;
  win::FrameRect(dc, win::RECT{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, blue);
  const int midX = (r.left + r.right) / 2 - kHandle / 2;
  const int midY = (r.top + r.bottom) / 2 - kHandle / 2;
  const int xs[3] = {r.left - kHandle, midX, r.right};
  const int ys[3] = {r.top - kHandle, midY, r.bottom};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (i == 1 && j == 1) continue;
      win::FillRect(dc, win::RECT{xs[i], ys[j], xs[i] + kHandle, ys[j] + kHandle}, blue);
    }
  }
}

}  // namespace vl
