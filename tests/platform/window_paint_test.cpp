// The window system paints a window tree: each window paints itself at its own origin, clipped to
// itself and its ancestors, parents first, later children over earlier ones, hidden subtrees not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fixed_font.h"
#include "platform/gdi.h"
#include "platform/window.h"

namespace vl::win {
namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

// Fills far beyond its own client area, so the clip shows, and writes down where its origin was.
class Filler : public Window {
 public:
  Filler(COLORREF colour, std::vector<std::string>& order, std::string name)
      : colour_(colour), order_(order), name_(std::move(name)) {}
  void PrintClient(DeviceContext& dc) override {
    order_.push_back(name_);
    origin = dc.Origin();
    HBRUSH brush = CreateSolidBrush(colour_);
    FillRect(dc, RECT{-500, -500, 500, 500}, brush);
    DeleteObject(brush);
  }
  POINT origin{-1, -1};

 private:
  COLORREF colour_;
  std::vector<std::string>& order_;
  std::string name_;
};

class WindowPaint : public ::testing::Test {
 protected:
  VirtualClock clock_;
  System sys_{clock_};
  std::vector<std::string> order_;
  Filler top_{RGB(10, 10, 10), order_, "top"};
  Filler a_{RGB(20, 20, 20), order_, "a"};
  Filler inner_{RGB(30, 30, 30), order_, "inner"};
  Filler b_{RGB(40, 40, 40), order_, "b"};
  // top 60 x 40 at (5, 5) on the screen; a and b overlap at x 20..29; inner sticks out of a.
  HWND topH_ = sys_.CreateWindowEx(top_, "Top", WS_VISIBLE, RECT{5, 5, 65, 45}, kNoWindow);
  HWND aH_ = sys_.CreateWindowEx(a_, "A", WS_CHILD | WS_VISIBLE, RECT{10, 10, 30, 30}, topH_);
  HWND innerH_ = sys_.CreateWindowEx(inner_, "Inner", WS_CHILD | WS_VISIBLE, RECT{15, 5, 40, 15}, aH_);
  HWND bH_ = sys_.CreateWindowEx(b_, "B", WS_CHILD | WS_VISIBLE, RECT{20, 20, 50, 35}, topH_);

  Surface surface_{80, 60, kPaper};
  FixedFontBackend fonts_;
  DeviceContext dc_{&surface_, fonts_};
  COLORREF At(int x, int y) const { return surface_.GetPixel(x, y); }
};

TEST_F(WindowPaint, ParentsFirstLaterChildrenOverEarlierOnesEachClipped) {
  sys_.PrintWindow(topH_, dc_, POINT{2, 3});
  EXPECT_EQ(order_, (std::vector<std::string>{"top", "a", "inner", "b"}));
  EXPECT_EQ(a_.origin, (POINT{12, 13})) << "a's corner, in the device";
  EXPECT_EQ(inner_.origin, (POINT{27, 18}));
  EXPECT_EQ(At(1, 1), kPaper) << "outside the root";
  EXPECT_EQ(At(2, 3), RGB(10, 10, 10)) << "the root's corner";
  EXPECT_EQ(At(12, 13), RGB(20, 20, 20)) << "a";
  EXPECT_EQ(At(28, 19), RGB(30, 30, 30)) << "inner, inside a";
  EXPECT_EQ(At(35, 19), RGB(10, 10, 10)) << "inner is clipped to a";
  EXPECT_EQ(At(24, 24), RGB(40, 40, 40)) << "b, created later, lies over a";
  EXPECT_EQ(At(61, 40), RGB(10, 10, 10)) << "the root's last pixel";
  EXPECT_EQ(At(62, 43), kPaper) << "nothing paints beyond the root";
}

TEST_F(WindowPaint, AHiddenChildAndItsChildrenAreNotPainted) {
  sys_.ShowWindow(aH_, false);
  sys_.PrintWindow(topH_, dc_, POINT{0, 0});
  EXPECT_EQ(order_, (std::vector<std::string>{"top", "b"}));
  EXPECT_EQ(At(12, 12), RGB(10, 10, 10));
}

TEST_F(WindowPaint, DestroyedChildrenAreGoneAndANewChildComesLast) {
  sys_.DestroyWindow(aH_);  // inner goes with it
  Filler c(RGB(50, 50, 50), order_, "c");
  const HWND cH = sys_.CreateWindowEx(c, "C", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, topH_);
  sys_.PrintWindow(topH_, dc_, POINT{0, 0});
  EXPECT_EQ(order_, (std::vector<std::string>{"top", "b", "c"}));
  order_.clear();
  sys_.DestroyWindow(bH_);  // now most of top's children are gone
  sys_.PrintWindow(topH_, dc_, POINT{0, 0});
  EXPECT_EQ(order_, (std::vector<std::string>{"top", "c"}));
  sys_.DestroyWindow(cH);
}

TEST_F(WindowPaint, TheStateOfTheContextComesBackAfterEachWindow) {
  const POINT before = dc_.Origin();
  sys_.PrintWindow(aH_, dc_, POINT{0, 0});
  EXPECT_EQ(order_, (std::vector<std::string>{"a", "inner"})) << "a window's own subtree only";
  EXPECT_EQ(dc_.Origin(), before);
  EXPECT_EQ(dc_.ClipDevice(), (RECT{0, 0, 80, 60}));
}

}  // namespace
}  // namespace vl::win
