#include "pages/colour_picker.h"

#include <algorithm>
#include <cstdio>

#include "text/encoding.h"

namespace vl::pages {

namespace {

constexpr std::uint32_t kStandardColours[] = {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF,
                                              0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};

// The names of the system colours, by index, as the list shows them.
constexpr const char* kSystemColourNames[kSystemColourCount] = {
    "ｽｸﾛｰﾙ ﾊﾞｰ",
    "ﾃﾞｽｸﾄｯﾌﾟ",
    "ｱｸﾃｨﾌﾞ ﾀｲﾄﾙﾊﾞｰ",
    "非ｱｸﾃｨﾌﾞ ﾀｲﾄﾙﾊﾞｰ",
    "ﾒﾆｭｰ ﾊﾞｰ",
    "ｳｨﾝﾄﾞｳの背景",
    "ｳｨﾝﾄﾞｳ枠",
    "ﾒﾆｭｰの文字",
    "ｳｨﾝﾄﾞｳの文字",
    "ｱｸﾃｨﾌﾞ ﾀｲﾄﾙﾊﾞｰの文字",
    "ｱｸﾃｨﾌﾞ ｳｨﾝﾄﾞｳの境界",
    "非ｱｸﾃｨﾌﾞ ｳｨﾝﾄﾞｳの境界",
    "ｱﾌﾟﾘｹｰｼｮﾝの作業域",
    "強調表示",
    "強調表示された文字列",
    "ﾎﾞﾀﾝの表面",
    "ﾎﾞﾀﾝの影",
    "淡色表示された文字列",
    "ﾎﾞﾀﾝの文字",
    "非ｱｸﾃｨﾌﾞ ﾀｲﾄﾙﾊﾞｰの文字",
    "ﾎﾞﾀﾝの強調表示",
    "ﾎﾞﾀﾝの影(濃)",
    "ﾎﾞﾀﾝの影(淡)",
    "ﾂｰﾙ ﾋﾝﾄの文字",
    "ﾂｰﾙ ﾋﾝﾄ",
};

bool IsSystemColour(std::uint32_t c) { return c >= kSystemColourBase && c < kSystemColourBase + kSystemColourCount; }

}  // namespace

// --- The shared palette --------------------------------------------------------------------------

void SharedPalette::FillOnce() {
  if (filled_) return;
  filled_ = true;
  colours_.assign(std::begin(kStandardColours), std::end(kStandardColours));
}

bool SharedPalette::Add(std::uint32_t colour) {
  if (std::find(colours_.begin(), colours_.end(), colour) != colours_.end()) return false;
  colours_.insert(colours_.begin(), colour);
  return true;
}

bool CVlColorDialog::DoModal(PageServices& services) { return services.ChooseColour(colour_); }

// --- The list ----------------------------------------------------------------------------------

ColourList::ColourList(SharedPalette& palette) : palette_(palette) { palette_.FillOnce(); }

void ColourList::Changed() {
  if (listener_) listener_();
}

void ColourList::FillPalette() {
  items_ = {kSystemColourCommand, kNewColourCommand, colour_};
  palette_.Add(colour_);
  for (std::uint32_t c : palette_.Colours()) {
    if (c != colour_) items_.push_back(c);
  }
  selected_ = 2;
  Changed();
}

void ColourList::FillSystem() {
  items_.clear();
  for (int i = 0; i < kSystemColourCount; ++i) items_.push_back(kSystemColourBase + static_cast<std::uint32_t>(i));
  // A colour that is no system colour (or the first one) starts the list at its top.
  if (colour_ > kSystemColourBase && IsSystemColour(colour_)) {
    selected_ = static_cast<int>(colour_ - kSystemColourBase);
  } else {
    selected_ = 0;
    colour_ = kSystemColourBase;
  }
  Changed();
}

void ColourList::SetColour(std::uint32_t colour) {
  colour_ = colour;
  FillPalette();
}

void ColourList::DropDown() { systemMode_ ? FillSystem() : FillPalette(); }

void ColourList::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  const std::uint32_t value = items_[static_cast<std::size_t>(index)];
  std::uint32_t colour = value;
  if (value == kSystemColourCommand) {
    systemMode_ = true;
    reopen_ ? reopen_() : DropDown();
    systemMode_ = false;
    colour = colour_;
  } else if (value == kNewColourCommand) {
    selected_ = index;
    CVlColorDialog dialog(TranslateOleColour(colour_));
    colour = services_ != nullptr && dialog.DoModal(*services_) ? dialog.Colour() : colour_;
    const auto found = std::find(items_.begin(), items_.end(), colour);
    if (found == items_.end()) {
      items_.insert(items_.begin() + selected_ + 1, colour);
      palette_.Add(colour);
      selected_ = selected_ + 1;
    } else {
      selected_ = static_cast<int>(found - items_.begin());
    }
    Changed();
  } else {
    selected_ = index;
    Changed();
  }
  colour_ = colour;
  if (owner_) owner_(colour_);
}

// --- Items -------------------------------------------------------------------------------------

std::string ColourItemText(std::uint32_t value) {
  if (value == kSystemColourCommand) return "*System Color";
  if (value == kNewColourCommand) return "*New Color";
  if (IsSystemColour(value)) return Cp932Literal(kSystemColourNames[value - kSystemColourBase]);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08lX", static_cast<unsigned long>(value));
  return buffer;
}

std::uint32_t TranslateOleColour(std::uint32_t colour) {
  if ((colour & 0xFF000000u) == kSystemColourBase) return win::GetSysColor(static_cast<int>(colour & 0xFF));
  return colour & 0x00FFFFFFu;
}

void DrawColourItem(win::DeviceContext& dc, const win::RECT& rect, std::uint32_t value, bool selected) {
  const win::COLORREF window = win::GetSysColor(win::COLOR_WINDOW);
  const win::COLORREF inverse = window ^ 0x00FFFFFFu;
  win::FillRect(dc, rect, win::CreateSolidBrush(window));
  // The swatch: a square as wide as the item is high, shrunk by 1 and then 2 more pixels a side.
  const std::uint32_t swatchColour = value == kSystemColourCommand ? kSystemColourBase + 1
                                     : value == kNewColourCommand  ? 0x00FFFFFFu
                                                                   : value;
  const int h = rect.Height();
  const win::RECT swatch{rect.left + 3, rect.top + 3, rect.left + h - 3, rect.bottom - 3};
  if (!swatch.IsEmpty()) {
    win::FillRect(dc, swatch, win::CreateSolidBrush(TranslateOleColour(swatchColour)));
    win::FrameRect(dc, swatch, win::CreateSolidBrush(inverse));
  }
  const int mode = win::SetBkMode(dc, win::TRANSPARENT);
  const win::COLORREF text = win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
  win::ExtTextOut(dc, rect.left + h, rect.top + 1, win::ETO_CLIPPED, &rect, ColourItemText(value));
  win::SetTextColor(dc, text);
  win::SetBkMode(dc, mode);
  const win::RECT frame{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  win::FrameRect(dc, frame, win::CreateSolidBrush(selected ? inverse : window));
}

}  // namespace vl::pages
