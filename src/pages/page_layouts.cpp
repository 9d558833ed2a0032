// The four pages' layouts, in dialog units. Labels stand in a column at the left of each half
// of the page with their fields aligned after them; a label comes right before its field, so its
// mnemonic leads there, and the order of the items is the tab order.
#include "pages/caption_page.h"
#include "pages/general_page.h"
#include "pages/page_dialog.h"
#include "pages/style_pages.h"

namespace vl::pages {

namespace {

// The columns of a page: a label and its field in the left half, the same in the right half.
constexpr int kLabelA = 7;
constexpr int kFieldA = 62;
constexpr int kLabelB = 158;
constexpr int kFieldB = 213;
constexpr int kFieldWidth = 86;
constexpr int kRight = 299;  // right edge of the widest fields
constexpr int kPageWidth = 306;
constexpr int kPageHeight = 150;

// A labelled field on the row at y: the label a little lower so its text sits on the field's.
void Labelled(std::vector<LayoutItem>& items, int field, int labelX, int fieldX, int y, int width, int height = 12) {
  items.push_back({Place::Label, field, labelX, y + 2, fieldX - labelX - 3, 8});
  items.push_back({Place::Field, field, fieldX, y, width, height});
}

void Checked(std::vector<LayoutItem>& items, int field, int x, int y, int width) {
  items.push_back({Place::Field, field, x, y + 1, width, 10});
}

}  // namespace

const PageLayout& GeneralLayout() {
  using namespace general;
  static const PageLayout layout = [] {
    PageLayout l{kPageWidth, kPageHeight, {}};
    auto& i = l.items;
    Labelled(i, kDataField, kLabelA, kFieldA, 7, kFieldWidth);
    Labelled(i, kDataType, kLabelB, kFieldB, 7, kFieldWidth);
    Labelled(i, kMaxLength, kLabelA, kFieldA, 24, kFieldWidth);
    Labelled(i, kAlignment, kLabelB, kFieldB, 24, kFieldWidth);
    Checked(i, kLocked, kFieldA, 41, kFieldWidth);
    Labelled(i, kCaption, kLabelB, kFieldB, 41, kFieldWidth);
    Labelled(i, kFormat, kLabelA, kFieldA, 58, kRight - kFieldA);
    // The range down the left half, the default down the right half, each under its switch.
    Checked(i, kCheckValue, kLabelA, 77, kLabelB - kLabelA - 8);
    Labelled(i, kLowerValue, kLabelA, kFieldA, 93, kFieldWidth);
    Labelled(i, kUpperValue, kLabelA, kFieldA, 110, kFieldWidth);
    Checked(i, kAllowDefaultValue, kLabelB, 77, kRight - kLabelB);
    Labelled(i, kDefaultValue, kLabelB, kFieldB, 93, kFieldWidth);
    Checked(i, kNull, kFieldB, 110, kFieldWidth);
    Labelled(i, kEraProfile, kLabelA, kFieldA, 129, kRight - kFieldA - 52);
    i.push_back({Place::Field, kBrowse, kRight - 48, 128, 48, 14});
    return l;
  }();
  return layout;
}

const PageLayout& StyleLayout() {
  using namespace style;
  static const PageLayout layout = [] {
    PageLayout l{kPageWidth, kPageHeight, {}};
    auto& i = l.items;
    // The switches in a column at the left.
    int y = 7;
    for (int field : {kEnabled, kKeepNull, kHideSelection, kSelectByFocus, kReplaceCursor, kMultiLine, kTabByInputLast,
                      kTabByReturn, kTabByHorzKey, kTabByVertKey}) {
      Checked(i, field, kLabelA, y, 100);
      y += 13;
    }
    // The choices and numbers in a column at the right.
    constexpr int kLabelX = 120;
    constexpr int kFieldX = 185;
    y = 7;
    for (int field :
         {kIMEMode, kPasswordChar, kAppearance, kBorderStyle, kSpinButton, kSpinIncrease, kSpinDelay, kScrollBars}) {
      const bool number = field == kPasswordChar || field == kSpinIncrease || field == kSpinDelay;
      Labelled(i, field, kLabelX, kFieldX, y, number ? 50 : kRight - kFieldX);
      y += 17;
    }
    return l;
  }();
  return layout;
}

const PageLayout& Style2Layout() {
  static const PageLayout layout = [] {
    PageLayout l{kPageWidth, kPageHeight, {}};
    Labelled(l.items, style2::kFuriganaType, kLabelA, kFieldA, 7, kFieldWidth);
    return l;
  }();
  return layout;
}

const PageLayout& CaptionLayout() {
  using namespace caption;
  static const PageLayout layout = [] {
    PageLayout l{kPageWidth, kPageHeight, {}};
    auto& i = l.items;
    Labelled(i, kDirection, kLabelA, kFieldA, 7, kFieldWidth);
    Labelled(i, kText, kLabelA, kFieldA, 24, kRight - kFieldA);
    Labelled(i, kAlignment, kLabelA, kFieldA, 41, kFieldWidth);
    Labelled(i, kBorderStyle, kLabelB, kFieldB, 41, kFieldWidth);
    Labelled(i, kSize, kLabelA, kFieldA, 58, kFieldWidth);
    Labelled(i, kSpacing, kLabelB, kFieldB, 58, kFieldWidth);
    Labelled(i, kPadding, kLabelA, kFieldA, 75, kFieldWidth);
    Labelled(i, kTextColor, kLabelA, kFieldA, 94, 110, 15);
    Labelled(i, kBackColor, kLabelA, kFieldA, 113, 110, 15);
    i.push_back({Place::Field, kSample, 180, 94, kRight - 180 - 26, 34});
    i.push_back({Place::Field, kFont, kRight - 22, 94, 22, 14});
    return l;
  }();
  return layout;
}

}  // namespace vl::pages
